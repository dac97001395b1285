#include "records/fileops.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
bool writeAll(QIODevice &dev, const QByteArray &bytes) {
    return dev.write(bytes) == bytes.size();
}
} // namespace

QByteArray readFileBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

FileResult ioError(const QString &path, const QString &why) {
    return FileResult::refused(
        QStringLiteral("ファイル書き込みエラー"),
        QStringLiteral("「%1」に書き込めませんでした。\n%2").arg(QFileInfo(path).fileName(), why));
}

FileResult replaceAtomically(const QString &path, const QByteArray &content) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return ioError(path, f.errorString());
    if (!writeAll(f, content) || !f.commit()) return ioError(path, f.errorString());
    return {};
}

FileResult rewriteThrough(const QString &real, const QString &temp, const QByteArray &content) {
    {
        QFile f(temp);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return ioError(temp, f.errorString());
        if (!writeAll(f, content) || !f.flush() || ::fsync(f.handle()) != 0) {
            f.close();
            QFile::remove(temp);
            return ioError(temp, f.errorString());
        }
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(real).constData()) !=
        0) {
        QFile::remove(temp);
        return ioError(real, QString::fromLocal8Bit(strerror(errno)));
    }
    return {};
}

FileResult appendLine(const QString &path, const QByteArray &line) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append)) return ioError(path, f.errorString());
    QByteArray bytes = line;
    // A last line without its CR LF would otherwise swallow the new one.
    if (f.size() > 0) {
        f.seek(f.size() - 1);
        char last = 0;
        if (f.getChar(&last) && last != '\n') bytes.prepend("\r\n", 2);
    }
    if (!writeAll(f, bytes) || !f.flush()) return ioError(path, f.errorString());
    return {};
}

FileResult truncateFile(const Book &book, const QString &name) {
    return replaceAtomically(book.pathOf(name), {});
}

FileResult deleteFile(const Book &book, const QString &name) {
    const QString path = book.pathOf(name);
    if (QFile::exists(path) && !QFile::remove(path))
        return ioError(path, QStringLiteral("削除できません"));
    return {};
}

FileResult copyFile(const Book &book, const QString &from, const QString &to) {
    return replaceAtomically(book.pathOf(to), readFileBytes(book.pathOf(from)));
}
