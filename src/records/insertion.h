#pragma once
#include <QByteArray>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"

// Adds a ready line in date order: appended when its date is not before
// lastDate, else the file is rewritten through its temporary with the line
// before the first record of a later date. Every other line is copied as
// it was read.
// The place of a line dated date in content, found by reading every line.
LinePlace placeByReading(QByteArrayView content, QByteArrayView date);

FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate);
