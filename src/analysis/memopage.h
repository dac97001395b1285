#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Grid;

// The one-line diary per record and the free awareness notes (fraMemo).
class MemoPage : public QWidget {
    Q_OBJECT
public:
    MemoPage(FormState &state, QWidget *parent);

    void READ_KIZUKI();
    void cmdKizukiHozon_Click();

    Grid *msgMemoList;
    QLineEdit *txtMemo;
    QPushButton *cmdMemoHozon;
    QPlainTextEdit *txtKizuki;
    QPushButton *cmdKizukiHozon;

private:
    FormState &m_state;
};
