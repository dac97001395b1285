// The totals page (集計) through the real window.
#include <QRadioButton>
#include <QTest>
#include <map>

#include "analysisbook.h"
#include "records/clock.h"
#include "ui/grid.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString S = QStringLiteral("スーパー");
const QString C = QStringLiteral("コンビニ");
const QString F = QStringLiteral("食費");
const QString O = QStringLiteral("その他");
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);

QStringList header(const Grid *g) {
    QStringList out;
    for (int c = 0; c < g->cols(); ++c)
        out << g->text(0, c);
    return out;
}
} // namespace

class TestTotals : public QObject, public WindowFixture {
    Q_OBJECT
private:
    void open(const QString &incomes, const QString &payments, const QString &payeeMaster,
              const QString &categoryMaster) {
        book().write(kIncome, incomes);
        m_dir->write(kData, payments);
        m_dir->write(QStringLiteral("支払いマスタ.txt"), payeeMaster);
        m_dir->write(QStringLiteral("費目マスタ.txt"), categoryMaster);
        WindowFixture::open();
    }
    Grid *months() { return c<Grid>("msgKakei1"); }
    Grid *days() { return c<Grid>("msgKakei2"); }
    void byCategory() {
        c<QRadioButton>("optList2_1")->click();
        settle();
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 3, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void namesOutsideOrTwiceInTheMaster() {
        open(incomeLine(QStringLiteral("2005/02/01"), 50000),
             payLine(QStringLiteral("2005/02/01"), S, F, 1000) +
                 payLine(QStringLiteral("2005/02/01"), QStringLiteral("八百屋"),
                         QStringLiteral("野菜"), 300) +
                 payLine(QStringLiteral("2005/02/02"), O, O, 40) +
                 payLine(QStringLiteral("2005/02/02"), C, F, 5),
             QStringLiteral("スーパー\r\nその他\r\nコンビニ\r\n"),
             QStringLiteral("食費\r\nその他\r\n食費\r\n"));
        click("cmdKakei");
        QVERIFY(c("fraKakei")->isVisible());
        QVERIFY(c<QRadioButton>("optList2_0")->isChecked());
        Grid *d = days();
        QCOMPARE(header(d), (QStringList{"回", "年月日", "小計", S, O, C, O}));
        QCOMPARE(d->fixedCols(), 3);
        QCOMPARE(d->rows(), 3);
        QCOMPARE(d->text(1, 3), QStringLiteral("¥1,000"));
        QCOMPARE(d->text(1, 6), QStringLiteral("¥300")); // 八百屋 is no master payee
        // A payee "その他" counts in the master's column and again in the last one.
        QCOMPARE(d->text(2, 4), QStringLiteral("¥40"));
        QCOMPARE(d->text(2, 6), QStringLiteral("¥40"));
        QCOMPARE(d->text(2, 2), QStringLiteral("¥45"));

        byCategory();
        QCOMPARE(header(days()), (QStringList{"回", "年月日", "小計", F, O, F, O}));
        Grid *m = months();
        QCOMPARE(m->rows(), 3);
        // 食費 twice in the master: both columns.
        QCOMPARE(m->text(1, 3), QStringLiteral("¥1,005"));
        QCOMPARE(m->text(1, 5), QStringLiteral("¥1,005"));
        // A category "その他" only in the master's column; 野菜 in the last.
        QCOMPARE(m->text(1, 4), QStringLiteral("¥40"));
        QCOMPARE(m->text(1, 6), QStringLiteral("¥300"));
        QCOMPARE(m->text(2, 1), QStringLiteral("合計"));
        QCOMPARE(m->text(2, 2), QStringLiteral("¥1,345"));
    }

    void zeroSumsEmptyDaysAndTheTotalRow() {
        const QString U = QStringLiteral("使途不明金");
        open(incomeLine(QStringLiteral("2005/02/01"), 50000),
             payLine(QStringLiteral("2005/02/01"), U, U, -500) +
                 payLine(QStringLiteral("2005/02/01"), U, U, 500) +
                 payLine(QStringLiteral("2005/02/03"), S, F, 800),
             QStringLiteral("使途不明金\r\nスーパー\r\nコンビニ\r\n"), QStringLiteral("食費\r\n"));
        click("cmdKakei");
        Grid *d = days();
        QCOMPARE(d->rows(), 4);
        QCOMPARE(d->text(1, 3), QString()); // -500 + 500 leaves the cell empty
        QCOMPARE(d->text(1, 2), QStringLiteral("¥0"));
        // A day without payments is listed with ¥0 and empty key cells.
        QCOMPARE(d->text(2, 0), QStringLiteral("2"));
        QCOMPARE(d->text(2, 1), QStringLiteral("05/02/02"));
        QCOMPARE(d->text(2, 2), QStringLiteral("¥0"));
        for (int col = 3; col < d->cols(); ++col)
            QCOMPARE(d->text(2, col), QString());
        QCOMPARE(d->cellBackColor(2, 1), kWhite);
        QCOMPARE(d->cellBackColor(2, 2), kWhite);
        QVERIFY(d->cellBackColor(2, 0) != kWhite); // column 0 keeps the header colour
        QCOMPARE(d->colAlignment(4), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(d->fixedAlignment(4), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(d->fixedAlignment(1), Qt::AlignCenter);

        Grid *m = months();
        QCOMPARE(m->rows(), 3);
        const int total = 2;
        QCOMPARE(m->text(total, 0), QString());
        QCOMPARE(m->text(total, 1), QStringLiteral("合計"));
        QCOMPARE(m->text(total, 2), QStringLiteral("¥800"));
        QCOMPARE(m->text(total, 3), QStringLiteral("¥0"));
        QCOMPARE(m->text(total, 5), QStringLiteral("¥0")); // コンビニ never paid
        QCOMPARE(m->text(1, 5), QString());
        for (int col = 1; col < m->cols(); ++col)
            QCOMPARE(m->cellForeColor(total, col), kRed);
        QVERIFY(m->cellForeColor(1, 3) != kRed);
        QCOMPARE(m->cellBackColor(total, 1), kWhite);
    }

    void fiftyDaysFromTheFirstIncome() {
        open(incomeLine(QStringLiteral("2005/01/20"), 50000) +
                 incomeLine(QStringLiteral("2005/03/15"), 1000),
             payLine(QStringLiteral("2005/02/03"), S, F, 100) +
                 payLine(QStringLiteral("2005/03/10"), S, F, 200),
             QStringLiteral("スーパー\r\n"), QStringLiteral("食費\r\n"));
        click("cmdKakei");
        Grid *d = days();
        QCOMPARE(d->rows(), 51);
        QCOMPARE(d->text(1, 1), QStringLiteral("05/01/20"));
        QCOMPARE(d->text(50, 0), QStringLiteral("50"));
        QCOMPARE(d->text(50, 1), QStringLiteral("05/03/10"));
        QCOMPARE(d->text(50, 3), QStringLiteral("¥200"));
        Grid *m = months();
        QCOMPARE(m->rows(), 5);
        QCOMPARE((QStringList{m->text(1, 1), m->text(2, 1), m->text(3, 1), m->text(4, 1)}),
                 (QStringList{"05/01", "05/02", "05/03", "合計"}));
        QCOMPARE(m->text(1, 2), QStringLiteral("¥0"));
    }

    void anEmptyIncomeFileStartsOnTheFirstPayment() {
        open(QString(), payLine(QStringLiteral("2005/02/03"), S, F, 100),
             QStringLiteral("スーパー\r\n"), QStringLiteral("食費\r\n"));
        click("cmdKakei");
        QCOMPARE(days()->rows(), 2);
        QCOMPARE(days()->text(1, 1), QStringLiteral("05/02/03"));
    }

    void aBookWithoutPaymentsShowsHeadersOnly() {
        open(incomeLine(QStringLiteral("2005/02/01"), 50000), QString(),
             QStringLiteral("スーパー\r\n"), QStringLiteral("食費\r\n"));
        click("cmdKakei");
        QCOMPARE(days()->rows(), 1);
        QCOMPARE(months()->rows(), 1);
        QCOMPARE(header(months()), (QStringList{"回", "年月日", "小計", S, O}));
    }

    // Scrolled to the end from 20 daily rows by payee, 19 by category, 8 monthly.
    void scrollThresholds_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("category");
        QTest::addColumn<bool>("dayScrolled");
        QTest::newRow("payee 19 rows") << 18 << false << false;
        QTest::newRow("payee 20 rows") << 19 << false << true;
        QTest::newRow("category 18 rows") << 17 << true << false;
        QTest::newRow("category 19 rows") << 18 << true << true;
    }
    void scrollThresholds() {
        QFETCH(int, days);
        QFETCH(bool, category);
        QFETCH(bool, dayScrolled);
        open(QString(), dailyPayments(QDate(2005, 2, 1), days), QStringLiteral("駅\r\n"),
             QStringLiteral("交通費\r\n"));
        click("cmdKakei");
        if (category) byCategory();
        QCOMPARE(this->days()->rows(), days + 1);
        QCOMPARE(this->days()->topRow() > 1, dayScrolled);
    }

    void monthlyScrollFromEightRows() {
        for (const auto &[monthsOfBook, scrolled] : {std::pair{5, false}, std::pair{6, true}}) {
            QString data;
            for (int m = 0; m < monthsOfBook; ++m)
                data += payLine(dayText(QDate(2005, 1 + m, 1)), S, F, 10);
            open(QString(), data, QStringLiteral("スーパー\r\n"), QStringLiteral("食費\r\n"));
            // A grid lower than its rows, so that the scroll can show.
            months()->resize(months()->width(), 120);
            click("cmdKakei");
            QCOMPARE(months()->rows(), monthsOfBook + 2);
            QCOMPARE(months()->topRow() > 1, scrolled);
            closeAll();
        }
    }

    void openingAlwaysShowsThePayeeBreakdown() {
        open(QString(), payLine(QStringLiteral("2005/02/03"), S, F, 100),
             QStringLiteral("スーパー\r\n"), QStringLiteral("食費\r\n"));
        click("cmdKakei");
        byCategory();
        QCOMPARE(days()->text(0, 3), F);
        click("cmdMain");
        click("cmdKakei");
        QVERIFY(c<QRadioButton>("optList2_0")->isChecked());
        QCOMPARE(days()->text(0, 3), S);
        // A payment saved meanwhile shows at the next opening.
        click("cmdMain");
        m_dir->write(kData, payLine(QStringLiteral("2005/02/03"), S, F, 100) +
                                payLine(QStringLiteral("2005/02/04"), S, F, 7));
        click("cmdKakei");
        QCOMPARE(days()->rows(), 3);
        QCOMPARE(days()->text(2, 3), QStringLiteral("¥7"));
    }

    // A generated book against sums made here, cell by cell.
    void randomBook() {
        const QStringList payees{S, C, QStringLiteral("駅"), QStringLiteral("本屋")};
        const QStringList cats{F, QStringLiteral("交通費"), QStringLiteral("雑費")};
        const QList<GeneratedRecord> recs = generateRecords(QDate(2004, 11, 7), 3000, payees, cats);
        const QDate first(2004, 11, 2);
        open(incomeLine(dayText(first), 90000), recordLines(recs),
             QStringLiteral("スーパー\r\nコンビニ\r\n駅\r\n"),
             QStringLiteral("食費\r\n交通費\r\n"));
        click("cmdKakei");
        byCategory();
        std::map<std::pair<int, QString>, qint64> perMonth;
        std::map<QString, qint64> perCat;
        for (const GeneratedRecord &r : recs) {
            const QString key = r.category == QStringLiteral("雑費") ? O : r.category;
            const int month = (r.date.year() - first.year()) * 12 + r.date.month() - first.month();
            perMonth[{month + 1, key}] += r.amount;
            perCat[key] += r.amount;
        }
        Grid *m = months();
        const int monthRows = (recs.last().date.year() - first.year()) * 12 +
                              recs.last().date.month() - first.month() + 1;
        QCOMPARE(m->rows(), monthRows + 2);
        for (int r = 1; r <= monthRows; ++r)
            for (int col = 3; col < m->cols(); ++col) {
                const qint64 v = perMonth[{r, m->text(0, col)}];
                QCOMPARE(m->text(r, col), v == 0 ? QString() : yen(v));
            }
        for (int col = 3; col < m->cols(); ++col)
            QCOMPARE(m->text(monthRows + 1, col), yen(perCat[m->text(0, col)]));
        QCOMPARE(days()->rows(), static_cast<int>(first.daysTo(recs.last().date)) + 2);
    }
};

QTEST_MAIN(TestTotals)
#include "test_totals.moc"
