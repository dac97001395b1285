#include "book/calendar.h"

#include <QDate>

#include "book/paymentscan.h"

QString MonthCalendarTable::rowLabel(int row) const {
    const int m = firstMonth + row;
    return QStringLiteral("%1年%2月")
        .arg(m / 12, 4, 10, QLatin1Char('0'))
        .arg(m % 12 + 1, 2, 10, QLatin1Char('0'));
}

QString WeekCalendarTable::rowLabel(int row) const {
    const QDate d = QDate::fromJulianDay(firstSunday + 7LL * row);
    if (d.year() < 0) return d.toString(QStringLiteral("yy年MM月dd日"));
    // yy年MM月dd日 written directly: a long book labels 1,500 weeks at each opening.
    const auto digits = [](char16_t *at, int n) {
        at[0] = u'0' + n / 10 % 10;
        at[1] = u'0' + n % 10;
    };
    char16_t text[] = u"00年00月00日";
    digits(text, d.year() % 100);
    digits(text + 3, d.month());
    digits(text + 6, d.day());
    return QString::fromUtf16(text, 9);
}

qint64 weekTableStart(qint64 firstDay) {
    // The weekday number (Sunday 1 … Saturday 7) of the day before, taken back.
    return firstDay - (weekdayOf(firstDay - 1) + 1);
}

CalendarTables computeCalendar(const QByteArray &incomes, const QByteArray &payments) {
    return computeCalendar(BookModel::fromBytes(payments, incomes));
}

CalendarTables computeCalendar(const BookModel &book) {
    const BookSpan span = bookSpan(book);
    CalendarTables out;
    if (!span.hasPayments()) return out;

    MonthCalendarTable &mt = out.months;
    mt.firstMonth = monthNumberOf(span.first);
    mt.months = monthNumberOf(span.last) - mt.firstMonth + 1;
    mt.cells.resize(static_cast<qsizetype>(mt.months) * 31);
    WeekCalendarTable &wt = out.weeks;
    wt.firstSunday = weekTableStart(span.first);
    wt.weeks = static_cast<int>((span.last - wt.firstSunday) / 7 + 1);
    wt.cells.resize(static_cast<qsizetype>(wt.weeks) * 7);

    // The cells of a day in both tables, or null when the day has no row.
    auto monthCell = [&](qint64 day) -> CalendarDay * {
        const int row = monthNumberOf(day) - mt.firstMonth;
        if (row < 0 || row >= mt.months) return nullptr;
        return &mt.cells[row * 31 + QDate::fromJulianDay(day).day() - 1];
    };
    auto weekCell = [&](qint64 day) -> CalendarDay * {
        if (day < wt.firstSunday) return nullptr;
        const qint64 row = (day - wt.firstSunday) / 7;
        if (row >= wt.weeks) return nullptr;
        return &wt.cells[row * 7 + weekdayOf(day)];
    };

    qint64 lastDay = -1;
    CalendarDay *inMonth = nullptr, *inWeek = nullptr;
    for (const HeldPayment &r : book.payments().records()) {
        if (r.day == kNoDay) continue;
        if (r.day != lastDay) {
            lastDay = r.day;
            inMonth = monthCell(r.day);
            inWeek = weekCell(r.day);
        }
        if (inMonth) ++inMonth->payments;
        if (inWeek) {
            ++inWeek->payments;
            const int w = weekdayOf(r.day);
            ++out.weekdayCounts[w];
            out.weekdayAmounts[w] = addYen(out.weekdayAmounts[w], r.amount);
        }
    }
    for (const HeldIncome &income : book.incomes().records()) {
        if (income.day == kNoDay) continue;
        const qint64 day = income.day;
        if (CalendarDay *c = monthCell(day)) c->income = true;
        if (CalendarDay *c = weekCell(day)) c->income = true;
    }
    return out;
}
