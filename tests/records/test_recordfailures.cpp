// The book files when the file system fails: a full disk, a failing read, a
// symlinked or read-only file. A failed write leaves the file as it was and
// says so; no record is ever lost while success is reported.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "book/corrections.h"
#include "bookdir.h"
#include "failingreads.h"
#include "records/foldercopy.h"
#include "records/recordfiles.h"
#include "returnswithin.h"
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
// A journal that says no to every write, or yes, and notes how each ended.
struct NotingJournal : BookJournal {
    FileResult answer;
    QList<bool> ended;
    FileResult aboutToWrite(const QString &, const QString &, Write, qint64,
                            const QByteArray &) override {
        return answer;
    }
    FileResult finished(const QString &, bool written) override {
        ended << written;
        return {};
    }
};
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

    // The new content goes to the temporary while the journal is told: when
    // the journal or the disk says no, the file stays and no temporary is left.
    // "disk partway": a book bigger than the free space fills the disk after
    // its first pieces.
    void aRewriteStopsWhenTheJournalOrTheDiskSaysNo_data() {
        QTest::addColumn<QString>("no");
        QTest::addColumn<QString>("temp");
        for (const char *no : {"journal", "full disk", "disk partway"}) {
            QTest::addRow("%s, named temporary", no) << no << QStringLiteral("データコピー.txt");
            QTest::addRow("%s, own temporary", no) << no << QString();
        }
    }
    void aRewriteStopsWhenTheJournalOrTheDiskSaysNo() {
        QFETCH(QString, no);
        QFETCH(QString, temp);
        const bool diskFull = no != QStringLiteral("journal");
        SmallDisk disk("1m");
        if (!disk.mounted()) QSKIP(disk.whyNot());
        disk.writeBytes(kData, paymentLines(40));
        if (no == QStringLiteral("full disk")) disk.fill();
        const QStringList files = disk.files();
        NotingJournal journal;
        if (!diskFull)
            journal.answer = FileResult::refused(QStringLiteral("履歴"), QStringLiteral("いいえ"));
        Book book(disk.path());
        book.setJournal(&journal);
        const int lines = no == QStringLiteral("disk partway") ? 30000 : 3000;
        const FileResult r = book.rewrite(kData, paymentLines(lines), temp);
        QCOMPARE(r.title,
                 diskFull ? QStringLiteral("ファイル書き込みエラー") : QStringLiteral("履歴"));
        QCOMPARE(journal.ended, diskFull ? QList<bool>{false} : QList<bool>{});
        QCOMPARE(disk.bytes(kData), paymentLines(40));
        QCOMPARE(disk.files(), files);
    }

    // A FIFO or socket put in a book file's place holds no book: every look
    // at it answers at once (a blocking open would wait for a writer forever).
    void aFifoOrSocketInAFilesPlaceHoldsNothingUp_data() {
        QTest::addColumn<bool>("socket");
        QTest::newRow("FIFO") << false;
        QTest::newRow("socket") << true;
    }
    void aFifoOrSocketInAFilesPlaceHoldsNothingUp() {
        QFETCH(bool, socket);
        BookDir dir;
        const QString path = dir.file(kData);
        const QByteArray at = QFile::encodeName(path);
        if (socket) {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(at.size()) < sizeof address.sun_path);
            std::memcpy(address.sun_path, at.constData(), size_t(at.size()));
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
            ::close(fd);
        } else {
            QCOMPARE(::mkfifo(at.constData(), 0600), 0);
        }
        struct Seen {
            FileContent read;
            bool byteOrderMark = true, holdsEmpty = true;
            FileResult copied, removed;
        };
        const auto seen = std::make_shared<Seen>();
        QVERIFY(returnsWithin([path, dir = dir.path(), seen] {
            seen->read = readFile(path);
            seen->byteOrderMark = startsWithByteOrderMarkOnDisk(path);
            seen->holdsEmpty = fileHoldsExactly(path, {});
            seen->copied = copyIntoNewFolder(Book(dir), QStringLiteral("写し"), {kData});
            seen->removed = removeFile(path);
        }));
        const QString special = QStringLiteral("通常のファイルではありません。");
        QCOMPARE(seen->read.error.title, QStringLiteral("ファイル読み込みエラー"));
        QCOMPARE(seen->read.error.message,
                 QStringLiteral("「データ.txt」を読み込めませんでした。\n") + special);
        QVERIFY(!seen->byteOrderMark);
        QVERIFY(!seen->holdsEmpty);
        QCOMPARE(seen->copied.message,
                 QStringLiteral("「データ.txt」を複写できませんでした。\n") + special);
        QVERIFY(seen->removed.ok());
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(dir.file(QStringLiteral("写し"))));
    }

    void aFailedAppendLeavesNoPartOfTheRecord() {
        SmallDisk disk;
        if (!disk.mounted()) QSKIP(disk.whyNot());
        Book book(disk.path());
        // Files a few bytes short of a whole page: an append writes those
        // bytes, then meets the full disk.
        QByteArray data = sjis(QStringLiteral("\"2024/01/01\",\"A\",\"x\",1,\"\",\"\"\r\n"));
        data += "\"2024/01/01\",\"B\",\"x\",2,\"" + QByteArray(4090 - data.size() - 30, 'm') +
                "\",\"\"\r\n";
        QCOMPARE(data.size(), 4090);
        QByteArray master = QByteArray(4088, 'a') + "\r\n";
        disk.writeBytes(kData, data);
        disk.writeBytes(kPayees, master);
        disk.fill();
        const FileResult r = insertPayment(book, pay("2024/01/02", "C", "y", 123456), "2024/01/01");
        QVERIFY(!r.ok());
        QCOMPARE(r.title, QStringLiteral("ファイル書き込みエラー"));
        QCOMPARE(disk.bytes(kData), data);
        QVERIFY(!appendMasterName(book, QStringLiteral("新しい店"), kPayees).ok());
        QCOMPARE(disk.bytes(kPayees), master);

        // A retry once there is room stores the record once.
        disk.freeSpace();
        QVERIFY(insertPayment(book, pay("2024/01/02", "C", "y", 123456), "2024/01/01").ok());
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 3);
        QCOMPARE(read.last(), pay("2024/01/02", "C", "y", 123456));
    }

    void aRewriteNeverStartsFromAFileItCouldNotReadWhole() {
        BookDir dir;
        Book book(dir.path());
        const QByteArray data = paymentLines(174);
        QVERIFY(data.size() > 6000);
        QByteArray assoc;
        for (int i = 0; i < 20; ++i)
            assoc += sjis(QStringLiteral("\"店%1\",\"食費\"\r\n").arg(i));
        const QByteArray income = sjis(QStringLiteral("\"2024/01/01\",\"スタート時入金\",5\r\n"));
        const QByteArray payees = sjis(QStringLiteral("店1\r\n店2\r\n"));
        dir.writeBytes(kData, data);
        dir.writeBytes(kAssoc, assoc);
        dir.writeBytes(kIncome, income);
        dir.writeBytes(kPayees, payees);
        const auto verifyRefused = [](const FileResult &r, const QString &file) {
            QVERIFY(!r.ok());
            QCOMPARE(r.title, QStringLiteral("ファイル読み込みエラー"));
            QVERIFY2(
                r.message.startsWith(QStringLiteral("「%1」を読み込めませんでした。").arg(file)),
                qPrintable(r.message));
            QVERIFY2(r.message.contains(QStringLiteral("保存しませんでした")),
                     qPrintable(r.message));
        };
        {
            // An I/O error 4 KB into the file.
            FailingReads failing(4096);
            verifyRefused(insertPayment(book, pay("2024/01/02", "B", "y", 2), "2024/01/29"), kData);
        }
        {
            FailingReads failing(0);
            verifyRefused(saveAssociation(book, "店1", "日用品"), kAssoc);
            verifyRefused(renameInPayments(book, PaymentField::Payee, "店1", "店一"), kData);
            verifyRefused(renameInMaster(book, kPayees, "店1", "店一"), kPayees);
            verifyRefused(insertIncome(book, {"2023/12/31", "前", 5}, "2024/01/01"), kIncome);
            verifyRefused(copyFile(book, kData, QStringLiteral("予測データ.txt")), kData);
            verifyRefused(deletePayment(book, {0, data.left(data.indexOf('\r'))}), kData);
        }
        QCOMPARE(dir.bytes(kData), data);
        QCOMPARE(dir.bytes(kAssoc), assoc);
        QCOMPARE(dir.bytes(kIncome), income);
        QCOMPARE(dir.bytes(kPayees), payees);
        QStringList files{kAssoc, kData, kIncome, kPayees};
        files.sort();
        QCOMPARE(dir.files(), files);

        // Readers say so too, and hand out nothing half read.
        {
            FailingReads failing(4096);
            FileResult err;
            QVERIFY(readPayments(book, kData, &err).isEmpty());
            QCOMPARE(err.title, QStringLiteral("ファイル読み込みエラー"));
            QVERIFY(readFileBytes(dir.file(kData)).isEmpty());
        }
        {
            FailingReads failing(0);
            FileResult err;
            QVERIFY(readMaster(book, kPayees, &err).isEmpty());
            QVERIFY(!err.ok());
            err = {};
            QVERIFY(!categoryOfPayee(book, "店1", &err).has_value());
            QVERIFY(!err.ok());
            err = {};
            QVERIFY(readIncomes(book, &err).isEmpty());
            QVERIFY(!err.ok());
        }
        FileResult err;
        QCOMPARE(readPayments(book, kData, &err).size(), 174);
        QVERIFY(err.ok());
        QVERIFY(insertPayment(book, pay("2024/01/02", "B", "y", 2), "2024/01/29").ok());
        QCOMPARE(readPayments(book).size(), 175);
    }

    void rewritesFollowASymlinkToTheRealFile() {
        BookDir synced, dir;
        Book book(dir.path());
        const QStringList linked{kData, kAssoc, kPayees, kNotes};
        for (const QString &name : linked) {
            synced.writeBytes(name, {});
            QVERIFY(QFile::link(synced.file(name), dir.file(name)));
        }
        synced.write(kData, QStringLiteral("\"2024/01/05\",\"店1\",\"食費\",5,\"\",\"\"\r\n"));
        QVERIFY(insertPayment(book, pay("2024/01/01", "店1", "x", 1), "2024/01/05").ok());
        QVERIFY(renameInPayments(book, PaymentField::Payee, "店1", "店一").ok());
        QVERIFY(saveAssociation(book, "店一", "食費").ok());
        QVERIFY(appendMasterName(book, "店一", kPayees).ok());
        QVERIFY(renameInMaster(book, kPayees, "店一", "店壱").ok());
        QVERIFY(writeNotes(book, QStringLiteral("メモ")).ok());
        for (const QString &name : linked)
            QVERIFY2(QFileInfo(dir.file(name)).isSymLink(), qPrintable(name));
        QCOMPARE(synced.text(kData),
                 QStringLiteral("\"2024/01/01\",\"店一\",\"x\",1,\"\",\"\"\r\n"
                                "\"2024/01/05\",\"店一\",\"食費\",5,\"\",\"\"\r\n"));
        QCOMPARE(synced.text(kAssoc), QStringLiteral("\"店一\",\"食費\"\r\n"));
        QCOMPARE(synced.text(kPayees), QStringLiteral("店壱\r\n"));
        QCOMPARE(synced.text(kNotes), QStringLiteral("メモ\r\n"));
        QVERIFY(overwritePayments(book, {}).ok());
        QVERIFY(QFileInfo(dir.file(kData)).isSymLink());
        QCOMPARE(synced.bytes(kData), QByteArray());
        QStringList names = linked;
        names.sort();
        QCOMPARE(synced.files(), names); // no temporary left in either folder
        QCOMPARE(dir.files(), names);
    }

    // "alias/.." in a link goes up from where alias leads, as every read of
    // the file does; the rewrite must land in that same file.
    void aRewriteLandsInTheFileTheLinkReads() {
        BookDir root, dir;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("real/inner")));
        QVERIFY(QFile::link(root.file(QStringLiteral("real/inner")), root.file("alias")));
        root.writeBytes(QStringLiteral("real/memo.txt"), "old\r\n");
        root.writeBytes(QStringLiteral("memo.txt"), "decoy\r\n");
        const QByteArray through = QFile::encodeName(root.path() + "/alias/../memo.txt");
        QCOMPARE(::symlink(through.constData(), QFile::encodeName(dir.file(kNotes)).constData()),
                 0);
        QVERIFY(writeNotes(Book(dir.path()), QStringLiteral("メモ")).ok());
        QCOMPARE(root.bytes(QStringLiteral("real/memo.txt")), sjis(QStringLiteral("メモ\r\n")));
        QCOMPARE(root.bytes(QStringLiteral("memo.txt")), QByteArray("decoy\r\n"));
        QVERIFY(QFileInfo(dir.file(kNotes)).isSymLink());
        // A book folder that links to a folder named in CP932 bytes: the
        // rewrite goes by the link's own text, which Qt can spell.
        const QByteArray cp932Folder = QFile::encodeName(root.path()) + "/\x8b\x8c"; // 旧
        QCOMPARE(::mkdir(cp932Folder.constData(), 0700), 0);
        QCOMPARE(::symlink(cp932Folder.constData(), QFile::encodeName(root.file("bk")).constData()),
                 0);
        QCOMPARE(::symlink("real.txt", QFile::encodeName(root.file("bk/") + kNotes).constData()),
                 0);
        QVERIFY(writeNotes(Book(root.file("bk")), QStringLiteral("メモ")).ok());
        QCOMPARE(root.bytes(QStringLiteral("bk/real.txt")), sjis(QStringLiteral("メモ\r\n")));
    }

    void rewritesKeepTheModeAndRefuseAReadOnlyFile() {
        BookDir dir;
        Book book(dir.path());
        const QByteArray data = sjis(QStringLiteral("\"2024/01/05\",\"A\",\"x\",5,\"\",\"\"\r\n"));
        dir.writeBytes(kData, data);
        const auto mode = [&](const QString &name) {
            return QFile::permissions(dir.file(name)) & 0x7077; // owner, group, other
        };
        const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
        QVERIFY(QFile::setPermissions(dir.file(kData), ownerOnly));
        QVERIFY(insertPayment(book, pay("2024/01/01", "B", "y", 1), "2024/01/05").ok());
        QCOMPARE(mode(kData), ownerOnly);
        QVERIFY(renameInPayments(book, PaymentField::Payee, "B", "C").ok());
        QCOMPARE(mode(kData), ownerOnly);
        QVERIFY(overwritePayments(book, readPayments(book)).ok());
        QCOMPARE(mode(kData), ownerOnly);
        dir.writeBytes(kNotes, {});
        QVERIFY(QFile::setPermissions(dir.file(kNotes), ownerOnly));
        QVERIFY(writeNotes(book, QStringLiteral("秘密")).ok());
        QCOMPARE(mode(kNotes), ownerOnly);

        // Read-only: refused by append, insertion, rename and overwrite alike.
        const QByteArray before = dir.bytes(kData);
        QVERIFY(QFile::setPermissions(dir.file(kData), QFile::ReadOwner | QFile::ReadGroup));
        QList<FileResult> results;
        results << insertPayment(book, pay("2024/01/09", "D", "y", 1), "2024/01/05")
                << insertPayment(book, pay("2024/01/02", "D", "y", 1), "2024/01/05")
                << renameInPayments(book, PaymentField::Payee, "C", "D")
                << overwritePayments(book, {}) << truncateFile(book, kData);
        for (const FileResult &r : results) {
            QVERIFY(!r.ok());
            QCOMPARE(r.title, QStringLiteral("ファイル書き込みエラー"));
            QCOMPARE(r.message,
                     QStringLiteral("「データ.txt」は読み取り専用のため書き込めません。"));
        }
        QCOMPARE(dir.bytes(kData), before);
        QCOMPARE(dir.files(), (QStringList{kData, kNotes}));
    }

    // A payee that keeps its category writes nothing, yet a read-only 関連.TXT
    // refuses that save as it refuses a changed one.
    void aReadOnlyAssociationFileRefusesEvenAnUnchangedSave() {
        BookDir dir;
        Book book(dir.path());
        dir.writeBytes(kAssoc, "\"A\",\"x\"\r\n");
        QVERIFY(QFile::setPermissions(dir.file(kAssoc), QFile::ReadOwner | QFile::ReadGroup));
        for (const char *category : {"x", "y"}) {
            const FileResult r = saveAssociation(book, "A", category);
            QVERIFY(!r.ok());
            QCOMPARE(r.message, QStringLiteral("「関連.TXT」は読み取り専用のため書き込めません。"));
        }
        QCOMPARE(dir.bytes(kAssoc), QByteArray("\"A\",\"x\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestRecordFailures)
#include "test_recordfailures.moc"
