// The edit page through the real window: the master lists (add, delete,
// drag and save the order), the free payee entry of the main page, renaming
// across the book and the new start, with the files read byte for byte.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <optional>

#include "records/clock.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString kPayees = QStringLiteral("支払いマスタ.txt");
const QString kCategories = QStringLiteral("費目マスタ.txt");
const QString kAssociations = QStringLiteral("関連.TXT");
const QString kNotes = QStringLiteral("気付きメモ.txt");
const QString kName = QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
const QColor kPink(255, 192, 192);

QString payLine(const QString &date, const QString &payee, const QString &cat, int amount,
                const QString &memo = {}) {
    return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"%5\",\"\"\r\n")
        .arg(date, payee, cat)
        .arg(amount)
        .arg(memo);
}

QString lines(const QStringList &names) {
    QString out;
    for (const QString &n : names)
        out += n + QStringLiteral("\r\n");
    return out;
}

QStringList items(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList items(const QComboBox *combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}
} // namespace

// Answers the input boxes in order: a text is typed and OK pressed, nothing
// means Cancel. Records each prompt and title.
class InputAnswerer : public QObject {
public:
    InputAnswerer() {
        connect(&m_timer, &QTimer::timeout, this, &InputAnswerer::poll);
        m_timer.start(5);
    }
    QList<std::optional<QString>> answers;
    QStringList prompts, titles;

private:
    void poll() {
        auto *dlg = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dlg || dlg->property("answered").toBool()) return;
        dlg->setProperty("answered", true);
        prompts << dlg->labelText();
        titles << dlg->windowTitle();
        const std::optional<QString> answer =
            answers.isEmpty() ? std::nullopt : answers.takeFirst();
        if (answer) {
            dlg->setTextValue(*answer);
            dlg->accept();
        } else {
            dlg->reject();
        }
    }
    QTimer m_timer;
};

class TestSettings : public QObject, public WindowFixture {
    Q_OBJECT
private:
    std::unique_ptr<InputAnswerer> m_inputs;

    const QStringList kFive{QStringLiteral("八百屋"), QStringLiteral("本屋"),
                            QStringLiteral("花屋"), QStringLiteral("駅"), QStringLiteral("薬局")};

    ListBox *list(const char *name) { return c<ListBox>(name); }
    QStringList listItems(const char *name) { return items(list(name)); }
    QStringList comboItems() { return items(c<QComboBox>("cboJanru")); }
    // The three lists of the payee master, then of the category master.
    QList<QStringList> payeeLists() {
        return {listItems("lstMise"), listItems("lstMise2"), listItems("lstKoumoku")};
    }
    QList<QStringList> categoryLists() {
        return {comboItems(), listItems("lstJanru2"), listItems("lstKoumoku2")};
    }
    static QList<QStringList> thrice(const QStringList &l) { return {l, l, l}; }

