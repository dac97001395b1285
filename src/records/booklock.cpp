#include "records/booklock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

const QString &BookLock::fileName() {
    static const QString name = QStringLiteral(".miltea.lock");
    return name;
}

BookLock::BookLock(const QString &bookDir)
    : m_path(QDir(bookDir).filePath(fileName())), m_lock(m_path) {
    // A live holder keeps the lock however long it runs; only a dead one loses it.
    m_lock.setStaleLockTime(0);
}

bool BookLock::tryLock() {
    // A FIFO or device in the lock file's place is no lock, and reading who
    // holds it would wait for ever: the book is not opened.
    const QFileInfo present(m_path);
    if (present.exists() && !present.isFile()) return false;
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError) return m_lock.isLocked();
    // A lock file without its holder's name is left by a program that died
    // between making the file and writing it (or the disk lost the write):
    // nobody would ever take it over, and the book could not be opened again.
    // A starter writes its name at once, so only a young one may still be filled.
    qint64 pid = 0;
    QString host, app;
    if (m_lock.getLockInfo(&pid, &host, &app)) return false;
    const QDateTime made = QFileInfo(m_path).lastModified();
    if (!made.isValid() || made.secsTo(QDateTime::currentDateTime()) < 10) return false;
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0);
}

bool BookLock::heldByAnother() const {
    return m_lock.error() == QLockFile::LockFailedError;
}
