#include "book/balance.h"

#include "records/rawrecords.h"

namespace {
Yen sumField(const QByteArray &content, int field) {
    Yen sum = 0;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f, field + 1))
        sum = addYen(sum, parseAmountField(fieldAt(f, field)));
    return sum;
}
} // namespace

Yen recordsBalance(const Book &book) {
    return subYen(sumField(readFileBytes(book.pathOf(bookfile::incomes)), 2),
                  sumField(readFileBytes(book.pathOf(bookfile::payments)), 3));
}
