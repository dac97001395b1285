// The totals, calendar and search tables as plain computations on file bytes.
#include <QRandomGenerator>
#include <QTest>
#include <limits>

#include "recordlines.h"
#include <map>

#include "book/calendar.h"
#include "book/paymentscan.h"
#include "book/search.h"
#include "book/totals.h"
#include "records/cp932.h"
#include "records/dates.h"
#include "records/money.h"

namespace {
QString pay(const QString &date, const QString &payee, const QString &category, qint64 amount) {
    return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"\",\"\"")
        .arg(date, payee, category)
        .arg(amount);
}

QString income(const QString &date, qint64 amount) {
    return QStringLiteral("\"%1\",\"入金\",%2").arg(date).arg(amount);
}

qint64 dayOf(const QString &date) {
    return QDate::fromString(date, QStringLiteral("yyyy/MM/dd")).toJulianDay();
}

int col(const TotalsTable &t, const QString &key, int nth = 0) {
    for (int k = 0; k < t.keys.size(); ++k)
        if (t.keys.at(k) == key && nth-- == 0) return k;
    return -1;
}

const QString S = QStringLiteral("スーパー");
const QString C = QStringLiteral("コンビニ");
const QString F = QStringLiteral("食費");
const QString O = QStringLiteral("その他");
} // namespace

class TestAnalysisCore : public QObject {
    Q_OBJECT
private slots:
    // A record without a real date is passed over; one whose amount is no
    // number counts with its leading number, 0 for "abc".
    void recordsWithoutARealDateArePassedOver() {
        QVERIFY(dayNumberOf("2005/02/29") == std::nullopt);
        QVERIFY(dayNumberOf("2005/2/3") == std::nullopt);
        QCOMPARE(*dayNumberOf("2005/02/28"), dayOf(QStringLiteral("2005/02/28")));

        const QByteArray data =
            lines({pay(QStringLiteral("2005/02/03"), S, F, 100),
                   QStringLiteral("\"2005/02/30\",\"%1\",\"%2\",50").arg(S, F),
                   QStringLiteral("\"2005/02/04\",\"%1\",\"%2\",abc").arg(S, F),
                   QStringLiteral("garbage"), pay(QStringLiteral("2005/02/05"), S, F, 200)});
        const Totals t = computeTotals({}, data, {S}, TotalsBreakdown::Payee);
        QCOMPARE(t.days.periods, 3);
        QCOMPARE(t.months.grandTotal, 300LL);
        const CalendarTables c = computeCalendar({}, data);
        QCOMPARE(c.months.cell(0, 4).payments, 1);
        QCOMPARE(c.months.cell(0, 5).payments, 1);
        QCOMPARE(computeSearch(data, {}).rows.size(), 3);
    }

    void keysOutsideTheMasterGoToOthers() {
        const QByteArray data = lines({
            pay(QStringLiteral("2005/02/03"), S, F, 100),
            pay(QStringLiteral("2005/02/03"), QStringLiteral("八百屋"), QStringLiteral("野菜"), 20),
            pay(QStringLiteral("2005/02/03"), O, O, 3),
            pay(QStringLiteral("2005/02/04"), C, F, 4000),
        });
        // Payee master with "その他" in it; a payee "その他" counts in both columns.
        const Totals byPayee = computeTotals({}, data, {S, O, C}, TotalsBreakdown::Payee);
        const TotalsTable &d = byPayee.days;
        QCOMPARE(d.keys, (QStringList{S, O, C, O}));
        QCOMPARE(d.sum(0, 0), 100LL);
        QCOMPARE(d.sum(0, 1), 3LL);
        QCOMPARE(d.sum(0, 3), 23LL); // 八百屋 and "その他" again
        QCOMPARE(d.subtotal(0), 123LL);
        QCOMPARE(d.sum(1, 2), 4000LL);
        // Category master with 食費 twice and "その他": a category "その他" only in the master's.
        const Totals byCat = computeTotals({}, data, {F, O, F}, TotalsBreakdown::Category);
        const TotalsTable &m = byCat.months;
        QCOMPARE(m.periods, 1);
        QCOMPARE(m.sum(0, 0), 4100LL);
        QCOMPARE(m.sum(0, 2), 4100LL);
        QCOMPARE(m.sum(0, 1), 3LL);
        QCOMPARE(m.sum(0, 3), 20LL); // 野菜
        QCOMPARE(m.keyTotals, (QList<Yen>{4100, 3, 4100, 20}));
        QCOMPARE(m.grandTotal, 4123LL);
    }

