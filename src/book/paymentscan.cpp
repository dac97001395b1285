#include "book/paymentscan.h"

#include <algorithm>

#include "book/datefield.h"
#include "records/rawrecords.h"

std::optional<qint64> dayNumberOf(QByteArrayView d) {
    const QDate date = dateOfField(d); // the held book reads dates the same way
    if (!date.isValid()) return std::nullopt;
    return date.toJulianDay();
}

int weekdayOf(qint64 day) {
    // Day number 0 was a Monday.
    return static_cast<int>(((day % 7) + 8) % 7);
}

QString weekdayLetter(int sundayFirst) {
    static const QString letters = QStringLiteral("日月火水木金土");
    return sundayFirst >= 0 && sundayFirst < 7 ? QString(letters.at(sundayFirst)) : QString();
}

BookSpan bookSpan(const BookModel &book) {
    const auto dated = [](const auto &r) { return r.day != kNoDay; };
    const QList<HeldPayment> &paid = book.payments().records();
    const auto first = std::find_if(paid.cbegin(), paid.cend(), dated);
    if (first == paid.cend()) return {};
    const auto last = std::find_if(paid.crbegin(), paid.crend(), dated);
    BookSpan span{first->day, last->day};
    const QList<HeldIncome> &incomes = book.incomes().records();
    if (const auto income = std::find_if(incomes.cbegin(), incomes.cend(), dated);
        income != incomes.cend())
        span.first = std::min<qint64>(span.first, income->day);
    return span;
}

int monthNumberOf(qint64 day) {
    const QDate d = QDate::fromJulianDay(day);
    return d.year() * 12 + d.month() - 1;
}

qint64 firstDayOfMonth(int monthNumber) {
    return QDate(monthNumber / 12, monthNumber % 12 + 1, 1).toJulianDay();
}
