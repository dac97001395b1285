#pragma once
#include <QGroupBox>
#include <optional>

#include "mainwindow/formstate.h"
#include "records/money.h"

class QLabel;
class QLineEdit;
class QPushButton;
class MonthCalendar;

// The unaccounted-money panel (fraInpHumei): books the gap between what the
// records say is left and the cash actually in the purse.
class UnaccountedPanel : public QGroupBox {
    Q_OBJECT
public:
    UnaccountedPanel(FormState &state, MonthCalendar *mainCalendar, QWidget *parent);

    void cmdFumei_Click();
    void CALC_DZAN();
    void cmdHumeiCk_Click();
    void cmdHumeiHozon_Click();
    void cmdFumeiModori_Click();

    QLabel *lblDzan;
    QLineEdit *txtInpZankin;
    QPushButton *cmdHumeiCk;
    QLabel *lblHumeiKin;
    QPushButton *cmdHumeiHozon;
    QPushButton *cmdFumeiModori;

signals:
    // An unaccounted-money payment was stored: the main page follows.
    void paymentSaved();

private:
    // Records' balance minus the cash typed, shown in lblHumeiKin; nothing when refused.
    std::optional<Yen> showDifference();

    FormState &m_state;
    MonthCalendar *m_mainCalendar;
};
