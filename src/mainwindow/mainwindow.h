#pragma once
#include <QSet>
#include <QWidget>

#include "book/booksession.h"
#include "mainwindow/topbar.h"

class DataListPage;
class CalendarPage;
class SavingsPage;
class HelpWindow;
class IncomePanel;
class TotalsPage;
class MainPage;
class DiaryPage;
class TrendPage;
class SettingsPage;
class ReflectionPage;
class SearchPage;
class UnaccountedPanel;

// The main window frmMain: the page buttons over ten pages of equal size, one
// shown at a time. Constructing it runs the load sequence on the book in the
// current directory.
//
// How the parts meet: every page receives the one BookSession (the book folder
// and the few values that outlive an event). A handler reads the record files
// it needs through records/recordfiles.h, hands the records to a plain
// computation (book/daylist.h, book/monthsummary.h, ...) and shows
// what comes back through the ui/ adapter (Grid, Chart, MonthCalendar,
// Dialogs). Writers refuse text a file cannot hold and report it as a
// FileResult, which the handler shows in a message box.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const BookSession &session() const { return m_session; }
    // The size the page is designed at: the window's smallest, and its scale 1.
    static QSize designSize();

    void HIDE_FRAMES();
    void READ_MASTER();
    void READ_PRIVATE();
    void READ_SETTEI();
    void DSP_HELP();

    void cmdMain_Click();
    void cmdKakei_Click();
    void cmdRentai_Click();
    void cmdCyokin_Click();
    void cmdSyoukai_Click();
    void cmdTaijyu_Click();
    void cmdBunseki_Click();
    void cmdCale_Click();
    void cmdMemo_Click();
    void cmdSettei_Click();
    void cmdHelp_Click();
    void cmdOwari_Click();
    void chkHelp_Click();

    // Ctrl+Z and Ctrl+Y: asks, then undoes or redoes the newest change.
    void undoChange();
    void redoChange();
    // Every page shows the book as the files now hold it.
    void showBookAsItIs();
    // The fixed payments due this month, offered once they are due.
    void offerFixed();
    struct UndoTexts;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    // Ctrl+Z / Ctrl+Y reach the book from any control of the window, text
    // boxes included, while no dialog is open.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // Tab order, focus on opening, Escape on the panels, names for screen readers.
    void setUpKeyboard();
    // The common road of a page button: nothing when the page is already
    // shown; else hide all pages, open (fill) this one, show it and explain it.
    template <typename Page> void switchPage(Page *page, const QString &helpText);
    static void yieldToEvents();
    // Asks, then takes one step back (undo) or forward (redo) in the history.
    void stepThroughHistory(const UndoTexts &texts, std::optional<QString> (History::*next)() const,
                            FileResult (History::*refusal)(), FileResult (History::*step)());
    // A file the figures just shown could not be read from says so once.
    void showUnreportedReadError();

    BookSession m_session;
    bool m_loading = false; // start-up runs: check box handlers stay quiet
    // The calendar months that offered the fixed payments due: each once a session.
    QSet<QDate> m_offeredMonths;
    QString m_helpText; // what the help tour explains next
    TopBar m_bar;
    MainPage *m_main;
    IncomePanel *m_income;
    UnaccountedPanel *m_unaccounted;
    TotalsPage *m_kakei;
    TrendPage *m_rentai;
    SavingsPage *m_cyokin;
    ReflectionPage *m_sim;
    SearchPage *m_taijyu;
    DataListPage *m_bunseki;
    CalendarPage *m_cale;
    DiaryPage *m_memo;
    SettingsPage *m_settei;
    QList<QWidget *> m_frames; // in the order HIDE_FRAMES hides them
    HelpWindow *m_help = nullptr;
};