    void zeroSumsAndDaysWithoutPayments() {
        const QString U = QStringLiteral("使途不明金");
        const QByteArray data = lines({
            pay(QStringLiteral("2005/02/03"), U, U, -500),
            pay(QStringLiteral("2005/02/03"), U, U, 500),
            pay(QStringLiteral("2005/02/05"), S, F, 700),
        });
        const Totals t = computeTotals({}, data, {U, S, C}, TotalsBreakdown::Payee);
        QCOMPARE(t.days.periods, 3);
        QCOMPARE(t.days.sum(0, col(t.days, U)), 0LL);
        QCOMPARE((QList<Yen>{t.days.subtotal(0), t.days.subtotal(1), t.days.subtotal(2)}),
                 (QList<Yen>{0, 0, 700}));
        QCOMPARE(t.months.keyTotals.at(col(t.months, C)), 0LL);
    }

    void fiftyDaysFromTheFirstIncome() {
        const QByteArray incomes = lines({income(QStringLiteral("2005/01/20"), 50000),
                                          income(QStringLiteral("2005/03/25"), 1000)});
        const QByteArray data = lines({pay(QStringLiteral("2005/02/03"), S, F, 100),
                                       pay(QStringLiteral("2005/03/10"), S, F, 200)});
        const Totals t = computeTotals(incomes, data, {S}, TotalsBreakdown::Payee);
        QCOMPARE(t.days.periods, 50);
        QCOMPARE(t.days.periodLabel(0), QStringLiteral("05/01/20"));
        QCOMPARE(t.days.periodLabel(49), QStringLiteral("05/03/10"));
        QCOMPARE(t.days.subtotal(14), 100LL);
        QCOMPARE(t.months.periods, 3);
        QCOMPARE(t.months.periodLabel(0), QStringLiteral("05/01"));
        QCOMPARE(t.months.periodLabel(2), QStringLiteral("05/03"));
        // Without incomes the book starts on its first payment.
        const Totals noIncome = computeTotals({}, data, {S}, TotalsBreakdown::Payee);
        QCOMPARE(noIncome.days.periodLabel(0), QStringLiteral("05/02/03"));
        QCOMPARE(noIncome.months.periods, 2);
        // A book without payments has no rows.
        QCOMPARE(computeTotals(incomes, {}, {S}, TotalsBreakdown::Payee).days.periods, 0);
    }

