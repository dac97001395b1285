#include "book/history.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "book/newstart.h"
#include "records/byteordermark.h"
#include "records/foldercopy.h"

namespace {
using Write = BookJournal::Write;

const QString kSnapshotPrefix = QStringLiteral("日次_");
const QString kCannotUndo = QStringLiteral("元に戻せません");
// The log grows by a few lines a change; past this many it is written anew
// with only the kept changes.
constexpr int kLogLinesBeforeCompaction = 5000;

QString escaped(QString s) {
    return s.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
}

QString unescaped(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const QChar c = s[++i];
        out += c == u't' ? QChar(u'\t') : c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
    }
    return out;
}

QString line(std::initializer_list<QString> fields) {
    QStringList parts;
    for (const QString &f : fields)
        parts.append(escaped(f));
    return parts.join(u'\t');
}

QString number(qint64 n) {
    return QString::number(n);
}

QString timeText(const QDateTime &t) {
    return t.toString(Qt::ISODateWithMs);
}

// The log line of one write: W (rewrite), D (removal), A (append), T (cut).
QString writeLine(qint64 id, const History::FileWrite &w) {
    const QString hex = QString::fromLatin1(w.bytes.toHex());
    switch (w.kind) {
    case Write::Rewrite:
        return line({QStringLiteral("W"), number(id), w.name, w.generation, number(w.newSize),
                     QString::number(w.newHash)});
    case Write::Remove:
        return line({QStringLiteral("D"), number(id), w.name, w.generation});
    case Write::Append:
        return line({QStringLiteral("A"), number(id), w.name, number(w.at), hex});
    case Write::Truncate:
        return line({QStringLiteral("T"), number(id), w.name, number(w.at), hex});
    }
    return {};
}

QString stateLine(qint64 id, const History::FileState &s) {
    const FileIdentity &i = s.identity;
    return line({QStringLiteral("S"), number(id), s.name, number(i.exists), number(i.size),
                 number(i.mtimeNs), QString::number(i.inode), QString::number(s.hash),
                 number(i.ctimeNs), QString::number(i.device)});
}

QString leftAlone(const QString &name) {
    return QStringLiteral("前回、保存が終わる前にミルテアが止まりましたが、「%1」はその後に"
                          "書き換えられているため、そのままにしました。内容を確かめてください。")
        .arg(name);
}

QString notReadYet(const QString &name) {
    return QStringLiteral("前回、保存が終わる前にミルテアが止まりましたが、「%1」を"
                          "読み込めないため、まだ戻していません。次の起動で、もう一度戻します。")
        .arg(name);
}

// Whether the bytes past `at` are what an append cut short left: a part of
// the line (perhaps after the CR LF that ended the last line) or NULs.
bool tornAppend(QByteArrayView tail, const QByteArray &line) {
    const auto prefixOf = [&](const QByteArray &whole) {
        if (tail.size() > whole.size()) return false;
        for (qsizetype i = 0; i < tail.size(); ++i)
            if (tail[i] != '\0' && tail[i] != whole[i]) return false;
        return true;
    };
    return prefixOf(line) || prefixOf("\r\n" + line);
}

QString putBack(const QString &name) {
    return QStringLiteral("前回、保存が終わる前にミルテアが止まりました。"
                          "「%1」を、その保存の前の状態に戻しました。")
        .arg(name);
}
} // namespace

History::History(Book &book) : m_book(book) {
    m_book.setJournal(this);
}

History::~History() {
    m_book.setJournal(nullptr);
    if (m_logFd >= 0) ::close(m_logFd);
}

bool History::isJournaled(const QString &name) {
    return name == bookfile::payments || name == bookfile::incomes || name == bookfile::payees ||
           name == bookfile::categories || name == bookfile::associations ||
           name == bookfile::notes || name == bookfile::userName || name == bookfile::budgets ||
           name == bookfile::fixedPayments;
}

QString History::folderPath() const {
    return QDir(m_book.dir()).filePath(kFolder);
}

QString History::generationPath(const QString &generation) const {
    return QDir(folderPath()).filePath(generation);
}

