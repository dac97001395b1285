#include "records/openingincome.h"

#include "records/lineformat.h"

FileResult writeOpeningIncome(const Book &book, const IncomeRecord &opening) {
    LineBuilder b;
    b.text(opening.date).text(opening.reason).number(opening.amount);
    const auto line = b.finish();
    if (!line) return b.error();
    return book.rewrite(bookfile::incomes, *line);
}
