#pragma once
#include "records/book.h"
#include "records/fileops.h"
#include "records/records.h"

// Overwrites 入金.txt with the one record a new book begins with.
FileResult writeOpeningIncome(const Book &book, const IncomeRecord &opening);
