#include "records/incomes.h"

#include "records/cp932.h"
#include "records/insertion.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
using F = IncomeField;
} // namespace

QList<IncomeRecord> readIncomes(const Book &book, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::incomes), error);
    QList<IncomeRecord> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        out.append({cp932::decode(fieldAt(f, F::Date)), cp932::decode(fieldAt(f, F::Reason)),
                    parseAmountField(fieldAt(f, F::Amount))});
    return out;
}

FileResult insertIncome(const Book &book, const IncomeRecord &rec, const QString &lastDate) {
    LineBuilder b;
    b.text(rec.date).text(rec.reason).number(rec.amount);
    const auto line = b.finish();
    if (!line) return b.error();
    return insertInDateOrder(book, bookfile::incomes, bookfile::incomesCopy, *line, rec.date,
                             lastDate);
}