FileResult History::ensureLog() {
    if (m_logFd >= 0) return {};
    const QString folder = folderPath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir(m_book.dir()).mkdir(kFolder) || !syncFolder(m_book.dir()))
            return ioError(folder, QStringLiteral("フォルダを作れません"));
    }
    const QString path = QDir(folder).filePath(kLog);
    const bool existed = QFileInfo::exists(path);
    // Only a plain file is a log: a FIFO put in its place would hold the
    // program until something read from it (and is not waited on even if
    // one appears between the look and the open).
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return ioError(path, QStringLiteral("通常のファイルではありません。"));
    m_logFd = ::open(native.constData(),
                     O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
    if (m_logFd < 0) return ioError(path, errnoText(errno));
    if (!existed && !syncFolder(folder)) return ioError(path, errnoText(errno));
    return {};
}

FileResult History::logLine(const QString &text) {
    if (FileResult r = ensureLog(); !r.ok()) return r;
    const QByteArray bytes = text.toUtf8() + '\n';
    const off_t before = ::lseek(m_logFd, 0, SEEK_END);
    // One write and its fsync: the line is in the log before what it announces.
    qsizetype done = 0;
    bool written = true;
    while (written && done < bytes.size()) {
        const ssize_t w = ::write(m_logFd, bytes.constData() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) continue;
        written = w > 0;
        done += std::max<ssize_t>(w, 0);
    }
    written = written && syncDescriptor(m_logFd) == 0;
    if (written) return {};
    const QString why = errnoText(errno);
    // A part of a line would swallow the next one: the log is cut back.
    if (before >= 0 && ::ftruncate(m_logFd, before) == 0) syncDescriptor(m_logFd);
    return ioError(kLog, why);
}

QString History::beginLine(OpenStep &step) {
    step.logged = true;
    return line({QStringLiteral("B"), number(step.id),
                 QString(QLatin1Char(static_cast<char>(step.kind))), number(step.target),
                 timeText(step.time), step.description});
}

QString History::newGeneration(const QString &name) const {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss_zzz"));
    QString generation = QStringLiteral("%1_%2_%3").arg(stamp).arg(m_step->id).arg(name);
    for (int n = 2; QFileInfo::exists(generationPath(generation)); ++n)
        generation = QStringLiteral("%1_%2-%3_%4").arg(stamp).arg(m_step->id).arg(n).arg(name);
    return generation;
}

void History::begin(const QString &description) {
    if (m_step) {
        ++m_depth; // a change inside a change is part of it
        return;
    }
    m_depth = 0;
    m_step = OpenStep{m_nextId++,
                      StepKind::Change,
                      0,
                      description,
                      QDateTime::currentDateTime(),
                      {},
                      false,
                      false,
                      false,
                      false,
                      {}};
}

FileResult History::aboutToWrite(const QString &name, const QString &path, Write kind, qint64 at,
                                 const QByteArray &bytes) {
    if (!isJournaled(name) || m_unjournaled) return {};
    if (FileResult r = ensureLog(); !r.ok()) {
        goOnWithout(r);
        return {};
    }
    if (!m_step) {
        begin(QStringLiteral("「%1」の変更").arg(name));
        m_step->implicit = true;
    }
    const auto refuse = [&](const FileResult &r) {
        m_step->failed = true;
        if (m_step->implicit) end();
        return r;
    };
    if (FileResult r = pendingRefusal(name); !r.ok()) return refuse(r);
    FileWrite w{kind, name, {}, at, {}, 0, 0};
    if (kind == Write::Truncate) {
        const FileContent now = m_book.read(name);
        if (!now.ok()) return refuse(now.error);
        w.bytes = now.bytes.mid(at);
    } else if (kind == Write::Append) {
        w.bytes = bytes;
    } else if (kind == Write::Rewrite) {
        const QByteArray written = asWritten(bytes);
        w.newSize = written.size();
        w.newHash = contentHash(written);
    }
    const bool replaces = kind == Write::Rewrite || kind == Write::Remove;
    if (replaces && identityOf(path).exists) w.generation = newGeneration(name);
    // Logged before the file is touched (with the change's beginning, the
    // first time: one write and one fsync); the old bytes kept before the rename.
    const QString begin = m_step->logged ? QString() : beginLine(*m_step) + u'\n';
    if (FileResult r = logLine(begin + writeLine(m_step->id, w)); !r.ok()) return refuse(r);
    m_step->writes.append(w);
    if (!w.generation.isEmpty())
        if (FileResult r = keepCopy(path, generationPath(w.generation)); !r.ok()) return refuse(r);
    return {};
}

