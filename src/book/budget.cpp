#include "book/budget.h"

#include <QHash>
#include <algorithm>
#include <limits>

#include "book/entrychecks.h"
#include "book/monthsummary.h"
#include "records/cp932.h"
#include "records/lineformat.h"

namespace {
// The day numbers of the first and the last day of the month of day.
std::pair<qint32, qint32> monthDays(QDate day) {
    const QDate first(day.year(), day.month(), 1);
    return {static_cast<qint32>(first.toJulianDay()),
            static_cast<qint32>(first.addMonths(1).addDays(-1).toJulianDay())};
}

// The payments of each category in the month, by name id: one pass over the book.
QHash<qint32, Yen> spentByCategory(const BookModel &book, QDate month) {
    const auto [first, last] = monthDays(month);
    QHash<qint32, Yen> spent;
    for (const HeldPayment &p : book.payments().records())
        if (p.day >= first && p.day <= last)
            spent[p.category] = addYen(spent[p.category], p.amount);
    return spent;
}

Yen spentOn(const BookModel &book, const QHash<qint32, Yen> &spent, const QString &category) {
    Yen sum = 0;
    // A name can have several ids only if its bytes differ (≒ stored two ways).
    for (auto it = spent.cbegin(); it != spent.cend(); ++it)
        if (book.name(it.key()) == category) sum = addYen(sum, it.value());
    return sum;
}

int percentOf(Yen spent, Yen budget) {
    if (spent <= 0) return 0;
    // spent / budget × 100 without overflow, rounded down.
    const Yen whole = spent / budget, part = spent % budget;
    constexpr Yen kMax = std::numeric_limits<int>::max();
    if (whole >= kMax / 100) return static_cast<int>(kMax);
    return static_cast<int>(std::min(kMax, whole * 100 + part * 100 / budget));
}
} // namespace

BudgetLeft computeBudgetLeft(const BookModel &book, const QList<Budget> &budgets,
                             const QString &typed, QDate day) {
    // As the save will store it (〜 is kept as ～).
    const QString category = cp932::normalize(typed);
    const auto budget = std::find_if(budgets.cbegin(), budgets.cend(),
                                     [&](const Budget &b) { return b.category == category; });
    if (budget == budgets.cend() || !day.isValid()) return {};
    BudgetLeft out;
    out.shown = true;
    out.budget = budget->amount;
    out.spent = spentOn(book, spentByCategory(book, day), category);
    out.over = out.spent > out.budget;
    const Yen left = out.over ? subYen(out.spent, out.budget) : subYen(out.budget, out.spent);
    out.text = (out.over ? QStringLiteral("予算超過 ") : QStringLiteral("予算残り ")) +
               (left == 0 ? QStringLiteral("0円") : formatYenLabel(left));
    return out;
}

BudgetView computeBudgetView(const BookModel &book, const QList<Budget> &budgets, QDate month) {
    BudgetView view;
    QList<BudgetRow> &rows = view.rows;
    if (!month.isValid()) return view;
    const QHash<qint32, Yen> spent = spentByCategory(book, month);
    for (const Budget &b : budgets) {
        BudgetRow r{b.category, b.amount, spentOn(book, spent, b.category), 0, 0, false};
        r.left = subYen(r.budget, r.spent);
        r.percent = percentOf(r.spent, r.budget);
        r.over = r.spent > r.budget;
        rows.append(r);
        view.top = std::max(view.top, axisCeiling(std::max(r.budget, r.spent)));
    }
    return view;
}

BudgetEdit setBudget(QList<Budget> budgets, const QString &category, const QString &typed) {
    if (category.isEmpty())
        return {budgets, QStringLiteral("費目未入力"), QStringLiteral("費目が指定されていません")};
    const EntryCheck amount = checkAmount(typed);
    if (!amount.ok()) return {budgets, amount.title, amount.text};
    if (amount.amount <= 0)
        return {budgets, QStringLiteral("予算額異常"),
                QStringLiteral("予算は1円以上で入力してください")};
    if (const FileResult r = checkFieldTexts({category}); !r.ok())
        return {budgets, r.title, r.message};
    const auto it = std::find_if(budgets.begin(), budgets.end(), [&](const Budget &b) {
        return sameCategory(b.category, category);
    });
    if (it != budgets.end())
        it->amount = amount.amount;
    else
        budgets.append({category, amount.amount});
    return {budgets, {}, {}};
}

QList<Budget> removeBudget(QList<Budget> budgets, const QString &category) {
    budgets.removeIf([&](const Budget &b) { return sameCategory(b.category, category); });
    return budgets;
}
