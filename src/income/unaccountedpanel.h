#pragma once
#include <QGroupBox>

#include "mainwindow/formstate.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The unaccounted-money panel (fraInpHumei): books the gap between the records and the purse.
class UnaccountedPanel : public QGroupBox {
    Q_OBJECT
public:
    UnaccountedPanel(FormState &state, QWidget *parent);

    QLabel *lblDzan;
    QLineEdit *txtInpZankin;
    QPushButton *cmdHumeiCk;
    QLabel *lblHumeiKin;
    QPushButton *cmdHumeiHozon;
    QPushButton *cmdFumeiModori;

private:
    FormState &m_state;
};
