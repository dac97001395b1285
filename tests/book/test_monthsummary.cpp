// The month balance as a plain computation over the two record files.
#include <QTest>

#include "recordlines.h"

#include "book/monthsummary.h"

class TestMonthSummary : public QObject {
    Q_OBJECT
private slots:
    void axisCeilings_data() {
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("top");
        QTest::newRow("zero") << 0LL << 1LL;
        QTest::newRow("84321") << 84321LL << 90000LL;
        QTest::newRow("95000") << 95000LL << 100000LL;
        QTest::newRow("one digit") << 7LL << 8LL;
        QTest::newRow("nine") << 9LL << 10LL;
        QTest::newRow("28000") << 28000LL << 30000LL;
    }
    void axisCeilings() {
        QFETCH(qint64, max);
        QFETCH(qint64, top);
        QCOMPARE(axisCeiling(max), top);
    }

    void roundingRules() {
        QCOMPARE(floorDiv(-1, 2), -1LL);
        QCOMPARE(floorDiv(7, 2), 3LL);
        QCOMPARE(floorDiv(-7, 2), -4LL);
        QCOMPARE(quotientHalfEven(-5, 2), -2LL);
        QCOMPARE(quotientHalfEven(-7, 2), -4LL);
        QCOMPARE(quotientHalfEven(5, 2), 2LL);
        QCOMPARE(quotientHalfEven(-28000, 15), -1867LL);
        QCOMPARE(quotientHalfEven(Wide(std::numeric_limits<qint64>::max()) * 4, 3),
                 std::numeric_limits<qint64>::max());
    }

    void amountsAtTheLimitsStayWholeNumbers() {
        // The largest amount a file can hold: the pace is still computed
        // exactly (max = 31 × 297528130221121800 + 7).
        const qint64 max = std::numeric_limits<qint64>::max();
        const MonthFigures m =
            computeMonth(lines({"\"2024/01/01\",\"スタート時入金\",9223372036854775807"}),
                         lines({"\"2024/01/02\",\"a\",\"b\",9223372036854775807,\"\",\"\"",
                                "\"2024/01/02\",\"a\",\"b\",9223372036854775807,\"\",\"\""}),
                         QDate(2024, 1, 15));
        QCOMPARE(m.start, max);
        QCOMPARE(m.spent, max); // saturated
        QCOMPARE(m.left, 0LL);
        QCOMPARE(m.paceSeries[1], max - 297528130221121800LL);
        QCOMPARE(m.paceSeries[31], 7LL);
        const MonthFigures low =
            computeMonth(lines({"\"2024/01/01\",\"スタート時入金\",-9223372036854775808"}), {},
                         QDate(2024, 1, 1));
        QCOMPARE(low.start, std::numeric_limits<qint64>::min());
        QCOMPARE(low.paceSeries[31], -8LL);
    }

    void carryAndMonthFromTheFilesInOrder() {
        const QByteArray incomes =
            lines({"\"2005/01/10\",\"スタート時入金\",50000", "\"2005/02/03\",\"給料\",1000",
                   "\"2005/03/01\",\"給料\",99999"});
        // The month's first and last days, and the day before it, at its edges.
        const QByteArray payments = lines(
            {"\"2005/01/11\",\"a\",\"b\",2000,\"\",\"\"", "\"2005/01/31\",\"a\",\"b\",7,\"\",\"\"",
             "\"2005/02/01\",\"a\",\"b\",10,\"\",\"\"", "\"2005/02/05\",\"a\",\"b\",300,\"\",\"\"",
             "\"2005/02/20\",\"a\",\"b\",400,\"\",\"\"",
             "\"2005/02/28\",\"a\",\"b\",20,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, payments, QDate(2005, 2, 10));
        QCOMPARE(m.start, 47993LL); // the carry lands on the 1st
        QCOMPARE(m.added, 1000LL);
        QCOMPARE(m.total, 48993LL);
        QCOMPARE(m.spent, 310LL);
        QCOMPARE(m.left, 48683LL);
        QCOMPARE(m.avgSpent, 31LL);
        QCOMPARE(m.daysLeft, 19);
        QCOMPARE(m.avgAvailable, 2562LL); // floor(48683 / 19)
        QCOMPARE(m.startDay, 1);
        QCOMPARE(m.leftSeries.at(28), 48263LL);
        QCOMPARE(m.paidSeries.at(1), 10LL);
        QCOMPARE(m.paidSeries.at(20), 400LL);
        QCOMPARE(m.paidSeries.at(28), 20LL);
        QCOMPARE(m.leftTop, 50000LL);
        QCOMPARE(m.paidTop, 500LL);
    }

    void emptyBookHasNothingToDivideByZero() {
        const MonthFigures m = computeMonth(QByteArray(), QByteArray(), QDate(2005, 2, 28));
        QCOMPARE(m.left, 0LL);
        QCOMPARE(m.avgAvailable, 0LL);
        QCOMPARE(m.paceSeries.at(28), 0LL);
        QCOMPARE(m.leftTop, 1LL);
    }

    void faceFollowsMoneyLeftAgainstThePace() {
        // 28,000 from the 1st of February: the pace loses 1,000 a day.
        const QByteArray incomes = lines({"\"2005/02/01\",\"s\",28000"});
        const QByteArray payments = lines({"\"2005/02/02\",\"a\",\"b\",500,\"\",\"\"",
                                           "\"2005/02/03\",\"a\",\"b\",1500,\"\",\"\"",
                                           "\"2005/02/05\",\"a\",\"b\",3000,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, payments, QDate(2005, 2, 1));
        const FaceMark ahead = faceMark(m, 2); // 27,500 left, pace 26,000
        QCOMPARE(ahead.face, FaceMark::Face::Ahead);
        QCOMPARE(ahead.gap, 1500LL);
        const FaceMark stillAhead = faceMark(m, 3); // 26,000 left, pace 25,000
        QCOMPARE(stillAhead.face, FaceMark::Face::Ahead);
        const FaceMark onPace = faceMark(m, 5); // 23,000 left, pace 23,000
        QCOMPARE(onPace.face, FaceMark::Face::OnPace);
        QCOMPARE(onPace.gap, 0LL);
        QCOMPARE(faceMark(computeMonth(incomes,
                                       payments + lines({"\"2005/02/05\",\"a\",\"b\",1,\"\",\"\""}),
                                       QDate(2005, 2, 5)),
                          5)
                     .face,
                 FaceMark::Face::Behind);
        // A day outside the chart shows the even face, never a crash.
        QCOMPARE(faceMark(MonthFigures{}, 12).face, FaceMark::Face::OnPace);
    }
};

QTEST_GUILESS_MAIN(TestMonthSummary)
#include "test_monthsummary.moc"
