#include "records/cp932.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

constexpr char16_t kInvalid = 0xFFFD;

// An iconv conversion descriptor that closes itself.
class Iconv {
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; false on any unconvertible or truncated input.
    bool convert(const char *in, size_t inLen, char *out, size_t outCap, size_t *outLen) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char *src = const_cast<char *>(in);
        char *dst = out;
        size_t inLeft = inLen, outLeft = outCap;
        const size_t r = iconv(m_cd, &src, &inLeft, &dst, &outLeft);
        *outLen = outCap - outLeft;
        return r != static_cast<size_t>(-1) && inLeft == 0;
    }

private:
    iconv_t m_cd;
};

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// single[b] for one-byte characters; pair[(lead << 8) | trail] for two-byte ones.
struct DecodeTable {
    std::array<char16_t, 256> single{};
    std::unique_ptr<char16_t[]> pair{new char16_t[65536]};

    DecodeTable() {
        Iconv cd("UTF-16LE", "CP932");
        char out[8];
        size_t n = 0;
        for (int b = 0; b < 256; ++b) {
            const char in = static_cast<char>(b);
            single[b] =
                (!isLeadByte(b) && cd.valid() && cd.convert(&in, 1, out, sizeof out, &n) && n == 2)
                    ? unit(out)
                    : kInvalid;
        }
        std::fill(pair.get(), pair.get() + 65536, kInvalid);
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(lead)) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                if (cd.valid() && cd.convert(in, 2, out, sizeof out, &n) && n == 2)
                    pair[(lead << 8) | trail] = unit(out);
            }
        }
    }
    static char16_t unit(const char *le) {
        return static_cast<char16_t>(static_cast<unsigned char>(le[0]) |
                                     (static_cast<unsigned char>(le[1]) << 8));
    }
};

const DecodeTable &table() {
    static const DecodeTable t;
    return t;
}

char16_t lookAlike(char16_t c) {
    switch (c) {
    case 0x301C:
        return 0xFF5E; // 〜 wave dash → ～
    case 0x2212:
        return 0xFF0D; // − minus → －
    case 0x00A5:
        return 0xFFE5; // ¥ → ￥ (0x5C would read back as a backslash)
    case 0x2016:
        return 0x2225; // ‖ → ∥
    case 0x2014:
        return 0x2015; // — → ―
    case 0x00A2:
        return 0xFFE0; // ¢ → ￠
    case 0x00A3:
        return 0xFFE1; // £ → ￡
    case 0x00AC:
        return 0xFFE2; // ¬ → ￢
    default:
        return c;
    }
}

} // namespace

namespace cp932 {

QString decode(QByteArrayView bytes) {
    const DecodeTable &t = table();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    qsizetype n = 0;
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            dst[n++] = b;
            ++p;
        } else if (isLeadByte(b) && p + 1 < end && t.pair[(b << 8) | p[1]] != kInvalid) {
            dst[n++] = t.pair[(b << 8) | p[1]];
            p += 2;
        } else {
            dst[n++] = t.single[b];
            ++p;
        }
    }
    out.truncate(n);
    return out;
}

QString normalize(const QString &text) {
    QString out = text;
    for (QChar &c : out)
        c = QChar(lookAlike(c.unicode()));
    return out;
}

} // namespace cp932

namespace {
// The CP932 bytes of the text. A character without a CP932 form is named in
// *badChar (the first one only) and then either ends the encoding (nullopt)
// or, when replace is set, stands as 〓.
std::optional<QByteArray> encodeText(const QString &text, QString *badChar, bool replace) {
    using cp932::decode;
    const QString norm = cp932::normalize(text);
    QByteArray out;
    out.reserve(norm.size() * 2);
    static thread_local Iconv cd("CP932", "UTF-16LE");
    // Character by character, so that the refused one can be named; a
    // surrogate pair (😀, 𠮷) is one character and never has a CP932 form.
    for (qsizetype i = 0; i < norm.size(); ++i) {
        const char16_t c = norm.at(i).unicode();
        const bool pairChar = QChar::isHighSurrogate(c) && i + 1 < norm.size();
        const qsizetype len = pairChar ? 2 : 1;
        if (c < 0x80) {
            out.append(static_cast<char>(c));
            continue;
        }
        char buf[4];
        size_t n = 0;
        const bool ok = !pairChar && !QChar::isSurrogate(c) && cd.valid() &&
                        cd.convert(reinterpret_cast<const char *>(&c), 2, buf, sizeof buf, &n);
        // Only characters that read back as themselves are stored.
        if (!ok || decode(QByteArrayView(buf, static_cast<qsizetype>(n))) != QString(QChar(c))) {
            if (badChar && badChar->isEmpty()) *badChar = norm.mid(i, len);
            if (!replace) return std::nullopt;
            out.append("\x81\xAC", 2); // 〓
            i += len - 1;
            continue;
        }
        out.append(buf, static_cast<qsizetype>(n));
    }
    return out;
}
} // namespace

namespace cp932 {

std::optional<QByteArray> encode(const QString &text, QString *badChar) {
    if (badChar) badChar->clear();
    return encodeText(text, badChar, false);
}

QByteArray encodeReplacing(const QString &text, QString *badChar) {
    if (badChar) badChar->clear();
    return *encodeText(text, badChar, true);
}

} // namespace cp932
