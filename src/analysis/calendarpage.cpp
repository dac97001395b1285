#include "analysis/calendarpage.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>
#include <type_traits>

#include "book/calendar.h"
#include "book/monthsummary.h"
#include "book/paymentscan.h"
#include "records/rawrecords.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"

namespace {
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
// Rows beyond which a table is scrolled to its end.
constexpr int kMonthRows = 13, kWeekRows = 16;

// A legend swatch with its caption.
void legendLabel(FormBuilder &b, const QString &caption, const QColor &color, int left) {
    QLabel *swatch = b.label(QString(), left, 90, 300, 270);
    setLabelBackColor(swatch, color);
    swatch->setFrameShape(QFrame::Box);
    b.label(caption, left + 360, 60, 1900, 330);
}

// One day cell: orange with the payment count, green (over orange) for an income.
QString dayText(const CalendarDay &day) {
    return day.payments > 0 ? QString::number(day.payments) : QString();
}
QColor dayColour(const CalendarDay &day) {
    return day.income ? palette::incomeDay : day.payments > 0 ? palette::paymentDay : QColor();
}

// The rows of one calendar table, made when they are shown: a book of
// decades has 1,500 weeks of seven days. Column 0 is the row's label.
template <typename Table> class CalendarRows : public GridRowSource {
public:
    explicit CalendarRows(Table table) : m_table(std::move(table)) {}
    int rowCount() const override {
        if constexpr (kMonths)
            return m_table.months;
        else
            return m_table.weeks;
    }
    QString text(int row, int col) const override {
        if (col == 0) return m_table.rowLabel(row);
        return col <= kDays ? dayText(day(row, col)) : QString();
    }
    QColor backColor(int row, int col) const override {
        return col >= 1 && col <= kDays ? dayColour(day(row, col)) : QColor();
    }

private:
    static constexpr bool kMonths = std::is_same_v<Table, MonthCalendarTable>;
    static constexpr int kDays = kMonths ? 31 : 7;
    // Month rows count their days from 1, week rows their weekdays from 0.
    const CalendarDay &day(int row, int col) const {
        return m_table.cell(row, kMonths ? col : col - 1);
    }
    Table m_table;
};

void setUpWeekdayChart(Chart *chart) {
    chart->setSeriesCount(1);
    chart->setSeriesKind(1, Chart::SeriesKind::Bar);
    chart->setSeriesColor(1, palette::weekdayBars);
    chart->setRowCount(7);
}
} // namespace

CalendarPage::CalendarPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraCale"));
    FormBuilder b(this);
    b.title(QStringLiteral("支出状況把握カレンダー"), 120, 30, 4000, 400);
    legendLabel(b, QStringLiteral("入金日"), palette::incomeDay, 4800);
    legendLabel(b, QStringLiteral("出金日　（件数）"), palette::paymentDay, 6700);
    legendLabel(b, QStringLiteral("未記録日"), palette::emptyDay, 9200);
    msgCale = b.grid(QStringLiteral("msgCale"), 0, 32, 60, 500, 11620, 3300);
    msgCale_w = b.grid(QStringLiteral("msgCale_w"), 0, 8, 60, 3900, 4600, 3600);
    QGroupBox *count = b.frame(QStringLiteral("週別支払い回数"), 4760, 3900, 3440, 3600);
    QGroupBox *amount = b.frame(QStringLiteral("週別支払い金額"), 8260, 3900, 3420, 3600);
    mcrKensu = new Chart(count);
    mcrKensu->setObjectName(QStringLiteral("mcrKensu"));
    mcrKingaku = new Chart(amount);
    mcrKingaku->setObjectName(QStringLiteral("mcrKingaku"));
    for (auto [frame, chart] : {std::pair{count, mcrKensu}, std::pair{amount, mcrKingaku}}) {
        auto *layout = new QVBoxLayout(frame);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addWidget(chart, 1);
        setUpWeekdayChart(chart);
    }
}

void CalendarPage::open() {
    const CalendarTables tables = computeCalendar(m_session.model());
    DSP_CALE_MONTH(tables);
    DSP_CALE_WEEK(tables);
}

void CalendarPage::leave() {
    msgCale->setSourceRows(nullptr);
    msgCale_w->setSourceRows(nullptr);
}

void CalendarPage::DSP_CALE_MONTH(const CalendarTables &tables) {
    Grid *g = msgCale;
    g->setRows(1);
    g->clear();
    QList<Grid::Column> columns{{QStringLiteral("年月"), 1290, kCentre, kCentre}};
    for (int day = 1; day <= 31; ++day)
        columns.append({QString::number(day), 310, kCentre, kCentre});
    g->setColumns(columns);
    const MonthCalendarTable &t = tables.months;
    if (t.months == 0) return;
    g->setSourceRows(std::make_shared<CalendarRows<MonthCalendarTable>>(t));
    if (g->rows() > kMonthRows) g->setTopRow(g->rows() - 1);
}

void CalendarPage::DSP_CALE_WEEK(const CalendarTables &tables) {
    Grid *g = msgCale_w;
    g->setRows(1);
    g->clear();
    g->setFontPointSize(9);
    QList<Grid::Column> columns{{QStringLiteral("年月日"), 1310, kCentre, kCentre}};
    for (int w = 0; w < 7; ++w)
        columns.append({weekdayLetter(w), 320, kCentre, kCentre});
    g->setColumns(columns);
    for (Chart *chart : {mcrKensu, mcrKingaku})
        for (int w = 0; w < 7; ++w) {
            chart->setRowLabel(w + 1, weekdayLetter(w));
            chart->setValue(w + 1, 1, 0);
        }
    const WeekCalendarTable &t = tables.weeks;
    Yen countTop = 0, amountTop = 0;
    if (t.weeks > 0) {
        g->setSourceRows(std::make_shared<CalendarRows<WeekCalendarTable>>(t));
        for (int w = 0; w < 7; ++w) {
            mcrKensu->setValue(w + 1, 1, static_cast<double>(tables.weekdayCounts[w]));
            mcrKingaku->setValue(w + 1, 1, static_cast<double>(tables.weekdayAmounts[w]));
            countTop = std::max(countTop, tables.weekdayCounts[w]);
            amountTop = std::max(amountTop, tables.weekdayAmounts[w]);
        }
    }
    // The value axes reach the ceiling of the highest bar.
    mcrKensu->setAxis(Chart::Axis::Primary, 0, static_cast<double>(axisCeiling(countTop)), 10);
    mcrKingaku->setAxis(Chart::Axis::Primary, 0, static_cast<double>(axisCeiling(amountTop)), 10);
    if (g->rows() > kWeekRows) g->setTopRow(g->rows() - 1);
}
