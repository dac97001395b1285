#include "records/booklock.h"

#include <QDir>

const QString &BookLock::fileName() {
    static const QString name = QStringLiteral(".miltea.lock");
    return name;
}

BookLock::BookLock(const QString &bookDir) : m_lock(QDir(bookDir).filePath(fileName())) {
    // A live holder keeps the lock however long it runs; only a dead one loses it.
    m_lock.setStaleLockTime(0);
}

bool BookLock::tryLock() {
    return m_lock.tryLock(0);
}

bool BookLock::heldByAnother() const {
    return m_lock.error() == QLockFile::LockFailedError;
}
