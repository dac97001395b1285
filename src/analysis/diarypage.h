#pragma once
#include <QWidget>

#include "book/booksession.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Grid;

// The one-line diary per record and the free awareness notes (fraMemo).
class DiaryPage : public QWidget {
    Q_OBJECT
public:
    DiaryPage(BookSession &session, QWidget *parent);

    // Fills the page as its button opens it.
    void open();

    void READ_KIZUKI();
    void cmdKizukiHozon_Click();

    Grid *msgMemoList;
    QLineEdit *txtMemo;
    QPushButton *cmdMemoHozon;
    QPlainTextEdit *txtKizuki;
    QPushButton *cmdKizukiHozon;

private:
    BookSession &m_session;
};