void History::goOnWithout(const FileResult &why) {
    // Without a history the book is still saved, as before there was one.
    m_unjournaled = true;
    m_warning = FileResult::refused(
        QStringLiteral("履歴なしで保存"),
        QStringLiteral("フォルダ「%1」に変更の履歴を残せないため、これからの変更は"
                       "元に戻せません。データは保存します。\n\n%2")
            .arg(kFolder, why.message));
}

FileResult History::finished(const QString &name, bool written) {
    if (!isJournaled(name) || !m_step || m_step->writes.isEmpty()) return {};
    if (!written) m_step->failed = true;
    return m_step->implicit ? end() : FileResult();
}

History::FileState History::stateOf(const QString &name, std::optional<quint64> knownHash) const {
    FileState s{name, identityOf(m_book.pathOf(name)), 0};
    if (s.identity.exists) s.hash = knownHash ? *knownHash : contentHash(m_book.read(name).bytes);
    return s;
}

void History::abort() {
    if (!m_step) return;
    m_step->failed = true;
    (void)end();
}

FileResult History::end() {
    if (!m_step) return {};
    if (m_depth > 0) {
        --m_depth;
        return {};
    }
    OpenStep step = std::move(*m_step);
    m_step.reset();
    if (step.writes.isEmpty()) return {};
    if (!step.failed) return commit(step);
    putBackFailed(step);
    return {};
}

void History::putBackFailed(OpenStep step) {
    rollBack(step.writes, false, &step.unread);
    // Closed in the log once every file is back; until then it is tried
    // again before each write, and at the next start.
    if (!step.unread.isEmpty())
        m_pending.append(step);
    else
        (void)logLine(line({QStringLiteral("X"), number(step.id)}));
}

FileResult History::pendingRefusal(const QString &name) {
    QStringList putBackNow;
    for (qsizetype i = 0; i < m_pending.size();) {
        rollBack(m_pending[i].writes, false, &m_pending[i].unread);
        if (!m_pending[i].unread.isEmpty()) {
            ++i;
            continue;
        }
        (void)logLine(line({QStringLiteral("X"), number(m_pending[i].id)}));
        for (const FileWrite &w : m_pending[i].writes)
            if (!putBackNow.contains(w.name)) putBackNow.append(w.name);
        m_pending.removeAt(i);
    }
    // Shown whatever this write then meets.
    if (!putBackNow.isEmpty()) {
        m_lastStepFiles = putBackNow;
        if (putBackWhileRunning) putBackWhileRunning();
    }
    // A write over a file still holding a half-made change would keep it for
    // good; one worked out before a file was put back would bring it back.
    for (const OpenStep &step : std::as_const(m_pending))
        for (const FileWrite &w : step.writes)
            if (w.name == name)
                return FileResult::refused(
                    QStringLiteral("ファイル読み込みエラー"),
                    QStringLiteral("「%1」を読み込めないため、途中で止まった保存をまだ戻して"
                                   "いません。何も保存しませんでした。")
                        .arg(step.unread.join(QStringLiteral("」「"))));
    if (!putBackNow.isEmpty())
        return FileResult::refused(
            QStringLiteral("途中で止まった保存"),
            QStringLiteral("途中で止まった保存を戻しました（%1）。何も保存しませんでした。"
                           "内容を確かめて、もう一度操作してください。")
                .arg(putBackNow.join(QStringLiteral("、"))));
    return {};
}

