// Rewrites of the book files on damaged or unusual input: short records,
// lines edited outside the program, foreign line ends and encodings. Nothing
// a rewrite did not mean to change may change.
#include <QFile>
#include <QTest>

#include "bookdir.h"
#include "records/recordfiles.h"

namespace {
const QString kData = QStringLiteral("データ.txt");

PaymentRecord pay(const QString &date, const QString &payee, const QString &cat, qint64 amount) {
    return {date, payee, cat, amount, {}, {}};
}
} // namespace

class TestRecordRewrites : public QObject {
    Q_OBJECT
private slots:
    void renamingFillsShortRecordsWithEmptyFields() {
        BookDir dir;
        Book book(dir.path());
        // A short record first (it once aborted the rewrite), one after a full
        // record (it once took the fields of the line above).
        dir.write(kData, QStringLiteral("\"2024/01/01\",\"本屋\"\r\n"
                                        "\"2024/01/01\",\"A\",\"食費\",3100,\"特売\",\"r\"\r\n"
                                        "\"2024/01/02\",\"本屋\"\r\n"
                                        "\"2024/01/03\"\r\n"));
        QVERIFY(renameInPayments(book, PaymentField::Payee, "本屋", "書店").ok());
        const QStringList lines = dir.text(kData).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 3), (QStringList{"\"2024/01/01\",\"書店\",\"\",0,\"\",\"\"",
                                               "\"2024/01/01\",\"A\",\"食費\",3100,\"特売\",\"r\"",
                                               "\"2024/01/02\",\"書店\",\"\",0,\"\",\"\""}));
        QVERIFY(renameInPayments(book, PaymentField::Category, "", "未分類").ok());
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 4);
        QCOMPARE(read[0], pay("2024/01/01", "書店", "未分類", 0));
        QCOMPARE(read[1], (PaymentRecord{"2024/01/01", "A", "食費", 3100, "特売", "r"}));
        QCOMPARE(read[2], pay("2024/01/02", "書店", "未分類", 0));
        QCOMPARE(read[3], pay("2024/01/03", "", "未分類", 0));
    }

    void rewritesKeepAQuoteInsideAnUnquotedField() {
        BookDir dir;
        Book book(dir.path());
        // Lines edited outside the program.
        const QByteArray mc = "2024/01/02,Mc\"Donald,food,500,,\r\n";
        const QByteArray other = "2024/01/03, O\"Neil ,\"x\"y,7,m\"emo\r\n";
        dir.writeBytes(kData, mc + other);
        const auto verifyRead = [&](const QString &category) {
            const QList<PaymentRecord> read = readPayments(book);
            QCOMPARE(read.size(), 3);
            QCOMPARE(read[1], (PaymentRecord{"2024/01/02", "Mc\"Donald", category, 500, "", ""}));
            QCOMPARE(read[2], (PaymentRecord{"2024/01/03", "O\"Neil", "x", 7, "m\"emo", ""}));
        };
        QVERIFY(insertPayment(book, pay("2024/01/01", "A", "x", 1), "2024/01/03").ok());
        QCOMPARE(dir.bytes(kData).mid(dir.bytes(kData).indexOf("2024/01/02")), mc + other);
        verifyRead("food");
        // A changed line is written from its fields as read.
        QVERIFY(renameInPayments(book, PaymentField::Category, "food", "食品").ok());
        QVERIFY(dir.bytes(kData).contains(
            sjis(QStringLiteral("\"2024/01/02\",Mc\"Donald,\"食品\",500,\"\",\"\"\r\n"))));
        QVERIFY(dir.bytes(kData).endsWith(other));
        verifyRead("食品");

        const QString assoc = QStringLiteral("関連.TXT");
        dir.writeBytes(assoc, "Mc\"Donald,food\r\nA,\"b\"c\r\n");
        QVERIFY(saveAssociation(book, "A", "x").ok());
        QCOMPARE(dir.bytes(assoc), QByteArray("Mc\"Donald,food\r\n\"A\",\"x\"\r\n"));
        // The same again (most saves): the file is left as it is, not rewritten.
        const FileIdentity kept = identityOf(book.pathOf(assoc));
        QVERIFY(saveAssociation(book, "A", "x").ok());
        QCOMPARE(identityOf(book.pathOf(assoc)), kept);
        QCOMPARE(categoryOfPayee(book, "Mc\"Donald").value_or("none"), QStringLiteral("food"));

        const QString master = QStringLiteral("支払いマスタ.txt");
        dir.writeBytes(master, "Mc\"Donald\r\na,b\r\n");
        QVERIFY(renameInMaster(book, master, "b", "c").ok());
        QCOMPARE(dir.bytes(master), QByteArray("Mc\"Donald\r\na\r\nc\r\n"));
    }

    void bookWithCarriageReturnsStaysReadableAfterAnAppend() {
        BookDir dir;
        Book book(dir.path());
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += "\"2024/01/01\",\"A\",\"x\",1,\"\",\"\"\r";
        dir.writeBytes(kData, bytes);
        // The CR already ends the last line: no blank line comes between.
        QVERIFY(insertPayment(book, pay("2024/01/02", "B", "y", 2), "2024/01/01").ok());
        QCOMPARE(dir.bytes(kData), bytes + "\"2024/01/02\",\"B\",\"y\",2,\"\",\"\"\r\n");
        QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 20001);
        QCOMPARE(read.last(), pay("2024/01/02", "B", "y", 2));
        // Insertion copies every CR-ended line and ends each with CR LF.
        QVERIFY(insertPayment(book, pay("2023/12/31", "C", "z", 3), "2024/01/02").ok());
        read = readPayments(book);
        QCOMPARE(read.size(), 20002);
        QCOMPARE(read.first(), pay("2023/12/31", "C", "z", 3));
        QCOMPARE(dir.bytes(kData).count("\r\n"), 20002);

        // Lone CRs by the hundred thousand before one record (each CR once
        // meant a search for the LF to the end of the file).
        dir.writeBytes(kData, QByteArray(100000, '\r') +
                                  "\"2024/01/03\",\"D\",\"x\",4,\"\",\"\"\r\n" +
                                  QByteArray(1000, '\r') + "\n");
        read = readPayments(book);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().amount, 4);
    }

    void fileWithAByteOrderMarkIsReadByItAndRewrittenInCp932_data() {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<QString>("codec");
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << QStringLiteral("utf8");
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") << QStringLiteral("le");
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") << QStringLiteral("be");
    }
    void fileWithAByteOrderMarkIsReadByItAndRewrittenInCp932() {
        QFETCH(QByteArray, mark);
        QFETCH(QString, codec);
        const auto encoded = [&](const QString &text) {
            if (codec == QStringLiteral("utf8")) return mark + text.toUtf8();
            QByteArray out = mark;
            for (QChar c : text) {
                const char hi = static_cast<char>(c.unicode() >> 8);
                const char lo = static_cast<char>(c.unicode() & 0xFF);
                out += codec == QStringLiteral("le") ? lo : hi;
                out += codec == QStringLiteral("le") ? hi : lo;
            }
            return out;
        };
        BookDir dir;
        Book book(dir.path());
        const QString text = QStringLiteral("\"2024/01/01\",\"八百屋\",\"食費\",980,\"旬\",\"\"\r\n"
                                            "\"2024/01/05\",\"本屋\",\"教養\",1500,\"\",\"\"\n");
        dir.writeBytes(kData, encoded(text));
        QCOMPARE(readPayments(book),
                 (QList<PaymentRecord>{{"2024/01/01", "八百屋", "食費", 980, "旬", ""},
                                       pay("2024/01/05", "本屋", "教養", 1500)}));
        QVERIFY(readFileBytes(dir.file(kData)).startsWith("\"2024/01/01\""));

        // Insertion, and an append, write the whole file in CP932 with CR LF.
        QVERIFY(insertPayment(book, pay("2024/01/03", "駅", "交通費", 160), "2024/01/05").ok());
        const QString crlf = QStringLiteral("\"2024/01/01\",\"八百屋\",\"食費\",980,\"旬\",\"\"\r\n"
                                            "\"2024/01/03\",\"駅\",\"交通費\",160,\"\",\"\"\r\n"
                                            "\"2024/01/05\",\"本屋\",\"教養\",1500,\"\",\"\"\r\n");
        QCOMPARE(dir.bytes(kData), sjis(crlf));
        dir.writeBytes(kData, encoded(text));
        QVERIFY(insertPayment(book, pay("2024/01/09", "駅", "交通費", 160), "2024/01/05").ok());
        QCOMPARE(dir.bytes(kData),
                 sjis(QStringLiteral("\"2024/01/01\",\"八百屋\",\"食費\",980,\"旬\",\"\"\r\n"
                                     "\"2024/01/05\",\"本屋\",\"教養\",1500,\"\",\"\"\r\n"
                                     "\"2024/01/09\",\"駅\",\"交通費\",160,\"\",\"\"\r\n")));
        const QString master = QStringLiteral("支払いマスタ.txt");
        dir.writeBytes(master, encoded(QStringLiteral("八百屋\r\n本屋\r\n")));
        QCOMPARE(readMaster(book, master), (QStringList{"八百屋", "本屋"}));
        QVERIFY(appendMasterName(book, QStringLiteral("駅"), master).ok());
        QCOMPARE(dir.bytes(master), sjis(QStringLiteral("八百屋\r\n本屋\r\n駅\r\n")));

        // A character without a CP932 form: read, but no rewrite stores the file.
        const QByteArray foreign =
            encoded(QStringLiteral("\"2024/01/01\",\"Café\",\"食費\",980,\"\",\"\"\r\n"));
        dir.writeBytes(kData, foreign);
        QCOMPARE(readPayments(book).first().amount, 980);
        for (const QString &last : {QStringLiteral("2024/01/01"), QStringLiteral("2024/02/01")}) {
            const FileResult r = insertPayment(book, pay("2024/01/09", "駅", "x", 1), last);
            QVERIFY(!r.ok());
            QCOMPARE(r.title, QStringLiteral("保存できない文字"));
            QVERIFY2(r.message.contains(QStringLiteral("「é」")), qPrintable(r.message));
        }
        QVERIFY(!renameInPayments(book, PaymentField::Category, "食費", "x").ok());
        QCOMPARE(dir.bytes(kData), foreign);
        QCOMPARE(dir.files(), (QStringList{kData, master}));
    }
};

QTEST_GUILESS_MAIN(TestRecordRewrites)
#include "test_recordrewrites.moc"
