#include "records/masters.h"

#include <algorithm>
#include <functional>

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
QString renameTempOf(const QString &master) {
    return master == bookfile::payees ? bookfile::payeesRename : bookfile::categoriesRename;
}
} // namespace

QStringList readMaster(const Book &book, const QString &name, FileResult *error) {
    return masterNames(readFileBytes(book.pathOf(name), error));
}

QStringList masterNames(QByteArrayView content) {
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
    return book.append(master, line);
}

FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names) {
    // The names came from the list, which shows a lost character as 〓.
    if (FileResult r = readFile(book.pathOf(master)).rewriteRefusal(); !r.ok()) return r;
    QByteArray out;
    FileResult err;
    for (const QString &name : names) {
        const auto bytes = encodeText(name, Shape::Quoted, &err);
        if (!bytes) return err;
        appendMasterLine(out, *bytes);
    }
    return book.rewrite(master, out);
}

PlannedRewrite planRenameInMaster(const Book &book, const QString &master, const QString &oldName,
                                  const QString &newName) {
    PlannedRewrite plan{master, renameTempOf(master), {}, {}};
    const auto newBytes = encodeText(newName, Shape::Quoted, &plan.error);
    if (!newBytes || !encodeText(oldName, Shape::Quoted, &plan.error)) return plan;
    if (plan.error = writeRefusal(book.pathOf(master)); !plan.error.ok()) return plan;
    const FileContent read = readFile(book.pathOf(master));
    if (plan.error = read.rewriteRefusal(); !plan.error.ok()) return plan;
    NameMatcher isOld(oldName);
    RawFields f;
    plan.content = rewriteLines(read.bytes, [&](QByteArrayView line, QByteArray &out) {
        RawReader::split(line, f);
        if (std::none_of(f.begin(), f.end(), std::ref(isOld))) return false;
        for (QByteArrayView name : f)
            appendMasterLine(out, isOld(name) ? QByteArrayView(*newBytes) : name);
        out.chop(2); // rewriteLines ends the line
        return true;
    });
    return plan;
}

FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName) {
    const PlannedRewrite plan = planRenameInMaster(book, master, oldName, newName);
    return plan.write(book);
}
