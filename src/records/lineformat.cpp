#include "records/lineformat.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include <QtEndian>

#include "records/cp932.h"

namespace {
const QString kBadTextTitle = QStringLiteral("保存できない文字");
} // namespace

std::optional<QByteArray> encodeText(const QString &s, Shape shape, FileResult *err) {
    if (shape == Shape::Quoted && s.contains(u'"')) {
        *err = FileResult::refused(
            kBadTextTitle,
            QStringLiteral(
                "ダブルクォーテーション（\"）は保存できません。別の文字に置き換えてください。"));
        return std::nullopt;
    }
    if (shape != Shape::MultiLine && (s.contains(u'\r') || s.contains(u'\n'))) {
        *err = FileResult::refused(
            kBadTextTitle, QStringLiteral("改行は保存できません。一行で入力してください。"));
        return std::nullopt;
    }
    QString bad;
    auto bytes = cp932::encode(s, &bad);
    if (!bytes)
        *err = FileResult::refused(
            kBadTextTitle,
            QStringLiteral("「%1」は保存できない文字です。別の文字に置き換えてください。")
                .arg(bad));
    return bytes;
}

FileResult checkFieldTexts(const QStringList &texts) {
    FileResult err;
    for (const QString &t : texts)
        if (!encodeText(t, Shape::Quoted, &err)) return err;
    return {};
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

LineBuilder &LineBuilder::text(const QString &s) {
    sep();
    if (auto b = encodeText(s, Shape::Quoted, &m_err)) appendQuoted(m_line, *b);
    return *this;
}

LineBuilder &LineBuilder::number(Yen v) {
    sep();
    appendNumber(m_line, v);
    return *this;
}

std::optional<QByteArray> LineBuilder::finish() {
    if (!m_err.ok()) return std::nullopt;
    endLine(m_line);
    return m_line;
}

QByteArray rewriteLines(const QByteArray &content,
                        const std::function<bool(QByteArrayView line, QByteArray &out)> &change) {
    QByteArray out;
    out.reserve(content.size() + content.size() / 16 + 1024);
    const char *p = content.constData();
    const char *const end = p + content.size();
    // The next CR, looked for again only once passed (a book has none but
    // at its line ends, so each line costs two memchr).
    const char *nextCr = nullptr;
    while (p < end) {
        // CR LF, LF and a lone CR each end a line, as for the reader.
        if (nextCr < p) {
            nextCr = static_cast<const char *>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
            if (!nextCr) nextCr = end;
        }
        const char *lf =
            static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(nextCr - p)));
        const char *stop = lf ? lf : nextCr;
        const QByteArrayView line(p, stop - p);
        p = stop + (stop < end && *stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
        // Only a line that starts blank can be blank throughout.
        const bool blank =
            line.isEmpty() ||
            ((line.front() == ' ' || line.front() == '\t') &&
             std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; }));
        if (blank || !change(line, out)) out.append(line);
        endLine(out);
    }
    return out;
}

bool endsEveryLineWithCrLf(QByteArrayView content) {
    if (content.isEmpty()) return true;
    if (!content.endsWith("\r\n")) return false;
    // Eight bytes at a time, since a book is read through at every insertion:
    // each LF must stand just after a CR and each CR just before an LF.
    constexpr quint64 kOnes = 0x0101010101010101ULL, kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const auto marks = [](quint64 w, unsigned char c) { // the top bit of each byte equal to c
        const quint64 x = w ^ (kOnes * c);
        return ~(((x & kLow7) + kLow7) | x | kLow7);
    };
    const char *p = content.data();
    const char *const end = p + content.size();
    bool crBefore = false; // the byte before p is a CR
    for (; end - p >= 8; p += 8) {
        const quint64 w = qFromLittleEndian<quint64>(p);
        const quint64 cr = marks(w, '\r'), lf = marks(w, '\n');
        if (lf != ((cr << 8) | (crBefore ? 0x80 : 0))) return false;
        crBefore = (cr >> 63) != 0;
    }
    for (; p < end; ++p) {
        if ((*p == '\n') != crBefore) return false;
        crBefore = *p == '\r';
    }
    return true;
}

void appendLineAsRead(QByteArray &out, QByteArrayView line) {
    const qsizetype at = out.size();
    out.resize(at + line.size() + 2);
    char *p = out.data() + at;
    if (!line.isEmpty()) std::memcpy(p, line.data(), static_cast<size_t>(line.size()));
    p[line.size()] = '\r';
    p[line.size() + 1] = '\n';
}

// Written straight into the buffer: a rename may change every line of the book.
void appendCopied(QByteArray &out, const RawFields &f, int fieldCount, int amountIndex) {
    char digits[24];
    qsizetype digitCount = 0;
    qsizetype size = fieldCount - 1 + 2; // commas and CR LF
    for (int i = 0; i < fieldCount; ++i) {
        if (i == amountIndex) {
            const auto r =
                std::to_chars(digits, digits + sizeof digits, parseAmountField(fieldAt(f, i)));
            digitCount = r.ptr - digits;
            size += digitCount;
        } else {
            size += fieldAt(f, i).size() + (fieldAt(f, i).contains('"') ? 0 : 2);
        }
    }
    const qsizetype at = out.size();
    out.resize(at + size);
    char *p = out.data() + at;
    for (int i = 0; i < fieldCount; ++i) {
        if (i) *p++ = ',';
        if (i == amountIndex) {
            std::memcpy(p, digits, static_cast<size_t>(digitCount));
            p += digitCount;
        } else {
            const QByteArrayView field = fieldAt(f, i);
            const bool quoted = !field.contains('"');
            if (quoted) *p++ = '"';
            if (!field.isEmpty()) std::memcpy(p, field.data(), static_cast<size_t>(field.size()));
            p += field.size();
            if (quoted) *p++ = '"';
        }
    }
    *p++ = '\r';
    *p = '\n';
}

void appendMasterLine(QByteArray &out, QByteArrayView name) {
    const bool quote = name.isEmpty() || name.contains(',') || name.front() == ' ' ||
                       name.back() == ' ' || name.front() == '\t' || name.back() == '\t';
    if (quote)
        appendQuoted(out, name);
    else
        out.append(name);
    endLine(out);
}
