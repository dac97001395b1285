#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "book/bookmodel.h"
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
