#pragma once
#include <QDate>
#include <QGroupBox>

#include "book/booksession.h"

class QLineEdit;
class QPushButton;
class Grid;

// The income panel (fraInpKIn) over the main page: the whole income history,
// and the date, description and amount of a new income.
class IncomePanel : public QGroupBox {
    Q_OBJECT
public:
    IncomePanel(BookSession &session, QWidget *parent);

    // The main page's day: the date an income is entered for.
    void setDay(QDate day);

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
    BookSession &m_session;
    QDate m_day;
};
