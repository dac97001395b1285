#pragma once
#include <QStringList>
#include <QWidget>

#include "book/booksession.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class ListBox;

// Editing the master lists, the user name, and a new start (fraSettei).
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(BookSession &session, QWidget *parent);

    // Fills the page as it opens.
    void open();
    // The masters as read, into this page's lists.
    void setMasters(const QStringList &payees, const QStringList &categories);
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

    BookSession &m_session;
};

// The window title for a user name, at start-up and after the name is changed.
QString startupTitle(const QString &name);
QString renamedTitle(const QString &name);
