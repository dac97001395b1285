#include "book/monthsummary.h"

#include <algorithm>
#include <limits>

#include "book/datefield.h"
#include "records/rawrecords.h"

namespace {
// Sums before month M into *before, and month M per day into perDay[1..31].
// Records are in date order, so reading stops at the first one past M; a
// record without a readable date is passed over, so that its text cannot end
// the reading early. The month is told by its first day and the next month's
// (day numbers), so that no record's date is taken apart.
template <typename Record>
void collect(const QList<Record> &records, QDate selected, Yen *before, QList<Yen> &perDay) {
    const QDate first(selected.year(), selected.month(), 1);
    const auto from = static_cast<qint32>(first.toJulianDay()),
               to = static_cast<qint32>(first.addMonths(1).toJulianDay());
    for (const Record &r : records) {
        if (r.day == kNoDay) continue;
        if (r.day >= to) break;
        if (r.day < from)
            *before = addYen(*before, r.amount);
        else
            perDay[r.day - from + 1] = addYen(perDay[r.day - from + 1], r.amount);
    }
}

// The day of the first readable date of a file, 0 when it has none.
template <typename Record> int dayOfFirstRecord(const QList<Record> &records) {
    for (const Record &r : records)
        if (r.day != kNoDay) return QDate::fromJulianDay(r.day).day();
    return 0;
}
} // namespace

Yen axisCeiling(Yen v) {
    if (v <= 0) return 1;
    Yen scale = 1;
    while (v / scale >= 10)
        scale *= 10;
    const Yen first = v / scale;
    if (first + 1 > std::numeric_limits<Yen>::max() / scale) return std::numeric_limits<Yen>::max();
    return (first + 1) * scale;
}

Yen floorDiv(Yen a, Yen b) {
    const Yen q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

Yen quotientHalfEven(Wide num, Yen den) {
    Wide q = num / den, r = num % den;
    if (r < 0) { // floor, so that 0 <= r < den
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return static_cast<Yen>(
        std::clamp<Wide>(q, std::numeric_limits<Yen>::min(), std::numeric_limits<Yen>::max()));
}

MonthFigures computeMonth(const Book &book, QDate selected, const QString &paymentsFile) {
    return computeMonth(readFileBytes(book.pathOf(bookfile::incomes)),
                        readFileBytes(book.pathOf(paymentsFile)), selected);
}

MonthFigures computeMonth(const QByteArray &incomes, const QByteArray &payments, QDate selected) {
    return computeMonth(BookModel::fromBytes(payments, incomes), selected);
}

MonthFigures computeMonth(const BookModel &book, QDate selected) {
    MonthFigures m;
    m.days = selected.daysInMonth();
    m.selectedDay = selected.day();

    // The book's start date: its first income (the opening balance), or its
    // first payment in a book without incomes.
    m.startDay = dayOfFirstRecord(book.incomes().records());
    if (m.startDay == 0) m.startDay = dayOfFirstRecord(book.payments().records());
    QList<Yen> income(32, 0), paid(32, 0);
    Yen incomeBefore = 0, paidBefore = 0;
    collect(book.incomes().records(), selected, &incomeBefore, income);
    collect(book.payments().records(), selected, &paidBefore, paid);
    income[1] = addYen(income[1], subYen(incomeBefore, paidBefore));

    Yen funds = 0, spent = 0;
    for (int i = 1; i <= m.selectedDay; ++i) {
        funds = addYen(funds, income[i]);
        spent = addYen(spent, paid[i]);
    }
    m.start = income[1];
    m.added = subYen(funds, income[1]);
    m.total = funds;
    m.spent = spent;
    m.left = subYen(funds, spent);
    m.avgSpent = floorDiv(spent, m.selectedDay);
    m.daysLeft = m.days - m.selectedDay + 1;
    m.avgAvailable = floorDiv(m.left, m.daysLeft);

    // The chart: money left, the pace line spending the start money evenly to
    // zero at the month's end, and the day's payments.
    m.leftSeries = m.paceSeries = m.paidSeries = QList<Yen>(m.days + 1, 0);
    if (income[1] != 0 || m.startDay < 1) m.startDay = 1;
    // A book started on the 29th-31st followed by a shorter month without
    // carry has no pace to keep: the whole month is charted against a pace of 0.
    m.hasPace = m.startDay <= m.days;
    const int from = m.firstDay = m.hasPace ? m.startDay : 1;
    // The pace spends income[start day] over the days left, one exact share a
    // day; the offset is made an integer every day, halves to even. In whole
    // numbers throughout: any amount a file holds stays in range.
    const Yen paceDays = m.hasPace ? m.days - m.startDay + 1 : 1;
    const Yen paceStart = m.hasPace ? income[m.startDay] : 0;
    Yen paceOffset = 0, leftMax = 0, paidMax = 0;
    funds = spent = 0;
    for (int i = from; i <= m.days; ++i) {
        funds = addYen(funds, income[i]);
        if (m.hasPace)
            paceOffset = quotientHalfEven(Wide(paceOffset) * paceDays - paceStart, paceDays);
        spent = addYen(spent, paid[i]);
        m.leftSeries[i] = subYen(funds, spent);
        leftMax = std::max(leftMax, m.leftSeries[i]);
        m.paceSeries[i] = m.hasPace ? addYen(paceStart, paceOffset) : 0;
        m.paidSeries[i] = paid[i];
        paidMax = std::max(paidMax, paid[i]);
    }
    m.leftTop = axisCeiling(leftMax);
    m.paidTop = axisCeiling(paidMax);
    return m;
}

FaceMark faceMark(const MonthFigures &chart, int day) {
    const bool charted = day >= 1 && day < chart.leftSeries.size();
    const Yen left = charted ? chart.leftSeries.at(day) : 0;
    const Yen pace = charted ? chart.paceSeries.at(day) : 0;
    const FaceMark::Face face = left > pace    ? FaceMark::Face::Ahead
                                : left == pace ? FaceMark::Face::OnPace
                                               : FaceMark::Face::Behind;
    return {face, subYen(left, pace)};
}
