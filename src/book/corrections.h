#pragma once
#include <QByteArray>
#include <QList>
#include <optional>

#include "book/entrychecks.h"
#include "records/book.h"
#include "records/fileops.h"
#include "records/records.h"

// Correcting a payment or an income after it was saved. A record is named by
// where it stood when the user picked it: its position among the file's
// records and the very bytes of its line. If the file no longer holds that
// line there, it changed underneath and nothing is written.
struct RecordAt {
    int index = -1;  // 0-based among the lines that hold a record
    QByteArray line; // the line as read, without its line end
    bool operator==(const RecordAt &) const = default;
};

// Every record line of a file, in file order.
QList<RecordAt> recordLines(const QByteArray &content);

// The file with the record replaced by newLine (no line end), or removed when
// newLine is empty; every other line byte for byte. A record whose date stays
// keeps its place; one with a new date moves before the first record of a
// later date (after the records of its new day). nullopt when the file no
// longer holds `at`.
std::optional<QByteArray> rewriteRecord(const QByteArray &content, const RecordAt &at,
                                        const QByteArray &newLine);

// The record a line holds, as the correction dialog shows it.
PaymentRecord paymentOf(const RecordAt &at);
IncomeRecord incomeOf(const RecordAt &at);

// The correction dialogs' checks, in the order of their messages. A payment:
// the payment entry's checks, then a real date. An income: the income entry's
// checks; the opening income (index 0) may not move after the first payment
// and no other income before it, so the book keeps its start day.
EntryCheck checkPaymentFix(bool sampleMode, const PaymentRecord &typed, const QString &amountText);
EntryCheck checkIncomeFix(const QList<RecordAt> &incomes, int index, const IncomeRecord &typed,
                          const QString &amountText, const QString &firstPayDate);

// The text of "データが変更されています…" with its title.
FileResult changedUnderneath();

// One atomic rewrite of データ.txt through データ修正.txt.
FileResult correctPayment(const Book &book, const RecordAt &at, const PaymentRecord &fixed);
FileResult deletePayment(const Book &book, const RecordAt &at);
// The same for 入金.txt through 入金修正.txt.
FileResult correctIncome(const Book &book, const RecordAt &at, const IncomeRecord &fixed);
FileResult deleteIncome(const Book &book, const RecordAt &at);
