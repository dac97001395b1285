#include "book/search.h"

#include "book/monthsummary.h"
#include "book/paymentscan.h"
#include "records/dates.h"

namespace {
// Character by character, both ends included.
bool inPeriod(const QString &date, const SearchQuery &q) {
    return QString::compare(date, q.from) >= 0 && QString::compare(date, q.to) <= 0;
}
} // namespace

int daysBack(SearchPeriod period) {
    switch (period) {
    case SearchPeriod::Yesterday:
        return 1;
    case SearchPeriod::ThreeDays:
        return 2; // today and the two days before
    case SearchPeriod::Week:
        return 7;
    case SearchPeriod::TwoWeeks:
        return 14;
    case SearchPeriod::Month:
        return 30;
    case SearchPeriod::ThreeMonths:
        return 90;
    case SearchPeriod::HalfYear:
        return 180;
    case SearchPeriod::Year:
        return 365;
    }
    return 0;
}

DateRange periodEndingToday(SearchPeriod period, QDate today) {
    return {dateText(today.addDays(-daysBack(period))), dateText(today)};
}

int SearchRow::weekday() const {
    return weekdayOf(day);
}

Yen SearchResult::runningTotal(qsizetype row) const {
    Yen total = totalsBefore.at(row / kTotalsEvery);
    for (qsizetype i = row - row % kTotalsEvery; i <= row; ++i)
        total = addYen(total, rows.at(i).amount);
    return total;
}

QString SearchResult::date(qsizetype row) const {
    return dateText(QDate::fromJulianDay(rows.at(row).day));
}

bool SearchResult::operator==(const SearchResult &o) const {
    if (rows.size() != o.rows.size() || dates != o.dates || peak != o.peak ||
        axisMax != o.axisMax || totalsBefore != o.totalsBefore)
        return false;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const SearchRow &a = rows.at(i), &b = o.rows.at(i);
        if (a.day != b.day || a.amount != b.amount || payee(i) != o.payee(i) ||
            category(i) != o.category(i))
            return false;
    }
    return true;
}

SearchTest searchTestFor(const SearchChoice &choice, bool keySet) {
    if (!choice.weekday) return keySet ? SearchTest::Key : SearchTest::Period;
    return keySet ? SearchTest::KeyWeek : SearchTest::Week;
}

SearchQuery searchQueryFor(const SearchChoice &choice, SearchTest test, const QString &from,
                           const QString &to, const QString &key) {
    SearchQuery q;
    q.test = test;
    q.from = from;
    q.to = to;
    q.keyInPayee = choice.keyInPayee();
    q.key = key;
    q.weekday = choice.weekday.value_or(0);
    return q;
}

Yen searchAxisMax(Yen peak) {
    return axisCeiling(peak);
}

SearchResult computeSearch(const QByteArray &payments, const SearchQuery &q) {
    return computeSearch(BookModel::fromBytes(payments), q);
}

SearchResult computeSearch(const BookModel &book, const SearchQuery &q) {
    const bool period = q.test != SearchTest::All;
    const bool key = q.test == SearchTest::Key || q.test == SearchTest::KeyWeek;
    const bool week = q.test == SearchTest::Week || q.test == SearchTest::KeyWeek;
    // Whether each distinct name holds the key, decided once per name.
    QList<bool> holdsKey(book.nameCount(), true);
    if (key)
        for (qint32 n = 0; n < book.nameCount(); ++n)
            holdsKey[n] = book.name(n).contains(q.key);

    SearchResult out;
    out.rows.reserve(q.test == SearchTest::All ? book.payments().size() : 0);
    for (qint32 n = 0; n < book.nameCount(); ++n)
        out.names.append(book.name(n));
    Yen total = 0;
    QString dateText; // shared by consecutive records of one date
    qint64 lastDay = -1;
    bool lastInPeriod = true;
    for (const HeldPayment &r : book.payments().records()) {
        if (r.day == kNoDay) continue;
        if (r.day != lastDay) {
            lastDay = r.day;
            // A dated record's field is exactly yyyy/mm/dd.
            dateText = ::dateText(QDate::fromJulianDay(r.day));
            if (q.test == SearchTest::All) out.dates.append(dateText);
            lastInPeriod = !period || inPeriod(dateText, q);
        }
        if (!lastInPeriod) continue;
        if (key && !holdsKey.at(q.keyInPayee ? r.payee : r.category)) continue;
        if (week && weekdayOf(r.day) != q.weekday) continue;
        if (r.amount > out.peak) out.peak = addYen(r.amount, 100);
        if (out.rows.size() % SearchResult::kTotalsEvery == 0) out.totalsBefore.append(total);
        total = addYen(total, r.amount);
        out.rows.append({r.day, r.payee, r.category, r.amount});
    }
    out.axisMax = searchAxisMax(out.peak);
    return out;
}
