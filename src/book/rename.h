#pragma once
#include <QString>

#include "records/book.h"
#include "records/fileops.h"
#include "records/records.h"

// The master file that holds the names of a payment field.
QString masterOf(PaymentField field);

// Renames a payee or a category everywhere in the book: every payment whose
// field is exactly the old name, then every equal line of its master, each
// through its temporary. Two names merge when the new one exists already.
// The payee-to-category memory, the incomes and the forecast are not touched.
// Names match as the text they read as. A name the files cannot hold, or a
// file that cannot be written back whole, is refused before anything is
// written; when the payments cannot be written the master is left alone.
FileResult renameEverywhere(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName);
