// A book file that cannot be read while a page only shows figures: the
// window says so instead of showing an empty book without a word.
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "book/booksession.h"
#include "failingreads.h"
#include "records/payments.h"
#include "ui/grid.h"

#include "records/clock.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

class TestReadErrors : public QObject, public WindowFixture {
    Q_OBJECT
    QString dayList() {
        auto *g = c<Grid>("msgDayList");
        QString out;
        for (int r = 1; r < g->rows(); ++r)
            out += g->text(r, 1) + QLatin1Char('|');
        return out;
    }

private:
    QStringList readErrors() const {
        QStringList out;
        for (const BoxAnswerer::Seen &box : m_boxes->seen)
            if (box.title == QStringLiteral("ファイル読み込みエラー")) {
                if (box.icon != QMessageBox::Warning) out << QStringLiteral("(not a warning)");
                out << box.text.section(u'\n', 0, 0);
            }
        return out;
    }

private slots:
    void init() { Clock::setToday(QDate(2005, 2, 20)); }
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void unreadablePaymentsAreReportedOncePerEvent() {
        BookDir &dir = book();
        // A folder in the place of the file: it opens, but no read succeeds.
        QFile::remove(dir.file(QStringLiteral("データ.txt")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("データ.txt")));
        open();
        const QString said = QStringLiteral("「データ.txt」を読み込めませんでした。");
        QCOMPARE(readErrors(), QStringList{said});

        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 14));
        settle();
        QCOMPARE(readErrors(), (QStringList{said, said}));
        click("cmdKakei"); // the totals read the payments
        QCOMPARE(readErrors(), (QStringList{said, said, said}));
        click("cmdMain"); // the day list is read again
        QCOMPARE(readErrors(), (QStringList{said, said, said, said}));
    }

    // A save cut short while the payments could not be read is put back at
    // a later save; the day list then no longer shows its payment.
    void aPaymentPutBackAtASaveLeavesTheDayList() {
        BookDir &dir = book();
        const QString data = QStringLiteral("データ.txt");
        {
            BookSession s(dir.path());
            s.openHistory();
            s.history()->begin(QStringLiteral("止まった保存")); // never ended: a crash
            QVERIFY(
                insertPayment(s.book, {"2005/02/20", "駅", "交通費", 200, {}, {}}, s.lastPayDate())
                    .ok());
        }
        UnreadableFile bad;
        bad.make(dir.file(data));
        open();
        bad.readable(); // the disk reads again
        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 20));
        settle();
        QCOMPARE(dayList(), QStringLiteral("駅|"));
        click("cmdInp");
        c<QLineEdit>("txtInpRiyuu")->setText(QStringLiteral("給料"));
        c<QLineEdit>("txtInpKingaku")->setText(QStringLiteral("1000"));
        click("cmdInpHozon");
        QCOMPARE(m_boxes->titles().last(), QStringLiteral("途中で止まった保存"));
        QCOMPARE(dir.bytes(data), QByteArray());
        QCOMPARE(dayList(), QString());
    }

    void readableBookSaysNothing() {
        book();
        open();
        c<MonthCalendar>("mtvmain")->clickDate(QDate(2005, 2, 14));
        settle();
        click("cmdKakei");
        click("cmdMain");
        QCOMPARE(readErrors(), QStringList());
    }
};

QTEST_MAIN(TestReadErrors)
#include "test_readerrors.moc"
