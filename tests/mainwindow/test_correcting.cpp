// Correcting and deleting a payment from the day list and an income from the
// income history, through the real window: F2, Delete and the right-click
// menu, the dialog's checks, and the file bytes after each change.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "records/clock.h"
#include "ui/grid.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");

QString pay(const char *date, const char *payee, int amount, const char *memo = "") {
    return QStringLiteral("\"%1\",\"%2\",\"食費\",%3,\"%4\",\"\"\r\n")
        .arg(QString::fromUtf8(date), QString::fromUtf8(payee))
        .arg(amount)
        .arg(QString::fromUtf8(memo));
}

template <typename T> T *in(QWidget *w, const char *name) {
    return w->findChild<T *>(QString::fromLatin1(name));
}
// A step that fills the payment dialog's fields given and saves.
std::function<void(QWidget *)> savePayment(QDate day, const QString &payee, const QString &amount,
                                           const QString &memo = {}) {
    return [=](QWidget *dlg) {
        if (day.isValid()) in<QDateEdit>(dlg, "dtpHizuke")->setDate(day);
        if (!payee.isEmpty()) in<QComboBox>(dlg, "cboMise")->setEditText(payee);
        if (!amount.isEmpty()) in<QLineEdit>(dlg, "txtKingaku")->setText(amount);
        if (!memo.isEmpty()) in<QLineEdit>(dlg, "txtMemo")->setText(memo);
        in<QPushButton>(dlg, "cmdHozon")->click();
    };
}
void cancel(QWidget *dlg) {
    in<QPushButton>(dlg, "cmdCancel")->click();
}
} // namespace

class TestCorrecting : public QObject, public WindowFixture {
    Q_OBJECT
private:
    ModalDriver *m_driver = nullptr;

    // A book of February 2005 with the day 2005/02/14 open.
    void openBook(const QString &data) {
        book().write(kIncome, QStringLiteral("\"2005/02/01\",\"スタート時入金\",30000\r\n"
                                             "\"2005/02/10\",\"給料\",20000\r\n"));
        m_dir->write(QStringLiteral("支払いマスタ.txt"), QStringLiteral("八百屋\r\n本屋\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n教養\r\n"));
        m_dir->write(kData, data);
        Clock::setToday(QDate(2005, 2, 14));
        open();
        delete m_driver;
        m_driver = new ModalDriver;
    }
    Grid *dayList() { return c<Grid>("msgDayList"); }
    void keyOnRow(Grid *g, int row, Qt::Key key) {
        g->setCurrentCell(row, 1);
        QTest::keyClick(g->findChild<QTableView *>(), key);
        settle();
    }
    QString label(const char *name) { return c<QLabel>(name)->text(); }

private slots:
    void cleanup() {
        delete m_driver;
        m_driver = nullptr;
        closeAll();
        Clock::reset();
    }

    void f2CorrectsPayeeAmountAndDiaryInPlace() {
        openBook(pay("2005/02/13", "八百屋", 100) + pay("2005/02/14", "八百屋", 500) +
                 pay("2005/02/14", "八百屋", 700) + pay("2005/02/15", "八百屋", 900));
        m_driver->then(savePayment({}, QStringLiteral("本屋"), QStringLiteral("1,234"),
                                   QStringLiteral("立ち読み")));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QVERIFY(m_driver->done());
        QCOMPARE(m_dir->text(kData),
                 pay("2005/02/13", "八百屋", 100) + pay("2005/02/14", "本屋", 1234, "立ち読み") +
                     pay("2005/02/14", "八百屋", 700) + pay("2005/02/15", "八百屋", 900));
        QCOMPARE(dayList()->text(1, 1), QStringLiteral("本屋"));
        QCOMPARE(dayList()->text(1, 3), QStringLiteral("¥1,234"));
        QCOMPARE(label("lblMonOut"), QStringLiteral("2,034円")); // 100 + 1,234 + 700
        QVERIFY(!m_dir->exists(QStringLiteral("データ修正.txt")));
    }

