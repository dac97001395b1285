#pragma once
#include <QByteArray>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"

// Adds a ready line in date order: appended when its date is not before
// lastDate, else the file is rewritten through its temporary with the line
// before the first record of a later date. Copied records keep fieldCount
// fields, the one at amountIndex as a whole number.
FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate,
                             int fieldCount, int amountIndex);
