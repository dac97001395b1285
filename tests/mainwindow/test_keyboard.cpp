// The window from the keyboard alone: the payment road, page keys, Escape on
// the panels, the focus on opening, and a name on every control.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "book/helptexts.h"
#include "mainwindow/mainpage.h"
#include "records/clock.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/keyboard.h"
#include "ui/listbox.h"
#include "ui/palette.h"

#include "keyboardfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
} // namespace

class TestKeyboard : public QObject, public KeyboardFixture {
    Q_OBJECT
private:
    // The named controls the focus passes through from the calendar until it
    // comes back to it.
    QStringList tabRound() {
        QStringList seen;
        for (int i = 0; i < 80; ++i) {
            press(Qt::Key_Tab);
            const QString name = focusName();
            if (name == QLatin1String("mtvmain")) break;
            if (seen.isEmpty() || seen.last() != name) seen << name;
        }
        return seen;
    }

private slots:
    void init() {
        Clock::setToday(QDate(2005, 2, 14));
        m_keys = 0;
    }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    // --- The payment road ---

    void windowOpensInTheCalendarAndTabRunsThePaymentRoad() {
        book();
        storeMasters();
        openActive();
        QCOMPARE(focusName(), QStringLiteral("mtvmain"));
        const QStringList round = tabRound();
        QCOMPARE(round.mid(0, 3), (QStringList{"lstMise", "cboJanru", "txtOutInp"}));
        // The save button is skipped while disabled; the page's other buttons
        // follow, and the bar closes the round.
        QCOMPARE(round.mid(3, 3), (QStringList{"cmdFree", "cmdFumei", "cmdInp"}));
        const qsizetype bar = round.indexOf(QStringLiteral("cmdMain"));
        QVERIFY(bar > round.indexOf(QStringLiteral("msgDayList")));
        QVERIFY(bar > round.indexOf(QStringLiteral("chkKijun")));
        QCOMPARE(round.last(), QStringLiteral("chkHelp"));
        QCOMPARE(focusName(), QStringLiteral("mtvmain"));

        // With a payee chosen the save button is next after the amount.
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdTaiHozon"));
    }

