#pragma once
#include <QGroupBox>

#include "book/booksession.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// The new-start panel fraNew over the lower part of the edit page: a fresh
// book from a start date and the cash in hand. Registering keeps the old
// book in a folder of its own, writes the new one and ends the program.
// Page switches leave it open; only cmdYame closes it.
class NewStartPanel : public QGroupBox {
    Q_OBJECT
public:
    NewStartPanel(BookSession &session, QWidget *parent);

    // What cmdNew1 does: the date list, today's date and an empty name.
    void open();
    void cmdYame_Click();
    void txtPriData1_KeyPress(int key);
    void txtNowJyou_KeyPress(int key);
    void cmdStHozon_Click();

    QComboBox *cboSt_Date;
    QLineEdit *txtNowJyou;
    QLineEdit *txtPriData1;
    QPushButton *cmdStHozon;
    QPushButton *cmdYame;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildInstructions();

    BookSession &m_session;
};
