#include "book/fixedpayments.h"

#include <algorithm>

#include "book/entrychecks.h"
#include "records/lineformat.h"

namespace {
QString monthText(QDate day) {
    return day.toString(QStringLiteral("yyyy/MM"));
}
} // namespace

QList<DuePayment> computeDuePayments(const QList<FixedPayment> &payments, QDate today) {
    QList<DuePayment> due;
    if (!today.isValid()) return due;
    const QString month = monthText(today);
    for (int i = 0; i < payments.size(); ++i) {
        const FixedPayment &p = payments.at(i);
        if (p.lastMonth == month) continue;
        const QDate date(today.year(), today.month(), std::min(p.day, today.daysInMonth()));
        if (date <= today) due.append({i, date});
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const DuePayment &a, const DuePayment &b) { return a.date < b.date; });
    return due;
}

QList<FixedPayment> markOffered(QList<FixedPayment> payments, const QList<DuePayment> &offered,
                                QDate today) {
    for (const DuePayment &d : offered)
        if (d.index >= 0 && d.index < payments.size())
            payments[d.index].lastMonth = monthText(today);
    return payments;
}

QList<FixedPayment> markOfferedIn(QList<FixedPayment> now, const QList<FixedPayment> &offeredFrom,
                                  const QList<DuePayment> &offered, QDate today) {
    QList<bool> taken(now.size(), false);
    for (const DuePayment &d : offered) {
        if (d.index < 0 || d.index >= offeredFrom.size()) continue;
        for (qsizetype j = 0; j < now.size(); ++j) {
            if (taken[j] || now[j] != offeredFrom[d.index]) continue;
            taken[j] = true;
            now[j].lastMonth = monthText(today);
            break;
        }
    }
    return now;
}

FixedPaymentEdit setFixedPayment(QList<FixedPayment> payments, int at, const QString &payee,
                                 const QString &category, const QString &amountTyped,
                                 const QString &dayTyped) {
    const EntryCheck check = checkPayment(false, payee, category, amountTyped);
    if (!check.ok()) return {payments, check.title, check.text};
    if (check.amount <= 0)
        return {payments, QStringLiteral("金額異常"),
                QStringLiteral("固定費は1円以上で入力してください")};
    const std::optional<Yen> day = parseYenInput(dayTyped);
    if (!day || *day < 1 || *day > 31)
        return {payments, QStringLiteral("日付け異常"),
                QStringLiteral("日は1から31の数字で入力してください")};
    FixedPayment p{payee, category, check.amount, static_cast<int>(*day), {}};
    if (at >= 0 && at < payments.size()) {
        p.lastMonth = payments.at(at).lastMonth;
        payments[at] = p;
    } else {
        payments.append(p);
    }
    return {payments, {}, {}};
}
