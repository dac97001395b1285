#pragma once
#include <QWidget>

#include "book/booksession.h"

class Chart;
class Grid;
struct CalendarTables;

// The colour calendar of payment and income days, and payments per weekday (fraCale).
class CalendarPage : public QWidget {
    Q_OBJECT
public:
    CalendarPage(BookSession &session, QWidget *parent);

    // The opening procedure: both tables and both charts from the files.
    void open();
    // Left for another page: the tables let their rows go (open() fills them anew).
    void leave();

    // What follows is the page's own: its controls, handlers and procedures.
private:
    Grid *msgCale;
    Grid *msgCale_w;
    Chart *mcrKensu;
    Chart *mcrKingaku;

private:
    void DSP_CALE_MONTH(const CalendarTables &tables);
    void DSP_CALE_WEEK(const CalendarTables &tables);

    BookSession &m_session;
};
