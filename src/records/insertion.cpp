#include "records/insertion.h"

#include "records/lineformat.h"
#include "records/rawrecords.h"

#include <utility>

LinePlace placeByReading(QByteArrayView content, QByteArrayView date) {
    RawReader reader(content);
    RawFields f;
    for (QByteArrayView old; reader.nextLine(&old);) {
        RawReader::split(old, f, kDateField + 1);
        if (byteString(fieldAt(f, kDateField)) > byteString(date))
            return {old.data() - content.data(), endsEveryLineWithCrLf(content)};
    }
    return {content.size(), endsEveryLineWithCrLf(content)};
}

FileResult insertInDateOrder(const Book &book, const QString &name, const QString &temp,
                             const QByteArray &line, const QString &date, const QString &lastDate) {
    // lastDate comes from the held file: one that could not be read has none.
    FileContent held;
    const bool isHeld = book.held(name, &held);
    if (isHeld)
        if (FileResult r = held.rewriteRefusal(); !r.ok()) return r;
    if (!(lastDate > date)) return book.append(name, line);
    // The held content is what a read would give: it is not asked for twice.
    const FileContent read = isHeld ? std::move(held) : book.read(name);
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    const QByteArray dateBytes = date.toLatin1();
    // The held book knows the place without reading 100,000 lines again.
    const std::optional<LinePlace> known = book.placeInHeld(name, read.bytes, dateBytes);
    const LinePlace place = known ? *known : placeByReading(read.bytes, dateBytes);
    QByteArray out;
    if (place.everyLineEndsCrLf) {
        // rewriteLines would give every other line back as it is: the line is
        // put in place with two copies instead of a copy line by line.
        out.reserve(read.bytes.size() + line.size());
        out.append(QByteArrayView(read.bytes).first(place.offset)).append(line);
        out.append(QByteArrayView(read.bytes).sliced(place.offset));
    } else {
        const char *at = read.bytes.constData() + place.offset;
        out = rewriteLines(read.bytes, [&](QByteArrayView old, QByteArray &to) {
            if (old.data() != at) return false;
            to.append(line).append(old);
            return true;
        });
        if (place.offset == read.bytes.size()) out.append(line);
    }
    return book.rewrite(name, out, temp);
}
