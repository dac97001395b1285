#pragma once
#include <QStringList>

#include "records/book.h"
#include "records/fileops.h"

// Copies the named files of the book byte for byte into a new folder inside
// the book folder, each under the name it has in the book. A file the book
// does not hold is skipped. The folder must not exist yet. On any failure the
// folder and whatever was copied into it are removed again, and the book is
// left as it was. The folder has its name only once every file in it is on
// the disk; until then it is named with kPartialFolderSuffix.
FileResult copyIntoNewFolder(const Book &book, const QString &folder, const QStringList &names);

inline const QString kPartialFolderSuffix = QStringLiteral(".作成中");

// Removes from the folder what a crash may leave there: the temporaries of
// interrupted rewrites ("name.txt.miltea-tmp-Ab12Cd") and folders still being filled.
// Returns how many it removed.
int removeLeftovers(const QString &dir);
