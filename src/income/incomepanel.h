#pragma once
#include <QGroupBox>

#include "mainwindow/formstate.h"

class QLineEdit;
class QPushButton;
class Grid;

// The income panel (fraInpKIn) over the main page: history, date, description, amount.
class IncomePanel : public QGroupBox {
    Q_OBJECT
public:
    IncomePanel(FormState &state, QWidget *parent);

    QLineEdit *txtInpHizuke;
    QLineEdit *txtInpRiyuu;
    QLineEdit *txtInpKingaku;
    QPushButton *cmdInpHozon;
    QPushButton *cmdInpModori;
    Grid *msgInpRireki;

private:
    FormState &m_state;
};
