#include "records/openingincome.h"

#include "records/lineformat.h"

FileResult writeOpeningIncome(const Book &book, const IncomeRecord &opening) {
    LineBuilder b;
    b.text(opening.date).text(opening.reason).number(opening.amount);
    const auto line = b.finish();
    if (!line) return b.error();
    const FileResult r = replaceAtomically(book.pathOf(bookfile::incomes), *line);
    if (r.ok()) book.replaced(bookfile::incomes, *line);
    return r;
}
