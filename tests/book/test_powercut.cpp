// A power cut at any moment of a change. The disk keeps only what was
// synced: a file's bytes as of its last fsync, a folder's names as of its
// last fsync. The recorder stands in for fsync and notes, at every call,
// what the disk then holds. Each such disk is laid out in a new folder and
// opened as at the next start; the book must be as before the change or as
// after it, and as after it once the change had said it was saved.
//
// Each disk is tried twice: as synced, and with every folder's names as
// they were (a journal that wrote the renames early) over file bytes as
// synced, a file longer than its synced bytes padded with NULs (a torn append).
#include <QDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "book/booksession.h"
#include "book/forecast.h"
#include "book/newstart.h"
#include "book/rename.h"
#include "bookdir.h"
#include "records/cp932.h"
#include "records/recordfiles.h"

namespace {
using Key = QPair<quint64, quint64>; // device, inode

struct Disk {
    QHash<QString, QHash<QString, Key>> names; // folder (relative) → name → inode
    QHash<Key, QByteArray> bytes;              // file inode → bytes
    QSet<Key> folders;
    QHash<Key, qint64> sizes; // what the files hold now, for the torn appends
};

QString g_root;
Disk g_synced;
QList<std::pair<Disk, Disk>> g_cuts; // as synced, and with every name as it is

Key keyOf(const struct stat &st) {
    return {st.st_dev, st.st_ino};
}

QString relative(const QString &path) {
    return QDir(g_root).relativeFilePath(path) == u"." ? QString()
                                                       : QDir(g_root).relativeFilePath(path);
}

QHash<QString, Key> namesIn(const QString &folder, Disk &disk) {
    QHash<QString, Key> out;
    for (const QFileInfo &e : QDir(folder).entryInfoList(QDir::Files | QDir::Dirs |
                                                         QDir::NoDotAndDotDot | QDir::Hidden)) {
        struct stat st;
        if (::lstat(QFile::encodeName(e.filePath()).constData(), &st) != 0) continue;
        out.insert(e.fileName(), keyOf(st));
        if (S_ISDIR(st.st_mode))
            disk.folders.insert(keyOf(st));
        else
            disk.sizes.insert(keyOf(st), st.st_size);
    }
    return out;
}

// Every folder and file under the root as it now is.
void scan(const QString &folder, Disk &disk, bool withBytes) {
    disk.names[relative(folder)] = namesIn(folder, disk);
    for (auto it = disk.names[relative(folder)].cbegin(); it != disk.names[relative(folder)].cend();
         ++it) {
        const QString path = QDir(folder).filePath(it.key());
        if (disk.folders.contains(it.value()))
            scan(path, disk, withBytes);
        else if (withBytes)
            disk.bytes.insert(it.value(), readFileBytes(path));
    }
}

int recordingSync(int fd) {
    const int r = ::fsync(fd);
    struct stat st;
    ::fstat(fd, &st);
    const QString self = QStringLiteral("/proc/self/fd/%1").arg(fd);
    if (S_ISDIR(st.st_mode)) {
        const QString path = QFileInfo(self).symLinkTarget();
        if (path.startsWith(g_root)) g_synced.names[relative(path)] = namesIn(path, g_synced);
    } else {
        QFile f(self);
        if (f.open(QIODevice::ReadOnly)) g_synced.bytes.insert(keyOf(st), f.readAll());
    }
    Disk now;
    scan(g_root, now, false);
    g_cuts.append({g_synced, now});
    return r;
}

void layOut(const Disk &synced, const Disk &names, const QString &rel, const QString &to) {
    QDir().mkpath(to);
    for (auto it = names.names.value(rel).cbegin(); it != names.names.value(rel).cend(); ++it) {
        const QString path = QDir(to).filePath(it.key());
        if (names.folders.contains(it.value()) || synced.folders.contains(it.value())) {
            layOut(synced, names, rel.isEmpty() ? it.key() : rel + u'/' + it.key(), path);
            continue;
        }
        QByteArray bytes = synced.bytes.value(it.value());
        if (&names != &synced && names.sizes.value(it.value()) > bytes.size())
            bytes.append(QByteArray(names.sizes.value(it.value()) - bytes.size(), '\0'));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
}

using Files = QMap<QString, QByteArray>;
Files filesOf(const QString &dir) {
    Files out;
    const Book book(dir);
    for (const QString &name : bookRecordFiles())
        if (name != bookfile::settings)
            if (QFile f(book.pathOf(name)); f.open(QIODevice::ReadOnly))
                out.insert(name, f.readAll());
    return out;
}

QByteArray sjis(const char *utf8) {
    return cp932::encode(QString::fromUtf8(utf8)).value_or("");
}
} // namespace

class TestPowerCut : public QObject {
    Q_OBJECT

    struct Step {
        QString description; // of the change the history keeps; empty for none
        std::function<void(BookSession &)> run;
    };

