#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "book/bookmodel.h"
#include "records/money.h"

// The totals of the account book: every day and every month from the first
// day of the book to the last payment, one column per payee or per category of
// the master list and a last column "その他" for the names outside it.
// Payments only; 入金.txt serves only to find the first day.

enum class TotalsBreakdown { Payee, Category };
enum class TotalsPeriod { Day, Month };

// The name of the last key column.
inline const QString kOtherKey = QStringLiteral("その他");

// The key columns for a master list: its names in order, then "その他".
QStringList totalsKeys(const QStringList &master);

struct TotalsTable {
    TotalsPeriod period = TotalsPeriod::Day;
    QStringList keys;     // column keys, the last "その他"
    qint64 firstDay = 0;  // day number of the first day of the book
    int periods = 0;      // rows: days or months; 0 when the book has no payment
    QList<Yen> keyTotals; // [k] over all periods
    Yen grandTotal = 0;

    // All payments of period p (0-based); 0 for a period without records.
    Yen subtotal(int p) const;
    // Payments of period p for key k.
    Yen sum(int p, int k) const;
    // The period's label: yy/mm/dd for a day, YY/MM for a month.
    QString periodLabel(int p) const;

    // Only periods that hold a record have a row of sums: a book whose first
    // income lies centuries before its payments still costs one row per record.
    QHash<int, int> rowOf; // period → row of the sums below
    QList<Yen> rowSubtotals;
    QList<Yen> rowSums; // [row * keys.size() + k]
    bool operator==(const TotalsTable &) const = default;
};

struct Totals {
    TotalsTable days;
    TotalsTable months;
    bool operator==(const Totals &) const = default;
};

// Both tables of one breakdown from the contents of 入金.txt and データ.txt.
// A payment goes to every key column whose name equals its payee (or
// category); one that equals none goes to "その他". By payee the final
// "その他" key is compared too, so a payee "その他" counts in a master column
// "その他" and again in the final one; by category it is not.
Totals computeTotals(const BookModel &book, const QStringList &master, TotalsBreakdown breakdown);
// The same over the contents of 入金.txt and データ.txt.
Totals computeTotals(const QByteArray &incomes, const QByteArray &payments,
                     const QStringList &master, TotalsBreakdown breakdown);
