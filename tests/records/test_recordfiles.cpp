// The book files byte for byte: CP932, CR LF after every line, quoting, the
// rewrites through their temporaries, and refusals that write nothing.
#include <QFile>
#include <QTest>
#include <unistd.h>

#include "book/booksession.h"
#include "bookdir.h"
#include "records/lineformat.h"
#include "records/recordfiles.h"
#include "seededpicks.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");

PaymentRecord pay(const QString &date, const QString &payee, const QString &cat, qint64 amount) {
    return {date, payee, cat, amount, {}, {}};
}

QStringList temporaries() {
    return {QStringLiteral("データコピー.txt"),     QStringLiteral("入金コピー.txt"),
            QStringLiteral("予測データコピー.txt"), QStringLiteral("データＣＨＧ.txt"),
            QStringLiteral("状況リストＣＨＧ.txt"), QStringLiteral("費目リストＣＨＧ.txt"),
            QStringLiteral("関連_CHG.TXT")};
}
} // namespace

class TestRecordFiles : public QObject {
    Q_OBJECT
private:
    void verifyNoTemporaries(const BookDir &dir) {
        for (const QString &t : temporaries())
            QVERIFY2(!dir.exists(t), qPrintable(t));
        QCOMPARE(dir.files().filter(QStringLiteral(".txt.")).size(), 0); // no save-file leftovers
    }

private slots:
    void firstPaymentIntoEmptyFileIsAppended() {
        BookDir dir;
        Book book(dir.path());
        QVERIFY(insertPayment(book, pay("2005/02/14", "使途不明金", "使途不明金", 540), {}).ok());
        QCOMPARE(
            dir.bytes(kData),
            sjis(QStringLiteral("\"2005/02/14\",\"使途不明金\",\"使途不明金\",540,\"\",\"\"\r\n")));
    }

    void paymentsLandInDateOrder() {
        BookDir dir;
        Book book(dir.path());
        dir.write(kData, QStringLiteral("\"2005/02/10\",\"A\",\"x\",1,\"memo A\",\"\"\r\n"
                                        "\"2005/02/14\",\"B\",\"x\",2,\"memo B\",\"r\"\r\n"
                                        "\"2005/02/14\",\"C\",\"x\",3,\"\",\"\"\r\n"));
        // Earlier than the last: before the first later record, after the same day.
        QVERIFY(insertPayment(book, pay("2005/02/10", "D", "y", 4), "2005/02/14").ok());
        // Same day as the last, and later: appended.
        QVERIFY(insertPayment(book, pay("2005/02/14", "E", "y", 5), "2005/02/14").ok());
        QVERIFY(insertPayment(book, pay("2005/03/01", "F", "y", 6), "2005/02/14").ok());
        // Earlier than everything.
        QVERIFY(insertPayment(book, pay("2005/01/31", "G", "y", 7), "2005/03/01").ok());
        QCOMPARE(dir.text(kData), QStringLiteral("\"2005/01/31\",\"G\",\"y\",7,\"\",\"\"\r\n"
                                                 "\"2005/02/10\",\"A\",\"x\",1,\"memo A\",\"\"\r\n"
                                                 "\"2005/02/10\",\"D\",\"y\",4,\"\",\"\"\r\n"
                                                 "\"2005/02/14\",\"B\",\"x\",2,\"memo B\",\"r\"\r\n"
                                                 "\"2005/02/14\",\"C\",\"x\",3,\"\",\"\"\r\n"
                                                 "\"2005/02/14\",\"E\",\"y\",5,\"\",\"\"\r\n"
                                                 "\"2005/03/01\",\"F\",\"y\",6,\"\",\"\"\r\n"));
        verifyNoTemporaries(dir);
    }

