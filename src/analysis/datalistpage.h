#pragma once
#include <QWidget>

#include "book/booksession.h"

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
    // The next direction of each sort button for the whole run: 0 ascending, -1 descending.
    int SortFlag[5] = {0, 0, 0, 0, 0};
};
