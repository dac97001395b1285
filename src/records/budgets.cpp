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

// A line's budget, or none: no category, or an amount of 0 or less.
std::optional<Budget> budgetOf(const RawFields &f) {
    const Budget b{cp932::decode(fieldAt(f, F::Category)), parseAmountField(fieldAt(f, F::Amount))};
    if (b.category.isEmpty() || b.amount <= 0) return std::nullopt;
    return b;
}

// Lines another program wrote, or ones to mend by hand, outlive every rewrite.
QByteArray linesOfNoBudget(QByteArrayView content) {
    return linesHoldingNone(content, [](const RawFields &f) { return budgetOf(f).has_value(); });
}
} // namespace

bool sameCategory(const QString &a, const QString &b) {
    return a == b || cp932::normalize(a) == cp932::normalize(b);
}

QList<Budget> budgetsIn(QByteArrayView content) {
    QList<Budget> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        const std::optional<Budget> b = budgetOf(f);
        if (b && std::none_of(out.cbegin(), out.cend(), [&](const Budget &kept) {
                return sameCategory(kept.category, b->category);
            }))
            out.append(*b);
    }
    return out;
}

FileResult writeBudgets(const Book &book, const QList<Budget> &budgets) {
    // Written over a file read whole and in CP932 only: nothing of it is lost.
    const FileContent now = book.read(bookfile::budgets);
    if (FileResult r = now.rewriteRefusal(); !r.ok()) return r;
    FileResult error;
    const auto bytes = budgetBytes(budgets, &error);
    return bytes ? book.rewrite(bookfile::budgets, *bytes + linesOfNoBudget(now.bytes)) : error;
}

PlannedRewrite planRenameInBudgets(const Book &book, const QString &oldName,
                                   const QString &newName) {
    PlannedRewrite plan{bookfile::budgets, {}, {}, {}};
    const FileContent read = book.read(bookfile::budgets);
    if (plan.error = read.rewriteRefusal(); !plan.error.ok()) return plan;
    const QList<Budget> budgets = budgetsIn(read.bytes);
    const auto has = [&](const QString &name) {
        return std::any_of(budgets.cbegin(), budgets.cend(),
                           [&](const Budget &b) { return sameCategory(b.category, name); });
    };
    if (!has(oldName) || sameCategory(oldName, newName)) {
        plan.name.clear(); // nothing to rename
        return plan;
    }
    if (plan.error = writeRefusal(book.pathOf(plan.name)); !plan.error.ok()) return plan;
    // A name merged into one with a budget of its own takes that budget.
    const bool merged = has(newName);
    QList<Budget> renamed;
    for (Budget b : budgets) {
        const bool renaming = sameCategory(b.category, oldName);
        if (renaming && merged) continue;
        if (renaming) b.category = newName;
        renamed.append(b);
    }
    if (const auto bytes = budgetBytes(renamed, &plan.error))
        plan.content = *bytes + linesOfNoBudget(read.bytes);
    return plan;
}
