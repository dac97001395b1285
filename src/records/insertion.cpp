#include "records/insertion.h"

#include "records/lineformat.h"
#include "records/rawrecords.h"

FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate) {
    const QString real = book.pathOf(name);
    if (!(lastDate > date)) return appendLine(real, line);
    const FileContent read = readFile(real);
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    const QByteArray &content = read.bytes;
    const QByteArray dateBytes = date.toLatin1();
    QByteArray out;
    out.reserve(content.size() + line.size() + 64);
    bool written = false;
    RawReader reader(content);
    RawFields f;
    QByteArrayView old;
    while (reader.nextLine(&old)) {
        if (!written) {
            RawReader::split(old, f, kDateField + 1);
            if (byteString(fieldAt(f, kDateField)) > byteString(dateBytes)) {
                out.append(line);
                written = true;
            }
        }
        appendLineAsRead(out, old);
    }
    if (!written) out.append(line);
    return rewriteThrough(real, book.pathOf(temp), out);
}
