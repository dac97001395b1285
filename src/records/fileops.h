#pragma once
#include <QByteArray>
#include <QString>

#include "records/book.h"

// Why a write did not happen, for the message box of the calling handler.
// Nothing is written when a write is refused.
struct FileResult {
    QString title;
    QString message;
    bool ok() const { return message.isEmpty(); }
    static FileResult refused(QString title, QString message) { return {title, message}; }
};

// The bytes of a file; a missing or unreadable file reads as empty.
QByteArray readFileBytes(const QString &path);

// The refusal for a file that could not be written, naming it and why.
FileResult ioError(const QString &path, const QString &why);

// Whole-file writes go to a temporary beside the file that then replaces it
// in one rename: a crash leaves the old or the new file, never neither.
FileResult replaceAtomically(const QString &path, const QByteArray &content);
// The rewrites of the record files go through their named temporary.
FileResult rewriteThrough(const QString &real, const QString &temp, const QByteArray &content);
// Adds one line at the end, after a CR LF when the last line lacks one.
FileResult appendLine(const QString &path, const QByteArray &line);

FileResult truncateFile(const Book &book, const QString &name);
FileResult deleteFile(const Book &book, const QString &name);
FileResult copyFile(const Book &book, const QString &from, const QString &to);
