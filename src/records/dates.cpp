#include "records/dates.h"

QString dateText(QDate date) {
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d); // one calendar conversion, not three
    if (y < 0 || y > 9999)    // no four-digit year: formatted the long way
        return QStringLiteral("%1/%2/%3")
            .arg(y, 4, 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(d, 2, 10, QLatin1Char('0'));
    // Written digit by digit: pages format one date per day of a long book.
    const char16_t text[] = {char16_t(u'0' + y / 1000),
                             char16_t(u'0' + y / 100 % 10),
                             char16_t(u'0' + y / 10 % 10),
                             char16_t(u'0' + y % 10),
                             u'/',
                             char16_t(u'0' + m / 10),
                             char16_t(u'0' + m % 10),
                             u'/',
                             char16_t(u'0' + d / 10),
                             char16_t(u'0' + d % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

QDate parseDateText(const QString &text) {
    if (text.size() != 10 || text.at(4) != u'/' || text.at(7) != u'/') return {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text.at(i) < u'0' || text.at(i) > u'9') return {};
    return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
}
