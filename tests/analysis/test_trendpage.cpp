// The balance trend page through the real window: the day list and chart of
// the whole book, its axes, the two layouts and the opening rules.
#include <QAbstractButton>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

#include "records/clock.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/twips.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");

QString pay(const char *date, int amount) {
    return QStringLiteral("\"%1\",\"八百屋\",\"食費\",%2,\"\",\"\"\r\n")
        .arg(QString::fromLatin1(date))
        .arg(amount);
}
QString income(const char *date, int amount) {
    return QStringLiteral("\"%1\",\"給料\",%2\r\n").arg(QString::fromLatin1(date)).arg(amount);
}
} // namespace

class TestTrendPage : public QObject, public WindowFixture {
    Q_OBJECT
private:
    Grid *list() { return c<Grid>("msgRireki"); }
    Chart *chart() { return c<Chart>("mcrRentai"); }
    void openTrend(const QString &incomes, const QString &payments) {
        book().write(kIncome, incomes);
        m_dir->write(kData, payments);
        open();
        click("cmdRentai");
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 3, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void aDayWithoutRecordsShowsItsDateAndTheUnchangedBalance() {
        openTrend(income("2005/01/10", 50000),
                  pay("2005/01/10", 1000) + pay("2005/01/10", 200) + pay("2005/01/12", 500));
        QVERIFY(c("fraRenTai")->isVisible());
        QCOMPARE(list()->rows(), 4);
        QCOMPARE(list()->cols(), 4);
        const QStringList headers{"年月日", "入金", "支出", "残金"};
        for (int col = 0; col < 4; ++col)
            QCOMPARE(list()->text(0, col), headers.at(col));
        QCOMPARE(list()->text(1, 0), QStringLiteral("05/01/10"));
        QCOMPARE(list()->text(1, 1), QStringLiteral("¥50,000"));
        QCOMPARE(list()->text(1, 2), QStringLiteral("¥1,200"));
        QCOMPARE(list()->text(1, 3), QStringLiteral("¥48,800"));
        QCOMPARE(list()->text(2, 0), QStringLiteral("05/01/11"));
        QCOMPARE(list()->text(2, 1), QString());
        QCOMPARE(list()->text(2, 2), QString());
        QCOMPARE(list()->text(2, 3), QStringLiteral("¥48,800"));
        QCOMPARE(list()->text(3, 3), QStringLiteral("¥48,300"));
        QCOMPARE(list()->colAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(list()->colAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(chart()->rowCount(), 3);
        QCOMPARE(chart()->value(2, 1), 48800.0);
        QCOMPARE(chart()->value(2, 3), 0.0);
        QCOMPARE(chart()->value(3, 3), 500.0);
        QCOMPARE(chart()->seriesKind(1), Chart::SeriesKind::Line);
        QCOMPARE(chart()->seriesKind(3), Chart::SeriesKind::Bar);
        QCOMPARE(chart()->seriesAxis(3), Chart::Axis::Secondary);
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 50000.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Secondary), 2000.0); // 1200 + 100
        QCOMPARE(chart()->axisDivisions(Chart::Axis::Secondary), 10);
        for (int row = 1; row <= 3; ++row)
            QCOMPARE(chart()->value(row, 2), 0.0); // series 2 is always 0
    }

    void theListStartsOnTheFirstIncomeOrPaymentWhicheverIsEarlier() {
        openTrend(income("2005/01/10", 50000), pay("2005/01/10", 1000));
        QCOMPARE(list()->rows(), 2);
        QCOMPARE(list()->text(1, 0), QStringLiteral("05/01/10"));
        closeAll();
        openTrend(income("2005/01/08", 50000), pay("2005/01/10", 1000));
        QCOMPARE(list()->rows(), 4);
        QCOMPARE(list()->text(1, 0), QStringLiteral("05/01/08"));
        QCOMPARE(list()->text(1, 3), QStringLiteral("¥50,000"));
    }

    void aBalanceNeverAboveZeroHasAnAxisOfOne() {
        openTrend(income("2005/01/10", 100), pay("2005/01/10", 300) + pay("2005/01/11", 50));
        QCOMPARE(list()->text(2, 3), QStringLiteral("-¥250"));
        QCOMPARE(chart()->value(2, 1), -250.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 1.0);
        QCOMPARE(chart()->axisMin(Chart::Axis::Primary), 0.0);
    }

    void theSpendingAxisFollowsTheRunningPeak() {
        // 9850 sets the peak to 9950; 9950 does not pass it, so the axis is
        // 10,000 (not the 20,000 of the largest day plus 100).
        openTrend(income("2005/01/01", 100000), pay("2005/01/01", 9850) + pay("2005/01/02", 9950));
        QCOMPARE(chart()->axisMax(Chart::Axis::Secondary), 10000.0);
        // 1000 then 1050: the peak stays at 1100; 1000 then 1150: 1250.
        for (int second : {1050, 1150}) {
            closeAll();
            openTrend(income("2005/01/01", 100000),
                      pay("2005/01/01", 1000) + pay("2005/01/02", second));
            QCOMPARE(chart()->axisMax(Chart::Axis::Secondary), 2000.0);
            QCOMPARE(chart()->value(2, 3), double(second));
        }
    }

    void anEmptyBookShowsOnlyTheHeader() {
        openTrend(QString(), QString());
        QCOMPARE(list()->rows(), 1);
        QCOMPARE(chart()->rowCount(), 1);
        QCOMPARE(chart()->value(1, 3), 0.0);
    }

    void theLayoutOptionsAndTheWideChartOnReopening() {
        openTrend(income("2005/01/10", 50000), pay("2005/01/12", 500));
        auto *wide = c<QRadioButton>("optList1_0");
        auto *narrow = c<QRadioButton>("optList1_1");
        QVERIFY(wide->isChecked());
        const auto layout = [this] {
            return QList<int>{chart()->x(), chart()->width(), c<QGroupBox>("Frame5_3")->x(),
                              c<QGroupBox>("Frame6")->x()};
        };
        const QList<int> wideLayout{twipsToPx(150), twipsToPx(11445), twipsToPx(10400),
                                    twipsToPx(6700)};
        QCOMPARE(layout(), wideLayout);
        QCOMPARE(list()->x(), twipsToPx(7800));
        click("optList1_1");
        QCOMPARE(layout(),
                 (QList<int>{twipsToPx(150), twipsToPx(7545), twipsToPx(6450), twipsToPx(2750)}));
        QVERIFY(list()->isVisible());
        QVERIFY(chart()->geometry().right() < list()->x());
        click("cmdMain");
        click("cmdRentai");
        QVERIFY(wide->isChecked());
        QVERIFY(!narrow->isChecked());
        QCOMPARE(layout(), wideLayout);
    }

    void aSecondClickWhileShownDoesNothing() {
        book().write(kIncome, income("2005/01/10", 50000));
        m_dir->write(kData, pay("2005/01/12", 500));
        m_dir->write(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",1\r\n"));
        open();
        const qsizetype boxes = m_boxes->seen.size();
        click("cmdRentai");
        QCOMPARE(m_boxes->seen.size(), boxes + 1); // the page's help
        QCOMPARE(list()->rows(), 4);
        m_dir->write(kData, pay("2005/01/12", 500) + pay("2005/01/20", 10));
        click("optList1_1");
        click("cmdRentai");
        QCOMPARE(m_boxes->seen.size(), boxes + 1);
        QCOMPARE(list()->rows(), 4);
        QVERIFY(c<QRadioButton>("optList1_1")->isChecked());
    }
};

QTEST_MAIN(TestTrendPage)
#include "test_trendpage.moc"
