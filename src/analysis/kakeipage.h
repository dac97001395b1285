#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QRadioButton;
class Grid;

// Totals per month and per day (fraKakei).
class KakeiPage : public QWidget {
    Q_OBJECT
public:
    KakeiPage(FormState &state, QWidget *parent);

    QRadioButton *optList2[2];
    Grid *msgKakei1;
    Grid *msgKakei2;

private:
    FormState &m_state;
};
