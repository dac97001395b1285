#include "records/clock.h"

namespace {
QDate &pinnedToday() {
    static QDate pinned;
    return pinned;
}
} // namespace

QDate Clock::today() {
    return pinnedToday().isValid() ? pinnedToday() : QDate::currentDate();
}

void Clock::setToday(QDate date) {
    pinnedToday() = date;
}

void Clock::reset() {
    pinnedToday() = QDate();
}
