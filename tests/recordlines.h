#pragma once
#include <QByteArray>
#include <QString>
#include <initializer_list>

#include "records/cp932.h"

// The contents of a record file for the core tests: each line followed by CR LF.
// Bytes as given (ASCII, or CP932 written as escapes):
inline QByteArray lines(std::initializer_list<const char *> l) {
    QByteArray out;
    for (const char *line : l)
        out += QByteArray(line) + "\r\n";
    return out;
}
// Text, encoded to CP932:
inline QByteArray lines(std::initializer_list<QString> l) {
    QString text;
    for (const QString &line : l)
        text += line + QStringLiteral("\r\n");
    return cp932::encode(text).value_or(QByteArray());
}
inline QByteArray lines(std::initializer_list<const char16_t *> l) {
    QString text;
    for (const char16_t *line : l)
        text += QString::fromUtf16(line) + QStringLiteral("\r\n");
    return cp932::encode(text).value_or(QByteArray());
}
