#pragma once
#include <QWidget>
#include <functional>

#include "mainwindow/formstate.h"
#include "mainwindow/topbar.h"

class BunsekiPage;
class CalePage;
class CyokinPage;
class HelpWindow;
class IncomePanel;
class KakeiPage;
class MainPage;
class MemoPage;
class RentaiPage;
class SetteiPage;
class SimPage;
class TaijyuPage;
class UnaccountedPanel;

// The main window frmMain: the page buttons over ten pages of equal size, one
// shown at a time. Constructing it runs the load sequence on the book in the
// current directory.
//
// How the parts meet: every page receives the one FormState (the book folder
// and the few values that outlive an event). A handler reads the record files
// it needs through records/recordfiles.h, hands the records to a plain
// computation (mainwindow/daylist.h, mainwindow/monthsummary.h, ...) and shows
// what comes back through the ui/ adapter (Grid, Chart, MonthCalendar,
// Dialogs). Writers refuse text a file cannot hold and report it as a
// FileResult, which the handler shows in a message box.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    FormState &state() { return m_state; }

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

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void Form_Load();
    // The common road of a page button: nothing when the page is already
    // shown; else hide all pages, fill this one, show it and explain it.
    void switchPage(QWidget *page, const QString &helpText, const std::function<void()> &fill = {});
    static void yieldToEvents();

    FormState m_state;
    TopBar m_bar;
    MainPage *m_main;
    IncomePanel *m_income;
    UnaccountedPanel *m_unaccounted;
    KakeiPage *m_kakei;
    RentaiPage *m_rentai;
    CyokinPage *m_cyokin;
    SimPage *m_sim;
    TaijyuPage *m_taijyu;
    BunsekiPage *m_bunseki;
    CalePage *m_cale;
    MemoPage *m_memo;
    SetteiPage *m_settei;
    QList<QWidget *> m_frames; // in the order HIDE_FRAMES hides them
    HelpWindow *m_help = nullptr;
};
