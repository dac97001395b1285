#include "records/payments.h"

#include "records/cp932.h"
#include "records/insertion.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
using F = PaymentField;
constexpr int kFields = fieldIndex(F::Count);

PaymentRecord paymentOf(const RawFields &f) {
    return {cp932::decode(fieldAt(f, F::Date)),     cp932::decode(fieldAt(f, F::Payee)),
            cp932::decode(fieldAt(f, F::Category)), parseAmountField(fieldAt(f, F::Amount)),
            cp932::decode(fieldAt(f, F::Memo)),     cp932::decode(fieldAt(f, F::Reserved))};
}

std::optional<QByteArray> paymentLine(const PaymentRecord &r, FileResult *err) {
    LineBuilder b;
    b.text(r.date).text(r.payee).text(r.category).number(r.amount).text(r.memo).text(r.reserved);
    auto line = b.finish();
    if (!line) *err = b.error();
    return line;
}
} // namespace

QList<PaymentRecord> readPayments(const Book &book, const QString &name, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(name), error);
    QList<PaymentRecord> out;
    out.reserve(content.size() / 48);
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        out.append(paymentOf(f));
    return out;
}

std::optional<PaymentRecord> readFirstPayment(const Book &book, FileResult *error) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::payments), error);
    RawFields f;
    if (RawReader(content).next(f)) return paymentOf(f);
    return std::nullopt;
}

FileResult insertPayment(const Book &book, const PaymentRecord &rec, const QString &lastDate,
                         const QString &name, const QString &temp) {
    FileResult err;
    const auto line = paymentLine(rec, &err);
    if (!line) return err;
    return insertInDateOrder(book, name, temp, *line, rec.date, lastDate);
}

FileResult overwritePayments(const Book &book, const QList<PaymentRecord> &records) {
    QByteArray out;
    FileResult err;
    for (const PaymentRecord &r : records) {
        const auto line = paymentLine(r, &err);
        if (!line) return err;
        out.append(*line);
    }
    return book.rewrite(bookfile::payments, out);
}

PlannedRewrite planRenameInPayments(const Book &book, PaymentField field, const QString &oldName,
                                    const QString &newName) {
    PlannedRewrite plan{bookfile::payments, bookfile::paymentsRename, {}, {}};
    const auto newBytes = encodeText(newName, Shape::Quoted, &plan.error);
    if (!newBytes || !encodeText(oldName, Shape::Quoted, &plan.error)) return plan;
    if (plan.error = writeRefusal(book.pathOf(plan.name)); !plan.error.ok()) return plan;
    const FileContent read = book.read(bookfile::payments);
    if (plan.error = read.rewriteRefusal(); !plan.error.ok()) return plan;
    const int index = fieldIndex(field);
    NameMatcher isOld(oldName);
    RawFields f;
    plan.content = rewriteLines(read.bytes, [&](QByteArrayView line, QByteArray &out) {
        RawReader::split(line, f);
        if (!isOld(fieldAt(f, index))) return false;
        // A short record's missing fields are empty text and amount 0.
        while (f.size() < kFields)
            f.append(QByteArrayView());
        f[index] = *newBytes;
        appendCopied(out, f, kFields, fieldIndex(F::Amount));
        out.chop(2); // rewriteLines ends the line
        return true;
    });
    return plan;
}

FileResult renameInPayments(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName) {
    const PlannedRewrite plan = planRenameInPayments(book, field, oldName, newName);
    return plan.write(book);
}
