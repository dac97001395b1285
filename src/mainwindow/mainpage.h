#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class ListBox;
class MonthCalendar;

// The main page (fraMain): payment entry, the day list and the month balance.
class MainPage : public QWidget {
    Q_OBJECT
public:
    MainPage(FormState &state, QWidget *parent);

    ListBox *lstMise;
    QComboBox *cboJanru;
    QLineEdit *txtOutInp;
    QPushButton *cmdTaiHozon;
    QPushButton *cmdFree;
    QPushButton *cmdFumei;
    QPushButton *cmdInp;
    MonthCalendar *mtvmain;
    Grid *msgDayList;
    QLabel *lblDayTotal;
    QLabel *lblMonSt, *lblMonAdd, *lblMonTotal, *lblMonOut, *lblMonZan;
    QLabel *lblMonKeika, *lblMonKeikaAvg, *lblMonZanbi, *lblMonZanAvg;
    QLabel *lblMHyouka;
    QLabel *imgniko, *imgwara, *imgkana, *imgNashi;
    Chart *mcrMain;
    QCheckBox *chkKijun;

private:
    void buildEntry();
    void buildFigures();
    void buildChart();

    FormState &m_state;
};
