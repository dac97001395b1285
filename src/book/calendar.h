#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

#include "book/bookmodel.h"
#include "records/money.h"

// The colour calendar of the book: which days had payments (and how many)
// and which had an income, month by month and week by week, and the payments
// per weekday. The days run from the first day of the book (the earlier of
// the first income and the first payment) to the last payment.

// One cell of a calendar table.
struct CalendarDay {
    int payments = 0;    // number of payment records of the day
    bool income = false; // an income on that day
    bool operator==(const CalendarDay &) const = default;
};

// One row per calendar month, 31 day columns.
struct MonthCalendarTable {
    int firstMonth = 0;       // year × 12 + month − 1 of the first row
    int months = 0;           // rows; 0 when the book has no payment
    QList<CalendarDay> cells; // [row * 31 + day − 1]

    const CalendarDay &cell(int row, int day) const { return cells.at(row * 31 + day - 1); }
    // YYYY年MM月
    QString rowLabel(int row) const;
    bool operator==(const MonthCalendarTable &) const = default;
};

// One row per week, Sunday to Saturday. The first row begins on the Sunday
// before the first day of the book: the Sunday of its week, or a week
// earlier when the first day is itself a Sunday (that row stays empty).
struct WeekCalendarTable {
    qint64 firstSunday = 0;   // day number of the first row's Sunday
    int weeks = 0;            // rows; 0 when the book has no payment
    QList<CalendarDay> cells; // [row * 7 + weekday], weekday 0 = Sunday

    const CalendarDay &cell(int row, int weekday) const { return cells.at(row * 7 + weekday); }
    // yy年mm月dd日 of the row's Sunday
    QString rowLabel(int row) const;
    bool operator==(const WeekCalendarTable &) const = default;
};

struct CalendarTables {
    MonthCalendarTable months;
    WeekCalendarTable weeks;
    // Payments of the week table's days per weekday, Sunday first.
    std::array<qint64, 7> weekdayCounts{};
    std::array<Yen, 7> weekdayAmounts{};
    bool operator==(const CalendarTables &) const = default;
};

// The Sunday on which the week table starts for a first day (day numbers).
qint64 weekTableStart(qint64 firstDay);

CalendarTables computeCalendar(const BookModel &book);
// The same over the contents of 入金.txt and データ.txt.
CalendarTables computeCalendar(const QByteArray &incomes, const QByteArray &payments);
