#include "book/savings.h"

#include <algorithm>
#include <limits>

#include "book/monthsummary.h"
#include "records/cp932.h"
#include "records/rawrecords.h"

namespace {
const QString kWord = QStringLiteral("貯金");

// Ceilings of the magnitudes on both sides of 0.
void scale(Yen low, Yen high, Yen *axisLow, Yen *axisHigh) {
    *axisHigh = axisCeiling(std::max<Yen>(high, 0));
    *axisLow =
        low < 0 ? -axisCeiling(low == std::numeric_limits<Yen>::min() ? -(low + 1) : -low) : 0;
}
} // namespace

SavingsScale savingsScale(const QList<SavingRow> &rows) {
    Yen totalMin = 0, totalMax = 0, savingMin = 0, savingMax = 0;
    for (const SavingRow &r : rows) {
        totalMin = std::min(totalMin, r.total);
        totalMax = std::max(totalMax, r.total);
        savingMin = std::min(savingMin, r.amount);
        savingMax = std::max(savingMax, r.amount);
    }
    SavingsScale s;
    scale(totalMin, totalMax, &s.totalLow, &s.totalHigh);
    scale(savingMin, savingMax, &s.savingLow, &s.savingHigh);
    return s;
}

bool isSaving(const QString &payee, const QString &category) {
    return payee.contains(kWord) || category.contains(kWord);
}

QList<SavingRow> computeSavings(const QByteArray &payments) {
    // The word's bytes must occur in the line before its fields are decoded.
    static const QByteArray wordBytes = cp932::encode(kWord).value_or(QByteArray());
    QList<SavingRow> rows;
    Yen total = 0;
    RawReader reader(payments);
    QByteArrayView line;
    RawFields f;
    while (reader.nextLine(&line)) {
        if (!line.contains(wordBytes)) continue;
        RawReader::split(line, f, fieldsThrough(PaymentField::Amount));
        const QString payee = cp932::decode(fieldAt(f, PaymentField::Payee));
        const QString category = cp932::decode(fieldAt(f, PaymentField::Category));
        if (!isSaving(payee, category)) continue;
        const Yen amount = parseAmountField(fieldAt(f, PaymentField::Amount));
        total = addYen(total, amount);
        rows.append(
            {cp932::decode(fieldAt(f, PaymentField::Date)), payee, category, amount, total});
    }
    return rows;
}

QList<SavingRow> computeSavings(const Book &book) {
    return computeSavings(readFileBytes(book.pathOf(bookfile::payments)));
}
