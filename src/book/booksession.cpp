#include "book/booksession.h"

bool BookSession::isSampleBook() const {
    return FirstPayDate == QStringLiteral("2005/01/02") && userName == kSampleUserName;
}
