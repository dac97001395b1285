#pragma once
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "records/book.h"
#include "records/fileops.h"
#include "records/money.h"

// The undo history of a book, and the journal that makes each change of the
// book whole or absent. It lives in the folder バックアップ of the book:
// 履歴.txt, a log only ever added to, and the old versions ("generations")
// of the files that changes rewrote. See the protocol in records/fileops.h.
//
// A change is every write between begin() and end(). Undoing a change is a
// step of its own that writes each file back (a generation's bytes, or an
// append cut away), and redoing undoes that step; both are journaled like
// any change, so an undo can itself be put back after a crash.
class History : public BookJournal {
public:
    static inline const QString kFolder = QStringLiteral("バックアップ");
    static inline const QString kLog = QStringLiteral("履歴.txt");
    static constexpr int kKeptChanges = 100;
    static constexpr int kKeptGenerations = 100; // of each file
    static constexpr int kKeptSnapshots = 30;

    // Journals every write of the book from now on.
    explicit History(Book &book);
    ~History() override;
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    // Reads the kept history. A step a crash cut short is rolled back, and
    // what the crash left (temporaries, half-filled folders) is removed;
    // the messages say which files were put back.
    QStringList open();

    // The writes until end() are one change, described as the user knows it
    // ("2024/05/01 スーパー丸正 食費 1,200円 の保存"). Writes outside any
    // change are a change each.
    void begin(const QString &description);
    // Commits the change; when one of its writes failed, the writes it made
    // are put back, so that it is whole or absent. The refusal says why a
    // change whose writes were made could not be kept (then it is put back).
    // A change begun inside another is part of it: only the outer end commits.
    FileResult end();
    // Ends the change as failed: every write it made is put back.
    void abort();

    // Why the history could not be kept (no folder バックアップ can be made):
    // the book is then saved without it. Once, for the window to say so.
    FileResult takeWarning() { return std::exchange(m_warning, FileResult()); }
    // The files the last undo or redo wrote, or a step left open was put back in.
    QStringList lastStepFiles() const { return m_lastStepFiles; }
    // Called when a step left open is put back in the middle of a run
    // (before a write it then refuses), for the window to show the book anew.
    std::function<void()> putBackWhileRunning;

    struct Entry {
        QDateTime time;
        QString description;
        bool undone = false;
    };
    // Newest first: what can be undone, then what can be redone.
    QList<Entry> entries() const;

    // What Ctrl+Z would undo, and Ctrl+Y redo.
    std::optional<QString> nextUndo() const;
    std::optional<QString> nextRedo() const;
    // Why that cannot be done now, if it cannot: a file it touched has
    // changed since (outside the program, or by a change no longer undone),
    // or the log cannot record it (it would then still be offered).
    FileResult undoRefusal();
    FileResult redoRefusal();
    FileResult undo();
    FileResult redo();

    // A copy of every book file taken on the first start of a day, kept in
    // "日次_yyyyMMdd"; older copies beyond the last 30 are removed.
    FileResult takeDailySnapshot(QDate today);
    QList<QDate> snapshots() const; // newest first
    // Writes the files of a snapshot back, as one change.
    FileResult restoreSnapshot(QDate day);

    // The files a change can touch (the simulation's scratch copy and the
    // settings are not part of the book).
    static bool isJournaled(const QString &name);

    // BookJournal
    FileResult aboutToWrite(const QString &name, const QString &path, Write kind, qint64 at,
                            const QByteArray &bytes) override;
    FileResult finished(const QString &name, bool written) override;

