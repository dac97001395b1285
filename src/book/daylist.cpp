#include "book/daylist.h"

#include "book/datefield.h"

DayList computeDayList(const BookModel &book, const QString &date) {
    DayList out;
    out.firstPayDate = book.firstPayDate();
    out.lastPayDate = book.lastPayDate();
    const QDate wanted = dateOfField(date.toLatin1());
    if (!wanted.isValid()) return out;
    const auto day = static_cast<qint32>(wanted.toJulianDay());
    const HeldFile<HeldPayment> &payments = book.payments();
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const HeldPayment &p = payments.records().at(i);
        if (p.day != day) continue;
        out.rows.append({book.name(p.payee),
                         book.name(p.category),
                         p.amount,
                         {static_cast<int>(i), payments.line(i).toByteArray()}});
        out.total = addYen(out.total, p.amount);
    }
    return out;
}
