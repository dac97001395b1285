#pragma once
#include <QTest>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Runs work on a thread of its own and says whether it returned within
// ms: a call that blocks (an open waiting on a FIFO) is left behind for the
// process's end, so work must hold what it writes to by shared pointer.
inline bool returnsWithin(std::function<void()> work, int ms = 5000) {
    const auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread([work = std::move(work), done] {
        work();
        *done = true;
    }).detach();
    return QTest::qWaitFor([&] { return done->load(); }, ms);
}
