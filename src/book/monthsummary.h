#pragma once
#include <QDate>
#include <QList>

#include "book/bookmodel.h"
#include "records/book.h"
#include "records/money.h"

// The month of the selected day: the figures of the main page and the chart
// of money left against the pace line, from 入金.txt and データ.txt. The
// simulation of planned payments is the same computation over 予測データ.txt.
struct MonthFigures {
    int days = 0;         // days of the month
    int selectedDay = 0;  // d
    Yen start = 0;        // income[1], the carry included
    Yen added = 0;        // funds(d) - income[1]
    Yen total = 0;        // funds(d)
    Yen spent = 0;        // spent(d)
    Yen left = 0;         // funds(d) - spent(d)
    Yen avgSpent = 0;     // floor(spent(d) / d)
    int daysLeft = 0;     // days - d + 1
    Yen avgAvailable = 0; // floor(left / daysLeft)

    // Chart rows 1..days (index 0 unused); rows before the start day stay 0.
    int startDay = 1;
    bool hasPace = true; // false when the start day lies past the month's end
    int firstDay = 1;    // the first day charted: the start day, or 1 without a pace
    QList<Yen> leftSeries, paceSeries, paidSeries;
    Yen leftTop = 1; // axis ceilings
    Yen paidTop = 1;
    bool operator==(const MonthFigures &) const = default;
};

// The face mark of a day: money left against the pace line, as the chart of
// the month shows them (a chart kept from an earlier computation included).
struct FaceMark {
    enum class Face { Ahead, OnPace, Behind };
    Face face = Face::OnPace; // leftSeries[day] above, equal to or below paceSeries[day]
    Yen gap = 0;              // leftSeries[day] - paceSeries[day]
};
FaceMark faceMark(const MonthFigures &chart, int day);

MonthFigures computeMonth(const BookModel &book, QDate selected);
// The same over 入金.txt and another file laid out as データ.txt (the forecast).
MonthFigures computeMonth(const Book &book, QDate selected, const QString &paymentsFile);
// The same over the contents of 入金.txt and データ.txt.
MonthFigures computeMonth(const QByteArray &incomes, const QByteArray &payments, QDate selected);

// First digit plus one, then zeros: 84321 → 90000, 95000 → 100000, 0 → 1.
Yen axisCeiling(Yen v);
// floor(a / b) for b > 0, rounding towards minus infinity.
Yen floorDiv(Yen a, Yen b);
// num / den (den > 0) to the nearest integer, halves to even, saturated.
__extension__ typedef __int128 Wide;
Yen quotientHalfEven(Wide num, Yen den);
