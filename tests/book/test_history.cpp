// The undo history against the files: every change undone brings back every
// byte it replaced, every change redone every byte it wrote, across a
// restart, and a change is whole or absent after a kill at any moment.
//
// The seed is fixed; MILTEA_HISTORY_SEED picks another, MILTEA_HISTORY_RUNS
// the number of sequences. A failure prints the seed, the sequence and the step.
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "book/booksession.h"
#include "book/corrections.h"
#include "book/diary.h"
#include "book/newstart.h"
#include "book/rename.h"
#include "bookdir.h"
#include "failingreads.h"
#include "records/budgets.h"
#include "records/cp932.h"
#include "records/masters.h"
#include "records/recordfiles.h"
#include "records/smalldisk.h"
#include "records/smallfiles.h"
#include "returnswithin.h"
#include "seededpicks.h"

namespace {
const QStringList kPayees{"八百屋", "駅", "本屋", "≒", "使途不明金"};
const QStringList kCategories{"食費", "交通費", "教養", "雑費"};

// Every book file the history covers, as bytes; a missing file is absent.
using Files = QMap<QString, QByteArray>;
Files filesOf(const QString &dir) {
    Files out;
    const Book book(dir);
    for (const QString &name : bookRecordFiles())
        if (History::isJournaled(name))
            if (QFile f(book.pathOf(name)); f.open(QIODevice::ReadOnly))
                out.insert(name, f.readAll());
    return out;
}

QByteArray sjisLines(const char *utf8) {
    return cp932::encode(QString::fromUtf8(utf8)).value_or("");
}

// The payment most tests save, after the book's last: 2024/02/01 駅 交通費 200円.
ino_t inodeOf(const QString &path) {
    struct stat st;
    return ::stat(QFile::encodeName(path), &st) == 0 ? st.st_ino : 0;
}

FileResult savePayment(BookSession &s) {
    return insertPayment(s.book, {"2024/02/01", "駅", "交通費", 200, {}, {}}, s.lastPayDate());
}

void makeBook(const BookDir &d) {
    d.writeBytes(bookfile::payments,
                 sjisLines("\"2024/01/05\",\"八百屋\",\"食費\",300,\"\",\"\"\r\n"));
    d.writeBytes(bookfile::incomes, sjisLines("\"2024/01/01\",\"スタート時入金\",50000\r\n"));
    d.writeBytes(bookfile::payees, sjisLines("八百屋\r\n駅\r\n"));
    d.writeBytes(bookfile::categories, sjisLines("食費\r\n交通費\r\n"));
    d.writeBytes(bookfile::userName, sjisLines("\"氏名\",\"テスト\"\r\n"));
}
} // namespace

