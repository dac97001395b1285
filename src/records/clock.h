#pragma once
#include <QDate>

// The one source of "today" for the whole program; tests pin it.
class Clock {
public:
    static QDate today();
    static void setToday(QDate date);
    static void reset();
};
