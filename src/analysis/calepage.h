#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class Chart;
class Grid;

// The colour calendar of payment and income days, and payments per weekday (fraCale).
class CalePage : public QWidget {
    Q_OBJECT
public:
    CalePage(FormState &state, QWidget *parent);

    Grid *msgCale;
    Grid *msgCale_w;
    Chart *mcrKensu;
    Chart *mcrKingaku;

private:
    FormState &m_state;
};
