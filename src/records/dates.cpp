#include "records/dates.h"

QString dateText(QDate date) {
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QDate parseDateText(const QString &text) {
    if (text.size() != 10 || text.at(4) != u'/' || text.at(7) != u'/') return {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text.at(i) < u'0' || text.at(i) > u'9') return {};
    return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
}
