#include "records/foldercopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {
FileResult copyFailed(const QString &name, const QString &why) {
    return FileResult::refused(QStringLiteral("ファイル複写エラー"),
                               QStringLiteral("「%1」を複写できませんでした。\n%2").arg(name, why));
}

// Reads the whole source and writes it to a new file, flushed to the disk: a
// copy that reports success holds every byte.
FileResult copyOne(const QString &from, const QString &to) {
    const QString name = QFileInfo(from).fileName();
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return copyFailed(name, in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || bytes.size() != in.size())
        return copyFailed(name, in.errorString());
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return copyFailed(name, out.errorString());
    if (out.write(bytes) != bytes.size() || !out.flush() || ::fsync(out.handle()) != 0)
        return copyFailed(name, out.errorString());
    return {};
}
} // namespace

FileResult copyIntoNewFolder(const Book &book, const QString &folder, const QStringList &names) {
    QDir bookDir(book.dir());
    if (bookDir.exists(folder) || !bookDir.mkdir(folder))
        return copyFailed(folder, QStringLiteral("フォルダを作れません"));
    QDir target(bookDir.filePath(folder));
    for (const QString &name : names) {
        const QString from = book.pathOf(name);
        if (!QFileInfo::exists(from)) continue;
        const FileResult r = copyOne(from, target.filePath(QFileInfo(from).fileName()));
        if (!r.ok()) {
            target.removeRecursively();
            return r;
        }
    }
    return {};
}
