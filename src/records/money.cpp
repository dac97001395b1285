#include "records/money.h"

#include <limits>

namespace {
constexpr Yen kMax = std::numeric_limits<Yen>::max();
constexpr Yen kMin = std::numeric_limits<Yen>::min();
// Typed amounts stay far below the 64-bit range so that sums of a lifetime of
// records stay exact.
constexpr Yen kInputLimit = 999'999'999'999'999;

QString grouped(Yen v) {
    // Work on the magnitude as unsigned so that the most negative value is safe.
    quint64 m = v < 0 ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v);
    QString digits = QString::number(m);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

int digitValue(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'０' && c <= u'９') return c.unicode() - u'０';
    return -1;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'　';
}
} // namespace

Yen addYen(Yen a, Yen b) {
    Yen r;
    if (__builtin_add_overflow(a, b, &r)) return b > 0 ? kMax : kMin;
    return r;
}

Yen subYen(Yen a, Yen b) {
    Yen r;
    if (__builtin_sub_overflow(a, b, &r)) return b < 0 ? kMax : kMin;
    return r;
}

QString formatYenLabel(Yen v) {
    if (v == 0) return QStringLiteral("円");
    return (v < 0 ? QStringLiteral("-") : QString()) + grouped(v) + QStringLiteral("円");
}

QString formatYenGrid(Yen v) {
    return (v < 0 ? QStringLiteral("-") : QString()) + QChar(0x00A5) + grouped(v);
}

QString formatPlain(Yen v) {
    return QString::number(v);
}

namespace {
// The typed amount, or none; *tooLarge tells a well-formed amount above the
// limit from text that is no amount.
std::optional<Yen> readYenInput(const QString &text, bool *tooLarge) {
    *tooLarge = false;
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text.at(b)))
        ++b;
    while (e > b && isBlank(text.at(e - 1)))
        --e;
    QStringView s = QStringView(text).mid(b, e - b);
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'－')) {
        negative = true;
        s = s.mid(1);
    }
    if (s.startsWith(u'¥') || s.startsWith(u'￥') || s.startsWith(u'\\')) s = s.mid(1);
    if (s.endsWith(u'円')) s.chop(1);
    if (s.isEmpty()) return std::nullopt;

    const bool groupedForm = s.contains(u',') || s.contains(u'，');
    Yen value = 0;
    bool over = false;
    int digitsInGroup = 0;
    bool firstGroup = true;
    for (QChar c : s) {
        if (c == u',' || c == u'，') {
            if (!groupedForm || digitsInGroup == 0 ||
                (firstGroup ? digitsInGroup > 3 : digitsInGroup != 3))
                return std::nullopt;
            firstGroup = false;
            digitsInGroup = 0;
            continue;
        }
        const int d = digitValue(c);
        if (d < 0) return std::nullopt;
        // Past the limit the digits are only checked: the value is no amount.
        if (!over) value = value * 10 + d;
        over = over || value > kInputLimit;
        ++digitsInGroup;
    }
    if (groupedForm && digitsInGroup != 3) return std::nullopt;
    *tooLarge = over;
    if (over) return std::nullopt;
    return negative ? -value : value;
}
} // namespace

std::optional<Yen> parseYenInput(const QString &text) {
    bool tooLarge = false;
    return readYenInput(text, &tooLarge);
}

bool isYenInputTooLarge(const QString &text) {
    bool tooLarge = false;
    readYenInput(text, &tooLarge);
    return tooLarge;
}

Yen parseAmountField(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // The magnitude, saturated exactly at the limit of its sign.
    const quint64 limit = negative ? static_cast<quint64>(kMax) + 1 : static_cast<quint64>(kMax);
    quint64 whole = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<quint64>(text[i] - '0');
        whole = whole > (limit - digit) / 10 ? limit : whole * 10 + digit;
    }
    if (i < text.size() && text[i] == '.') {
        // Round the fraction half to even, as the money value of the writers does.
        const QByteArrayView frac = text.sliced(i + 1);
        int first = frac.isEmpty() || frac[0] < '0' || frac[0] > '9' ? 0 : frac[0] - '0';
        bool restNonZero = false;
        for (qsizetype k = 1; k < frac.size() && frac[k] >= '0' && frac[k] <= '9'; ++k)
            restNonZero |= frac[k] != '0';
        if ((first > 5 || (first == 5 && (restNonZero || (whole & 1)))) && whole < limit) ++whole;
    }
    if (!negative) return static_cast<Yen>(whole);
    return whole == limit ? kMin : -static_cast<Yen>(whole);
}

QString largestTypedYenLabel() {
    return formatYenLabel(kInputLimit);
}
