#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QRadioButton;
class Chart;
class Grid;

// The balance trend since the book's first day (fraRenTai).
class RentaiPage : public QWidget {
    Q_OBJECT
public:
    RentaiPage(FormState &state, QWidget *parent);

    QRadioButton *optList1[2];
    Chart *mcrRentai;
    Grid *msgRireki;

private:
    FormState &m_state;
};
