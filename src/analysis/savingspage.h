#pragma once
#include <QWidget>

#include "book/booksession.h"

class QRadioButton;
class Chart;
class Grid;

// Savings: the records holding "貯金" and their running total (fraCyokin).
class SavingsPage : public QWidget {
    Q_OBJECT
public:
    SavingsPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    QRadioButton *optList3[2];
    Chart *mcrCyokin;
    Grid *msgCyokin;

private:
    BookSession &m_session;
};
