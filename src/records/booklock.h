#pragma once
#include <QLockFile>
#include <QString>

// One program per book folder: two windows on one book would each rewrite
// データ.txt from what they read earlier, and one window's saves would vanish.
// The lock is a file in the book folder naming the holding process; a lock
// left by a process that no longer runs is taken over, whatever its age, and
// so is one that names no holder at all once it is a few seconds old.
class BookLock {
public:
    explicit BookLock(const QString &bookDir);
    // Takes the lock; false while another running program holds it, or when
    // the lock file cannot be made (a folder the user may not write in, a
    // FIFO or device in its place).
    bool tryLock();
    // After a failed tryLock: whether a running program holds the lock, rather
    // than the folder refusing the lock file.
    bool heldByAnother() const;
    static const QString &fileName();

private:
    QString m_path;
    QLockFile m_lock;
};
