#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "book/bookmodel.h"
#include "book/monthsummary.h" // Wide
#include "records/money.h"

// The months one can look back on: "yyyy/mm" from the month of the first
// payment to today's month, oldest first, also months without records.
// Empty when データ.txt holds no dated payment or when it begins after today.
QStringList computeReflectionMonths(const QByteArray &payments, QDate today);
QStringList computeReflectionMonths(const BookModel &book, QDate today);

// One payment of the month under reflection.
struct ReflectionRow {
    QString date; // yyyy/mm/dd
    QString payee;
    QString category;
    Yen amount = 0;
    bool operator==(const ReflectionRow &) const = default;
};

// The payments of month "yyyy/mm" in file order. The file is in date order,
// so reading stops at the first payment of a later month.
QList<ReflectionRow> computeMonthPayments(const QByteArray &payments, const QString &month);
QList<ReflectionRow> computeMonthPayments(const BookModel &book, const QString &month);

// The payments of the month under reflection with the ones the user marked as
// money that could have been saved, and the sum of the marked ones.
class ReflectionMarks {
public:
    ReflectionMarks() = default;
    explicit ReflectionMarks(QList<Yen> amounts);
    // Marks an unmarked row or unmarks a marked one (rows from 0); false, and
    // nothing changes, for a row the month does not have.
    bool toggle(qsizetype row);
    bool isMarked(qsizetype row) const { return m_marked.value(row, false); }
    // The marked amounts, added and taken away one by one as they were marked;
    // kept exact and shown saturated, so that it always is the sum of the
    // rows marked, whatever amounts a file holds.
    Yen total() const;

private:
    QList<Yen> m_amounts;
    QList<bool> m_marked;
    Wide m_total = 0;
};