FileResult History::commit(OpenStep &step) {
    QStringList lines;
    QList<FileState> states;
    QStringList seen;
    for (auto it = step.writes.crbegin(); it != step.writes.crend(); ++it) {
        const FileWrite &w = *it;
        if (seen.contains(w.name)) continue;
        seen.append(w.name);
        // The last write of a file: a rewrite knows the hash of what it wrote.
        states.append(w.kind == Write::Rewrite ? stateOf(w.name, w.newHash) : stateOf(w.name));
        lines.append(stateLine(step.id, states.last()));
    }
    lines.append(line({QStringLiteral("C"), number(step.id)}));
    if (const FileResult r = logLine(lines.join(u'\n')); !r.ok()) {
        // Not saved unless the history says so: the files go back now.
        putBackFailed(step);
        FileResult refused = r;
        refused.message += QStringLiteral("\n変更の履歴を書けなかったため、保存しませんでした。");
        return refused;
    }
    applyCommitted(step, states);
    return {};
}

void History::applyCommitted(const OpenStep &step, const QList<FileState> &states) {
    Change *change = nullptr;
    if (step.kind == StepKind::Change || step.kind == StepKind::Kept) {
        while (step.kind == StepKind::Change && !m_changes.isEmpty() && m_changes.last().undone)
            m_changes.removeLast(); // a new change ends what could be redone
        m_changes.append(Change{step.id, step.time, step.description, step.undone, {}, {}});
        while (m_changes.size() > kKeptChanges)
            m_changes.removeFirst();
        change = &m_changes.last();
    } else {
        for (Change &c : m_changes)
            if (c.id == step.target) change = &c;
        if (!change) return;
        change->undone = step.kind == StepKind::Undo;
    }
    change->last = step.writes;
    change->after = states;
}

QStringList History::rollBack(const QList<FileWrite> &writes, bool afterCrash,
                              QStringList *unread) {
    QStringList names, left, unreadable;
    for (auto it = writes.crbegin(); it != writes.crend(); ++it) {
        const FileWrite &w = *it;
        const QString path = m_book.pathOf(w.name);
        const FileIdentity now = identityOf(path);
        const FileContent current = now.exists ? readFileAsIs(path) : FileContent();
        const QByteArray &bytes = current.bytes;
        enum { Nothing, Put, Left } outcome = Left;
        if (!current.ok()) {
            // Left for another try: a file that cannot be read now may be later.
            if (!unreadable.contains(w.name)) unreadable.append(w.name);
            continue;
        }
        if (w.kind == Write::Rewrite || w.kind == Write::Remove) {
            const bool asWrittenNow =
                w.kind == Write::Remove
                    ? !now.exists
                    : now.exists && bytes.size() == w.newSize && contentHash(bytes) == w.newHash;
            const QString kept = generationPath(w.generation);
            if (w.generation.isEmpty()) {
                // The file did not exist before the write.
                outcome = !now.exists                             ? Nothing
                          : asWrittenNow && removeFile(path).ok() ? Put
                                                                  : Left;
            } else if (!QFileInfo::exists(kept)) {
                outcome = Nothing; // the old file is kept before it is replaced: never replaced
            } else {
                const QByteArray old = readFileAsIs(kept).bytes;
                if (now.exists && bytes == old) {
                    outcome = Nothing;
                } else if (asWrittenNow) {
                    // Put back, even when the folder's sync then failed.
                    (void)putBackKept(kept, path);
                    outcome = readFileAsIs(path).bytes == old ? Put : Left;
                }
            }
        } else if (w.kind == Write::Append) {
            outcome = bytes.size() <= w.at ? Nothing
                      : tornAppend(QByteArrayView(bytes).sliced(w.at), w.bytes) &&
                              truncateFileTo(path, w.at).ok()
                          ? Put
                          : Left;
        } else if (w.kind == Write::Truncate) {
            // Back already when the bytes cut are in their place (a later cut
            // of the same step put back before it, at an earlier start).
            const bool back = bytes.size() >= w.at + w.bytes.size() &&
                              QByteArrayView(bytes).sliced(w.at, w.bytes.size()) == w.bytes;
            outcome = back                                                    ? Nothing
                      : now.size == w.at && appendExactly(path, w.bytes).ok() ? Put
                                                                              : Left;
        }
        if (outcome == Nothing) continue;
        if (outcome == Left) {
            if (!left.contains(w.name)) left.append(w.name);
            continue;
        }
        // What a reader makes of a file in another encoding is read afresh.
        const QByteArray back = readFileAsIs(path).bytes;
        if (!startsWithByteOrderMark(back)) m_book.replaced(w.name, back);
        if (!names.contains(w.name)) names.append(w.name);
    }
    QStringList messages;
    if (afterCrash) {
        for (const QString &name : names)
            messages.append(putBack(name));
        for (const QString &name : left)
            messages.append(leftAlone(name));
        for (const QString &name : unreadable)
            messages.append(notReadYet(name));
    }
    if (unread) *unread = unreadable;
    return messages;
}

