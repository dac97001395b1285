#include "records/rawrecords.h"

#include <cstring>

bool RawReader::nextLine(QByteArrayView *line) {
    while (m_p < m_end) {
        const char *start = m_p;
        // Once no LF is left (a file with CR line ends), it is not searched for again.
        const auto *lf = m_lfLeft ? static_cast<const char *>(std::memchr(
                                        start, '\n', static_cast<size_t>(m_end - start)))
                                  : nullptr;
        m_lfLeft = lf != nullptr;
        const char *stop = lf ? lf : m_end;
        // A CR ends the line too: before the LF (CR LF) or alone.
        if (const auto *cr = static_cast<const char *>(
                std::memchr(start, '\r', static_cast<size_t>(stop - start)))) {
            m_p = cr + 1 + (cr + 1 == lf ? 1 : 0);
            stop = cr;
        } else {
            m_p = lf ? lf + 1 : m_end;
        }
        const char *q = start;
        while (q < stop && (*q == ' ' || *q == '\t'))
            ++q;
        if (q < stop) { // a line of blanks holds no record
            *line = QByteArrayView(start, stop - start);
            return true;
        }
    }
    return false;
}

void RawReader::split(QByteArrayView line, RawFields &fields, int maxFields) {
    fields.clear();
    const char *p = line.data();
    const char *const end = p + line.size();
    while (static_cast<int>(fields.size()) < maxFields) {
        while (p < end && (*p == ' ' || *p == '\t'))
            ++p;
        if (p < end && *p == '"') {
            const char *start = ++p;
            const auto *quote = static_cast<const char *>(
                std::memchr(start, '"', static_cast<size_t>(end - start)));
            p = quote ? quote : end;
            fields.append(QByteArrayView(start, p - start));
            while (p < end && *p != ',')
                ++p; // what follows the closing quote
        } else {
            const char *start = p;
            while (p < end && *p != ',')
                ++p;
            const char *stop = p;
            while (stop > start && (stop[-1] == ' ' || stop[-1] == '\t'))
                --stop;
            fields.append(QByteArrayView(start, stop - start));
        }
        if (p >= end) break;
        ++p; // the comma
    }
}

bool RawReader::next(RawFields &fields, int maxFields) {
    QByteArrayView line;
    if (!nextLine(&line)) {
        fields.clear();
        return false;
    }
    split(line, fields, maxFields);
    return true;
}
