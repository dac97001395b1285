// Start-up, page switching, the help tour, notes and user name, driven
// through the real window with its real message boxes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "book/booksession.h"
#include "book/helptexts.h"
#include "mainwindow/mainwindow.h"
#include "records/clock.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/helpwindow.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

namespace {
QStringList itemsOf(QWidget *w) {
    QStringList out;
    if (auto *list = qobject_cast<QListWidget *>(w))
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
    return out;
}

const char *kFrames[] = {"fraTaijyu", "fraBunseki", "fraRenTai", "fraMain", "fraSettei",
                         "fraCale",   "fraMemo",    "fraKakei",  "fraSim",  "fraCyokin"};
} // namespace

class TestStartup : public QObject, public WindowFixture {
    Q_OBJECT
private:
    // The window of the test's own, to see it built under the box answerer.
    std::unique_ptr<MainWindow> openOwn() {
        m_boxes = std::make_unique<BoxAnswerer>();
        auto w = std::make_unique<MainWindow>();
        settle();
        return w;
    }
    void helpTour(bool on) {
        m_dir->write(QStringLiteral("設定.txt"),
                     QStringLiteral("\"ヘルプツアー\",%1\r\n").arg(on ? 1 : 0));
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void mastersFillTheSixListsWithDuplicates() {
        book().write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("八百屋\r\n本屋\r\n八百屋\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n教養\r\n"));
        auto w = openOwn();
        const QStringList payees{"八百屋", "本屋", "八百屋"};
        for (const char *name : {"lstMise", "lstMise2", "lstKoumoku"})
            QCOMPARE(itemsOf(child(w.get(), name)), payees);
        for (const char *name : {"cboJanru", "lstJanru2", "lstKoumoku2"})
            QCOMPARE(itemsOf(child(w.get(), name)), (QStringList{"食費", "教養"}));
        QCOMPARE(child<QComboBox>(w.get(), "cboJanru")->currentText(), QString());
        QVERIFY(m_boxes->seen.isEmpty());
    }

    void emptyMastersLeaveEveryListEmpty() {
        book();
        auto w = openOwn();
        for (const char *name :
             {"lstMise", "lstMise2", "lstKoumoku", "cboJanru", "lstJanru2", "lstKoumoku2"})
            QVERIFY(itemsOf(child(w.get(), name)).isEmpty());
        QCOMPARE(child<QComboBox>(w.get(), "cboJanru")->count(), 0);
    }