FileResult History::reverse(const QList<FileWrite> &writes) {
    for (auto it = writes.crbegin(); it != writes.crend(); ++it) {
        const FileWrite &w = *it;
        FileResult r;
        if (w.kind == Write::Append) {
            r = m_book.truncateTo(w.name, w.at);
        } else if (w.kind == Write::Truncate) {
            r = m_book.appendBytes(w.name, w.bytes);
        } else if (w.generation.isEmpty()) {
            r = m_book.remove(w.name);
        } else {
            const FileContent old = readFile(generationPath(w.generation));
            if (!old.ok() || !QFileInfo::exists(generationPath(w.generation)))
                return FileResult::refused(
                    kCannotUndo,
                    QStringLiteral("「%1」の以前の内容がバックアップに見つからないため、"
                                   "元に戻せません。")
                        .arg(w.name));
            // Written in CP932, as every rewrite: never with a character lost.
            if (!old.notCp932.isEmpty())
                return FileResult::refused(
                    kCannotUndo, QStringLiteral("「%1」の以前の内容にある「%2」はShift-JISで"
                                                "書けないため、戻せません。")
                                     .arg(w.name, old.notCp932));
            r = m_book.rewrite(w.name, old.bytes);
        }
        if (!r.ok()) return r;
    }
    return {};
}

FileResult History::stillAsLeft(const Change &change) const {
    for (const FileState &s : change.after) {
        const FileIdentity now = identityOf(m_book.pathOf(s.name));
        if (now == s.identity) continue; // the same file, untouched since
        // Written again since, perhaps back to the same bytes (an undo of a later change).
        if (now.exists == s.identity.exists && now.size == s.identity.size &&
            (!now.exists || contentHash(m_book.read(s.name).bytes) == s.hash))
            continue;
        return FileResult::refused(
            kCannotUndo,
            QStringLiteral("「%1」は「%2」の後に書き換えられています。"
                           "元に戻すとその後の内容が失われるため、何も変えていません。")
                .arg(s.name, change.description));
    }
    return {};
}

FileResult History::apply(qint64 id, StepKind kind) {
    m_lastStepFiles.clear(); // a refused step read nothing back
    if (m_step) return FileResult::refused(kCannotUndo, QStringLiteral("保存の途中です。"));
    const auto found = std::find_if(m_changes.cbegin(), m_changes.cend(),
                                    [id](const Change &c) { return c.id == id; });
    if (found == m_changes.cend()) return {};
    const Change change = *found;
    if (FileResult r = stillAsLeft(change); !r.ok()) return r;
    // Undone without the log, the change would still be offered to undo.
    if (FileResult r = logRefusal(); !r.ok()) return r;
    const QString what =
        kind == StepKind::Undo ? QStringLiteral("の取り消し") : QStringLiteral("のやり直し");
    begin(change.description + what);
    m_step->kind = kind;
    m_step->target = change.id;
    m_lastStepFiles.clear();
    for (const FileWrite &w : change.last)
        if (!m_lastStepFiles.contains(w.name)) m_lastStepFiles.append(w.name);
    FileResult r = reverse(change.last);
    if (!r.ok()) m_step->failed = true;
    const FileResult kept = end();
    return r.ok() ? kept : r;
}

const History::Change *History::undoTarget() const {
    for (auto it = m_changes.crbegin(); it != m_changes.crend(); ++it)
        if (!it->undone) return &*it;
    return nullptr;
}