    void changedDayMovesAfterTheNewDaysRecords() {
        const QString base = pay("2005/02/03", "八百屋", 1) + pay("2005/02/14", "八百屋", 2) +
                             pay("2005/02/20", "八百屋", 3) + pay("2005/02/20", "八百屋", 4);
        openBook(base);
        m_driver->then(savePayment(QDate(2005, 2, 20), {}, {}));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QCOMPARE(m_dir->text(kData),
                 pay("2005/02/03", "八百屋", 1) + pay("2005/02/20", "八百屋", 3) +
                     pay("2005/02/20", "八百屋", 4) + pay("2005/02/20", "八百屋", 2));
        QCOMPARE(dayList()->rows(), 1); // the day's list follows: its payment left it
        m_dir->write(kData, base);
        closeAll();
        openBook(base);
        m_driver->then(savePayment(QDate(2005, 2, 2), {}, {}));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QCOMPARE(m_dir->text(kData),
                 pay("2005/02/02", "八百屋", 2) + pay("2005/02/03", "八百屋", 1) +
                     pay("2005/02/20", "八百屋", 3) + pay("2005/02/20", "八百屋", 4));
    }

    void deleteThroughTheMenuAsksFirst() {
        openBook(pay("2005/02/14", "八百屋", 500));
        const QByteArray before = m_dir->bytes(kData);
        // Cancel at the menu, then at the question: nothing is written.
        m_driver->then([](QWidget *menu) { static_cast<QMenu *>(menu)->close(); });
        dayList()->rightClickCell(1, 1, dayList()->mapToGlobal(QPoint(20, 30)));
        settle();
        m_boxes->queue(QMessageBox::Cancel);
        keyOnRow(dayList(), 1, Qt::Key_Delete);
        QCOMPARE(m_dir->bytes(kData), before);
        // The menu's 削除… and OK: the only payment of the book is gone.
        m_driver->then([](QWidget *w) {
            auto *menu = static_cast<QMenu *>(w);
            menu->setActiveAction(menu->actions().at(1));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        dayList()->rightClickCell(1, 1, dayList()->mapToGlobal(QPoint(20, 30)));
        settle();
        QCOMPARE(m_boxes->seen.last().text,
                 QStringLiteral("この支払いを削除します。よろしいですか？"));
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("削除確認"));
        QCOMPARE(m_boxes->seen.last().icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        QCOMPARE(dayList()->rows(), 1);
        QCOMPARE(label("lblMonOut"), QStringLiteral("円")); // nothing spent: no number
        // The day's total goes with its last payment, though the book is now empty.
        QCOMPARE(label("lblDayTotal"), QStringLiteral("円"));
    }

    void keysActOnTheRowTheArrowKeysReached() {
        openBook(pay("2005/02/14", "八百屋", 500) + pay("2005/02/14", "本屋", 700));
        QTableView *view = dayList()->findChild<QTableView *>();
        dayList()->clickCell(1, 1);
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(dayList()->currentRow(), 2);
        m_boxes->queue(QMessageBox::Ok);
        QTest::keyClick(view, Qt::Key_Delete);
        settle();
        QCOMPARE(m_dir->text(kData), pay("2005/02/14", "八百屋", 500));
    }

    void deletingTheDaysOnlyPaymentKeepsTheMonth() {
        openBook(pay("2005/02/10", "八百屋", 800) + pay("2005/02/14", "本屋", 500) +
                 pay("2005/03/01", "八百屋", 300));
        m_boxes->queue(QMessageBox::Ok);
        keyOnRow(dayList(), 1, Qt::Key_Delete);
        QCOMPARE(m_dir->text(kData),
                 pay("2005/02/10", "八百屋", 800) + pay("2005/03/01", "八百屋", 300));
        QCOMPARE(dayList()->rows(), 1);
        QCOMPARE(label("lblMonOut"), QStringLiteral("800円")); // the month's other payment stays
        // The only payment of March goes: March spends nothing.
        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 3, 1));
        settle();
        m_boxes->queue(QMessageBox::Ok);
        keyOnRow(dayList(), 1, Qt::Key_Delete);
        QCOMPARE(m_dir->text(kData), pay("2005/02/10", "八百屋", 800));
        QCOMPARE(label("lblMonOut"), QStringLiteral("円"));
    }

