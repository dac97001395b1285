#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class ListBox;

// Search by payee or category, weekday and period (fraTaijyu).
class TaijyuPage : public QWidget {
    Q_OBJECT
public:
    TaijyuPage(FormState &state, QWidget *parent);

    QLineEdit *txtKey2;
    ListBox *lstJanru2;
    QLineEdit *txtKey;
    ListBox *lstMise2;
    QPushButton *cmdKensaku;
    QPushButton *cmdWeek[7];
    QPushButton *cmdAllWeek;
    QPushButton *cmdKikan1, *cmdKikan8, *cmdKikan2, *cmdKikan3, *cmdKikan4;
    QPushButton *cmdKikan5, *cmdKikan6, *cmdKikan7, *cmdKikanF, *cmdAllDay;
    QComboBox *cboStdate;
    QComboBox *cboEddate;
    QPushButton *cmdAllact;
    Grid *msgBunseki;
    Chart *mcrBunseki;

private:
    FormState &m_state;
};
