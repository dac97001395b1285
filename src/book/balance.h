#pragma once
#include "records/book.h"
#include "records/money.h"

// What the records say is left: every income minus every payment, whatever the dates.
Yen recordsBalance(const Book &book);
