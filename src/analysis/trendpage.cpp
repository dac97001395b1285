#include "analysis/trendpage.h"

#include <memory>

#include <QGroupBox>
#include <QRadioButton>

#include "book/trend.h"
#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"
#include "ui/twips.h"

namespace {
constexpr int kChartLeft = 150;
constexpr int kChartTop = 800;
constexpr int kChartHeight = 6050;
} // namespace

TrendPage::TrendPage(BookSession &session, QWidget *parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraRenTai"));
    FormBuilder b(this);
    b.title(QStringLiteral("日毎の支出と残金推移"), 150, 60, 4000, 400);
    b.graphOrListOptions(QStringLiteral("optList1"), 4300, 2000, optList1);
    msgRireki = b.grid(QStringLiteral("msgRireki"), 0, 2, 7800, kChartTop, 3750, kChartHeight);
    mcrRentai = b.chart(QStringLiteral("mcrRentai"), kChartLeft, kChartTop, 11445, kChartHeight);
    mcrRentai->setSeries({{QStringLiteral("残金推移"), Chart::SeriesKind::Line,
                           Chart::Axis::Primary, palette::trendBalanceLine},
                          {QStringLiteral("ゼロ")},
                          {QStringLiteral("日毎支出"), Chart::SeriesKind::Bar,
                           Chart::Axis::Secondary, palette::trendSpendingBars}});
    mcrRentai->setSeriesVisible(2, false); // it only ever holds zeros
    Frame5_3 = b.frame(QStringLiteral("日毎支出"), 10400, kChartTop - 350, 1100, 330,
                       QStringLiteral("Frame5_3"));
    Frame6 = b.frame(QString(), 6700, kChartTop + kChartHeight + 60, 4800, 560,
                     QStringLiteral("Frame6"));
    FormBuilder legend(Frame6);
    legend.legendLine(QStringLiteral("残金推移"), palette::trendBalanceLine, 200, 150, 30);
    legend.legendLine(QStringLiteral("日毎支出"), palette::trendSpendingBars, 2700, 150, 90);
    for (int i = 0; i < 2; ++i)
        connect(optList1[i], &QRadioButton::clicked, this, [this, i] { optList1_Click(i); });
    optList1_Click(0);
}

void TrendPage::open() {
    optList1[0]->setChecked(true);
    optList1_Click(0);
    DSP_RENTAI();
}

void TrendPage::leave() {
    msgRireki->setSourceRows(nullptr);
}

// The chart alone and wide over the list, or narrowed with the list beside
// it; the frames of its right side move with its right edge.
void TrendPage::optList1_Click(int index) {
    struct Layout {
        int chartWidth, captionLeft, legendLeft;
    };
    static constexpr Layout kLayouts[2] = {{11445, 10400, 6700}, {7545, 6450, 2750}};
    const Layout &l = kLayouts[index == 1 ? 1 : 0];
    placeTw(mcrRentai, kChartLeft, kChartTop, l.chartWidth, kChartHeight);
    moveTw(Frame5_3, l.captionLeft, designTwips(Frame5_3).top());
    moveTw(Frame6, l.legendLeft, designTwips(Frame6).top());
    mcrRentai->raise();
    Frame5_3->raise();
}

void TrendPage::DSP_RENTAI() {
    Grid *g = msgRireki;
    g->clear();
    g->setRows(1);
    g->setColumns({{QStringLiteral("年月日"), 900, Qt::AlignCenter},
                   {QStringLiteral("入金"), 800, Qt::AlignRight},
                   {QStringLiteral("支出"), 800, Qt::AlignRight},
                   {QStringLiteral("残金"), 900, Qt::AlignRight}});
    mcrRentai->setRowCount(1);
    mcrRentai->setValue(1, 3, 0);

    const Trend t = computeTrend(m_session.model());
    const int days = static_cast<int>(t.days());
    if (days == 0) return; // no payment yet: the header and an empty chart
    mcrRentai->setRowCount(days);
    g->setRows(days + 1);
    // The day rows are written as they are shown.
    g->setComputedRows(1, days, [trend = std::make_shared<const Trend>(t)](int k, int c) {
        switch (c) {
        case 0:
            return trend->day(k).toString(QStringLiteral("yy/MM/dd"));
        case 1:
            return trend->income.at(k) != 0 ? formatYenGrid(trend->income.at(k)) : QString();
        case 2:
            return trend->spent.at(k) != 0 ? formatYenGrid(trend->spent.at(k)) : QString();
        case 3:
            return formatYenGrid(trend->balance.at(k));
        default:
            return QString();
        }
    });
    for (int k = 0; k < days; ++k) {
        const int row = k + 1;
        mcrRentai->setValue(row, 1, static_cast<double>(t.balance.at(k)));
        mcrRentai->setValue(row, 2, 0);
        mcrRentai->setValue(row, 3, static_cast<double>(t.spent.at(k)));
    }
    mcrRentai->setAxis(Chart::Axis::Primary, 0, static_cast<double>(t.balanceTop), 10);
    mcrRentai->setAxis(Chart::Axis::Secondary, 0, static_cast<double>(t.spentTop), 10);
}
