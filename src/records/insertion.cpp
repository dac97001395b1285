#include "records/insertion.h"

#include "records/lineformat.h"
#include "records/rawrecords.h"

FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate) {
    // lastDate comes from the held file: one that could not be read has none.
    if (FileContent held; book.held(name, &held))
        if (FileResult r = held.rewriteRefusal(); !r.ok()) return r;
    if (!(lastDate > date)) return book.append(name, line);
    const FileContent read = book.read(name);
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    // The line goes in front of the first record of a later date (the end when none).
    const QByteArray dateBytes = date.toLatin1();
    const char *at = read.bytes.constEnd();
    RawReader reader(read.bytes);
    RawFields f;
    for (QByteArrayView old; reader.nextLine(&old);) {
        RawReader::split(old, f, kDateField + 1);
        if (byteString(fieldAt(f, kDateField)) > byteString(dateBytes)) {
            at = old.data();
            break;
        }
    }
    const qsizetype offset = at - read.bytes.constData();
    QByteArray out;
    if (endsEveryLineWithCrLf(read.bytes)) {
        // rewriteLines would give every other line back as it is: the line is
        // put in place with two copies instead of a copy line by line.
        out.reserve(read.bytes.size() + line.size());
        out.append(QByteArrayView(read.bytes).first(offset)).append(line);
        out.append(QByteArrayView(read.bytes).sliced(offset));
    } else {
        out = rewriteLines(read.bytes, [&](QByteArrayView old, QByteArray &to) {
            if (old.data() != at) return false;
            to.append(line).append(old);
            return true;
        });
        if (at == read.bytes.constEnd()) out.append(line);
    }
    return book.rewrite(name, out, temp);
}
