#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class MonthCalendar;

// Reflection on one month and a simulation of planned payments (fraSim).
class SimPage : public QWidget {
    Q_OBJECT
public:
    SimPage(FormState &state, QWidget *parent);

    QComboBox *cboSelMonth;
    Grid *msgSim1;
    QLabel *lblMuda;
    MonthCalendar *mtvSim;
    QLineEdit *txtSim2;
    QPushButton *cmdHozonSim;
    Grid *msgSim2;
    Chart *mcrYosou;

private:
    FormState &m_state;
};
