#pragma once
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"
#include "records/money.h"

// 予算.txt: one line per category, "費目",金額 — the monthly budget in whole
// yen, greater than 0. A missing file means no budgets; the Windows program
// sharing the folder does not read it.
struct Budget {
    QString category;
    Yen amount = 0;
    bool operator==(const Budget &) const = default;
};

// The budgets in file order; a line without a category or with an amount
// of 0 or less is no budget. A category given twice keeps its first line.
QList<Budget> budgetsIn(QByteArrayView content);

// Writes the budgets whole, in the given order; text a line cannot hold is
// refused before anything is written.
FileResult writeBudgets(const Book &book, const QList<Budget> &budgets);

// The file with every budget of oldName given to newName, worked out
// before anything is written (a rename across the book); no budget of
// oldName leaves the plan without a name (nothing to write).
PlannedRewrite planRenameInBudgets(const Book &book, const QString &oldName,
                                   const QString &newName);