    // A book with five payees and three categories, the edit page open.
    void openSettings(const QStringList &payees,
                      const QStringList &categories = {"食費", "教養", "外食"}) {
        book();
        m_dir->write(kPayees, lines(payees));
        m_dir->write(kCategories, lines(categories));
        open();
        m_inputs = std::make_unique<InputAnswerer>();
        click("cmdSettei");
    }
    void pick(const char *listName, int row) {
        list(listName)->clickRow(row);
        settle();
    }
    // Press on one item, move over the list with the button held, release on another.
    void drag(const char *listName, int from, int onto) {
        ListBox *l = list(listName);
        auto centre = [&](int row) { return l->visualItemRect(l->item(row)).center(); };
        QTest::mousePress(l->viewport(), Qt::LeftButton, {}, centre(from));
        const int step = onto > from ? 1 : -1;
        for (int row = from; row != onto + step; row += step) {
            QMouseEvent move(QEvent::MouseMove, centre(row),
                             l->viewport()->mapToGlobal(centre(row)), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(l->viewport(), &move);
        }
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, centre(onto));
        settle();
    }
    QColor sortColor(const char *button = "cmdSort") {
        return buttonBackColor(c<QAbstractButton>(button));
    }
    QString dayListPayees() {
        auto *g = c<Grid>("msgDayList");
        QString out;
        for (int r = 1; r < g->rows(); ++r)
            for (int col = 0; col < g->cols(); ++col)
                out += g->text(r, col) + QLatin1Char('|');
        return out;
    }
    QMap<QString, QByteArray> allFiles() {
        QMap<QString, QByteArray> out;
        for (const QString &name : m_dir->files())
            out[name] = m_dir->bytes(name);
        return out;
    }
    QStringList backupFolders() {
        return QDir(m_dir->path()).entryList({QStringLiteral("旧データ_*")}, QDir::Dirs);
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 14)); }
    void cleanup() {
        m_inputs.reset();
        closeAll();
        Clock::reset();
    }

    // --- Opening the page ---

    void selectionButtonsWaitForAClickInTheirList() {
        openSettings(kFive);
        const char *payeeButtons[] = {"cmdSort", "cmdDel", "cmdChg"};
        const char *categoryButtons[] = {"cmdSort10", "cmdDel3", "cmdChg2"};
        for (const char *b : payeeButtons)
            QVERIFY(!c<QAbstractButton>(b)->isEnabled());
        for (const char *b : categoryButtons)
            QVERIFY(!c<QAbstractButton>(b)->isEnabled());
        pick("lstKoumoku", 1);
        for (const char *b : payeeButtons)
            QVERIFY(c<QAbstractButton>(b)->isEnabled());
        for (const char *b : categoryButtons)
            QVERIFY(!c<QAbstractButton>(b)->isEnabled());
        pick("lstKoumoku2", 0);
        for (const char *b : categoryButtons)
            QVERIFY(c<QAbstractButton>(b)->isEnabled());
        // A click on another name is no drag.
        pick("lstKoumoku", 4);
        QCOMPARE(listItems("lstKoumoku"), kFive);
        QVERIFY(sortColor() != kPink);
        pick("lstKoumoku", 1);
        // Leaving and coming back disables them again; the selection stays.
        click("cmdMain");
        click("cmdSettei");
        for (const char *b : payeeButtons)
            QVERIFY(!c<QAbstractButton>(b)->isEnabled());
        QCOMPARE(list("lstKoumoku")->currentRow(), 1);
        QCOMPARE(c<QLineEdit>("txtPriData")->text(), QStringLiteral("テスト"));
    }

    // --- Adding ---

    void addingADuplicateAddsASecondLineAndItem() {
        openSettings(kFive);
        m_inputs->answers << QStringLiteral("本屋");
        click("cmdNew2");
        QCOMPARE(m_inputs->prompts, QStringList{"追加したい支払いを入力して下さい"});
        QCOMPARE(m_inputs->titles, QStringList{"支払い追加"});
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive) + QStringLiteral("本屋\r\n")));
        QCOMPARE(payeeLists(), thrice(kFive + QStringList{"本屋"}));
        QVERIFY(m_boxes->seen.isEmpty());
    }

    void addingToAnEmptyMasterCreatesItsFirstLine() {
        openSettings({}, {});
        m_inputs->answers << QStringLiteral("交通費");
        click("cmdNew3");
        QCOMPARE(m_inputs->prompts, QStringList{"追加したい費目を入力して下さい"});
        QCOMPARE(m_inputs->titles, QStringList{"費目追加"});
        QCOMPARE(m_dir->bytes(kCategories), sjis(QStringLiteral("交通費\r\n")));
        QCOMPARE(categoryLists(), thrice({"交通費"}));
        QCOMPARE(payeeLists(), thrice({}));
        // A budget can be given to it at once.
        QCOMPARE(c<QComboBox>("cboYosanJanru")->itemText(0), QStringLiteral("交通費"));
    }

    // A budget picked of a category no longer in the master stays picked
    // when the page writes a master, and is the one registered.
    void aPickedBudgetStaysPickedThroughAMasterWrite() {
        book();
        m_dir->write(kCategories, lines({"食費"}));
        m_dir->write(QStringLiteral("予算.txt"), QStringLiteral("\"旧費目\",5000\r\n"));
        open();
        m_inputs = std::make_unique<InputAnswerer>();
        click("cmdSettei");
        auto *budgets = c<QListWidget>("lstYosan");
        budgets->setCurrentRow(0);
        emit budgets->itemClicked(budgets->item(0));
        m_inputs->answers << QStringLiteral("交通費");
        click("cmdNew3");
        c<QLineEdit>("txtYosan")->setText(QStringLiteral("7000"));
        click("cmdYosan");
        QCOMPARE(m_dir->text(QStringLiteral("予算.txt")), QStringLiteral("\"旧費目\",7000\r\n"));
    }

    void emptyOrCancelledAddAddsNothing() {
        openSettings(kFive);
        const QByteArray before = m_dir->bytes(kPayees);
        m_inputs->answers << QString() << std::nullopt;
        click("cmdNew2");
        click("cmdNew2");
        QCOMPARE(m_inputs->titles.size(), 2);
        QCOMPARE(m_dir->bytes(kPayees), before);
        QCOMPARE(payeeLists(), thrice(kFive));
    }

    void addingANameTheFileCannotHoldIsRefused() {
        openSettings(kFive);
        const QByteArray before = m_dir->bytes(kPayees);
        m_inputs->answers << QStringLiteral("店\"A\"");
        click("cmdNew2");
        QCOMPARE(m_boxes->titles(), QStringList{"保存できない文字"});
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kPayees), before);
        QCOMPARE(payeeLists(), thrice(kFive));
    }

    // --- Deleting ---

    void deletingTheSelectedName() {
        openSettings(kFive);
        pick("lstKoumoku", 2);
        m_boxes->queue(QMessageBox::Cancel);
        click("cmdDel");
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("花屋を削除します。よろしいですか？"));
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("クリア確認"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive)));
        QCOMPARE(payeeLists(), thrice(kFive));

        click("cmdDel");
        const QStringList left{"八百屋", "本屋", "駅", "薬局"};
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(left)));
        QCOMPARE(payeeLists(), thrice(left));
        QCOMPARE(m_boxes->seen[2].text, QStringLiteral("選択したデータを削除しました"));
        QCOMPARE(m_boxes->seen[2].title, QStringLiteral("削除完了"));
        QCOMPARE(m_boxes->seen[2].icon, QMessageBox::Information);

        // The button stays enabled, but with nothing selected it does nothing.
        QVERIFY(c<QAbstractButton>("cmdDel")->isEnabled());
        click("cmdDel");
        QCOMPARE(m_boxes->seen.size(), 3);
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(left)));
    }

    // A name another program added to the master after the lists were
    // filled is not lost: the write is refused and the lists show it.
    void aListOlderThanItsMasterWritesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("delete") << QStringLiteral("cmdDel");
        QTest::newRow("order") << QStringLiteral("cmdSort");
    }
    void aListOlderThanItsMasterWritesNothing() {
        QFETCH(QString, button);
        openSettings(kFive);
        const QStringList added = kFive + QStringList{"花火屋"};
        m_dir->write(kPayees, lines(added));
        drag("lstKoumoku", 3, 0);
        drag("lstKoumoku2", 2, 0); // an order of the other master, not saved
        pick("lstKoumoku", 2);
        click(qPrintable(button));
        QCOMPARE(m_boxes->titles().last(), QStringLiteral("マスタの保存"));
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(added)));
        QCOMPARE(payeeLists(), thrice(added));
        QCOMPARE(listItems("lstKoumoku2"), (QStringList{"食費", "教養", "外食"}));
        QVERIFY(sortColor() != kPink && sortColor("cmdSort10") != kPink);
    }

    // A category the main page added to the master with a payment is in the
    // edit list, and a later deletion there goes through.
    void aCategoryAddedWithAPaymentCanBeDeletedOnTheEditPage() {
        openSettings(kFive);
        click("cmdMain");
        list("lstMise")->clickRow(0);
        settle();
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("雑費"));
        c<QLineEdit>("txtOutInp")->setText(QStringLiteral("500"));
        m_boxes->queue(QMessageBox::Yes);
        click("cmdTaiHozon");
        QCOMPARE(m_dir->text(kCategories), lines({"食費", "教養", "外食", "雑費"}));
        click("cmdSettei");
        pick("lstKoumoku2", 0);
        click("cmdDel3");
        QCOMPARE(m_boxes->titles().last(), QStringLiteral("削除完了"));
        QCOMPARE(m_dir->text(kCategories), lines({"教養", "外食", "雑費"}));
        QCOMPARE(listItems("lstKoumoku2"), (QStringList{"教養", "外食", "雑費"}));
    }

    // A name added with a character the file keeps in its look-alike is
    // listed as the file reads it; a deletion after it goes through.
    void aNameAddedWithALookAlikeLetsADeletionThrough() {
        openSettings(kFive);
        m_inputs->answers << QStringLiteral("波〜屋");
        click("cmdNew2");
        QCOMPARE(m_dir->text(kPayees), lines(kFive + QStringList{"波～屋"}));
        pick("lstKoumoku", 0);
        click("cmdDel");
        QCOMPARE(m_boxes->titles().last(), QStringLiteral("削除完了"));
        QCOMPARE(m_dir->text(kPayees), lines(kFive.mid(1) + QStringList{"波～屋"}));
    }

    void deletingAllLeavesAnEmptyFileAndEmptyLists() {
        openSettings(kFive);
        m_boxes->queue(QMessageBox::Cancel);
        click("cmdDel4");
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("費目マスタを全削除します。よろしいですか？"));
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(categoryLists(), thrice({"食費", "教養", "外食"}));
        click("cmdDel4");
        QVERIFY(m_dir->exists(kCategories));
        QCOMPARE(m_dir->bytes(kCategories), QByteArray());
        QCOMPARE(categoryLists(), thrice({}));
        QCOMPARE(m_boxes->seen[2].text,
                 QStringLiteral(
                     "費目マスタを削除しました。\n\n任意の状況をあらためて登録してください。"));
        QCOMPARE(m_boxes->seen[2].title, QStringLiteral("削除完了"));
        QCOMPARE(m_boxes->seen[2].icon, QMessageBox::Information);

        click("cmdDel2");
        QCOMPARE(m_boxes->seen[3].text,
                 QStringLiteral("支払いマスタを全削除します。よろしいですか？"));
        QCOMPARE(m_boxes->seen[4].text,
                 QStringLiteral(
                     "支払いマスタを削除しました。\n\n任意の状況をあらためて登録してください。"));
        QCOMPARE(m_dir->bytes(kPayees), QByteArray());
        QCOMPARE(payeeLists(), thrice({}));
    }

    // --- Dragging and saving the order ---

    void dragPutsTheNameBeforeTheTarget_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("4 onto 1") << 3 << 0 << QList<int>{3, 0, 1, 2, 4};
        QTest::newRow("1 onto 4") << 0 << 3 << QList<int>{1, 2, 0, 3, 4};
        QTest::newRow("1 onto 2") << 0 << 1 << QList<int>{0, 1, 2, 3, 4};
    }
    void dragPutsTheNameBeforeTheTarget() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QList<int>, order);
        openSettings(kFive);
        QStringList expected;
        for (int i : order)
            expected << kFive[i];
        const bool changed = expected != kFive;
        drag("lstKoumoku", from, onto);
        QCOMPARE(listItems("lstKoumoku"), expected);
        QCOMPARE(sortColor() == kPink, changed);
        // The file and the other lists keep the old order until it is saved.
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive)));
        QCOMPARE(listItems("lstMise"), kFive);
        QCOMPARE(listItems("lstMise2"), kFive);
        QVERIFY(c<QAbstractButton>("cmdSort")->isEnabled()); // the press was a click
        click("cmdSort");
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(expected)));
        QCOMPARE(payeeLists(), thrice(expected));
        QVERIFY(sortColor() != kPink);
        QCOMPARE(m_boxes->titles(), QStringList{"並び替え完了"});
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("並び替えた順番で支払いマスタリストを作成しました"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Information);
    }

    void categoryOrderSavedByItsOwnButton() {
        openSettings(kFive);
        drag("lstKoumoku2", 2, 0);
        QCOMPARE(sortColor("cmdSort10"), kPink);
        QVERIFY(sortColor("cmdSort") != kPink);
        click("cmdSort10");
        const QStringList expected{"外食", "食費", "教養"};
        QCOMPARE(m_dir->bytes(kCategories), sjis(lines(expected)));
        QCOMPARE(categoryLists(), thrice(expected));
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("並び替えた順番で費目マスタリストを作成しました"));
        QVERIFY(sortColor("cmdSort10") != kPink);
    }

    void unsavedOrderSurvivesAnAddButNotAReload() {
        openSettings(kFive);
        drag("lstKoumoku", 4, 0);
        const QStringList dragged{"薬局", "八百屋", "本屋", "花屋", "駅"};
        // Adding a category keeps the payee order on screen.
        m_inputs->answers << QStringLiteral("雑費");
        click("cmdNew3");
        QCOMPARE(listItems("lstKoumoku"), dragged);
        QCOMPARE(sortColor(), kPink);
        // A rename reloads every list from the files: the unsaved order is gone.
        pick("lstKoumoku2", 0);
        c<QLineEdit>("txtChg2")->setText(QStringLiteral("食料"));
        click("cmdChg2");
        QCOMPARE(listItems("lstKoumoku"), kFive);
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive)));
        QVERIFY(sortColor() != kPink); // saving it would say done of the file's order
    }

    // --- Free payee entry on the main page ---

    void freeEntryAnsweredNoPaysTheNextPaymentOnly() {
        openSettings(kFive);
        click("cmdMain");
        m_inputs->answers << QStringLiteral("屋台");
        m_boxes->queue(QMessageBox::No);
        click("cmdFree");
        QCOMPARE(m_inputs->prompts,
                 QStringList{"支払い先リストに無い内容をフリーで入力できます。\n\n"
                             "任意の言葉で内容を書き込んでください。\n\n"});
        QCOMPARE(m_inputs->titles, QStringList{"支払い先フリー入力"});
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("支払い先マスタに追加しますか？\n\n"
                                "マスタ登録しない場合は集計時に「その他」として扱われます。\n\n"));
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("支払い先マスタ登録の有無"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Question);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive)));
        QCOMPARE(payeeLists(), thrice(kFive));
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("食費"));
        c<QLineEdit>("txtOutInp")->setText(QStringLiteral("300"));
        click("cmdTaiHozon");
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/14", "屋台", "食費", 300)));
    }

    void freeEntryAnsweredYesJoinsTheMaster() {
        openSettings(kFive);
        click("cmdMain");
        m_inputs->answers << QStringLiteral("屋台");
        m_boxes->queue(QMessageBox::Yes);
        click("cmdFree");
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive + QStringList{"屋台"})));
        QCOMPARE(payeeLists(), thrice(kFive + QStringList{"屋台"}));
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("外食"));
        c<QLineEdit>("txtOutInp")->setText(QStringLiteral("800"));
        click("cmdTaiHozon");
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/14", "屋台", "外食", 800)));
        // Cancelled, the box leaves everything as it was.
        click("cmdFree");
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(kFive + QStringList{"屋台"})));
    }

    // --- Renaming across the book ---

    void renameChangesExactMatchesEverywhere() {
        openSettings(kFive);
        m_dir->write(kData, payLine("2005/02/10", "本屋", "教養", 1200, "雑誌") +
                                payLine("2005/02/14", "本屋さん", "教養", 12345678) +
                                payLine("2005/02/14", "本屋", "教養", 500));
        m_dir->write(kAssociations, QStringLiteral("\"本屋\",\"教養\"\r\n"));
        // A temporary left behind by an interrupted rewrite is written over.
        m_dir->write(QStringLiteral("データＣＨＧ.txt"), QStringLiteral("ごみ\r\n"));
        const QByteArray association = m_dir->bytes(kAssociations);
        pick("lstKoumoku", 1);
        c<QLineEdit>("txtChg")->setText(QStringLiteral("書店"));
        click("cmdChg");
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("『本屋』 を 『書店』 に変更します。よろしいですか？"));
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("クリア確認"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/10", "書店", "教養", 1200, "雑誌") +
                                           payLine("2005/02/14", "本屋さん", "教養", 12345678) +
                                           payLine("2005/02/14", "書店", "教養", 500)));
        const QStringList renamed{"八百屋", "書店", "花屋", "駅", "薬局"};
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines(renamed)));
        QCOMPARE(payeeLists(), thrice(renamed));
        QVERIFY(list("lstKoumoku")->selectedItems().isEmpty());
        // The memory of the payee's category stays under the old name.
        QCOMPARE(m_dir->bytes(kAssociations), association);
        for (const char16_t *temp : {u"データＣＨＧ.txt", u"状況リストＣＨＧ.txt"})
            QVERIFY(!m_dir->exists(QString::fromUtf16(temp)));
        QCOMPARE(m_boxes->seen[1].text, QStringLiteral("データを入れ替えました。"));
        QCOMPARE(m_boxes->seen[1].title, QStringLiteral("データ変更終了"));
        QCOMPARE(m_boxes->seen[1].icon, QMessageBox::Information);
        QCOMPARE(c<QLineEdit>("txtChg")->text(), QStringLiteral("書店"));
        QVERIFY(c<QAbstractButton>("cmdChg")->isEnabled());
        // The main page's day list shows the new name at once.
        QVERIFY(dayListPayees().contains(QStringLiteral("書店|")));
        QVERIFY(!dayListPayees().contains(QStringLiteral("|本屋|")));
    }

    void renameMergesIntoAnExistingCategory() {
        openSettings(kFive, {"食費", "外食", "教養"});
        m_dir->write(kData, payLine("2005/02/10", "八百屋", "外食", 700) +
                                payLine("2005/02/11", "八百屋", "食費", 300));
        pick("lstKoumoku2", 1);
        c<QLineEdit>("txtChg2")->setText(QStringLiteral("食費"));
        click("cmdChg2");
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/10", "八百屋", "食費", 700) +
                                           payLine("2005/02/11", "八百屋", "食費", 300)));
        QCOMPARE(m_dir->bytes(kCategories), sjis(lines({"食費", "食費", "教養"})));
        QCOMPARE(categoryLists(), thrice({"食費", "食費", "教養"}));
        QVERIFY(!m_dir->exists(QStringLiteral("費目リストＣＨＧ.txt")));
    }

    void renameReplacesANameTwiceInTheMaster() {
        openSettings({"駅", "本屋", "駅"});
        pick("lstKoumoku", 2);
        c<QLineEdit>("txtChg")->setText(QStringLiteral("バス"));
        click("cmdChg");
        QCOMPARE(m_dir->bytes(kPayees), sjis(lines({"バス", "本屋", "バス"})));
        QCOMPARE(payeeLists(), thrice({"バス", "本屋", "バス"}));
    }

    void renameRefusalsWriteNothing() {
        openSettings(kFive);
        m_dir->write(kData,
                     payLine("2005/02/10", "", "教養", 1) + payLine("2005/02/10", "駅", "教養", 2));
        const QMap<QString, QByteArray> before = allFiles();
        // The empty box is checked first, even with nothing selected.
        pick("lstKoumoku", 3);
        c<QLineEdit>("txtChg")->clear();
        click("cmdChg");
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("変更したいデータを入力してください"));
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("変更後データ未入力"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok);
        // Cancel at the question.
        c<QLineEdit>("txtChg")->setText(QStringLiteral("電車"));
        m_boxes->queue(QMessageBox::Cancel);
        click("cmdChg");
        QCOMPARE(m_boxes->seen[1].title, QStringLiteral("クリア確認"));
        QCOMPARE(allFiles(), before);
        // After a rename has reloaded the lists nothing is selected.
        click("cmdChg");
        QCOMPARE(m_boxes->titles().mid(2), (QStringList{"クリア確認", "データ変更終了"}));
        const QMap<QString, QByteArray> renamed = allFiles();
        QVERIFY(list("lstKoumoku")->selectedItems().isEmpty());
        click("cmdChg");
        QCOMPARE(m_boxes->seen[4].text, QStringLiteral("入れ替える名前を一覧から選んでください"));
        QCOMPARE(m_boxes->seen[4].title, QStringLiteral("名前未選択"));
        QCOMPARE(m_boxes->seen[4].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[4].buttons, QMessageBox::Ok);
        QCOMPARE(m_boxes->seen.size(), 5);
        QCOMPARE(allFiles(), renamed);
        c<QLineEdit>("txtChg")->clear();
        click("cmdChg");
        QCOMPARE(m_boxes->seen[5].title, QStringLiteral("変更後データ未入力"));
        // A name the files cannot hold, refused before the question.
        pick("lstKoumoku", 0);
        c<QLineEdit>("txtChg")->setText(QStringLiteral("a\"b"));
        click("cmdChg");
        QCOMPARE(m_boxes->seen[6].title, QStringLiteral("保存できない文字"));
        QCOMPARE(m_boxes->seen.size(), 7);
        QCOMPARE(allFiles(), renamed);
    }

    // --- The new start ---

    void newStartPanelListsTheDatesOnceAndStaysOpen() {
        openSettings(kFive);
        QVERIFY(!c("fraNew")->isVisible());
        c<QLineEdit>("txtNowJyou")->setText(QStringLiteral("1000"));
        c<QLineEdit>("txtPriData1")->setText(QStringLiteral("前の名前"));
        click("cmdNew1");
        QVERIFY(c("fraNew")->isVisible());
        auto *dates = c<QComboBox>("cboSt_Date");
        QCOMPARE(dates->count(), 90);
        QCOMPARE(dates->itemText(0), QStringLiteral("2005/02/13"));
        QCOMPARE(dates->itemText(89), QStringLiteral("2004/11/16"));
        QCOMPARE(dates->currentText(), QStringLiteral("2005/02/14"));
        QCOMPARE(c<QLineEdit>("txtPriData1")->text(), QString());
        QCOMPARE(c<QLineEdit>("txtNowJyou")->text(), QStringLiteral("1000"));
        click("cmdYame");
        QVERIFY(!c("fraNew")->isVisible());
        click("cmdNew1");
        QCOMPARE(dates->count(), 90);
        // Switching pages leaves the panel open for the next visit.
        click("cmdKakei");
        click("cmdSettei");
        QVERIFY(c("fraNew")->isVisible());
    }

    void enterMovesThroughThePanel() {
        openSettings(kFive);
        click("cmdNew1");
        c<QLineEdit>("txtPriData1")->setFocus();
        QTest::keyClick(c<QLineEdit>("txtPriData1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c("txtNowJyou"));
        QTest::keyClick(c<QLineEdit>("txtNowJyou"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), c("cmdStHozon"));
        QVERIFY(m_boxes->seen.isEmpty());
        // Enter on the focused button registers (here refused: no cash).
        QTest::keyClick(c<QAbstractButton>("cmdStHozon"), Qt::Key_Return);
        settle();
        QCOMPARE(m_boxes->titles(), QStringList{"入金未入力"});
    }

    void newStartWritesTheNewBookAndKeepsTheOld() {
        openSettings(kFive);
        m_dir->write(kData, payLine("2005/02/10", "本屋", "教養", 1200, "雑誌"));
        m_dir->write(kIncome, QStringLiteral("\"2005/01/01\",\"スタート時入金\",30000\r\n"));
        m_dir->write(kAssociations, QStringLiteral("\"本屋\",\"教養\"\r\n"));
        m_dir->write(kNotes, QStringLiteral("気付いたこと\r\n"));
        const QMap<QString, QByteArray> before = allFiles();
        click("cmdNew1");
        c<QComboBox>("cboSt_Date")->setEditText(QStringLiteral("2005/2/1"));
        c<QLineEdit>("txtNowJyou")->setText(QStringLiteral("５０，０００円"));
        c<QLineEdit>("txtPriData1")->setText(QStringLiteral("新しい名前"));
        click("cmdStHozon");
        QCOMPARE(m_boxes->titles(), (QStringList{"クリア確認", "新規登録終了"}));
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("入力した内容でデータを作ります。よろしいですか？"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(m_boxes->seen[1].text,
                 QStringLiteral("登録が終了しました。\r\n\r\n"
                                "一旦プログラムを終了させていただきます。次の起動からミルテアのスタ"
                                "ートです！\r\n\r\n"
                                "さかのぼっての登録でスタートした場合はさっそく手元のレシートを登録"
                                "してみましょう。\r\n\r\n"
                                "※支払い先と費目のマスタはそのままになっていますので自分の使いやす"
                                "いように編集してください。\r\n\r\n"));
        QCOMPARE(m_boxes->seen[1].icon, QMessageBox::Information);
        QCOMPARE(m_dir->bytes(kName), sjis(QStringLiteral("\"氏名\",\"新しい名前\"\r\n")));
        QCOMPARE(m_dir->bytes(kIncome),
                 sjis(QStringLiteral("\"2005/02/01\",\"スタート時入金\",50000\r\n")));
        QVERIFY(m_dir->exists(kData));
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        QVERIFY(m_dir->exists(kNotes));
        QCOMPARE(m_dir->bytes(kNotes), QByteArray());
        for (const QString &same : {kPayees, kCategories, kAssociations, QStringLiteral("設定.txt"),
                                    QStringLiteral("予測データ.txt")})
            QCOMPARE(m_dir->bytes(same), before[same]);
        // The old book, byte for byte.
        const QStringList folders = backupFolders();
        QCOMPARE(folders.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^旧データ_\\d{8}_\\d{6}$"))
                    .match(folders[0])
                    .hasMatch());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(m_dir->bytes(folders[0] + QLatin1Char('/') + it.key()), it.value());
        // The program ends.
        QVERIFY(!m_w->isVisible());
    }

    void newStartRefusalsWriteNothing_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        const auto row = [](const char *name, const char *date, const char *cash, const char *text,
                            const char *title, QMessageBox::Icon icon) {
            QTest::newRow(name) << QString::fromUtf8(date) << QString::fromUtf8(cash)
                                << QString::fromUtf8(text) << QString::fromUtf8(title) << int(icon);
        };
        const char *badDate = "日付けは 2005/02/14 のように年/月/日で正しく入力してください";
        row("empty cash", "2005/02/14", "", "スタート時の金額が入力されていません", "入金未入力",
            QMessageBox::Information);
        row("empty cash before a bad date", "だめ", "", "スタート時の金額が入力されていません",
            "入金未入力", QMessageBox::Information);
        row("no amount", "2005/02/14", "五万円", "金額は数字で入力してください", "金額異常",
            QMessageBox::Warning);
        row("cut amount", "2005/02/14", "50,00", "金額は数字で入力してください", "金額異常",
            QMessageBox::Warning);
        row("impossible date", "2005/02/30", "1000", badDate, "日付け異常", QMessageBox::Warning);
        row("no date", "", "1000", badDate, "日付け異常", QMessageBox::Warning);
        row("name the file cannot hold", "2005/02/14", "1000", "", "保存できない文字",
            QMessageBox::Warning);
    }
    void newStartRefusalsWriteNothing() {
        QFETCH(QString, date);
        QFETCH(QString, cash);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        openSettings(kFive);
        m_dir->write(kData, payLine("2005/02/10", "本屋", "教養", 1200));
        const QMap<QString, QByteArray> before = allFiles();
        click("cmdNew1");
        c<QComboBox>("cboSt_Date")->setEditText(date);
        c<QLineEdit>("txtNowJyou")->setText(cash);
        c<QLineEdit>("txtPriData1")
            ->setText(title == QStringLiteral("保存できない文字") ? QStringLiteral("😀")
                                                                  : QStringLiteral("名前"));
        click("cmdStHozon");
        QCOMPARE(m_boxes->seen.size(), 1);
        if (!text.isEmpty()) QCOMPARE(m_boxes->seen[0].text, text);
        QCOMPARE(m_boxes->seen[0].title, title);
        QCOMPARE(int(m_boxes->seen[0].icon), icon);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok);
        QCOMPARE(allFiles(), before);
        QVERIFY(backupFolders().isEmpty());
        QVERIFY(m_w->isVisible());
    }

    void newStartCancelledWritesNothing() {
        openSettings(kFive);
        const QMap<QString, QByteArray> before = allFiles();
        click("cmdNew1");
        c<QLineEdit>("txtNowJyou")->setText(QStringLiteral("0"));
        m_boxes->queue(QMessageBox::Cancel);
        click("cmdStHozon");
        QCOMPARE(m_boxes->titles(), QStringList{"クリア確認"});
        QCOMPARE(allFiles(), before);
        QVERIFY(backupFolders().isEmpty());
        QVERIFY(m_w->isVisible());
    }

    void newStartStopsWhenTheOldBookCannotBeKept() {
        openSettings(kFive);
        // A record file that cannot be read: a folder in its place.
        QFile::remove(m_dir->file(QStringLiteral("予測データ.txt")));
        QDir(m_dir->path()).mkdir(QStringLiteral("予測データ.txt"));
        const QMap<QString, QByteArray> before = allFiles();
        click("cmdNew1");
        c<QLineEdit>("txtNowJyou")->setText(QStringLiteral("1000"));
        click("cmdStHozon");
        QCOMPARE(m_boxes->titles(), (QStringList{"クリア確認", "新規スタート中止"}));
        QCOMPARE(m_boxes->seen[1].icon, QMessageBox::Warning);
        QCOMPARE(allFiles(), before);
        QVERIFY(backupFolders().isEmpty());
        QVERIFY(m_w->isVisible());
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
