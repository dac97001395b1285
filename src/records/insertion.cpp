#include "records/insertion.h"

#include "records/lineformat.h"
#include "records/rawrecords.h"

FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate,
                             int fieldCount, int amountIndex) {
    const QString real = book.pathOf(name);
    if (!(lastDate > date)) return appendLine(real, line);
    const FileContent read = readFile(real);
    if (!read.ok()) return readRefusal(read);
    const QByteArray &content = read.bytes;
    const QByteArray dateBytes = date.toLatin1();
    QByteArray out;
    out.reserve(content.size() + line.size() + 64);
    bool written = false;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        if (!written && byteString(fieldAt(f, 0)) > byteString(dateBytes)) {
            out.append(line);
            written = true;
        }
        appendCopied(out, f, fieldCount, amountIndex);
    }
    if (!written) out.append(line);
    return rewriteThrough(real, book.pathOf(temp), out);
}
