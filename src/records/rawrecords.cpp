#include "records/rawrecords.h"

#include <QFile>

QByteArray readFileBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool RawReader::next(RawFields &fields) {
    fields.clear();
    while (m_p < m_end) {
        const char *line = m_p;
        const char *eol = line;
        while (eol < m_end && *eol != '\r' && *eol != '\n')
            ++eol;
        // One CR LF (or a lone CR or LF) ends the line.
        m_p = eol;
        if (m_p < m_end && *m_p++ == '\r' && m_p < m_end && *m_p == '\n') ++m_p;

        const char *p = line;
        bool blank = true;
        for (const char *q = line; q < eol; ++q)
            blank &= (*q == ' ' || *q == '\t');
        if (blank) continue;

        for (;;) {
            while (p < eol && (*p == ' ' || *p == '\t'))
                ++p;
            if (p < eol && *p == '"') {
                const char *start = ++p;
                while (p < eol && *p != '"')
                    ++p;
                fields.append(QByteArrayView(start, p - start));
                while (p < eol && *p != ',')
                    ++p;
            } else {
                const char *start = p;
                while (p < eol && *p != ',')
                    ++p;
                const char *stop = p;
                while (stop > start && (stop[-1] == ' ' || stop[-1] == '\t'))
                    --stop;
                fields.append(QByteArrayView(start, stop - start));
            }
            if (p >= eol) break;
            ++p; // the comma
        }
        return true;
    }
    return false;
}

void appendQuoted(QByteArray &out, QByteArrayView text) {
    out.append('"');
    out.append(text);
    out.append('"');
}

void appendNumber(QByteArray &out, Yen value) {
    out.append(QByteArray::number(value));
}

void endLine(QByteArray &out) {
    out.append("\r\n", 2);
}
