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
    while (!first.isValid() && reader.next(f, 1))
        first = dateOfField(fieldAt(f, 0));
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
        RawReader::split(line, f, 1);
        const QByteArrayView date = fieldAt(f, 0);
        if (!isDateField(date)) continue;
        const std::string_view m = sv(date.first(7));
        if (m > sv(wanted)) break;
        if (m != sv(wanted)) continue;
        RawReader::split(line, f, 4);
        rows.append({QString::fromLatin1(date), cp932::decode(fieldAt(f, 1)),
                     cp932::decode(fieldAt(f, 2)), parseAmountField(fieldAt(f, 3))});
    }
    return rows;
}

QList<ReflectionRow> computeMonthPayments(const Book &book, const QString &month) {
    return computeMonthPayments(readFileBytes(book.pathOf(bookfile::payments)), month);
}