    void refusedValuesWriteNothing() {
        openBook(pay("2005/02/14", "八百屋", 500) + "2005/02/15,Mc\"Donald,x,5,,\r\n");
        const QByteArray before = m_dir->bytes(kData);
        m_driver->then(savePayment({}, {}, QStringLiteral("abc")))
            .then(savePayment({}, {}, QStringLiteral("500"), QStringLiteral("😀")))
            .then(cancel);
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QVERIFY(m_driver->done());
        QCOMPARE(m_boxes->titles().mid(m_boxes->titles().size() - 2).first(),
                 QStringLiteral("金額異常"));
        QCOMPARE(m_dir->bytes(kData), before);
        // Changed underneath since the list was read.
        m_dir->write(kData, pay("2005/02/14", "本屋", 1) + pay("2005/02/14", "八百屋", 500));
        const QByteArray changed = m_dir->bytes(kData);
        m_driver->then(savePayment({}, {}, QStringLiteral("600")));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("修正できません"));
        QCOMPARE(m_boxes->seen.last().text,
                 QStringLiteral("データが変更されています。もう一度開き直してください。"));
        QCOMPARE(m_dir->bytes(kData), changed);
        // The list is read again, so the next try works on what the file holds.
        QCOMPARE(dayList()->rows(), 3);
        QCOMPARE(dayList()->text(1, 1), QStringLiteral("本屋"));
        QCOMPARE(label("lblDayTotal"), QStringLiteral("501円"));
        m_driver->then(savePayment({}, {}, QStringLiteral("2")));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QCOMPARE(m_dir->text(kData),
                 pay("2005/02/14", "本屋", 2) + pay("2005/02/14", "八百屋", 500));
        // A damaged line elsewhere survives a correction byte for byte.
        closeAll();
        openBook(pay("2005/02/14", "八百屋", 500) + "2005/02/15,Mc\"Donald,x,5,,\r\n");
        m_dir->writeBytes(kData, before + QByteArray("\xFF\xFE,bad\r\n"));
        m_driver->then(savePayment({}, {}, QStringLiteral("600")));
        keyOnRow(dayList(), 1, Qt::Key_F2);
        QCOMPARE(m_dir->bytes(kData), sjis(pay("2005/02/14", "八百屋", 600)) +
                                          "2005/02/15,Mc\"Donald,x,5,,\r\n\xFF\xFE,bad\r\n");
    }

    void openingIncomeIsCorrectableButNotDeletable() {
        openBook(pay("2005/02/14", "八百屋", 500));
        click("cmdInp");
        Grid *history = c<Grid>("msgInpRireki");
        QCOMPARE(history->rows(), 3);
        // The menu offers 削除… disabled, with the reason.
        bool enabled = true;
        QString why;
        m_driver->then([&](QWidget *w) {
            auto *menu = static_cast<QMenu *>(w);
            enabled = menu->actions().at(1)->isEnabled();
            why = menu->actions().at(1)->toolTip();
            menu->close();
        });
        history->rightClickCell(1, 1, history->mapToGlobal(QPoint(20, 30)));
        settle();
        QVERIFY(!enabled);
        QCOMPARE(why,
                 QStringLiteral("最初の入金はこの家計簿のスタート時の残金なので削除できません"));
        const QByteArray before = m_dir->bytes(kIncome);
        const int boxes = m_boxes->seen.size();
        keyOnRow(history, 1, Qt::Key_Delete);
        QCOMPARE(m_boxes->seen.size(), boxes);
        QCOMPARE(m_dir->bytes(kIncome), before);
        // Its date may not pass the first payment; its amount may change.
        m_driver
            ->then([](QWidget *dlg) {
                in<QDateEdit>(dlg, "dtpHizuke")->setDate(QDate(2005, 2, 15));
                in<QPushButton>(dlg, "cmdHozon")->click();
            })
            .then([](QWidget *dlg) {
                in<QDateEdit>(dlg, "dtpHizuke")->setDate(QDate(2005, 1, 31));
                in<QLineEdit>(dlg, "txtKingaku")->setText(QStringLiteral("35,000"));
                in<QPushButton>(dlg, "cmdHozon")->click();
            });
        keyOnRow(history, 1, Qt::Key_F2);
        QVERIFY(m_driver->done());
        QCOMPARE(m_boxes->seen.at(boxes).title, QStringLiteral("日付け異常"));
        QCOMPARE(m_dir->text(kIncome), QStringLiteral("\"2005/01/31\",\"スタート時入金\",35000\r\n"
                                                      "\"2005/02/10\",\"給料\",20000\r\n"));
        QCOMPARE(history->text(1, 1), QStringLiteral("2005/01/31"));
        QCOMPARE(label("lblMonSt"), QStringLiteral("35,000円")); // the carry from January
    }

    void incomeChangedUnderneathIsRefusedAndReadAgain() {
        openBook(QString());
        click("cmdInp");
        Grid *history = c<Grid>("msgInpRireki");
        m_dir->write(kIncome, QStringLiteral("\"2005/02/01\",\"スタート時入金\",30000\r\n"
                                             "\"2005/02/05\",\"臨時\",1000\r\n"
                                             "\"2005/02/10\",\"給料\",20000\r\n"));
        const QByteArray changed = m_dir->bytes(kIncome);
        m_driver->then([](QWidget *dlg) {
            in<QLineEdit>(dlg, "txtKingaku")->setText(QStringLiteral("25000"));
            in<QPushButton>(dlg, "cmdHozon")->click();
        });
        keyOnRow(history, 2, Qt::Key_F2);
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("修正できません"));
        QCOMPARE(m_dir->bytes(kIncome), changed);
        QCOMPARE(history->rows(), 4);
        QCOMPARE(history->text(2, 2), QStringLiteral("臨時"));
    }

    void correctedIncomeResortsTheHistory() {
        openBook(QString());
        m_dir->write(kIncome, QStringLiteral("\"2005/02/01\",\"スタート時入金\",30000\r\n"
                                             "\"2005/02/10\",\"給料\",20000\r\n"
                                             "\"2005/02/12\",\"臨時\",1000\r\n"));
        click("cmdInp");
        // A new income half typed meanwhile, on a day other than the calendar's.
        c<QLineEdit>("txtInpHizuke")->setText(QStringLiteral("2005/02/25"));
        c<QLineEdit>("txtInpRiyuu")->setText(QStringLiteral("賞与"));
        c<QLineEdit>("txtInpKingaku")->setText(QStringLiteral("5000"));
        Grid *history = c<Grid>("msgInpRireki");
        m_driver->then([](QWidget *dlg) {
            in<QDateEdit>(dlg, "dtpHizuke")->setDate(QDate(2005, 2, 20));
            in<QPushButton>(dlg, "cmdHozon")->click();
        });
        history->setCurrentCell(2, 1);
        QTest::keyClick(history, Qt::Key_F2); // a key sent to the grid itself works as well
        settle();
        QCOMPARE(history->text(2, 2), QStringLiteral("臨時"));
        QCOMPARE(history->text(3, 1), QStringLiteral("2005/02/20"));
        QCOMPARE(m_dir->text(kIncome), QStringLiteral("\"2005/02/01\",\"スタート時入金\",30000\r\n"
                                                      "\"2005/02/12\",\"臨時\",1000\r\n"
                                                      "\"2005/02/20\",\"給料\",20000\r\n"));
        m_boxes->queue(QMessageBox::Ok);
        keyOnRow(history, 3, Qt::Key_Delete);
        QCOMPARE(m_boxes->seen.last().text,
                 QStringLiteral("この入金を削除します。よろしいですか？"));
        QCOMPARE(history->rows(), 3);
        QVERIFY(!m_dir->exists(QStringLiteral("入金修正.txt")));
        // The half-typed income is saved on the day typed, its date kept too.
        click("cmdInpHozon");
        QCOMPARE(m_dir->text(kIncome), QStringLiteral("\"2005/02/01\",\"スタート時入金\",30000\r\n"
                                                      "\"2005/02/12\",\"臨時\",1000\r\n"
                                                      "\"2005/02/25\",\"賞与\",5000\r\n"));
    }
};

QTEST_MAIN(TestCorrecting)
#include "test_correcting.moc"
