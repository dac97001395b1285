#pragma once
#include <QGroupBox>

#include "mainwindow/formstate.h"

class QLineEdit;
class QPushButton;
class Grid;
class MonthCalendar;

// The income panel (fraInpKIn) over the main page: the whole income history,
// and the date, description and amount of a new income.
class IncomePanel : public QGroupBox {
    Q_OBJECT
public:
    IncomePanel(FormState &state, MonthCalendar *mainCalendar, QWidget *parent);

    void cmdInp_Click();
    void cmdInpModori_Click();
    void DSP_NYUKIN();
    void msgInpRireki_Click();
    void cmdInpHozon_Click();

    QLineEdit *txtInpHizuke;
    QLineEdit *txtInpRiyuu;
    QLineEdit *txtInpKingaku;
    QPushButton *cmdInpHozon;
    QPushButton *cmdInpModori;
    Grid *msgInpRireki;

signals:
    // An income was stored: the main page's day list and month follow.
    void incomeSaved();

private:
    bool refuse(const QString &text, const QString &title);

    FormState &m_state;
    MonthCalendar *m_mainCalendar;
};
