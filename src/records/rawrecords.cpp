#include "records/rawrecords.h"

#include <algorithm>
#include <cstring>

#include "records/cp932.h"

namespace {
// The first c at or after p, or end.
const char *find(const char *p, const char *end, char c) {
    const auto *at = static_cast<const char *>(std::memchr(p, c, static_cast<size_t>(end - p)));
    return at ? at : end;
}
} // namespace

bool RawReader::nextLine(QByteArrayView *line) {
    while (m_p < m_end) {
        const char *start = m_p;
        // CR LF, LF and a lone CR all end a line. The next LF and the next CR
        // are each searched for once and kept until passed, so a file of CR
        // ends with one LF far behind is still read in one pass.
        if (!m_lf || m_lf < start) m_lf = find(start, m_end, '\n');
        if (!m_cr || m_cr < start) m_cr = find(start, m_end, '\r');
        const char *stop = std::min(m_lf, m_cr);
        if (stop == m_end)
            m_p = m_end;
        else
            m_p = stop + (stop == m_cr && m_cr + 1 == m_lf ? 2 : 1);
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

NameMatcher::NameMatcher(QString name)
    : m_name(std::move(name)), m_bytes(cp932::encode(m_name).value_or(QByteArray())) {
    m_bytesMatch = cp932::decode(m_bytes) == m_name;
}

bool NameMatcher::operator()(QByteArrayView field) {
    if (field == QByteArrayView(m_bytes)) return m_bytesMatch;
    const std::string key(field.data(), static_cast<size_t>(field.size()));
    const auto it = m_seen.find(key);
    if (it != m_seen.end()) return it->second;
    return m_seen.emplace(key, cp932::decode(field) == m_name).first->second;
}