class TestHistory : public QObject, public SeededPicks {
    Q_OBJECT
    static inline int s_failingSyncs = 0;
    // Fails the next s_failingSyncs fsyncs, as a full disk does.
    static inline int s_passingSyncs = 0;
    // Reads of one file fail, as a bad disk block does.
    static inline ino_t s_unreadable = 0;
    static ssize_t failingOneFile(int fd, void *buffer, size_t count) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && st.st_ino == s_unreadable) {
            errno = EIO;
            return -1;
        }
        return ::read(fd, buffer, count);
    }
    static inline ino_t s_logInode = 0;
    // Fails the log's fsyncs after the first s_passingSyncs of them: a disk
    // full for the log alone.
    static int failingLogSync(int fd) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && st.st_ino == s_logInode && s_passingSyncs-- <= 0) {
            errno = ENOSPC;
            return -1;
        }
        return ::fsync(fd);
    }
    static int failingSync(int fd) {
        if (s_passingSyncs-- > 0) return ::fsync(fd);
        if (s_failingSyncs-- > 0) {
            errno = ENOSPC;
            return -1;
        }
        return ::fsync(fd);
    }

    // One change of every kind the program makes, as one step of the history.
    void change(BookSession &s) {
        const Book &book = s.book;
        const BookModel &now = s.model();
        const auto picked = [&](const auto &file) -> RecordAt {
            const int i = below(static_cast<int>(file.size()));
            return {i, file.line(i).toByteArray()};
        };
        const PaymentRecord payment{date(), pick(kPayees), pick(kCategories), below(5000), {}, {}};
        ChangeScope scope = s.change(QStringLiteral("変更%1").arg(below(1000)));
        const auto kept = qScopeGuard([&] { (void)scope.close(); });
        switch (below(11)) {
        case 0: // a payment saved with its category remembered, appended or inserted
            (void)insertPayment(book, payment, s.lastPayDate());
            (void)saveAssociation(book, payment.payee, payment.category);
            break;
        case 1: // an income
            (void)insertIncome(book, {date(), QStringLiteral("給料"), 1 + below(300000)},
                               s.lastIncomeDate());
            break;
        case 2: // a correction or a deletion
            if (!now.payments().isEmpty())
                (void)(below(2) ? correctPayment(book, picked(now.payments()), payment)
                                : deletePayment(book, picked(now.payments())));
            break;
        case 3:
            (void)renameEverywhere(book, below(2) ? PaymentField::Payee : PaymentField::Category,
                                   below(2) ? pick(kPayees) : pick(kCategories),
                                   below(2) ? pick(kPayees) : pick(kCategories));
            break;
        case 4: {
            Diary diary = computeDiary(s.model());
            if (diary.size())
                (void)diary.storeComment(book, s.model(), below(static_cast<int>(diary.size())),
                                         QStringLiteral("メモ%1").arg(below(10)));
            break;
        }
        case 5: // master changes: add, order, delete all
            (void)appendMasterName(book, pick(kPayees), bookfile::payees);
            if (below(2))
                (void)overwriteMaster(book, bookfile::categories, {pick(kCategories), "雑費"});
            else if (below(3) == 0)
                (void)truncateFile(book, bookfile::payees);
            break;
        case 6:
            (void)writeUserName(book, QStringLiteral("名%1").arg(below(9)));
            break;
        case 7:
            (void)writeNotes(book, QStringLiteral("気付き%1\r\n二行目").arg(below(9)));
            break;
        case 8: // a new start
            (void)startNewBook(book, {date(), below(9000), QStringLiteral("新")},
                               QDateTime(QDate(2024, 4, 1), QTime(below(24), below(60))));
            break;
        default: // unaccounted money, a payment far back
            (void)insertPayment(
                book,
                {QStringLiteral("2023/12/31"), kPayees.at(4), kPayees.at(4), below(900), {}, {}},
                s.lastPayDate());
            break;
        }
    }