    void sampleBookShowsFebruary14thOnceBeforeTheMonth() {
        book(kSampleUserName)
            .write(QStringLiteral("データ.txt"),
                   QStringLiteral("\"2005/01/02\",\"本屋\",\"教養\",690,\"\",\"\"\r\n"
                                  "\"2005/02/14\",\"花屋\",\"交際費\",1500,\"\",\"\"\r\n"
                                  "\"2005/02/14\",\"駅\",\"交通費\",320,\"\",\"\"\r\n"));
        m_dir->write(QStringLiteral("入金.txt"),
                     QStringLiteral("\"2005/01/01\",\"スタート時入金\",50000\r\n"));
        QString monthWhenAsked = QStringLiteral("unset");
        m_boxes = std::make_unique<BoxAnswerer>();
        auto *boxes = m_boxes.get();
        std::unique_ptr<MainWindow> w;
        boxes->onSeen = [&](const BoxAnswerer::Seen &) {
            monthWhenAsked = qApp->findChild<QLabel *>(QStringLiteral("lblMonSt"))
                                 ? QStringLiteral("?")
                                 : QString();
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *label = top->findChild<QLabel *>(QStringLiteral("lblMonSt")))
                    monthWhenAsked = label->text();
        };
        w = std::make_unique<MainWindow>();
        settle();
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen[0].title, QStringLiteral("サンプル表示"));
        QCOMPARE(boxes->seen[0].text,
                 QStringLiteral("サンプルとして2005年02月14日のデータを表示させています。"));
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(monthWhenAsked, QString()); // the month is drawn after the box
        QVERIFY(w->session().sampleMode);
        QCOMPARE(child<MonthCalendar>(w.get(), "mtvmain")->value(), QDate(2005, 2, 14));
        auto *days = child<Grid>(w.get(), "msgDayList");
        QCOMPARE(days->rows(), 3);
        QCOMPARE(days->text(1, 1), QStringLiteral("花屋"));
        QCOMPARE(days->text(2, 3), QStringLiteral("¥320"));
        QCOMPARE(child<QLabel>(w.get(), "lblMonKeika")->text(), QStringLiteral("14日"));
    }

    void anotherUserNameIsNoSample() {
        book(QStringLiteral("山田"))
            .write(QStringLiteral("データ.txt"),
                   QStringLiteral("\"2005/01/02\",\"本屋\",\"教養\",690,\"\",\"\"\r\n"));
        auto w = openOwn();
        QVERIFY(!w->session().sampleMode);
        QVERIFY(m_boxes->seen.isEmpty());
        QCOMPARE(child<MonthCalendar>(w.get(), "mtvmain")->value(), QDate(2005, 2, 20));
    }

    void helpTourGreetsAfterTheMainPageIsDrawn() {
        book();
        helpTour(true);
        const QByteArray settings = m_dir->bytes(QStringLiteral("設定.txt"));
        const QDateTime written = QFileInfo(m_dir->file(QStringLiteral("設定.txt"))).lastModified();
        bool mainShown = false;
        QString elapsed;
        m_boxes = std::make_unique<BoxAnswerer>();
        m_boxes->onSeen = [&](const BoxAnswerer::Seen &) {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *main = top->findChild<QWidget *>(QStringLiteral("fraMain"))) {
                    mainShown = main->isVisible();
                    elapsed = top->findChild<QLabel *>(QStringLiteral("lblMonKeika"))->text();
                }
        };
        auto w = std::make_unique<MainWindow>();
        settle();
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("ヘルプツアー"));
        QCOMPARE(m_boxes->seen[0].text, helptext::introduction());
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(mainShown);
        QCOMPARE(elapsed, QStringLiteral("20日"));
        // The stored flag ticks the box without a message or a write.
        QVERIFY(child<QAbstractButton>(w.get(), "chkHelp")->isChecked());
        QCOMPARE(m_dir->bytes(QStringLiteral("設定.txt")), settings);
        QCOMPARE(QFileInfo(m_dir->file(QStringLiteral("設定.txt"))).lastModified(), written);
    }

    void introductionTextReadsAsWritten() {
        const QString intro = helptext::introduction();
        QVERIFY(intro.startsWith(
            QStringLiteral("ミルテアに興味をもっていただきありがとうございます。(^o^)／\r\n\r\n")));
        QVERIFY(intro.contains(QStringLiteral("継続を促します。 \r\n\r\n<入力方法>\r\n")));
        QVERIFY(
            intro.endsWith(QStringLiteral("グラフは一ヶ月間の支払いの推移と残金推移です。\r\n")));
        QCOMPARE(intro.count(QStringLiteral("\r\n")), 19);
        QVERIFY(helptext::taijyu().contains(QStringLiteral("\r\n　※直接任意の語句を入力")));
        QVERIFY(helptext::cale().contains(QStringLiteral("多いよ…　などの")));
        QVERIFY(helptext::syoukai().endsWith(QStringLiteral(
            "\r\n\r\n\r\n注意）保存機能はありません。別ページを開くとクリアされます。\r\n")));
    }

    void helpTourOffShowsNothing() {
        book();
        auto w = openOwn();
        QVERIFY(m_boxes->seen.isEmpty());
        QVERIFY(!child<QAbstractButton>(w.get(), "chkHelp")->isChecked());
        QVERIFY(!child<QAbstractButton>(w.get(), "cmdTaiHozon")->isEnabled());
        QVERIFY(!child<Chart>(w.get(), "mcrMain")->seriesVisible(2));
        QVERIFY(child<Chart>(w.get(), "mcrMain")->seriesVisible(1));
    }

    void smileyBoxSwitchesTheTourAndRemembersIt() {
        book();
        auto w = openOwn();
        auto *smiley = child<QAbstractButton>(w.get(), "chkHelp");
        smiley->click();
        settle();
        QCOMPARE(m_boxes->titles(), QStringList{"ヘルプツアーＯＮ"});
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("ヘルプツアー機能をオンにします。"));
        QCOMPARE(m_dir->bytes(QStringLiteral("設定.txt")),
                 sjis(QStringLiteral("\"ヘルプツアー\",1\r\n")));
        smiley->click();
        settle();
        QCOMPARE(m_boxes->titles(), (QStringList{"ヘルプツアーＯＮ", "ヘルプツアーＯＦＦ"}));
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("ヘルプツアー機能をオフにします。"));
        QCOMPARE(m_dir->bytes(QStringLiteral("設定.txt")),
                 sjis(QStringLiteral("\"ヘルプツアー\",0\r\n")));
    }

    void pageButtonsShowTheirPageAndExplainItOnce() {
        book();
        helpTour(true);
        auto w = openOwn();
        m_boxes->seen.clear();
        const struct {
            const char *button, *frame;
            QString help;
        } pages[] = {
            {"cmdKakei", "fraKakei", helptext::kakei()},
            {"cmdRentai", "fraRenTai", helptext::rentai()},
            {"cmdCyokin", "fraCyokin", helptext::cyokin()},
            {"cmdSyoukai", "fraSim", helptext::syoukai()},
            {"cmdTaijyu", "fraTaijyu", helptext::taijyu()},
            {"cmdBunseki", "fraBunseki", helptext::bunseki()},
            {"cmdCale", "fraCale", helptext::cale()},
            {"cmdMemo", "fraMemo", helptext::memo()},
            {"cmdSettei", "fraSettei", helptext::settei()},
        };
        for (const auto &page : pages) {
            QString shownWhenAsked;
            m_boxes->onSeen = [&](const BoxAnswerer::Seen &) {
                for (const char *frame : kFrames)
                    if (child(w.get(), frame)->isVisible())
                        shownWhenAsked += QString::fromLatin1(frame);
            };
            child<QAbstractButton>(w.get(), page.button)->click();
            settle();
            QCOMPARE(m_boxes->seen.size(), 1);
            QCOMPARE(m_boxes->seen[0].title, QStringLiteral("ヘルプツアー"));
            QCOMPARE(m_boxes->seen[0].text, page.help);
            QCOMPARE(shownWhenAsked, QString::fromLatin1(page.frame));
            // The page's own button does nothing.
            child<QAbstractButton>(w.get(), page.button)->click();
            settle();
            QCOMPARE(m_boxes->seen.size(), 1);
            m_boxes->seen.clear();
        }
        child<QAbstractButton>(w.get(), "cmdMain")->click();
        settle();
        QVERIFY(m_boxes->seen.isEmpty());
        for (const char *frame : kFrames)
            QCOMPARE(child(w.get(), frame)->isVisible(), qstrcmp(frame, "fraMain") == 0);
    }

    void mainButtonOnTheMainPageDoesNotReloadTheDayList() {
        book();
        auto w = openOwn();
        m_dir->write(QStringLiteral("データ.txt"),
                     QStringLiteral("\"2005/02/20\",\"本屋\",\"教養\",690,\"\",\"\"\r\n"));
        child<QAbstractButton>(w.get(), "cmdMain")->click();
        settle();
        QCOMPARE(child<Grid>(w.get(), "msgDayList")->rows(), 1);
        child<QAbstractButton>(w.get(), "cmdMemo")->click();
        child<QAbstractButton>(w.get(), "cmdMain")->click();
        settle();
        QCOMPARE(child<Grid>(w.get(), "msgDayList")->rows(), 2);
    }

    void titleSpellingsAndNameSave() {
        book(QStringLiteral("山田"));
        auto w = openOwn();
        QCOMPARE(w->windowTitle(), QStringLiteral("山田  の ミルテア"));
        child<QAbstractButton>(w.get(), "cmdSettei")->click();
        auto *name = child<QLineEdit>(w.get(), "txtPriData");
        QCOMPARE(name->text(), QStringLiteral("山田"));
        name->setText(QStringLiteral("花子"));
        child<QAbstractButton>(w.get(), "cmdPHozon1")->click();
        settle();
        QCOMPARE(w->windowTitle(), QStringLiteral("花子  のミルテア"));
        QCOMPARE(m_boxes->titles(), QStringList{"保存終了"});
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("保存が終了しました"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Information);
        QCOMPARE(m_dir->bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")),
                 sjis(QStringLiteral("\"氏名\",\"花子\"\r\n")));
        name->clear();
        child<QAbstractButton>(w.get(), "cmdPHozon1")->click();
        settle();
        QCOMPARE(w->windowTitle(), QStringLiteral(" ミルテア"));
        QCOMPARE(m_dir->bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")),
                 sjis(QStringLiteral("\"氏名\",\"\"\r\n")));
        // A name the file cannot hold is refused and nothing changes.
        name->setText(QStringLiteral("花\"子"));
        child<QAbstractButton>(w.get(), "cmdPHozon1")->click();
        settle();
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("保存できない文字"));
        QCOMPARE(m_boxes->seen.last().icon, QMessageBox::Warning);
        QCOMPARE(w->windowTitle(), QStringLiteral(" ミルテア"));
        QCOMPARE(m_dir->bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")),
                 sjis(QStringLiteral("\"氏名\",\"\"\r\n")));
    }

    void emptyNameTitleAtStartUp() {
        book(QString());
        auto w = openOwn();
        QCOMPARE(w->windowTitle(), QStringLiteral(" ミルテア"));
    }

    void notesRoundTrip() {
        book().write(QStringLiteral("気付きメモ.txt"), QStringLiteral("a\r\nb\r\n"));
        auto w = openOwn();
        auto *notes = child<QPlainTextEdit>(w.get(), "txtKizuki");
        QCOMPARE(notes->toPlainText(), QStringLiteral("a\nb"));
        notes->setPlainText(QStringLiteral("x\ny\n"));
        child<QAbstractButton>(w.get(), "cmdKizukiHozon")->click();
        settle();
        QVERIFY(m_boxes->seen.isEmpty());
        QCOMPARE(m_dir->bytes(QStringLiteral("気付きメモ.txt")), QByteArray("x\r\ny\r\n\r\n"));
        notes->setPlainText(QStringLiteral("絵文字😀"));
        child<QAbstractButton>(w.get(), "cmdKizukiHozon")->click();
        settle();
        QCOMPARE(m_boxes->titles(), QStringList{"保存できない文字"});
        QCOMPARE(m_dir->bytes(QStringLiteral("気付きメモ.txt")), QByteArray("x\r\ny\r\n\r\n"));
    }

    void emptyNotesStayEmpty() {
        book();
        auto w = openOwn();
        QCOMPARE(child<QPlainTextEdit>(w.get(), "txtKizuki")->toPlainText(), QString());
    }

    void everyControlCarriesItsName() {
        book();
        auto w = openOwn();
        QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
        const char *buttons[] = {
            "cmdMain",        "cmdKakei",     "cmdRentai",      "cmdCyokin",  "cmdSyoukai",
            "cmdTaijyu",      "cmdBunseki",   "cmdCale",        "cmdMemo",    "cmdSettei",
            "cmdHelp",        "cmdOwari",     "cmdTaiHozon",    "cmdFree",    "cmdFumei",
            "cmdInp",         "cmdInpHozon",  "cmdInpModori",   "cmdHumeiCk", "cmdHumeiHozon",
            "cmdFumeiModori", "cmdKensaku",   "cmdWeek_0",      "cmdWeek_6",  "cmdAllWeek",
            "cmdKikan1",      "cmdKikan8",    "cmdKikan2",      "cmdKikan3",  "cmdKikan4",
            "cmdKikan5",      "cmdKikan6",    "cmdKikan7",      "cmdKikanF",  "cmdAllDay",
            "cmdAllact",      "cmdSort1",     "cmdSort2",       "cmdSort3",   "cmdSort4",
            "cmdSort5",       "cmdMemoHozon", "cmdKizukiHozon", "cmdNew2",    "cmdDel",
            "cmdDel2",        "cmdSort",      "cmdChg",         "cmdNew3",    "cmdDel3",
            "cmdDel4",        "cmdSort10",    "cmdChg2",        "cmdPHozon1", "cmdNew1",
            "cmdStHozon",     "cmdYame",      "cmdHozonSim"};
        for (const char *name : buttons)
            QVERIFY2(child<QAbstractButton>(w.get(), name), name);
        for (const char *name : {"chkHelp", "chkKijun"})
            QVERIFY(child<QAbstractButton>(w.get(), name)->isCheckable());
        for (const char *name :
             {"optList2_0", "optList2_1", "optList1_0", "optList1_1", "optList3_0", "optList3_1"})
            QVERIFY2(child<QRadioButton>(w.get(), name), name);
        for (const char *name :
             {"lblDayTotal", "lblMonSt", "lblMonAdd", "lblMonTotal", "lblMonOut", "lblMonZan",
              "lblMonKeika", "lblMonKeikaAvg", "lblMonZanbi", "lblMonZanAvg", "lblMHyouka",
              "imgniko", "imgwara", "imgkana", "imgNashi", "lblDzan", "lblHumeiKin", "lblMuda"})
            QVERIFY2(child<QLabel>(w.get(), name), name);
        for (const char *name : {"txtOutInp", "txtInpHizuke", "txtInpRiyuu", "txtInpKingaku",
                                 "txtInpZankin", "txtSim2", "txtKey2", "txtKey", "txtMemo",
                                 "txtChg", "txtChg2", "txtPriData", "txtNowJyou", "txtPriData1"})
            QVERIFY2(child<QLineEdit>(w.get(), name), name);
        QVERIFY(child<QPlainTextEdit>(w.get(), "txtKizuki"));
        for (const char *name : {"lstMise", "lstMise2", "lstJanru2", "lstKoumoku", "lstKoumoku2"})
            QVERIFY2(child<QListWidget>(w.get(), name), name);
        for (const char *name : {"cboJanru", "cboStdate", "cboEddate", "cboSt_Date"})
            QVERIFY2(child<QComboBox>(w.get(), name)->isEditable(), name);
        QVERIFY(child<QComboBox>(w.get(), "cboSelMonth"));
        const struct {
            const char *name;
            int fixedCols, cols;
        } grids[] = {{"msgDayList", 1, 4}, {"msgInpRireki", 0, 3}, {"msgKakei1", 3, 4},
                     {"msgKakei2", 3, 4},  {"msgRireki", 0, 2},    {"msgCyokin", 0, 5},
                     {"msgSim1", 0, 4},    {"msgSim2", 0, 4},      {"msgBunseki", 1, 15},
                     {"msgIchiran", 1, 7}, {"msgCale", 0, 32},     {"msgCale_w", 0, 8},
                     {"msgMemoList", 1, 6}};
        for (const auto &g : grids) {
            auto *grid = child<Grid>(w.get(), g.name);
            QVERIFY2(grid, g.name);
            QCOMPARE(grid->fixedRows(), 1);
            QCOMPARE(grid->fixedCols(), g.fixedCols);
            if (qstrcmp(g.name, "msgDayList") != 0) QCOMPARE(grid->cols(), g.cols);
        }
        for (const char *name : {"mcrMain", "mcrRentai", "mcrCyokin", "mcrYosou", "mcrBunseki",
                                 "mcrKensu", "mcrKingaku"})
            QVERIFY2(child<Chart>(w.get(), name), name);
        for (const char *name : {"mtvmain", "mtvSim"})
            QVERIFY2(child<MonthCalendar>(w.get(), name), name);
        for (const char *name : {"fraInpKIn", "fraInpHumei", "fraNew", "Frame5_0", "Frame5_1"})
            QVERIFY2(child(w.get(), name), name);
        for (const char *name : {"fraInpKIn", "fraInpHumei", "fraNew"})
            QVERIFY2(child(w.get(), name)->isHidden(), name);
        QCOMPARE(child<QAbstractButton>(w.get(), "cmdKakei")->text(), QStringLiteral("集計"));
        QCOMPARE(child<QAbstractButton>(w.get(), "cmdKakei")->toolTip(),
                 QStringLiteral("月別、日別の支出集計を表示します"));
        QCOMPARE(child<QAbstractButton>(w.get(), "chkHelp")->toolTip(),
                 QStringLiteral("ヘルプツアーのＯｎ／Ｏｆｆです"));
        QCOMPARE(child<QAbstractButton>(w.get(), "cmdWeek_3")->text(), QStringLiteral("水"));
        QCOMPARE(child<QAbstractButton>(w.get(), "cmdSort1")->text(),
                 QStringLiteral("回 （日付）"));
    }

    void helpOpensTheProgramsOwnHelpAndExitClosesIt() {
        book();
        auto w = openOwn();
        child<QAbstractButton>(w.get(), "cmdHelp")->click();
        settle();
        auto *help = w->findChild<HelpWindow *>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(help->isWindow());
        QVERIFY(help->findChild<QTextBrowser *>()->toPlainText().contains(
            QStringLiteral("ミルテア ヘルプ")));
        child<QAbstractButton>(w.get(), "cmdOwari")->click();
        settle();
        QVERIFY(!help->isVisible());
        QVERIFY(!w->isVisible());
    }

    void bookCopiedFromWindowsIsReadInAnyLetterCase() {
        book();
        QFile::remove(m_dir->file(QStringLiteral("データ.txt")));
        m_dir->write(QStringLiteral("データ.TXT"),
                     QStringLiteral("\"2005/02/20\",\"本屋\",\"教養\",690,\"\",\"\"\r\n"));
        auto w = openOwn();
        QCOMPARE(child<Grid>(w.get(), "msgDayList")->rows(), 2);
        QCOMPARE(w->session().lastPayDate(), QStringLiteral("2005/02/20"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
