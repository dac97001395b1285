// The simulation of planned payments: the month balance of the main page over
// the scratch file 予測データ.txt, checked on its edge cases and against a
// straightforward computation on random books.
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include "recordlines.h"

#include "book/forecast.h"
#include "book/monthsummary.h"
#include "bookdir.h"

namespace {
QString day(QDate d) {
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}
QByteArray income(QDate d, qint64 amount) {
    return QStringLiteral("\"%1\",\"x\",%2\r\n").arg(day(d)).arg(amount).toLatin1();
}
QByteArray payment(QDate d, qint64 amount) {
    return QStringLiteral("\"%1\",\"a\",\"b\",%2,\"\",\"\"\r\n").arg(day(d)).arg(amount).toLatin1();
}
} // namespace

class TestForecast : public QObject {
    Q_OBJECT
private slots:
    void theFirstMonthStartsOnTheOpeningDay() {
        const QByteArray incomes = lines({"\"2005/02/14\",\"スタート時入金\",28000"});
        const QByteArray paid = lines({"\"2005/02/14\",\"a\",\"b\",1000,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, paid, QDate(2005, 2, 1));
        QCOMPARE(m.firstDay, 14);
        QCOMPARE(m.leftSeries.at(13), 0LL);
        QCOMPARE(m.leftSeries.at(14), 27000LL);
        QCOMPARE(m.paceSeries.at(14), 26133LL); // 28000 less 28000 / 15
        QCOMPARE(m.paidSeries.at(14), 1000LL);
        // A later month starts on the 1st with the carry as its first income.
        const MonthFigures next = computeMonth(incomes, paid, QDate(2005, 3, 20));
        QCOMPARE(next.firstDay, 1);
        QCOMPARE(next.start, 27000LL);
        QCOMPARE(next.leftSeries.at(1), 27000LL);
        QCOMPARE(next.paceSeries.at(31), -1LL); // about 0, less the rounding of 31 steps
    }

    void aStartDayPastTheMonthsEndChartsFromTheFirstWithoutPace() {
        // Started on 01/31; February has no carry and no income on the 1st.
        const QByteArray incomes =
            lines({"\"2005/01/31\",\"スタート時入金\",1000", "\"2005/02/10\",\"給料\",500"});
        const QByteArray paid = lines({"\"2005/01/31\",\"a\",\"b\",1000,\"\",\"\"",
                                       "\"2005/02/20\",\"a\",\"b\",200,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, paid, QDate(2005, 2, 1));
        QVERIFY(!m.hasPace);
        QCOMPARE(m.firstDay, 1);
        QCOMPARE(m.leftSeries.at(10), 500LL);
        QCOMPARE(m.leftSeries.at(28), 300LL);
        QCOMPARE(m.paceSeries.at(10), 0LL);
        QCOMPARE(m.leftTop, 600LL);
    }

    void withoutIncomesTheFirstPaymentStartsTheBookAndThePaceIsZero() {
        const QByteArray paid = lines({"\"2005/02/10\",\"a\",\"b\",300,\"\",\"\""});
        const MonthFigures m = computeMonth(QByteArray(), paid, QDate(2005, 2, 1));
        QCOMPARE(m.firstDay, 10);
        QCOMPARE(m.leftSeries.at(10), -300LL);
        QCOMPARE(m.paceSeries.at(28), 0LL);
        QCOMPARE(m.leftTop, 1LL);
    }

    void aRecordWithoutADateEndsNoReading() {
        const QByteArray incomes = lines({"\"2005/1/5\",\"x\",1", "\"2005/01/05\",\"x\",10000"});
        const QByteArray paid =
            lines({"\"2005/01/06\",\"a\",\"b\",100,\"\",\"\"", "\"abc\",\"a\",\"b\",1,\"\",\"\"",
                   "\"2005/02/02\",\"a\",\"b\",200,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, paid, QDate(2005, 2, 5));
        QCOMPARE(m.start, 9900LL);
        QCOMPARE(m.spent, 200LL);
    }

    // The scratch file with a plan: its day's bar grows, later months carry less.
    void aPlannedPaymentCountsInItsMonthAndInEveryLaterCarry() {
        BookDir dir;
        const Book book(dir.path());
        dir.writeBytes(QStringLiteral("入金.txt"), lines({"\"2005/01/01\",\"x\",100000"}));
        dir.writeBytes(QStringLiteral("予測データ.txt"),
                       lines({"\"2005/01/10\",\"a\",\"b\",1000,\"\",\"\""}));
        const MonthFigures before = computeMonth(book, QDate(2005, 3, 1), bookfile::forecast);
        QVERIFY(addPlannedPayment(book, QDate(2005, 1, 10), 4000).ok());
        const MonthFigures jan = computeMonth(book, QDate(2005, 1, 1), bookfile::forecast);
        QCOMPARE(jan.paidSeries.at(10), 5000LL);
        const MonthFigures after = computeMonth(book, QDate(2005, 3, 1), bookfile::forecast);
        QCOMPARE(after.start, before.start - 4000);
        // データ.txt is not read by the simulation.
        QCOMPARE(computeMonth(book, QDate(2005, 3, 1), bookfile::payments).start, 100000LL);
    }

    void matchesAStraightforwardComputationOnRandomBooks() {
        QRandomGenerator rng(7122026);
        for (int round = 0; round < 40; ++round) {
            const QDate start(2004, 1 + rng.bounded(12), 1 + rng.bounded(31) % 28 + 1);
            QMap<QDate, qint64> in, out;
            in[start] = 50000 + rng.bounded(100000);
            for (QDate d = start.addDays(rng.bounded(20)); d < start.addDays(400);
                 d = d.addDays(1 + rng.bounded(40)))
                in[d] += rng.bounded(80000);
            for (QDate d = start.addDays(rng.bounded(3)); d < start.addDays(400);
                 d = d.addDays(rng.bounded(3)))
                out[d] += 1 + rng.bounded(4000);
            QByteArray incomes, paid;
            for (auto it = in.cbegin(); it != in.cend(); ++it)
                incomes += income(it.key(), it.value());
            for (auto it = out.cbegin(); it != out.cend(); ++it)
                paid += payment(it.key(), it.value());

            const QDate month = start.addMonths(rng.bounded(14));
            const QDate first(month.year(), month.month(), 1);
            const int days = month.daysInMonth();
            QList<qint64> inDay(32, 0), outDay(32, 0);
            qint64 carry = 0;
            for (auto it = in.cbegin(); it != in.cend(); ++it) {
                if (it.key() < first)
                    carry += it.value();
                else if (it.key() < first.addMonths(1))
                    inDay[it.key().day()] += it.value();
            }
            for (auto it = out.cbegin(); it != out.cend(); ++it) {
                if (it.key() < first)
                    carry -= it.value();
                else if (it.key() < first.addMonths(1))
                    outDay[it.key().day()] += it.value();
            }
            inDay[1] += carry;
            int startDay = inDay[1] != 0 ? 1 : start.day();
            const MonthFigures m = computeMonth(incomes, paid, month);
            if (startDay > days) {
                QVERIFY(!m.hasPace);
                continue;
            }
            QCOMPARE(m.firstDay, startDay);
            const qint64 paceDays = days - startDay + 1;
            qint64 balance = 0, offset = 0, highest = 0, largest = 0;
            for (int d = startDay; d <= days; ++d) {
                balance += inDay[d] - outDay[d];
                // offset less one even share of the start-day income, to the
                // nearest whole yen, halves to the even one.
                const qint64 num = offset * paceDays - inDay[startDay];
                qint64 q = num / paceDays, r = num % paceDays;
                if (r < 0) r += paceDays, --q;
                offset = (2 * r > paceDays || (2 * r == paceDays && q % 2 != 0)) ? q + 1 : q;
                highest = std::max(highest, balance);
                largest = std::max(largest, outDay[d]);
                QCOMPARE(m.leftSeries.at(d), balance);
                QCOMPARE(m.paceSeries.at(d), inDay[startDay] + offset);
                QCOMPARE(m.paidSeries.at(d), outDay[d]);
            }
            for (int d = 1; d < startDay; ++d)
                QCOMPARE(m.leftSeries.at(d), 0LL);
            QVERIFY(m.leftTop > highest && m.leftTop <= std::max<qint64>(1, highest * 10));
            QVERIFY(m.paidTop > largest && m.paidTop <= std::max<qint64>(1, largest * 10));
        }
    }
};

QTEST_GUILESS_MAIN(TestForecast)
#include "test_forecast.moc"
