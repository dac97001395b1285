#include "book/paymentscan.h"

#include "records/rawrecords.h"

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<qint64> dayNumberOf(QByteArrayView d) {
    if (d.size() != 10 || d[4] != '/' || d[7] != '/') return std::nullopt;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(d[i])) return std::nullopt;
    auto num = [&](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i)
            v = v * 10 + (d[i] - '0');
        return v;
    };
    const QDate date(num(0, 4), num(5, 2), num(8, 2));
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

PaymentScan scanPayments(const BookModel &model) {
    PaymentScan scan;
    const HeldFile<HeldPayment> &payments = model.payments();
    scan.records.reserve(payments.size());
    scan.names.reserve(model.nameCount());
    for (qint32 id = 0; id < model.nameCount(); ++id)
        scan.names.append(model.name(id));
    qint32 lastDay = kNoDay;
    QByteArrayView date;
    RawFields f;
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const HeldPayment &p = payments.records().at(i);
        if (p.day == kNoDay) continue;
        if (p.day != lastDay) { // records come in runs of one date
            lastDay = p.day;
            RawReader::split(payments.line(i), f, kDateField + 1);
            date = fieldAt(f, kDateField);
        }
        scan.records.append({p.day, date, p.amount, p.payee, p.category});
    }
    return scan;
}

QList<qint64> scanIncomeDays(const BookModel &model) {
    QList<qint64> days;
    days.reserve(model.incomes().size());
    for (const HeldIncome &r : model.incomes().records())
        if (r.day != kNoDay) days.append(r.day);
    return days;
}

BookSpan bookSpan(const QList<qint64> &incomeDays, const PaymentScan &payments) {
    if (payments.records.isEmpty()) return {};
    BookSpan span{payments.records.first().day, payments.records.last().day};
    if (!incomeDays.isEmpty()) span.first = std::min(span.first, incomeDays.first());
    return span;
}

int monthNumberOf(qint64 day) {
    const QDate d = QDate::fromJulianDay(day);
    return d.year() * 12 + d.month() - 1;
}

qint64 firstDayOfMonth(int monthNumber) {
    return QDate(monthNumber / 12, monthNumber % 12 + 1, 1).toJulianDay();
}
