#include "records/byteordermark.h"

#include "records/cp932.h"

bool startsWithByteOrderMark(QByteArrayView b) {
    return b.startsWith("\xEF\xBB\xBF") || b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF");
}

QByteArray cp932FromByteOrderMarked(QByteArrayView b, QString *notCp932) {
    QString text;
    if (b.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(b.sliced(3));
    } else if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF")) {
        const bool big = b[0] == '\xFE';
        text.resize((b.size() - 2) / 2);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto hi = static_cast<unsigned char>(b[2 + 2 * i + (big ? 0 : 1)]);
            const auto lo = static_cast<unsigned char>(b[2 + 2 * i + (big ? 1 : 0)]);
            text[i] = QChar(static_cast<char16_t>((hi << 8) | lo));
        }
        if (b.size() % 2) text += QChar(QChar::ReplacementCharacter); // a cut-off unit
    } else {
        return b.toByteArray();
    }
    return cp932::encodeReplacing(text, notCp932);
}
