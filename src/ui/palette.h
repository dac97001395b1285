#pragma once
#include <QColor>

// The program's colours by what they mean, so that a page and its legend agree.
namespace palette {
inline const QColor moneyLeftLine{0, 0, 255};           // money left, running totals
inline const QColor paceLine{255, 0, 0};                // the even-spending pace
inline const QColor spendingBars{255, 200, 0};          // payments per day
inline const QColor savingBars{0, 160, 0};              // one saving
inline const QColor aheadOfPace{255, 255, 240};         // the face label when money is left over
inline const QColor behindPace{255, 192, 192};          // the face label when spending runs ahead
inline const QColor incomeDay{0xC0, 0xFF, 0xC0};        // calendar: money came in
inline const QColor paymentDay{0xFF, 0xE0, 0xC0};       // calendar: money went out
inline const QColor emptyDay{255, 255, 255};            // calendar: nothing recorded
inline const QColor incomePanel{0xEE, 0xFA, 0xEE};      // the income panel
inline const QColor cashPanel{0xFF, 0xF8, 0xE0};        // the unaccounted-money panel
inline const QColor newStartPanel{0xF0, 0xF4, 0xFF};    // the new start panel
inline const QColor totalRow{0xFF, 0x00, 0x00};         // totals: the text of the month total row
inline const QColor periodCell{0xFF, 0xFF, 0xFF};       // totals: the period and subtotal cells
inline const QColor conditionInForce{0xFF, 0xFF, 0xC0}; // search: a condition button in force
inline const QColor weekdayBars{0xF0, 0x90, 0x40};      // calendar: payments per weekday
inline const QColor searchBars{0x40, 0x80, 0xD0};       // search: the listed amounts
inline const QColor trendBalanceLine{0, 0, 192};        // the balance of the whole book
inline const QColor trendSpendingBars{192, 192, 0};     // each day's spending of the whole book
inline const QColor avoidablePayment{192, 255, 255};    // reflection: could have been saved
inline const QColor plainCell{255, 255, 255};           // reflection: a row not marked
inline const QColor unsavedOrder{255, 192, 192}; // a save-order button: the order shown is unsaved
} // namespace palette
