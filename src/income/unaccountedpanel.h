#pragma once
#include <QDate>
#include <QGroupBox>
#include <optional>

#include "book/booksession.h"
#include "records/money.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The unaccounted-money panel (fraInpHumei): books the gap between what the
// records say is left and the cash actually in the purse.
class UnaccountedPanel : public QGroupBox {
    Q_OBJECT
public:
    UnaccountedPanel(BookSession &session, QWidget *parent);

    // The main page's day: the date the unaccounted money is booked on.
    void setDay(QDate day) { m_day = day; }

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

    BookSession &m_session;
    QDate m_day;
    Yen m_recordsBalance = 0; // what CALC_DZAN showed in lblDzan
};
