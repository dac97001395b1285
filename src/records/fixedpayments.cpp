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

// A line's payment, or none: no payee, an amount of 0 or less, a day outside 1–31.
std::optional<FixedPayment> paymentOf(const RawFields &f) {
    const Yen day = parseAmountField(fieldAt(f, F::Day));
    const FixedPayment p{
        cp932::decode(fieldAt(f, F::Payee)), cp932::decode(fieldAt(f, F::Category)),
        parseAmountField(fieldAt(f, F::Amount)), day >= 1 && day <= 31 ? static_cast<int>(day) : 0,
        cp932::decode(fieldAt(f, F::LastMonth))};
    if (p.payee.isEmpty() || p.amount <= 0 || p.day < 1) return std::nullopt;
    return p;
}

// Lines another program wrote, or ones to mend by hand, outlive every rewrite.
QByteArray linesOfNoPayment(QByteArrayView content) {
    return linesHoldingNone(content, [](const RawFields &f) { return paymentOf(f).has_value(); });
}
} // namespace

QList<FixedPayment> fixedPaymentsIn(QByteArrayView content) {
    QList<FixedPayment> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        if (const std::optional<FixedPayment> p = paymentOf(f)) out.append(*p);
    return out;
}

FileResult writeFixedPayments(const Book &book, const QList<FixedPayment> &payments) {
    // Written over a file read whole and in CP932 only: nothing of it is lost.
    const FileContent now = book.read(bookfile::fixedPayments);
    if (FileResult r = now.rewriteRefusal(); !r.ok()) return r;
    FileResult error;
    const auto bytes = fileBytes(payments, &error);
    return bytes ? book.rewrite(bookfile::fixedPayments, *bytes + linesOfNoPayment(now.bytes))
                 : error;
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
    if (const auto bytes = fileBytes(payments, &plan.error))
        plan.content = *bytes + linesOfNoPayment(read.bytes);
    return plan;
}
