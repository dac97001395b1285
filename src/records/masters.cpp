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
    QByteArray added, whole;
    FileIdentity before;
    const FileResult r = appendLine(book.pathOf(master), line, &added, &whole, &before);
    if (r.ok() && whole.isEmpty()) book.appended(master, added, before);
    if (r.ok() && !whole.isEmpty()) book.replaced(master, whole);
    return r;
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
    const FileResult r = replaceAtomically(book.pathOf(master), out);
    if (r.ok()) book.replaced(master, out);
    return r;
}

PlannedRewrite planRenameInMaster(const Book &book, const QString &master, const QString &oldName,
                                  const QString &newName) {
    PlannedRewrite plan{book.pathOf(master), book.pathOf(renameTempOf(master)), {}, {}};
    const auto newBytes = encodeText(newName, Shape::Quoted, &plan.error);
    if (!newBytes || !encodeText(oldName, Shape::Quoted, &plan.error)) return plan;
    if (plan.error = writeRefusal(plan.real); !plan.error.ok()) return plan;
    const FileContent read = readFile(plan.real);
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
    const FileResult r = plan.write();
    if (r.ok()) book.replaced(master, plan.content);
    return r;
}
