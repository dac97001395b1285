#pragma once
#include "book/bookmodel.h"
#include "records/money.h"

// What the records say is left: every income minus every payment, whatever the dates.
Yen recordsBalance(const BookModel &book);
