#pragma once
#include <QByteArray>
#include <QList>
#include <QStringList>

#include "records/fileops.h"

// A grid as a CSV file for a spreadsheet: the header row, then the rows as
// shown; an amount shown as "¥12,345" or "-¥12,345" becomes 12345 or -12345;
// other text as shown, quoted only where RFC 4180 needs it (a comma, a
// double quote, which is doubled, or a line break, written CR LF); every
// line ended by CR LF.
enum class CsvEncoding {
    Utf8,    // with a byte-order mark, which spreadsheet programs need for Japanese
    ShiftJis // CP932; text it cannot hold is refused, and nothing is written
};
struct CsvFile {
    QByteArray bytes;
    FileResult error;
};
CsvFile csvFromTable(const QList<QStringList> &rows, CsvEncoding encoding);

// Why the CSV may not be written to path, if it may not: a file of the book
// in bookDir (by name in any case, there or not yet, or a link to one), its
// lock, or a file in its history folder or an old book a new start kept,
// would be replaced outside the history, its records lost.
FileResult csvTargetRefusal(const QString &path, const QString &bookDir);

// What one cell holds in the file: an amount as a plain integer, else the text.
QString csvCell(const QString &shown);
