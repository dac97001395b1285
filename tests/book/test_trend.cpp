// The balance trend as a plain computation over the bytes of the two files.
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include "book/trend.h"

namespace {
QByteArray lines(std::initializer_list<const char *> l) {
    QByteArray out;
    for (const char *line : l)
        out += QByteArray(line) + "\r\n";
    return out;
}
QByteArray income(const QString &date, qint64 amount) {
    return QStringLiteral("\"%1\",\"給料\",%2\r\n").arg(date).arg(amount).toUtf8();
}
QByteArray payment(const QString &date, qint64 amount) {
    return QStringLiteral("\"%1\",\"a\",\"b\",%2,\"\",\"\"\r\n").arg(date).arg(amount).toUtf8();
}
QByteArray payments(const QList<qint64> &perDay, QDate first) {
    QByteArray out;
    for (int i = 0; i < perDay.size(); ++i)
        out += payment(first.addDays(i).toString(QStringLiteral("yyyy/MM/dd")), perDay.at(i));
    return out;
}
} // namespace

class TestTrend : public QObject {
    Q_OBJECT
private slots:
    void aDayWithoutRecordsKeepsTheBalance() {
        const Trend t = computeTrend(lines({"\"2005/01/10\",\"スタート時入金\",50000"}),
                                     lines({"\"2005/01/10\",\"a\",\"b\",1000,\"\",\"\"",
                                            "\"2005/01/12\",\"a\",\"b\",500,\"\",\"\""}));
        QCOMPARE(t.firstDay, QDate(2005, 1, 10));
        QCOMPARE(t.days(), 3);
        QCOMPARE(t.day(1), QDate(2005, 1, 11));
        QCOMPARE(t.income, (QList<Yen>{50000, 0, 0}));
        QCOMPARE(t.spent, (QList<Yen>{1000, 0, 500}));
        QCOMPARE(t.balance, (QList<Yen>{49000, 49000, 48500}));
        QCOMPARE(t.balanceTop, 50000LL);
    }

    void theBookStartsAtTheEarlierOfFirstIncomeAndFirstPayment() {
        const QByteArray paid = lines({"\"2005/01/10\",\"a\",\"b\",1000,\"\",\"\""});
        QCOMPARE(computeTrend(lines({"\"2005/01/10\",\"x\",9000"}), paid).firstDay,
                 QDate(2005, 1, 10));
        const Trend earlier = computeTrend(lines({"\"2005/01/07\",\"x\",9000"}), paid);
        QCOMPARE(earlier.firstDay, QDate(2005, 1, 7));
        QCOMPARE(earlier.balance, (QList<Yen>{9000, 9000, 9000, 8000}));
        // Without any income the first payment's day starts the book.
        const Trend noIncome = computeTrend(QByteArray(), paid);
        QCOMPARE(noIncome.firstDay, QDate(2005, 1, 10));
        QCOMPARE(noIncome.balance, (QList<Yen>{-1000}));
    }

    void theLastPaymentEndsTheBookAndLaterIncomeCountsNowhere() {
        const Trend t =
            computeTrend(lines({"\"2005/01/01\",\"x\",1000", "\"2005/01/05\",\"x\",7777"}),
                         lines({"\"2005/01/01\",\"a\",\"b\",100,\"\",\"\"",
                                "\"2005/01/03\",\"a\",\"b\",100,\"\",\"\""}));
        QCOMPARE(t.days(), 3);
        QCOMPARE(t.balance.last(), 800LL);
    }

    void aBalanceNeverAboveZeroGivesAnAxisOfOne() {
        const Trend t = computeTrend(lines({"\"2005/01/01\",\"x\",100"}),
                                     lines({"\"2005/01/01\",\"a\",\"b\",300,\"\",\"\""}));
        QCOMPARE(t.balance, (QList<Yen>{-200}));
        QCOMPARE(t.balanceTop, 1LL);
    }

    void theSpendingPeakRunsAheadOfEachNewHigh_data() {
        QTest::addColumn<QList<qint64>>("days");
        QTest::addColumn<qint64>("peak");
        QTest::addColumn<qint64>("top");
        QTest::newRow("1050 under 1100") << QList<qint64>{1000, 1050} << 1100LL << 2000LL;
        QTest::newRow("1150 above 1100") << QList<qint64>{1000, 1150} << 1250LL << 2000LL;
        // Not simply the largest day plus 100, which would be 10050.
        QTest::newRow("9950 under 9950") << QList<qint64>{9850, 9950} << 9950LL << 10000LL;
        QTest::newRow("no spending") << QList<qint64>{0, 0} << 0LL << 1LL;
    }
    void theSpendingPeakRunsAheadOfEachNewHigh() {
        QFETCH(QList<qint64>, days);
        QFETCH(qint64, peak);
        QFETCH(qint64, top);
        const Trend t = computeTrend(QByteArray(), payments(days, QDate(2005, 1, 1)));
        QCOMPARE(t.spentPeak, peak);
        QCOMPARE(t.spentTop, top);
    }

