#pragma once
#include <QStringList>
#include <QWidget>

#include "book/booksession.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class Chart;
class Grid;
class ListBox;

// Search by payee or category, weekday and period (fraTaijyu).
class SearchPage : public QWidget {
    Q_OBJECT
public:
    SearchPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();
    // The masters as read, into this page's lists.
    void setMasters(const QStringList &payees, const QStringList &categories);

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

private:
    BookSession &m_session;
};
