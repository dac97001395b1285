#pragma once
#include <QDate>
#include <QWidget>

#include "book/booksession.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class MonthCalendar;

// Reflection on one month and a simulation of planned payments (fraSim).
class ReflectionPage : public QWidget {
    Q_OBJECT
public:
    ReflectionPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();
    // The simulation calendar on a day without a click (start-up).
    void showDay(QDate day);

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
};
