#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

#include "book/bookmodel.h"
#include "records/money.h"

// The payment and income records as the analysis tables read them: one pass
// over the file bytes, names decoded once per distinct name. A record whose
// date is no yyyy/mm/dd date is passed over without a word; the other records
// still count. Amounts are read as every page reads them (parseAmountField).

// The date of a yyyy/mm/dd field as a day number (QDate's Julian day).
std::optional<qint64> dayNumberOf(QByteArrayView date);

// Weekday of a day number, 0 = Sunday … 6 = Saturday.
int weekdayOf(qint64 day);
// The one-letter weekday names, Sunday first: 日 月 火 水 木 金 土.
QString weekdayLetter(int sundayFirst);

struct ScannedPayment {
    qint64 day;          // day number of the date
    QByteArrayView date; // the date field, yyyy/mm/dd (a view into the scanned bytes)
    Yen amount;
    int payee;    // index into PaymentScan::names
    int category; // index into PaymentScan::names
};

struct PaymentScan {
    QList<ScannedPayment> records; // the well-formed records, in file order
    QStringList names;             // distinct payee and category texts
};

// The dated payments of the held book, nothing decoded again; the views
// point into the model's bytes, which must outlive the scan.
PaymentScan scanPayments(const BookModel &model);
// The day numbers of the dated records of 入金.txt, in file order.
QList<qint64> scanIncomeDays(const BookModel &model);

// The days a table covers: from the earlier of the first income and the first
// payment (an empty 入金.txt leaves the first payment) to the last payment.
struct BookSpan {
    qint64 first = 0;
    qint64 last = -1;
    bool hasPayments() const { return last >= first; }
};
BookSpan bookSpan(const QList<qint64> &incomeDays, const PaymentScan &payments);

// A month as one number (year × 12 + month − 1), from a day number.
int monthNumberOf(qint64 day);
// The first day of a month number, as a day number.
qint64 firstDayOfMonth(int monthNumber);
