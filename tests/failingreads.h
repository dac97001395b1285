#pragma once
#include <QFile>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "records/fileops.h"

// While alive, every file read of the program fails with EIO once `budget`
// bytes have been read: a disk that breaks in the middle of a file.
class FailingReads {
public:
    explicit FailingReads(qint64 budget) : m_previous(setReadCall(failingRead)) {
        budget_() = budget;
    }
    ~FailingReads() { setReadCall(m_previous); }
    FailingReads(const FailingReads &) = delete;
    FailingReads &operator=(const FailingReads &) = delete;

private:
    static qint64 &budget_() {
        static qint64 budget = 0;
        return budget;
    }
    static ssize_t failingRead(int fd, void *buffer, size_t count) {
        if (budget_() <= 0) {
            errno = EIO;
            return -1;
        }
        const ssize_t r = ::read(fd, buffer, std::min<size_t>(count, size_t(budget_())));
        if (r > 0) budget_() -= r;
        return r;
    }
    ReadCall m_previous;
};

// While alive, reads of one file fail with EIO, as a bad block does: the
// file the last make() named (by its inode, so a rename keeps it failing).
class UnreadableFile {
public:
    UnreadableFile() : m_previous(setReadCall(failingRead)) {}
    ~UnreadableFile() {
        inode_() = 0;
        setReadCall(m_previous);
    }
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;
    void make(const QString &path) {
        struct stat st;
        inode_() = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }
    void readable() { inode_() = 0; }

private:
    static ino_t &inode_() {
        static ino_t inode = 0;
        return inode;
    }
    static ssize_t failingRead(int fd, void *buffer, size_t count) {
        struct stat st;
        if (inode_() != 0 && ::fstat(fd, &st) == 0 && st.st_ino == inode_()) {
            errno = EIO;
            return -1;
        }
        return ::read(fd, buffer, count);
    }
    ReadCall m_previous;
};
