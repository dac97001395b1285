// The calendar page (カレンダ) through the real window.
#include <QTest>
#include <map>

#include "analysisbook.h"
#include "records/clock.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString S = QStringLiteral("スーパー");
const QString F = QStringLiteral("食費");
const QColor kOrange(0xFF, 0xE0, 0xC0);
const QColor kGreen(0xC0, 0xFF, 0xC0);
} // namespace

class TestCalendar : public QObject, public WindowFixture {
    Q_OBJECT
private:
    void open(const QString &incomes, const QString &payments) {
        book().write(kIncome, incomes);
        m_dir->write(kData, payments);
        WindowFixture::open();
        click("cmdCale");
    }
    Grid *months() { return c<Grid>("msgCale"); }
    Grid *weeks() { return c<Grid>("msgCale_w"); }

private slots:
    void init() { Clock::setToday(QDate(2005, 3, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void paymentCountsOnOrangeIncomesOnGreen() {
        open(incomeLine(QStringLiteral("2005/02/14"), 1) +
                 incomeLine(QStringLiteral("2005/02/16"), 1),
             payLine(QStringLiteral("2005/02/16"), S, F, 100) +
                 payLine(QStringLiteral("2005/02/16"), S, F, 200) +
                 payLine(QStringLiteral("2005/02/17"), S, F, 300) +
                 payLine(QStringLiteral("2005/04/01"), S, F, 5));
        QVERIFY(c("fraCale")->isVisible());
        Grid *m = months();
        QCOMPARE(m->rows(), 4); // February, March without records, April
        QCOMPARE(m->text(0, 0), QStringLiteral("年月"));
        QCOMPARE(m->text(0, 31), QStringLiteral("31"));
        QCOMPARE(m->text(1, 0), QStringLiteral("2005年02月"));
        QCOMPARE(m->text(2, 0), QStringLiteral("2005年03月"));
        QCOMPARE(m->text(1, 16), QStringLiteral("2"));
        QCOMPARE(m->cellBackColor(1, 16), kGreen);
        QCOMPARE(m->text(1, 14), QString());
        QCOMPARE(m->cellBackColor(1, 14), kGreen);
        QCOMPARE(m->text(1, 17), QStringLiteral("1"));
        QCOMPARE(m->cellBackColor(1, 17), kOrange);
        QVERIFY(m->cellBackColor(1, 18) != kOrange);
        QCOMPARE(m->text(3, 1), QStringLiteral("1"));

        // Monday 2005/02/14 first: the week table starts on Sunday 02/13.
        Grid *w = weeks();
        QCOMPARE(w->text(0, 0), QStringLiteral("年月日"));
        QCOMPARE(w->text(0, 1), QStringLiteral("日"));
        QCOMPARE(w->text(0, 7), QStringLiteral("土"));
        QCOMPARE(w->fontPointSize(), 9);
        QCOMPARE(w->text(1, 0), QStringLiteral("05年02月13日"));
        QCOMPARE(w->text(1, 4), QStringLiteral("2")); // Wednesday 02/16
        QCOMPARE(w->cellBackColor(1, 4), kGreen);
        QCOMPARE(w->cellBackColor(1, 2), kGreen); // Monday 02/14
        QCOMPARE(w->text(1, 5), QStringLiteral("1"));
        QCOMPARE(w->text(w->rows() - 1, 0), QStringLiteral("05年03月27日"));
    }

    void aSundayFirstDayLeavesTheFirstWeekEmpty() {
        open(incomeLine(QStringLiteral("2005/02/13"), 1),
             payLine(QStringLiteral("2005/02/13"), S, F, 100));
        Grid *w = weeks();
        QCOMPARE(w->rows(), 3);
        QCOMPARE(w->text(1, 0), QStringLiteral("05年02月06日"));
        for (int col = 1; col <= 7; ++col)
            QCOMPARE(w->text(1, col), QString());
        QCOMPARE(w->text(2, 0), QStringLiteral("05年02月13日"));
        QCOMPARE(w->text(2, 1), QStringLiteral("1"));
        QCOMPARE(w->cellBackColor(2, 1), kGreen);
    }

    void incomesOutsideTheTablesAndTheWeekdayCharts() {
        // The last payment is on Tuesday 02/15; incomes in March and on Wednesday 02/23.
        open(incomeLine(QStringLiteral("2005/02/01"), 1) +
                 incomeLine(QStringLiteral("2005/02/16"), 1) +
                 incomeLine(QStringLiteral("2005/02/23"), 1) +
                 incomeLine(QStringLiteral("2005/03/02"), 1),
             payLine(QStringLiteral("2005/02/01"), S, F, 100) +
                 payLine(QStringLiteral("2005/02/08"), S, F, 250) +
                 payLine(QStringLiteral("2005/02/15"), S, F, 40));
        QCOMPARE(months()->rows(), 2);
        QCOMPARE(months()->cellBackColor(1, 23), kGreen); // within February's row
        Grid *w = weeks();
        QCOMPARE(w->text(w->rows() - 1, 0), QStringLiteral("05年02月13日"));
        QCOMPARE(w->cellBackColor(w->rows() - 1, 4), kGreen); // 02/16, same week
        int green = 0; // 02/01 and 02/16; the week of 02/23 has no row
        for (int r = 1; r < w->rows(); ++r)
            for (int col = 1; col <= 7; ++col)
                green += w->cellBackColor(r, col) == kGreen;
        QCOMPARE(green, 2);
        auto *count = c<Chart>("mcrKensu");
        auto *amount = c<Chart>("mcrKingaku");
        QCOMPARE(count->rowCount(), 7);
        QCOMPARE(count->rowLabel(1), QStringLiteral("日"));
        QCOMPARE(count->rowLabel(4), QStringLiteral("水"));
        QCOMPARE(count->value(3, 1), 3.0); // three Tuesdays
        QCOMPARE(count->value(4, 1), 0.0); // the Wednesday incomes count nothing
        QCOMPARE(amount->value(3, 1), 390.0);
        QCOMPARE(amount->value(4, 1), 0.0);
    }

    void anEmptyBookShowsHeadersAndZeros() {
        open(incomeLine(QStringLiteral("2005/02/01"), 1), QString());
        QCOMPARE(months()->rows(), 1);
        QCOMPARE(weeks()->rows(), 1);
        auto *count = c<Chart>("mcrKensu");
        for (int r = 1; r <= 7; ++r)
            QCOMPARE(count->value(r, 1), 0.0);
    }

    void scrollThresholds() {
        // 12 months (13 rows) stay; 13 months scroll.
        for (const auto &[monthCount, scrolled] : {std::pair{12, false}, std::pair{13, true}}) {
            QString data;
            for (int m = 0; m < monthCount; ++m)
                data += payLine(dayText(QDate(2004, 1, 1).addMonths(m)), S, F, 10);
            open(QString(), data);
            QCOMPARE(months()->rows(), monthCount + 1);
            QCOMPARE(months()->topRow() > 1, scrolled);
            closeAll();
        }
        // 16 rows of weeks stay; 17 scroll. Monday 2005/01/03 first: weeks from Sunday 01/02.
        for (const auto &[weekCount, scrolled] : {std::pair{15, false}, std::pair{16, true}}) {
            open(QString(),
                 payLine(QStringLiteral("2005/01/03"), S, F, 10) +
                     payLine(dayText(QDate(2005, 1, 3).addDays(7 * (weekCount - 1))), S, F, 10));
            QCOMPARE(weeks()->rows(), weekCount + 1);
            QCOMPARE(weeks()->topRow() > 1, scrolled);
            closeAll();
        }
    }

    void randomBook() {
        const QList<GeneratedRecord> recs = generateRecords(QDate(2004, 6, 3), 2500, {S}, {F});
        QSet<QDate> incomeDays;
        QString incomes;
        for (QDate d(2004, 6, 1); d <= recs.last().date; d = d.addDays(17)) {
            incomes += incomeLine(dayText(d), 1000);
            incomeDays.insert(d);
        }
        open(incomes, recordLines(recs));
        std::map<QDate, int> count;
        qint64 perWeekday[7] = {};
        for (const GeneratedRecord &r : recs) {
            ++count[r.date];
            perWeekday[r.date.dayOfWeek() % 7] += r.amount;
        }
        Grid *m = months();
        for (int r = 1; r < m->rows(); ++r) {
            const QDate month = QDate(2004, 6, 1).addMonths(r - 1);
            for (int day = 1; day <= month.daysInMonth(); ++day) {
                const QDate d(month.year(), month.month(), day);
                const int n = count[d];
                QCOMPARE(m->text(r, day), n ? QString::number(n) : QString());
                if (incomeDays.contains(d))
                    QCOMPARE(m->cellBackColor(r, day), kGreen);
                else if (n)
                    QCOMPARE(m->cellBackColor(r, day), kOrange);
            }
        }
        Grid *w = weeks();
        const QDate sunday(2004, 5, 30);
        QCOMPARE(w->text(1, 0), QStringLiteral("04年05月30日"));
        for (int r = 1; r < w->rows(); ++r)
            for (int col = 1; col <= 7; ++col) {
                const int n = count[sunday.addDays(7 * (r - 1) + col - 1)];
                QCOMPARE(w->text(r, col), n ? QString::number(n) : QString());
            }
        for (int wd = 0; wd < 7; ++wd)
            QCOMPARE(c<Chart>("mcrKingaku")->value(wd + 1, 1), static_cast<double>(perWeekday[wd]));
    }
};

QTEST_MAIN(TestCalendar)
#include "test_calendar.moc"
