#pragma once
#include <QList>
#include <QString>

#include "records/money.h"

// One line of データ.txt (and of 予測データ.txt).
struct PaymentRecord {
    QString date;
    QString payee;
    QString category;
    Yen amount = 0;
    QString memo;
    QString reserved;
    bool operator==(const PaymentRecord &) const = default;
};
using ForecastRecord = PaymentRecord;

// One line of 入金.txt.
struct IncomeRecord {
    QString date;
    QString reason;
    Yen amount = 0;
    bool operator==(const IncomeRecord &) const = default;
};

// One line of 関連.TXT: the category last used with a payee.
struct AssociationRecord {
    QString payee;
    QString category;
};

// The position of each field in its line; Count is the number of fields a
// record is written with. Scans name the fields they read by these.
enum class PaymentField { Date, Payee, Category, Amount, Memo, Reserved, Count };
enum class IncomeField { Date, Reason, Amount, Count };
enum class AssociationField { Payee, Category, Count };
enum class BudgetField { Category, Amount, Count };
// 設定.txt: "ヘルプツアー",flag. ﾌﾟﾗｲﾍﾞｰﾄ.txt: "氏名","name".
enum class SettingsField { Label, HelpFlag, Count };
enum class UserNameField { Label, Name, Count };

template <typename Field> constexpr int fieldIndex(Field f) {
    return static_cast<int>(f);
}
// How many fields a scan splits to reach the field.
template <typename Field> constexpr int fieldsThrough(Field f) {
    return static_cast<int>(f) + 1;
}

// データ.txt and 入金.txt both hold the date first: scans over either use it.
inline constexpr int kDateField = fieldIndex(PaymentField::Date);
static_assert(fieldIndex(IncomeField::Date) == kDateField);
