#include "analysis/savingspage.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "book/savings.h"
#include "records/money.h"
#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"
#include "ui/twips.h"

namespace {
const QList<Grid::Column> &columns() {
    static const QList<Grid::Column> table{
        {QStringLiteral("年月日"), 1100, Qt::AlignHCenter},
        {QStringLiteral("支払い"), 1100, Qt::AlignLeft},
        {QStringLiteral("費目"), 600, Qt::AlignLeft},
        {QStringLiteral("貯金"), 780, Qt::AlignRight},
        {QStringLiteral("累計"), 900, Qt::AlignRight},
    };
    return table;
}

// Per layout option: the chart's width and the left edges of the two legend
// elements that move with it (twips).
struct Layout {
    int chartWidth, onceLegendLeft, stripLeft;
};
constexpr Layout kLayouts[2] = {{11445, 10400, 7000}, {6540, 5450, 2350}};

constexpr int kChartLeft = 150, kChartTop = 1150, kChartHeight = 5950;
constexpr int kListLeft = 6750, kListWidth = 4845;
constexpr int kTotalSeries = 1, kSavingSeries = 2;

// A whole date has room under a few savings, in either layout; under many
// the chart labels one row in several, and a year is what tells them apart.
constexpr int kRowsWithWholeDates = 7;
QString yearLabel(const QString &date) {
    return date.size() == 10 && date.at(4) == u'/' ? date.mid(2, 2) : date;
}
} // namespace

SavingsPage::SavingsPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraCyokin"));
    FormBuilder b(this);
    b.title(QStringLiteral("貯金の成果（一回ずつの金額と累計金額）"), 120, 60, 5200, 400);
    b.graphOrListOptions(QStringLiteral("optList3"), 5900, 2000, optList3);
    Frame5_5 = b.legend(QStringLiteral("貯金累計"), palette::moneyLeftLine, kChartLeft, 500, 1195,
                        600, QStringLiteral("Frame5_5"));
    Frame5_4 = b.legend(QStringLiteral("貯金１回"), palette::savingBars, kLayouts[0].onceLegendLeft,
                        500, 1195, 600, QStringLiteral("Frame5_4"));
    // The list lies under the chart: the wide chart covers it.
    msgCyokin =
        b.grid(QStringLiteral("msgCyokin"), 0, 5, kListLeft, kChartTop, kListWidth, kChartHeight);
    mcrCyokin = b.chart(QStringLiteral("mcrCyokin"), kChartLeft, kChartTop, kLayouts[0].chartWidth,
                        kChartHeight);
    // The data table's column 1 is the running total, column 2 the saving.
    mcrCyokin->setSeries({
        {QStringLiteral("貯金累計"), Chart::SeriesKind::Line, Chart::Axis::Primary,
         palette::moneyLeftLine},
        {QStringLiteral("貯金１回"), Chart::SeriesKind::Bar, Chart::Axis::Secondary,
         palette::savingBars},
    });
    Frame7 = b.frame(QString(), kLayouts[0].stripLeft, 7130, 4300, 400, QStringLiteral("Frame7"));
    auto *strip = new QLabel(QStringLiteral("左目盛り：累計　右目盛り：１回の貯金"), Frame7);
    strip->setAlignment(Qt::AlignCenter);
    placeTw(strip, 60, 40, 4180, 320);
    for (int i = 0; i < 2; ++i)
        connect(optList3[i], &QRadioButton::clicked, this, [this, i] { optList3_Click(i); });
}

void SavingsPage::open() {
    // Cleared and set again so that the chart-only layout is applied even
    // when that option was already chosen.
    optList3[0]->setChecked(false);
    optList3[0]->setChecked(true);
    optList3_Click(0);
    DSP_CYOKIN();
}

void SavingsPage::optList3_Click(int index) {
    if (index < 0 || index > 1) return;
    const Layout &l = kLayouts[index];
    placeTw(mcrCyokin, kChartLeft, kChartTop, l.chartWidth, kChartHeight);
    moveTw(Frame5_4, l.onceLegendLeft, designTwips(Frame5_4).top());
    moveTw(Frame7, l.stripLeft, designTwips(Frame7).top());
}

void SavingsPage::DSP_CYOKIN() {
    msgCyokin->clear();
    msgCyokin->setFontPointSize(9);
    msgCyokin->setRows(1);
    msgCyokin->setColumns(columns());
    const QList<SavingRow> savings = computeSavings(m_session.model());
    const int count = static_cast<int>(savings.size());
    msgCyokin->setRows(count + 1);
    mcrCyokin->setRowCount(0);
    mcrCyokin->setRowCount(std::max(count, 1));
    mcrCyokin->setValue(1, kTotalSeries, 0);
    mcrCyokin->setValue(1, kSavingSeries, 0);
    for (int i = 1; i <= count; ++i) {
        const SavingRow &s = savings.at(i - 1);
        msgCyokin->setText(i, 0, s.date);
        msgCyokin->setText(i, 1, s.payee);
        msgCyokin->setText(i, 2, s.category);
        msgCyokin->setText(i, 3, formatYenGrid(s.amount));
        msgCyokin->setText(i, 4, formatYenGrid(s.total));
        mcrCyokin->setValue(i, kTotalSeries, static_cast<double>(s.total));
        mcrCyokin->setValue(i, kSavingSeries, static_cast<double>(s.amount));
        mcrCyokin->setRowLabel(i, count > kRowsWithWholeDates ? yearLabel(s.date) : s.date);
    }
    const SavingsScale scale = savingsScale(savings);
    mcrCyokin->setAxis(Chart::Axis::Primary, scale.totalLow, scale.totalHigh, 10);
    mcrCyokin->setAxis(Chart::Axis::Secondary, scale.savingLow, scale.savingHigh, 10);
}
