#pragma once
#include <QList>
#include <QString>
#include <optional>

#include "records/book.h"
#include "records/fileops.h"
#include "records/records.h"

// データ.txt, and 予測データ.txt laid out the same way.

// Every record; a missing file reads as empty. When the file cannot be read
// whole, *error (when given) says why and no record is returned.
QList<PaymentRecord> readPayments(const Book &book, const QString &name = bookfile::payments,
                                  FileResult *error = nullptr);
std::optional<PaymentRecord> readFirstPayment(const Book &book, FileResult *error = nullptr);

// Adds a record in date order: appended when its date is not before lastDate,
// else inserted through the file's temporary before the first later record.
FileResult insertPayment(const Book &book, const PaymentRecord &rec, const QString &lastDate,
                         const QString &name = bookfile::payments,
                         const QString &temp = bookfile::paymentsCopy);
FileResult overwritePayments(const Book &book, const QList<PaymentRecord> &records);

// Renames a payee (PaymentField::Payee) or category (PaymentField::Category)
// in every payment whose field reads as the old name (however its bytes spell
// it: ≒ is 81 E0 or NEC's 87 90); the caller then renames it in its master
// list. Every other line stays byte for byte.
PlannedRewrite planRenameInPayments(const Book &book, PaymentField field, const QString &oldName,
                                    const QString &newName);
FileResult renameInPayments(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName);
