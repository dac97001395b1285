// One program per book: a second start on a book in use is refused before it
// reads or writes anything, and a lock left by a killed program does not block.
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include "bookdir.h"
#include "records/booklock.h"
#include "returnswithin.h"

namespace {
// Every file of the folder with its bytes (the lock file included).
QMap<QString, QByteArray> snapshot(const QString &dir) {
    QMap<QString, QByteArray> out;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden); it.hasNext();) {
        const QString path = it.next();
        QFile f(path);
        out[it.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
    }
    return out;
}
} // namespace

class TestBookLock : public QObject {
    Q_OBJECT
private slots:
    // A FIFO in the lock file's place is no lock: the book is not opened,
    // and nothing waits for a writer.
    void aFifoInTheLocksPlaceIsRefusedAtOnce() {
        BookDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.file(BookLock::fileName())).constData(), 0600), 0);
        struct Seen {
            bool locked = true, byAnother = true;
        };
        const auto seen = std::make_shared<Seen>();
        QVERIFY(returnsWithin([path = dir.path(), seen] {
            BookLock lock(path);
            seen->locked = lock.tryLock();
            seen->byAnother = lock.heldByAnother();
        }));
        QVERIFY(!seen->locked);
        QVERIFY(!seen->byAnother);
    }

    void secondStartOnABookInUseIsRefusedWithoutTouchingIt() {
        BookDir dir;
        dir.makeEmptyBook();
        dir.write(QStringLiteral("データ.txt"),
                  QStringLiteral("\"2005/02/14\",\"八百屋\",\"食費\",500,\"\",\"\"\r\n"));
        BookLock first(dir.path());
        QVERIFY(first.tryLock());
        const auto before = snapshot(dir.path());

        QProcess second;
        second.start(QStringLiteral(LOCKCHILD_PATH), {QStringLiteral("run"), dir.path()});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 1);
        const QString said = QString::fromUtf8(second.readAllStandardOutput()).trimmed();
        QCOMPARE(said, QStringLiteral(
                           "起動できません|この家計簿は別のミルテアで開かれています。|warning|OK"));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void lockOfAKilledProgramIsTakenOver() {
        BookDir dir;
        dir.makeEmptyBook();
        QProcess holder;
        holder.start(QStringLiteral(LOCKCHILD_PATH), {QStringLiteral("hold"), dir.path()});
        QVERIFY(holder.waitForReadyRead(60000));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), QByteArray("held"));
        {
            BookLock whileAlive(dir.path());
            QVERIFY(!whileAlive.tryLock());
        }
        holder.kill(); // SIGKILL: the lock file stays behind
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(QFile::exists(dir.file(BookLock::fileName())));
        BookLock next(dir.path());
        QVERIFY(next.tryLock());
    }

    void lockThatNamesNoHolderIsTakenOverOnceOld() {
        // A program that died between making the lock file and writing it.
        BookDir dir;
        dir.makeEmptyBook();
        dir.writeBytes(BookLock::fileName(), {});
        {
            BookLock young(dir.path()); // perhaps a starter still writing its name
            QVERIFY(!young.tryLock());
            QVERIFY(young.heldByAnother());
        }
        QFile lockFile(dir.file(BookLock::fileName()));
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                     QFileDevice::FileModificationTime));
        lockFile.close();
        BookLock next(dir.path());
        QVERIFY(next.tryLock());
    }

    void folderThatRefusesTheLockFileIsNotBlamedOnAnotherProgram() {
        // A read-only folder where the permissions bind (not for root), else
        // a folder that is not there: either way the lock file cannot be made.
        QTemporaryDir parent;
        QString folder = parent.filePath(QStringLiteral("読み取り専用"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
            probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            folder = parent.filePath(QStringLiteral("ない"));
        }
        {
            BookLock lock(folder);
            QVERIFY(!lock.tryLock());
            QVERIFY(!lock.heldByAnother());
        }
        QProcess start;
        start.start(QStringLiteral(LOCKCHILD_PATH), {QStringLiteral("run"), folder});
        QVERIFY(start.waitForFinished(60000));
        QCOMPARE(start.exitCode(), 1);
        QCOMPARE(
            QString::fromUtf8(start.readAllStandardOutput()).trimmed(),
            QStringLiteral("起動できません|この家計簿のフォルダに書き込めないため、起動できませ"
                           "ん。|warning|OK"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestBookLock)
#include "test_booklock.moc"
