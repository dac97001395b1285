#include "book/daylist.h"

#include <string_view>

#include "records/cp932.h"
#include "records/rawrecords.h"

DayList computeDayList(const Book &book, const QString &date) {
    using F = PaymentField;
    DayList out;
    const QByteArray content = readFileBytes(book.pathOf(bookfile::payments));
    const QByteArray wanted = date.toLatin1();
    const std::string_view key(wanted.constData(), static_cast<size_t>(wanted.size()));
    RawReader reader(content);
    RawFields f;
    QByteArrayView line, last;
    bool first = true;
    for (int index = 0; reader.nextLine(&line); ++index) {
        RawReader::split(line, f, fieldsThrough(F::Date));
        const QByteArrayView d = fieldAt(f, F::Date);
        if (first) {
            out.firstPayDate = cp932::decode(d);
            first = false;
        }
        // Only the day's own records are split further and decoded.
        if (std::string_view(d.data(), static_cast<size_t>(d.size())) == key) {
            RawReader::split(line, f);
            const Yen amount = parseAmountField(fieldAt(f, F::Amount));
            out.rows.append({cp932::decode(fieldAt(f, F::Payee)),
                             cp932::decode(fieldAt(f, F::Category)),
                             amount,
                             {index, line.toByteArray()}});
            out.total = addYen(out.total, amount);
            RawReader::split(line, f, fieldsThrough(F::Date));
        }
        last = fieldAt(f, F::Date);
    }
    if (!first) out.lastPayDate = cp932::decode(last);
    return out;
}
