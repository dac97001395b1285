#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>

#include "book/bookmodel.h"
#include "records/money.h"

// The whole life of the book day by day: from the first day of bookkeeping
// (the earlier of the first income and the first payment; the first payment
// alone when 入金.txt holds none) to the day of the last payment. Records
// outside that range, and records whose date is no date, count nowhere.
struct Trend {
    QDate firstDay;     // invalid when データ.txt holds no dated payment
    QList<Yen> income;  // per day, index k is firstDay + k
    QList<Yen> spent;   // per day
    QList<Yen> balance; // at the end of each day: all income so far less all spending
    Yen spentPeak = 0;  // running peak: each new high of a day's spending plus 100
    Yen balanceTop = 1; // axis ceiling of the highest balance (never below 0)
    Yen spentTop = 1;   // axis ceiling of the spending peak

    qsizetype days() const { return balance.size(); }
    QDate day(qsizetype k) const { return firstDay.addDays(k); }
    bool operator==(const Trend &) const = default;
};

Trend computeTrend(const BookModel &book);
// The same over the contents of 入金.txt and データ.txt.
Trend computeTrend(const QByteArray &incomes, const QByteArray &payments);