private slots:
    void undoAllThenRedoAllGivesBackEveryByte() {
        const quint64 seed = envNumber("MILTEA_HISTORY_SEED", 20261207);
        const int runs = static_cast<int>(envNumber("MILTEA_HISTORY_RUNS", 40));
        qInfo("seed %llu, %d sequences", static_cast<unsigned long long>(seed), runs);
        m_rng.seed(seed);
        for (int run = 0; run < runs; ++run) {
            BookDir d;
            makeBook(d);
            const Files start = filesOf(d.path());
            auto session = std::make_unique<BookSession>(d.path());
            QVERIFY(session->openHistory().isEmpty());
            const int steps = 1 + below(30);
            for (int step = 0; step < steps; ++step)
                change(*session);
            const Files end = filesOf(d.path());
            const QByteArray where =
                QStringLiteral("seed %1, sequence %2").arg(seed).arg(run).toUtf8();
            if (below(2)) { // the history survives closing the book
                session = std::make_unique<BookSession>(d.path());
                const QStringList messages = session->openHistory();
                if (!messages.isEmpty()) qInfo() << messages << d.bytes("バックアップ/履歴.txt");
                QVERIFY2(messages.isEmpty(), where);
            }
            History &h = *session->history();
            while (h.nextUndo())
                QVERIFY2(h.undo().ok(), where);
            QVERIFY2(filesOf(d.path()) == start, where);
            while (h.nextRedo())
                QVERIFY2(h.redo().ok(), where);
            QVERIFY2(filesOf(d.path()) == end, where);
            QVERIFY2(h.entries().size() <= steps, where);
        }
    }

    // A write refused inside a change (a read-only file) takes back the ones
    // before it: the payments a fixed-payment offer entered, a rename.
    void aRefusedWriteTakesTheWholeChangeBack() {
        BookDir d;
        makeBook(d);
        d.writeBytes(bookfile::budgets, sjisLines("\"食費\",40000\r\n"));
        QFile::setPermissions(d.file(bookfile::budgets), QFile::ReadOwner);
        const Files start = filesOf(d.path());
        BookSession s(d.path());
        s.openHistory();
        {
            ChangeScope c = s.change(QStringLiteral("固定費の登録（1件）"));
            QVERIFY(insertPayment(s.book, {"2024/02/01", "大家", "住居費", 65000, {}, {}},
                                  s.lastPayDate())
                        .ok());
            QVERIFY(!writeBudgets(s.book, {}).ok());
        }
        QVERIFY(!renameEverywhere(s.book, PaymentField::Category, "食費", "外食").ok());
        QCOMPARE(filesOf(d.path()), start);
        QVERIFY(!s.history()->nextUndo());
    }

    // A change the files no longer show cannot be undone, and nothing is written.
    void anOutsideEditStopsTheUndo() {
        BookDir d;
        makeBook(d);
        BookSession s(d.path());
        s.openHistory();
        {
            ChangeScope scope = s.change(QStringLiteral("2024/02/01 駅 交通費 200円 の保存"));
            QVERIFY(savePayment(s).ok());
            QVERIFY(scope.close().ok());
        }
        QCOMPARE(s.history()->nextUndo().value_or(QString()),
                 QStringLiteral("2024/02/01 駅 交通費 200円 の保存"));
        QTest::qWait(20);
        const QByteArray outside = d.bytes(bookfile::payments) + "\"2024/02/02\",\"x\",\"y\",1\r\n";
        d.writeBytes(bookfile::payments, outside);
        const FileResult r = s.history()->undo();
        QCOMPARE(r.title, QStringLiteral("元に戻せません"));
        QVERIFY(r.message.startsWith(QStringLiteral("「データ.txt」は")));
        QCOMPARE(s.history()->undoRefusal().title, r.title);
        QCOMPARE(d.bytes(bookfile::payments), outside);
    }

    // The log cannot take the commit (a full disk): the change is put back
    // and said so, and the next start finds nothing to put back.
    void aCommitTheLogCannotTakeSavesNothing() {
        BookDir d;
        makeBook(d);
        const Files start = filesOf(d.path());
        {
            BookSession s(d.path());
            s.openHistory();
            ChangeScope scope = s.change(QStringLiteral("保存"));
            QVERIFY(savePayment(s).ok());
            s_failingSyncs = 1;
            const SyncCall previous = setSyncCall(failingSync);
            const FileResult r = scope.close();
            setSyncCall(previous);
            QVERIFY(r.message.endsWith(QStringLiteral("保存しませんでした。")));
            QCOMPARE(filesOf(d.path()), start);
            QVERIFY(!s.history()->nextUndo());
        }
        BookSession again(d.path());
        QCOMPARE(again.openHistory(), QStringList());
        QCOMPARE(filesOf(d.path()), start);
    }

    // A full disk stops the commit and even the line that says the change
    // was put back. The book is as it was; the same payment saved once space
    // is free is kept, across a restart too.
    void aFullDiskAtTheCommitLeavesTheBookAsItWas_data() {
        QTest::addColumn<QString>("date");
        QTest::newRow("appended") << QStringLiteral("2024/02/01");
        QTest::newRow("inserted (a rewrite)") << QStringLiteral("2024/01/02");
    }
    void aFullDiskAtTheCommitLeavesTheBookAsItWas() {
        QFETCH(QString, date);
        SmallDisk disk("1m");
        if (!disk.mounted()) QSKIP(disk.whyNot());
        const QByteArray start = sjisLines("\"2024/01/05\",\"八百屋\",\"食費\",300,\"\",\"\"\r\n");
        disk.writeBytes(bookfile::payments, start);
        const PaymentRecord payment{date, "駅", "交通費", 200, {}, {}};
        {
            BookSession s(disk.path());
            s.openHistory();
            ChangeScope scope = s.change(QStringLiteral("保存"));
            QVERIFY(insertPayment(s.book, payment, s.lastPayDate()).ok());
            // The log ends one byte short of a page: its next line needs a new one.
            QFile log(disk.file(QStringLiteral("バックアップ/履歴.txt")));
            QVERIFY(log.open(QIODevice::Append));
            log.write(QByteArray(4096 - log.size() % 4096 - 1, 'Z') + "\n");
            log.close();
            disk.fill();
            QVERIFY(scope.close().message.endsWith(QStringLiteral("保存しませんでした。")));
            QCOMPARE(disk.bytes(bookfile::payments), start);
            disk.freeSpace();
            ChangeScope again = s.change(QStringLiteral("保存"));
            QVERIFY(insertPayment(s.book, payment, s.lastPayDate()).ok());
            QVERIFY(again.close().ok());
        }
        const QByteArray saved = disk.bytes(bookfile::payments);
        QCOMPARE(saved.count(sjisLines("\"駅\",\"交通費\",200")), 1);
        BookSession s(disk.path());
        QCOMPARE(s.openHistory(), QStringList());
        QCOMPARE(disk.bytes(bookfile::payments), saved);
    }

    // An undo the disk stopped halfway, its closing line lost too: a later
    // change of another file does not keep the next start from putting it back.
    void anUndoStoppedHalfwayIsPutBackAfterLaterChanges() {
        BookDir d;
        makeBook(d);
        BookSession s(d.path());
        s.openHistory();
        ChangeScope save = s.change(QStringLiteral("保存"));
        QVERIFY(savePayment(s).ok());
        QVERIFY(save.close().ok());
        const Files saved = filesOf(d.path());
        s_passingSyncs = 2; // the undo's log line and its cut; then the disk fails
        s_failingSyncs = 100;
        const SyncCall previous = setSyncCall(failingSync);
        QVERIFY(!s.history()->undo().ok());
        setSyncCall(previous);
        s_failingSyncs = 0;
        ChangeScope income = s.change(QStringLiteral("入金"));
        QVERIFY(insertIncome(s.book, {"2024/03/01", "給料", 1000}, s.lastIncomeDate()).ok());
        QVERIFY(income.close().ok());
        BookSession again(d.path());
        again.openHistory();
        QCOMPARE(d.bytes(bookfile::payments), saved.value(bookfile::payments));
    }

    // A log that cannot be read at a start is not added to, nor are the kept
    // versions it needs pruned: read again at the next start, the step a
    // crash left is still put back and the change before it undone.
    void aLogThatCannotBeReadIsNotAddedTo() {
        BookDir d;
        makeBook(d);
        const Files start = filesOf(d.path());
        {
            BookSession s(d.path());
            s.openHistory();
            ChangeScope order = s.change(QStringLiteral("並べ替え"));
            QVERIFY(overwriteMaster(s.book, bookfile::categories, {"交通費", "食費"}).ok());
            QVERIFY(order.close().ok());
            for (int i = 1; i <= History::kKeptGenerations; ++i) // newer, kept by nobody
                d.writeBytes(QStringLiteral("バックアップ/20990101_000000_000_%1_%2")
                                 .arg(i)
                                 .arg(bookfile::categories),
                             "x");
            s.history()->begin(QStringLiteral("止まった保存")); // never ended: the crash
            QVERIFY(savePayment(s).ok());
        }
        {
            BookSession s(d.path());
            FailingReads(0), s.openHistory();
            QCOMPARE(s.history()->takeWarning().title, QStringLiteral("履歴なしで保存"));
            ChangeScope income = s.change(QStringLiteral("入金"));
            QVERIFY(insertIncome(s.book, {"2024/03/01", "給料", 1000}, s.lastIncomeDate()).ok());
            QVERIFY(income.close().ok());
        }
        BookSession s(d.path());
        QCOMPARE(s.openHistory().size(), 1);
        QCOMPARE(d.bytes(bookfile::payments), start.value(bookfile::payments));
        QVERIFY(s.history()->undo().ok());
        QCOMPARE(d.bytes(bookfile::categories), start.value(bookfile::categories));
    }

    // A step cut twice from one file, put back while the program went on
    // though its closing line was lost: the next start finds it back and says
    // nothing, after a later change too; a file it cannot read then is left
    // alone, and said to be.
    void aStepPutBackAlreadyIsNotReportedAtTheNextStart_data() {
        QTest::addColumn<bool>("readable");
        QTest::newRow("readable") << true;
        QTest::newRow("unreadable at the start") << false;
    }
    void aStepPutBackAlreadyIsNotReportedAtTheNextStart() {
        QFETCH(bool, readable);
        BookDir d;
        makeBook(d);
        BookSession s(d.path());
        s.openHistory();
        ChangeScope save = s.change(QStringLiteral("二件の保存"));
        for (const char *date : {"2024/02/01", "2024/02/02"})
            QVERIFY(
                insertPayment(s.book, {date, "駅", "交通費", 200, {}, {}}, s.lastPayDate()).ok());
        QVERIFY(save.close().ok());
        const QByteArray saved = d.bytes(bookfile::payments);
        struct stat log;
        QCOMPARE(::stat(QFile::encodeName(d.file(QStringLiteral("バックアップ/履歴.txt"))), &log),
                 0);
        s_logInode = log.st_ino;
        s_passingSyncs = 2; // the undo's two lines; then neither its commit nor its end
        const SyncCall previous = setSyncCall(failingLogSync);
        QVERIFY(!s.history()->undo().ok());
        setSyncCall(previous);
        ChangeScope income = s.change(QStringLiteral("入金"));
        QVERIFY(insertIncome(s.book, {"2024/03/01", "給料", 1000}, s.lastIncomeDate()).ok());
        QVERIFY(income.close().ok());
        BookSession again(d.path());
        struct stat payments;
        QCOMPARE(::stat(QFile::encodeName(d.file(bookfile::payments)), &payments), 0);
        s_unreadable = readable ? 0 : payments.st_ino;
        const ReadCall before = setReadCall(failingOneFile);
        const QStringList messages = again.openHistory();
        setReadCall(before);
        QCOMPARE(messages.size(), readable ? 0 : 1);
        if (!readable) { // still open in the log
            QVERIFY(
                messages[0].contains(QStringLiteral("を読み込めないため、まだ戻していません。")));
            QVERIFY(!d.bytes(QStringLiteral("バックアップ/履歴.txt")).contains("\nX\t"));
        }
        QCOMPARE(d.bytes(bookfile::payments), saved);
        // Readable again: the step is found back, and closed without a word.
        QCOMPARE(BookSession(d.path()).openHistory(), QStringList());
    }

    // A change a file kept from being put back, cut short by a crash at a
    // start due to compact the log or failed while the program went on, is
    // put back at the next start that can read the file.
    void aStepAFileKeptFromBeingPutBackIsPutBackLater_data() {
        QTest::addColumn<bool>("crash");
        QTest::newRow("cut short, the log due for compaction") << true;
        QTest::newRow("failed while the program went on") << false;
    }
    void aStepAFileKeptFromBeingPutBackIsPutBackLater() {
        QFETCH(bool, crash);
        BookDir d;
        makeBook(d);
        const Files start = filesOf(d.path());
        s_unreadable = 0;
        const ReadCall before = setReadCall(failingOneFile);
        const auto restore = qScopeGuard([&] { setReadCall(before); });
        const auto unreadable = [&] { s_unreadable = inodeOf(d.file(bookfile::payments)); };
        {
            BookSession s(d.path());
            s.openHistory();
            if (crash) {
                QDir(d.path()).mkpath(QStringLiteral("バックアップ")); // a log used for years
                d.writeBytes(QStringLiteral("バックアップ/履歴.txt"),
                             QByteArray("X\t0\n").repeated(5001));
                s.history()->begin(QStringLiteral("止まった保存")); // never ended
                QVERIFY(savePayment(s).ok());
            } else {
                ChangeScope failed = s.change(QStringLiteral("保存"));
                QVERIFY(savePayment(s).ok());
                unreadable(); // then a write fails: the scope puts back what it can
            }
        }
        if (crash) {
            unreadable();
            QVERIFY(!BookSession(d.path()).openHistory().isEmpty());
        }
        s_unreadable = 0;
        BookSession again(d.path());
        QCOMPARE(again.openHistory().size(), 1); // put back, and said so
        QCOMPARE(filesOf(d.path()), start);
    }

    // A change that failed while the program went on, one of its files
    // unreadable: a later save of another of its files names the file that
    // cannot be read, not the one being saved.
    void aRefusedSaveNamesTheFileThatCannotBeRead() {
        BookDir d;
        makeBook(d);
        UnreadableFile bad;
        BookSession s(d.path());
        s.openHistory();
        {
            ChangeScope failed = s.change(QStringLiteral("保存"));
            QVERIFY(appendMasterName(s.book, QStringLiteral("本屋"), bookfile::payees).ok());
            QVERIFY(savePayment(s).ok());
            bad.make(d.file(bookfile::payees)); // then a write fails
        }
        QCOMPARE(savePayment(s).message,
                 QStringLiteral("「支払いマスタ.txt」を読み込めないため、途中で止まった"
                                "保存をまだ戻していません。何も保存しませんでした。"));
    }

    // Two changes left open; the first one's file reads again at a write
    // the second still refuses: its put-back is told all the same.
    void aPutBackBesideAStepStillOpenIsTold() {
        BookDir d;
        makeBook(d);
        const QByteArray payees = d.bytes(bookfile::payees);
        UnreadableFile bad;
        BookSession s(d.path());
        s.openHistory();
        int told = 0;
        s.history()->putBackWhileRunning = [&] { ++told; };
        const auto addFailing = [&](const QString &master) {
            ChangeScope failed = s.change(QStringLiteral("追加"));
            QVERIFY(appendMasterName(s.book, QStringLiteral("雑費"), master).ok());
            bad.make(d.file(master)); // then a write fails
        };
        addFailing(bookfile::payees);
        addFailing(bookfile::categories); // the payees read again
        QVERIFY(!appendMasterName(s.book, QStringLiteral("雑費"), bookfile::categories).ok());
        QCOMPARE(d.bytes(bookfile::payees), payees);
        QCOMPARE(told, 1);
    }

    // A save over a file still holding a change a start could not put back
    // is refused: the change is put back first, and the save made anew.
    void aSaveWaitsForTheStepAFileKeptOpen() {
        BookDir d;
        makeBook(d);
        const Files start = filesOf(d.path());
        {
            BookSession s(d.path());
            s.openHistory();
            s.history()->begin(QStringLiteral("止まった保存")); // never ended
            QVERIFY(savePayment(s).ok());
        }
        s_unreadable = inodeOf(d.file(bookfile::payments));
        const ReadCall before = setReadCall(failingOneFile);
        const auto restore = qScopeGuard([&] { setReadCall(before); });
        BookSession s(d.path());
        QCOMPARE(s.openHistory().size(), 1);
        const auto save = [&] {
            ChangeScope c = s.change(QStringLiteral("保存"));
            const FileResult r =
                insertPayment(s.book, {"2024/03/01", "本屋", "教養", 700, {}, {}}, s.lastPayDate());
            return r.ok() ? c.close() : r;
        };
        QCOMPARE(save().title, QStringLiteral("ファイル読み込みエラー"));
        s_unreadable = 0;
        QCOMPARE(save().title, QStringLiteral("途中で止まった保存"));
        QCOMPARE(filesOf(d.path()), start);
        QVERIFY(save().ok());
        QCOMPARE(BookSession(d.path()).openHistory(), QStringList());
        QCOMPARE(d.bytes(bookfile::payments),
                 start.value(bookfile::payments) +
                     sjisLines("\"2024/03/01\",\"本屋\",\"教養\",700,\"\",\"\"\r\n"));
    }

    // A log line no run of the program wrote is passed over.
    void aBrokenLogLineIsPassedOver_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("no kind of step") << QByteArray("B\t1\t\t0\t2024-05-01T10:00:00.000\tx\n");
        QTest::newRow("an append before the start")
            << QByteArray("B\t1\tc\t0\t2024-05-01T10:00:00.000\tx\n") +
                   QStringLiteral("A\t1\tデータ.txt\t-5\t41\n").toUtf8();
    }
    void aBrokenLogLineIsPassedOver() {
        QFETCH(QByteArray, log);
        BookDir d;
        makeBook(d);
        const Files start = filesOf(d.path());
        QVERIFY(QDir(d.path()).mkdir(QStringLiteral("バックアップ")));
        d.writeBytes(QStringLiteral("バックアップ/履歴.txt"), log);
        BookSession s(d.path());
        s.openHistory();
        QCOMPARE(filesOf(d.path()), start);
    }

    // A file another program wrote in UTF-8, with characters CP932 has not:
    // a change taken back gives back its very bytes (copied, not linked, when
    // the file lies on another disk); an undo or a restore that would write
    // it in CP932 is refused.
    void aFileInAnotherEncodingLosesNoCharacter_data() {
        QTest::addColumn<bool>("onAnotherDisk");
        QTest::newRow("in the book's folder") << false;
        QTest::newRow("linked onto another disk") << true;
    }
    void aFileInAnotherEncodingLosesNoCharacter() {
        QFETCH(bool, onAnotherDisk);
        BookDir d;
        makeBook(d);
        SmallDisk disk;
        if (onAnotherDisk && !disk.mounted()) QSKIP(disk.whyNot());
        if (onAnotherDisk)
            QVERIFY(QFile::link(disk.file(QStringLiteral("メモ.txt")), d.file(bookfile::notes)));
        const QByteArray utf8 = "\xEF\xBB\xBF" + QStringLiteral("メモ🍎\r\n").toUtf8();
        d.writeBytes(bookfile::notes, utf8);
        BookSession s(d.path());
        s.openHistory();
        QVERIFY(s.history()->takeDailySnapshot(QDate(2024, 5, 1)).ok());
        {
            ChangeScope scope = s.change(QStringLiteral("消す"));
            QVERIFY(truncateFile(s.book, bookfile::notes).ok());
        } // left unclosed: taken back
        QCOMPARE(d.bytes(bookfile::notes), utf8);
        {
            ChangeScope scope = s.change(QStringLiteral("書く"));
            QVERIFY(writeNotes(s.book, QStringLiteral("新")).ok());
            QVERIFY(scope.close().ok());
        }
        const QByteArray written = d.bytes(bookfile::notes);
        const FileResult undo = s.history()->undo();
        QCOMPARE(undo.message, QStringLiteral("「気付きメモ.txt」の以前の内容にある「🍎」は"
                                              "Shift-JISで書けないため、戻せません。"));
        QCOMPARE(s.history()->restoreSnapshot(QDate(2024, 5, 1)).title,
                 QStringLiteral("バックアップの復元"));
        QCOMPARE(d.bytes(bookfile::notes), written);
    }

    // An undo the log cannot record is refused: made, it would still be
    // offered to undo.
    void anUndoTheLogCannotRecordIsRefused() {
        BookDir d;
        makeBook(d);
        {
            BookSession s(d.path());
            s.openHistory();
            ChangeScope scope = s.change(QStringLiteral("保存"));
            QVERIFY(savePayment(s).ok());
            QVERIFY(scope.close().ok());
        }
        const Files saved = filesOf(d.path());
        BookSession s(d.path());
        s.openHistory();
        const QString log = d.file(QStringLiteral("バックアップ/履歴.txt"));
        QVERIFY(QFile::remove(log));
        QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
        // Said before the question, not after it.
        const FileResult r = s.history()->undoRefusal();
        QCOMPARE(r.title, QStringLiteral("元に戻せません"));
        QVERIFY(r.message.startsWith(
            QStringLiteral("変更の履歴を書けないため、取り消しもやり直しもできません。")));
        QCOMPARE(s.history()->undo().message, r.message);
        QCOMPARE(filesOf(d.path()), saved);
    }

    // A change a crash cut short, and a file edited before the next start:
    // the edit stays and the message says so; the program's temporaries go,
    // files the user named alike stay.
    void anEditAfterACrashIsNotUndoneAtStart() {
        BookDir d;
        makeBook(d);
        {
            BookSession s(d.path());
            s.openHistory();
            s.history()->begin(QStringLiteral("止まった保存")); // never ended: the crash
            QVERIFY(savePayment(s).ok());
        }
        const QByteArray edited =
            d.bytes(bookfile::payments) + "\"2024/02/02\",\"外\",\"食費\",9\r\n";
        d.writeBytes(bookfile::payments, edited);
        d.writeBytes(QStringLiteral("データ.txt.backup"), "mine");
        d.writeBytes(bookfile::payments + QStringLiteral(".miltea-tmp-Ab12Cd"), "left by a kill");
        BookSession s(d.path());
        const QStringList messages = s.openHistory();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("「データ.txt」はその後に書き換えられている")));
        QCOMPARE(d.bytes(bookfile::payments), edited);
        QVERIFY(d.exists(QStringLiteral("データ.txt.backup")));
        QVERIFY(!d.exists(bookfile::payments + QStringLiteral(".miltea-tmp-Ab12Cd")));
    }

    // A FIFO put in the log's place holds nothing up: the day's copy says
    // why, and a save goes on without a history, saying so.
    void aFifoInTheLogsPlaceHoldsNothingUp() {
        BookDir d;
        makeBook(d);
        QVERIFY(QDir(d.path()).mkdir(QStringLiteral("バックアップ")));
        const QString log = d.file(QStringLiteral("バックアップ/履歴.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(log).constData(), 0600), 0);
        BookSession s(d.path());
        s.openHistory();
        struct Seen {
            FileResult copy, save;
        };
        const auto seen = std::make_shared<Seen>();
        QVERIFY(returnsWithin([&s, seen] {
            seen->copy = s.history()->takeDailySnapshot(QDate(2024, 5, 1));
            seen->save = savePayment(s);
        }));
        QVERIFY(seen->copy.message.endsWith(QStringLiteral("通常のファイルではありません。")));
        QVERIFY(seen->save.ok());
        QCOMPARE(s.history()->takeWarning().title, QStringLiteral("履歴なしで保存"));
    }

    // A day's copy comes back as one change, which can itself be undone;
    // the last 30 days are kept.
    void aDaysCopyComesBackAsOneUndoableChange() {
        BookDir d;
        makeBook(d);
        BookSession s(d.path());
        s.openHistory();
        History &h = *s.history();
        QVERIFY(h.takeDailySnapshot(QDate(2024, 5, 1)).ok());
        const Files day = filesOf(d.path());
        {
            ChangeScope c = s.change(QStringLiteral("変更"));
            QVERIFY(savePayment(s).ok());
            QVERIFY(writeNotes(s.book, QStringLiteral("新しい気付き")).ok());
            QVERIFY(c.close().ok());
        }
        const Files changed = filesOf(d.path());
        QVERIFY(changed != day);
        QVERIFY(h.restoreSnapshot(QDate(2024, 5, 1)).ok());
        QCOMPARE(filesOf(d.path()), day); // the notes the copy did not have are gone
        QVERIFY(h.undo().ok());
        QCOMPARE(filesOf(d.path()), changed);
        for (int i = 2; i <= 31; ++i)
            QVERIFY(h.takeDailySnapshot(QDate(2024, 5, i)).ok());
        QCOMPARE(h.snapshots().size(), 30);
        QCOMPARE(h.snapshots().last(), QDate(2024, 5, 2));
    }

    // A kill at any moment of a rename, a new start, an undo or a redo:
    // after the next start the files are all before or all after, and the
    // history says which.
    void aKilledChangeIsWholeOrAbsent_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("rename") << 0;
        QTest::newRow("new start") << 1;
        QTest::newRow("undo") << 2;
        QTest::newRow("redo") << 3;
    }
    void aKilledChangeIsWholeOrAbsent() {
        QFETCH(int, kind);
        const quint64 seed = envNumber("MILTEA_HISTORY_SEED", 20261207) + kind;
        qInfo("seed %llu", static_cast<unsigned long long>(seed));
        m_rng.seed(seed);
        const auto run = [kind](BookSession &s) {
            if (kind == 0) {
                ChangeScope c = s.change(QStringLiteral("入れ替え"));
                (void)renameEverywhere(s.book, PaymentField::Payee, "八百屋", "青果店");
                (void)c.close();
            } else if (kind == 1) {
                ChangeScope c = s.change(QStringLiteral("新規スタート"));
                (void)startNewBook(s.book, {"2024/03/01", 1000, "新"},
                                   QDateTime(QDate(2024, 3, 1), QTime(1, 0)));
                (void)c.close();
            } else if (kind == 2) {
                (void)s.history()->undo();
            } else {
                (void)s.history()->redo();
            }
        };
        int whole = 0, absent = 0, fullRunUs = 0;
        for (int i = 0; i < 200; ++i) {
            BookDir d;
            makeBook(d);
            {
                BookSession s(d.path());
                s.openHistory();
                ChangeScope c = s.change(QStringLiteral("前の変更"));
                (void)renameEverywhere(s.book, PaymentField::Category, "食費", "外食");
                (void)savePayment(s);
                (void)c.close();
            }
            if (kind == 3) {
                BookSession s(d.path());
                s.openHistory();
                QVERIFY(s.history()->undo().ok());
            }
            const Files before = filesOf(d.path());
            int ready[2];
            QVERIFY(::pipe(ready) == 0);
            const pid_t child = ::fork();
            if (child == 0) {
                BookSession s(d.path());
                s.openHistory();
                (void)!::write(ready[1], "!", 1);
                run(s);
                ::_exit(0);
            }
            char byte;
            (void)!::read(ready[0], &byte, 1);
            ::close(ready[0]);
            ::close(ready[1]);
            // The first try runs to its end and times the change; the others
            // are killed at any moment of it.
            QElapsedTimer timer;
            timer.start();
            if (i > 0) {
                ::usleep(static_cast<useconds_t>(below(std::max(1, fullRunUs * 6 / 5))));
                ::kill(child, SIGKILL);
            }
            ::waitpid(child, nullptr, 0);
            if (i == 0) fullRunUs = static_cast<int>(timer.nsecsElapsed() / 1000);
            BookSession s(d.path());
            s.openHistory();
            const Files after = filesOf(d.path());
            const bool done = after != before;
            (done ? whole : absent) += 1;
            const QByteArray where = QStringLiteral("seed %1, try %2").arg(seed).arg(i).toUtf8();
            // The history agrees: undoing or redoing what it says brings back `before`.
            History &h = *s.history();
            if (done) {
                QVERIFY2(kind == 2 ? h.redo().ok() : h.undo().ok(), where);
                QVERIFY2(filesOf(d.path()) == before, where);
            } else {
                QVERIFY2((kind == 3 ? h.nextRedo() : h.nextUndo()) == QStringLiteral("前の変更"),
                         where);
            }
            const QStringList left = QDir(d.path()).entryList(QDir::Files);
            for (const QString &f : left)
                QVERIFY2(!f.contains(QRegularExpression(R"(miltea-tmp)")), where);
        }
        qInfo("%d whole, %d absent", whole, absent);
        QVERIFY(whole > 0 && absent > 0);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
