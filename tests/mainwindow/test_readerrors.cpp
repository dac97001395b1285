// A book file that cannot be read while a page only shows figures: the
// window says so instead of showing an empty book without a word.
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "book/booksession.h"
#include "failingreads.h"
#include "records/incomes.h"
#include "records/payments.h"
#include "ui/grid.h"

#include "records/clock.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

class TestReadErrors : public QObject, public WindowFixture {
    Q_OBJECT
private:
    QStringList readErrors() const {
        QStringList out;
        for (const BoxAnswerer::Seen &box : m_boxes->seen)
            if (box.title == QStringLiteral("ファイル読み込みエラー")) {
                if (box.icon != QMessageBox::Warning) out << QStringLiteral("(not a warning)");
                out << box.text.section(u'\n', 0, 0);
            }
        return out;
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void unreadablePaymentsAreReportedOncePerEvent() {
        BookDir &dir = book();
        // A folder in the place of the file: it opens, but no read succeeds.
        QFile::remove(dir.file(QStringLiteral("データ.txt")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("データ.txt")));
        open();
        const QString said = QStringLiteral("「データ.txt」を読み込めませんでした。");
        QCOMPARE(readErrors(), QStringList{said});

        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 14));
        settle();
        QCOMPARE(readErrors(), (QStringList{said, said}));
        click("cmdKakei"); // the totals read the payments
        QCOMPARE(readErrors(), (QStringList{said, said, said}));
        click("cmdMain"); // the day list is read again
        QCOMPARE(readErrors(), (QStringList{said, said, said, said}));
        click("cmdFumei"); // the balance shown beside it
        QCOMPARE(readErrors(), (QStringList{said, said, said, said, said}));
    }

    // A save cut short while its file could not be read is put back at a
    // later save; the day list or the income list then no longer shows it.
    void aRecordPutBackAtASaveLeavesItsList_data() {
        QTest::addColumn<bool>("income");
        QTest::newRow("a payment") << false;
        QTest::newRow("an income") << true;
    }
    void aRecordPutBackAtASaveLeavesItsList() {
        QFETCH(bool, income);
        BookDir &dir = book();
        const QString file = income ? QStringLiteral("入金.txt") : QStringLiteral("データ.txt");
        {
            BookSession s(dir.path());
            s.openHistory();
            s.history()->begin(QStringLiteral("止まった保存")); // never ended: a crash
            QVERIFY((income
                         ? insertIncome(s.book, {"2005/02/10", "賞与", 3000}, {})
                         : insertPayment(s.book, {"2005/02/20", "駅", "交通費", 200, {}, {}}, {}))
                        .ok());
        }
        UnreadableFile bad;
        bad.make(dir.file(file));
        open();
        bad.readable(); // the disk reads again
        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 20));
        click("cmdInp");
        Grid *list = c<Grid>(income ? "msgInpRireki" : "msgDayList");
        QCOMPARE(list->text(1, income ? 2 : 1),
                 income ? QStringLiteral("賞与") : QStringLiteral("駅"));
        c<QLineEdit>("txtInpHizuke")->setText(QStringLiteral("2005/02/25"));
        c<QLineEdit>("txtInpRiyuu")->setText(QStringLiteral("給料"));
        c<QLineEdit>("txtInpKingaku")->setText(QStringLiteral("1000"));
        click("cmdInpHozon");
        QCOMPARE(m_boxes->titles().last(), QStringLiteral("途中で止まった保存"));
        QCOMPARE(dir.bytes(file), QByteArray());
        QCOMPARE(list->rows(), 1);
        // What was typed stays for the save made again, the date too.
        QCOMPARE(c<QLineEdit>("txtInpHizuke")->text(), QStringLiteral("2005/02/25"));
    }

    // An undo with the income panel open and the incomes unreadable says so
    // once; a read error the unaccounted panel said is not said again after
    // a save that went through.
    void aReadErrorOfAPanelIsSaidOnce_data() {
        QTest::addColumn<bool>("undo");
        QTest::newRow("undo beside the incomes") << true;
        QTest::newRow("unaccounted money saved") << false;
    }
    void aReadErrorOfAPanelIsSaidOnce() {
        QFETCH(bool, undo);
        BookDir &dir = book();
        const QString file = undo ? QStringLiteral("入金.txt") : QStringLiteral("データ.txt");
        if (undo) {
            BookSession s(dir.path());
            s.openHistory();
            ChangeScope change = s.change(QStringLiteral("支払い"));
            QVERIFY(insertPayment(s.book, {"2005/02/20", "駅", "交通費", 200, {}, {}}, {}).ok());
            QVERIFY(change.close().ok());
        }
        open();
        click(undo ? "cmdInp" : "cmdFumei");
        {
            dir.writeBytes(file, QByteArray("\r\n")); // changed since it was read
            UnreadableFile bad;
            bad.make(dir.file(file));
            if (undo) {
                QTest::keyClick(c<QLineEdit>("txtInpRiyuu"), Qt::Key_Z, Qt::ControlModifier);
                settle();
                QCOMPARE(readErrors().size(), 1);
                return;
            }
            c<QLineEdit>("txtInpZankin")->setText(QStringLiteral("0"));
            click("cmdHumeiCk");
        }
        m_boxes->seen.clear();
        click("cmdHumeiHozon");
        QCOMPARE(readErrors(), QStringList());
    }

    void readableBookSaysNothing() {
        book();
        open();
        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 14));
        settle();
        click("cmdKakei");
        click("cmdMain");
        QCOMPARE(readErrors(), QStringList());
    }
};

QTEST_MAIN(TestReadErrors)
#include "test_readerrors.moc"