    void paymentOnTheNextDayTakesFourKeys() {
        book();
        storeMasters();
        openActive();
        press(Qt::Key_Right); // the next day in the calendar
        press(Qt::Key_Tab);   // on to the payee list
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
        // The day list followed the day chosen by key.
        QCOMPARE(m_w->session().firstPayDate(), QString());
        press(Qt::Key_End); // the last payee; its category comes with it
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QStringLiteral("趣味"));
        digits("500");
        press(Qt::Key_Return);
        QCOMPARE(m_keys, 4);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/15", "花屋", "趣味", 500));
        auto *days = c<Grid>("msgDayList");
        QCOMPARE(days->rows(), 2);
        QCOMPARE(days->text(1, 1), QStringLiteral("花屋"));
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
    }

    // A week of receipts on a book of the sample's shape (its payees, their
    // categories and its five weeks of records), saved under a user's own
    // name: the sample itself refuses every save.
    void aWeekOfReceiptsFromThePile() {
        m_dir = std::make_unique<BookDir>();
        for (const QFileInfo &f :
             QDir(QStringLiteral(MILTEA_SAMPLE_DIR)).entryInfoList(QDir::Files))
            QVERIFY(QFile::copy(f.filePath(), m_dir->file(f.fileName())));
        m_dir->enter();
        m_dir->write(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("\"氏名\",\"はなこ\"\r\n"));
        const QByteArray before = m_dir->bytes(kData);
        Clock::setToday(QDate(2005, 3, 12));
        openActive();
        const qsizetype boxesAtOpen = m_boxes->seen.size(); // the help tour's welcome
        // A payee by its first kana or its word, committed through the input method.
        const auto payee = [&](const char *typed) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8(typed));
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
            ++m_keys;
            settle();
        };
        const struct {
            const char *typed, *payee, *category, *amount;
        } week[7][3] = {
            {{"す", "スーパー丸正", "食費", "2380"},
             {"こ", "コンビニ", "食費", "420"},
             {"喫茶店", "喫茶店", "外食", "560"}},
            {{"駅", "駅", "交通費", "320"},
             {"こ", "コンビニ", "食費", "180"},
             {"八百屋", "八百屋", "食費", "640"}},
            {{"す", "スーパー丸正", "食費", "1950"},
             {"ど", "ドラッグストア", "日用品", "880"},
             {"本屋", "本屋", "教養", "1200"}},
            {{"駅", "駅", "交通費", "320"},
             {"れ", "レストラン", "外食", "1480"},
             {"こ", "コンビニ", "食費", "260"}},
            {{"1", "100円ショップ", "日用品", "315"},
             {"八百屋", "八百屋", "食費", "530"},
             {"駅", "駅", "交通費", "320"}},
            {{"す", "スーパー丸正", "食費", "2740"},
             {"がそ", "ガソリンスタンド", "交通費", "4300"},
             {"け", "ケーキ屋", "交際費", "1600"}},
            {{"花屋", "花屋", "交際費", "1080"},
             {"こ", "コンビニ", "食費", "350"},
             {"す", "スーパー丸正", "食費", "1560"}},
        };
        for (int i = 0; i < 6; ++i)
            press(Qt::Key_Left); // back to Sunday the 6th
        press(Qt::Key_Tab);      // the day chosen, on to the payee list
        QString expected;
        for (int day = 0; day < 7; ++day) {
            if (day > 0) { // the next day: back to the calendar, one day on, to the list
                press(Qt::Key_Tab, Qt::ShiftModifier);
                press(Qt::Key_Right);
                press(Qt::Key_Tab);
            }
            const QString date = QDate(2005, 3, 6 + day).toString(QStringLiteral("yyyy/MM/dd"));
            for (const auto &r : week[day]) {
                payee(r.typed);
                QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QString::fromUtf8(r.category));
                digits(r.amount);
                press(Qt::Key_Return);
                expected +=
                    payLine(qPrintable(date), r.payee, r.category, QByteArray(r.amount).toInt());
            }
            QCOMPARE(c<Grid>("msgDayList")->rows(), 4);
            QCOMPARE(focusName(), QStringLiteral("lstMise"));
        }
        // 21 receipts in 6 + 1 + 6 x 3 + 21 x 2 keys besides the digits.
        QCOMPARE(m_keys, 67);
        QCOMPARE(m_dir->bytes(kData), before + sjis(expected));
        QCOMPARE(m_boxes->seen.size(), boxesAtOpen); // not one box on the way
        QCOMPARE(c<QLabel>("lblDayTotal")->text(), QStringLiteral("2,990円"));
    }

    void enterInTheCalendarChoosesTheDayAsAClickDoes() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        storeMasters();
        openActive();
        press(Qt::Key_Left);
        QCOMPARE(c<Grid>("msgDayList")->rows(), 1); // moved, not yet chosen
        press(Qt::Key_Return);
        QCOMPARE(c<Grid>("msgDayList")->rows(), 2);
        QCOMPARE(c<Grid>("msgDayList")->text(1, 1), QStringLiteral("本屋"));
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
    }

    void threeReceiptsOfOneDayInARow() {
        book();
        storeMasters();
        openActive();
        press(Qt::Key_Tab);
        m_keys = 0;
        press(Qt::Key_Down); // 本屋
        digits("1200");
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
        press(Qt::Key_Up); // 八百屋
        digits("300");
        press(Qt::Key_Return);
        press(Qt::Key_Space); // 八百屋 once more
        digits("45");
        press(Qt::Key_Return);
        QCOMPARE(m_keys, 6);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "本屋", "教養", 1200) +
                                         payLine("2005/02/14", "八百屋", "食費", 300) +
                                         payLine("2005/02/14", "八百屋", "食費", 45));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 4);
        QCOMPARE(m_boxes->seen.size(), 0);
    }

    void kanaThroughTheInputMethodFindsThePayee() {
        book();
        m_dir->write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("あおば\r\nかもめ\r\nさくら\r\n"));
        openActive();
        press(Qt::Key_Tab);
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("か"));
        QApplication::sendEvent(QApplication::focusWidget(), &typed);
        settle();
        QCOMPARE(m_w->findChild<MainPage *>()->currentPayee(), QStringLiteral("かもめ"));
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
    }

    // --- Page keys ---

    void everyPageOpensByItsKeyWithItsHelp() {
        book().write(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",1\r\n"));
        openActive();
        const struct {
            int key;
            const char *button, *page;
            QString help;
        } pages[] = {
            {Qt::Key_2, "cmdKakei", "fraKakei", helptext::kakei()},
            {Qt::Key_3, "cmdRentai", "fraRenTai", helptext::rentai()},
            {Qt::Key_4, "cmdCyokin", "fraCyokin", helptext::cyokin()},
            {Qt::Key_5, "cmdSyoukai", "fraSim", helptext::syoukai()},
            {Qt::Key_6, "cmdTaijyu", "fraTaijyu", helptext::taijyu()},
            {Qt::Key_7, "cmdBunseki", "fraBunseki", helptext::bunseki()},
            {Qt::Key_8, "cmdCale", "fraCale", helptext::cale()},
            {Qt::Key_9, "cmdMemo", "fraMemo", helptext::memo()},
            {Qt::Key_0, "cmdSettei", "fraSettei", helptext::settei()},
            {Qt::Key_1, "cmdMain", "fraMain", QString()},
        };
        for (const auto &p : pages) {
            const qsizetype boxes = m_boxes->seen.size();
            press(p.key, Qt::AltModifier);
            QVERIFY2(c(p.page)->isVisible(), p.page);
            // Its first input has the focus.
            QVERIFY2(c(p.page)->isAncestorOf(m_w->focusWidget()), p.page);
            if (p.help.isEmpty()) {
                QCOMPARE(m_boxes->seen.size(), boxes); // the main page explains nothing
            } else {
                QCOMPARE(m_boxes->seen.size(), boxes + 1);
                QCOMPARE(m_boxes->seen.last().text, p.help);
                QCOMPARE(m_boxes->seen.last().title, QStringLiteral("ヘルプツアー"));
            }
            const QString key = QStringLiteral("Alt+") + QChar(u'0' + (p.key - Qt::Key_0));
            QVERIFY2(keyboard::shownTooltip(c<QToolButton>(p.button))
                         .endsWith(QStringLiteral(" (") + key + QStringLiteral(")")),
                     p.button);
        }
        QCOMPARE(focusName(), QStringLiteral("mtvmain"));
        QCOMPARE(keyboard::shownTooltip(c<QToolButton>("cmdKakei")),
                 QStringLiteral("月別、日別の支出集計を表示します (Alt+2)"));
        QCOMPARE(c<QToolButton>("cmdKakei")->toolTip(),
                 QStringLiteral("月別、日別の支出集計を表示します"));
        press(Qt::Key_F1);
        QWidget *help = c("helpWindow");
        QVERIFY(help->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        QCOMPARE(keyboard::shownTooltip(c<QToolButton>("cmdHelp")),
                 QStringLiteral("ヘルプファイルを開きます (F1)"));
    }

    // --- Panels ---

    void escapeClosesEachPanelAsItsBackButtonDoes() {
        book();
        openActive();
        const struct {
            const char *opener, *panel, *first;
            int pageKey;
        } panels[] = {
            {"cmdInp", "fraInpKIn", "txtInpHizuke", Qt::Key_1},
            {"cmdFumei", "fraInpHumei", "txtInpZankin", Qt::Key_1},
            {"cmdNew1", "fraNew", "cboSt_Date", Qt::Key_0},
        };
        for (const auto &p : panels) {
            press(p.pageKey, Qt::AltModifier);
            click(p.opener);
            QVERIFY2(c(p.panel)->isVisible(), p.panel);
            QCOMPARE(focusName(), QString::fromLatin1(p.first));
            press(Qt::Key_Escape);
            QVERIFY2(!c(p.panel)->isVisible(), p.panel);
            QCOMPARE(focusName(), QString::fromLatin1(p.opener)); // where it was opened
        }
        QCOMPARE(m_boxes->seen.size(), 0);
    }

    // --- Pages and panels ---

    // Top to bottom, left to right, each input before its button; a disabled
    // button is passed over.
    void eachPageAndPanelReadsInOrderByTab() {
        book();
        openActive();
        const struct {
            int pageKey;
            const char *opener, *frame;
            QStringList order;
        } forms[] = {
            {Qt::Key_2, nullptr, "fraKakei", {"optList2_0", "msgKakei1", "msgKakei2"}},
            {Qt::Key_3, nullptr, "fraRenTai", {"optList1_0", "msgRireki"}},
            {Qt::Key_4, nullptr, "fraCyokin", {"optList3_0", "msgCyokin"}},
            {Qt::Key_5,
             nullptr,
             "fraSim",
             {"cboSelMonth", "msgSim1", "mtvSim", "txtSim2", "cmdHozonSim", "msgSim2"}},
            {Qt::Key_6, nullptr, "fraTaijyu", {"lstMise2",   "txtKey",    "lstJanru2", "txtKey2",
                                               "cmdKensaku", "cmdWeek_0", "cmdWeek_1", "cmdWeek_2",
                                               "cmdWeek_3",  "cmdWeek_4", "cmdWeek_5", "cmdWeek_6",
                                               "cmdAllWeek", "cmdAllact", "cmdKikan1", "cmdKikan8",
                                               "cmdKikan2",  "cmdKikan3", "cmdKikan4", "cmdKikan5",
                                               "cmdKikan6",  "cmdKikan7", "cmdKikanF", "cmdAllDay",
                                               "cboStdate",  "cboEddate", "msgBunseki"}},
            {Qt::Key_7,
             nullptr,
             "fraBunseki",
             {"cmdSort1", "cmdSort2", "cmdSort3", "cmdSort4", "cmdSort5", "msgIchiran"}},
            {Qt::Key_8, nullptr, "fraCale", {"msgCale", "msgCale_w"}},
            {Qt::Key_9,
             nullptr,
             "fraMemo",
             {"msgMemoList", "txtMemo", "txtKizuki", "cmdKizukiHozon"}},
            {Qt::Key_0, nullptr, "fraSettei", {"lstKoumoku", "cmdNew2",     "cmdDel2",
                                               "txtChg",     "lstKoumoku2", "cmdNew3",
                                               "cmdDel4",    "txtChg2",     "txtPriData",
                                               "cmdPHozon1", "cmdNew1",     "cboYosanJanru",
                                               "txtYosan",   "cmdYosan",    "cmdYosanDel",
                                               "lstYosan",   "cmdKotei",    "lstRireki",
                                               "cmdModosu",  "cboBackup",   "cmdFukugen"}},
            {Qt::Key_1,
             "cmdInp",
             "fraInpKIn",
             {"txtInpHizuke", "txtInpRiyuu", "txtInpKingaku", "cmdInpHozon", "msgInpRireki",
              "cmdInpModori"}},
            {Qt::Key_1,
             "cmdFumei",
             "fraInpHumei",
             {"txtInpZankin", "cmdHumeiCk", "cmdHumeiHozon", "cmdFumeiModori"}},
            {Qt::Key_0,
             "cmdNew1",
             "fraNew",
             {"cboSt_Date", "txtNowJyou", "txtPriData1", "cmdStHozon", "cmdYame"}},
        };
        for (const auto &f : forms) {
            press(f.pageKey, Qt::AltModifier);
            if (f.opener) click(f.opener);
            QWidget *frame = c(f.frame);
            QStringList seen{focusName()}; // the first input, as it opens
            for (int i = 0; i < 60; ++i) {
                press(Qt::Key_Tab);
                if (!frame->isAncestorOf(m_w->focusWidget())) break;
                seen << focusName();
            }
            QCOMPARE(seen, f.order);
            if (f.opener) press(Qt::Key_Escape);
        }
    }

    // A page that redraws hidden keeps the focus on the control that was used.
    void optionsAndConditionsKeepTheFocus() {
        book();
        storeMasters();
        openActive();
        press(Qt::Key_2, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("optList2_0"));
        QCOMPARE(c<Grid>("msgKakei2")->text(0, 3), QStringLiteral("八百屋"));
        press(Qt::Key_Right);
        QCOMPARE(focusName(), QStringLiteral("optList2_1"));
        QVERIFY(c<QAbstractButton>("optList2_1")->isChecked());
        QCOMPARE(c<Grid>("msgKakei2")->text(0, 3), QStringLiteral("食費"));
        press(Qt::Key_Left);
        QCOMPARE(focusName(), QStringLiteral("optList2_0"));
        QCOMPARE(c<Grid>("msgKakei2")->text(0, 3), QStringLiteral("八百屋"));
        // A search condition hides every page and shows its own again.
        press(Qt::Key_6, Qt::AltModifier);
        for (int i = 0; i < 8; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdWeek_3"));
        press(Qt::Key_Space);
        QCOMPARE(focusName(), QStringLiteral("cmdWeek_3"));
        QVERIFY(c("fraTaijyu")->isVisible());
    }

    // Each name chosen redraws the search page; the word typed goes on.
    void searchListTypeAheadSpansTheRedraw() {
        book();
        m_dir->write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("Apple\r\nBar\r\nBooks\r\n"));
        openActive();
        press(Qt::Key_6, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("lstMise2"));
        QApplication::setKeyboardInputInterval(60000);
        digits("b");
        QCOMPARE(c<QLineEdit>("txtKey")->text(), QStringLiteral("Bar"));
        digits("o");
        QApplication::setKeyboardInputInterval(400);
        QCOMPARE(c<QLineEdit>("txtKey")->text(), QStringLiteral("Books"));
        QCOMPARE(focusName(), QStringLiteral("lstMise2"));
    }

    // Alt+Up and Alt+Down in place of a drag; the order is saved by its button.
    void mastersReorderedByKeys() {
        book();
        storeMasters();
        openActive();
        press(Qt::Key_0, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("lstKoumoku"));
        auto *list = c<ListBox>("lstKoumoku");
        const auto names = [list] {
            QStringList out;
            for (int i = 0; i < list->count(); ++i)
                out << list->item(i)->text();
            return out;
        };
        press(Qt::Key_Down); // 本屋 chosen
        press(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(names(), (QStringList{"本屋", "八百屋", "花屋"}));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(buttonBackColor(c<QAbstractButton>("cmdSort")), palette::unsavedOrder);
        press(Qt::Key_Up, Qt::AltModifier); // at the top already
        press(Qt::Key_Down, Qt::AltModifier);
        press(Qt::Key_Down, Qt::AltModifier);
        press(Qt::Key_Down, Qt::AltModifier); // at the end already
        QCOMPARE(names(), (QStringList{"八百屋", "花屋", "本屋"}));
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(m_dir->text(QStringLiteral("支払いマスタ.txt")),
                 QStringLiteral("八百屋\r\n本屋\r\n花屋\r\n"));
        for (const char *next : {"cmdNew2", "cmdDel", "cmdDel2", "cmdSort"}) {
            press(Qt::Key_Tab);
            QCOMPARE(focusName(), QString::fromLatin1(next));
        }
        press(Qt::Key_Space);
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("並び替え完了"));
        QCOMPARE(m_dir->text(QStringLiteral("支払いマスタ.txt")),
                 QStringLiteral("八百屋\r\n花屋\r\n本屋\r\n"));
        QCOMPARE(c<ListBox>("lstMise")->item(2)->text(), QStringLiteral("本屋"));
    }

    void diaryRowPickedAndStoredByKeys() {
        book().write(kData, payLine("2005/02/12", "八百屋", "食費", 300) +
                                payLine("2005/02/13", "本屋", "教養", 800) +
                                payLine("2005/02/14", "花屋", "趣味", 500));
        openActive();
        press(Qt::Key_9, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("msgMemoList"));
        press(Qt::Key_Down); // from the first row to the second
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("txtMemo"));
        digits("ok");
        press(Qt::Key_Return);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/12", "八百屋", "食費", 300) +
                                         QStringLiteral("\"2005/02/13\",\"本屋\",\"教養\",800,"
                                                        "\"ok\",\"\"\r\n") +
                                         payLine("2005/02/14", "花屋", "趣味", 500));
        press(Qt::Key_Tab, Qt::ShiftModifier); // back to the list for the next row
        QCOMPARE(focusName(), QStringLiteral("msgMemoList"));
        // The notes: Tab leaves the box, Enter on the focused button saves.
        for (int i = 0; i < 3; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtKizuki"));
        digits("memo");
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdKizukiHozon"));
        press(Qt::Key_Return);
        QCOMPARE(m_dir->text(QStringLiteral("気付きメモ.txt")), QStringLiteral("memo\r\n"));
        QCOMPARE(m_boxes->seen.size(), 0);
    }

    // --- Names ---

    void everyControlHasAnAccessibleName() {
        book();
        openActive();
        QStringList unnamed;
        for (QWidget *w : m_w->findChildren<QWidget *>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || w->window() != m_w.get())
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << w->objectName() + QLatin1Char('/') +
                               QString::fromLatin1(w->metaObject()->className()) +
                               QLatin1Char('/') + w->parentWidget()->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
        QAccessibleInterface *amount = QAccessible::queryAccessibleInterface(c("txtOutInp"));
        QCOMPARE(amount->text(QAccessible::Name), QStringLiteral("金額入力"));
        QCOMPARE(QAccessible::queryAccessibleInterface(c("cmdTaiHozon"))->text(QAccessible::Name),
                 QStringLiteral("保存"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