const History::Change *History::redoTarget() const {
    const Change *target = nullptr;
    for (auto it = m_changes.crbegin(); it != m_changes.crend() && it->undone; ++it)
        target = &*it;
    return target;
}

History::Change *History::undoTarget() {
    return const_cast<Change *>(std::as_const(*this).undoTarget());
}

History::Change *History::redoTarget() {
    return const_cast<Change *>(std::as_const(*this).redoTarget());
}

std::optional<QString> History::nextUndo() const {
    const Change *c = undoTarget();
    return c ? std::optional(c->description) : std::nullopt;
}

std::optional<QString> History::nextRedo() const {
    const Change *c = redoTarget();
    return c ? std::optional(c->description) : std::nullopt;
}

FileResult History::undoRefusal() {
    const Change *c = undoTarget();
    if (FileResult r = c ? stillAsLeft(*c) : FileResult(); !r.ok()) return r;
    return c ? logRefusal() : FileResult();
}

FileResult History::redoRefusal() {
    const Change *c = redoTarget();
    if (FileResult r = c ? stillAsLeft(*c) : FileResult(); !r.ok()) return r;
    return c ? logRefusal() : FileResult();
}

FileResult History::logRefusal() {
    FileResult r = m_unjournaled ? FileResult::refused(kCannotUndo, {}) : ensureLog();
    if (r.ok()) return r;
    return FileResult::refused(
        kCannotUndo,
        (QStringLiteral("変更の履歴を書けないため、取り消しもやり直しもできません。\n\n") +
         r.message)
            .trimmed());
}

FileResult History::undo() {
    const Change *c = undoTarget();
    return c ? apply(c->id, StepKind::Undo) : FileResult();
}

FileResult History::redo() {
    const Change *c = redoTarget();
    return c ? apply(c->id, StepKind::Redo) : FileResult();
}

QList<History::Entry> History::entries() const {
    QList<Entry> out;
    for (auto it = m_changes.crbegin(); it != m_changes.crend(); ++it)
        out.append({it->time, it->description, it->undone});
    return out;
}

QList<History::OpenStep> History::readLog() {
    const QString path = QDir(folderPath()).filePath(kLog);
    FileContent read = readFile(path);
    // A log that cannot be read is not added to: its steps' numbers would
    // be given again, and a step a crash left would never be put back.
    if (!read.ok()) {
        goOnWithout(read.error);
        return {};
    }
    QByteArray bytes = std::move(read.bytes);
    // A line cut short by a crash was never followed by what it announced.
    if (!bytes.isEmpty() && !bytes.endsWith('\n')) {
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
        truncateFileTo(path, bytes.size());
    }
    QHash<qint64, OpenStep> open;
    QHash<qint64, QList<FileState>> states;
    QHash<qint64, QStringList> written; // the files each step logged a write of
    m_logLines = 0;
    for (const QByteArray &raw : bytes.split('\n')) {
        if (raw.isEmpty()) continue;
        ++m_logLines;
        const QString text = QString::fromUtf8(raw);
        QStringList f;
        for (QStringView field : QStringView(text).split(u'\t'))
            f.append(unescaped(field));
        const QString kind = f.value(0);
        const qint64 id = f.value(1).toLongLong();
        m_nextId = std::max(m_nextId, id + 1);
        if ((kind == u"B" || kind == u"K") && f.size() >= 6 && !f[2].isEmpty()) {
            OpenStep s;
            s.id = id;
            s.kind = kind == u"K" ? StepKind::Kept : static_cast<StepKind>(f[2].at(0).toLatin1());
            s.undone = kind == u"K" && f[2] == u"1";
            s.target = f[3].toLongLong();
            s.time = QDateTime::fromString(f[4], Qt::ISODateWithMs);
            s.description = f[5];
            open.insert(id, s);
        } else if (kind.size() == 1 && QStringLiteral("WDAT").contains(kind)) {
            written[id].append(f.value(2));
            if (!open.contains(id)) continue;
            FileWrite w;
            w.kind = kind == u"W"   ? Write::Rewrite
                     : kind == u"D" ? Write::Remove
                     : kind == u"A" ? Write::Append
                                    : Write::Truncate;
            w.name = f.value(2);
            // Only the book's own files, kept in its history folder: a log
            // edited by hand never leads a put-back elsewhere.
            if (!isJournaled(w.name)) continue;
            if (w.kind == Write::Rewrite || w.kind == Write::Remove) {
                w.generation = f.value(3);
                if (w.generation.contains(u'/') || w.generation.startsWith(u'.')) continue;
                w.newSize = f.value(4).toLongLong();
                w.newHash = f.value(5).toULongLong();
            } else {
                w.at = f.value(3).toLongLong();
                w.bytes = QByteArray::fromHex(f.value(4).toLatin1());
                if (w.at < 0) continue; // no line the program wrote
            }
            open[id].writes.append(w);
        } else if (kind == u"S" && f.size() >= 8) {
            FileState st;
            st.name = f[2];
            st.identity = {
                f[3] == u"1", f[4].toLongLong(), f[5].toLongLong(), 0, f[6].toULongLong(), 0};
            st.hash = f[7].toULongLong();
            states[id].append(st);
        } else if (kind == u"C" && open.contains(id)) {
            applyCommitted(open.take(id), states.take(id));
        } else if (kind == u"X") {
            open.remove(id);
        }
    }
    // A step still open when a later one began failed while the program went
    // on, its closing line lost (a full disk); it was put back then, as far
    // as it could be. A file a later step wrote has moved on from it: put
    // back again, it could lose that step (the same line saved again).
    QList<OpenStep> unfinished;
    for (OpenStep step : open) {
        step.writes.removeIf([&](const FileWrite &w) {
            for (auto later = written.cbegin(); later != written.cend(); ++later)
                if (later.key() > step.id && later.value().contains(w.name)) return true;
            return false;
        });
        if (!step.writes.isEmpty()) unfinished.append(step);
    }
    // Put back newest first, as the writes were made oldest first.
    std::sort(unfinished.begin(), unfinished.end(),
              [](const OpenStep &a, const OpenStep &b) { return a.id > b.id; });
    return unfinished;
}

