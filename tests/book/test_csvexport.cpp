// A grid as CSV: amounts as plain integers, RFC 4180 quoting, CR LF, the
// UTF-8 byte-order mark, and CP932 bytes with their refusal; never over a
// file of the book.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "book/csvexport.h"
#include "records/cp932.h"

class TestCsvExport : public QObject {
    Q_OBJECT
private slots:
    void aTableAsCsv_data() {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refused");
        const QString body = QStringLiteral("日付,支払い,金額\r\n"
                                            "2005/02/14,\"八百屋, 駅前\",12345\r\n"
                                            "2005/02/15,\"本屋 \"\"新館\"\"\",-1000\r\n"
                                            "2005/02/16,\"一行目\r\n二行目\",12\r\n");
        QTest::newRow("UTF-8") << int(CsvEncoding::Utf8) << "\xEF\xBB\xBF" + body.toUtf8()
                               << QString();
        QTest::newRow("Shift-JIS")
            << int(CsvEncoding::ShiftJis) << *cp932::encode(body) << QString();
        QTest::newRow("Shift-JIS refused")
            << int(CsvEncoding::ShiftJis) << QByteArray() << QStringLiteral("😀");
    }
    void aTableAsCsv() {
        QFETCH(int, encoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refused);
        const QList<QStringList> rows{
            {"日付", "支払い", "金額"},
            {"2005/02/14", "八百屋, 駅前", "¥12,345"},
            {"2005/02/15", "本屋 \"新館\"", "-¥1,000"},
            {"2005/02/16", refused.isEmpty() ? "一行目\n二行目" : refused, "¥12"}};
        const CsvFile file = csvFromTable(rows, static_cast<CsvEncoding>(encoding));
        QCOMPARE(file.bytes, bytes);
        QCOMPARE(file.error.ok(), refused.isEmpty());
        if (!refused.isEmpty())
            QVERIFY(file.error.message.startsWith(QStringLiteral("「%1」").arg(refused)));
    }

    void neverOverAFileOfTheBook_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("refused");
        QTest::newRow("payments") << "データ.txt" << true;
        QTest::newRow("budgets, not there yet, in capitals") << "予算.TXT" << true;
        QTest::newRow("a link to the lock, not there") << "lock.csv" << true;
        QTest::newRow("an old book kept") << "旧データ_20240101_000000/データ.txt" << true;
        QTest::newRow("a link to the payments") << "link.csv" << true;
        QTest::newRow("in the history folder") << "バックアップ/old.txt" << true;
        QTest::newRow("the file the incomes link to") << "other/store.txt" << true;
        QTest::newRow("the file the notes link to, not there yet") << "other/memo.txt" << true;
        QTest::newRow("that file in another case") << "other/MEMO.txt" << true;
        QTest::newRow("the file the budgets link to through alias/..")
            << "other/deep/budget.txt" << true;
        QTest::newRow("a new file") << "データ.csv" << false;
        QTest::newRow("same name, another folder") << "other/データ.txt" << false;
    }
    void neverOverAFileOfTheBook() {
        QFETCH(QString, target);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        const QDir book(dir.path());
        QVERIFY(book.mkdir(QStringLiteral("バックアップ")) && book.mkdir(QStringLiteral("other")));
        QVERIFY(book.mkdir(QStringLiteral("旧データ_20240101_000000")));
        QVERIFY(QFile::link(book.filePath(QStringLiteral(".miltea.lock")),
                            book.filePath(QStringLiteral("lock.csv"))));
        for (const char *name :
             {"データ.txt", "バックアップ/old.txt", "other/データ.txt", "other/store.txt"}) {
            QFile f(book.filePath(QString::fromUtf8(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(book.filePath(QStringLiteral("データ.txt")),
                            book.filePath(QStringLiteral("link.csv"))));
        QVERIFY(QFile::link(book.filePath(QStringLiteral("other/store.txt")),
                            book.filePath(QStringLiteral("入金.txt"))));
        QVERIFY(QFile::link(book.filePath(QStringLiteral("other/memo.txt")),
                            book.filePath(QStringLiteral("気付きメモ.txt"))));
        // "alias/.." goes up from other/deep/inner, where alias leads.
        QVERIFY(book.mkpath(QStringLiteral("other/deep/inner")));
        QVERIFY(QFile::link(book.filePath(QStringLiteral("other/deep/inner")),
                            book.filePath(QStringLiteral("alias"))));
        const QByteArray through = QFile::encodeName(book.filePath("alias") + "/../budget.txt");
        QCOMPARE(
            ::symlink(through.constData(),
                      QFile::encodeName(book.filePath(QStringLiteral("予算.txt"))).constData()),
            0);
        const FileResult r = csvTargetRefusal(book.filePath(target), dir.path());
        QCOMPARE(!r.ok(), refused);
        if (refused)
            QCOMPARE(r.message,
                     QStringLiteral("「%1」は家計簿のファイルのため、書き出しませんでした。"
                                    "別の名前を指定してください。")
                         .arg(QFileInfo(target).fileName()));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "test_csvexport.moc"
