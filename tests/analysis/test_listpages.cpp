// The data list (並び替え), the one-line diary (一言日記) and the savings page
// (貯金) through the real window, its buttons and its message boxes.
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "records/clock.h"
#include "records/dates.h"
#include "records/fileops.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/twips.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");

QString payLine(const QString &date, const QString &payee, const QString &category,
                const QString &amount, const QString &memo = {}, const QString &reserved = {}) {
    return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"%5\",\"%6\"\r\n")
        .arg(date, payee, category, amount, memo, reserved);
}

// n records on consecutive days of 2005, payee "店<i>", amount i.
QString records(int n) {
    QString out;
    for (int i = 1; i <= n; ++i)
        out += payLine(dateText(QDate(2005, 1, 1).addDays(i / 10)), QStringLiteral("店%1").arg(i),
                       QStringLiteral("食費"), QString::number(i));
    return out;
}

QStringList column(Grid *g, int col) {
    QStringList out;
    for (int r = 1; r < g->rows(); ++r)
        out << g->text(r, col);
    return out;
}

ino_t inodeOf(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// The history's log cannot be synced once データ.txt holds a written comment:
// the commit of the store fails, as on a full disk.
QByteArray s_data;
ino_t s_log = 0;
int commitFails(int fd) {
    struct stat st {};
    QFile data(QString::fromLocal8Bit(s_data));
    if (::fstat(fd, &st) == 0 && st.st_ino == s_log && data.open(QIODevice::ReadOnly) &&
        data.readAll().contains(sjis(QStringLiteral("消える一言")))) {
        errno = ENOSPC;
        return -1;
    }
    return ::fsync(fd);
}
} // namespace

