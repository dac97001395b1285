#include "records/fixedpayments.h"

#include "records/cp932.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
using F = FixedPaymentField;

std::optional<QByteArray> fileBytes(const QList<FixedPayment> &payments, FileResult *error) {
    return recordLines(
        payments,
        [](LineBuilder &line, const FixedPayment &p) {
            line.text(p.payee).text(p.category).number(p.amount).number(p.day).text(p.lastMonth);
        },
        error);
}
} // namespace

QList<FixedPayment> fixedPaymentsIn(QByteArrayView content) {
    QList<FixedPayment> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        const Yen day = parseAmountField(fieldAt(f, F::Day));
        const FixedPayment p{cp932::decode(fieldAt(f, F::Payee)),
                             cp932::decode(fieldAt(f, F::Category)),
                             parseAmountField(fieldAt(f, F::Amount)),
                             day >= 1 && day <= 31 ? static_cast<int>(day) : 0,
                             cp932::decode(fieldAt(f, F::LastMonth))};
        if (!p.payee.isEmpty() && p.amount > 0 && p.day >= 1) out.append(p);
    }
    return out;
}

FileResult writeFixedPayments(const Book &book, const QList<FixedPayment> &payments) {
    FileResult error;
    const auto bytes = fileBytes(payments, &error);
    return bytes ? book.rewrite(bookfile::fixedPayments, *bytes) : error;
}

PlannedRewrite planRenameInFixedPayments(const Book &book, PaymentField field,
                                         const QString &oldName, const QString &newName) {
    PlannedRewrite plan{bookfile::fixedPayments, {}, {}, {}};
    const FileContent read = book.read(bookfile::fixedPayments);
    if (plan.error = read.rewriteRefusal(); !plan.error.ok()) return plan;
    QList<FixedPayment> payments = fixedPaymentsIn(read.bytes);
    bool renamed = false;
    for (FixedPayment &p : payments) {
        QString &name = field == PaymentField::Payee ? p.payee : p.category;
        if (name != oldName) continue;
        name = newName;
        renamed = true;
    }
    if (!renamed) {
        plan.name.clear(); // nothing to rename
        return plan;
    }
    if (plan.error = writeRefusal(book.pathOf(plan.name)); !plan.error.ok()) return plan;
    if (const auto bytes = fileBytes(payments, &plan.error)) plan.content = *bytes;
    return plan;
}
