// A book file that cannot be read while a page only shows figures: the
// window says so instead of showing an empty book without a word.
#include <QDir>
#include <QTest>

#include "records/clock.h"
#include "ui/monthcalendar.h"
#include "windowfixture.h"

class TestReadErrors : public QObject, public WindowFixture {
    Q_OBJECT
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
