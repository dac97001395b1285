#include "records/smallfiles.h"

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
// Views into the content: it must outlive the fields.
RawFields firstRecord(const QByteArray &content) {
    RawFields f;
    RawReader(content).next(f);
    return f;
}
RawFields firstRecord(QByteArray &&) = delete;
} // namespace

int readHelpFlag(const Book &book, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::settings), error);
    return static_cast<int>(
        parseAmountField(fieldAt(firstRecord(content), SettingsField::HelpFlag)));
}

FileResult writeHelpFlag(const Book &book, int flag) {
    LineBuilder b;
    b.text(QStringLiteral("ヘルプツアー")).number(flag);
    return book.rewrite(bookfile::settings, *b.finish());
}

QString readUserName(const Book &book, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::userName), error);
    return cp932::decode(fieldAt(firstRecord(content), UserNameField::Name));
}

FileResult writeUserName(const Book &book, const QString &name) {
    LineBuilder b;
    b.text(QStringLiteral("氏名")).text(name);
    const auto line = b.finish();
    if (!line) return b.error();
    return book.rewrite(bookfile::userName, *line);
}

QString readNotes(const Book &book, FileResult *error) {
    const QString all = cp932::decode(readFileBytes(book.pathOf(bookfile::notes), error));
    QString out;
    out.reserve(all.size() + 2);
    qsizetype i = 0;
    while (i < all.size()) {
        qsizetype e = i;
        while (e < all.size() && all.at(e) != u'\r' && all.at(e) != u'\n')
            ++e;
        out += QStringView(all).mid(i, e - i);
        out += QStringLiteral("\r\n");
        i = e;
        if (i < all.size() && all.at(i++) == u'\r' && i < all.size() && all.at(i) == u'\n') ++i;
    }
    out.chop(out.isEmpty() ? 0 : 2);
    return out;
}

FileResult writeNotes(const Book &book, const QString &notesText) {
    QString crlf = notesText;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    FileResult err;
    auto bytes = encodeText(crlf, Shape::MultiLine, &err);
    if (!bytes) return err;
    endLine(*bytes);
    return book.rewrite(bookfile::notes, *bytes);
}
