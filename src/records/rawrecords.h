#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>
#include <climits>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "records/fileops.h" // readFileBytes, for the scans that walk a whole file
#include "records/records.h"

// Record lines at the byte level. In CP932 the bytes '"', ',', CR and LF never
// occur inside a two-byte character, so fields can be split before decoding;
// rewrites copy a record's text fields as the very bytes they read.

using RawFields = QVarLengthArray<QByteArrayView, 8>;

// Walks the records of a delimited file, one line each. A field that begins
// with a double quote runs to the next double quote (commas inside belong to
// it); anything after that quote up to the comma is dropped. An unquoted
// field runs to the next comma, blanks before it skipped. Blank lines hold no
// record; a last line without CR LF still counts. CR LF, LF and a lone CR
// all end a line.
class RawReader {
public:
    explicit RawReader(QByteArrayView content) : m_p(content.data()), m_end(m_p + content.size()) {}
    // The next record, every field split.
    bool next(RawFields &fields) { return next(fields, INT_MAX); }
    // The next record with only its first maxFields fields split: scans that
    // look at a date or an amount skip the rest of each line unread.
    bool next(RawFields &fields, int maxFields);
    bool atEnd() const { return m_p >= m_end; }

    // The next line that holds a record, without its line end.
    bool nextLine(QByteArrayView *line);
    // Splits one line into at most maxFields fields.
    static void split(QByteArrayView line, RawFields &fields, int maxFields = INT_MAX);

private:
    const char *m_p;
    const char *m_end;
    const char *m_lf = nullptr; // the next LF (m_end when none), once searched for
    const char *m_cr = nullptr; // the next CR, the same way
};

// The lines of content whose fields `holds` finds no record in, as they
// are, each with CR LF: a rewrite from the records a reader took keeps them.
template <typename Holds> QByteArray linesHoldingNone(QByteArrayView content, Holds holds) {
    QByteArray out;
    RawReader reader(content);
    RawFields f;
    for (QByteArrayView line; reader.nextLine(&line);) {
        RawReader::split(line, f);
        if (!holds(f)) out.append(line).append("\r\n");
    }
    return out;
}

// The field, or an empty view when the record has fewer fields.
inline QByteArrayView fieldAt(const RawFields &f, qsizetype i) {
    return i < f.size() ? f[i] : QByteArrayView();
}
template <typename Field>
requires std::is_enum_v<Field>
inline QByteArrayView fieldAt(const RawFields &f, Field field) {
    return fieldAt(f, fieldIndex(field));
}

// Whether a field reads as a given name: fields are compared as the text
// they decode to, since one character may be stored in two ways (NEC's and
// IBM's copies of ≒, ∵, Ⅰ …). Each distinct spelling is decoded once.
class NameMatcher {
public:
    explicit NameMatcher(QString name);
    bool operator()(QByteArrayView field);

private:
    QString m_name;
    QByteArray m_bytes; // the name as the writers spell it: most fields match it at once
    bool m_bytesMatch = false;
    std::unordered_map<std::string, bool> m_seen;
};

// The bytes as a std::string_view, for ordering and equality of raw fields.
inline std::string_view byteString(QByteArrayView v) {
    return {v.data(), static_cast<size_t>(v.size())};
}
