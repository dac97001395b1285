// The book files when the file system fails: a full disk, a failing read, a
// symlinked or read-only file. A failed write leaves the file as it was and
// says so; no record is ever lost while success is reported.
#include <QFile>
#include <QTest>

#include "bookdir.h"
#include "records/recordfiles.h"
#include "smalldisk.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString kNotes = QStringLiteral("気付きメモ.txt");
const QString kAssoc = QStringLiteral("関連.TXT");
const QString kPayees = QStringLiteral("支払いマスタ.txt");

PaymentRecord pay(const QString &date, const QString &payee, const QString &cat, qint64 amount) {
    return {date, payee, cat, amount, {}, {}};
}

QByteArray paymentLines(int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += sjis(QStringLiteral("\"2024/01/%1\",\"店%2\",\"食費\",%3,\"\",\"\"\r\n")
                        .arg(10 + i % 20)
                        .arg(i)
                        .arg(100 + i));
    return out;
}
} // namespace

class TestRecordFailures : public QObject {
    Q_OBJECT
private slots:
    void everyWriteOnAFullDiskFailsAndKeepsTheFile() {
        SmallDisk disk;
        if (!disk.mounted()) QSKIP(disk.whyNot());
        Book book(disk.path());
        const QMap<QString, QByteArray> before{
            {kData, paymentLines(40)},
            {kIncome, sjis(QStringLiteral("\"2024/01/01\",\"スタート時入金\",50000\r\n"))},
            {kNotes, sjis(QStringLiteral("前のメモ\r\n"))},
            {kAssoc, sjis(QStringLiteral("\"店1\",\"食費\"\r\n"))},
            {kPayees, sjis(QStringLiteral("店1\r\n店2\r\n"))},
            {QStringLiteral("設定.txt"), sjis(QStringLiteral("\"ヘルプツアー\",1\r\n"))},
            {QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), sjis(QStringLiteral("\"氏名\",\"山田\"\r\n"))}};
        for (auto it = before.begin(); it != before.end(); ++it)
            disk.writeBytes(it.key(), it.value());
        disk.fill();

        QList<FileResult> results;
        results << writeNotes(book, QString(4990, u'あ'))
                << overwritePayments(book, {pay("2024/01/01", "A", "x", 1)})
                << writeHelpFlag(book, 0) << writeUserName(book, QStringLiteral("花子"))
                << overwriteMaster(book, kPayees, {QStringLiteral("店3")})
                << insertPayment(book, pay("2024/01/02", "B", "y", 2), "2024/01/29")
                << insertIncome(book, {"2023/12/31", "前", 5}, "2024/01/01")
                << renameInPayments(book, PaymentField::Payee, "店1", "店一")
                << renameInMaster(book, kPayees, "店1", "店一")
                << saveAssociation(book, "店2", "日用品")
                << copyFile(book, kData, QStringLiteral("予測データ.txt"));
        for (const FileResult &r : results) {
            QVERIFY(!r.ok());
            QCOMPARE(r.title, QStringLiteral("ファイル書き込みエラー"));
            QVERIFY2(r.message.contains(QStringLiteral("書き込めませんでした")),
                     qPrintable(r.message));
        }
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(disk.bytes(it.key()) == it.value(), qPrintable(it.key()));
        QStringList files = before.keys();
        files << SmallDisk::kFiller;
        files.sort();
        QCOMPARE(disk.files(), files); // no temporary left behind

        disk.freeSpace();
        QVERIFY(writeNotes(book, QString(4990, u'あ')).ok());
        QCOMPARE(readNotes(book), QString(4990, u'あ'));
    }
};

QTEST_GUILESS_MAIN(TestRecordFailures)
#include "test_recordfailures.moc"
