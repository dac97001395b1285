#pragma once
#include <QString>
#include <QStringList>

#include "records/book.h"
#include "records/fileops.h"

// 支払いマスタ.txt and 費目マスタ.txt: one name a line, quoted only when the
// reader would otherwise split or trim it.

// Every name; a bare line with a comma reads as two names. An unreadable
// file reads as empty with *error (when given) saying why.
QStringList readMaster(const Book &book, const QString &name, FileResult *error = nullptr);
// The names of a master file's content.
QStringList masterNames(QByteArrayView content);
FileResult appendMasterName(const Book &book, const QString &name, const QString &master);
// Refused, writing nothing, while the master holds text the rewrite could not
// keep (a character without a CP932 form in a file saved as UTF-8).
FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names);
// The same for names the user edited in a list: refused too, writing
// nothing, when the master no longer holds the names the list was filled
// with (in any order): a name another program added meanwhile would be lost.
FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names,
                           const QStringList &listed);
// Replaces every name that reads as oldName, through the master's rename
// temporary; every other line stays byte for byte.
PlannedRewrite planRenameInMaster(const Book &book, const QString &master, const QString &oldName,
                                  const QString &newName);
FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName);
