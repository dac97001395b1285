#pragma once
#include <QWidget>

#include "book/booksession.h"

class Chart;
class Grid;

// The colour calendar of payment and income days, and payments per weekday (fraCale).
class CalendarPage : public QWidget {
    Q_OBJECT
public:
    CalendarPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    Grid *msgCale;
    Grid *msgCale_w;
    Chart *mcrKensu;
    Chart *mcrKingaku;

private:
    BookSession &m_session;
};
