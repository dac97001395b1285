// CP932 as Windows writes it: Microsoft's code page, not plain Shift_JIS.
#include <QTest>

#include "records/cp932.h"

class TestCp932 : public QObject {
    Q_OBJECT
private slots:
    void encodesMicrosoftCodePage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wave dash ～") << QStringLiteral("～") << QByteArray("\x81\x60");
        QTest::newRow("circled ①") << QStringLiteral("①") << QByteArray("\x87\x40");
        QTest::newRow("roman Ⅱ") << QStringLiteral("Ⅱ") << QByteArray("\x87\x55");
        QTest::newRow("㈱") << QStringLiteral("㈱") << QByteArray("\x87\x8A");
        QTest::newRow("half-width katakana")
            << QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ") << QByteArray("\xCC\xDF\xD7\xB2\xCD\xDE\xB0\xC4");
        QTest::newRow("full-width yen") << QStringLiteral("￥") << QByteArray("\x81\x8F");
        QTest::newRow("IBM extension 髙") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
        QTest::newRow("backslash") << QStringLiteral("\\") << QByteArray("\x5C");
        QTest::newRow("ascii") << QStringLiteral("a,\"1\"") << QByteArray("a,\"1\"");
    }
    void encodesMicrosoftCodePage() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp932::encode(text).value_or("FAILED"), bytes);
        QCOMPARE(cp932::decode(bytes), text);
    }

    void storesLookAlikesAsWindowsDoes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("wave dash U+301C") << QString(QChar(0x301C)) << QStringLiteral("～");
        QTest::newRow("minus U+2212") << QString(QChar(0x2212)) << QStringLiteral("－");
        QTest::newRow("yen U+00A5") << QString(QChar(0x00A5)) << QStringLiteral("￥");
        QTest::newRow("double bar U+2016") << QString(QChar(0x2016)) << QStringLiteral("∥");
    }
    void storesLookAlikesAsWindowsDoes() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const auto bytes = cp932::encode(typed);
        QVERIFY(bytes.has_value());
        QCOMPARE(cp932::decode(*bytes), stored);
    }

    void refusesCharactersWithoutCp932Form_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bad");
        QTest::newRow("emoji") << QStringLiteral("ケーキ😀") << QStringLiteral("😀");
        QTest::newRow("𠮷") << QStringLiteral("𠮷野家") << QStringLiteral("𠮷");
        QTest::newRow("é") << QStringLiteral("café") << QStringLiteral("é");
        QTest::newRow("overline reads back as tilde") << QStringLiteral("‾") << QStringLiteral("‾");
    }
    void refusesCharactersWithoutCp932Form() {
        QFETCH(QString, text);
        QFETCH(QString, bad);
        QString named;
        QVERIFY(!cp932::encode(text, &named).has_value());
        QCOMPARE(named, bad);
    }

    void damagedBytesNeverSwallowDelimiters() {
        // A lone lead byte before a quote, and bytes iconv rejects (0x80, 0xA0, 0xFD-0xFF).
        const QByteArray bytes("\"\x82\",\"\x80\xA0\xFD\xFE\xFF\",\"\x82\xA0\"");
        const QString text = cp932::decode(bytes);
        QCOMPARE(text.count(u'"'), 6);
        QCOMPARE(text.count(u','), 2);
        QVERIFY(text.endsWith(QStringLiteral("\"あ\"")));
        QCOMPARE(text.count(QChar(0xFFFD)), 6);
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
