#include "book/rename.h"

#include "records/recordfiles.h"

QString masterOf(PaymentField field) {
    return field == PaymentField::Payee ? bookfile::payees : bookfile::categories;
}

FileResult renameEverywhere(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName) {
    if (const FileResult r = checkFieldTexts({oldName, newName}); !r.ok()) return r;
    // Both files are worked out before either is written: a master that
    // cannot be written back must not leave the payments renamed alone.
    const PlannedRewrite payments = planRenameInPayments(book, field, oldName, newName);
    if (!payments.error.ok()) return payments.error;
    const PlannedRewrite master = planRenameInMaster(book, masterOf(field), oldName, newName);
    if (!master.error.ok()) return master.error;
    if (const FileResult r = payments.write(book); !r.ok()) return r;
    return master.write(book);
}
