#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QRadioButton;
class Chart;
class Grid;

// Savings: the records holding "貯金" and their running total (fraCyokin).
class CyokinPage : public QWidget {
    Q_OBJECT
public:
    CyokinPage(FormState &state, QWidget *parent);

    QRadioButton *optList3[2];
    Chart *mcrCyokin;
    Grid *msgCyokin;

private:
    FormState &m_state;
};
