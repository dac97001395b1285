#pragma once
#include <QStringList>
#include <QWidget>

#include "book/booksession.h"
#include "records/recordfiles.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class ListBox;
class NewStartPanel;

// Editing the master lists, renaming across the book, the user name, and the
// button that opens the new-start panel (fraSettei).
//
// The edit lists lstKoumoku / lstKoumoku2 are this page's own: an unsaved
// reordering lives only there. Every master file this page writes is then
// announced with mastersChanged(), for the window to reload the other lists
// from the files; a rename also changes the payments (bookChanged()).
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(BookSession &session, QWidget *parent);

    // Fills the page as it opens.
    void open();
    // The masters as read. The edit lists keep their own order and selection
    // when the files changed by this page's add, delete or save-order.
    void setMasters(const QStringList &payees, const QStringList &categories);

    void cmdPHozon1_Click();
    void cmdNew2_Click();
    void cmdNew3_Click();
    void cmdDel_Click();
    void cmdDel3_Click();
    void cmdDel2_Click();
    void cmdDel4_Click();
    void lstKoumoku_Click();
    void lstKoumoku2_Click();
    void lstKoumoku_MouseDown();
    void lstKoumoku2_MouseDown();
    void lstKoumoku_MouseUp();
    void lstKoumoku2_MouseUp();
    void cmdSort_Click();
    void cmdSort10_Click();
    void cmdChg_Click();
    void cmdChg2_Click();
    void cmdNew1_Click();
    // The history of changes: the newest undone, a day's copy brought back.
    void cmdModosu_Click();
    void cmdFukugen_Click();
    // Budgets: a category's monthly budget registered, removed or picked.
    void cmdYosan_Click();
    void cmdYosanDel_Click();
    void lstYosan_Click();
    // The fixed monthly payments, edited in their own dialog.
    void cmdKotei_Click();

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
    NewStartPanel *fraNew;
    ListBox *lstRireki;
    QPushButton *cmdModosu;
    QComboBox *cboBackup;
    QPushButton *cmdFukugen;
    QComboBox *cboYosanJanru;
    QLineEdit *txtYosan;
    QPushButton *cmdYosan, *cmdYosanDel;
    ListBox *lstYosan;
    QPushButton *cmdKotei;

signals:
    // A master file changed: the window reloads every list of the masters.
    void mastersChanged();
    // データ.txt changed: the window refreshes the day list and the month.
    void bookChanged();
    // The newest change is to be undone, as Ctrl+Z does.
    void undoAsked();
    // A day's copy of the book was brought back: every page shows it.
    void bookRestored();
    // 予算.txt changed: the main page shows what is left anew.
    void budgetsChanged();

private:
    // What differs between the payee master and the category master.
    struct Master {
        PaymentField field;
        QString file;
        ListBox *list;
        QPushButton *sort, *del, *rename;
        QLineEdit *renameText;
        const char16_t *addPrompt, *addTitle, *deleteAllQuestion, *deleteAllDone, *sortDone;
        // The list's order differs from the file's, by the user (a state of
        // the list, kept with it).
        mutable bool orderUnsaved = false;
    };
    void buildHistory();
    void buildBudgets();
    // The budgets as the file holds them.
    void showBudgets();
    void saveBudgets(const QList<Budget> &budgets, const QString &description);
    // The shipped sample book is never written: says so, and true.
    bool refusedInSample();
    // The history list and the days of the kept copies, as they now are.
    void showHistory();
    static QString masterLabel(const Master &m);

    void buildMasters();
    void buildPrivate();
    void buildNewStart();
    void connectHandlers();

    void addName(const Master &m);
    void deleteSelected(const Master &m);
    void deleteAll(const Master &m);
    void enableSelectionButtons(const Master &m);
    void dragStart(const Master &m);
    void dragEnd(const Master &m);
    void moveByKey(const Master &m, int step);
    void saveOrder(const Master &m);
    void rename(const Master &m);
    // Tells the window the master file changed; the edit lists stay as shown.
    void announceMasterWrite();
    QStringList listedNames(const Master &m) const;
    // Shows a refused write of a master and reloads the lists; false when it went through.
    bool masterWriteFailed(const FileResult &r);
    // The edit list shows the master's names in the file's order.
    void fillEditList(const Master &m, const QStringList &names);
    void showOrderUnsaved(const Master &m, bool unsaved);

    BookSession &m_session;
    Master m_payees{};
    Master m_categories{};
    qint16 DragIndex = -1; // the edit-list item pressed
    QString DragText;
    bool m_keepEditLists = false; // while the window reloads after this page's own write
};

// The window title for a user name, at start-up and after the name is changed.
QString startupTitle(const QString &name);
QString renamedTitle(const QString &name);
