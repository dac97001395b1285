#include "book/corrections.h"

#include "records/cp932.h"
#include "records/dates.h"
#include "records/lineformat.h"
#include "records/rawrecords.h"

namespace {
const QString kPaymentsTemp = QStringLiteral("データ修正.txt");
const QString kIncomesTemp = QStringLiteral("入金修正.txt");

QByteArrayView dateOf(QByteArrayView line) {
    RawFields f;
    RawReader::split(line, f, kDateField + 1);
    return fieldAt(f, kDateField);
}

// The offset just past a line's own line end (CR LF, LF or CR).
qsizetype pastLineEnd(const QByteArray &content, qsizetype end) {
    if (end < content.size() && content[end] == '\r') ++end;
    if (end < content.size() && content[end] == '\n') ++end;
    return end;
}

FileResult rewrite(const Book &book, const QString &name, const QString &temp, const RecordAt &at,
                   const QByteArray &newLine) {
    const FileContent read = book.read(name);
    // Never rewrite from a part of the file, or one with text CP932 cannot hold.
    if (FileResult r = read.rewriteRefusal(); !r.ok()) return r;
    const std::optional<QByteArray> content = rewriteRecord(read.bytes, at, newLine);
    if (!content) return changedUnderneath();
    return book.rewrite(name, *content, temp);
}
} // namespace

QList<RecordAt> recordLines(const QByteArray &content) {
    QList<RecordAt> out;
    RawReader reader(content);
    QByteArrayView line;
    while (reader.nextLine(&line))
        out.append({static_cast<int>(out.size()), line.toByteArray()});
    return out;
}

std::optional<QByteArray> rewriteRecord(const QByteArray &content, const RecordAt &at,
                                        const QByteArray &newLine) {
    // Find the record and the place of the first record of a later date.
    RawReader reader(content);
    QByteArrayView line;
    qsizetype start = -1, end = -1;
    const QByteArrayView newDate = newLine.isEmpty() ? QByteArrayView() : dateOf(newLine);
    const bool sameDate = newLine.isEmpty() || newDate == dateOf(at.line);
    qsizetype laterAt = -1;
    for (int i = 0; reader.nextLine(&line); ++i) {
        const qsizetype offset = line.data() - content.constData();
        if (i == at.index) {
            if (line != QByteArrayView(at.line)) return std::nullopt;
            start = offset;
            end = pastLineEnd(content, offset + line.size());
            continue;
        }
        if (!sameDate && laterAt < 0 && dateOf(line) > newDate) laterAt = offset;
    }
    if (start < 0) return std::nullopt;

    QByteArray out;
    out.reserve(content.size() + newLine.size() + 2);
    const auto withEnd = [&] {
        QByteArray l = newLine;
        endLine(l);
        return l;
    };
    if (newLine.isEmpty() || sameDate) {
        out.append(content.constData(), start);
        if (!newLine.isEmpty()) out.append(withEnd());
        out.append(content.constData() + end, content.size() - end);
        return out;
    }
    // Moved: the rest of the file without the record, the record at its new place.
    QByteArray rest = content.left(start) + content.mid(end);
    if (laterAt < 0) {
        if (!rest.isEmpty() && !rest.endsWith('\n') && !rest.endsWith('\r'))
            endLine(rest); // the last line lacked its line end
        return rest + withEnd();
    }
    const qsizetype insertAt = laterAt > start ? laterAt - (end - start) : laterAt;
    rest.insert(insertAt, withEnd());
    return rest;
}

PaymentRecord paymentOf(const RecordAt &at) {
    RawFields f;
    RawReader::split(at.line, f);
    const auto text = [&](PaymentField field) {
        return cp932::decode(fieldAt(f, fieldIndex(field)));
    };
    return {text(PaymentField::Date),
            text(PaymentField::Payee),
            text(PaymentField::Category),
            parseAmountField(fieldAt(f, fieldIndex(PaymentField::Amount))),
            text(PaymentField::Memo),
            text(PaymentField::Reserved)};
}

