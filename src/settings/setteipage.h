#pragma once
#include <QWidget>

#include "mainwindow/formstate.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class ListBox;

// Editing the master lists, the user name, and a new start (fraSettei).
class SetteiPage : public QWidget {
    Q_OBJECT
public:
    SetteiPage(FormState &state, QWidget *parent);

    // Fills the page as it opens.
    void fill();
    void cmdPHozon1_Click();

    ListBox *lstKoumoku;
    QPushButton *cmdNew2, *cmdDel, *cmdDel2, *cmdSort;
    QLineEdit *txtChg;
    QPushButton *cmdChg;
    ListBox *lstKoumoku2;
    QPushButton *cmdNew3, *cmdDel3, *cmdDel4, *cmdSort10;
    QLineEdit *txtChg2;
    QPushButton *cmdChg2;
    QLineEdit *txtPriData;
    QPushButton *cmdPHozon1;
    QPushButton *cmdNew1;
    QGroupBox *fraNew;
    QComboBox *cboSt_Date;
    QLineEdit *txtNowJyou;
    QLineEdit *txtPriData1;
    QPushButton *cmdStHozon;
    QPushButton *cmdYame;

private:
    void buildMasters();
    void buildPrivate();
    void buildNewStart();

    FormState &m_state;
};

// The window title for a user name, at start-up and after the name is changed.
QString startupTitle(const QString &name);
QString renamedTitle(const QString &name);