QStringList History::open() {
    removeLeftovers(m_book.dir());
    if (!QFileInfo::exists(folderPath())) return {};
    removeLeftovers(folderPath());
    QStringList messages;
    for (OpenStep step : readLog()) {
        messages += rollBack(step.writes, true, &step.unread);
        // A step a file kept from being put back stays open: tried again
        // before each write, and at the next start.
        if (!step.unread.isEmpty())
            m_pending.append(step);
        else
            logLine(line({QStringLiteral("X"), number(step.id)}));
    }
    // A log that could not be read, or that holds a step still open, is left
    // whole for the next start, and every version it may need with it.
    if (m_unjournaled || !m_pending.isEmpty()) return messages;
    if (m_logLines > kLogLinesBeforeCompaction) compactLog();
    pruneGenerations();
    return messages;
}

void History::compactLog() {
    QStringList lines;
    for (const Change &c : m_changes) {
        lines.append(line({QStringLiteral("K"), number(c.id), number(c.undone), number(0),
                           timeText(c.time), c.description}));
        for (const FileWrite &w : c.last)
            lines.append(writeLine(c.id, w));
        for (const FileState &st : c.after)
            lines.append(stateLine(c.id, st));
        lines.append(line({QStringLiteral("C"), number(c.id)}));
    }
    const QByteArray content =
        lines.isEmpty() ? QByteArray() : (lines.join(u'\n') + u'\n').toUtf8();
    if (m_logFd >= 0) ::close(m_logFd);
    m_logFd = -1;
    replaceAtomically(QDir(folderPath()).filePath(kLog), content);
    m_logLines = lines.size();
}

void History::pruneGenerations() {
    static const QRegularExpression generation(
        QStringLiteral(R"(^\d{8}_\d{6}_\d{3}_\d+(-\d+)?_(.+)$)"));
    QSet<QString> referenced;
    for (const Change &c : m_changes)
        for (const FileWrite &w : c.last)
            referenced.insert(w.generation);
    QHash<QString, QStringList> byFile;
    const QStringList files =
        QDir(folderPath()).entryList(QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString &f : files)
        if (const auto m = generation.match(f); m.hasMatch()) byFile[m.captured(2)].append(f);
    bool removed = false;
    for (const QStringList &generations : std::as_const(byFile))
        for (qsizetype i = kKeptGenerations; i < generations.size(); ++i)
            if (!referenced.contains(generations[i]))
                removed |= QFile::remove(generationPath(generations[i]));
    if (removed) syncFolder(folderPath());
}