IncomeRecord incomeOf(const RecordAt &at) {
    RawFields f;
    RawReader::split(at.line, f);
    return {cp932::decode(fieldAt(f, fieldIndex(IncomeField::Date))),
            cp932::decode(fieldAt(f, fieldIndex(IncomeField::Reason))),
            parseAmountField(fieldAt(f, fieldIndex(IncomeField::Amount)))};
}

EntryCheck checkPaymentFix(bool sampleMode, const PaymentRecord &typed, const QString &amountText) {
    const EntryCheck check = checkPayment(sampleMode, typed.payee, typed.category, amountText);
    if (!check.ok()) return check;
    if (const EntryCheck d = checkRecordDate(typed.date); !d.ok()) return d;
    if (const FileResult r = checkFieldTexts({typed.memo}); !r.ok())
        return EntryCheck::refused(r.message, r.title);
    return check;
}

EntryCheck checkIncomeFix(const QList<RecordAt> &incomes, int index, const IncomeRecord &typed,
                          const QString &amountText, const QString &firstPayDate) {
    const EntryCheck check = checkIncome(typed.reason, amountText, typed.date);
    if (!check.ok()) return check;
    if (const FileResult r = checkFieldTexts({typed.reason}); !r.ok())
        return EntryCheck::refused(r.message, r.title);
    if (index == 0 && !firstPayDate.isEmpty() && typed.date > firstPayDate)
        return EntryCheck::refused(QStringLiteral("最初の入金はこの家計簿のスタートです。日付けを最"
                                                  "初の支払い（%1）より後にすることはできません")
                                       .arg(firstPayDate),
                                   QStringLiteral("日付け異常"));
    // A moved record lands after its new day's records: on the next income's
    // day the opening income would fall behind it. Only its own day stays.
    if (index == 0 && incomes.size() > 1) {
        const QString next = incomeOf(incomes.at(1)).date;
        const bool moved = typed.date != incomeOf(incomes.at(0)).date;
        if (typed.date > next || (moved && typed.date == next))
            return EntryCheck::refused(QStringLiteral("最初の入金はこの家計簿のスタートです。日付け"
                                                      "は次の入金（%1）より前にしてください")
                                           .arg(next),
                                       QStringLiteral("日付け異常"));
    }
    if (index > 0 && !incomes.isEmpty() && typed.date < incomeOf(incomes.first()).date)
        return EntryCheck::refused(
            QStringLiteral("スタートの入金（%1）より前の日付けにはできません")
                .arg(incomeOf(incomes.first()).date),
            QStringLiteral("日付け異常"));
    return check;
}

FileResult changedUnderneath() {
    return FileResult::refused(
        QStringLiteral("修正できません"),
        QStringLiteral("データが変更されています。もう一度開き直してください。"));
}

FileResult correctPayment(const Book &book, const RecordAt &at, const PaymentRecord &fixed) {
    LineBuilder b;
    b.text(fixed.date).text(fixed.payee).text(fixed.category).number(fixed.amount);
    b.text(fixed.memo).text(fixed.reserved);
    const std::optional<QByteArray> line = b.finish();
    if (!line) return b.error();
    return rewrite(book, bookfile::payments, kPaymentsTemp, at, line->chopped(2));
}

FileResult deletePayment(const Book &book, const RecordAt &at) {
    return rewrite(book, bookfile::payments, kPaymentsTemp, at, {});
}

FileResult correctIncome(const Book &book, const RecordAt &at, const IncomeRecord &fixed) {
    LineBuilder b;
    b.text(fixed.date).text(fixed.reason).number(fixed.amount);
    const std::optional<QByteArray> line = b.finish();
    if (!line) return b.error();
    return rewrite(book, bookfile::incomes, kIncomesTemp, at, line->chopped(2));
}

FileResult deleteIncome(const Book &book, const RecordAt &at) {
    return rewrite(book, bookfile::incomes, kIncomesTemp, at, {});
}