    void recordsWithoutAReadableDateArePassedOver() {
        const Trend t = computeTrend(
            lines({"\"\",\"x\",5", "\"2005/1/2\",\"x\",5", "\"2005/01/02\",\"x\",1000",
                   "\"2005/02/30\",\"x\",5"}),
            lines({"\"abc\",\"a\",\"b\",1,\"\",\"\"", "\"2005/01/03\",\"a\",\"b\",10,\"\",\"\"",
                   "\"2005/01/04\",\"a\",\"b\",20,\"\",\"\"",
                   "\"2005-01-09\",\"a\",\"b\",1,\"\",\"\""}));
        QCOMPARE(t.firstDay, QDate(2005, 1, 2));
        QCOMPARE(t.days(), 3);
        QCOMPARE(t.balance, (QList<Yen>{1000, 990, 970}));
    }

    void aBookWithoutPaymentsHasNoDays() {
        QCOMPARE(computeTrend(lines({"\"2005/01/02\",\"x\",1000"}), QByteArray()).days(), 0);
        QVERIFY(!computeTrend(QByteArray(), lines({"\"\",\"a\",\"b\",1,\"\",\"\""}))
                     .firstDay.isValid());
    }

    void noSixteenBitLimitsOnDaysOrSums() {
        // A century of days and sums far beyond 32 bits.
        const Trend t = computeTrend(income(QStringLiteral("1900/01/01"), 3000000000),
                                     payment(QStringLiteral("1900/01/01"), 1000000000) +
                                         payment(QStringLiteral("1999/12/31"), 1000000000));
        QCOMPARE(t.days(), 36524);
        QCOMPARE(t.balance.at(36000), 2000000000LL);
        QCOMPARE(t.balance.last(), 1000000000LL);
        QCOMPARE(t.balanceTop, 3000000000LL);
        QCOMPARE(t.spentTop, 2000000000LL);
    }

    // Against a straightforward day-by-day walk over a random book.
    void matchesAStraightforwardWalkOverARandomBook() {
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 20; ++round) {
            const QDate start(2000 + rng.bounded(20), 1 + rng.bounded(12), 1 + rng.bounded(28));
            QMap<QDate, qint64> in, out;
            QByteArray incomes, paid;
            QDate d = start.addDays(rng.bounded(3)); // incomes may start first or later
            for (int i = 0; i < 40; ++i, d = d.addDays(rng.bounded(30))) {
                const qint64 a = rng.bounded(200000);
                incomes += income(d.toString(QStringLiteral("yyyy/MM/dd")), a);
                in[d] += a;
            }
            d = start.addDays(rng.bounded(3));
            QDate last;
            for (int i = 0; i < 300; ++i, d = d.addDays(rng.bounded(4))) {
                const qint64 a = rng.bounded(5000);
                if (rng.bounded(10) == 0) paid += payment(QStringLiteral("20xx/01/01"), a);
                paid += payment(d.toString(QStringLiteral("yyyy/MM/dd")), a);
                out[d] += a;
                last = d;
            }
            const QDate first = std::min(in.firstKey(), out.firstKey());
            const Trend t = computeTrend(incomes, paid);
            QCOMPARE(t.firstDay, first);
            QCOMPARE(t.days(), first.daysTo(last) + 1);
            qint64 balance = 0, highest = 0, largest = 0;
            for (QDate day = first; day <= last; day = day.addDays(1)) {
                const qint64 k = first.daysTo(day);
                balance += in.value(day) - out.value(day);
                highest = std::max(highest, balance);
                largest = std::max(largest, out.value(day));
                QCOMPARE(t.income.at(k), in.value(day));
                QCOMPARE(t.spent.at(k), out.value(day));
                QCOMPARE(t.balance.at(k), balance);
            }
            QVERIFY(t.spentPeak > largest && t.spentPeak <= largest + 100);
            QVERIFY(t.balanceTop > highest && t.balanceTop <= std::max<qint64>(1, highest * 10));
        }
    }
};

QTEST_GUILESS_MAIN(TestTrend)
#include "test_trend.moc"
