#pragma once
// The striped rows of the program's lists: long lists stay readable when
// every other row stands out in the dialog colour.
#include "controls/QuickList.h"

// Even rows (every row with allRows) get the dialog colour with dark ink and
// the program's hot and selection colours; odd rows keep the list's own.
void StripeRow(ListCellData& cell, bool allRows = false);