    // One write of a step, as the log records it.
    struct Step;
    struct FileWrite {
        Write kind = Write::Rewrite;
        QString name;
        QString generation; // rewrite or remove: the file's old bytes; empty when it had none
        qint64 at = 0;      // append or truncate: the size before / after
        QByteArray bytes;   // append: the line added; truncate: the bytes cut away
        qint64 newSize = 0; // rewrite: the file as the write leaves it
        quint64 newHash = 0;
    };
    // What a file held when a step had committed.
    struct FileState {
        QString name;
        FileIdentity identity;
        quint64 hash = 0;
    };

private:
    struct Change {
        qint64 id = 0;
        QDateTime time;
        QString description;
        bool undone = false;
        QList<FileWrite> last;  // the writes of its latest step (the change, its undo or redo)
        QList<FileState> after; // the files as that step left them
    };
    enum class StepKind : char { Change = 'c', Undo = 'u', Redo = 'r', Kept = 'k' };
    struct OpenStep {
        qint64 id = 0;
        StepKind kind = StepKind::Change;
        qint64 target = 0;
        QString description;
        QDateTime time;
        QList<FileWrite> writes;
        bool logged = false;
        bool failed = false;
        bool implicit = false;
        bool undone = false; // a kept change (a compacted log) that was undone
        QStringList unread;  // left open: the files that could not be read to be put back
    };

    QString folderPath() const;
    QString generationPath(const QString &generation) const;
    FileResult ensureLog();
    // The book is saved from now on without a history, the window told why.
    void goOnWithout(const FileResult &why);
    FileResult logLine(const QString &line);
    QString beginLine(OpenStep &step);
    QString newGeneration(const QString &name) const;
    FileState stateOf(const QString &name, std::optional<quint64> knownHash = {}) const;
    // The logged writes put back, newest first (a crash or a failed change):
    // each file only when it is as the write left it or as it was cut short;
    // a file changed since is left alone. The messages name what was put
    // back after a crash and what was left.
    // *unread (when given) names the files that could not be read to be put back.
    QStringList rollBack(const QList<FileWrite> &writes, bool afterCrash,
                         QStringList *unread = nullptr);
    // The writes that undo the given ones, made through the book.
    FileResult reverse(const QList<FileWrite> &writes);
    FileResult stillAsLeft(const Change &change) const;
    FileResult logRefusal();
    FileResult apply(qint64 id, StepKind kind);
    FileResult commit(OpenStep &step);
    // A failed step's writes put back; a step a file kept from being put
    // back stays open (m_pending).
    void putBackFailed(OpenStep step);
    // The open steps tried again before a write of name: refused while one
    // of them wrote name and still cannot be put back, or when one was put
    // back just now (the write was worked out from the file before).
    FileResult pendingRefusal(const QString &name);
    void applyCommitted(const OpenStep &step, const QList<FileState> &states);
    // The committed steps into m_changes; the steps begun and never ended.
    QList<OpenStep> readLog();
    void compactLog();
    void pruneGenerations();
    Change *undoTarget();
    Change *redoTarget();
    const Change *undoTarget() const;
    const Change *redoTarget() const;

    Book &m_book;
    int m_logFd = -1;
    int m_depth = 0; // of begin() calls inside the open change
    bool m_unjournaled = false;
    FileResult m_warning;
    QStringList m_lastStepFiles;
    qsizetype m_logLines = 0;
    qint64 m_nextId = 1;
    std::optional<OpenStep> m_step;
    QList<OpenStep> m_pending; // failed or cut short, a file of theirs not yet put back
    QList<Change> m_changes;   // oldest first; the undone ones form the end
};

// The writes made while it lives are one change of the history (none
// without a history: the records alone, in tests and tools). The change is
// kept only by close(), which a handler calls once every write of it went
// through; a scope left otherwise (a refusal, an early return) puts back
// whatever the change had written, so a change is whole or absent.
class ChangeScope {
public:
    ChangeScope(History *history, const QString &description) : m_history(history) {
        if (m_history) m_history->begin(description);
    }
    ~ChangeScope() {
        if (m_history) m_history->abort();
    }
    // Commits the change (see History::end); once.
    FileResult close() {
        History *h = std::exchange(m_history, nullptr);
        return h ? h->end() : FileResult();
    }
    ChangeScope(const ChangeScope &) = delete;
    ChangeScope &operator=(const ChangeScope &) = delete;

private:
    History *m_history;
};

// How the history names a record: "2024/05/01 スーパー丸正 食費 1,200円".
QString describeRecord(const QStringList &texts, Yen amount);
