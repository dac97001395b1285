#include "records/rawrecords.h"

#include <QFile>
#include <charconv>

QByteArray readFileBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// One pass over the line: fields are split as they are met, and a line whose
// only content is blanks holds no record.
bool RawReader::next(RawFields &fields) {
    const char *p = m_p;
    const char *const end = m_end;
    auto atLineEnd = [&](const char *q) { return q >= end || *q == '\n' || *q == '\r'; };
    while (p < end) {
        fields.clear();
        bool blank = true;
        for (;;) {
            while (p < end && (*p == ' ' || *p == '\t'))
                ++p;
            if (p < end && *p == '"') {
                blank = false;
                const char *start = ++p;
                while (!atLineEnd(p) && *p != '"')
                    ++p;
                fields.append(QByteArrayView(start, p - start));
                while (!atLineEnd(p) && *p != ',')
                    ++p; // what follows the closing quote
            } else {
                const char *start = p;
                while (!atLineEnd(p) && *p != ',')
                    ++p;
                const char *stop = p;
                while (stop > start && (stop[-1] == ' ' || stop[-1] == '\t'))
                    --stop;
                blank = blank && stop == start && atLineEnd(p);
                fields.append(QByteArrayView(start, stop - start));
            }
            if (atLineEnd(p)) break;
            ++p; // the comma
        }
        // One CR LF, or a lone CR or LF, ends the line.
        if (p < end && *p++ == '\r' && p < end && *p == '\n') ++p;
        if (!blank) {
            m_p = p;
            return true;
        }
    }
    m_p = p;
    fields.clear();
    return false;
}

void appendQuoted(QByteArray &out, QByteArrayView text) {
    out.append('"');
    out.append(text);
    out.append('"');
}

void appendNumber(QByteArray &out, Yen value) {
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, r.ptr - digits);
}

void endLine(QByteArray &out) {
    out.append("\r\n", 2);
}
