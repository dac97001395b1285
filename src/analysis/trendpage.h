#pragma once
#include <QWidget>

#include "book/booksession.h"

class QRadioButton;
class Chart;
class Grid;

// The balance trend since the book's first day (fraRenTai).
class TrendPage : public QWidget {
    Q_OBJECT
public:
    TrendPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    QRadioButton *optList1[2];
    Chart *mcrRentai;
    Grid *msgRireki;

private:
    BookSession &m_session;
};
