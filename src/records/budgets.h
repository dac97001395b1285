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

// Whether two names are one category: as typed (〜) and as stored (～).
bool sameCategory(const QString &a, const QString &b);

// The budgets in file order; a line without a category or with an amount
// of 0 or less is no budget. A category given twice keeps its first line.
QList<Budget> budgetsIn(QByteArrayView content);

// Writes the budgets in the given order, then the file's lines that hold
// no budget, as they are. Refused before anything is written: text a line
// cannot hold, and a file that cannot be read or holds characters CP932
// lacks (a rewrite would lose them).
FileResult writeBudgets(const Book &book, const QList<Budget> &budgets);

// The file with every budget of oldName given to newName, worked out
// before anything is written (a rename across the book); no budget of
// oldName, or a new name that is the old one, leaves the plan without a
// name (nothing to write).
PlannedRewrite planRenameInBudgets(const Book &book, const QString &oldName,
                                   const QString &newName);
