#pragma once
#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Record lines for the analysis page tests.
inline QString payLine(const QString &date, const QString &payee, const QString &category,
                       qint64 amount) {
    return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"\",\"\"\r\n")
        .arg(date, payee, category)
        .arg(amount);
}

inline QString incomeLine(const QString &date, qint64 amount) {
    return QStringLiteral("\"%1\",\"入金\",%2\r\n").arg(date).arg(amount);
}

inline QString dayText(QDate d) {
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}

// One payment a day from `from` for `days` days.
inline QString dailyPayments(QDate from, int days, const QString &payee = QStringLiteral("駅"),
                             const QString &category = QStringLiteral("交通費")) {
    QString out;
    for (int i = 0; i < days; ++i)
        out += payLine(dayText(from.addDays(i)), payee, category, 100 + i);
    return out;
}

// A generated book for the randomised checks.
struct GeneratedRecord {
    QDate date;
    QString payee, category;
    qint64 amount;
};

inline QList<GeneratedRecord> generateRecords(QDate first, int count, const QStringList &payees,
                                              const QStringList &categories) {
    auto *rng = QRandomGenerator::global();
    QList<GeneratedRecord> out;
    QDate d = first;
    for (int i = 0; i < count; ++i) {
        if (rng->bounded(3) == 0) d = d.addDays(1 + rng->bounded(2));
        out.append({d, payees.at(rng->bounded(payees.size())),
                    categories.at(rng->bounded(categories.size())),
                    static_cast<qint64>(rng->bounded(4000)) - 300});
    }
    return out;
}

inline QString recordLines(const QList<GeneratedRecord> &records) {
    QString out;
    for (const GeneratedRecord &r : records)
        out += payLine(dayText(r.date), r.payee, r.category, r.amount);
    return out;
}

// Grid money text, built independently of the program's formatter.
inline QString yen(qint64 v) {
    QString digits = QString::number(v < 0 ? -v : v);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return (v < 0 ? QStringLiteral("-") : QString()) + QChar(0x00A5) + digits;
}
