#pragma once
#include <QDate>
#include <QStringList>
#include <QWidget>

#include "book/booksession.h"
#include "book/totals.h"

class QRadioButton;
class Grid;
class Chart;

// Totals per month and per day by payee or by category (fraKakei).
class TotalsPage : public QWidget {
    Q_OBJECT
public:
    TotalsPage(BookSession &session, QWidget *parent);

    // The opening procedure: always the payee breakdown.
    void open();
    // Left for another page: the lists let their rows go (open() fills them anew).
    void leave();
    void setMasters(const QStringList &payees, const QStringList &categories);
    // The main calendar's day: the budget view shows its month.
    void setDay(QDate day);

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void optList2_Click(int index);

    QRadioButton *optList2[3];
    Grid *msgKakei1;
    Grid *msgKakei2;
    Chart *mcrYosan; // the budget view's chart, where msgKakei2 is in the others

private:
    void INIT_KAKEI_KEYS();
    void DSP_KAKEI_MISE_DAY();
    void DSP_KAKEI_MISE_MONTH();
    void DSP_KAKEI_JANRU_DAY();
    void DSP_KAKEI_JANRU_MONTH();
    // Reads the book once for the day and the month builders of a breakdown.
    const Totals &totalsBy(TotalsBreakdown breakdown);
    void fillGrid(Grid *grid, const TotalsTable &table, int scrollAbove);
    // Budget against spending in the month of the main calendar's day.
    void DSP_YOSAN();

    BookSession &m_session;
    QStringList m_payees, m_categories; // the master lists, as the main page holds them
    QStringList PayeeKeys, CategoryKeys;
    Totals m_totals;
    bool m_totalsRead = false;
    QDate m_day; // until the main page says: today
};
