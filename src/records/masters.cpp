#include "records/masters.h"

#include <algorithm>

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
QString renameTempOf(const QString &master) {
    return master == bookfile::payees ? bookfile::payeesRename : bookfile::categoriesRename;
}
} // namespace

QStringList readMaster(const Book &book, const QString &name, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(name), error);
    QStringList out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        for (QByteArrayView field : f)
            out.append(cp932::decode(field));
    return out;
}

FileResult appendMasterName(const Book &book, const QString &name, const QString &master) {
    FileResult err;
    const auto bytes = encodeText(name, Shape::Quoted, &err);
    if (!bytes) return err;
    QByteArray line;
    appendMasterLine(line, *bytes);
    return appendLine(book.pathOf(master), line);
}

FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names) {
    QByteArray out;
    FileResult err;
    for (const QString &name : names) {
        const auto bytes = encodeText(name, Shape::Quoted, &err);
        if (!bytes) return err;
        appendMasterLine(out, *bytes);
    }
    return replaceAtomically(book.pathOf(master), out);
}

FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName) {
    FileResult err;
    const auto oldBytes = encodeText(oldName, Shape::Quoted, &err);
    const auto newBytes = oldBytes ? encodeText(newName, Shape::Quoted, &err) : std::nullopt;
    if (!newBytes) return err;
    const QString real = book.pathOf(master);
    const FileContent read = readFile(real);
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    const QByteArray &content = read.bytes;
    QByteArray out;
    RawReader reader(content);
    RawFields f;
    QByteArrayView line;
    while (reader.nextLine(&line)) {
        RawReader::split(line, f);
        const auto isOld = [&](QByteArrayView name) {
            return byteString(name) == byteString(*oldBytes);
        };
        if (std::none_of(f.begin(), f.end(), isOld)) {
            appendLineAsRead(out, line);
            continue;
        }
        for (QByteArrayView name : f)
            appendMasterLine(out, isOld(name) ? QByteArrayView(*newBytes) : name);
    }
    return rewriteThrough(real, book.pathOf(renameTempOf(master)), out);
}
