#pragma once
#include <QWidget>

#include "book/booksession.h"

class QRadioButton;
class Grid;

// Totals per month and per day (fraKakei).
class TotalsPage : public QWidget {
    Q_OBJECT
public:
    TotalsPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    QRadioButton *optList2[2];
    Grid *msgKakei1;
    Grid *msgKakei2;

private:
    BookSession &m_session;
};
