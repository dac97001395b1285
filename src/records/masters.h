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
FileResult appendMasterName(const Book &book, const QString &name, const QString &master);
FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names);
// Replaces every line equal to oldName, through the master's rename temporary.
FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName);
