#pragma once
#include <QList>
#include <QString>

#include "book/bookmodel.h"
#include "book/corrections.h"
#include "records/book.h"
#include "records/money.h"

// The payments of one day, read in one pass over データ.txt that also yields
// the first and last payment dates of the book.
struct DayListRow {
    QString payee;
    QString category;
    Yen amount = 0;
    RecordAt at; // where the record stands in データ.txt, for correcting it
    bool operator==(const DayListRow &) const = default;
};

struct DayList {
    QString firstPayDate; // "" when the file holds no record
    QString lastPayDate;  // date of the last record, "" when none
    QList<DayListRow> rows;
    Yen total = 0;
    bool operator==(const DayList &) const = default;
};

DayList computeDayList(const BookModel &book, const QString &date);
