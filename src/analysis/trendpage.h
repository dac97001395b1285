#pragma once
#include <QWidget>

#include "book/booksession.h"

class QGroupBox;
class QRadioButton;
class Chart;
class Grid;

// The balance trend since the book's first day (fraRenTai): every day's
// income, spending and balance, charted and listed.
class TrendPage : public QWidget {
    Q_OBJECT
public:
    TrendPage(BookSession &session, QWidget *parent);
    // Fills the page for an opening: the wide chart, then list and chart.
    void open();
    // Left for another page: the lists let their rows go (open() fills them anew).
    void leave();

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void DSP_RENTAI();
    void optList1_Click(int index);

    QRadioButton *optList1[2];
    Chart *mcrRentai;
    Grid *msgRireki;
    QGroupBox *Frame5_3; // caption of the spending axis, at the chart's top right
    QGroupBox *Frame6;   // the legend under the chart

private:
    BookSession &m_session;
};
