// Budgets through the real window: registered, picked and removed on the
// edit page with the file's bytes, and what is left shown beside the
// amount box while a payment is entered.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "failingreads.h"
#include "records/clock.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/palette.h"
#include "windowfixture.h"

namespace {
const QString kBudgets = QStringLiteral("予算.txt");
const QString kFixed = QStringLiteral("固定費.txt");
} // namespace

class TestBudgets : public QObject, public WindowFixture {
    Q_OBJECT

    void openBook() {
        book().write(QStringLiteral("データ.txt"),
                     QStringLiteral("\"2005/02/01\",\"八百屋\",\"食費\",30000,\"\",\"\"\r\n"
                                    "\"2005/01/31\",\"八百屋\",\"食費\",99999,\"\",\"\"\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n教養\r\n"));
        m_dir->write(QStringLiteral("支払いマスタ.txt"), QStringLiteral("八百屋\r\n"));
        Clock::setToday(QDate(2005, 2, 14));
        open();
    }

private slots:
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void theEditPageRegistersPicksAndRemoves() {
        openBook();
        click("cmdSettei");
        c<QComboBox>("cboYosanJanru")->setCurrentText(QStringLiteral("教養"));
        c<QLineEdit>("txtYosan")->setText(QStringLiteral("abc"));
        click("cmdYosan");
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("金額異常"));
        QVERIFY(!m_dir->exists(kBudgets));
        c<QLineEdit>("txtYosan")->setText(QStringLiteral("3,000"));
        click("cmdYosan");
        c<QComboBox>("cboYosanJanru")->setCurrentText(QStringLiteral("食費"));
        c<QLineEdit>("txtYosan")->setText(QStringLiteral("40000"));
        click("cmdYosan");
        QCOMPARE(m_dir->bytes(kBudgets),
                 sjis(QStringLiteral("\"教養\",3000\r\n\"食費\",40000\r\n")));
        auto *list = c<QListWidget>("lstYosan");
        QCOMPARE(list->item(0)->text(), QStringLiteral("教養　3,000円"));
        list->setCurrentRow(0);
        emit list->itemClicked(list->item(0));
        QCOMPARE(c<QLineEdit>("txtYosan")->text(), QStringLiteral("3000"));
        click("cmdYosanDel");
        QCOMPARE(m_dir->bytes(kBudgets), sjis(QStringLiteral("\"食費\",40000\r\n")));
    }

    void theMainPageShowsWhatIsLeftAndWhenItIsPassed() {
        openBook();
        m_dir->write(kBudgets, QStringLiteral("\"食費\",40000\r\n\"教養\",100\r\n"));
        auto *category = c<QComboBox>("cboJanru");
        auto *label = c<QLabel>("lblYosan");
        category->setEditText(QStringLiteral("食費"));
        QVERIFY(label->isVisibleTo(m_w.get()));
        QCOMPARE(label->text(), QStringLiteral("予算残り 10,000円"));
        category->setEditText(QStringLiteral("雑費"));
        QVERIFY(!label->isVisibleTo(m_w.get()));
        m_dir->write(kBudgets, QStringLiteral("\"食費\",20000\r\n"));
        QTest::qWait(150); // the file's times move on
        category->setEditText(QStringLiteral("食費"));
        QCOMPARE(label->text(), QStringLiteral("予算超過 10,000円"));
        QCOMPARE(label->palette().color(QPalette::Window), palette::behindPace);
    }

    void theTotalsPageShowsBudgetAgainstSpending() {
        openBook();
        m_dir->write(kBudgets, QStringLiteral("\"教養\",100\r\n\"食費\",20000\r\n"));
        click("cmdKakei");
        c<QRadioButton>("optList2_2")->click();
        settle();
        auto *grid = c<Grid>("msgKakei1");
        QCOMPARE(grid->rows(), 3);
        QCOMPARE(grid->text(0, 0), QStringLiteral("2005年02月　費目"));
        QCOMPARE(grid->text(2, 3), QStringLiteral("-¥10,000"));
        QCOMPARE(grid->cellBackColor(2, 0), palette::behindPace);
        QCOMPARE(c<Chart>("mcrYosan")->value(2, 2), 30000.0);
        QVERIFY(!c("msgKakei2")->isVisibleTo(m_w.get()));
    }

    // At start-up the payments due this month are offered; 登録 enters the
    // checked ones in date order, 今月はしない none, and both mark the month.
    void dueFixedPaymentsAreOfferedAtStartUp_data() {
        QTest::addColumn<bool>("enter");
        QTest::newRow("登録") << true;
        QTest::newRow("今月はしない") << false;
    }
    void dueFixedPaymentsAreOfferedAtStartUp() {
        QFETCH(bool, enter);
        book().write(QStringLiteral("データ.txt"),
                     QStringLiteral("\"2005/02/12\",\"八百屋\",\"食費\",100,\"\",\"\"\r\n"));
        m_dir->write(kFixed, QStringLiteral("\"大家\",\"住居費\",65000,14,\"2005/01\"\r\n"
                                            "\"新聞\",\"教養\",4000,1,\"\"\r\n"
                                            "\"電力会社\",\"光熱費\",9000,20,\"\"\r\n"));
        Clock::setToday(QDate(2005, 2, 14));
        ModalDriver driver;
        QString title;
        driver.then([&](QWidget *dlg) {
            title = dlg->windowTitle();
            dlg->findChild<QAbstractButton *>(enter ? "cmdKoteiTouroku" : "cmdKoteiSkip")->click();
        });
        open();
        QVERIFY(driver.done());
        QCOMPARE(title, QStringLiteral("固定費の登録"));
        QCOMPARE(m_dir->text(QStringLiteral("データ.txt")),
                 QStringLiteral("\"2005/02/01\",\"新聞\",\"教養\",4000,\"\",\"\"\r\n")
                         .repeated(enter ? 1 : 0) +
                     QStringLiteral("\"2005/02/12\",\"八百屋\",\"食費\",100,\"\",\"\"\r\n") +
                     QStringLiteral("\"2005/02/14\",\"大家\",\"住居費\",65000,\"\",\"\"\r\n")
                         .repeated(enter ? 1 : 0));
        QCOMPARE(m_dir->text(kFixed), QStringLiteral("\"大家\",\"住居費\",65000,14,\"2005/02\"\r\n"
                                                     "\"新聞\",\"教養\",4000,1,\"2005/02\"\r\n"
                                                     "\"電力会社\",\"光熱費\",9000,20,\"\"\r\n"));
    }

    // A category renamed on the edit page takes the budget's choice along:
    // the budget registered next is the one that moved with it.
    void aRenamedCategoryTakesTheBudgetChoiceAlong_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("the first, shown") << 0;
        QTest::newRow("the second, picked from the budgets") << 1;
    }
    void aRenamedCategoryTakesTheBudgetChoiceAlong() {
        QFETCH(int, row);
        openBook();
        const QString category = row == 0 ? QStringLiteral("食費") : QStringLiteral("教養");
        m_dir->write(kBudgets, QStringLiteral("\"%1\",30000\r\n").arg(category));
        click("cmdSettei");
        auto *budgets = c<QListWidget>("lstYosan");
        budgets->setCurrentRow(0);
        emit budgets->itemClicked(budgets->item(0));
        c<ListBox>("lstKoumoku2")->clickRow(row);
        c<QLineEdit>("txtChg2")->setText(QStringLiteral("新費目"));
        click("cmdChg2");
        c<QLineEdit>("txtYosan")->setText(QStringLiteral("40000"));
        click("cmdYosan");
        QCOMPARE(m_dir->text(kBudgets), QStringLiteral("\"新費目\",40000\r\n"));
    }

    // A file whose rewrite would lose a character is not offered in silence.
    void aFixedPaymentAddedWhileTheOfferIsOpenStays() {
        book().write(kFixed, QStringLiteral("\"大家\",\"住居費\",65000,1,\"\"\r\n"));
        Clock::setToday(QDate(2005, 2, 14));
        const QString added = QStringLiteral("\"電話\",\"通信費\",3000,27,\"\"\r\n");
        ModalDriver driver;
        driver.then([&](QWidget *dlg) {
            m_dir->write(kFixed, added + QStringLiteral("\"大家\",\"住居費\",65000,1,\"\"\r\n"));
            dlg->findChild<QAbstractButton *>("cmdKoteiTouroku")->click();
        });
        open();
        QVERIFY(driver.done());
        QCOMPARE(m_dir->text(kFixed),
                 added + QStringLiteral("\"大家\",\"住居費\",65000,1,\"2005/02\"\r\n"));
    }

    void dueFixedPaymentsOfAFileCp932CannotHoldAreSaidNotOffered() {
        book().writeBytes(kFixed,
                          "\xEF\xBB\xBF" + QStringLiteral("\"大家\",\"住居費\",65000,1,\"\"\r\n"
                                                          "\"🎵配信\",\"教養\",980,1,\"\"\r\n")
                                               .toUtf8());
        Clock::setToday(QDate(2005, 2, 14));
        open();
        QCOMPARE(m_boxes->titles(), QStringList{"固定費の登録"});
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral(
                     "「固定費.txt」にある「🎵」はShift-JISで書けないため、"
                     "今月の固定費を出していません。このファイルからその文字を除いてください。"));
    }

    // A row picked is the payment the user saw: a file another program
    // changed since is not written, and the list shows it anew.
    void aFixedPaymentPickedIsTheOneListed_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<QString>("title");
        QTest::newRow("change") << QStringLiteral("cmdKoteiChg") << false << "固定費の保存";
        QTest::newRow("delete") << QStringLiteral("cmdKoteiDel") << false << "固定費の保存";
        QTest::newRow("unreadable")
            << QStringLiteral("cmdKoteiDel") << true << "ファイル読み込みエラー";
    }
    void aFixedPaymentPickedIsTheOneListed() {
        QFETCH(QString, button);
        QFETCH(bool, unreadable);
        QFETCH(QString, title);
        const QString two = QStringLiteral("\"八百屋\",\"食費\",1000,20,\"\"\r\n"
                                           "\"本屋\",\"教養\",2000,21,\"\"\r\n");
        const QString three = QStringLiteral("\"花屋\",\"教養\",3000,22,\"\"\r\n") + two;
        openBook();
        m_dir->write(kFixed, two);
        click("cmdSettei");
        ModalDriver driver;
        int rows = 0;
        driver.then([&](QWidget *dlg) {
            m_dir->write(kFixed, three);
            UnreadableFile bad;
            if (unreadable) bad.make(m_dir->file(kFixed));
            auto *list = dlg->findChild<QListWidget *>("lstKotei");
            list->setCurrentRow(1);
            dlg->findChild<QAbstractButton *>(button)->click();
            rows = list->count();
            dlg->findChild<QAbstractButton *>("cmdKoteiClose")->click();
        });
        click("cmdKotei");
        QVERIFY(driver.done());
        QCOMPARE(m_boxes->titles(), QStringList{title});
        QCOMPARE(m_dir->text(kFixed), three);
        QCOMPARE(rows, unreadable ? 2 : 3);
    }

    void theEditPageRegistersChangesAndRemovesFixedPayments() {
        openBook();
        click("cmdSettei");
        ModalDriver driver;
        driver.then([](QWidget *dlg) {
            dlg->findChild<QComboBox *>("cboKoteiJanru")->setCurrentText(QStringLiteral("教養"));
            dlg->findChild<QLineEdit *>("txtKoteiGaku")->setText(QStringLiteral("3,000"));
            dlg->findChild<QLineEdit *>("txtKoteiBi")->setText(QStringLiteral("31"));
            dlg->findChild<QAbstractButton *>("cmdKoteiAdd")->click();
            auto *list = dlg->findChild<QListWidget *>("lstKotei");
            list->setCurrentRow(0);
            emit list->itemClicked(list->item(0));
            dlg->findChild<QLineEdit *>("txtKoteiBi")->setText(QStringLiteral("25"));
            dlg->findChild<QAbstractButton *>("cmdKoteiChg")->click();
        });
        driver.then([&](QWidget *dlg) {
            QCOMPARE(m_dir->text(kFixed), QStringLiteral("\"八百屋\",\"教養\",3000,25,\"\"\r\n"));
            dlg->findChild<QListWidget *>("lstKotei")->setCurrentRow(0);
            dlg->findChild<QAbstractButton *>("cmdKoteiDel")->click();
            dlg->findChild<QAbstractButton *>("cmdKoteiClose")->click();
        });
        click("cmdKotei");
        QVERIFY(driver.done());
        QCOMPARE(m_dir->text(kFixed), QString());
    }
};

QTEST_MAIN(TestBudgets)
#include "test_budgets.moc"