    void insertionCopiesTheOtherLinesAsTheyWere() {
        BookDir dir;
        Book book(dir.path());
        // Unquoted text, spaces, an amount with decimals and a comma inside
        // quotes; an LF line end becomes CR LF.
        dir.write(kData, QStringLiteral("\"2005/02/14\", 店,\"a,b\",540.0000,\"\",\"\"\n"));
        QVERIFY(insertPayment(book, pay("2005/02/01", "X", "y", 1), "2005/02/14").ok());
        QCOMPARE(dir.text(kData),
                 QStringLiteral("\"2005/02/01\",\"X\",\"y\",1,\"\",\"\"\r\n"
                                "\"2005/02/14\", 店,\"a,b\",540.0000,\"\",\"\"\r\n"));
        QCOMPARE(readPayments(book).last(),
                 (PaymentRecord{"2005/02/14", "店", "a,b", 540, "", ""}));
    }

    void unquotedFieldsLoseTheirBlanksOnBothSides() {
        BookDir dir;
        Book book(dir.path());
        // Blanks and tabs around unquoted text and an amount; inside a quoted
        // field and between words they stay.
        dir.write(kData,
                  QStringLiteral("2005/02/14 \t, 店 の 名 \t,\t食費  , 540 \t,\" m \",\r\n"));
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].date, QStringLiteral("2005/02/14"));
        QCOMPARE(read[0].payee, QStringLiteral("店 の 名"));
        QCOMPARE(read[0].category, QStringLiteral("食費"));
        QCOMPARE(read[0].amount, 540);
        QCOMPARE(read[0].memo, QStringLiteral(" m "));
        // A rewrite that changes the line writes the fields as they were read.
        QVERIFY(renameInPayments(book, PaymentField::Category, "食費", "食料").ok());
        QCOMPARE(dir.text(kData),
                 QStringLiteral("\"2005/02/14\",\"店 の 名\",\"食料\",540,\" m \",\"\"\r\n"));
        // Master names too.
        const QString master = QStringLiteral("費目マスタ.txt");
        dir.write(master, QStringLiteral("食費 \t\r\n\t本 \r\n"));
        QCOMPARE(readMaster(book, master), (QStringList{"食費", "本"}));
    }

    void readerTakesAnyLineEndAndSkipsBlankLines() {
        BookDir dir;
        Book book(dir.path());
        // LF only, a lone CR, a blank line, a line of blanks, an unclosed quote,
        // text after a closing quote, a short record, and no line end at the last.
        dir.writeBytes(kData, QByteArray("\"2005/02/01\",\"A\",\"x\",1,\"\",\"\"\n"
                                         "\"2005/02/02\",\"B\",\"x\",2,\"\",\"\"\r"
                                         "\r\n"
                                         "   \r\n"
                                         "\"2005/02/03\",\"C\"junk,\"x\",3,\"m\r\n"
                                         "\"2005/02/04\",\"D\"\r\n"
                                         "\"2005/02/05\",\"E\",\"x\",5,\"\",\"\""));
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 5);
        QCOMPARE(read[1].payee, QStringLiteral("B"));
        QCOMPARE(read[2].payee, QStringLiteral("C"));
        QCOMPARE(read[2].category, QStringLiteral("x"));
        QCOMPARE(read[2].memo, QStringLiteral("m"));
        QCOMPARE(read[3], pay("2005/02/04", "D", "", 0));
        QCOMPARE(read[4].amount, 5);
    }

    // A rewrite copies every line it leaves alone as the plain rule says: the
    // text up to CR LF, LF or a lone CR, then CR LF; a line of blanks as it is.
    // Exactly the content already so is what endsEveryLineWithCrLf accepts.
    void rewriteCopiesAnyLineEndsAsThePlainRule() {
        const quint64 seed = envNumber("MILTEA_SEED", 20261208);
        qInfo("seed %llu", seed);
        QRandomGenerator rng(seed);
        for (int round = 0; round < 500; ++round) {
            QByteArray in;
            for (int i = 0, n = rng.bounded(40); i < n; ++i)
                in += "a \t\r\n\","[rng.bounded(7)];
            if (round % 2 == 0) { // every line ended by CR LF, as the program writes
                in.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
                if (!in.isEmpty() && !in.endsWith("\r\n")) in += "\r\n";
            }
            QByteArray expected;
            QByteArray line;
            for (qsizetype i = 0; i < in.size(); ++i) {
                if (in[i] != '\r' && in[i] != '\n') {
                    line += in[i];
                    continue;
                }
                if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ++i;
                expected += line + "\r\n";
                line.clear();
            }
            if (!line.isEmpty()) expected += line + "\r\n";
            QCOMPARE(rewriteLines(in, [](QByteArrayView, QByteArray &) { return false; }),
                     expected);
            // What lets an insertion splice its line in instead of copying line by line.
            QCOMPARE(endsEveryLineWithCrLf(in), expected == in);
        }
    }

    void bookWithCarriageReturnLineEndsReadsWhole() {
        BookDir dir;
        Book book(dir.path());
        QByteArray bytes;
        for (int i = 0; i < 20000; ++i)
            bytes += "\"2005/02/14\",\"A\",\"x\",1,\"\",\"\"\r";
        dir.writeBytes(kData, bytes);
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 20000);
        QCOMPARE(read.last().amount, 1);
    }

    void japaneseTextRoundTripsByteForByte() {
        BookDir dir;
        Book book(dir.path());
        const QString payee = QStringLiteral("㈱ミルテ～①Ⅱ");
        const QString cat = QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ");
        QVERIFY(insertPayment(book, pay("2005/02/14", payee, cat, 12345678), {}).ok());
        QCOMPARE(
            dir.bytes(kData),
            QByteArray("\"2005/02/14\",\"\x87\x8A\x83\x7E\x83\x8B\x83\x65\x81\x60\x87\x40"
                       "\x87\x55\",\"\xCC\xDF\xD7\xB2\xCD\xDE\xB0\xC4\",12345678,\"\",\"\"\r\n"));
        const QList<PaymentRecord> back = readPayments(book);
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.first(), pay("2005/02/14", payee, cat, 12345678));
    }

    // Compared piece by piece: a difference in any piece, or in the length,
    // and a file that is not there, make it another file.
    void aFileHoldsExactlyItsOwnBytes_data() {
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("holds");
        const QByteArray big = QByteArray(200'000, 'x') + "\r\n";
        QByteArray lastByte = big, secondPiece = big;
        lastByte[lastByte.size() - 1] = '\r';
        secondPiece[70'000] = 'y';
        QTest::newRow("same") << big << big << true;
        QTest::newRow("last byte") << big << lastByte << false;
        QTest::newRow("second piece") << big << secondPiece << false;
        QTest::newRow("shorter") << big.chopped(1) << big << false;
        QTest::newRow("longer") << big + "x" << big << false;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
        QTest::newRow("missing") << QByteArray("-") << QByteArray() << false;
    }
    void aFileHoldsExactlyItsOwnBytes() {
        QFETCH(QByteArray, onDisk);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, holds);
        BookDir dir;
        if (onDisk != "-") dir.writeBytes(kData, onDisk);
        QCOMPARE(fileHoldsExactly(dir.file(kData), bytes), holds);
    }

    void unholdableTextIsRefusedAndNothingWritten_data() {
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QString>("message");
        QTest::newRow("double quote")
            << QStringLiteral("a\"b") << QStringLiteral("ダブルクォーテーション");
        QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("改行");
        QTest::newRow("emoji") << QStringLiteral("ケーキ😀") << QStringLiteral("「😀」");
        QTest::newRow("é") << QStringLiteral("café") << QStringLiteral("「é」");
    }
    void unholdableTextIsRefusedAndNothingWritten() {
        QFETCH(QString, payee);
        QFETCH(QString, message);
        BookDir dir;
        Book book(dir.path());
        const QByteArray before =
            sjis(QStringLiteral("\"2005/02/14\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        dir.writeBytes(kData, before);
        for (const QString &last : {QString(), QStringLiteral("2005/02/14")}) {
            const FileResult r = insertPayment(book, pay("2005/02/01", payee, "x", 1), last);
            QVERIFY(!r.ok());
            QVERIFY2(r.message.contains(message), qPrintable(r.message));
            QCOMPARE(r.title, QStringLiteral("保存できない文字"));
        }
        QVERIFY(!appendMasterName(book, payee, QStringLiteral("支払いマスタ.txt")).ok());
        QVERIFY(!saveAssociation(book, payee, QStringLiteral("x")).ok());
        QVERIFY(!writeUserName(book, payee).ok());
        QCOMPARE(dir.bytes(kData), before);
        QCOMPARE(dir.files(), QStringList{kData});
    }

    void notesKeepLineBreaksButRefuseForeignCharacters() {
        BookDir dir;
        Book book(dir.path());
        QVERIFY(writeNotes(book, QStringLiteral("a\r\nb")).ok());
        QCOMPARE(dir.bytes(QStringLiteral("気付きメモ.txt")), QByteArray("a\r\nb\r\n"));
        QCOMPARE(readNotes(book), QStringLiteral("a\r\nb"));
        QVERIFY(writeNotes(book, QStringLiteral("end\r\n")).ok());
        QCOMPARE(readNotes(book), QStringLiteral("end\r\n"));
        QVERIFY(!writeNotes(book, QStringLiteral("😀")).ok());
        QCOMPARE(readNotes(book), QStringLiteral("end\r\n"));
        dir.writeBytes(QStringLiteral("気付きメモ.txt"), {});
        QCOMPARE(readNotes(book), QString());
    }

    void masterNamesComeBackWhole() {
        BookDir dir;
        Book book(dir.path());
        const QString master = QStringLiteral("費目マスタ.txt");
        QVERIFY(overwriteMaster(book, master, {QStringLiteral("食費"), QStringLiteral("本,雑誌")})
                    .ok());
        QVERIFY(appendMasterName(book, QStringLiteral("ｶﾞｿﾘﾝ,灯油"), master).ok());
        QVERIFY(appendMasterName(book, QStringLiteral(" 空白"), master).ok());
        QCOMPARE(dir.text(master),
                 QStringLiteral("食費\r\n\"本,雑誌\"\r\n\"ｶﾞｿﾘﾝ,灯油\"\r\n\" 空白\"\r\n"));
        QCOMPARE(readMaster(book, master), (QStringList{"食費", "本,雑誌", "ｶﾞｿﾘﾝ,灯油", " 空白"}));
        // A bare comma line, as older books hold it, still reads as two names.
        dir.write(master, QStringLiteral("a,b\r\n\"c\"\r\n"));
        QCOMPARE(readMaster(book, master), (QStringList{"a", "b", "c"}));
    }

    void masterNamesWithOuterBlanksOrTabsAreQuoted() {
        BookDir dir;
        Book book(dir.path());
        const QString master = QStringLiteral("支払いマスタ.txt");
        const QStringList names{"\t店", "店\t", "a\tb", " 店", "店 ", "a b"};
        QVERIFY(overwriteMaster(book, master, names).ok());
        QCOMPARE(dir.bytes(master), sjis(QStringLiteral("\"\t店\"\r\n\"店\t\"\r\na\tb\r\n"
                                                        "\" 店\"\r\n\"店 \"\r\na b\r\n")));
        QCOMPARE(readMaster(book, master), names);
        dir.writeBytes(master, {});
        for (const QString &name : names)
            QVERIFY(appendMasterName(book, name, master).ok());
        QCOMPARE(readMaster(book, master), names);
        QVERIFY(renameInMaster(book, master, "a b", "x").ok());
        QCOMPARE(readMaster(book, master),
                 (QStringList{"\t店", "店\t", "a\tb", " 店", "店 ", "x"}));
    }

    void appendAfterLastLineWithoutLineEnd() {
        BookDir dir;
        Book book(dir.path());
        dir.write(kIncome, QStringLiteral("\"2005/02/14\",\"スタート時入金\",50000"));
        QVERIFY(insertIncome(book, {"2005/02/20", "給料", 1000}, "2005/02/14").ok());
        QCOMPARE(dir.text(kIncome), QStringLiteral("\"2005/02/14\",\"スタート時入金\",50000\r\n"
                                                   "\"2005/02/20\",\"給料\",1000\r\n"));
    }

    void incomeInsertionThroughItsTemporary() {
        BookDir dir;
        Book book(dir.path());
        dir.write(kIncome, QStringLiteral("\"2005/02/14\",\"スタート時入金\",50000\r\n"
                                          "\"2005/03/01\",\"給料\",200000\r\n"));
        dir.write(QStringLiteral("入金コピー.txt"), QStringLiteral("left over\r\n"));
        QVERIFY(insertIncome(book, {"2005/02/14", "お年玉", 3000}, "2005/03/01").ok());
        QCOMPARE(dir.text(kIncome), QStringLiteral("\"2005/02/14\",\"スタート時入金\",50000\r\n"
                                                   "\"2005/02/14\",\"お年玉\",3000\r\n"
                                                   "\"2005/03/01\",\"給料\",200000\r\n"));
        verifyNoTemporaries(dir);
    }

    void rewritesReplaceTheFileAtomically() {
        // A hard link to the old file keeps the old bytes: the new content came
        // in by a rename over the name, never by truncating the file in place.
        BookDir dir;
        Book book(dir.path());
        const QByteArray old = sjis(QStringLiteral("\"2005/02/14\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        const QString link = dir.file(QStringLiteral("old-link"));
        for (int step = 0; step < 3; ++step) {
            dir.writeBytes(kData, old);
            QFile::remove(link);
            QCOMPARE(::link(QFile::encodeName(dir.file(kData)).constData(),
                            QFile::encodeName(link).constData()),
                     0);
            FileResult r;
            if (step == 0) r = insertPayment(book, pay("2005/02/01", "B", "y", 2), "2005/02/14");
            if (step == 1) r = renameInPayments(book, PaymentField::Payee, "A", "Z");
            if (step == 2) r = overwritePayments(book, {pay("2005/01/01", "C", "z", 3)});
            QVERIFY(r.ok());
            QVERIFY(dir.bytes(kData) != old);
            QCOMPARE(dir.bytes(QStringLiteral("old-link")), old);
        }
        QFile::remove(link);
        verifyNoTemporaries(dir);
    }

    // A large rewrite goes to the disk in pieces of 256 KiB: every size about
    // a piece's edge arrives whole, each byte once and in its place.
    void aRewriteArrivesWholeAtEverySize_data() {
        QTest::addColumn<int>("size");
        constexpr int piece = 256 * 1024;
        for (int size : {1, piece - 1, piece, piece + 1, 3 * piece + 17})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void aRewriteArrivesWholeAtEverySize() {
        QFETCH(int, size);
        BookDir dir;
        Book book(dir.path());
        dir.writeBytes(kData, "old\r\n");
        QByteArray content;
        for (int line = 0; content.size() < size; ++line)
            content += QByteArray::number(line).rightJustified(9, '0') + '\n';
        content.truncate(size);
        QVERIFY(book.rewrite(kData, content).ok());
        QVERIFY(dir.bytes(kData) == content);
        verifyNoTemporaries(dir);
    }

    void renamingMatchesWholeNamesOnly() {
        BookDir dir;
        Book book(dir.path());
        dir.write(kData,
                  QStringLiteral("\"2005/02/14\",\"スーパー\",\"食費\",123456789,\"m\",\"keep\"\r\n"
                                 "\"2005/02/14\",\"スーパー丸正\",\"食費\",1,\"\",\"\"\r\n"
                                 "\"2005/02/15\",\"ｽｰﾊﾟｰ\",\"食費\",2,\"\",\"\"\r\n"));
        dir.write(QStringLiteral("支払いマスタ.txt"),
                  QStringLiteral("スーパー\r\nスーパー丸正\r\n"));
        QVERIFY(renameInPayments(book, PaymentField::Payee, "スーパー", "ストア").ok());
        QVERIFY(
            renameInMaster(book, QStringLiteral("支払いマスタ.txt"), "スーパー", "ストア").ok());
        QVERIFY(renameInPayments(book, PaymentField::Category, "食費", "食料").ok());
        QCOMPARE(dir.text(kData),
                 QStringLiteral("\"2005/02/14\",\"ストア\",\"食料\",123456789,\"m\",\"keep\"\r\n"
                                "\"2005/02/14\",\"スーパー丸正\",\"食料\",1,\"\",\"\"\r\n"
                                "\"2005/02/15\",\"ｽｰﾊﾟｰ\",\"食料\",2,\"\",\"\"\r\n"));
        QCOMPARE(dir.text(QStringLiteral("支払いマスタ.txt")),
                 QStringLiteral("ストア\r\nスーパー丸正\r\n"));
        verifyNoTemporaries(dir);
    }

    void associationIsReplacedOrAdded() {
        BookDir dir;
        Book book(dir.path());
        QVERIFY(saveAssociation(book, "八百屋", "食費").ok());
        QVERIFY(saveAssociation(book, "本屋", "教養").ok());
        QVERIFY(saveAssociation(book, "八百屋", "野菜").ok());
        QCOMPARE(dir.text(QStringLiteral("関連.TXT")),
                 QStringLiteral("\"八百屋\",\"野菜\"\r\n\"本屋\",\"教養\"\r\n"));
        QCOMPARE(categoryOfPayee(book, "八百屋").value_or("none"), QStringLiteral("野菜"));
        QVERIFY(!categoryOfPayee(book, "八百").has_value());
        verifyNoTemporaries(dir);
    }

    void settingsAndUserName() {
        BookDir dir;
        Book book(dir.path());
        QVERIFY(writeHelpFlag(book, 1).ok());
        QVERIFY(writeHelpFlag(book, 0).ok());
        QCOMPARE(dir.bytes(QStringLiteral("設定.txt")),
                 sjis(QStringLiteral("\"ヘルプツアー\",0\r\n")));
        QCOMPARE(readHelpFlag(book), 0);
        QVERIFY(writeUserName(book, QStringLiteral("山田 花子")).ok());
        QCOMPARE(dir.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")),
                 sjis(QStringLiteral("\"氏名\",\"山田 花子\"\r\n")));
        QCOMPARE(readUserName(book), QStringLiteral("山田 花子"));
    }

    void fileFromWindowsInOtherLetterCaseIsUsedUnderItsOwnName() {
        BookDir dir;
        Book book(dir.path());
        dir.write(QStringLiteral("データ.TXT"),
                  QStringLiteral("\"2005/02/14\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        dir.write(QStringLiteral("設定.TXT"), QStringLiteral("\"ヘルプツアー\",1\r\n"));
        QCOMPARE(readPayments(book).size(), 1);
        QCOMPARE(readHelpFlag(book), 1);
        QVERIFY(insertPayment(book, pay("2005/02/01", "B", "y", 2), "2005/02/14").ok());
        QVERIFY(writeHelpFlag(book, 0).ok());
        QCOMPARE(dir.files(), (QStringList{"データ.TXT", "設定.TXT"}));
        QCOMPARE(readPayments(book).size(), 2);
        QCOMPARE(readPayments(book).first().payee, QStringLiteral("B"));
        QCOMPARE(readHelpFlag(book), 0);
    }

    void missingFilesReadAsEmpty() {
        BookDir dir;
        Book book(dir.path());
        QVERIFY(readPayments(book).isEmpty());
        QVERIFY(!readFirstPayment(book).has_value());
        QVERIFY(readIncomes(book).isEmpty());
        QVERIFY(readMaster(book, QStringLiteral("費目マスタ.txt")).isEmpty());
        QCOMPARE(readHelpFlag(book), 0);
        QCOMPARE(readUserName(book), QString());
        QCOMPARE(readNotes(book), QString());
        QVERIFY(deleteFile(book, QStringLiteral("予測データ.txt")).ok());
    }

    void damagedBytesLoseNoRecord() {
        BookDir dir;
        Book book(dir.path());
        QByteArray bytes = sjis(QStringLiteral("\"2005/02/01\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        bytes += QByteArray("\"2005/02/02\",\"\x80\xFF\x82\",\"x\",2,\"\",\"\"\r\n");
        bytes += sjis(QStringLiteral("\"2005/02/14\",\"C\",\"x\",3,\"\",\"\"\r\n"));
        dir.writeBytes(kData, bytes);
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 3);
        QCOMPARE(read.at(1).amount, 2);
        QCOMPARE(read.at(2).payee, QStringLiteral("C"));
        // A rewrite keeps the damaged record's bytes as they were.
        QVERIFY(insertPayment(book, pay("2005/02/10", "B", "y", 9), "2005/02/14").ok());
        QVERIFY(dir.bytes(kData).contains(QByteArray("\"\x80\xFF\x82\"")));
        QCOMPARE(readPayments(book).size(), 4);
    }

    void shippedSampleBookIsWellFormed() {
        const Book sample(QStringLiteral(MILTEA_SAMPLE_DIR));
        const QStringList files{"データ.txt",     "入金.txt",       "支払いマスタ.txt",
                                "費目マスタ.txt", "関連.TXT",       "設定.txt",
                                "気付きメモ.txt", "予測データ.txt", "ﾌﾟﾗｲﾍﾞｰﾄ.txt"};
        for (const QString &name : files) {
            QFile f(sample.pathOf(name));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(name));
            const QByteArray bytes = f.readAll();
            QVERIFY2(bytes.isEmpty() || bytes.endsWith("\r\n"), qPrintable(name));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        }
        const QList<PaymentRecord> payments = readPayments(sample);
        QCOMPARE(payments.first().date, QStringLiteral("2005/01/02"));
        QCOMPARE(readUserName(sample), kSampleUserName);
        int valentine = 0, savings = 0;
        for (int i = 0; i < payments.size(); ++i) {
            if (i) QVERIFY(payments[i - 1].date <= payments[i].date);
            valentine += payments[i].date == QStringLiteral("2005/02/14");
            savings += payments[i].payee.contains(QStringLiteral("貯金")) ||
                       payments[i].category.contains(QStringLiteral("貯金"));
        }
        QVERIFY(valentine >= 9);
        QVERIFY(savings >= 2);
        QVERIFY(payments.last().date >= QStringLiteral("2005/03/01"));
        QCOMPARE(readIncomes(sample).first().reason, QStringLiteral("スタート時入金"));
    }

    void truncateCopyDelete() {
        BookDir dir;
        Book book(dir.path());
        dir.write(kData, QStringLiteral("\"2005/02/14\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        QVERIFY(copyFile(book, kData, QStringLiteral("予測データ.txt")).ok());
        QCOMPARE(dir.bytes(QStringLiteral("予測データ.txt")), dir.bytes(kData));
        QVERIFY(truncateFile(book, kData).ok());
        QVERIFY(dir.exists(kData));
        QCOMPARE(dir.bytes(kData).size(), 0);
        QVERIFY(deleteFile(book, QStringLiteral("予測データ.txt")).ok());
        QVERIFY(!dir.exists(QStringLiteral("予測データ.txt")));
    }
};

QTEST_GUILESS_MAIN(TestRecordFiles)
#include "test_recordfiles.moc"
