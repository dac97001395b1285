#pragma once
#include <QDate>
#include <QList>
#include <QString>

#include "book/bookmodel.h"
#include "records/budgets.h"

// What is left of a category's budget in the month of a day, for the label
// lblYosan beside the amount box while a payment is entered.
struct BudgetLeft {
    bool shown = false; // the category has a budget
    Yen budget = 0;
    Yen spent = 0; // every payment of the category in the month, before and after the day
    QString text; // "予算残り 12,340円", or "予算超過 1,230円" once spent passes the budget
    bool over = false; // spent > budget: shown on the page's "behind the pace" pink
    bool operator==(const BudgetLeft &) const = default;
};
BudgetLeft computeBudgetLeft(const BookModel &book, const QList<Budget> &budgets,
                             const QString &category, QDate day); // category as typed

// One row of the budget view of the totals page: a budgeted category in
// the month, in the order of the budgets file.
struct BudgetRow {
    QString category;
    Yen budget = 0;
    Yen spent = 0;
    Yen left = 0;    // budget − spent; below 0 when over
    int percent = 0; // spent as a whole percentage of the budget, rounded down, at least 0
    bool over = false;
    bool operator==(const BudgetRow &) const = default;
};
struct BudgetView {
    QList<BudgetRow> rows;
    Yen top = 1; // axis ceiling of the highest budget or spending (axisCeiling)
    bool operator==(const BudgetView &) const = default;
};
BudgetView computeBudgetView(const BookModel &book, const QList<Budget> &budgets, QDate month);

// The budgets with the category's budget set from what the user typed (a
// new category goes at the end), or the refusal for a bad amount.
struct BudgetEdit {
    QList<Budget> budgets;
    QString title, text; // the refusal, empty when the edit is good
};
BudgetEdit setBudget(QList<Budget> budgets, const QString &category, const QString &typed);
QList<Budget> removeBudget(QList<Budget> budgets, const QString &category);
