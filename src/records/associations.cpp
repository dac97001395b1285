#include "records/associations.h"

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
using F = AssociationField;
} // namespace

std::optional<QString> categoryOfPayee(const Book &book, const QString &payee, FileResult *error) {
    return categoryOfPayeeIn(readFileBytes(book.pathOf(bookfile::associations), error), payee);
}

std::optional<QString> categoryOfPayeeIn(QByteArrayView content, const QString &payee) {
    const auto key = cp932::encode(payee);
    if (!key) return std::nullopt;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        if (byteString(fieldAt(f, F::Payee)) == byteString(*key))
            return cp932::decode(fieldAt(f, F::Category));
    return std::nullopt;
}

FileResult saveAssociation(const Book &book, const QString &payee, const QString &category) {
    LineBuilder b;
    b.text(payee).text(category);
    const auto line = b.finish();
    if (!line) return b.error();
    const auto key = cp932::encode(payee);
    const QString real = book.pathOf(bookfile::associations);
    const FileContent read = readFile(real);
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    bool found = false;
    RawFields f;
    QByteArray out = rewriteLines(read.bytes, [&](QByteArrayView old, QByteArray &to) {
        RawReader::split(old, f, fieldsThrough(F::Payee));
        if (byteString(fieldAt(f, F::Payee)) != byteString(*key)) return false;
        to.append(line->chopped(2));
        found = true;
        return true;
    });
    if (!found) out.append(*line);
    // The payee kept its category (most saves): the file already says so. A
    // file that could not be written still refuses, as a changed one would.
    if (out == read.bytes && !read.hadByteOrderMark) return writeRefusal(real);
    return book.rewrite(bookfile::associations, out, bookfile::associationsCopy);
}