FileResult History::takeDailySnapshot(QDate today) {
    const QString name = kSnapshotPrefix + today.toString(QStringLiteral("yyyyMMdd"));
    if (QFileInfo::exists(QDir(folderPath()).filePath(name))) return {};
    // A folder that holds no book yet gets no copy (and no バックアップ).
    const QStringList files = bookRecordFiles();
    if (std::none_of(files.cbegin(), files.cend(),
                     [&](const QString &f) { return identityOf(m_book.pathOf(f)).exists; }))
        return {};
    if (FileResult r = ensureLog(); !r.ok()) return r;
    if (FileResult r = copyIntoNewFolder(m_book, kFolder + u'/' + name, bookRecordFiles()); !r.ok())
        return r;
    const QList<QDate> kept = snapshots();
    for (qsizetype i = kKeptSnapshots; i < kept.size(); ++i)
        QDir(QDir(folderPath())
                 .filePath(kSnapshotPrefix + kept[i].toString(QStringLiteral("yyyyMMdd"))))
            .removeRecursively();
    return {};
}

QList<QDate> History::snapshots() const {
    QList<QDate> out;
    const QStringList dirs =
        QDir(folderPath())
            .entryList({kSnapshotPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot,
                       QDir::Name | QDir::Reversed);
    for (const QString &d : dirs)
        if (const QDate day =
                QDate::fromString(d.mid(kSnapshotPrefix.size()), QStringLiteral("yyyyMMdd"));
            day.isValid() && !d.endsWith(kPartialFolderSuffix))
            out.append(day);
    return out;
}

FileResult History::restoreSnapshot(QDate day) {
    m_lastStepFiles.clear(); // a refused restore read nothing back
    const QDir snapshot(
        QDir(folderPath()).filePath(kSnapshotPrefix + day.toString(QStringLiteral("yyyyMMdd"))));
    if (!snapshot.exists())
        return FileResult::refused(QStringLiteral("バックアップの復元"),
                                   QStringLiteral("その日のバックアップがありません。"));
    if (m_step) return FileResult::refused(kCannotUndo, QStringLiteral("保存の途中です。"));
    begin(QStringLiteral("%1 のバックアップからの復元")
              .arg(day.toString(QStringLiteral("yyyy/MM/dd"))));
    FileResult r;
    m_lastStepFiles.clear();
    for (const QString &name : bookRecordFiles()) {
        if (!isJournaled(name)) continue;
        m_lastStepFiles.append(name);
        const QString path = m_book.pathOf(name);
        const QString kept = snapshot.filePath(QFileInfo(path).fileName());
        if (QFileInfo::exists(kept)) {
            const FileContent old = readFile(kept);
            if (!old.ok())
                r = old.error;
            else if (!old.notCp932.isEmpty())
                r = FileResult::refused(
                    QStringLiteral("バックアップの復元"),
                    QStringLiteral("「%1」のバックアップにある「%2」は"
                                   "Shift-JISで書けないため、復元しませんでした。")
                        .arg(name, old.notCp932));
            else if (!identityOf(path).exists || m_book.read(name).bytes != old.bytes)
                r = m_book.rewrite(name, old.bytes);
        } else {
            r = m_book.remove(name);
        }
        if (!r.ok()) {
            m_step->failed = true;
            break;
        }
    }
    const FileResult kept = end();
    return r.ok() ? kept : r;
}

QString describeRecord(const QStringList &texts, Yen amount) {
    QStringList parts;
    for (const QString &t : texts)
        if (!t.isEmpty()) parts.append(t);
    parts.append(amount == 0 ? QStringLiteral("0円") : formatYenLabel(amount));
    return parts.join(u' ');
}
