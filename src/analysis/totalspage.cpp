#include "analysis/totalspage.h"

#include <QLabel>
#include <QRadioButton>
#include <memory>

#include "book/budget.h"
#include "records/clock.h"
#include "records/rawrecords.h"
#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"

namespace {
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
// Rows beyond which a grid is scrolled to its end.
constexpr int kPayeeDayRows = 19, kCategoryDayRows = 18, kMonthRows = 7;
} // namespace

TotalsPage::TotalsPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraKakei"));
    FormBuilder b(this);
    b.title(QStringLiteral("家計簿　集計一覧（月＆日）"), 120, 60, 5000, 400);
    optList2[0] = b.option(QStringLiteral("optList2_0"), QStringLiteral("支払い集計　表示"), 5600,
                           100, 2500, 330);
    optList2[1] = b.option(QStringLiteral("optList2_1"), QStringLiteral("費目集計　表示"), 8300,
                           100, 2500, 330);
    optList2[2] =
        b.option(QStringLiteral("optList2_2"), QStringLiteral("予算"), 10850, 100, 850, 330);
    msgKakei1 = b.grid(QStringLiteral("msgKakei1"), 3, 4, 60, 560, 11620, 3400);
    msgKakei2 = b.grid(QStringLiteral("msgKakei2"), 3, 4, 60, 4060, 11620, 3420);
    mcrYosan = b.chart(QStringLiteral("mcrYosan"), 60, 4060, 11620, 3420);
    mcrYosan->setSeries({{QStringLiteral("予算"), Chart::SeriesKind::Bar, Chart::Axis::Primary,
                          palette::moneyLeftLine},
                         {QStringLiteral("支出"), Chart::SeriesKind::Bar, Chart::Axis::Primary,
                          palette::spendingBars}});
    mcrYosan->hide();
    for (int i = 0; i < 3; ++i)
        connect(optList2[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optList2_Click(i);
        });
}

void TotalsPage::setMasters(const QStringList &payees, const QStringList &categories) {
    m_payees = payees;
    m_categories = categories;
}

void TotalsPage::open() {
    // Selecting the payee option builds its breakdown, also when it was selected before.
    if (optList2[0]->isChecked())
        optList2_Click(0);
    else
        optList2[0]->setChecked(true);
}

void TotalsPage::leave() {
    msgKakei1->setSourceRows(nullptr);
    msgKakei2->setSourceRows(nullptr);
}

void TotalsPage::setDay(QDate day) {
    m_day = day;
    if (optList2[2]->isChecked() && isVisible()) DSP_YOSAN();
}

void TotalsPage::optList2_Click(int index) {
    setVisible(false);
    m_totalsRead = false;
    msgKakei2->setVisible(index != 2);
    mcrYosan->setVisible(index == 2);
    msgKakei1->setFixedCols(index == 2 ? 1 : 3);
    if (index == 2) {
        DSP_YOSAN();
    } else if (index == 0) {
        DSP_KAKEI_MISE_DAY();
        DSP_KAKEI_MISE_MONTH();
    } else {
        DSP_KAKEI_JANRU_DAY();
        DSP_KAKEI_JANRU_MONTH();
    }
    m_totals = {};
    setVisible(true);
}

void TotalsPage::INIT_KAKEI_KEYS() {
    PayeeKeys = totalsKeys(m_payees);
    CategoryKeys = totalsKeys(m_categories);
}

const Totals &TotalsPage::totalsBy(TotalsBreakdown breakdown) {
    if (!m_totalsRead) {
        m_totals =
            computeTotals(m_session.model(),
                          breakdown == TotalsBreakdown::Payee ? m_payees : m_categories, breakdown);
        m_totalsRead = true;
    }
    return m_totals;
}

void TotalsPage::DSP_KAKEI_MISE_DAY() {
    INIT_KAKEI_KEYS();
    fillGrid(msgKakei2, totalsBy(TotalsBreakdown::Payee).days, kPayeeDayRows);
}

void TotalsPage::DSP_KAKEI_MISE_MONTH() {
    INIT_KAKEI_KEYS();
    fillGrid(msgKakei1, totalsBy(TotalsBreakdown::Payee).months, kMonthRows);
}

