#include "book/totals.h"

#include "book/paymentscan.h"

namespace {
// For each distinct name of the scan, the key columns its payments go to.
QList<QList<int>> columnsOfNames(const QStringList &names, const QStringList &keys,
                                 TotalsBreakdown breakdown) {
    const qsizetype compared = breakdown == TotalsBreakdown::Payee ? keys.size() : keys.size() - 1;
    const int other = static_cast<int>(keys.size() - 1);
    QList<QList<int>> columns(names.size());
    for (qsizetype n = 0; n < names.size(); ++n) {
        for (qsizetype k = 0; k < compared; ++k)
            if (keys.at(k) == names.at(n)) columns[n].append(static_cast<int>(k));
        if (columns[n].isEmpty()) columns[n].append(other);
    }
    return columns;
}

TotalsTable emptyTable(TotalsPeriod period, const QStringList &keys, qint64 firstDay, int periods) {
    TotalsTable t;
    t.period = period;
    t.keys = keys;
    t.firstDay = firstDay;
    t.periods = std::max(periods, 0);
    t.subtotals = QList<Yen>(t.periods, 0);
    t.sums = QList<Yen>(static_cast<qsizetype>(t.periods) * keys.size(), 0);
    t.keyTotals = QList<Yen>(keys.size(), 0);
    return t;
}

void add(TotalsTable &t, int p, const QList<int> &columns, Yen amount) {
    t.subtotals[p] = addYen(t.subtotals[p], amount);
    const qsizetype row = static_cast<qsizetype>(p) * t.keys.size();
    for (int k : columns)
        t.sums[row + k] = addYen(t.sums[row + k], amount);
}
} // namespace

QStringList totalsKeys(const QStringList &master) {
    QStringList keys = master;
    keys.append(kOtherKey);
    return keys;
}

QString TotalsTable::periodLabel(int p) const {
    const QDate first = QDate::fromJulianDay(firstDay);
    if (period == TotalsPeriod::Day) return first.addDays(p).toString(QStringLiteral("yy/MM/dd"));
    return first.addMonths(p).toString(QStringLiteral("yy/MM"));
}

Totals computeTotals(const QByteArray &incomes, const QByteArray &payments,
                     const QStringList &master, TotalsBreakdown breakdown) {
    const PaymentScan scan = scanPayments(payments);
    const BookSpan span = bookSpan(scanIncomeDays(incomes), scan);
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

    const QList<QList<int>> columns = columnsOfNames(scan.names, keys, breakdown);
    qint64 lastDay = -1;
    int month = 0;
    for (const ScannedPayment &r : scan.records) {
        // Records out of date order may fall outside the book's days: not counted.
        const qint64 d = r.day - span.first;
        if (d < 0 || d >= days) continue;
        if (r.day != lastDay) {
            lastDay = r.day;
            month = monthNumberOf(r.day) - firstMonth;
        }
        const QList<int> &cols =
            columns.at(breakdown == TotalsBreakdown::Payee ? r.payee : r.category);
        add(out.days, static_cast<int>(d), cols, r.amount);
        add(out.months, month, cols, r.amount);
    }
    TotalsTable &m = out.months;
    for (int p = 0; p < m.periods; ++p) {
        m.grandTotal = addYen(m.grandTotal, m.subtotals.at(p));
        for (qsizetype k = 0; k < keys.size(); ++k)
            m.keyTotals[k] = addYen(m.keyTotals[k], m.sum(p, static_cast<int>(k)));
    }
    return out;
}
