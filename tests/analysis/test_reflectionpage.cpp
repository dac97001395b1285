// The reflection and simulation page through the real window: the month
// list, marking avoidable payments, and the forecast of a month with the
// planned payments added in the scratch file.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "records/clock.h"
#include "ui/chart.h"
#include "ui/grid.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString kForecast = QStringLiteral("予測データ.txt");
const QColor kMark(192, 255, 255);

QString pay(const char *date, const char *payee, int amount) {
    return QStringLiteral("\"%1\",\"%2\",\"食費\",%3,\"\",\"\"\r\n")
        .arg(QString::fromLatin1(date), QString::fromUtf8(payee))
        .arg(amount);
}
QString plan(const char *date, int amount) {
    return QStringLiteral("\"%1\",\"\",\"\",%2,\"\",\"\"\r\n")
        .arg(QString::fromLatin1(date))
        .arg(amount);
}
const QString kIncomes = QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"
                                        "\"2005/02/25\",\"給料\",100000\r\n");
const QString kPayments = pay("2005/01/10", "八百屋", 1200) + pay("2005/01/15", "本屋", 800) +
                          pay("2005/02/03", "八百屋", 500) + pay("2005/02/14", "花屋", 2000);
} // namespace

class TestReflectionPage : public QObject, public WindowFixture {
    Q_OBJECT
private:
    Grid *reflection() { return c<Grid>("msgSim1"); }
    Grid *forecast() { return c<Grid>("msgSim2"); }
    Chart *chart() { return c<Chart>("mcrYosou"); }
    QString muda() { return c<QLabel>("lblMuda")->text(); }
    void openReflection() {
        book().write(kIncome, kIncomes);
        m_dir->write(kData, kPayments);
        open();
        click("cmdSyoukai");
    }
    void clickDate(QDate d) {
        c<MonthCalendar>("mtvSim")->clickDate(d);
        settle();
    }
    // What the user does: a day in the calendar, an amount, the save button.
    void addPlan(QDate d, const QString &amount) {
        clickDate(d);
        c<QLineEdit>("txtSim2")->setText(amount);
        click("cmdHozonSim");
    }
    // A month picked in the list with the keyboard, as a user would.
    void pickMonth(const QString &month) {
        auto *months = c<QComboBox>("cboSelMonth");
        const int wanted = months->findText(month);
        QVERIFY(wanted >= 0);
        while (months->currentIndex() != wanted)
            QTest::keyClick(months, months->currentIndex() > wanted ? Qt::Key_Up : Qt::Key_Down);
        settle();
    }
    bool rowMarked(int row) {
        for (int col = 0; col < 4; ++col)
            if (reflection()->cellBackColor(row, col) != kMark) return false;
        return true;
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 4, 5)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    // --- Reflection ---

    void monthsRunFromTheFirstPaymentToTodayAlsoOverEmptyMonths() {
        openReflection();
        QVERIFY(c("fraSim")->isVisible());
        auto *months = c<QComboBox>("cboSelMonth");
        QCOMPARE(months->count(), 4);
        QCOMPARE(months->itemText(0), QStringLiteral("2005/01"));
        QCOMPARE(months->itemText(3), QStringLiteral("2005/04"));
        QCOMPARE(months->currentText(), QStringLiteral("2005/04"));
        QCOMPARE(reflection()->rows(), 1); // April holds no payment
        QCOMPARE(reflection()->text(0, 1), QStringLiteral("支払い"));
    }

    void markingAndUnmarkingRowsSumsTheAvoidableMoney() {
        openReflection();
        pickMonth(QStringLiteral("2005/01"));
        QCOMPARE(reflection()->rows(), 3);
        QCOMPARE(reflection()->text(1, 0), QStringLiteral("05/01/10"));
        QCOMPARE(reflection()->text(1, 1), QStringLiteral("八百屋"));
        QCOMPARE(reflection()->text(1, 2), QStringLiteral("食費"));
        QCOMPARE(reflection()->text(1, 3), QStringLiteral("¥1,200"));
        reflection()->clickCell(1, 2);
        QVERIFY(rowMarked(1));
        QCOMPARE(muda(), QStringLiteral("¥1,200"));
        reflection()->clickCell(1, 0);
        QVERIFY(!rowMarked(1));
        QCOMPARE(reflection()->cellBackColor(1, 3), QColor(Qt::white));
        QCOMPARE(muda(), QStringLiteral("¥0"));
        reflection()->clickCell(1, 3);
        reflection()->clickCell(2, 1);
        QCOMPARE(muda(), QStringLiteral("¥2,000"));
        // Another month starts unmarked with an empty sum.
        pickMonth(QStringLiteral("2005/02"));
        QCOMPARE(muda(), QString());
        QCOMPARE(reflection()->rows(), 3);
        QVERIFY(!rowMarked(1) && !rowMarked(2));
        reflection()->clickCell(2, 1);
        QCOMPARE(muda(), QStringLiteral("¥2,000"));
    }

