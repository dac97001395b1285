// The keyboard road where it can go wrong: keys that would run a handler a
// mouse user never runs, or run one twice, and bad input typed by key, which
// must meet the same boxes as ever and leave the files as they were.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "mainwindow/mainpage.h"
#include "records/clock.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"

#include "keyboardfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
} // namespace

class TestKeyboardEdges : public QObject, public KeyboardFixture {
    Q_OBJECT
private:
    // Enter held down on whatever has the focus: the key repeats, as the
    // keyboard repeats it, before it is let go.
    void holdEnter() {
        const QString cr = QStringLiteral("\r");
        for (bool repeated : {false, true, true}) {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, cr, repeated);
            QApplication::sendEvent(QApplication::focusWidget(), &down);
            settle();
        }
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, cr);
        QApplication::sendEvent(QApplication::focusWidget(), &up);
        settle();
    }
    QStringList listedPayees(const char *grid) {
        auto *g = c<Grid>(grid);
        QStringList out;
        for (int r = 1; r < g->rows(); ++r)
            out << g->text(r, 3);
        return out;
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 14)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    // Enter in a key box lists by the key and leaves it in the box: the
    // focus given back after the page is redrawn is no new entry, and the
    // key takes part in the next condition; leaving the page and opening it
    // again keeps it too.
    void searchKeyStaysAfterEnterAndAcrossPages() {
        book().write(kData, payLine("2005/02/12", "八百屋", "食費", 300) +
                                payLine("2005/02/13", "本屋", "教養", 800) +
                                payLine("2005/02/14", "本屋", "教養", 500));
        storeMasters();
        openActive();
        press(Qt::Key_6, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("lstMise2"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtKey"));
        c<QLineEdit>("txtKey")->setText(QStringLiteral("本屋"));
        press(Qt::Key_Return);
        QCOMPARE(listedPayees("msgBunseki"), (QStringList{"本屋", "本屋"}));
        QCOMPARE(c<QLineEdit>("txtKey")->text(), QStringLiteral("本屋"));
        QCOMPARE(c<QLineEdit>("txtKey2")->text(), QStringLiteral("本屋"));
        // Monday only, with the key still in force: the 14th.
        c<QAbstractButton>("cmdWeek_1")->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(listedPayees("msgBunseki"), (QStringList{"本屋"}));
        QCOMPARE(c<Grid>("msgBunseki")->text(1, 1), QStringLiteral("05/02/14"));

        c<QLineEdit>("txtKey")->setFocus(); // a new entry empties the box
        QCOMPARE(c<QLineEdit>("txtKey")->text(), QString());
        c<QLineEdit>("txtKey")->setText(QStringLiteral("八百"));
        press(Qt::Key_1, Qt::AltModifier);
        press(Qt::Key_6, Qt::AltModifier);
        QCOMPARE(c<QLineEdit>("txtKey")->text(), QStringLiteral("八百"));
        QCOMPARE(m_boxes->seen.size(), 0);
    }
    // Enter or Space on the list's marked name chooses it as a click does:
    // the name is selected, so the buttons that work on the selection find
    // it (the marked name of a list just entered is not yet selected).
    void nameChosenByKeyIsSelectedForTheButtons() {
        book();
        storeMasters();
        openActive();
        press(Qt::Key_0, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("lstKoumoku"));
        auto *list = c<ListBox>("lstKoumoku");
        QCOMPARE(list->currentRow(), 0);
        press(Qt::Key_Space);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(), QStringLiteral("八百屋"));
        press(Qt::Key_Down, Qt::AltModifier); // moved as a drag moves it
        QCOMPARE(list->item(1)->text(), QStringLiteral("八百屋"));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdDel"));
        m_boxes->queue(QMessageBox::Cancel);
        press(Qt::Key_Space);
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("八百屋を削除します。よろしいですか？"));
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("クリア確認"));
        QCOMPARE(m_dir->text(QStringLiteral("支払いマスタ.txt")),
                 QStringLiteral("八百屋\r\n本屋\r\n花屋\r\n"));
    }
    // Bad input on the payment road by key: Enter passes an empty or
    // non-numeric amount by without a word, the save button pressed by Space
    // shows its box, and the sample book refuses by the same box as a click;
    // nothing is written and the focus stays where the user can go on.
    void badPaymentsByKeyMeetTheBoxesOfAClick() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        storeMasters();
        const QByteArray before = m_dir->bytes(kData);
        const QByteArray links = m_dir->bytes(QStringLiteral("関連.TXT"));
        openActive();
        press(Qt::Key_Tab);
        press(Qt::Key_Down); // 本屋, its category with it
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        press(Qt::Key_Return); // no amount
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12a"));
        press(Qt::Key_Return); // not a number
        QCOMPARE(m_boxes->seen.size(), 0);
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdTaiHozon"));
        press(Qt::Key_Space);
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("金額は数字で入力してください"));
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("金額異常"));
        QCOMPARE(m_boxes->seen.last().icon, QMessageBox::Warning);
        QCOMPARE(focusName(), QStringLiteral("cmdTaiHozon"));
        // The amount emptied: the same press, the next box.
        press(Qt::Key_Tab, Qt::ShiftModifier);
        c<QLineEdit>("txtOutInp")->clear();
        press(Qt::Key_Tab);
        press(Qt::Key_Return); // Enter on the focused save button presses it, as Space does
        press(Qt::Key_Space);
        QCOMPARE(m_boxes->titles().mid(1), (QStringList{"金額未入力", "金額未入力"}));
        QCOMPARE(m_dir->bytes(kData), before);
        QCOMPARE(m_dir->bytes(QStringLiteral("関連.TXT")), links);
        QCOMPARE(c<Grid>("msgDayList")->rows(), 1);
    }
    // The sample book refuses every change; by key as by mouse the refusal
    // is one box, and the day list's Delete key deletes nothing.
    void sampleBookRefusesByKeyAsByClick() {
        m_dir = std::make_unique<BookDir>();
        for (const QFileInfo &f :
             QDir(QStringLiteral(MILTEA_SAMPLE_DIR)).entryInfoList(QDir::Files))
            QVERIFY(QFile::copy(f.filePath(), m_dir->file(f.fileName())));
        m_dir->enter();
        const QByteArray before = m_dir->bytes(kData);
        openActive();
        QVERIFY(m_boxes->titles().contains(QStringLiteral("サンプル表示")));
        const qsizetype atOpen = m_boxes->seen.size(); // and the help tour's welcome
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("500"));
        press(Qt::Key_Return);
        QCOMPARE(m_boxes->titles().mid(atOpen), (QStringList{"新規スタート促し"}));
        QCOMPARE(m_boxes->seen.last().text,
                 QStringLiteral(
                     "ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"));
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        // Shift+Tab back to the day list of the 14th, its newest row marked.
        auto *days = c<Grid>("msgDayList");
        QVERIFY(days->rows() > 1);
        c<Grid>("msgDayList")->setFocus(Qt::TabFocusReason);
        settle();
        press(Qt::Key_Delete);
        QCOMPARE(m_boxes->titles().mid(atOpen),
                 (QStringList{"新規スタート促し", "新規スタート促し"}));
        press(Qt::Key_Return); // a click on the row: nothing to do
        QCOMPARE(m_boxes->seen.size(), atOpen + 2);
        QCOMPARE(m_dir->bytes(kData), before);
    }
    // A payment that cannot be written (its file's temporary is blocked) is
    // one error box by Enter, the file as it was, the entry kept for another
    // try; the focus stays in the amount box.
    void unwritablePaymentByEnterIsOneBoxAndNoChange() {
        book().write(kData, payLine("2005/02/14", "本屋", "教養", 800));
        storeMasters();
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("データコピー.txt")));
        const QByteArray before = m_dir->bytes(kData);
        openActive();
        press(Qt::Key_Left); // the 13th, before the book's last payment
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("500"));
        press(Qt::Key_Return);
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen.last().icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("ファイル書き込みエラー"));
        QVERIFY(m_boxes->seen.last().text.startsWith(
            QStringLiteral("「データコピー.txt」に書き込めませんでした。\n")));
        QCOMPARE(m_dir->bytes(kData), before);
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        QCOMPARE(c<QLineEdit>("txtOutInp")->text(), QStringLiteral("500"));
        QCOMPARE(m_w->findChild<MainPage *>()->currentPayee(), QStringLiteral("本屋"));
    }
    // A category typed into the box and confirmed by Enter is still a new
    // one: the save asks to add it to the master, as after a click.
    void newCategoryTypedAndEnteredIsOfferedToTheMaster() {
        book();
        storeMasters();
        const QByteArray categories = m_dir->bytes(QStringLiteral("費目マスタ.txt"));
        openActive();
        press(Qt::Key_Tab);
        press(Qt::Key_Down); // 本屋, 教養
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), QStringLiteral("cboJanru"));
        auto *category = c<QComboBox>("cboJanru");
        category->setEditText(QStringLiteral("雑誌"));
        press(Qt::Key_Return);
        QCOMPARE(category->count(), 3);
        QCOMPARE(focusName(), QStringLiteral("cboJanru"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("700"));
        m_boxes->queue(QMessageBox::No);
        press(Qt::Key_Return);
        QCOMPARE(m_boxes->titles(), (QStringList{"費目マスタ登録の有無"}));
        QCOMPARE(m_boxes->seen.last().text,
                 QStringLiteral("雑誌を費目マスタに追加しますか？\n\n"
                                "マスタ登録しない場合は集計時に「その他」として扱われます。\n\n"));
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "本屋", "雑誌", 700));
        QCOMPARE(m_dir->bytes(QStringLiteral("費目マスタ.txt")), categories);
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
    }
    // Escape puts away only what has the keyboard: the help window over an
    // open panel closes alone, and opens again by F1; the panel's own Escape
    // comes after. Bad input in the panel by key meets the boxes of a click.
    void escapeInHelpLeavesThePanelAndPanelKeysRefuseBadInput() {
        book();
        const QByteArray incomes = m_dir->bytes(QStringLiteral("入金.txt"));
        openActive();
        c<QAbstractButton>("cmdInp")->setFocus();
        press(Qt::Key_Space);
        QVERIFY(c("fraInpKIn")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("txtInpHizuke"));
        press(Qt::Key_F1);
        QWidget *help = c("helpWindow");
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        QVERIFY(!help->isVisible());
        QVERIFY(c("fraInpKIn")->isVisible());
        press(Qt::Key_F1);
        QVERIFY(help->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();

        press(Qt::Key_Tab); // the reason, left empty
        press(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
        press(Qt::Key_Return); // Enter in the amount saves nothing
        QCOMPARE(m_boxes->seen.size(), 0);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdInpHozon"));
        press(Qt::Key_Space);
        QCOMPARE(m_boxes->titles(), (QStringList{"内容未入力"}));
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("内容が入力されていません"));
        QCOMPARE(focusName(), QStringLiteral("cmdInpHozon"));
        QVERIFY(c("fraInpKIn")->isVisible());
        QCOMPARE(m_dir->bytes(QStringLiteral("入金.txt")), incomes);
        press(Qt::Key_Escape);
        QVERIFY(!c("fraInpKIn")->isVisible());
        QVERIFY(m_w->focusWidget() && m_w->focusWidget()->isVisible());
    }
    // The Enter of the number pad (sent with the keypad modifier) does what
    // the main Enter does, on the whole road: the day, the payee, the amount,
    // and a row of a grid.
    void keypadEnterWorksAsEnter() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        storeMasters();
        openActive();
        press(Qt::Key_Left);
        press(Qt::Key_Enter, Qt::KeypadModifier); // the 13th chosen
        QCOMPARE(c<Grid>("msgDayList")->rows(), 2);
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
        press(Qt::Key_Down);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab);
        press(Qt::Key_Enter, Qt::KeypadModifier); // 本屋 chosen again
        QCOMPARE(focusName(), QStringLiteral("txtOutInp"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("250"), Qt::KeypadModifier);
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/13", "本屋", "教養", 800) +
                                         payLine("2005/02/13", "本屋", "教養", 250));
        press(Qt::Key_9, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("msgMemoList"));
        press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(focusName(), QStringLiteral("txtMemo"));
        QVERIFY(c<QAbstractButton>("cmdMemoHozon")->isEnabled());
        QCOMPARE(m_boxes->seen.size(), 0);
    }
    // Enter in the planned amount moves to the save button so that the next
    // Enter saves it, as on the new-start panel: the plan by key alone.
    void plannedPaymentByEnterTwice() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        openActive();
        press(Qt::Key_5, Qt::AltModifier);
        const QString forecast = QStringLiteral("予測データ.txt");
        QCOMPARE(m_dir->text(forecast), payLine("2005/02/13", "本屋", "教養", 800));
        c<QLineEdit>("txtSim2")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1200"));
        holdEnter(); // the repeats reach the save button and press nothing
        QCOMPARE(focusName(), QStringLiteral("cmdHozonSim"));
        QCOMPARE(m_dir->text(forecast), payLine("2005/02/13", "本屋", "教養", 800));
        press(Qt::Key_Return);
        QCOMPARE(m_dir->text(forecast),
                 payLine("2005/02/13", "本屋", "教養", 800) + payLine("2005/02/14", "", "", 1200));
        QCOMPARE(c<QLineEdit>("txtSim2")->text(), QString());
        QCOMPARE(m_dir->text(kData), payLine("2005/02/13", "本屋", "教養", 800));
        QCOMPARE(m_boxes->seen.size(), 0);
    }
    // Empty lists and grids take every key of the road quietly: no box, no
    // file touched, the focus still there.
    void emptyListsAndGridsTakeEveryKeyQuietly() {
        book();
        const QStringList files = m_dir->files();
        QList<QByteArray> contents;
        for (const QString &f : files)
            contents << m_dir->bytes(f);
        openActive();
        const auto everyKey = [&](const char *where) {
            QCOMPARE(focusName(), QString::fromLatin1(where));
            for (int key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Home, Qt::Key_End,
                            Qt::Key_PageDown, Qt::Key_Down, Qt::Key_F2, Qt::Key_Delete})
                press(key);
            press(Qt::Key_Up, Qt::AltModifier);
            press(Qt::Key_Down, Qt::AltModifier);
            QInputMethodEvent typed;
            typed.setCommitString(QStringLiteral("あ"));
            QApplication::sendEvent(QApplication::focusWidget(), &typed);
            settle();
            QCOMPARE(focusName(), QString::fromLatin1(where));
        };
        press(Qt::Key_Tab);
        everyKey("lstMise");
        c<Grid>("msgDayList")->setFocus(Qt::TabFocusReason);
        settle();
        everyKey("msgDayList");
        press(Qt::Key_9, Qt::AltModifier);
        everyKey("msgMemoList");
        press(Qt::Key_0, Qt::AltModifier);
        everyKey("lstKoumoku");
        press(Qt::Key_6, Qt::AltModifier);
        everyKey("lstMise2");
        QCOMPARE(m_boxes->seen.size(), 0);
        QCOMPARE(m_dir->files(), files);
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(m_dir->bytes(files.at(i)), contents.at(i));
    }
    // The new start by key: Enter from the name to the cash, to the register
    // button, whose Enter registers; letters for the cash are refused by the
    // box of a click, Cancel on the question writes nothing, Escape closes.
    void newStartByKeysRefusesAndCancelsWithoutWriting() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        const QStringList files = m_dir->files();
        const QByteArray data = m_dir->bytes(kData);
        openActive();
        press(Qt::Key_0, Qt::AltModifier);
        c<QAbstractButton>("cmdNew1")->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(focusName(), QStringLiteral("cboSt_Date"));
        c<QLineEdit>("txtPriData1")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("txtNowJyou"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cmdStHozon"));
        QCOMPARE(m_boxes->seen.size(), 0);
        press(Qt::Key_Return);
        QCOMPARE(m_boxes->titles(), (QStringList{"金額異常"}));
        QCOMPARE(m_boxes->seen.last().text, QStringLiteral("金額は数字で入力してください"));
        c<QLineEdit>("txtNowJyou")->setText(QStringLiteral("5000"));
        m_boxes->queue(QMessageBox::Cancel);
        press(Qt::Key_Return);
        QCOMPARE(m_boxes->titles(), (QStringList{"金額異常", "クリア確認"}));
        QVERIFY(m_w->isVisible());
        press(Qt::Key_Escape);
        QVERIFY(!c("fraNew")->isVisible());
        QCOMPARE(m_boxes->seen.size(), 2);
        QCOMPARE(m_dir->files(), files);
        QCOMPARE(m_dir->bytes(kData), data);
    }

    // A day moved to by key and left without choosing it is not the day a
    // payment or a plan is stored on, however the calendar is left: from its
    // own year box (Enter there, or Shift+Tab out of it) as from its days.
    void dayMovedByKeyAndLeftIsNotTheDayStored() {
        book().write(kData, payLine("2005/02/14", "本屋", "教養", 800));
        storeMasters();
        openActive();
        auto *calendar = c<MonthCalendar>("mtvmain");
        const auto openYearBox = [&] {
            QTest::mouseClick(
                calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_yearbutton")),
                Qt::LeftButton);
            settle();
            QVERIFY(calendar->isAncestorOf(QApplication::focusWidget()));
        };
        press(Qt::Key_Right);
        press(Qt::Key_F1); // another window over it is no leaving either
        QWidget *help = c("helpWindow");
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QCOMPARE(focusName(), QStringLiteral("mtvmain"));
        QCOMPARE(calendar->value(), QDate(2005, 2, 15));
        openYearBox();
        QCOMPARE(calendar->value(), QDate(2005, 2, 15)); // its own box is no leaving
        press(Qt::Key_Return); // the year kept; the focus goes on to the payees
        QCOMPARE(focusName(), QStringLiteral("lstMise"));
        QCOMPARE(calendar->value(), QDate(2005, 2, 14));
        press(Qt::Key_End);
        digits("500");
        press(Qt::Key_Return);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "本屋", "教養", 800) +
                                         payLine("2005/02/14", "花屋", "趣味", 500));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 3);

        calendar->setFocus();
        press(Qt::Key_Left);
        openYearBox();
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(!calendar->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(calendar->value(), QDate(2005, 2, 14));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 3); // put back, not chosen

        press(Qt::Key_5, Qt::AltModifier);
        const QString forecast = QStringLiteral("予測データ.txt");
        auto *planDay = c<MonthCalendar>("mtvSim");
        planDay->setFocus();
        press(Qt::Key_Right);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(planDay->value(), QDate(2005, 2, 14));
        c<QLineEdit>("txtSim2")->setFocus();
        digits("1200");
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(m_dir->text(forecast), m_dir->text(kData) + payLine("2005/02/14", "", "", 1200));
        QCOMPARE(m_boxes->seen.size(), 0);
    }

    // Enter on a focused button presses it once, held down or not; Enter in
    // a panel's boxes presses nothing; a panel closed by its buttons gives
    // the focus back to the button that opened it.
    void panelButtonsAnswerEnterOnceAndHandTheFocusBack() {
        const QString incomes = QStringLiteral("入金.txt");
        const QString start = QStringLiteral("\"2005/02/01\",\"スタート時入金\",50000\r\n");
        book().write(incomes, start);
        m_dir->write(kData, payLine("2005/02/13", "本屋", "教養", 800));
        openActive();
        c<QAbstractButton>("cmdFumei")->setFocus();
        press(Qt::Key_Return);
        QVERIFY(c("fraInpHumei")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("txtInpZankin"));
        digits("49000");
        press(Qt::Key_Return); // in the box: nothing
        QCOMPARE(c<QLabel>("lblHumeiKin")->text(), QString());
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdHumeiCk"));
        press(Qt::Key_Return);
        QCOMPARE(c<QLabel>("lblHumeiKin")->text(), QStringLiteral("200"));
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdHumeiHozon"));
        holdEnter();
        QCOMPARE(m_dir->text(kData), payLine("2005/02/13", "本屋", "教養", 800) +
                                         payLine("2005/02/14", "使途不明金", "使途不明金", 200));
        QVERIFY(!c("fraInpHumei")->isVisible()); // saved and closed, not opened again
        QCOMPARE(focusName(), QStringLiteral("cmdFumei"));

        c<QAbstractButton>("cmdInp")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("txtInpHizuke"));
        press(Qt::Key_Tab);
        c<QLineEdit>("txtInpRiyuu")->setText(QStringLiteral("給料"));
        press(Qt::Key_Tab);
        digits("1000");
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("cmdInpHozon"));
        holdEnter();
        QCOMPARE(m_dir->text(incomes), start + QStringLiteral("\"2005/02/14\",\"給料\",1000\r\n"));
        QCOMPARE(focusName(), QStringLiteral("cmdInpHozon"));
        c<QAbstractButton>("cmdInpModori")->setFocus();
        press(Qt::Key_Return);
        QVERIFY(!c("fraInpKIn")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("cmdInp"));
        QCOMPARE(m_boxes->seen.size(), 0);
    }

    // Enter in a field of the correction dialog saves as its button does,
    // once: a refused amount meets one box and the dialog stays open.
    void enterInTheCorrectionDialogSavesOnce() {
        book().write(kData, payLine("2005/02/14", "本屋", "教養", 800));
        storeMasters();
        openActive();
        const auto enterIn = [](const char *field, const QString &amount) {
            return [=](QWidget *dlg) {
                auto *box = dlg->findChild<QLineEdit *>(QStringLiteral("txtKingaku"));
                box->setText(amount);
                QWidget *target = dlg->findChild<QWidget *>(QString::fromLatin1(field));
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Return);
            };
        };
        ModalDriver driver;
        driver.then(enterIn("txtKingaku", QStringLiteral("abc")))
            .then(enterIn("txtMemo", QStringLiteral("650")));
        auto *days = c<Grid>("msgDayList");
        days->setCurrentCell(1, 1);
        days->findChild<QTableView *>()->setFocus();
        press(Qt::Key_F2);
        QVERIFY(driver.done());
        QCOMPARE(m_boxes->titles(), (QStringList{"金額異常"}));
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "本屋", "教養", 650));
    }

    // A page left with a panel open shows it open again: the focus goes
    // back into the panel, not to a control it covers, and Escape closes it.
    void pageLeftWithAPanelOpenReturnsToThePanel() {
        book();
        openActive();
        c<QAbstractButton>("cmdInp")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("txtInpHizuke"));
        press(Qt::Key_2, Qt::AltModifier);
        QVERIFY(!c("fraInpKIn")->isVisible());
        press(Qt::Key_1, Qt::AltModifier);
        QVERIFY(c("fraInpKIn")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("txtInpHizuke"));
        press(Qt::Key_Escape);
        QVERIFY(!c("fraInpKIn")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("cmdInp"));

        press(Qt::Key_0, Qt::AltModifier);
        c<QAbstractButton>("cmdNew1")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("cboSt_Date"));
        press(Qt::Key_1, Qt::AltModifier);
        QCOMPARE(focusName(), QStringLiteral("mtvmain")); // no panel open there now
        press(Qt::Key_0, Qt::AltModifier);
        QVERIFY(c("fraNew")->isVisible());
        QCOMPARE(focusName(), QStringLiteral("cboSt_Date"));
        press(Qt::Key_Escape);
        QCOMPARE(focusName(), QStringLiteral("cmdNew1"));
        QCOMPARE(m_boxes->seen.size(), 0);
    }
};

QTEST_MAIN(TestKeyboardEdges)
#include "test_keyboard_edges.moc"
