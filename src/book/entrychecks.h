#pragma once
#include <QDate>
#include <QString>
#include <optional>

#include "records/money.h"

// The checks of the three entry panels (payment, income, cash at hand), in the
// order their messages appear. A refusal carries the message box's text and
// title; the handler shows it with the warning icon and writes nothing.
struct EntryCheck {
    Yen amount = 0; // the typed amount, when accepted
    QString text;   // empty when accepted
    QString title;
    bool ok() const { return text.isEmpty(); }
    static EntryCheck refused(const QString &text, const QString &title) {
        return {0, text, title};
    }
};

// A payment of the main page. The sample book refuses every payment first.
EntryCheck checkPayment(bool sampleMode, const QString &payee, const QString &category,
                        const QString &amountText);
// An income: a description, a positive amount and a book date (checkRecordDate).
EntryCheck checkIncome(const QString &reason, const QString &amountText, const QString &date);
// The cash counted in the purse, for the unaccounted money.
EntryCheck checkCash(const QString &cashText);

// The days a new record may carry: 1900/01/01 to 2100/12/31. A date far
// outside a lifetime is a slip of the keyboard (0024 for 2024).
bool isBookDate(QDate date);
// The date of a new record typed as yyyy/mm/dd, or the program's date message.
EntryCheck checkRecordDate(const QString &date);

// The refusal of an amount above the largest a box takes.
EntryCheck tooLarge();
// The typed amount, or the refusal of an empty box, of text that is no
// amount, or of an amount too large.
EntryCheck checkAmount(const QString &amountText);
