#include "book/totals.h"

#include "book/paymentscan.h"

#include <algorithm>

namespace {
// For each distinct name of the scan, the key columns its payments go to.
// A hash of the keys, so that a book of many names against a long master
// costs names + keys, not names × keys.
QList<QList<int>> columnsOfNames(const QStringList &names, const QStringList &keys,
                                 TotalsBreakdown breakdown) {
    const qsizetype compared = breakdown == TotalsBreakdown::Payee ? keys.size() : keys.size() - 1;
    const int other = static_cast<int>(keys.size() - 1);
    QHash<QString, QList<int>> columnsOfKey;
    for (qsizetype k = 0; k < compared; ++k)
        columnsOfKey[keys.at(k)].append(static_cast<int>(k));
    QList<QList<int>> columns(names.size());
    for (qsizetype n = 0; n < names.size(); ++n) {
        const auto it = columnsOfKey.constFind(names.at(n));
        columns[n] = it != columnsOfKey.cend() ? *it : QList<int>{other};
    }
    return columns;
}

TotalsTable emptyTable(TotalsPeriod period, const QStringList &keys, qint64 firstDay, int periods) {
    TotalsTable t;
    t.period = period;
    t.keys = keys;
    t.firstDay = firstDay;
    t.periods = std::max(periods, 0);
    t.keyTotals = QList<Yen>(keys.size(), 0);
    return t;
}

// The row of sums of a period, made when the period gets its first record.
// Records come in runs of one period: the last one asked for is kept.
struct RowFinder {
    int period = -1;
    int row = -1;
    int find(TotalsTable &t, int p) {
        if (p == period) return row;
        auto it = t.rowOf.constFind(p);
        if (it == t.rowOf.cend()) {
            it = t.rowOf.insert(p, static_cast<int>(t.rowSubtotals.size()));
            t.rowSubtotals.append(0);
            t.rowSums.resize(t.rowSums.size() + t.keys.size(), 0);
        }
        period = p;
        return row = *it;
    }
};

void add(TotalsTable &t, RowFinder &rows, int p, const QList<int> &columns, Yen amount) {
    const int at = rows.find(t, p);
    t.rowSubtotals[at] = addYen(t.rowSubtotals[at], amount);
    const qsizetype row = static_cast<qsizetype>(at) * t.keys.size();
    for (int k : columns) {
        t.rowSums[row + k] = addYen(t.rowSums[row + k], amount);
        t.keyTotals[k] = addYen(t.keyTotals[k], amount);
    }
    t.grandTotal = addYen(t.grandTotal, amount);
}
} // namespace

QStringList totalsKeys(const QStringList &master) {
    QStringList keys = master;
    keys.append(kOtherKey);
    return keys;
}

Yen TotalsTable::subtotal(int p) const {
    const auto it = rowOf.constFind(p);
    return it == rowOf.cend() ? 0 : rowSubtotals.at(*it);
}

Yen TotalsTable::sum(int p, int k) const {
    const auto it = rowOf.constFind(p);
    return it == rowOf.cend() ? 0 : rowSums.at(static_cast<qsizetype>(*it) * keys.size() + k);
}

QString TotalsTable::periodLabel(int p) const {
    const QDate first = QDate::fromJulianDay(firstDay);
    if (period == TotalsPeriod::Day) return first.addDays(p).toString(QStringLiteral("yy/MM/dd"));
    return first.addMonths(p).toString(QStringLiteral("yy/MM"));
}

Totals computeTotals(const QByteArray &incomes, const QByteArray &payments,
                     const QStringList &master, TotalsBreakdown breakdown) {
    return computeTotals(BookModel::fromBytes(payments, incomes), master, breakdown);
}

namespace {
// No running sum of these payments can leave the range of Yen: each at most
// 2^62 / n in size, so that a plain addition gives what the saturating one
// would, in any order.
bool sumsStayInRange(const QList<HeldPayment> &payments) {
    if (payments.isEmpty()) return true;
    const auto most = static_cast<Yen>((quint64{1} << 62) / static_cast<quint64>(payments.size()));
    return std::all_of(payments.begin(), payments.end(), [most](const HeldPayment &p) {
        return p.amount > -most && p.amount < most;
    });
}

// One table's sums in plain additions, written through pointers.
struct PlainSums {
    TotalsTable &t;
    RowFinder rows{};
    void add(int p, const QList<int> &columns, Yen amount) {
        const qsizetype row = rows.find(t, p);
        t.rowSubtotals.data()[row] += amount;
        Yen *sums = t.rowSums.data() + row * t.keys.size();
        Yen *keyTotals = t.keyTotals.data();
        for (int k : columns) {
            sums[k] += amount;
            keyTotals[k] += amount;
        }
        t.grandTotal += amount;
    }
};
} // namespace

Totals computeTotals(const BookModel &book, const QStringList &master, TotalsBreakdown breakdown) {
    const BookSpan span = bookSpan(book);
    const QStringList keys = totalsKeys(master);
    Totals out;
    if (!span.hasPayments()) {
        out.days = emptyTable(TotalsPeriod::Day, keys, span.first, 0);
        out.months = emptyTable(TotalsPeriod::Month, keys, span.first, 0);
        return out;
    }
    const int firstMonth = monthNumberOf(span.first);
    const int days = static_cast<int>(span.last - span.first + 1);
    const int months = monthNumberOf(span.last) - firstMonth + 1;
    out.days = emptyTable(TotalsPeriod::Day, keys, span.first, days);
    out.months = emptyTable(TotalsPeriod::Month, keys, span.first, months);

    QStringList names;
    for (qint32 id = 0; id < book.nameCount(); ++id)
        names.append(book.name(id));
    const QList<QList<int>> columns = columnsOfNames(names, keys, breakdown);
    const QList<HeldPayment> &payments = book.payments().records();
    const bool plain = sumsStayInRange(payments);
    PlainSums plainDays{out.days}, plainMonths{out.months};
    RowFinder dayRows, monthRows;
    qint64 lastDay = -1;
    int month = 0;
    for (const HeldPayment &r : payments) {
        if (r.day == kNoDay) continue;
        // Records out of date order may fall outside the book's days: not counted.
        const qint64 d = r.day - span.first;
        if (d < 0 || d >= days) continue;
        if (r.day != lastDay) {
            lastDay = r.day;
            month = monthNumberOf(r.day) - firstMonth;
        }
        const QList<int> &cols =
            columns.at(breakdown == TotalsBreakdown::Payee ? r.payee : r.category);
        if (plain) {
            plainDays.add(static_cast<int>(d), cols, r.amount);
            plainMonths.add(month, cols, r.amount);
        } else {
            add(out.days, dayRows, static_cast<int>(d), cols, r.amount);
            add(out.months, monthRows, month, cols, r.amount);
        }
    }
    return out;
}
