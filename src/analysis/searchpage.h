#pragma once
#include <QWidget>

#include "book/booksession.h"
#include "book/search.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class ListBox;

// Search by payee or category, weekday and period (fraTaijyu). Every change
// of a condition reads データ.txt again and rebuilds list and chart.
class SearchPage : public QWidget {
    Q_OBJECT
public:
    SearchPage(BookSession &session, QWidget *parent);

    // The opening procedure: every record listed, the date lists refilled.
    void open();
    // Left for another page: the listing lets its rows go (open() lists anew).
    void leave();
    void setMasters(const QStringList &payees, const QStringList &categories);

    // What follows is the page's own: its controls, handlers and procedures.
private:
    QLineEdit *txtKey2;
    ListBox *lstJanru2;
    QLineEdit *txtKey;
    ListBox *lstMise2;
    QPushButton *cmdKensaku;
    QPushButton *cmdWeek[7];
    QPushButton *cmdAllWeek;
    QPushButton *cmdKikan1, *cmdKikan8, *cmdKikan2, *cmdKikan3, *cmdKikan4;
    QPushButton *cmdKikan5, *cmdKikan6, *cmdKikan7, *cmdKikanF, *cmdAllDay;
    QComboBox *cboStdate;
    QComboBox *cboEddate;
    QPushButton *cmdAllact;
    Grid *msgBunseki;
    Chart *mcrBunseki;

    void cmdKikan1_Click();
    void cmdKikan8_Click();
    void cmdKikan2_Click();
    void cmdKikan3_Click();
    void cmdKikan4_Click();
    void cmdKikan5_Click();
    void cmdKikan6_Click();
    void cmdKikan7_Click();
    void cmdKikanF_Click();
    void cmdAllDay_Click();
    void cmdWeek_Click(int index);
    void cmdAllWeek_Click();
    void cmdAllact_Click();
    void lstMise2_Click();
    void lstJanru2_Click();
    void txtKey_KeyPress(int key); // a Qt key
    void txtKey2_KeyPress(int key);
    void txtKey_GotFocus();
    void txtKey2_GotFocus();
    void cmdKensaku_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choosePeriod(QPushButton *button, SearchPeriod period);
    void INIT_KIKAN();
    void INIT_KENSAKU();
    void DSP_KENSAKU_ALL();
    void DSP_KENSAKU_KIKAN();
    void DSP_KENSAKU_KEY();
    void DSP_KENSAKU_WEEK();
    void DSP_KENSAKU_KEYWEEK();
    // Runs one test over データ.txt and shows what it lists.
    void list(SearchTest test);
    // The listing for the conditions in force; the key counts as set when the
    // box the listing reads holds text.
    void listByConditions();
    QString keyText() const;
    void setPeriod(const QString &from, const QString &to);
    void setWeekButtonsToFace();
    void highlight(QPushButton *button);
    void toFace(QPushButton *button);

    BookSession &m_session;
    SearchChoice m_choice;
};
