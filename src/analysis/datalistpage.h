#pragma once
#include <QWidget>

#include "book/booksession.h"
#include "book/datalist.h"

class QPushButton;
class Grid;

// Every payment of the book in one list, re-ordered by one of five columns;
// the file itself is never rewritten here (fraBunseki).
class DataListPage : public QWidget {
    Q_OBJECT
public:
    DataListPage(BookSession &session, QWidget *parent);

    // Opening from another page: the list rebuilt from データ.txt in file order.
    void open();
    // Left for another page: the list lets its rows go (open() lists anew).
    void leave();

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void INIT_ICHIRAN();
    void DSP_ICHIRAN();
    void cmdSort1_Click();
    void cmdSort2_Click();
    void cmdSort3_Click();
    void cmdSort4_Click();
    void cmdSort5_Click();

    QPushButton *cmdSort1, *cmdSort2, *cmdSort3, *cmdSort4, *cmdSort5;
    Grid *msgIchiran;

private:
    void sortBy(int button);

    BookSession &m_session;
    DataListSorts m_sorts; // SortFlag: the next direction of each button, for the run
};
