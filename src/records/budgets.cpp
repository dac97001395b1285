#include "records/budgets.h"

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
using F = BudgetField;

std::optional<QByteArray> budgetBytes(const QList<Budget> &budgets, FileResult *error) {
    return recordLines(
        budgets, [](LineBuilder &line, const Budget &b) { line.text(b.category).number(b.amount); },
        error);
}

bool hasCategory(const QList<Budget> &budgets, const QString &category) {
    return std::any_of(budgets.cbegin(), budgets.cend(),
                       [&](const Budget &b) { return b.category == category; });
}
} // namespace

QList<Budget> budgetsIn(QByteArrayView content) {
    QList<Budget> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        const Budget b{cp932::decode(fieldAt(f, F::Category)),
                       parseAmountField(fieldAt(f, F::Amount))};
        if (b.category.isEmpty() || b.amount <= 0) continue;
        if (!hasCategory(out, b.category)) out.append(b);
    }
    return out;
}

FileResult writeBudgets(const Book &book, const QList<Budget> &budgets) {
    FileResult error;
    const auto bytes = budgetBytes(budgets, &error);
    return bytes ? book.rewrite(bookfile::budgets, *bytes) : error;
}

PlannedRewrite planRenameInBudgets(const Book &book, const QString &oldName,
                                   const QString &newName) {
    PlannedRewrite plan{bookfile::budgets, {}, {}, {}};
    const FileContent read = book.read(bookfile::budgets);
    if (plan.error = read.rewriteRefusal(); !plan.error.ok()) return plan;
    const QList<Budget> budgets = budgetsIn(read.bytes);
    if (!hasCategory(budgets, oldName)) {
        plan.name.clear(); // nothing to rename
        return plan;
    }
    if (plan.error = writeRefusal(book.pathOf(plan.name)); !plan.error.ok()) return plan;
    // A name merged into one with a budget of its own takes that budget.
    const bool merged = hasCategory(budgets, newName);
    QList<Budget> renamed;
    for (Budget b : budgets) {
        if (b.category == oldName && merged) continue;
        if (b.category == oldName) b.category = newName;
        renamed.append(b);
    }
    if (const auto bytes = budgetBytes(renamed, &plan.error)) plan.content = *bytes;
    return plan;
}
