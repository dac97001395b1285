#pragma once
#include <QWidget>
#include <memory>

#include "book/booksession.h"

class Diary;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Grid;

// The one-line diary per record and the free awareness notes (fraMemo). A
// comment is stored into the row picked on this visit, which rewrites
// データ.txt from the rows read at the opening.
class DiaryPage : public QWidget {
    Q_OBJECT
public:
    DiaryPage(BookSession &session, QWidget *parent);

    // Opening from another page: the list read again, the save button off
    // until a row is picked; the comment box keeps its text.
    void open();
    // Left for another page: the list lets its rows go (open() lists anew).
    void leave();
    void READ_KIZUKI();

    // What follows is the page's own: its controls, handlers and procedures.
private:
    void INIT_MEMOLIST();
    void DSP_MEMOLIST();
    void msgMemoList_Click();
    void cmdMemoHozon_Click();
    // Enter stores exactly when the save button is enabled.
    void txtMemo_KeyPress(int key); // a Qt key

    void cmdKizukiHozon_Click();

    Grid *msgMemoList;
    QLineEdit *txtMemo;
    QPushButton *cmdMemoHozon;
    QPlainTextEdit *txtKizuki;
    QPushButton *cmdKizukiHozon;

private:
    BookSession &m_session;
    std::shared_ptr<Diary> m_diary;
    int MemoRow = 0; // the grid row last picked
};
