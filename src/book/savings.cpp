#include "book/savings.h"

#include <algorithm>
#include <limits>

#include "book/monthsummary.h"

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
    return computeSavings(BookModel::fromBytes(payments));
}

QList<SavingRow> computeSavings(const BookModel &book) {
    // Whether each distinct name holds the word, decided once per name.
    QList<bool> holdsWord(book.nameCount());
    for (qint32 id = 0; id < book.nameCount(); ++id)
        holdsWord[id] = book.name(id).contains(kWord);
    const HeldFile<HeldPayment> &payments = book.payments();
    QList<SavingRow> rows;
    Yen total = 0;
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const HeldPayment &p = payments.records().at(i);
        if (!holdsWord.at(p.payee) && !holdsWord.at(p.category)) continue;
        total = addYen(total, p.amount);
        rows.append(
            {payments.dateText(i), book.name(p.payee), book.name(p.category), p.amount, total});
    }
    return rows;
}
