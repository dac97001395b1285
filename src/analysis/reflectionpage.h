#pragma once
#include <QDate>
#include <QList>
#include <QWidget>

#include "book/booksession.h"
#include "book/reflection.h"
#include "records/money.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class MonthCalendar;

// Reflection on one month and a simulation of planned payments (fraSim).
// Left: the payments of a month, marked when they could have been saved.
// Right: the month of mtvSim forecast from 予測データ.txt, the scratch copy
// of データ.txt that planned payments are added to.
class ReflectionPage : public QWidget {
    Q_OBJECT
public:
    ReflectionPage(BookSession &session, QWidget *parent);
    // Fills the page for an opening; earlier planned payments are dropped.
    void open();
    // The simulation calendar on a day without a click (start-up).
    void showDay(QDate day);

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void DSP_SELMONTH();
    void cboSelMonth_Click();
    void DSP_HANSEI();
    void msgSim1_Click();
    void INIT_SIM2();
    void DSP_YOSOU();
    void mtvSim_DateClick(QDate date);
    void cmdHozonSim_Click();
    void txtSim2_KeyPress();
    void msgSim2_Click();

    QComboBox *cboSelMonth;
    Grid *msgSim1;
    QLabel *lblMuda;
    MonthCalendar *mtvSim;
    QLineEdit *txtSim2;
    QPushButton *cmdHozonSim;
    Grid *msgSim2;
    Chart *mcrYosou;

private:
    BookSession &m_session;
    ReflectionMarks m_marks; // the rows of msgSim1 marked, and MudaTotal, their sum
    QString m_lastSimMonth;  // LastSimMonth: the month last simulated by a click
};
