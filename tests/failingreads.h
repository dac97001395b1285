#pragma once
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
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
