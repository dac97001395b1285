#pragma once
#include <QString>

#include "records/book.h"
#include "records/fileops.h"

// The one-record files 設定.txt and ﾌﾟﾗｲﾍﾞｰﾄ.txt, and the notes 気付きメモ.txt.
// A missing file reads as empty (flag 0, no name, no notes); so does an
// unreadable one, with *error (when given) saying why.

int readHelpFlag(const Book &book, FileResult *error = nullptr);
FileResult writeHelpFlag(const Book &book, int flag);

QString readUserName(const Book &book, FileResult *error = nullptr);
FileResult writeUserName(const Book &book, const QString &name);

// The notes as stored, lines joined by CR LF, the final CR LF dropped.
QString readNotes(const Book &book, FileResult *error = nullptr);
// The notes text with CR LF line breaks; stored followed by one CR LF.
FileResult writeNotes(const Book &book, const QString &text);
