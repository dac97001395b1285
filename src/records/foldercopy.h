#pragma once
#include <QStringList>

#include "records/book.h"
#include "records/fileops.h"

// Copies the named files of the book byte for byte into a new folder inside
// the book folder, each under the name it has in the book. A file the book
// does not hold is skipped. The folder must not exist yet. On any failure the
// folder and whatever was copied into it are removed again, and the book is
// left as it was.
FileResult copyIntoNewFolder(const Book &book, const QString &folder, const QStringList &names);
