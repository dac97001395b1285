#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Book files are CP932 without a byte-order mark, but a file saved by a
// common editor may start with a UTF-8 or UTF-16 (LE/BE) one. Such a file is
// read by its mark and handed on as CP932 like every other.

bool startsWithByteOrderMark(QByteArrayView bytes);

// The text after the mark as CP932; a character without a CP932 form stands
// as 〓 and the first of them is named in *notCp932 (empty when none).
QByteArray cp932FromByteOrderMarked(QByteArrayView bytes, QString *notCp932);
