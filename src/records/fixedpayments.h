#pragma once
#include <QByteArrayView>
#include <QList>
#include <QString>

#include "records/book.h"
#include "records/fileops.h"
#include "records/money.h"
#include "records/records.h"

// 固定費.txt: one line per fixed monthly payment,
// "支払い先","費目",金額,日,"最終月" — the day of the month (1–31; past a
// month's end it means its last day) and the last month, yyyy/mm, in which
// the payment was entered or skipped (empty: never). A missing file means
// none; the Windows program sharing the folder does not read it.
struct FixedPayment {
    QString payee;
    QString category;
    Yen amount = 0;
    int day = 1;
    QString lastMonth;
    bool operator==(const FixedPayment &) const = default;
};
enum class FixedPaymentField { Payee, Category, Amount, Day, LastMonth, Count };

// The fixed payments in file order; a line without a payee, with an amount
// of 0 or less or a day outside 1–31 is none.
QList<FixedPayment> fixedPaymentsIn(QByteArrayView content);

// Writes them in the given order, then the file's lines that hold no
// payment, as they are. Refused before anything is written: text a line
// cannot hold, and a file that cannot be read or holds characters CP932
// lacks (a rewrite would lose them).
FileResult writeFixedPayments(const Book &book, const QList<FixedPayment> &payments);

// The file with the payee or category oldName renamed (a rename across the
// book); the plan has no name when no payment has it.
PlannedRewrite planRenameInFixedPayments(const Book &book, PaymentField field,
                                         const QString &oldName, const QString &newName);
