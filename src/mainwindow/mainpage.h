#pragma once
#include <QDate>
#include <QWidget>

#include "mainwindow/formstate.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class ListBox;
class MonthCalendar;

// The main page (fraMain): payment entry, the day list and the month balance.
class MainPage : public QWidget {
    Q_OBJECT
public:
    MainPage(FormState &state, QWidget *parent);

    void INIT_DAYLIST();
    void DSP_DAYLIST();
    void DSP_MAIN();
    void mtvmain_DateClick(QDate date);
    void lstMise_Click();
    void cboJanru_Change();
    void cboJanru_Click();
    void txtOutInp_KeyPress(int key);
    void cmdTaiHozon_Click();
    void SAVE_KANREN();
    void chkKijun_Click();

    ListBox *lstMise;
    QComboBox *cboJanru;
    QLineEdit *txtOutInp;
    QPushButton *cmdTaiHozon;
    QPushButton *cmdFree;
    QPushButton *cmdFumei;
    QPushButton *cmdInp;
    MonthCalendar *mtvmain;
    Grid *msgDayList;
    QLabel *lblDayTotal;
    QLabel *lblMonSt, *lblMonAdd, *lblMonTotal, *lblMonOut, *lblMonZan;
    QLabel *lblMonKeika, *lblMonKeikaAvg, *lblMonZanbi, *lblMonZanAvg;
    QLabel *lblMHyouka;
    QLabel *imgniko, *imgwara, *imgkana, *imgNashi;
    Chart *mcrMain;
    QCheckBox *chkKijun;

signals:
    // A day was clicked in mtvmain (yyyy/mm/dd), before the page follows it.
    void dayClicked(const QString &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildEntry();
    void buildFigures();
    void buildChart();

    void showFaceMark(int day);

    FormState &m_state;
    QString m_lastClickedDay; // mtvmain_DateClick skips an unchanged day list
    QString m_lastChartMonth; // the month the chart holds
};
