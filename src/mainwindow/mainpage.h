#pragma once
#include <QDate>
#include <QWidget>

#include "book/booksession.h"
#include "book/corrections.h"
#include "book/monthsummary.h"

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
    MainPage(BookSession &session, QWidget *parent);

    // The day the page shows, set without a click (start-up, the sample day).
    void showDay(QDate day);
    QDate selectedDay() const;
    // The masters as read: the payee list and the category box.
    void setMasters(const QStringList &payees, const QStringList &categories);
    // The last steps of start-up: the pace line waits for chkKijun, nothing to save yet.
    void finishLoad();
    // The payee of the payment being entered.
    const QString &currentPayee() const { return CurrentPayee; }

    void INIT_DAYLIST();
    void DSP_DAYLIST();
    // Shows what is left of the budget of the category in cboJanru.
    void DSP_YOSAN();
    void DSP_MAIN();
    void mtvmain_DateClick(QDate date);
    void lstMise_Click();
    void cboJanru_Change();
    void cboJanru_Click();
    void txtOutInp_KeyPress(int key);
    void cmdTaiHozon_Click();
    bool SAVE_KANREN(); // true when the file could not be written
    void chkKijun_Click();
    void cmdFree_Click();

    // Correcting a payment of the day list: its right-click menu, F2 and Delete.
    void msgDayList_ContextMenu(int row, QPoint globalPos);
    void msgDayList_KeyPress(int key);
    void fixDayRow(int row);
    void deleteDayRow(int row);

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
    QLabel *lblYosan; // what is left of the chosen category's budget this month
    QLabel *imgniko, *imgwara, *imgkana, *imgNashi;
    Chart *mcrMain;
    QCheckBox *chkKijun;

signals:
    // The page's day changed (a click in mtvmain or showDay), before the page follows it.
    void dayChanged(QDate day);
    // The payee master file changed: every list of the masters follows it.
    void mastersChanged();
    // cmdInp / cmdFumei were pressed: the panels over the page open.
    void incomePanelAsked();
    void unaccountedPanelAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildEntry();
    void buildFigures();
    void buildChart();

    void showFaceMark(const FaceMark &mark);
    // After a correction: as after a payment save.
    void followPaymentChange();
    // The record of a day list row, or nullptr for the header and empty rows.
    const RecordAt *dayRecord(int row) const;

    BookSession &m_session;
    QString CurrentPayee;
    QList<RecordAt> m_dayRecords; // the records of the day list's rows, row 1 first
    quint64 m_chartRevision = 0;  // the book revision the chart was drawn from
    MonthFigures m_chart;         // the month the chart shows
    QString m_lastClickedDay;     // mtvmain_DateClick skips an unchanged day list
    QString m_lastChartMonth;     // the month the chart holds
};