class TestListPages : public QObject, public WindowFixture {
    Q_OBJECT
private:
    void openBook(const QString &payments) {
        book().write(kData, payments);
        WindowFixture::open();
    }
    Grid *grid(const char *name) { return c<Grid>(name); }
    // Picks a diary row as a user's click does.
    void pick(int row) {
        grid("msgMemoList")->clickCell(row, 5);
        settle();
    }
    void storeComment(int row, const QString &text) {
        pick(row);
        c<QLineEdit>("txtMemo")->setText(text);
        click("cmdMemoHozon");
    }
    void pressEnter() {
        QTest::keyClick(c<QLineEdit>("txtMemo"), Qt::Key_Return);
        settle();
    }
    int leftPx(const char *name) { return c(name)->x(); }
    // Whether the grid shows its last rows: scrolling to the end moves nothing.
    bool atEnd(Grid *g) {
        const int top = g->topRow();
        g->setTopRow(g->rows() - 1);
        return top > 1 && g->topRow() == top;
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    // --- 並び替え ---

    void emptyBookShowsHeadersOnly() {
        openBook({});
        click("cmdBunseki");
        QCOMPARE(grid("msgIchiran")->rows(), 1);
        QCOMPARE(grid("msgIchiran")->text(0, 4), QStringLiteral("金額"));
        click("cmdMemo");
        QCOMPARE(grid("msgMemoList")->rows(), 1);
        QVERIFY(!c<QPushButton>("cmdMemoHozon")->isEnabled());
        click("cmdCyokin");
        QCOMPARE(grid("msgCyokin")->rows(), 1);
        QCOMPARE(grid("msgCyokin")->text(0, 4), QStringLiteral("累計"));
        auto *chart = c<Chart>("mcrCyokin");
        QCOMPARE(chart->rowCount(), 1);
        QCOMPARE(chart->value(1, 1), 0.0);
        QCOMPARE(chart->value(1, 2), 0.0);
        QVERIFY(m_boxes->seen.isEmpty());
    }

    void dataListRowsInFileOrder() {
        openBook(payLine("2005/02/14", "スーパー", "食費", "1234", "特売") +
                 payLine("2005/2/15", "駅", "交通費", "-500") +
                 payLine("2005/02/16", "本屋", "教養", "abc"));
        click("cmdBunseki");
        Grid *g = grid("msgIchiran");
        QCOMPARE(g->rows(), 4);
        QCOMPARE(column(g, 0), (QStringList{"1", "2", "3"}));
        QCOMPARE(column(g, 1), (QStringList{"2005/02/14", "2005/02/15", "2005/02/16"}));
        QCOMPARE(column(g, 2), (QStringList{"スーパー", "駅", "本屋"}));
        QCOMPARE(column(g, 4), (QStringList{"¥1,234", "-¥500", "abc"})); // unreadable: as stored
        QCOMPARE(column(g, 5), (QStringList{"特売", "", ""}));
        QCOMPARE(column(g, 6), (QStringList{"1234", "-500", "abc"}));
    }

    void dataListScrollsToTheEndFrom24Records() {
        openBook(records(23));
        click("cmdBunseki");
        QCOMPARE(grid("msgIchiran")->topRow(), 1);
        closeAll();
        openBook(records(24));
        click("cmdBunseki");
        QCOMPARE(grid("msgIchiran")->rows(), 25);
        QVERIFY(atEnd(grid("msgIchiran")));
    }

    void eachSortButtonAlternatesOnItsOwn() {
        openBook(payLine("2005/02/01", "b", "y", "3", "2") + payLine("2005/02/02", "B", "z", "1") +
                 payLine("2005/02/03", "a", "x", "2", "1"));
        click("cmdBunseki");
        Grid *g = grid("msgIchiran");
        click("cmdSort2"); // ascending by character code: upper case first
        QCOMPARE(column(g, 2), (QStringList{"B", "a", "b"}));
        QCOMPARE(g->currentCol(), 2);
        click("cmdSort4"); // its own first press: ascending
        QCOMPARE(column(g, 4), (QStringList{"¥1", "¥2", "¥3"}));
        click("cmdSort2"); // second press: descending
        QCOMPARE(column(g, 2), (QStringList{"b", "a", "B"}));
        click("cmdSort3");
        QCOMPARE(column(g, 3), (QStringList{"x", "y", "z"}));
        click("cmdSort5");
        QCOMPARE(column(g, 5), (QStringList{"", "1", "2"}));
        // Leaving and reopening keeps each button's direction; the list is in file order again.
        click("cmdMain");
        click("cmdBunseki");
        QCOMPARE(column(g, 0), (QStringList{"1", "2", "3"}));
        click("cmdSort2"); // third press: ascending again
        QCOMPARE(column(g, 2), (QStringList{"B", "a", "b"}));
        click("cmdSort4"); // second press: descending
        QCOMPARE(column(g, 4), (QStringList{"¥3", "¥2", "¥1"}));
        click("cmdSort3");
        QCOMPARE(column(g, 3), (QStringList{"z", "y", "x"}));
        click("cmdSort5");
        QCOMPARE(column(g, 5), (QStringList{"2", "1", ""}));
        click("cmdSort4");
        QCOMPARE(column(g, 4), (QStringList{"¥1", "¥2", "¥3"}));
    }

    void amountSortsAsNumbersAndDateOrderRestoresTheFile() {
        openBook(payLine("2005/02/01", "A", "x", "12000") +
                 payLine("2005/02/01", "B", "x", "9800") + payLine("2005/02/02", "C", "x", "-500") +
                 payLine("2005/02/03", "D", "x", "9800") + payLine("2005/02/03", "E", "x", "300"));
        click("cmdBunseki");
        Grid *g = grid("msgIchiran");
        click("cmdSort4");
        QCOMPARE(column(g, 4), (QStringList{"-¥500", "¥300", "¥9,800", "¥9,800", "¥12,000"}));
        QCOMPARE(column(g, 2), (QStringList{"C", "E", "B", "D", "A"})); // equal amounts keep order
        click("cmdSort2");
        click("cmdSort2");
        QCOMPARE(column(g, 2), (QStringList{"E", "D", "C", "B", "A"}));
        click("cmdSort1");
        QCOMPARE(column(g, 0), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(column(g, 2), (QStringList{"A", "B", "C", "D", "E"}));
        click("cmdSort1");
        QCOMPARE(column(g, 0), (QStringList{"5", "4", "3", "2", "1"}));
        QCOMPARE(m_dir->text(kData).count(u'\n'), 5); // the file is never touched
    }

    void fortyThousandRecords() {
        openBook(records(40000));
        click("cmdBunseki");
        QCOMPARE(grid("msgIchiran")->rows(), 40001);
        QCOMPARE(grid("msgIchiran")->text(40000, 0), QStringLiteral("40000"));
        QCOMPARE(grid("msgIchiran")->text(40000, 6), QStringLiteral("40000"));
        QVERIFY(atEnd(grid("msgIchiran")));
        click("cmdSort4");
        click("cmdSort4");
        QCOMPARE(grid("msgIchiran")->text(1, 2), QStringLiteral("店40000"));
        click("cmdMemo");
        QCOMPARE(grid("msgMemoList")->rows(), 40001);
        QCOMPARE(grid("msgMemoList")->text(40000, 2), QStringLiteral("店40000"));
        storeComment(40000, QStringLiteral("最後"));
        QVERIFY(m_dir->text(kData).endsWith(QStringLiteral(",40000,\"最後\",\"\"\r\n")));
    }

    // A page left lets its lists' rows go; opened again it lists them as before.
    void aPageLeftListsItsRowsAnewWhenOpened_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("list");
        const std::pair<const char *, const char *> pages[] = {
            {"cmdKakei", "msgKakei2"},    {"cmdRentai", "msgRireki"}, {"cmdTaijyu", "msgBunseki"},
            {"cmdBunseki", "msgIchiran"}, {"cmdCale", "msgCale_w"},   {"cmdMemo", "msgMemoList"}};
        for (const auto &[page, list] : pages)
            QTest::newRow(list) << QByteArray(page) << QByteArray(list);
    }
    void aPageLeftListsItsRowsAnewWhenOpened() {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, list);
        openBook(records(3000));
        click(page.constData());
        Grid *g = grid(list.constData());
        const QList<QStringList> shown = g->table();
        const int top = g->topRow();
        QVERIFY(shown.size() > 2);
        click("cmdMain");
        QCOMPARE(g->rows(), 1);
        click(page.constData());
        QCOMPARE(g->table(), shown);
        QCOMPARE(g->topRow(), top);
    }

