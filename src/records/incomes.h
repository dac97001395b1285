#pragma once
#include <QList>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"
#include "records/records.h"

// 入金.txt.

// Every record; a missing file reads as empty, an unreadable one as empty
// with *error (when given) saying why.
QList<IncomeRecord> readIncomes(const Book &book, FileResult *error = nullptr);
// Adds a record in date order, as insertPayment does, through 入金コピー.txt.
FileResult insertIncome(const Book &book, const IncomeRecord &rec, const QString &lastDate);