    void aClickOnTheHeaderOnlyGridDoesNothing() {
        openReflection();
        reflection()->clickCell(0, 1);
        QCOMPARE(muda(), QString());
    }

    // --- Simulation ---

    void theFirstMonthStartsOnTheOpeningDayWithEarlierRowsEmpty() {
        openReflection();
        clickDate(QDate(2005, 1, 20));
        QCOMPARE(forecast()->rows(), 32);
        QCOMPARE(forecast()->text(0, 0), QStringLiteral("日付け"));
        QCOMPARE(forecast()->text(9, 0), QString());
        QCOMPARE(forecast()->text(9, 2), QString());
        QCOMPARE(forecast()->text(10, 0), QStringLiteral("2005/01/10"));
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥1,200"));
        QCOMPARE(forecast()->text(10, 2), QStringLiteral("¥48,800"));
        QCOMPARE(forecast()->text(11, 1), QStringLiteral("¥0"));
        QCOMPARE(forecast()->text(31, 2), QStringLiteral("¥48,000"));
        QCOMPARE(forecast()->topRow(), 10);
        QCOMPARE(chart()->rowCount(), 31);
        QCOMPARE(chart()->rowLabel(31), QStringLiteral("31"));
        QCOMPARE(chart()->value(9, 1), 0.0);
        QCOMPARE(chart()->value(10, 1), 48800.0);
        QCOMPARE(chart()->value(10, 2), 47727.0); // 50000 less 50000 / 22
        QCOMPARE(chart()->value(15, 3), 800.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 50000.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Secondary), 2000.0);
    }

    void aLaterMonthStartsOnTheFirstWithTheCarryOver() {
        openReflection();
        clickDate(QDate(2005, 2, 1));
        QCOMPARE(forecast()->rows(), 29);
        QCOMPARE(forecast()->text(1, 0), QStringLiteral("2005/02/01"));
        QCOMPARE(forecast()->text(1, 1), QStringLiteral("¥0"));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥48,000"));
        QCOMPARE(forecast()->text(25, 2), QStringLiteral("¥145,500"));
        QCOMPARE(forecast()->topRow(), 1);
        QCOMPARE(chart()->value(1, 2), 46286.0); // 48000 less 48000 / 28
    }

    void aPlannedPaymentAddsToItsDayAndLowersEveryLaterCarry() {
        openReflection();
        clickDate(QDate(2005, 3, 1));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥145,500"));
        addPlan(QDate(2005, 2, 3), QStringLiteral("1,000"));
        QCOMPARE(forecast()->text(3, 1), QStringLiteral("¥1,500"));
        QCOMPARE(chart()->value(3, 3), 1500.0);
        QCOMPARE(c<QLineEdit>("txtSim2")->text(), QString());
        clickDate(QDate(2005, 3, 1));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥144,500"));
        clickDate(QDate(2005, 4, 1));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥144,500"));
        QCOMPARE(m_dir->bytes(kData), sjis(kPayments)); // the book itself is untouched
    }

    void plansEnteredInReverseDateOrderBothCount() {
        openReflection();
        addPlan(QDate(2005, 3, 20), QStringLiteral("3000"));
        addPlan(QDate(2005, 3, 10), QStringLiteral("2000"));
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥2,000"));
        QCOMPARE(forecast()->text(20, 1), QStringLiteral("¥3,000"));
        QCOMPARE(m_dir->bytes(kForecast),
                 sjis(kPayments + plan("2005/03/10", 2000) + plan("2005/03/20", 3000)));
        clickDate(QDate(2005, 4, 2));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥140,500"));
    }

    void reopeningThePageRemovesAllPlans() {
        openReflection();
        addPlan(QDate(2005, 4, 10), QStringLiteral("7000"));
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥7,000"));
        click("cmdMain");
        click("cmdSyoukai");
        QCOMPARE(m_dir->bytes(kForecast), sjis(kPayments));
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥0"));
    }

    void aDateClickInTheSameMonthRecomputesNothing() {
        openReflection();
        clickDate(QDate(2005, 2, 1));
        m_dir->write(kForecast, kPayments + plan("2005/02/20", 9999));
        clickDate(QDate(2005, 2, 5));
        QCOMPARE(forecast()->text(20, 1), QStringLiteral("¥0"));
        clickDate(QDate(2005, 3, 5));
        clickDate(QDate(2005, 2, 5));
        QCOMPARE(forecast()->text(20, 1), QStringLiteral("¥9,999"));
    }

    void theAmountIsReadAsTheOtherAmountsOfTheProgram() {
        openReflection();
        addPlan(QDate(2005, 4, 10), QStringLiteral("50,000"));
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥50,000"));
        const QByteArray planned = m_dir->bytes(kForecast);
        QCOMPARE(planned, sjis(kPayments + plan("2005/04/10", 50000)));

        addPlan(QDate(2005, 4, 11), QStringLiteral("abc"));
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("金額は数字で入力してください"));
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("金額異常"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok);
        QCOMPARE(m_dir->bytes(kForecast), planned);

        addPlan(QDate(2005, 4, 11), QString());
        QCOMPARE(m_boxes->seen.size(), 2);
        QCOMPARE(m_boxes->seen[1].text, QStringLiteral("金額が入力されていません"));
        QCOMPARE(m_boxes->seen[1].title, QStringLiteral("金額未入力"));
        QCOMPARE(m_boxes->seen[1].icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kForecast), planned);
        QVERIFY(!m_dir->exists(QStringLiteral("予測データコピー.txt")));
    }

    void enterInTheAmountMovesToTheSaveButton() {
        openReflection();
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        auto *amount = c<QLineEdit>("txtSim2");
        amount->setFocus();
        amount->setText(QStringLiteral("300"));
        QTest::keyClick(amount, Qt::Key_Return);
        settle();
        QVERIFY(c("cmdHozonSim")->hasFocus());
        QCOMPARE(m_dir->bytes(kForecast), sjis(kPayments)); // Enter alone saves nothing
    }

    // Started on the 31st: February has no carry and no income on the 1st,
    // so it is charted from the 1st against a pace of 0, as the main page does.
    void aStartDayPastTheMonthsEndForecastsFromTheFirst() {
        book().write(kIncome, QStringLiteral("\"2005/01/31\",\"スタート時入金\",1000\r\n"));
        m_dir->write(kData, pay("2005/01/31", "八百屋", 1000) + pay("2005/02/10", "本屋", 300));
        open();
        click("cmdSyoukai");
        clickDate(QDate(2005, 2, 20));
        QCOMPARE(forecast()->text(1, 0), QStringLiteral("2005/02/01"));
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥0"));
        QCOMPARE(forecast()->text(10, 2), QStringLiteral("-¥300"));
        QCOMPARE(forecast()->topRow(), 1);
        QCOMPARE(chart()->value(1, 2), 0.0);
        QCOMPARE(chart()->value(28, 2), 0.0);
        QCOMPARE(chart()->axisMax(Chart::Axis::Primary), 1.0);
    }

    void anEmptyPaymentFileKeepsTheMonthList() {
        openReflection();
        click("cmdMain");
        m_dir->write(kData, QString());
        click("cmdSyoukai");
        QCOMPARE(c<QComboBox>("cboSelMonth")->count(), 4);
        QCOMPARE(reflection()->rows(), 1);
        QCOMPARE(m_dir->bytes(kForecast), QByteArray());
        QCOMPARE(forecast()->text(1, 2), QStringLiteral("¥150,000")); // incomes only
    }

    // The month list is kept, but the marks are gone with the rows: so is their sum.
    void anOpeningWithoutPaymentsClearsTheSum() {
        openReflection();
        pickMonth(QStringLiteral("2005/01"));
        reflection()->clickCell(1, 1);
        QCOMPARE(muda(), QStringLiteral("¥1,200"));
        click("cmdMain");
        m_dir->write(kData, QString());
        click("cmdSyoukai");
        QCOMPARE(c<QComboBox>("cboSelMonth")->currentText(), QStringLiteral("2005/01"));
        QCOMPARE(reflection()->rows(), 1);
        QCOMPARE(muda(), QString());
    }

    void aClickInTheForecastGoesToColumnZero() {
        openReflection();
        forecast()->clickCell(5, 2);
        QCOMPARE(forecast()->currentRow(), 5);
        QCOMPARE(forecast()->currentCol(), 0);
    }

    void aSecondClickWhileShownDoesNothing() {
        openReflection();
        addPlan(QDate(2005, 4, 10), QStringLiteral("7000"));
        click("cmdSyoukai");
        QCOMPARE(forecast()->text(10, 1), QStringLiteral("¥7,000"));
        QCOMPARE(m_dir->bytes(kForecast), sjis(kPayments + plan("2005/04/10", 7000)));
    }
};

QTEST_MAIN(TestReflectionPage)
#include "test_reflectionpage.moc"
