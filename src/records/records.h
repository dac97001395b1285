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
