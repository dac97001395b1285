#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include "book/bookmodel.h"
#include "records/money.h"

// A saving is a payment whose payee or category holds the word "貯金" (the
// comment does not count); the savings page lists them with their running total.
struct SavingRow {
    QString date; // as stored
    QString payee;
    QString category;
    Yen amount = 0;
    Yen total = 0; // this and every earlier saving
    bool operator==(const SavingRow &) const = default;
};

// The value ranges of the savings chart: from 0, or from below the lowest
// negative value, to the axis ceiling of the highest value.
struct SavingsScale {
    Yen totalLow = 0, totalHigh = 1;
    Yen savingLow = 0, savingHigh = 1;
};
SavingsScale savingsScale(const QList<SavingRow> &rows);

bool isSaving(const QString &payee, const QString &category);

// Every saving of データ.txt in file order, each record once.
QList<SavingRow> computeSavings(const QByteArray &payments);
QList<SavingRow> computeSavings(const BookModel &book);
