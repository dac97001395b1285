#include "book/balance.h"

#include "records/rawrecords.h"

namespace {
Yen sumAmounts(const QByteArray &content, int amountField) {
    Yen sum = 0;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f, amountField + 1))
        sum = addYen(sum, parseAmountField(fieldAt(f, amountField)));
    return sum;
}
} // namespace

Yen recordsBalance(const Book &book) {
    return subYen(
        sumAmounts(readFileBytes(book.pathOf(bookfile::incomes)), fieldIndex(IncomeField::Amount)),
        sumAmounts(readFileBytes(book.pathOf(bookfile::payments)),
                   fieldIndex(PaymentField::Amount)));
}
