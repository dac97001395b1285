// The checks of the payment, income and cash entries: which message comes
// first, and the one reading of typed amounts they share.
#include <QTest>

#include "book/booksession.h"
#include "book/entrychecks.h"
#include "bookdir.h"

namespace {
QString refusal(const EntryCheck &c) {
    return c.ok() ? QStringLiteral("ok %1").arg(c.amount) : c.title + QLatin1Char('|') + c.text;
}
} // namespace

class TestEntryChecks : public QObject {
    Q_OBJECT
private slots:
    void paymentChecksInTheirOrder_data() {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("expected");
        const QString p = QStringLiteral("八百屋"), c = QStringLiteral("食費");
        QTest::newRow("sample book before all")
            << true << QString() << QString() << QString()
            << QStringLiteral(
                   "新規スタート促し|"
                   "ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。");
        QTest::newRow("no payee") << false << QString() << QString() << QString()
                                  << QStringLiteral("支払い先未入力|支払い先が指定されていません");
        QTest::newRow("no category") << false << p << QString() << QString()
                                     << QStringLiteral("費目未入力|費目が指定されていません");
        QTest::newRow("no amount") << false << p << c << QString()
                                   << QStringLiteral("金額未入力|金額が入力されていません");
        QTest::newRow("no number") << false << p << c << QStringLiteral("12a")
                                   << QStringLiteral("金額異常|金額は数字で入力してください");
        const QString tooLarge =
            QStringLiteral("金額異常|金額は999,999,999,999,999円までで入力してください");
        QTest::newRow("the largest") << false << p << c << QStringLiteral("999,999,999,999,999")
                                     << QStringLiteral("ok 999999999999999");
        QTest::newRow("one past the largest")
            << false << p << c << QStringLiteral("1,000,000,000,000,000") << tooLarge;
        QTest::newRow("far past, negative, full width")
            << false << p << c << QStringLiteral("－１２３４５６７８９０１２３４５６７８９０円")
            << tooLarge;
        QTest::newRow("past the largest, then a letter")
            << false << p << c << QStringLiteral("10000000000000000x")
            << QStringLiteral("金額異常|金額は数字で入力してください");
        QTest::newRow("grouped full width")
            << false << p << c << QStringLiteral("１，２００円") << QStringLiteral("ok 1200");
        QTest::newRow("negative") << false << p << c << QStringLiteral("-300")
                                  << QStringLiteral("ok -300");
    }
    void paymentChecksInTheirOrder() {
        QFETCH(bool, sample);
        QFETCH(QString, payee);
        QFETCH(QString, category);
        QFETCH(QString, amount);
        QFETCH(QString, expected);
        QCOMPARE(refusal(checkPayment(sample, payee, category, amount)), expected);
    }

    void paymentTextTheFileCannotHoldComesLast() {
        const EntryCheck c = checkPayment(false, QStringLiteral("A\"B"), QStringLiteral("食費"),
                                          QStringLiteral("100"));
        QVERIFY(!c.ok());
        QVERIFY(!c.text.isEmpty());
        // An amount that is no number is reported before the text.
        QCOMPARE(
            checkPayment(false, QStringLiteral("A\"B"), QStringLiteral("食費"), QStringLiteral("x"))
                .title,
            QStringLiteral("金額異常"));
    }

    void incomeChecksInTheirOrder() {
        const QString day = QStringLiteral("2005/02/14");
        QCOMPARE(checkIncome({}, {}, {}).title, QStringLiteral("内容未入力"));
        QCOMPARE(checkIncome(QStringLiteral("給料"), {}, {}).title, QStringLiteral("金額未入力"));
        QCOMPARE(checkIncome(QStringLiteral("給料"), QStringLiteral("abc"), day).title,
                 QStringLiteral("金額異常"));
        QCOMPARE(checkIncome(QStringLiteral("給料"), QStringLiteral("0"), day).title,
                 QStringLiteral("入金額異常"));
        QCOMPARE(
            checkIncome(QStringLiteral("給料"), QStringLiteral("5"), QStringLiteral("2005/2/14"))
                .title,
            QStringLiteral("日付け異常"));
        QCOMPARE(
            checkIncome(QStringLiteral("給料"), QStringLiteral("5"), QStringLiteral("2005/02/30"))
                .title,
            QStringLiteral("日付け異常"));
        QCOMPARE(refusal(checkIncome(QStringLiteral("給料"), QStringLiteral("50,000"), day)),
                 QStringLiteral("ok 50000"));
    }

    void cashChecks() {
        QCOMPARE(refusal(checkCash({})), QStringLiteral("残金未入力|残金が入力されていません"));
        QCOMPARE(checkCash(QStringLiteral("千円")).title, QStringLiteral("金額異常"));
        QCOMPARE(refusal(checkCash(QStringLiteral("0"))), QStringLiteral("ok 0"));
    }

    void sampleBookIsItsFirstPaymentAndItsUser() {
        BookDir dir;
        const auto firstPayment = [&](const char *date) {
            dir.writeBytes(QStringLiteral("データ.txt"),
                           QByteArray("\"") + date + "\",\"a\",\"b\",1,\"\",\"\"\r\n");
        };
        BookSession s(dir.path());
        firstPayment("2005/01/02");
        s.userName = kSampleUserName;
        QVERIFY(s.isSampleBook());
        s.userName = QStringLiteral("見本はなこ ");
        QVERIFY(!s.isSampleBook());
        s.userName = kSampleUserName;
        firstPayment("2005/01/03");
        QVERIFY(!s.isSampleBook());
    }
};

QTEST_GUILESS_MAIN(TestEntryChecks)
#include "test_entrychecks.moc"
