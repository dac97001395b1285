#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "records/book.h"
#include "records/records.h"

// Why a write did not happen, for the message box of the calling handler.
// Nothing is written when a write is refused.
struct FileResult {
    QString title;
    QString message;
    bool ok() const { return message.isEmpty(); }
    static FileResult refused(QString title, QString message) { return {title, message}; }
};

// Whether every text can be stored in a quoted one-line field; the refusal
// names the first character that cannot.
FileResult checkFieldTexts(const QStringList &texts);

// --- Reading. A missing file reads as empty. ---
QList<PaymentRecord> readPayments(const Book &book, const QString &name = bookfile::payments);
std::optional<PaymentRecord> readFirstPayment(const Book &book);
QList<IncomeRecord> readIncomes(const Book &book);
QStringList readMaster(const Book &book, const QString &name);
QList<AssociationRecord> readAssociations(const Book &book);
std::optional<QString> categoryOfPayee(const Book &book, const QString &payee);
int readHelpFlag(const Book &book);
QString readUserName(const Book &book);
// The notes as stored, lines joined by CR LF, the final CR LF dropped.
QString readNotes(const Book &book);

// --- Writing ---
// Adds a record in date order: appended when its date is not before lastDate,
// else inserted through the file's temporary before the first later record.
FileResult insertPayment(const Book &book, const PaymentRecord &rec, const QString &lastDate,
                         const QString &name = bookfile::payments,
                         const QString &temp = bookfile::paymentsCopy);
FileResult insertIncome(const Book &book, const IncomeRecord &rec, const QString &lastDate);
FileResult overwritePayments(const Book &book, const QList<PaymentRecord> &records);
FileResult overwriteIncomes(const Book &book, const QList<IncomeRecord> &records);

FileResult appendMasterName(const Book &book, const QString &name, const QString &master);
FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names);

enum class PaymentField { Payee, Category };
// Renames a payee or category in every payment, then in its master list.
FileResult renameInPayments(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName);
FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName);

// Gives the payee's association records the category, or adds one.
FileResult saveAssociation(const Book &book, const QString &payee, const QString &category);

FileResult writeHelpFlag(const Book &book, int flag);
// The notes text with CR LF line breaks; stored followed by one CR LF.
FileResult writeNotes(const Book &book, const QString &text);
FileResult writeUserName(const Book &book, const QString &name);

FileResult truncateFile(const Book &book, const QString &name);
FileResult deleteFile(const Book &book, const QString &name);
FileResult copyFile(const Book &book, const QString &from, const QString &to);