    // A row's running total is summed on from the kept total before it, as
    // the listing summed it: the sums that stop at the limit, and the way
    // back down from there, come out the same on both sides of every 64th row.
    void runningTotalsComeOutAsListed() {
        QString text;
        for (int i = 0; i < 200; ++i)
            text +=
                pay(QStringLiteral("2005/02/03"), S, F,
                    i < 70 ? 4'000'000'000'000'000'000LL : -(i % 7) * 100'000'000'000'000'000LL) +
                QStringLiteral("\r\n");
        const SearchResult s = computeSearch(cp932::encode(text).value(), {});
        QCOMPARE(s.rows.size(), 200);
        Yen total = 0;
        for (int i = 0; i < 200; ++i) {
            total = addYen(total, s.rows.at(i).amount);
            QCOMPARE(s.runningTotal(i), total);
        }
        QCOMPARE(s.runningTotal(69), std::numeric_limits<Yen>::max());
        QVERIFY(s.runningTotal(199) < s.runningTotal(69));
    }

    // Every sum of both tables is the saturating fold of its payments in file
    // order: with everyday amounts, and with amounts that pass the limits.
    void totalsAreTheFoldsOfTheirPayments_data() {
        QTest::addColumn<bool>("huge");
        QTest::newRow("everyday amounts") << false;
        QTest::newRow("amounts past the limits") << true;
    }
    void totalsAreTheFoldsOfTheirPayments() {
        QFETCH(bool, huge);
        const quint64 seed = 20261208 + huge;
        qInfo("seed %llu", static_cast<unsigned long long>(seed));
        QRandomGenerator rng(seed);
        const QStringList payees{S, C, QStringLiteral("本屋")}; // 本屋 is not in the master
        QStringList records;
        QList<std::tuple<qint64, int, qint64>> paid; // day, key column, amount
        for (int i = 0; i < 400; ++i) {
            // Mostly in date order, now and then a record days back.
            const QDate day = QDate(2005, 1, 1).addDays(i / 5 - (rng.bounded(8) == 0 ? 9 : 0));
            const int payee = rng.bounded(3);
            const qint64 amount =
                huge ? (rng.bounded(2) ? 1 : -1) * (4'000'000'000'000'000'000LL + rng.bounded(1000))
                     : qint64(rng.bounded(200000)) - 20000;
            records << pay(day.toString(QStringLiteral("yyyy/MM/dd")), payees.at(payee), F, amount);
            paid.append({day.toJulianDay(), std::min(payee, 2), amount});
        }
        QByteArray data;
        for (const QString &r : records)
            data += cp932::encode(r + QStringLiteral("\r\n")).value();
        const Totals t = computeTotals({}, data, {S, C}, TotalsBreakdown::Payee);
        // The book runs from its first record's day to its last one's.
        const qint64 first = std::get<0>(paid.first()), last = std::get<0>(paid.last());
        for (const TotalsTable *table : {&t.days, &t.months}) {
            const auto periodOf = [&](qint64 day) {
                const QDate d = QDate::fromJulianDay(day), f = QDate::fromJulianDay(first);
                return table == &t.days ? int(day - first)
                                        : (d.year() - f.year()) * 12 + d.month() - f.month();
            };
            std::map<std::pair<int, int>, Yen> sums;
            std::map<int, Yen> subtotals;
            QList<Yen> keyTotals(3, 0);
            Yen grand = 0;
            for (const auto &[day, k, amount] : paid) {
                if (day < first || day > last) continue;
                const int p = periodOf(day);
                sums[{p, k}] = addYen(sums[{p, k}], amount);
                subtotals[p] = addYen(subtotals[p], amount);
                keyTotals[k] = addYen(keyTotals[k], amount);
                grand = addYen(grand, amount);
            }
            for (int p = 0; p < table->periods; ++p) {
                QCOMPARE(table->subtotal(p), subtotals[p]);
                for (int k = 0; k < 3; ++k)
                    QCOMPARE(table->sum(p, k), (sums[{p, k}]));
            }
            QCOMPARE(table->keyTotals, keyTotals);
            QCOMPARE(table->grandTotal, grand);
        }
    }

    void sumsDoNotWrap() {
        const QByteArray data = lines({pay(QStringLiteral("2005/02/03"), S, F, 2'000'000'000),
                                       pay(QStringLiteral("2005/02/03"), S, F, 2'000'000'000)});
        const Totals t = computeTotals({}, data, {S}, TotalsBreakdown::Payee);
        QCOMPARE(t.months.grandTotal, 4'000'000'000LL);
        QCOMPARE(t.days.sum(0, 0), 4'000'000'000LL);
        const SearchResult s = computeSearch(data, {});
        QCOMPARE(s.runningTotal(s.rows.size() - 1), 4'000'000'000LL);
        QCOMPARE(s.axisMax, 3'000'000'000LL);
    }

    void calendarCells() {
        const QByteArray incomes =
            lines({income(QStringLiteral("2005/02/14"), 1), income(QStringLiteral("2005/02/16"), 1),
                   income(QStringLiteral("2005/05/02"), 1)});
        const QByteArray data = lines({pay(QStringLiteral("2005/02/16"), S, F, 100),
                                       pay(QStringLiteral("2005/02/16"), S, F, 50),
                                       pay(QStringLiteral("2005/02/17"), S, F, 10),
                                       pay(QStringLiteral("2005/04/30"), S, F, 7)});
        const CalendarTables c = computeCalendar(incomes, data);
        QCOMPARE(c.months.months, 3); // February to April, March without records too
        QCOMPARE(c.months.rowLabel(0), QStringLiteral("2005年02月"));
        QCOMPARE(c.months.rowLabel(1), QStringLiteral("2005年03月"));
        QCOMPARE(c.months.cell(0, 16).payments, 2);
        QVERIFY(c.months.cell(0, 16).income);
        QCOMPARE(c.months.cell(0, 14).payments, 0);
        QVERIFY(c.months.cell(0, 14).income);
        QCOMPARE(c.months.cell(0, 17).payments, 1);
        QVERIFY(!c.months.cell(0, 17).income);
        // Monday 2005/02/14 first: the first week starts on Sunday 02/13.
        QCOMPARE(c.weeks.rowLabel(0), QStringLiteral("05年02月13日"));
        QCOMPARE(c.weeks.cell(0, 3).payments, 2); // Wednesday 02/16
        QVERIFY(c.weeks.cell(0, 1).income);
        // The income of May is after the last row of both tables: nothing coloured.
        const int lastWeek = c.weeks.weeks - 1;
        QCOMPARE(c.weeks.rowLabel(lastWeek), QStringLiteral("05年04月24日"));
        for (int w = 0; w < 7; ++w)
            QVERIFY(!c.weeks.cell(lastWeek, w).income);
        // Payments only in the weekday counters.
        QCOMPARE(c.weekdayCounts, (std::array<qint64, 7>{0, 0, 0, 2, 1, 0, 1}));
        QCOMPARE(c.weekdayAmounts, (std::array<Yen, 7>{0, 0, 0, 150, 10, 0, 7}));
    }

    // Every week label from 1899 to 2101, as the date's own yy年MM月dd日.
    void weekLabelsAcrossCenturies() {
        WeekCalendarTable t;
        t.firstSunday = QDate(1899, 1, 1).toJulianDay();
        for (int row = 0; row < 202 * 53; ++row)
            QCOMPARE(t.rowLabel(row), QDate::fromJulianDay(t.firstSunday + 7LL * row)
                                          .toString(QStringLiteral("yy年MM月dd日")));
    }

    void weekTableOnASundayFirstDay() {
        const QByteArray data = lines({pay(QStringLiteral("2005/02/13"), S, F, 100)});
        const CalendarTables c = computeCalendar({}, data);
        QCOMPARE(c.weeks.weeks, 2);
        QCOMPARE(c.weeks.rowLabel(0), QStringLiteral("05年02月06日"));
        for (int w = 0; w < 7; ++w)
            QCOMPARE(c.weeks.cell(0, w).payments, 0);
        QCOMPARE(c.weeks.cell(1, 0).payments, 1);
        QCOMPARE(computeCalendar({}, {}).weeks.weeks, 0);
        QCOMPARE(computeCalendar({}, {}).weekdayCounts, (std::array<qint64, 7>{}));
    }

    void searchTests() {
        const QByteArray data = lines({
            pay(QStringLiteral("2005/02/13"), QStringLiteral("スーパー丸正"), F, 1000), // Sun
            pay(QStringLiteral("2005/02/13"), C, QStringLiteral("日用品"), 1050),
            pay(QStringLiteral("2005/02/14"), S, QStringLiteral("外食費"), 300), // Mon
            pay(QStringLiteral("2005/02/20"), C, F, 20),                         // Sun
        });
        SearchResult all = computeSearch(data, {});
        QCOMPARE(all.dates, (QStringList{QStringLiteral("2005/02/13"), QStringLiteral("2005/02/14"),
                                         QStringLiteral("2005/02/20")}));
        QCOMPARE(all.rows.size(), 4);
        QCOMPARE(all.runningTotal(2), 2350LL);
        QCOMPARE(all.rows.at(0).weekday(), 0);
        QCOMPARE(all.peak, 1100LL); // 1,000 then 1,050 does not exceed 1,100
        QCOMPARE(all.axisMax, 2000LL);

        SearchQuery q;
        q.test = SearchTest::Period;
        q.from = QStringLiteral("2005/02/14");
        q.to = QStringLiteral("2005/02/20");
        SearchResult r = computeSearch(data, q);
        QCOMPARE(r.rows.size(), 2);
        QVERIFY(r.dates.isEmpty());
        QCOMPARE(r.runningTotal(0), 300LL);

        q.test = SearchTest::Key;
        q.from = QStringLiteral("2005/01/01");
        q.key = S; // part of スーパー丸正
        QCOMPARE(computeSearch(data, q).rows.size(), 2);
        q.keyInPayee = false;
        q.key = QStringLiteral("食");
        QCOMPARE(computeSearch(data, q).rows.size(), 3);
        q.key.clear();
        QCOMPARE(computeSearch(data, q).rows.size(), 4);

        q.test = SearchTest::Week;
        q.weekday = 0;
        q.key = S;
        QCOMPARE(computeSearch(data, q).rows.size(), 3); // the key is not looked at
        q.test = SearchTest::KeyWeek;
        q.keyInPayee = true;
        r = computeSearch(data, q);
        QCOMPARE(r.rows.size(), 1);
        QCOMPARE(r.payee(0), QStringLiteral("スーパー丸正"));

        // Nothing listed: axis 1; a period the wrong way round lists nothing.
        q.test = SearchTest::Period;
        q.from = QStringLiteral("2005/03/01");
        r = computeSearch(data, q);
        QVERIFY(r.rows.isEmpty());
        QCOMPARE(r.axisMax, 1LL);
        // Dates typed without leading zeros are compared as text.
        q.from = QStringLiteral("2005/2/1");
        q.to = QStringLiteral("2005/2/9");
        QCOMPARE(computeSearch(data, q).rows.size(), 0);
    }

    void axisMaxima_data() {
        QTest::addColumn<qint64>("peak");
        QTest::addColumn<qint64>("max");
        QTest::newRow("0") << 0LL << 1LL;
        QTest::newRow("150") << 150LL << 200LL;
        QTest::newRow("3,556") << 3556LL << 4000LL;
        QTest::newRow("9,100") << 9100LL << 10000LL;
        QTest::newRow("1,100") << 1100LL << 2000LL;
    }
    void axisMaxima() {
        QFETCH(qint64, peak);
        QFETCH(qint64, max);
        QCOMPARE(searchAxisMax(peak), max);
    }

    void periodButtons() {
        const QDate today(2005, 3, 1);
        auto range = [&](SearchPeriod p) { return periodEndingToday(p, today); };
        QCOMPARE(range(SearchPeriod::Yesterday).from, QStringLiteral("2005/02/28"));
        QCOMPARE(range(SearchPeriod::Yesterday).to, QStringLiteral("2005/03/01"));
        QCOMPARE(range(SearchPeriod::ThreeDays).from, QStringLiteral("2005/02/27"));
        QCOMPARE(range(SearchPeriod::Week).from, QStringLiteral("2005/02/22"));
        QCOMPARE(range(SearchPeriod::TwoWeeks).from, QStringLiteral("2005/02/15"));
        QCOMPARE(range(SearchPeriod::Month).from, QStringLiteral("2005/01/30"));
        QCOMPARE(range(SearchPeriod::ThreeMonths).from, QStringLiteral("2004/12/01"));
        QCOMPARE(range(SearchPeriod::HalfYear).from, QStringLiteral("2004/09/02"));
        QCOMPARE(range(SearchPeriod::Year).from, QStringLiteral("2004/03/01"));
    }

    // A generated book against a straightforward computation over decoded records.
    void randomBookAgainstPlainComputation() {
        auto *rng = QRandomGenerator::global();
        const QStringList payees{S, C, QStringLiteral("スーパー丸正"), O, QStringLiteral("駅")};
        const QStringList cats{F, QStringLiteral("交通費"), O, QStringLiteral("雑費")};
        const QStringList payeeMaster{S, C, O}, catMaster{F, QStringLiteral("交通費"), F};
        struct Rec {
            QDate date;
            QString payee, category;
            qint64 amount;
        };
        QList<Rec> recs;
        QList<QDate> incomeDates;
        const QDate start(2003, 1, 1 + rng->bounded(28));
        QDate d = start.addDays(rng->bounded(40));
        QStringList dataLines, incomeLines{income(dateText(start), 100000)};
        incomeDates << start;
        for (int i = 0; i < 3000; ++i) {
            d = d.addDays(rng->bounded(3) == 0 ? 1 : 0);
            const Rec r{d, payees.at(rng->bounded(payees.size())),
                        cats.at(rng->bounded(cats.size())),
                        static_cast<qint64>(rng->bounded(5000)) - 500};
            recs << r;
            dataLines << pay(dateText(r.date), r.payee, r.category, r.amount);
            if (rng->bounded(40) == 0) {
                incomeLines << income(dateText(d), 5000);
                incomeDates << d;
            }
        }
        auto join = [](const QStringList &l) {
            return cp932::encode(l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).value();
        };
        const QByteArray data = join(dataLines), incomes = join(incomeLines);
        const QDate first = start, last = recs.last().date;

        // Totals by category, day by day.
        const Totals t = computeTotals(incomes, data, catMaster, TotalsBreakdown::Category);
        QCOMPARE(t.days.periods, static_cast<int>(first.daysTo(last) + 1));
        std::map<std::pair<qint64, QString>, qint64> perDayCat;
        std::map<QString, qint64> perCat;
        for (const Rec &r : recs) {
            const QString key = catMaster.contains(r.category) ? r.category : O;
            perDayCat[{first.daysTo(r.date), key}] += r.amount;
            perCat[key] += r.amount;
        }
        for (int p = 0; p < t.days.periods; ++p)
            for (int k = 0; k < t.days.keys.size(); ++k) {
                const auto it = perDayCat.find({p, t.days.keys.at(k)});
                QCOMPARE(t.days.sum(p, k), it == perDayCat.end() ? 0 : it->second);
            }
        for (int k = 0; k < t.months.keys.size(); ++k)
            QCOMPARE(t.months.keyTotals.at(k), perCat[t.months.keys.at(k)]);

        // Calendar counts.
        const CalendarTables c = computeCalendar(incomes, data);
        std::map<QDate, int> count;
        std::array<qint64, 7> perWeekday{};
        for (const Rec &r : recs) {
            ++count[r.date];
            ++perWeekday[r.date.dayOfWeek() % 7];
        }
        QCOMPARE(c.weekdayCounts, perWeekday);
        for (int row = 0; row < c.weeks.weeks; ++row)
            for (int w = 0; w < 7; ++w) {
                const QDate day = QDate::fromJulianDay(c.weeks.firstSunday + row * 7 + w);
                QCOMPARE(day.dayOfWeek() % 7, w);
                QCOMPARE(c.weeks.cell(row, w).payments, count[day]);
                QCOMPARE(c.weeks.cell(row, w).income,
                         incomeDates.contains(day) &&
                             day <= last.addDays(6 - last.dayOfWeek() % 7));
            }
        for (int row = 0; row < c.months.months; ++row) {
            const QDate month = first.addMonths(row);
            for (int day = 1; day <= month.daysInMonth(); ++day)
                QCOMPARE(c.months.cell(row, day).payments,
                         count[QDate(month.year(), month.month(), day)]);
        }

        // A search by payee fragment, weekday and period.
        SearchQuery q;
        q.test = SearchTest::KeyWeek;
        q.from = dateText(first.addDays(30));
        q.to = dateText(last.addDays(-30));
        q.key = QStringLiteral("スーパー");
        q.weekday = rng->bounded(7);
        const SearchResult s = computeSearch(data, q);
        QList<Rec> expected;
        for (const Rec &r : recs)
            if (dateText(r.date) >= q.from && dateText(r.date) <= q.to && r.payee.contains(q.key) &&
                r.date.dayOfWeek() % 7 == q.weekday)
                expected << r;
        QCOMPARE(s.rows.size(), expected.size());
        qint64 total = 0;
        for (int i = 0; i < expected.size(); ++i) {
            total += expected.at(i).amount;
            QCOMPARE(s.payee(i), expected.at(i).payee);
            QCOMPARE(s.runningTotal(i), total);
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCore)
#include "test_analysis_core.moc"
