// Rewrites and readers over books that other programs saved: a file in
// UTF-8, NEC's copies of characters, lines that look like byte-order marks,
// amounts that are not plain numbers and dates far outside a lifetime. Each
// case once lost, corrupted or misreported a record.
#include <QFile>
#include <QTest>

#include "book/corrections.h"
#include "book/diary.h"
#include "book/entrychecks.h"
#include "book/forecast.h"
#include "book/monthsummary.h"
#include "book/newstart.h"
#include "book/rename.h"
#include "book/search.h"
#include "book/totals.h"
#include "bookdir.h"
#include "records/recordfiles.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kPayees = QStringLiteral("支払いマスタ.txt");
const QByteArray kUtf8Mark = "\xEF\xBB\xBF";

QByteArray utf8Book(const char *firstPayee) {
    return kUtf8Mark + QByteArray("\"2024/05/01\",\"") + firstPayee +
           "\",\"食費\",100,\"\",\"\"\r\n\"2024/05/02\",\"本屋\",\"本\",200,\"\",\"\"\r\n";
}
} // namespace

class TestRewriteFaults : public QObject {
    Q_OBJECT
private slots:
    // A character CP932 cannot hold is never written back as 〓.
    void rewritesRefuseAFileTheyCannotWriteBackWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("diary comment") << kData;
        QTest::newRow("master order") << kPayees;
    }
    void rewritesRefuseAFileTheyCannotWriteBackWhole() {
        QFETCH(QString, file);
        BookDir dir;
        const Book book(dir.path());
        const QByteArray before =
            file == kData ? utf8Book("😀カフェ") : kUtf8Mark + QByteArray("😀\r\n本屋\r\n");
        dir.writeBytes(file, before);
        const FileResult r = file == kData
                                 ? computeDiary(book).storeComment(book, 1, QStringLiteral("メモ"))
                                 : overwriteMaster(book, kPayees, readMaster(book, kPayees));
        QCOMPARE(r.title, QStringLiteral("保存できない文字"));
        QCOMPARE(r.message, QStringLiteral("ファイルに「😀」があります。この文字はShift-JISで保存"
                                           "できないため、保存しませんでした。"));
        QCOMPARE(dir.bytes(file), before);
    }

    // ≒ stored as NEC's 87 90 reads as the ≒ the list shows, and renames.
    void renameMatchesNamesAsTheyRead() {
        BookDir dir;
        const Book book(dir.path());
        dir.writeBytes(kData, "\"2024/05/01\",\"\x87\x90\",\"x\",1,\"\",\"\"\r\n"
                              "\"2024/05/01\",\"\x81\xE0\",\"x\",2,\"\",\"\"\r\n"
                              "\"2024/05/02\",\"\x87\x90\x87\x90\",\"x\",3,\"\",\"\"\r\n");
        dir.writeBytes(kPayees, "\x87\x90\r\n\x87\x90\x87\x90\r\n");
        QVERIFY(
            renameEverywhere(book, PaymentField::Payee, QStringLiteral("≒"), QStringLiteral("新店"))
                .ok());
        QCOMPARE(dir.bytes(kData),
                 sjis(QStringLiteral("\"2024/05/01\",\"新店\",\"x\",1,\"\",\"\"\r\n"
                                     "\"2024/05/01\",\"新店\",\"x\",2,\"\",\"\"\r\n")) +
                     "\"2024/05/02\",\"\x87\x90\x87\x90\",\"x\",3,\"\",\"\"\r\n");
        QCOMPARE(dir.bytes(kPayees), sjis(QStringLiteral("新店\r\n")) + "\x87\x90\x87\x90\r\n");
    }

    // Every file the rename writes is checked before any is written.
    void renameWritesNothingWhenTheMasterCannotBeWrittenBack() {
        BookDir dir;
        const Book book(dir.path());
        const QByteArray data =
            sjis(QStringLiteral("\"2024/05/01\",\"本屋\",\"本\",1,\"\",\"\"\r\n"));
        const QByteArray master = kUtf8Mark + QByteArray("😀\r\n本屋\r\n");
        dir.writeBytes(kData, data);
        dir.writeBytes(kPayees, master);
        const FileResult r = renameEverywhere(book, PaymentField::Payee, QStringLiteral("本屋"),
                                              QStringLiteral("新店"));
        QCOMPARE(r.title, QStringLiteral("保存できない文字"));
        QCOMPARE(dir.bytes(kData), data);
        QCOMPARE(dir.bytes(kPayees), master);
        QCOMPARE(dir.files().size(), 2);
    }

    // A master that may not be written stops the rename before the payments change.
    void renameWritesNothingWhenTheMasterIsReadOnly() {
        BookDir dir;
        const Book book(dir.path());
        const QByteArray data =
            sjis(QStringLiteral("\"2024/05/01\",\"本屋\",\"本\",1,\"\",\"\"\r\n"));
        dir.writeBytes(kData, data);
        dir.write(kPayees, QStringLiteral("本屋\r\n"));
        QVERIFY(QFile::setPermissions(dir.file(kPayees), QFile::ReadOwner | QFile::ReadGroup));
        const FileResult r = renameEverywhere(book, PaymentField::Payee, QStringLiteral("本屋"),
                                              QStringLiteral("新店"));
        QCOMPARE(r.message,
                 QStringLiteral("「支払いマスタ.txt」は読み取り専用のため書き込めません。"));
        QCOMPARE(dir.bytes(kData), data);
    }

    // A new start that cannot write データ.txt writes nothing at all.
    void newStartWritesNothingWhenAFileIsReadOnly() {
        BookDir dir;
        dir.makeEmptyBook();
        const QByteArray incomes = sjis(QStringLiteral("\"2024/01/01\",\"給料\",300000\r\n"));
        dir.writeBytes(QStringLiteral("入金.txt"), incomes);
        QVERIFY(QFile::setPermissions(dir.file(kData), QFile::ReadOwner));
        const FileResult r = startNewBook(Book(dir.path()), {"2024/02/01", 5000, "新"},
                                          QDateTime(QDate(2024, 2, 1), QTime(9, 0)));
        QCOMPARE(r.message, QStringLiteral("「データ.txt」は読み取り専用のため書き込めません。"));
        QCOMPARE(dir.bytes(QStringLiteral("入金.txt")), incomes);
    }

    // Only a file's first bytes are a byte-order mark: a record line that
    // starts with them stays a record, and blank lines stay where they were.
    void aLineThatLooksLikeAMarkStaysARecord_data() {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<bool>("rename");
        QTest::newRow("UTF-16, deletion") << QByteArray("\xFF\xFE") << false;
        QTest::newRow("UTF-8, deletion") << kUtf8Mark << false;
        QTest::newRow("UTF-16, rename") << QByteArray("\xFF\xFE") << true;
        QTest::newRow("UTF-8, rename") << kUtf8Mark << true;
    }
    void aLineThatLooksLikeAMarkStaysARecord() {
        QFETCH(QByteArray, mark);
        QFETCH(bool, rename);
        BookDir dir;
        const Book book(dir.path());
        const QByteArray first = "\"2024/05/01\",\"a\",\"x\",1,\"\",\"\"";
        const QByteArray rest = mark + "\"2024/05/02\",\"b\",\"x\",2,\"\",\"\"\r\n"
                                       "\"2024/05/03\",\"c\",\"x\",3,\"\",\"\"\r\n"
                                       "\"2024/05/04\",\"d\",\"x\",4,\"\",\"\"\r\n";
        if (rename) {
            dir.writeBytes(kData, "\r\n\r\n" + rest + first + "\r\n");
            QVERIFY(renameInPayments(book, PaymentField::Payee, QStringLiteral("a"),
                                     QStringLiteral("A"))
                        .ok());
            QCOMPARE(dir.bytes(kData),
                     "\r\n\r\n" + rest + QByteArray("\"2024/05/01\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        } else {
            dir.writeBytes(kData, first + "\r\n" + rest);
            QVERIFY(deletePayment(book, {0, first}).ok());
            QCOMPARE(dir.bytes(kData), "\r\n" + rest);
        }
        QCOMPARE(readPayments(book).size(), 4 - !rename);
    }

    // One reading of an amount for every page: its leading number.
    void everyPageReadsAnAmountTheSameWay() {
        const QByteArray payments = "\"2024/05/01\",\"a\",\"x\",100,\"\",\"\"\r\n"
                                    "\"2024/05/02\",\"a\",\"x\",250abc,\"\",\"\"\r\n"
                                    "\"2024/05/03\",\"a\",\"x\",\"1,500\",\"\",\"\"\r\n";
        const QByteArray incomes = "\"2024/05/01\",\"start\",1000\r\n";
        QCOMPARE(computeMonth(incomes, payments, QDate(2024, 5, 31)).spent, 351LL);
        const Totals totals = computeTotals(incomes, payments, {}, TotalsBreakdown::Payee);
        QCOMPARE(totals.months.grandTotal, 351LL);
        const SearchResult listed = computeSearch(payments, {});
        QCOMPARE(listed.runningTotal(listed.rows.size() - 1), 351LL);
    }

    // Days without records cost no row of sums, whatever the book's span.
    void totalsKeepNoRowsForEmptyDays() {
        const QByteArray incomes = "\"0024/01/05\",\"x\",1\r\n";
        const QByteArray payments = "\"2024/05/01\",\"a\",\"x\",100,\"\",\"\"\r\n"
                                    "\"2024/05/03\",\"b\",\"x\",5,\"\",\"\"\r\n";
        const Totals t = computeTotals(incomes, payments, {"a", "b"}, TotalsBreakdown::Payee);
        QVERIFY(t.days.periods > 700'000);
        QCOMPARE(t.days.rowSubtotals.size(), 2);
        QCOMPARE(t.days.subtotal(t.days.periods - 1), 5LL);
        QCOMPARE(t.days.sum(t.days.periods - 3, 0), 100LL);
        QCOMPARE(t.days.subtotal(t.days.periods - 2), 0LL);
        QCOMPARE(t.months.keyTotals, (QList<Yen>{100, 5, 0}));
    }

    void newRecordsStayWithinTheBooksYears_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("ok");
        QTest::newRow("year 24") << "0024/01/05" << false;
        QTest::newRow("1899") << "1899/12/31" << false;
        QTest::newRow("1900") << "1900/01/01" << true;
        QTest::newRow("2100") << "2100/12/31" << true;
        QTest::newRow("2101") << "2101/01/01" << false;
    }
    void newRecordsStayWithinTheBooksYears() {
        QFETCH(QString, date);
        QFETCH(bool, ok);
        const EntryCheck income = checkIncome(QStringLiteral("給料"), QStringLiteral("100"), date);
        const EntryCheck payment =
            checkPaymentFix(false, {date, QStringLiteral("店"), QStringLiteral("食費"), 1, {}, {}},
                            QStringLiteral("1"));
        for (const EntryCheck &c : {income, payment}) {
            QCOMPARE(c.ok(), ok);
            if (!ok) QCOMPARE(c.title, QStringLiteral("日付け異常"));
        }
        // The new start's date too.
        const auto start = checkNewStart(date, QStringLiteral("1000"), QStringLiteral("名前"));
        QCOMPARE(std::holds_alternative<NewStart>(start), ok);
    }

    // The last record's date as the reader finds it: \v and \f are no blanks.
    void lastRecordDateCountsLinesAsTheReaderDoes() {
        QCOMPARE(lastRecordDate("\"2024/05/01\",\"a\"\r\n\v\r\n \t\r\n"), QStringLiteral("\v"));
        QCOMPARE(lastRecordDate("\"2024/05/01\",\"a\"\r\n \t\r\n"), QStringLiteral("2024/05/01"));
    }
};

QTEST_GUILESS_MAIN(TestRewriteFaults)
#include "test_rewritefaults.moc"
