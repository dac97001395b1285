#include "book/reflection.h"

#include <string_view>

#include "book/datefield.h"
#include "records/cp932.h"
#include "records/dates.h"
#include "records/rawrecords.h"

namespace {
std::string_view sv(QByteArrayView v) {
    return {v.data(), static_cast<size_t>(v.size())};
}
} // namespace

QStringList computeReflectionMonths(const QByteArray &payments, QDate today) {
    RawReader reader(payments);
    RawFields f;
    QDate first;
    while (!first.isValid() && reader.next(f, fieldsThrough(PaymentField::Date)))
        first = dateOfField(fieldAt(f, PaymentField::Date));
    QStringList months;
    if (!first.isValid()) return months;
    for (QDate m(first.year(), first.month(), 1); m <= today; m = m.addMonths(1))
        months.append(dateText(m).left(7));
    return months;
}

QStringList computeReflectionMonths(const Book &book, QDate today) {
    return computeReflectionMonths(readFileBytes(book.pathOf(bookfile::payments)), today);
}

QList<ReflectionRow> computeMonthPayments(const QByteArray &payments, const QString &month) {
    QList<ReflectionRow> rows;
    const QByteArray wanted = month.toLatin1();
    RawReader reader(payments);
    RawFields f;
    QByteArrayView line;
    while (reader.nextLine(&line)) {
        RawReader::split(line, f, fieldsThrough(PaymentField::Date));
        const QByteArrayView date = fieldAt(f, PaymentField::Date);
        if (!isDateField(date)) continue;
        const std::string_view m = sv(date.first(7));
        if (m > sv(wanted)) break;
        if (m != sv(wanted)) continue;
        RawReader::split(line, f, fieldsThrough(PaymentField::Amount));
        rows.append({QString::fromLatin1(date), cp932::decode(fieldAt(f, PaymentField::Payee)),
                     cp932::decode(fieldAt(f, PaymentField::Category)),
                     parseAmountField(fieldAt(f, PaymentField::Amount))});
    }
    return rows;
}

QList<ReflectionRow> computeMonthPayments(const Book &book, const QString &month) {
    return computeMonthPayments(readFileBytes(book.pathOf(bookfile::payments)), month);
}
