#include "book/trend.h"

#include <algorithm>

#include "book/monthsummary.h"

namespace {
struct Dated {
    qint64 day; // Julian day
    Yen amount;
};

// Every record with a readable date, in file order.
template <typename Record> QList<Dated> datedRecords(const QList<Record> &records) {
    QList<Dated> out;
    out.reserve(records.size());
    for (const Record &r : records)
        if (r.day != kNoDay) out.append({r.day, r.amount});
    return out;
}

// Adds each record dated from first to first + perDay.size() - 1 to its slot.
void addToSlots(const QList<Dated> &records, qint64 first, QList<Yen> &perDay) {
    for (const Dated &r : records) {
        const qint64 k = r.day - first;
        if (k >= 0 && k < perDay.size()) perDay[k] = addYen(perDay[k], r.amount);
    }
}
} // namespace

Trend computeTrend(const QByteArray &incomes, const QByteArray &payments) {
    return computeTrend(BookModel::fromBytes(payments, incomes));
}

Trend computeTrend(const BookModel &book) {
    Trend t;
    const QList<Dated> paid = datedRecords(book.payments().records());
    if (paid.isEmpty()) return t; // nothing to chart without a payment
    const QList<Dated> income = datedRecords(book.incomes().records());
    const qint64 first =
        income.isEmpty() ? paid.first().day : std::min(income.first().day, paid.first().day);
    const qint64 last = paid.last().day; // the day of the last payment line
    if (last < first) return t;
    t.firstDay = QDate::fromJulianDay(first);
    const qsizetype n = static_cast<qsizetype>(last - first + 1);
    t.income = t.spent = t.balance = QList<Yen>(n, 0);
    addToSlots(income, first, t.income);
    addToSlots(paid, first, t.spent);

    Yen totalIn = 0, totalOut = 0, highest = 0;
    for (qsizetype k = 0; k < n; ++k) {
        totalIn = addYen(totalIn, t.income.at(k));
        totalOut = addYen(totalOut, t.spent.at(k));
        t.balance[k] = subYen(totalIn, totalOut);
        highest = std::max(highest, t.balance.at(k));
        // The peak jumps 100 above each new high, so that the tallest bar
        // stays clear of the chart's top.
        if (t.spent.at(k) > t.spentPeak) t.spentPeak = addYen(t.spent.at(k), 100);
    }
    t.balanceTop = axisCeiling(highest);
    t.spentTop = axisCeiling(t.spentPeak);
    return t;
}
