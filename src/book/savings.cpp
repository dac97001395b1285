#include "book/savings.h"

#include <QByteArrayMatcher>
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
    // Only the lines that hold the word's bytes are split and decoded: the
    // search runs over the whole file at once.
    static const QByteArrayMatcher word(cp932::encode(kWord).value_or(QByteArray()));
    const char *const begin = payments.constData();
    const qsizetype size = payments.size();
    QList<SavingRow> rows;
    Yen total = 0;
    RawFields f;
    for (qsizetype at = word.indexIn(payments); at >= 0;) {
        // The line around the find: CR or LF end a line, as for the reader.
        qsizetype start = at, end = at;
        while (start > 0 && begin[start - 1] != '\n' && begin[start - 1] != '\r')
            --start;
        while (end < size && begin[end] != '\n' && begin[end] != '\r')
            ++end;
        RawReader::split(QByteArrayView(begin + start, end - start), f,
                         fieldsThrough(PaymentField::Amount));
        const QString payee = cp932::decode(fieldAt(f, PaymentField::Payee));
        const QString category = cp932::decode(fieldAt(f, PaymentField::Category));
        if (isSaving(payee, category)) {
            const Yen amount = parseAmountField(fieldAt(f, PaymentField::Amount));
            total = addYen(total, amount);
            rows.append(
                {cp932::decode(fieldAt(f, PaymentField::Date)), payee, category, amount, total});
        }
        at = word.indexIn(payments, end);
    }
    return rows;
}

QList<SavingRow> computeSavings(const Book &book) {
    return computeSavings(readFileBytes(book.pathOf(bookfile::payments)));
}
