#include "book/rename.h"

#include "records/recordfiles.h"

QString masterOf(PaymentField field) {
    return field == PaymentField::Payee ? bookfile::payees : bookfile::categories;
}

FileResult renameEverywhere(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName) {
    if (const FileResult r = checkFieldTexts({oldName, newName}); !r.ok()) return r;
    if (const FileResult r = renameInPayments(book, field, oldName, newName); !r.ok()) return r;
    return renameInMaster(book, masterOf(field), oldName, newName);
}
