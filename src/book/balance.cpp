#include "book/balance.h"

namespace {
template <typename Record> Yen sumAmounts(const QList<Record> &records) {
    Yen sum = 0;
    for (const Record &r : records)
        sum = addYen(sum, r.amount);
    return sum;
}
} // namespace

Yen recordsBalance(const BookModel &book) {
    return subYen(sumAmounts(book.incomes().records()), sumAmounts(book.payments().records()));
}
