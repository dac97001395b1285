#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"
#include "records/money.h"
#include "records/payments.h"

// 予測データ.txt is the simulation's scratch copy of データ.txt: remade from
// it at every opening of the reflection page, then given planned payments.
// No other page reads it.

// Replaces the scratch file with a byte-for-byte copy of データ.txt.
FileResult resetForecast(const Book &book);
// The same from データ.txt as the session holds it (BookModel::payments().content()).
FileResult resetForecast(const Book &book, const FileContent &payments);

// Adds a planned payment (no payee, category or memo) in date order. Where it
// goes is decided by the last date of the scratch file itself, so plans
// entered in any order keep the file sorted.
FileResult addPlannedPayment(const Book &book, QDate date, Yen amount);
// The same when the last date of the scratch file is known.
FileResult addPlannedPayment(const Book &book, QDate date, Yen amount, const QString &lastDate);

// The date of the last record of a file, as stored ("" when none).
QString lastRecordDate(const QByteArray &content);
