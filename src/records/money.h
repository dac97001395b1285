#pragma once
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

// Pages still find the date helpers here until they include records/dates.h.
#include "records/dates.h"

// Whole yen, held in 64-bit integers. Sums saturate instead of overflowing.
using Yen = qint64;

Yen addYen(Yen a, Yen b);
Yen subYen(Yen a, Yen b);

// Labels: "#,#円" — thousands separators, a leading minus, and no number for 0.
QString formatYenLabel(Yen v);
// Grids: "¥12,345" / "-¥12,345", whatever the machine's locale.
QString formatYenGrid(Yen v);
// Plain digits with a leading "-", no separators ("48500", "-1000").
QString formatPlain(Yen v);

// The one reading of an amount the user typed in yen: blanks around it, an
// optional "-", an optional "¥"/"￥"/"\", half- or full-width digits either
// plain or grouped by "," / "，" in threes, and an optional "円". Anything
// else is no amount.
std::optional<Yen> parseYenInput(const QString &text);
// The largest amount a box takes, 999,999,999,999,999 yen: sums of a
// lifetime of records stay exact far below the 64-bit range.
QString largestTypedYenLabel();
// Whether the text is an amount in that form that is only too large, so that
// the box says how large an amount may be rather than that it is no number.
bool isYenInputTooLarge(const QString &text);

// The amount field of a record file, read the same way by every page: blanks,
// an optional sign, then the leading decimal number up to the first character
// that cannot continue it, its fraction rounded half to even to whole yen.
// "250abc" reads as 250, "1,500" as 1, and text with no leading digit
// ("abc", "") as 0; the record still counts.
Yen parseAmountField(QByteArrayView text);
