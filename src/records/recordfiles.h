#pragma once
// Every book file in one include, for the pages: reading, writing and the
// text checks of new records. Each file's own header says more.
#include "records/associations.h"
#include "records/fileops.h"
#include "records/incomes.h"
#include "records/lineformat.h" // checkFieldTexts
#include "records/masters.h"
#include "records/payments.h"
#include "records/records.h"
#include "records/smallfiles.h"
