#include "book/rename.h"

#include "records/budgets.h"
#include "records/fixedpayments.h"
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
    // A category's budget keeps its name with it.
    const PlannedRewrite budgets = field == PaymentField::Category
                                       ? planRenameInBudgets(book, oldName, newName)
                                       : PlannedRewrite{};
    if (!budgets.error.ok()) return budgets.error;
    const PlannedRewrite fixed = planRenameInFixedPayments(book, field, oldName, newName);
    if (!fixed.error.ok()) return fixed.error;
    if (const FileResult r = payments.write(book); !r.ok()) return r;
    if (const FileResult r = master.write(book); !r.ok()) return r;
    for (const PlannedRewrite *plan : {&budgets, &fixed})
        if (!plan->name.isEmpty())
            if (const FileResult r = plan->write(book); !r.ok()) return r;
    return {};
}
