#pragma once
#include <QString>
#include <optional>

#include "records/book.h"
#include "records/fileops.h"

// 関連.TXT: the category last used with each payee.

// The category of the first record of the payee, if any.
std::optional<QString> categoryOfPayee(const Book &book, const QString &payee,
                                       FileResult *error = nullptr);
// The same over the content of 関連.TXT.
std::optional<QString> categoryOfPayeeIn(QByteArrayView content, const QString &payee);
// Gives the payee's association records the category, or adds one.
FileResult saveAssociation(const Book &book, const QString &payee, const QString &category);
