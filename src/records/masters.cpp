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

// The names written over the master; with listed, only while the master
// still holds those names.
FileResult writeNames(const Book &book, const QString &master, const QStringList &names,
                      const QStringList *listed) {
    // The names came from the list, which shows a lost character as 〓.
    const FileContent read = readFile(book.pathOf(master));
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    if (listed) {
        QStringList now = masterNames(read.bytes), shown = *listed;
        now.sort();
        shown.sort();
        if (now != shown)
            return FileResult::refused(
                QStringLiteral("マスタの保存"),
                QStringLiteral("「%1」は一覧を読み込んだ後に書き換えられているため、"
                               "何も変えていません。一覧を読み込み直しました。"
                               "もう一度操作してください。")
                    .arg(master));
    }
    QByteArray out;
    FileResult err;
    for (const QString &name : names) {
        const auto bytes = encodeText(name, Shape::Quoted, &err);
        if (!bytes) return err;
        appendMasterLine(out, *bytes);
    }
    return book.rewrite(master, out);
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
    return writeNames(book, master, names, nullptr);
}

FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names,
                           const QStringList &listed) {
    return writeNames(book, master, names, &listed);
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