void TotalsPage::DSP_KAKEI_JANRU_DAY() {
    INIT_KAKEI_KEYS();
    fillGrid(msgKakei2, totalsBy(TotalsBreakdown::Category).days, kCategoryDayRows);
}

void TotalsPage::DSP_KAKEI_JANRU_MONTH() {
    INIT_KAKEI_KEYS();
    fillGrid(msgKakei1, totalsBy(TotalsBreakdown::Category).months, kMonthRows);
}

void TotalsPage::DSP_YOSAN() {
    if (!m_day.isValid()) m_day = Clock::today();
    const BudgetView view = computeBudgetView(m_session.model(), m_session.budgets(), m_day);
    Grid *g = msgKakei1;
    g->setRows(1);
    g->clear();
    g->setFixedCols(1); // the category only; the totals views fix three
    g->setColumns({{m_day.toString(QStringLiteral("yyyy年MM月")) + QStringLiteral("　費目"), 2400,
                    kLeft, kCentre},
                   {QStringLiteral("予算"), 1500, kRight, kCentre},
                   {QStringLiteral("支出"), 1500, kRight, kCentre},
                   {QStringLiteral("残り"), 1500, kRight, kCentre},
                   {QStringLiteral("使用率"), 1000, kRight, kCentre}});
    const int n = static_cast<int>(view.rows.size());
    g->setRows(n + 1);
    mcrYosan->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const BudgetRow &r = view.rows.at(i);
        const QStringList cells{r.category, formatYenGrid(r.budget), formatYenGrid(r.spent),
                                formatYenGrid(r.left), QStringLiteral("%1%").arg(r.percent)};
        for (int c = 0; c < cells.size(); ++c) {
            g->setText(i + 1, c, cells[c]);
            // A category past its budget on the page's "behind the pace" pink.
            if (r.over) g->setCellBackColor(i + 1, c, palette::behindPace);
        }
        mcrYosan->setRowLabel(i + 1, r.category);
        mcrYosan->setValue(i + 1, 1, static_cast<double>(r.budget));
        mcrYosan->setValue(i + 1, 2, static_cast<double>(r.spent));
    }
    mcrYosan->setAxis(Chart::Axis::Primary, 0, static_cast<double>(view.top), 10);
    g->setCurrentCell(0, 0);
}

void TotalsPage::fillGrid(Grid *g, const TotalsTable &t, int scrollAbove) {
    const int n = static_cast<int>(t.keys.size());
    g->setRows(1);
    g->clear();
    QList<Grid::Column> columns{{QStringLiteral("回"), 500, kCentre, kCentre},
                                {QStringLiteral("年月日"), 950, kCentre, kCentre},
                                {QStringLiteral("小計"), 1050, kCentre, kCentre}};
    for (const QString &key : t.keys)
        columns.append({key, 955, kRight, kLeft});
    g->setColumns(columns);
    g->setCurrentCell(0, 0);
    if (t.periods == 0) return;

    const bool monthly = t.period == TotalsPeriod::Month;
    g->setRows(t.periods + 1 + (monthly ? 1 : 0));
    // The period rows are written as they are shown.
    g->setComputedRows(1, t.periods,
                       [table = std::make_shared<const TotalsTable>(t)](int p, int c) -> QString {
                           switch (c) {
                           case 0:
                               return QString::number(p + 1);
                           case 1:
                               return table->periodLabel(p);
                           case 2:
                               return formatYenGrid(table->subtotal(p));
                           default: {
                               const Yen v = table->sum(p, c - 3);
                               return v != 0 ? formatYenGrid(v) : QString();
                           }
                           }
                       });
    g->setRowsBackColor(1, t.periods, 1, palette::periodCell);
    g->setRowsBackColor(1, t.periods, 2, palette::periodCell);
    if (monthly) {
        const int r = t.periods + 1;
        g->setText(r, 1, QStringLiteral("合計"));
        g->setCellBackColor(r, 1, palette::periodCell);
        g->setText(r, 2, formatYenGrid(t.grandTotal));
        g->setCellBackColor(r, 2, palette::periodCell);
        for (int k = 0; k < n; ++k)
            g->setText(r, k + 3, formatYenGrid(t.keyTotals.at(k)));
        for (int c = 1; c < n + 3; ++c)
            g->setCellForeColor(r, c, palette::totalRow);
    }
    if (g->rows() > scrollAbove) g->setTopRow(g->rows() - 1);
}
