#include "book/forecast.h"

#include <algorithm>

#include "records/byteordermark.h"
#include "records/cp932.h"
#include "records/dates.h"
#include "records/rawrecords.h"

FileResult resetForecast(const Book &book) {
    return resetForecast(book, book.read(bookfile::payments));
}

FileResult resetForecast(const Book &book, const FileContent &payments) {
    if (FileResult r = payments.rewriteRefusal(); !r.ok()) return r;
    // 反省 opened again on an unchanged book finds the copy made last time:
    // comparing it on the disk costs less than writing and syncing it anew.
    // (Bytes that begin with a byte order mark are not the copy's: a plain
    // read of them gives other bytes.)
    if (!startsWithByteOrderMark(payments.bytes) &&
        fileHoldsExactly(book.pathOf(bookfile::forecast), payments.bytes))
        return {};
    return book.rewrite(bookfile::forecast, payments.bytes);
}

FileResult addPlannedPayment(const Book &book, QDate date, Yen amount) {
    FileResult error;
    const QByteArray content = readFileBytes(book.pathOf(bookfile::forecast), &error);
    if (!error.ok()) return error;
    return addPlannedPayment(book, date, amount, lastRecordDate(content));
}

FileResult addPlannedPayment(const Book &book, QDate date, Yen amount, const QString &last) {
    PaymentRecord planned;
    planned.date = dateText(date);
    planned.amount = amount;
    return insertPayment(book, planned, last, bookfile::forecast, bookfile::forecastCopy);
}

QString lastRecordDate(const QByteArray &content) {
    // Back from the end to the last line that holds a record.
    qsizetype end = content.size();
    while (end > 0) {
        qsizetype start = end;
        while (start > 0 && content[start - 1] != '\n' && content[start - 1] != '\r')
            --start;
        const QByteArrayView line(content.constData() + start, end - start);
        // Blank as the reader counts it: spaces and tabs only (a \v or \f is a record).
        const bool blank =
            std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
        if (!blank) {
            RawFields f;
            RawReader::split(line, f, kDateField + 1);
            return cp932::decode(fieldAt(f, kDateField));
        }
        end = start > 0 ? start - 1 : 0;
    }
    return {};
}
