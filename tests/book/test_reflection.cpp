// The reflection month list and month payments, and the scratch file of the
// simulation with its planned payments.
#include <QTest>

#include "recordlines.h"

#include "book/forecast.h"
#include "book/reflection.h"
#include "bookdir.h"
#include "records/cp932.h"

class TestReflection : public QObject {
    Q_OBJECT
private slots:
    void monthsRunFromTheFirstPaymentToTodayAlsoWhenEmpty() {
        const QByteArray paid = lines({"\"\",\"a\",\"b\",1,\"\",\"\"", // no date: passed over
                                       "\"2004/11/20\",\"a\",\"b\",1,\"\",\"\""});
        QCOMPARE(computeReflectionMonths(paid, QDate(2005, 2, 1)),
                 (QStringList{"2004/11", "2004/12", "2005/01", "2005/02"}));
        QCOMPARE(computeReflectionMonths(paid, QDate(2004, 11, 1)), QStringList{"2004/11"});
        QVERIFY(computeReflectionMonths(QByteArray(), QDate(2005, 2, 1)).isEmpty());
        QVERIFY(computeReflectionMonths(paid, QDate(2004, 10, 31)).isEmpty());
    }

    void moreMonthsThanSixteenBitsCount() {
        const QStringList months = computeReflectionMonths(
            lines({"\"0100/01/05\",\"a\",\"b\",1,\"\",\"\""}), QDate(2900, 1, 1));
        QCOMPARE(months.size(), 2800 * 12 + 1);
        QCOMPARE(months.first(), QStringLiteral("0100/01"));
        QCOMPARE(months.last(), QStringLiteral("2900/01"));
    }

    void theMonthsPaymentsInFileOrder() {
        const QByteArray paid =
            sjis(QStringLiteral("\"2005/01/31\",\"前月\",\"食費\",1,\"\",\"\"\r\n"
                                "\"2005/02/01\",\"スーパー\",\"食費\",1200,\"\",\"\"\r\n"
                                "\"2005/2/15\",\"壊れた日付\",\"食費\",5,\"\",\"\"\r\n"
                                "\"2005/02/28\",\"本屋\",\"教養\",800,\"\",\"\"\r\n"
                                "\"2005/03/01\",\"翌月\",\"食費\",1,\"\",\"\"\r\n"
                                "\"2005/02/10\",\"読まれない\",\"食費\",1,\"\",\"\"\r\n"));
        const QList<ReflectionRow> rows = computeMonthPayments(paid, QStringLiteral("2005/02"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).date, QStringLiteral("2005/02/01"));
        QCOMPARE(rows.at(0).payee, QStringLiteral("スーパー"));
        QCOMPARE(rows.at(0).category, QStringLiteral("食費"));
        QCOMPARE(rows.at(0).amount, 1200LL);
        QCOMPARE(rows.at(1).payee, QStringLiteral("本屋"));
        QVERIFY(computeMonthPayments(paid, QStringLiteral("2004/12")).isEmpty());
        QVERIFY(computeMonthPayments(paid, QStringLiteral("2005/2")).isEmpty()); // not yyyy/mm
    }

    void theLastRecordDateOfAFile() {
        QCOMPARE(lastRecordDate(QByteArray()), QString());
        QCOMPARE(lastRecordDate(lines({"\"2005/01/02\",\"a\",\"b\",1,\"\",\"\"",
                                       "\"2005/01/09\",\"a\",\"b\",1,\"\",\"\"", "", "  "})),
                 QStringLiteral("2005/01/09"));
        QCOMPARE(lastRecordDate("\"2005/01/02\",1\r\n\"2005/01/03\",2"),
                 QStringLiteral("2005/01/03"));
    }

    void openingCopiesThePaymentsByteForByte() {
        BookDir dir;
        const Book book(dir.path());
        const QByteArray paid = lines({"\"2005/01/02\",\"a\",\"b\",1,\"\",\"\""}) + "\"x\"";
        dir.writeBytes(QStringLiteral("データ.txt"), paid);
        dir.writeBytes(QStringLiteral("予測データ.txt"), "old plans\r\n");
        QVERIFY(resetForecast(book).ok());
        QCOMPARE(dir.bytes(QStringLiteral("予測データ.txt")), paid);
        // Plans of the same size as the book are still plans: copied over.
        QByteArray plans = paid;
        plans[1] = '9';
        dir.writeBytes(QStringLiteral("予測データ.txt"), plans);
        QVERIFY(resetForecast(book).ok());
        QCOMPARE(dir.bytes(QStringLiteral("予測データ.txt")), paid);
        // An empty book makes an empty copy.
        dir.writeBytes(QStringLiteral("データ.txt"), QByteArray());
        QFile::remove(dir.path() + QStringLiteral("/予測データ.txt"));
        QVERIFY(resetForecast(book).ok());
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/予測データ.txt")));
    }

    // Plans entered latest first, both after the last real payment, stay in
    // date order: the place is found from the scratch file's own last date.
    void plannedPaymentsKeepTheScratchFileInDateOrder() {
        BookDir dir;
        const Book book(dir.path());
        const QByteArray real = lines({"\"2005/01/02\",\"店\",\"費目\",100,\"\",\"\"",
                                       "\"2005/01/20\",\"店\",\"費目\",200,\"\",\"\""});
        dir.writeBytes(QStringLiteral("予測データ.txt"), real);
        QVERIFY(addPlannedPayment(book, QDate(2005, 3, 10), 5000).ok());
        QVERIFY(addPlannedPayment(book, QDate(2005, 2, 5), 3000).ok());
        QVERIFY(addPlannedPayment(book, QDate(2005, 1, 10), 50000).ok());
        QCOMPARE(dir.bytes(QStringLiteral("予測データ.txt")),
                 lines({"\"2005/01/02\",\"店\",\"費目\",100,\"\",\"\"",
                        "\"2005/01/10\",\"\",\"\",50000,\"\",\"\"",
                        "\"2005/01/20\",\"店\",\"費目\",200,\"\",\"\"",
                        "\"2005/02/05\",\"\",\"\",3000,\"\",\"\"",
                        "\"2005/03/10\",\"\",\"\",5000,\"\",\"\""}));
        QVERIFY(!dir.exists(QStringLiteral("予測データコピー.txt")));
        QVERIFY(!dir.exists(QStringLiteral("データ.txt"))); // only the scratch file is touched
    }
};

QTEST_GUILESS_MAIN(TestReflection)
#include "test_reflection.moc"
