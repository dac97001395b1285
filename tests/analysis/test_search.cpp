// The search page (範囲指定) through the real window.
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "analysisbook.h"
#include "records/clock.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QColor kInForce(0xFF, 0xFF, 0xC0);

// Today is Tuesday 2005/03/01.
QString sampleRecords() {
    return payLine(QStringLiteral("2005/02/20"), QStringLiteral("スーパー丸正"),
                   QStringLiteral("食費"), 1000) +
           payLine(QStringLiteral("2005/02/20"), QStringLiteral("コンビニ"),
                   QStringLiteral("日用品"), 1050) +
           payLine(QStringLiteral("2005/02/21"), QStringLiteral("スーパー"),
                   QStringLiteral("外食費"), 300) +
           payLine(QStringLiteral("2005/02/27"), QStringLiteral("駅"), QStringLiteral("交通費"),
                   20) +
           payLine(QStringLiteral("2005/02/28"), QStringLiteral("スーパー"), QStringLiteral("食費"),
                   150) +
           payLine(QStringLiteral("2005/03/01"), QStringLiteral("コンビニ"), QStringLiteral("食費"),
                   500);
}
} // namespace

class TestSearch : public QObject, public WindowFixture {
    Q_OBJECT
private:
    void open(const QString &payments = sampleRecords()) {
        book().write(kData, payments);
        m_dir->write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("コンビニ\r\nスーパー\r\n駅\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n交通費\r\n"));
        WindowFixture::open();
        click("cmdTaijyu");
    }
    Grid *grid() { return c<Grid>("msgBunseki"); }
    Chart *chart() { return c<Chart>("mcrBunseki"); }
    QStringList column(int col) {
        QStringList out;
        for (int r = 1; r < grid()->rows(); ++r)
            out << grid()->text(r, col);
        return out;
    }
    bool inForce(const char *button) {
        return buttonBackColor(c<QAbstractButton>(button)) == kInForce;
    }
    QString box(const char *name) { return c<QLineEdit>(name)->text(); }
    void focus(const char *name) {
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(c<QLineEdit>(name), &in);
    }
    void enter(const char *name, Qt::Key key = Qt::Key_Return) {
        QTest::keyClick(c<QLineEdit>(name), key);
        settle();
    }
    void clickPayee(const QString &name) {
        auto *list = c<ListBox>("lstMise2");
        list->clickRow(list->row(list->findItems(name, Qt::MatchExactly).value(0)));
        settle();
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 3, 1)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void openingListsEveryRecord() {
        open();
        QVERIFY(c("fraTaijyu")->isVisible());
        Grid *g = grid();
        QCOMPARE(g->rows(), 7);
        QCOMPARE((QStringList{g->text(0, 0), g->text(0, 1), g->text(0, 2), g->text(0, 3),
                              g->text(0, 4), g->text(0, 5), g->text(0, 6)}),
                 (QStringList{"回", "年月日", "曜", "支払い", "費目", "金額", "累計"}));
        QCOMPARE(g->headerAlignment(0), Qt::AlignCenter);
        QCOMPARE(g->fixedAlignment(0), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE((QStringList{g->text(1, 0), g->text(1, 1), g->text(1, 2), g->text(1, 3),
                              g->text(1, 4), g->text(1, 5), g->text(1, 6)}),
                 (QStringList{"1", "05/02/20", "日", "スーパー丸正", "食費", "¥1,000", "¥1,000"}));
        QCOMPARE(column(6).last(), QStringLiteral("¥3,020"));
        QCOMPARE(column(2), (QStringList{"日", "日", "月", "日", "月", "火"}));
        QCOMPARE(chart()->rowCount(), 6);
        QCOMPARE(chart()->value(2, 1), 1050.0);
        // 1,000 raises the peak to 1,100; 1,050 does not exceed it.
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 2000.0);
        QCOMPARE(chart()->axisDivisions(Chart::Axis::Primary), 10);
        auto *from = c<QComboBox>("cboStdate");
        auto *to = c<QComboBox>("cboEddate");
        QCOMPARE(from->count(), 5);
        QCOMPARE(from->currentText(), QStringLiteral("2005/02/20"));
        QCOMPARE(to->currentText(), QStringLiteral("2005/03/01"));
        QVERIFY(inForce("cmdAllDay") && inForce("cmdAllact") && inForce("cmdAllWeek"));
        QVERIFY(!inForce("cmdKikan1"));

        // Reopening refills the date lists with the file's dates, not doubled.
        click("cmdMain");
        m_dir->write(kData,
                     sampleRecords() + payLine(QStringLiteral("2005/03/02"), QStringLiteral("駅"),
                                               QStringLiteral("交通費"), 10));
        click("cmdTaijyu");
        QCOMPARE(from->count(), 6);
        QCOMPARE(to->count(), 6);
        QCOMPARE(to->currentText(), QStringLiteral("2005/03/02"));
    }

    void periodButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("listed");
        QTest::newRow("前日") << "cmdKikan1"
                              << "2005/02/28" << 2;
        QTest::newRow("３日") << "cmdKikan8"
                              << "2005/02/27" << 3;
        QTest::newRow("１週間") << "cmdKikan2"
                                << "2005/02/22" << 3;
        QTest::newRow("２週間") << "cmdKikan3"
                                << "2005/02/15" << 6;
        QTest::newRow("１ヶ月") << "cmdKikan4"
                                << "2005/01/30" << 6;
        QTest::newRow("３ヶ月") << "cmdKikan5"
                                << "2004/12/01" << 6;
        QTest::newRow("半年") << "cmdKikan6"
                              << "2004/09/02" << 6;
        QTest::newRow("１年") << "cmdKikan7"
                              << "2004/03/01" << 6;
    }
    void periodButtons() {
        QFETCH(QString, button);
        QFETCH(QString, from);
        QFETCH(int, listed);
        open();
        const QByteArray name = button.toLatin1();
        click(name.constData());
        QCOMPARE(c<QComboBox>("cboStdate")->currentText(), from);
        QCOMPARE(c<QComboBox>("cboEddate")->currentText(), QStringLiteral("2005/03/01"));
        QCOMPARE(grid()->rows(), listed + 1);
        QCOMPARE(grid()->text(1, 0), QStringLiteral("1"));
        QVERIFY(inForce(name.constData()));
        QVERIFY(!inForce("cmdAllDay"));
        QVERIFY(c("fraTaijyu")->isVisible());
    }

    void typedPeriodAndNothingListed() {
        open();
        c<QComboBox>("cboStdate")->setEditText(QStringLiteral("2005/02/21"));
        c<QComboBox>("cboEddate")->setEditText(QStringLiteral("2005/02/27"));
        click("cmdKikanF");
        QCOMPARE(column(1), (QStringList{"05/02/21", "05/02/27"}));
        QCOMPARE(column(6), (QStringList{"¥300", "¥320"})); // the total restarts
        QVERIFY(inForce("cmdKikanF"));
        c<QComboBox>("cboStdate")->setEditText(QStringLiteral("2006/01/01"));
        click("cmdKikanF");
        QCOMPARE(grid()->rows(), 1);
        QCOMPARE(chart()->rowCount(), 1);
        QCOMPARE(chart()->value(1, 1), 0.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 1.0);
        // 全部 runs from the first payment to today.
        click("cmdAllDay");
        QCOMPARE(c<QComboBox>("cboStdate")->currentText(), QStringLiteral("2005/02/20"));
        QCOMPARE(grid()->rows(), 7);
    }

    void aPayeeChoiceListsNamesHoldingIt() {
        open();
        clickPayee(QStringLiteral("スーパー"));
        QCOMPARE(box("txtKey"), QStringLiteral("スーパー"));
        QCOMPARE(box("txtKey2"), QStringLiteral("スーパー"));
        QCOMPARE(column(3), (QStringList{"スーパー丸正", "スーパー", "スーパー"}));
        QVERIFY(!inForce("cmdAllact"));
        click("cmdAllact");
        QCOMPARE(box("txtKey"), QString());
        QCOMPARE(grid()->rows(), 7);
        QVERIFY(inForce("cmdAllact"));
    }

    void enterInAKeyBoxListsOtherKeysDoNot() {
        open();
        c<QLineEdit>("txtKey2")->setText(QStringLiteral("食"));
        enter("txtKey2", Qt::Key_A); // typed into the box, nothing listed
        QCOMPARE(box("txtKey2"), QStringLiteral("食a"));
        QCOMPARE(grid()->rows(), 7);
        QCOMPARE(box("txtKey"), QString());
        c<QLineEdit>("txtKey2")->setText(QStringLiteral("食"));
        enter("txtKey2");
        QCOMPARE(box("txtKey"), QStringLiteral("食"));
        QCOMPARE(column(4), (QStringList{"食費", "外食費", "食費", "食費"}));
        // The payee box: Enter looks in the payee.
        c<QLineEdit>("txtKey")->setText(QStringLiteral("コンビニ"));
        enter("txtKey");
        QCOMPARE(box("txtKey2"), QStringLiteral("コンビニ"));
        QCOMPARE(column(3), (QStringList{"コンビニ", "コンビニ"}));
    }

    void weekdaysKeepKeyAndPeriod() {
        open();
        c<QLineEdit>("txtKey2")->setText(QStringLiteral("食"));
        enter("txtKey2");
        click("cmdKikan2"); // from 02/22
        QCOMPARE(grid()->rows(), 3);
        click("cmdWeek_1"); // Monday
        QCOMPARE(column(1), (QStringList{"05/02/28"}));
        QVERIFY(inForce("cmdWeek_1"));
        QVERIFY(!inForce("cmdAllWeek"));
        click("cmdWeek_2");
        QVERIFY(!inForce("cmdWeek_1"));
        QCOMPARE(column(1), (QStringList{"05/03/01"}));
        click("cmdAllWeek");
        QVERIFY(inForce("cmdAllWeek"));
        QVERIFY(!inForce("cmdWeek_2"));
        QCOMPARE(column(1), (QStringList{"05/02/28", "05/03/01"}));
        QVERIFY(inForce("cmdKikan2"));
    }

    void searchButtonIgnoresTheWeekday() {
        open();
        click("cmdWeek_0");
        QCOMPARE(grid()->rows(), 4);
        click("cmdKensaku");
        QCOMPARE(grid()->rows(), 7); // no key: the whole period
        QVERIFY(inForce("cmdWeek_0"));
        clickPayee(QStringLiteral("駅"));
        QCOMPARE(grid()->rows(), 2);
        click("cmdKensaku");
        QCOMPARE(column(3), (QStringList{"駅"}));
    }

    // A box empties itself on focus; the listing's own box decides about the key.
    void oneEmptyKeyBox() {
        open();
        clickPayee(QStringLiteral("スーパー"));
        focus("txtKey2");
        QCOMPARE(box("txtKey2"), QString());
        QCOMPARE(box("txtKey"), QStringLiteral("スーパー"));
        click("cmdWeek_0");
        QCOMPARE(column(3), (QStringList{"スーパー丸正"}));
        // Focus coming back with the window after a message box empties nothing.
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(c<QLineEdit>("txtKey"), &back);
        QCOMPARE(box("txtKey"), QStringLiteral("スーパー"));
        focus("txtKey");
        click("cmdWeek_1");
        QCOMPARE(column(3), (QStringList{"スーパー", "スーパー"})); // every Monday record
    }

    void randomBook() {
        const QStringList payees{QStringLiteral("スーパー"), QStringLiteral("スーパー丸正"),
                                 QStringLiteral("コンビニ"), QStringLiteral("駅")};
        const QStringList cats{QStringLiteral("食費"), QStringLiteral("交通費")};
        const QList<GeneratedRecord> recs = generateRecords(QDate(2004, 1, 5), 3000, payees, cats);
        open(recordLines(recs));
        QCOMPARE(grid()->rows(), 3001);
        clickPayee(QStringLiteral("スーパー"));
        const QString from = dayText(recs.at(500).date), to = dayText(recs.at(2500).date);
        c<QComboBox>("cboStdate")->setEditText(from);
        c<QComboBox>("cboEddate")->setEditText(to);
        const int weekday = QRandomGenerator::global()->bounded(7);
        click(QStringLiteral("cmdWeek_%1").arg(weekday).toLatin1().constData());
        click("cmdKikanF");
        QStringList dates, totals;
        qint64 total = 0, peak = 0;
        for (const GeneratedRecord &r : recs) {
            const QString d = dayText(r.date);
            if (d < from || d > to || !r.payee.contains(QStringLiteral("スーパー")) ||
                r.date.dayOfWeek() % 7 != weekday)
                continue;
            total += r.amount;
            if (r.amount > peak) peak = r.amount + 100;
            dates << d.mid(2);
            totals << yen(total);
        }
        QCOMPARE(column(1), dates);
        QCOMPARE(column(6), totals);
        QVERIFY(chart()->axisMax(Chart::Axis::Primary) > static_cast<double>(peak));
        QVERIFY(chart()->axisMax(Chart::Axis::Primary) <= static_cast<double>(peak) * 10);
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
