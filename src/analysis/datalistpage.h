#pragma once
#include <QWidget>

#include "book/booksession.h"

class QPushButton;
class Grid;

// Every record in a list sortable by column (fraBunseki).
class DataListPage : public QWidget {
    Q_OBJECT
public:
    DataListPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    QPushButton *cmdSort1, *cmdSort2, *cmdSort3, *cmdSort4, *cmdSort5;
    Grid *msgIchiran;

private:
    BookSession &m_session;
};
