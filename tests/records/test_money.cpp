// Yen texts: the labels, the grids and the one reading of typed amounts.
#include <QTest>
#include <limits>

#include "records/dates.h"
#include "records/money.h"

class TestMoney : public QObject {
    Q_OBJECT
private slots:
    void formatsLabelsAndGrids_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("grid");
        QTest::newRow("zero has no number") << 0LL << QStringLiteral("円") << QStringLiteral("¥0");
        QTest::newRow("small") << 540LL << QStringLiteral("540円") << QStringLiteral("¥540");
        QTest::newRow("thousands")
            << 12345LL << QStringLiteral("12,345円") << QStringLiteral("¥12,345");
        QTest::newRow("negative") << -1867LL << QStringLiteral("-1,867円")
                                  << QStringLiteral("-¥1,867");
        QTest::newRow("millions") << 12345678LL << QStringLiteral("12,345,678円")
                                  << QStringLiteral("¥12,345,678");
    }
    void formatsLabelsAndGrids() {
        QFETCH(qint64, value);
        QFETCH(QString, label);
        QFETCH(QString, grid);
        QCOMPARE(formatYenLabel(value), label);
        QCOMPARE(formatYenGrid(value), grid);
        QCOMPARE(formatYenGrid(value).at(value < 0 ? 1 : 0), QChar(0x00A5));
    }

    void readsTypedAmounts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("ok");
        QTest::newRow("plain") << QStringLiteral("1500") << 1500LL << true;
        QTest::newRow("grouped") << QStringLiteral("1,500") << 1500LL << true;
        QTest::newRow("full-width grouped") << QStringLiteral("１，５００") << 1500LL << true;
        QTest::newRow("millions") << QStringLiteral("12,345,678") << 12345678LL << true;
        QTest::newRow("grid text") << QStringLiteral("¥1,500") << 1500LL << true;
        QTest::newRow("full-width yen sign") << QStringLiteral("￥2,000") << 2000LL << true;
        QTest::newRow("backslash sign") << QStringLiteral("\\300") << 300LL << true;
        QTest::newRow("yen suffix, blanks") << QStringLiteral(" 　500円 ") << 500LL << true;
        QTest::newRow("negative") << QStringLiteral("-1,000") << -1000LL << true;
        QTest::newRow("negative grid text") << QStringLiteral("-¥1,000") << -1000LL << true;
        QTest::newRow("zero") << QStringLiteral("0") << 0LL << true;
        QTest::newRow("letters") << QStringLiteral("abc") << 0LL << false;
        QTest::newRow("decimal") << QStringLiteral("12.5") << 0LL << false;
        QTest::newRow("bad group") << QStringLiteral("1,50") << 0LL << false;
        QTest::newRow("leading comma") << QStringLiteral(",500") << 0LL << false;
        QTest::newRow("long first group") << QStringLiteral("1500,000") << 0LL << false;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0LL << false;
        QTest::newRow("yen alone") << QStringLiteral("¥") << 0LL << false;
        QTest::newRow("empty") << QString() << 0LL << false;
        QTest::newRow("trailing text") << QStringLiteral("500x") << 0LL << false;
        QTest::newRow("too large") << QStringLiteral("99999999999999999999") << 0LL << false;
    }
    void readsTypedAmounts() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(bool, ok);
        const auto read = parseYenInput(text);
        QCOMPARE(read.has_value(), ok);
        if (ok) QCOMPARE(*read, value);
    }

    void readsAmountFields_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plain") << QByteArray("540") << 540LL;
        QTest::newRow("empty") << QByteArray() << 0LL;
        QTest::newRow("negative") << QByteArray("-1000") << -1000LL;
        QTest::newRow("four decimals") << QByteArray("540.0000") << 540LL;
        QTest::newRow("half to even down") << QByteArray("2.5") << 2LL;
        QTest::newRow("half to even up") << QByteArray("3.5") << 4LL;
        QTest::newRow("eight digits") << QByteArray("123456789") << 123456789LL;
        QTest::newRow("garbage") << QByteArray("abc") << 0LL;
        QTest::newRow("beyond 64 bits saturates")
            << QByteArray("99999999999999999999999") << std::numeric_limits<qint64>::max();
        // Saturation starts exactly at the limits, not a digit early.
        QTest::newRow("max - 7") << QByteArray("9223372036854775800") << 9223372036854775800LL;
        QTest::newRow("max") << QByteArray("9223372036854775807")
                             << std::numeric_limits<qint64>::max();
        QTest::newRow("max + 1") << QByteArray("9223372036854775808")
                                 << std::numeric_limits<qint64>::max();
        QTest::newRow("max - 1 and a half")
            << QByteArray("9223372036854775806.5") << 9223372036854775806LL;
        QTest::newRow("rounds up to max")
            << QByteArray("9223372036854775806.6") << std::numeric_limits<qint64>::max();
        QTest::newRow("max, rounded up")
            << QByteArray("9223372036854775807.9") << std::numeric_limits<qint64>::max();
        QTest::newRow("min + 8") << QByteArray("-9223372036854775800") << -9223372036854775800LL;
        QTest::newRow("min") << QByteArray("-9223372036854775808")
                             << std::numeric_limits<qint64>::min();
        QTest::newRow("below min")
            << QByteArray("-99999999999999999999") << std::numeric_limits<qint64>::min();
        QTest::newRow("min, rounded")
            << QByteArray("-9223372036854775808.7") << std::numeric_limits<qint64>::min();
    }
    void readsAmountFields() {
        QFETCH(QByteArray, field);
        QFETCH(qint64, value);
        QCOMPARE(parseAmountField(field), value);
    }

    void sumsSaturateInsteadOfOverflowing() {
        const qint64 max = std::numeric_limits<qint64>::max();
        QCOMPARE(addYen(max, 1), max);
        QCOMPARE(subYen(std::numeric_limits<qint64>::min(), 1), std::numeric_limits<qint64>::min());
        QCOMPARE(formatYenLabel(std::numeric_limits<qint64>::min()),
                 QStringLiteral("-9,223,372,036,854,775,808円"));
    }

    void datesAreYyyyMmDdText() {
        QCOMPARE(dateText(QDate(2005, 2, 14)), QStringLiteral("2005/02/14"));
        QCOMPARE(dateText(QDate(100, 1, 5)), QStringLiteral("0100/01/05"));
        QCOMPARE(dateText(QDate(9999, 12, 31)), QStringLiteral("9999/12/31"));
        QCOMPARE(dateText(QDate(12000, 1, 1)), QStringLiteral("12000/01/01"));
        QCOMPARE(dateText(QDate()), QStringLiteral("0000/00/00"));
        QCOMPARE(parseDateText(QStringLiteral("2005/02/14")), QDate(2005, 2, 14));
        QVERIFY(!parseDateText(QStringLiteral("2005/2/14")).isValid());
        QVERIFY(!parseDateText(QStringLiteral("2005/02/30")).isValid());
        QVERIFY(!parseDateText(QStringLiteral("2005-02-14")).isValid());
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "test_money.moc"
