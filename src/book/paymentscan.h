#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

#include "book/bookmodel.h"
#include "records/money.h"

// Helpers of the analysis tables, which walk the held records: a record whose
// date is no yyyy/mm/dd date is passed over without a word; the other records
// still count. Amounts are read as every page reads them (parseAmountField).

// The date of a yyyy/mm/dd field as a day number (QDate's Julian day).
std::optional<qint64> dayNumberOf(QByteArrayView date);

// Weekday of a day number, 0 = Sunday … 6 = Saturday.
int weekdayOf(qint64 day);
// The one-letter weekday names, Sunday first: 日 月 火 水 木 金 土.
QString weekdayLetter(int sundayFirst);

// The days a table covers: from the earlier of the first income and the first
// payment (an empty 入金.txt leaves the first payment) to the last payment.
struct BookSpan {
    qint64 first = 0;
    qint64 last = -1;
    bool hasPayments() const { return last >= first; }
};
BookSpan bookSpan(const BookModel &book);

// A month as one number (year × 12 + month − 1), from a day number.
int monthNumberOf(qint64 day);
// The first day of a month number, as a day number.
qint64 firstDayOfMonth(int monthNumber);
