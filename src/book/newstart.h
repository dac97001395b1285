#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <variant>

#include "records/book.h"
#include "records/fileops.h"
#include "records/money.h"

// A new start: a fresh book from a start date and the cash in hand on that
// day. The payments and the awareness notes are wiped, the opening cash
// becomes the only income, the user name is stored; the master lists, the
// payee-to-category memory and the settings stay. The old book is kept in a
// folder of its own first.

// The dates offered for the start: yesterday first, 90 days back last.
QStringList computeStartDates(QDate today);

// A typed start date as stored: year/month/day with or without leading zeros
// ("2024/5/1") that is a real date, as yyyy/mm/dd; "" for anything else.
QString normalizeStartDate(const QString &typed);

// A refused input, for the page's message box.
struct StartRefusal {
    enum class Icon { Information, Warning };
    QString text;
    QString title;
    Icon icon = Icon::Warning;
};

struct NewStart {
    QString date;     // yyyy/mm/dd
    Yen cash = 0;     // the opening income, 0 or more
    QString userName; // may be empty
};

// The checks before the question, in order: the empty cash box, the cash as
// an amount, the start date, then texts the files cannot hold.
std::variant<NewStart, StartRefusal>
checkNewStart(const QString &dateTyped, const QString &cashTyped, const QString &userName);

// The record files of a book, every one of them copied before a new start.
QStringList bookRecordFiles();

// 旧データ_yyyymmdd_hhmmss: where the old book is kept.
QString backupFolderName(const QDateTime &now);

// Copies the old book into a new folder (named by backupFolderName, with
// "_2", "_3" ... added when that exists), then writes the new book: the name
// file, 入金.txt with the opening record, an empty データ.txt and an empty
// 気付きメモ.txt, in this order. A failed copy stops everything: nothing of the
// book is written. backupFolder receives the folder's name.
FileResult startNewBook(const Book &book, const NewStart &start, const QDateTime &now,
                        QString *backupFolder = nullptr);