    // Runs the steps with the recorder in place of fsync, then tries every cut.
    void everyCutKeepsWhatWasSaved(const QList<Step> &steps) {
        BookDir d;
        d.writeBytes(bookfile::payments,
                     sjis("\"2024/01/05\",\"八百屋\",\"食費\",300,\"\",\"\"\r\n"
                          "\"2024/02/05\",\"駅\",\"交通費\",200,\"\",\"\"\r\n"));
        d.writeBytes(bookfile::incomes, sjis("\"2024/01/01\",\"スタート時入金\",50000\r\n"));
        d.writeBytes(bookfile::payees, sjis("八百屋\r\n駅\r\n"));
        d.writeBytes(bookfile::categories, sjis("食費\r\n交通費\r\n"));
        d.writeBytes(bookfile::forecast, sjis("\"2024/01/05\",\"\",\"\",9,\"\",\"\"\r\n"));
        g_root = d.path();
        QList<Files> states{filesOf(d.path())};
        QList<qsizetype> savedAt; // the cut at which each step had returned
        {
            BookSession s(d.path());
            s.openHistory();
            g_synced = {};
            scan(g_root, g_synced, true);
            g_cuts.clear();
            const SyncCall previous = setSyncCall(recordingSync);
            for (const Step &step : steps) {
                step.run(s);
                savedAt.append(g_cuts.size());
                states.append(filesOf(d.path()));
            }
            setSyncCall(previous);
        }
        QVERIFY(!g_cuts.isEmpty());
        for (qsizetype cut = 0; cut < g_cuts.size(); ++cut) {
            // The step running at this cut: the files are as before it or after it.
            const qsizetype step =
                std::lower_bound(savedAt.begin(), savedAt.end(), cut + 1) - savedAt.begin();
            for (int variant = 0; variant < 2; ++variant) {
                BookDir disk;
                const auto &[synced, now] = g_cuts[cut];
                layOut(synced, variant ? now : synced, QString(), disk.path());
                BookSession s(disk.path());
                s.openHistory();
                const Files files = filesOf(disk.path());
                const QByteArray where = QStringLiteral("cut %1 of %2 (step %3), %4")
                                             .arg(cut + 1)
                                             .arg(g_cuts.size())
                                             .arg(step + 1)
                                             .arg(variant ? QStringLiteral("names as they were")
                                                          : QStringLiteral("as synced"))
                                             .toUtf8();
                const bool saved = savedAt.value(step) == cut + 1;
                const bool after = files == states.value(step + 1);
                QVERIFY2(after || (!saved && files == states.value(step)), where);
                // The history agrees with the files.
                const QString kept = after ? steps[step].description
                                           : (step > 0 ? steps[step - 1].description : QString());
                if (!kept.isEmpty())
                    QVERIFY2(s.history()->nextUndo().value_or(QString()) == kept, where);
            }
        }
    }

private slots:
    void aSaveAppendedThenOneInsertedThenTheNext() {
        const auto save = [](const char *date, int amount) {
            return Step{QStringLiteral("保存%1").arg(amount), [=](BookSession &s) {
                            ChangeScope c = s.change(QStringLiteral("保存%1").arg(amount));
                            const PaymentRecord p{date, "本屋", "教養", amount, {}, {}};
                            QVERIFY(insertPayment(s.book, p, s.lastPayDate()).ok());
                            QVERIFY(saveAssociation(s.book, "本屋", "教養").ok());
                            QVERIFY(c.close().ok());
                        }};
        };
        everyCutKeepsWhatWasSaved(
            {save("2024/03/01", 123456), save("2024/01/10", 777), save("2024/03/02", 55)});
    }

    void aRenameANewStartAndTheirUndo() {
        everyCutKeepsWhatWasSaved(
            {{QStringLiteral("入れ替え"),
              [](BookSession &s) {
                  ChangeScope c = s.change(QStringLiteral("入れ替え"));
                  QVERIFY(renameEverywhere(s.book, PaymentField::Payee, "八百屋", "青果店").ok());
                  QVERIFY(c.close().ok());
              }},
             {QStringLiteral("新規スタート"),
              [](BookSession &s) {
                  ChangeScope c = s.change(QStringLiteral("新規スタート"));
                  QVERIFY(startNewBook(s.book, {"2024/03/01", 1000, "新"},
                                       QDateTime(QDate(2024, 3, 1), QTime(9, 0)))
                              .ok());
                  QVERIFY(c.close().ok());
              }},
             {QStringLiteral("入れ替え"),
              [](BookSession &s) { QVERIFY(s.history()->undo().ok()); }}});
    }

    void theSimulationCopyIsNeverMissing() {
        everyCutKeepsWhatWasSaved(
            {{QString(), [](BookSession &s) { QVERIFY(resetForecast(s.book).ok()); }}});
    }
};

QTEST_GUILESS_MAIN(TestPowerCut)
#include "test_powercut.moc"
