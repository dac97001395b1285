// The month balance as a plain computation over the two record files.
#include <QTest>

#include "mainwindow/monthsummary.h"

namespace {
QByteArray lines(std::initializer_list<const char *> l) {
    QByteArray out;
    for (const char *line : l)
        out += QByteArray(line) + "\r\n";
    return out;
}
} // namespace

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
        QCOMPARE(roundHalfEven(-2.5), -2LL);
        QCOMPARE(roundHalfEven(-3.5), -4LL);
        QCOMPARE(roundHalfEven(-1866.6666), -1867LL);
    }

    void carryAndMonthFromTheFilesInOrder() {
        const QByteArray incomes =
            lines({"\"2005/01/10\",\"スタート時入金\",50000", "\"2005/02/03\",\"給料\",1000",
                   "\"2005/03/01\",\"給料\",99999"});
        const QByteArray payments = lines({"\"2005/01/11\",\"a\",\"b\",2000,\"\",\"\"",
                                           "\"2005/02/05\",\"a\",\"b\",300,\"\",\"\"",
                                           "\"2005/02/20\",\"a\",\"b\",400,\"\",\"\""});
        const MonthFigures m = computeMonth(incomes, payments, QDate(2005, 2, 10));
        QCOMPARE(m.start, 48000LL); // the carry lands on the 1st
        QCOMPARE(m.added, 1000LL);
        QCOMPARE(m.total, 49000LL);
        QCOMPARE(m.spent, 300LL);
        QCOMPARE(m.left, 48700LL);
        QCOMPARE(m.avgSpent, 30LL);
        QCOMPARE(m.daysLeft, 19);
        QCOMPARE(m.avgAvailable, 2563LL); // floor(48700 / 19)
        QCOMPARE(m.startDay, 1);
        QCOMPARE(m.leftSeries.at(28), 48300LL);
        QCOMPARE(m.paidSeries.at(20), 400LL);
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
};

QTEST_GUILESS_MAIN(TestMonthSummary)
#include "test_monthsummary.moc"
