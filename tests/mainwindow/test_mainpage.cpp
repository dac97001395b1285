// The main page through the real window: the day list, payment entry with its
// checks and messages, and the month balance with its pace line and face mark.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "mainwindow/mainpage.h"
#include "records/clock.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");

QString payLine(const char *date, const char *payee, const char *cat, int amount) {
    return QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"\",\"\"\r\n")
        .arg(QString::fromUtf8(date), QString::fromUtf8(payee), QString::fromUtf8(cat))
        .arg(amount);
}
} // namespace

class TestMainPage : public QObject, public WindowFixture {
    Q_OBJECT
private:
    QString label(const char *name) { return c<QLabel>(name)->text(); }
    void clickDay(QDate d) {
        c<MonthCalendar>("mtvmain")->clickDate(d);
        settle();
    }
    void pickPayee(const QString &payee) {
        auto *list = c<ListBox>("lstMise");
        const auto found = list->findItems(payee, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->clickRow(list->row(found.first()));
    }
    void typeAmount(const QString &text) { c<QLineEdit>("txtOutInp")->setText(text); }
    void save() { click("cmdTaiHozon"); }
    void pressEnter() {
        QTest::keyClick(c<QLineEdit>("txtOutInp"), Qt::Key_Return);
        settle();
    }
    double chartValue(int row, int series) { return c<Chart>("mcrMain")->value(row, series); }
    QString face() {
        QString shown;
        for (const char *name : {"imgwara", "imgniko", "imgkana"})
            if (c(name)->isVisible()) shown += QString::fromLatin1(name);
        return shown;
    }
    // A book whose payee and category masters know 八百屋 / 食費 and 本屋 / 教養.
    void storeBook() {
        m_dir->write(QStringLiteral("支払いマスタ.txt"),
                     QStringLiteral("八百屋\r\n本屋\r\n花屋\r\n"));
        m_dir->write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n教養\r\n"));
        m_dir->write(QStringLiteral("関連.TXT"),
                     QStringLiteral("\"八百屋\",\"食費\"\r\n\"本屋\",\"教養\"\r\n"));
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 14)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    // --- Month balance ---

    void bookStartedMidMonthIsAheadOfPace() {
        book().write(kIncome, QStringLiteral("\"2005/02/14\",\"スタート時入金\",28000\r\n"));
        open();
        QCOMPARE(chartValue(14, 2), 26133.0);
        QCOMPARE(chartValue(14, 1), 28000.0);
        QCOMPARE(chartValue(13, 1), 0.0); // before the start day
        QCOMPARE(chartValue(20, 2), 14931.0);
        QCOMPARE(chartValue(28, 2), -5.0); // the accumulated rounding
        QCOMPARE(label("lblMHyouka"), QStringLiteral("+1,867円"));
        QCOMPARE(face(), QStringLiteral("imgwara"));
        QCOMPARE(labelBackColor(c<QLabel>("lblMHyouka")), QColor(255, 255, 240));
        QCOMPARE(label("lblMonSt"), QStringLiteral("円"));
        QCOMPARE(label("lblMonAdd"), QStringLiteral("28,000円"));
        QCOMPARE(label("lblMonTotal"), QStringLiteral("28,000円"));
        QCOMPARE(label("lblMonOut"), QStringLiteral("円"));
        QCOMPARE(label("lblMonZan"), QStringLiteral("28,000円"));
        QCOMPARE(label("lblMonKeika"), QStringLiteral("14日"));
        QCOMPARE(label("lblMonKeikaAvg"), QStringLiteral("円"));
        QCOMPARE(label("lblMonZanbi"), QStringLiteral("15日"));
        QCOMPARE(label("lblMonZanAvg"), QStringLiteral("1,866円"));
        auto *chart = c<Chart>("mcrMain");
        QCOMPARE(chart->rowCount(), 28);
        QCOMPARE(chart->rowLabel(28), QStringLiteral("28"));
        QCOMPARE(chart->axisMax(Chart::Axis::Primary), 30000.0);
        QCOMPARE(chart->axisMin(Chart::Axis::Primary), 0.0);
        QCOMPARE(chart->axisDivisions(Chart::Axis::Primary), 10);
        QCOMPARE(chart->axisMax(Chart::Axis::Secondary), 1.0);
        QCOMPARE(chart->seriesKind(3), Chart::SeriesKind::Bar);
        QCOMPARE(chart->seriesAxis(3), Chart::Axis::Secondary);
        QCOMPARE(chart->seriesKind(1), Chart::SeriesKind::Line);
        // The pace line is hidden until chkKijun is ticked.
        QVERIFY(!chart->seriesVisible(2));
        c<QAbstractButton>("chkKijun")->click();
        QVERIFY(chart->seriesVisible(2));
        c<QAbstractButton>("chkKijun")->click();
        QVERIFY(!chart->seriesVisible(2));
        QVERIFY(chart->seriesVisible(1) && chart->seriesVisible(3));
    }

    void laterMonthWithCarryStartsThePaceOnTheFirst() {
        book().write(kIncome, QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"));
        open();
        QCOMPARE(chartValue(1, 2), 48214.0);
        QCOMPARE(chartValue(14, 2), 24996.0);
        QCOMPARE(chartValue(28, 2), -8.0); // the accumulated rounding
        QCOMPARE(label("lblMonSt"), QStringLiteral("50,000円"));
        QCOMPARE(label("lblMonAdd"), QStringLiteral("円"));
        QCOMPARE(c<Chart>("mcrMain")->axisMax(Chart::Axis::Primary), 60000.0);
    }

    void moneyLeftEqualToPaceSmiles() {
        book().write(kIncome, QStringLiteral("\"2005/01/10\",\"スタート時入金\",28000\r\n"));
        m_dir->write(kData, QStringLiteral("\"2005/01/10\",\"八百屋\",\"食費\",0,\"\",\"\"\r\n") +
                                payLine("2005/02/01", "八百屋", "食費", 1000));
        Clock::setToday(QDate(2005, 2, 1));
        open();
        QCOMPARE(chartValue(1, 1), 27000.0);
        QCOMPARE(chartValue(1, 2), 27000.0);
        QCOMPARE(label("lblMHyouka"), QStringLiteral("円"));
        QCOMPARE(face(), QStringLiteral("imgniko"));
        QCOMPARE(label("lblMonOut"), QStringLiteral("1,000円"));
        QCOMPARE(label("lblMonKeikaAvg"), QStringLiteral("1,000円"));
    }

    void lastDayOfTheMonth() {
        book().write(kIncome, QStringLiteral("\"2005/01/10\",\"スタート時入金\",30000\r\n"));
        m_dir->write(kData, payLine("2005/02/03", "八百屋", "食費", 1234));
        Clock::setToday(QDate(2005, 2, 28));
        open();
        QCOMPARE(label("lblMonZanbi"), QStringLiteral("1日"));
        QCOMPARE(label("lblMonZan"), QStringLiteral("28,766円"));
        QCOMPARE(label("lblMonZanAvg"), QStringLiteral("28,766円"));
        QCOMPARE(label("lblMonKeikaAvg"), QStringLiteral("44円")); // floor(1234 / 28)
    }

    void sameMonthClickReusesTheChartButTheFaceFollowsTheDay() {
        book().write(kIncome, QStringLiteral("\"2005/02/14\",\"スタート時入金\",28000\r\n"));
        m_dir->write(kData, payLine("2005/02/20", "八百屋", "食費", 20000));
        open();
        QCOMPARE(face(), QStringLiteral("imgwara"));
        // Written behind the program's back: the labels see it, the reused chart does not.
        m_dir->write(kData, payLine("2005/02/16", "本屋", "教養", 500) +
                                payLine("2005/02/20", "八百屋", "食費", 20000));
        clickDay(QDate(2005, 2, 20));
        QCOMPARE(chartValue(16, 1), 28000.0);
        QCOMPARE(label("lblMonOut"), QStringLiteral("20,500円"));
        QCOMPARE(face(), QStringLiteral("imgkana"));
        QCOMPARE(labelBackColor(c<QLabel>("lblMHyouka")), QColor(255, 192, 192));
        QCOMPARE(label("lblMHyouka"), QStringLiteral("-6,931円")); // 8000 - 14931
        // Another month rebuilds it.
        clickDay(QDate(2005, 3, 1));
        QCOMPARE(c<Chart>("mcrMain")->rowCount(), 31);
        clickDay(QDate(2005, 2, 16));
        QCOMPARE(chartValue(16, 1), 27500.0);
    }

    void startDayPastTheMonthEndHasNoPace() {
        // Started on 2005/01/31, everything spent in January: February has no carry.
        book().write(kIncome, QStringLiteral("\"2005/01/31\",\"スタート時入金\",10000\r\n"
                                             "\"2005/02/10\",\"お小遣い\",5000\r\n"));
        m_dir->write(kData, payLine("2005/01/31", "八百屋", "食費", 10000) +
                                payLine("2005/02/12", "八百屋", "食費", 1200));
        Clock::setToday(QDate(2005, 2, 15));
        open();
        QCOMPARE(chartValue(15, 2), 0.0);
        QCOMPARE(chartValue(9, 1), 0.0);
        QCOMPARE(chartValue(10, 1), 5000.0);
        QCOMPARE(chartValue(15, 1), 3800.0);
        QCOMPARE(chartValue(12, 3), 1200.0);
        QCOMPARE(label("lblMHyouka"), QStringLiteral("+3,800円"));
        QCOMPARE(face(), QStringLiteral("imgwara"));
    }

    // --- Day list ---

    void dayListShowsTheDayInEntryOrder() {
        book().write(kData, payLine("2005/02/13", "本屋", "教養", 9) +
                                payLine("2005/02/14", "八百屋", "食費", 100) +
                                payLine("2005/02/14", "本屋", "教養", 250) +
                                payLine("2005/02/14", "花屋", "交際費", 1000) +
                                payLine("2005/2/14", "本屋", "教養",
                                        5000) + // another date form never matches
                                payLine("2005/02/15", "八百屋", "食費", 7));
        open();
        auto *g = c<Grid>("msgDayList");
        QCOMPARE(g->rows(), 4);
        QCOMPARE(g->fixedCols(), 1);
        QCOMPARE(g->fontPointSize(), 11);
        const QStringList headers{g->text(0, 0), g->text(0, 1), g->text(0, 2), g->text(0, 3)};
        QCOMPARE(headers, (QStringList{"回", "支払い", "費目", "価格"}));
        QCOMPARE(g->colWidth(0), 420);
        QCOMPARE(g->colWidth(1), 2050);
        QCOMPARE(g->colWidth(2), 1750);
        QCOMPARE(g->colWidth(3), 1070);
        QCOMPARE(g->fixedAlignment(2), Qt::AlignCenter);
        QCOMPARE(g->colAlignment(0), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(g->colAlignment(1), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(g->colAlignment(3), Qt::AlignRight | Qt::AlignVCenter);
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(g->text(r, 0), QString::number(r));
        QCOMPARE(g->text(3, 1), QStringLiteral("花屋"));
        QCOMPARE(g->text(3, 3), QStringLiteral("¥1,000"));
        QCOMPARE(label("lblDayTotal"), QStringLiteral("1,350円"));
        QCOMPARE(m_w->session().firstPayDate(), QStringLiteral("2005/02/13"));
        QCOMPARE(m_w->session().lastPayDate(), QStringLiteral("2005/02/15"));
        clickDay(QDate(2005, 2, 16));
        QCOMPARE(g->rows(), 1);
        QCOMPARE(label("lblDayTotal"), QStringLiteral("円"));
    }

    void nineOrMorePaymentsScrollToTheEnd() {
        QString lines;
        for (int i = 1; i <= 9; ++i)
            lines += payLine("2005/02/14", "八百屋", "食費", i);
        for (int i = 1; i <= 8; ++i)
            lines += payLine("2005/02/15", "八百屋", "食費", i);
        book().write(kData, lines);
        open();
        auto *g = c<Grid>("msgDayList");
        QCOMPARE(g->rows(), 10);
        QVERIFY(g->topRow() > 1);
        clickDay(QDate(2005, 2, 15));
        QCOMPARE(g->rows(), 9);
        QCOMPARE(g->topRow(), 1);
    }

    void emptyBookKeepsTheDayTotalAndHasNoFirstDate() {
        book().write(kData, payLine("2005/02/14", "八百屋", "食費", 300));
        open();
        QCOMPARE(label("lblDayTotal"), QStringLiteral("300円"));
        m_dir->writeBytes(kData, {});
        clickDay(QDate(2005, 2, 15));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 1);
        QCOMPARE(label("lblDayTotal"), QStringLiteral("300円"));
        QCOMPARE(m_w->session().firstPayDate(), QString());
        QCOMPARE(m_w->session().lastPayDate(), QString()); // from the records, not the last drawing
    }

    void sameDayClickedAgainRecomputesOnlyTheMonth() {
        book().write(kData, payLine("2005/02/14", "八百屋", "食費", 300));
        open();
        clickDay(QDate(2005, 2, 14)); // the handler remembers no day before its first click
        m_dir->write(kData, payLine("2005/02/14", "八百屋", "食費", 300) +
                                payLine("2005/02/14", "本屋", "教養", 200));
        clickDay(QDate(2005, 2, 14));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 2);
        QCOMPARE(label("lblMonOut"), QStringLiteral("500円"));
        clickDay(QDate(2005, 2, 13));
        clickDay(QDate(2005, 2, 14));
        QCOMPARE(c<Grid>("msgDayList")->rows(), 3);
    }

    // --- Payment entry ---

    void payeePickFillsItsLastCategory() {
        book();
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QStringLiteral("食費"));
        QVERIFY(c<QAbstractButton>("cmdTaiHozon")->isEnabled());
        QCOMPARE(m_w->findChild<MainPage *>(QStringLiteral("fraMain"))->currentPayee(),
                 QStringLiteral("八百屋"));
        pickPayee(QStringLiteral("花屋"));
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QString());
        QVERIFY(!c<QAbstractButton>("cmdTaiHozon")->isEnabled());
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("交"));
        QVERIFY(c<QAbstractButton>("cmdTaiHozon")->isEnabled());
    }

    void savedPaymentLandsAndShowsAtOnce() {
        book().write(kIncome, QStringLiteral("\"2005/02/01\",\"スタート時入金\",28000\r\n"));
        storeBook();
        open();
        const QString before = label("lblMonOut");
        pickPayee(QStringLiteral("八百屋"));
        typeAmount(QStringLiteral("1,500"));
        save();
        QVERIFY(m_boxes->seen.isEmpty());
        QCOMPARE(m_dir->bytes(kData), sjis(payLine("2005/02/14", "八百屋", "食費", 1500)));
        QCOMPARE(m_dir->bytes(QStringLiteral("関連.TXT")),
                 sjis(QStringLiteral("\"八百屋\",\"食費\"\r\n\"本屋\",\"教養\"\r\n")));
        QCOMPARE(c<Grid>("msgDayList")->text(1, 3), QStringLiteral("¥1,500"));
        QCOMPARE(label("lblDayTotal"), QStringLiteral("1,500円"));
        QCOMPARE(label("lblMonOut"), QStringLiteral("1,500円"));
        QVERIFY(before != label("lblMonOut"));
        QCOMPARE(chartValue(14, 3), 1500.0); // the chart was rebuilt
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QString());
        QCOMPARE(c<QLineEdit>("txtOutInp")->text(), QString());
        QCOMPARE(m_w->findChild<MainPage *>(QStringLiteral("fraMain"))->currentPayee(), QString());
        QVERIFY(!c<QAbstractButton>("cmdTaiHozon")->isEnabled());
        QCOMPARE(c<ListBox>("lstMise")->currentItem()->text(), QStringLiteral("八百屋"));
        QCOMPARE(m_w->session().lastPayDate(), QStringLiteral("2005/02/14"));
        for (const char *t : {"データコピー.txt", "関連_CHG.TXT"})
            QVERIFY(!m_dir->exists(QString::fromUtf8(t)));
    }

    void paymentsGoInDateOrder() {
        book().write(kData, payLine("2005/02/10", "本屋", "教養", 1) +
                                payLine("2005/02/20", "本屋", "教養", 2));
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        typeAmount(QStringLiteral("300"));
        save(); // 02/14, before the later record
        clickDay(QDate(2005, 2, 20));
        pickPayee(QStringLiteral("本屋"));
        typeAmount(QStringLiteral("400"));
        save(); // on the last day: appended
        QCOMPARE(m_dir->text(kData), payLine("2005/02/10", "本屋", "教養", 1) +
                                         payLine("2005/02/14", "八百屋", "食費", 300) +
                                         payLine("2005/02/20", "本屋", "教養", 2) +
                                         payLine("2005/02/20", "本屋", "教養", 400));
        QVERIFY(!m_dir->exists(QStringLiteral("データコピー.txt")));
    }

    void newCategoryAskedOnceForNoAndForYes() {
        book();
        storeBook();
        open();
        const QByteArray master = m_dir->bytes(QStringLiteral("費目マスタ.txt"));
        m_boxes->queue(QMessageBox::No);
        pickPayee(QStringLiteral("花屋"));
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("交際費"));
        typeAmount(QStringLiteral("2000"));
        save();
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("費目マスタ登録の有無"));
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("交際費を費目マスタに追加しますか？\n\nマスタ登録しない場合は集計時"
                                "に「その他」として扱われます。\n\n"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Question);
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(m_dir->bytes(QStringLiteral("費目マスタ.txt")), master);
        QCOMPARE(c<QComboBox>("cboJanru")->count(), 2);
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "花屋", "交際費", 2000));
        // The payee remembers it; the next payment asks again, and Yes adds it once.
        m_boxes->queue(QMessageBox::Yes);
        pickPayee(QStringLiteral("花屋"));
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QStringLiteral("交際費"));
        typeAmount(QStringLiteral("500"));
        save();
        QCOMPARE(m_boxes->seen.size(), 2);
        QCOMPARE(m_dir->text(QStringLiteral("費目マスタ.txt")),
                 QStringLiteral("食費\r\n教養\r\n交際費\r\n"));
        QCOMPARE(c<QComboBox>("cboJanru")->count(), 3);
        QCOMPARE(c<QComboBox>("cboJanru")->itemText(2), QStringLiteral("交際費"));
        pickPayee(QStringLiteral("花屋"));
        typeAmount(QStringLiteral("100"));
        save();
        QCOMPARE(m_boxes->seen.size(), 2);
        QCOMPARE(m_dir->text(kData).count(QStringLiteral("交際費")), 3);
    }

    void theFourChecksInOrder() {
        book();
        storeBook();
        open();
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("食費"));
        save();
        pickPayee(QStringLiteral("花屋"));
        c<QAbstractButton>("cmdTaiHozon")->setEnabled(true);
        save();
        pickPayee(QStringLiteral("八百屋"));
        save();
        QCOMPARE(m_boxes->titles(), (QStringList{"支払い先未入力", "費目未入力", "金額未入力"}));
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("支払い先が指定されていません"));
        QCOMPARE(m_boxes->seen[1].text, QStringLiteral("費目が指定されていません"));
        QCOMPARE(m_boxes->seen[2].text, QStringLiteral("金額が入力されていません"));
        for (const auto &seen : m_boxes->seen)
            QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        // A refused save leaves the fields as they were.
        QCOMPARE(c<QComboBox>("cboJanru")->currentText(), QStringLiteral("食費"));
        QCOMPARE(m_w->findChild<MainPage *>(QStringLiteral("fraMain"))->currentPayee(),
                 QStringLiteral("八百屋"));
    }

    void amountThatIsNoNumberIsRefused() {
        book();
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        typeAmount(QStringLiteral("abc"));
        save();
        QCOMPARE(m_boxes->titles(), QStringList{"金額異常"});
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("金額は数字で入力してください"));
        QCOMPARE(m_boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        QCOMPARE(c<QLineEdit>("txtOutInp")->text(), QStringLiteral("abc"));
    }

    void enterSavesOnlyAnAmount() {
        book();
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        for (const char *text : {"", "abc", "12.5"}) {
            typeAmount(QString::fromUtf8(text));
            pressEnter();
        }
        QVERIFY(m_boxes->seen.isEmpty());
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        typeAmount(QStringLiteral("500"));
        pressEnter();
        pickPayee(QStringLiteral("本屋"));
        typeAmount(QStringLiteral("1,500"));
        pressEnter();
        QVERIFY(m_boxes->seen.isEmpty());
        QCOMPARE(m_dir->text(kData), payLine("2005/02/14", "八百屋", "食費", 500) +
                                         payLine("2005/02/14", "本屋", "教養", 1500));
    }

    // Enter on an amount only too large says how large an amount may be, as 保存 does.
    void enterOnATooLargeAmountSaysTheLimit() {
        book();
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        typeAmount(QStringLiteral("1,000,000,000,000,000"));
        pressEnter();
        QCOMPARE(m_boxes->titles(), QStringList{"金額異常"});
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral("金額は999,999,999,999,999円までで入力してください"));
        QCOMPARE(m_dir->bytes(kData), QByteArray());
    }

    void textTheFileCannotHoldIsRefused() {
        book();
        storeBook();
        open();
        pickPayee(QStringLiteral("八百屋"));
        c<QComboBox>("cboJanru")->setEditText(QStringLiteral("ケーキ😀"));
        typeAmount(QStringLiteral("500"));
        save();
        QCOMPARE(m_boxes->titles(), QStringList{"保存できない文字"});
        QVERIFY(m_boxes->seen[0].text.contains(QStringLiteral("😀")));
        QCOMPARE(m_dir->bytes(kData), QByteArray());
        QCOMPARE(m_dir->text(QStringLiteral("費目マスタ.txt")), QStringLiteral("食費\r\n教養\r\n"));
    }

    void sampleBookRefusesEverySave() {
        book(kSampleUserName).write(kData, payLine("2005/01/02", "本屋", "教養", 690));
        storeBook();
        open();
        m_boxes->seen.clear();
        pickPayee(QStringLiteral("八百屋"));
        typeAmount(QStringLiteral("500"));
        save();
        pressEnter();
        QCOMPARE(m_boxes->titles(), (QStringList{"新規スタート促し", "新規スタート促し"}));
        QCOMPARE(m_boxes->seen[0].text,
                 QStringLiteral(
                     "ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"));
        QCOMPARE(m_dir->text(kData), payLine("2005/01/02", "本屋", "教養", 690));
    }
};

QTEST_MAIN(TestMainPage)
#include "test_mainpage.moc"
