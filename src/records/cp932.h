#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Microsoft code page 932 (Windows-31J), the character set of every book file.
// Decoding goes through a table built once from glibc iconv, so a whole file is
// decoded without per-call overhead; bytes that are not CP932 become U+FFFD and
// never swallow the delimiters around them.
namespace cp932 {

QString decode(QByteArrayView bytes);

// Characters Windows stores as a CP932 look-alike (〜 → ～, − → －, ¥ → ￥ …).
QString normalize(const QString &text);

// The CP932 bytes of the normalized text, or nothing when a character has no
// CP932 form; *badChar then names the first such character.
std::optional<QByteArray> encode(const QString &text, QString *badChar = nullptr);
// The same with 〓 for every character that has no CP932 form; *badChar
// names the first of them (empty when there is none).
QByteArray encodeReplacing(const QString &text, QString *badChar);

} // namespace cp932
