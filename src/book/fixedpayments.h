#pragma once
#include <QDate>
#include <QList>
#include <QString>

#include "records/fixedpayments.h"

// A fixed payment due this month and not yet entered or skipped.
struct DuePayment {
    int index = 0; // into the fixed payments
    QDate date;    // its day this month (a day past the month's end: the last day)
    bool operator==(const DuePayment &) const = default;
};

// The fixed payments due from the 1st of today's month up to today whose
// 最終月 is not this month, in date order (file order within a day).
QList<DuePayment> computeDuePayments(const QList<FixedPayment> &payments, QDate today);

// The payments with 最終月 set to today's month for every one offered,
// whether it was entered or skipped.
QList<FixedPayment> markOffered(QList<FixedPayment> payments, const QList<DuePayment> &offered,
                                QDate today);
// The same in the payments as the file holds them now, the ones offered
// found by value in offeredFrom: a payment another program added or moved
// while the offer was open keeps its place, and one it removed stays gone.
QList<FixedPayment> markOfferedIn(QList<FixedPayment> now, const QList<FixedPayment> &offeredFrom,
                                  const QList<DuePayment> &offered, QDate today);

// A fixed payment checked from what the user typed: the list with it added
// (at < 0) or put in place of the one at `at`, or the refusal.
struct FixedPaymentEdit {
    QList<FixedPayment> payments;
    QString title, text; // the refusal, empty when good
};
FixedPaymentEdit setFixedPayment(QList<FixedPayment> payments, int at, const QString &payee,
                                 const QString &category, const QString &amountTyped,
                                 const QString &dayTyped);
