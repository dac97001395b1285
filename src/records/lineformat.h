#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "records/fileops.h"
#include "records/money.h"
#include "records/rawrecords.h"

// How lines are written: text between double quotes, numbers bare, CR LF at
// the end; new text checked so that it reads back unchanged, copied records
// kept as the bytes they were read from.

// Whether every text can be stored in a quoted one-line field; the refusal
// names the first character that cannot.
FileResult checkFieldTexts(const QStringList &texts);

// Text for a file must come back from it unchanged: no double quote inside a
// quoted field, no line break in a one-line field, only CP932 characters.
enum class Shape { Quoted, MultiLine };
std::optional<QByteArray> encodeText(const QString &s, Shape shape, FileResult *err);

void appendQuoted(QByteArray &out, QByteArrayView text);
void appendNumber(QByteArray &out, Yen value);
void endLine(QByteArray &out);

// Collects the fields of one new record; the first refusal sticks.
class LineBuilder {
public:
    LineBuilder &text(const QString &s);
    LineBuilder &number(Yen v);
    std::optional<QByteArray> finish();
    const FileResult &error() const { return m_err; }

private:
    void sep() {
        if (m_fields++) m_line.append(',');
    }
    QByteArray m_line;
    FileResult m_err;
    int m_fields = 0;
};

// The lines of a small file written whole (予算.txt, 固定費.txt): fields(b, item)
// puts each item's fields into a LineBuilder. The first refusal stops it.
template <typename Item, typename Fields>
std::optional<QByteArray> recordLines(const QList<Item> &items, Fields fields, FileResult *error) {
    QByteArray out;
    for (const Item &item : items) {
        LineBuilder line;
        fields(line, item);
        const auto bytes = line.finish();
        if (!bytes) {
            *error = line.error();
            return std::nullopt;
        }
        out.append(*bytes);
    }
    return out;
}

// The content line by line, every line ended by CR LF: the record lines that
// `change` rewrites replaced, every other line (blank ones included) byte for
// byte. change(line, out) appends the new line, without its line end, to out
// and returns true, or returns false and appends nothing to keep the line.
QByteArray rewriteLines(const QByteArray &content,
                        const std::function<bool(QByteArrayView line, QByteArray &out)> &change);

// Whether every line of content, the last one included, ends in CR LF and no
// CR or LF stands alone: what rewriteLines gives back unchanged.
bool endsEveryLineWithCrLf(QByteArrayView content);

// A line a rewrite does not change: its bytes as read, then CR LF.
void appendLineAsRead(QByteArray &out, QByteArrayView line);

// A record a rewrite changes, written from the fields as read: text quoted,
// except a text with a double quote inside, which can only have been read
// from an unquoted field and is written bare again so that it reads back
// whole; the amount as the whole number read.
void appendCopied(QByteArray &out, const RawFields &f, int fieldCount, int amountIndex);

// A master name stands bare on its line unless the reader would split or trim it.
void appendMasterLine(QByteArray &out, QByteArrayView name);