    // --- 一言日記 ---

    void diaryScrollsToTheEndFrom16Records() {
        openBook(records(15));
        click("cmdMemo");
        QCOMPARE(grid("msgMemoList")->topRow(), 1);
        closeAll();
        openBook(records(16));
        click("cmdMemo");
        QVERIFY(atEnd(grid("msgMemoList")));
    }

    void storingOneCommentChangesOnlyItsRecord() {
        const QString before = payLine("2005/02/14", "スーパー", "食費", "1234", "特売", "予備") +
                               payLine("2005/02/14", "駅", "交通費", "12.5") +
                               payLine("2005/02/15", "本屋", "教養", "-300", "古い一言") +
                               payLine("2005/02/16", "A", "B", "abc", "x", "r");
        openBook(before);
        click("cmdMemo");
        Grid *g = grid("msgMemoList");
        QCOMPARE(column(g, 4), (QStringList{"¥1,234", "¥12", "-¥300", "abc"}));
        pick(3);
        QCOMPARE(c<QLineEdit>("txtMemo")->text(), QStringLiteral("古い一言"));
        QVERIFY(c<QPushButton>("cmdMemoHozon")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), c("txtMemo"));
        c<QLineEdit>("txtMemo")->setText(QStringLiteral("新しい一言"));
        click("cmdMemoHozon");
        QCOMPARE(m_dir->bytes(kData),
                 sjis(payLine("2005/02/14", "スーパー", "食費", "1234", "特売") +
                      payLine("2005/02/14", "駅", "交通費", "12") +
                      payLine("2005/02/15", "本屋", "教養", "-300", "新しい一言") +
                      payLine("2005/02/16", "A", "B", "abc", "x", "r")));
        QCOMPARE(g->text(3, 5), QStringLiteral("新しい一言"));
        QVERIFY(m_boxes->seen.isEmpty());
        // Nothing else changes: the box keeps its text, the button stays enabled.
        QCOMPARE(c<QLineEdit>("txtMemo")->text(), QStringLiteral("新しい一言"));
        QVERIFY(c<QPushButton>("cmdMemoHozon")->isEnabled());
        // An empty comment, stored with Enter.
        pick(1);
        c<QLineEdit>("txtMemo")->clear();
        pressEnter();
        QVERIFY(m_dir->bytes(kData).startsWith(
            sjis(payLine("2005/02/14", "スーパー", "食費", "1234", ""))));
        // Read back after leaving the page; the button is disabled again.
        click("cmdMain");
        click("cmdMemo");
        QCOMPARE(column(g, 5), (QStringList{"", "", "新しい一言", "x"}));
        QVERIFY(!c<QPushButton>("cmdMemoHozon")->isEnabled());
        QCOMPARE(c<QLineEdit>("txtMemo")->text(), QString()); // the box keeps its text
    }

    void enterStoresOnlyIntoARowPickedOnThisVisit() {
        const QString before = payLine("2005/02/14", "A", "x", "1", "一", "r");
        openBook(before);
        click("cmdMemo");
        c<QLineEdit>("txtMemo")->setText(QStringLiteral("まだ選んでいない"));
        pressEnter();
        QCOMPARE(m_dir->bytes(kData), sjis(before));
        QCOMPARE(grid("msgMemoList")->text(0, 5), QStringLiteral("一言日記"));
        // A row picked on an earlier visit does not count either.
        pick(1);
        click("cmdMain");
        click("cmdMemo");
        QVERIFY(!c<QPushButton>("cmdMemoHozon")->isEnabled());
        c<QLineEdit>("txtMemo")->setText(QStringLiteral("前の訪問の行"));
        pressEnter();
        QCOMPARE(m_dir->bytes(kData), sjis(before));
        // Nor does a click on the header row.
        grid("msgMemoList")->clickCell(0, 5);
        settle();
        QVERIFY(!c<QPushButton>("cmdMemoHozon")->isEnabled());
        pressEnter();
        QCOMPARE(m_dir->bytes(kData), sjis(before));
        QVERIFY(m_boxes->seen.isEmpty());
    }

    void unholdableCommentsAreRefused_data() {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("message");
        QTest::newRow("quote") << QStringLiteral("言った\"よ")
                               << QStringLiteral("ダブルクォーテーション（\"）は保存できません。"
                                                 "別の文字に置き換えてください。");
        QTest::newRow("line break")
            << QStringLiteral("一行目\n二行目")
            << QStringLiteral("改行は保存できません。一行で入力してください。");
        QTest::newRow("outside CP932") << QStringLiteral("𠮷野家")
                                       << QStringLiteral("「𠮷」は保存できない文字です。"
                                                         "別の文字に置き換えてください。");
    }
    void unholdableCommentsAreRefused() {
        QFETCH(QString, comment);
        QFETCH(QString, message);
        const QString before = payLine("2005/02/14", "A", "x", "1", "一", "r");
        openBook(before);
        click("cmdMemo");
        storeComment(1, comment);
        QCOMPARE(m_boxes->titles(), QStringList{QStringLiteral("保存できない文字")});
        QCOMPARE(m_boxes->seen.first().text, message);
        QCOMPARE(m_boxes->seen.first().icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kData), sjis(before));
        QCOMPARE(grid("msgMemoList")->text(1, 5), QStringLiteral("一"));
    }

    void storeWritesATemporaryAndRenamesIt() {
        openBook(payLine("2005/02/14", "A", "x", "1"));
        m_dir->writeBytes(QStringLiteral("データコピー.txt"), "left behind\r\n");
        const ino_t before = inodeOf(m_dir->file(kData));
        click("cmdMemo");
        storeComment(1, QStringLiteral("一言"));
        QVERIFY(inodeOf(m_dir->file(kData)) != before);
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/14", "A", "x", "1", "一言")));
        QVERIFY(!m_dir->exists(QStringLiteral("データコピー.txt")));
    }

    // The history cannot take the commit (a full disk): the comment is put
    // back, the list says what the file holds, and the next store goes in.
    void aCommentPutBackIsNotListedAsStored() {
        const QString before =
            payLine("2005/02/14", "A", "x", "1", "一") + payLine("2005/02/15", "B", "y", "2");
        openBook(before);
        click("cmdMemo");
        s_data = QFile::encodeName(m_dir->file(kData));
        s_log = inodeOf(m_dir->file(QStringLiteral("バックアップ/履歴.txt")));
        const SyncCall previous = setSyncCall(commitFails);
        storeComment(1, QStringLiteral("消える一言"));
        setSyncCall(previous);
        QCOMPARE(m_boxes->titles(), QStringList{QStringLiteral("ファイル書き込みエラー")});
        QVERIFY(m_boxes->seen.first().text.endsWith(QStringLiteral("保存しませんでした。")));
        QCOMPARE(m_dir->bytes(kData), sjis(before));
        QCOMPARE(grid("msgMemoList")->text(1, 5), QStringLiteral("一"));
        storeComment(2, QStringLiteral("残る一言"));
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/14", "A", "x", "1", "一") +
                                           payLine("2005/02/15", "B", "y", "2", "残る一言")));
    }

    // --- 貯金 ---

    void savingsListAndChart() {
        openBook(payLine("2005/01/01", "貯金", "雑費", "10000") +
                 payLine("2005/01/02", "銀行", "定期貯金", "5000") +
                 payLine("2005/01/03", "スーパー", "食費", "800", "貯金したい") +
                 payLine("2005/01/04", "貯金箱", "貯金", "3000") +
                 payLine("2005/01/05", "貯金", "引き出し", "-2000"));
        click("cmdCyokin");
        Grid *g = grid("msgCyokin");
        QCOMPARE(g->rows(), 5);
        QCOMPARE(column(g, 0),
                 (QStringList{"2005/01/01", "2005/01/02", "2005/01/04", "2005/01/05"}));
        QCOMPARE(column(g, 1), (QStringList{"貯金", "銀行", "貯金箱", "貯金"}));
        QCOMPARE(column(g, 2), (QStringList{"雑費", "定期貯金", "貯金", "引き出し"}));
        QCOMPARE(column(g, 3), (QStringList{"¥10,000", "¥5,000", "¥3,000", "-¥2,000"}));
        QCOMPARE(column(g, 4), (QStringList{"¥10,000", "¥15,000", "¥18,000", "¥16,000"}));
        auto *chart = c<Chart>("mcrCyokin");
        QCOMPARE(chart->rowCount(), 4);
        const double totals[] = {10000, 15000, 18000, 16000},
                     amounts[] = {10000, 5000, 3000, -2000};
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(chart->value(r, 1), totals[r - 1]);
            QCOMPARE(chart->value(r, 2), amounts[r - 1]);
        }
        QCOMPARE(chart->seriesKind(1), Chart::SeriesKind::Line);
        QCOMPARE(chart->seriesKind(2), Chart::SeriesKind::Bar);
    }

    void savingsLayoutOptions() {
        openBook(payLine("2005/01/01", "貯金", "雑費", "10000"));
        auto layout = [this] {
            return QList<int>{c("mcrCyokin")->width(), leftPx("Frame5_4"), leftPx("Frame7")};
        };
        const QList<int> chartOnly{twipsToPx(11445), twipsToPx(10400), twipsToPx(7000)};
        const QList<int> withList{twipsToPx(6540), twipsToPx(5450), twipsToPx(2350)};
        click("cmdCyokin");
        QCOMPARE(layout(), chartOnly);
        QVERIFY(c<QRadioButton>("optList3_0")->isChecked());
        const int listLeft = c("msgCyokin")->x();
        click("optList3_1");
        QCOMPARE(layout(), withList);
        QCOMPARE(c("msgCyokin")->x(), listLeft);
        QCOMPARE(grid("msgCyokin")->rows(), 2); // the data stays
        click("optList3_0");
        QCOMPARE(layout(), chartOnly);
        // Every opening starts with the chart alone.
        click("optList3_1");
        click("cmdMain");
        click("cmdCyokin");
        QCOMPARE(layout(), chartOnly);
        QVERIFY(c<QRadioButton>("optList3_0")->isChecked());
    }
};

QTEST_MAIN(TestListPages)
#include "test_listpages.moc"
