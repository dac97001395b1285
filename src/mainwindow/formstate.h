#pragma once
#include <QDir>
#include <QString>

#include "records/book.h"

// The form-level values of the main window that several pages share. Nothing
// else read from the files outlives an event.
struct FormState {
    Book book{QDir::currentPath()};

    QString FirstPayDate;   // date of the first payment, "" for an empty book
    QString LastPayDate;    // date of the last payment read by the day list
    QString LastIncomeDate; // date of the last income read by the income history
    QString CurrentPayee;   // payee of the payment being entered

    bool SampleMode = false;
    bool Loading = false;
    bool DataChanged = false; // the month chart must be rebuilt
    QString HelpText;
    QString HelpFile;

    int helpFlag = 0; // help tour: 1 on, 0 off
    QString userName;
};

// The user name that, with a first payment on 2005/01/02, marks the shipped sample book.
inline const QString kSampleUserName = QStringLiteral("見本はなこ");
