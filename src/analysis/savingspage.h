#pragma once
#include <QWidget>

#include "book/booksession.h"

class QGroupBox;
class QRadioButton;
class Chart;
class Grid;

// The savings: every payment whose payee or category holds "貯金", one by
// one as green bars and their running total as a blue line (fraCyokin).
class SavingsPage : public QWidget {
    Q_OBJECT
public:
    SavingsPage(BookSession &session, QWidget *parent);

    // Opening from another page: the chart alone, grid and chart rebuilt.
    void open();

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void DSP_CYOKIN();
    // 0 the chart alone, 1 the chart beside the list; any other index does nothing.
    void optList3_Click(int index);

    QRadioButton *optList3[2];
    Chart *mcrCyokin;
    Grid *msgCyokin;
    QGroupBox *Frame5_4; // "貯金１回", follows the chart's right edge
    QGroupBox *Frame5_5; // "貯金累計", fixed at the top left
    QGroupBox *Frame7;   // the legend strip under the chart

private:
    BookSession &m_session;
};
