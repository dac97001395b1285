#pragma once
#include <QDate>
#include <QDir>
#include <QString>
#include <QtGlobal>

#include "records/book.h"

// What the window knows about the open book between events. Everything else
// is read from the files when a page or a handler needs it.
struct BookSession {
    Book book{QDir::currentPath()};

    QString FirstPayDate;   // date of the first payment, "" for an empty book
    QString LastPayDate;    // date of the last payment read by the day list
    QString LastIncomeDate; // date of the last income read by the income history
    QString userName;
    bool helpTour = false;   // the help tour explains each page as it opens
    bool sampleMode = false; // the shipped sample book is open: nothing may be saved

    // Raised after every change of データ.txt or 入金.txt, so that figures
    // kept by a page know they are stale.
    quint64 revision = 0;
    void bookChanged() { ++revision; }

    // The shipped sample book: its first payment and its user name.
    bool isSampleBook() const;
};

// The user name that, with a first payment on 2005/01/02, marks the shipped sample book.
inline const QString kSampleUserName = QStringLiteral("見本はなこ");
// The day the sample book opens on.
inline const QDate kSampleDay{2005, 2, 14};
