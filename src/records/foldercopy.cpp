#include "records/foldercopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <unistd.h>

namespace {
FileResult copyFailed(const QString &name, const QString &why) {
    return FileResult::refused(QStringLiteral("ファイル複写エラー"),
                               QStringLiteral("「%1」を複写できませんでした。\n%2").arg(name, why));
}

// Reads the whole source and writes it to a new file, flushed to the disk: a
// copy that reports success holds every byte.
FileResult copyOne(const QString &from, const QString &to) {
    const QFileInfo info(from);
    const QString name = info.fileName();
    // A FIFO or device in a file's place would hold the copy, or never end.
    if (!info.isFile() && !info.isDir())
        return copyFailed(name, QStringLiteral("通常のファイルではありません。"));
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return copyFailed(name, in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || bytes.size() != in.size())
        return copyFailed(name, in.errorString());
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return copyFailed(name, out.errorString());
    if (out.write(bytes) != bytes.size() || !out.flush() || syncDescriptor(out.handle()) != 0)
        return copyFailed(name, out.errorString());
    return {};
}
} // namespace

FileResult copyIntoNewFolder(const Book &book, const QString &folder, const QStringList &names) {
    QDir bookDir(book.dir());
    // Filled under a name of its own and renamed when whole, so that a crash
    // leaves no folder that looks like a complete copy.
    const QString partial = folder + kPartialFolderSuffix;
    if (bookDir.exists(folder) ||
        (bookDir.exists(partial) && !QDir(bookDir.filePath(partial)).removeRecursively()) ||
        !bookDir.mkdir(partial))
        return copyFailed(folder, QStringLiteral("フォルダを作れません"));
    QDir target(bookDir.filePath(partial));
    const auto fail = [&](const FileResult &r) {
        target.removeRecursively();
        return r;
    };
    for (const QString &name : names) {
        const QString from = book.pathOf(name);
        if (!QFileInfo::exists(from)) continue;
        const FileResult r = copyOne(from, target.filePath(QFileInfo(from).fileName()));
        if (!r.ok()) return fail(r);
    }
    const QString done = bookDir.filePath(folder);
    if (!syncFolder(target.path()) || !bookDir.rename(partial, folder) || !syncFolderOf(done))
        return fail(copyFailed(folder, QStringLiteral("フォルダを残せません")));
    return {};
}

int removeLeftovers(const QString &dir) {
    int removed = 0;
    QDir d(dir);
    const QFileInfoList entries =
        d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    // What an interrupted rewrite leaves: "name.txt.miltea-tmp-Ab12Cd".
    static const QRegularExpression temporary(
        QRegularExpression::escape(QLatin1String(kTemporaryMark)) +
        QStringLiteral("[A-Za-z0-9]{6}$"));
    for (const QFileInfo &e : entries) {
        const QString name = e.fileName();
        if (e.isDir() && name.endsWith(kPartialFolderSuffix))
            removed += QDir(e.filePath()).removeRecursively();
        else if (e.isFile() && temporary.match(name).hasMatch())
            removed += QFile::remove(e.filePath());
    }
    if (removed) syncFolder(dir);
    return removed;
}
