#pragma once
#include <QDate>
#include <QGroupBox>

#include "book/booksession.h"
#include "book/corrections.h"

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
    // The history filled again from the file after an undo, a put-back or a
    // correction: what is typed, the date included, stays; a read error is
    // noted for the window to say once.
    void showIncomesAsTheyAre();
    void msgInpRireki_Click();
    void cmdInpHozon_Click();

    // Correcting an income of the history: its right-click menu, F2 and Delete.
    // The opening income (row 1) can be corrected but not deleted.
    void msgInpRireki_ContextMenu(int row, QPoint globalPos);
    void msgInpRireki_KeyPress(int key);
    void fixIncomeRow(int row);
    void deleteIncomeRow(int row);

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
    void fillIncomeList(bool sayReadError);
    BookSession &m_session;
    const RecordAt *incomeRecord(int row) const;
    void followIncomeChange();

    QDate m_day;
    QList<RecordAt> m_incomeRecords; // the records of the history's rows, row 1 first
};
