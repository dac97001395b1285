#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "analysis/bunsekipage.h"
#include "analysis/calepage.h"
#include "analysis/cyokinpage.h"
#include "analysis/kakeipage.h"
#include "analysis/memopage.h"
#include "analysis/rentaipage.h"
#include "analysis/simpage.h"
#include "analysis/taijyupage.h"
#include "income/incomepanel.h"
#include "income/unaccountedpanel.h"
#include "mainwindow/helptexts.h"
#include "mainwindow/mainpage.h"
#include "records/clock.h"
#include "records/recordfiles.h"
#include "settings/setteipage.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/helpwindow.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"

static void loadResources() {
    Q_INIT_RESOURCE(miltea);
}

MainWindow::MainWindow(QWidget *parent) : QWidget(parent) {
    loadResources(); // the icons and the help live in the static library
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(iconOf(QStringLiteral("app")));
    setFixedSize(twipsToPx(11880), twipsToPx(8475));
    m_bar = TopBar::build(this);

    m_main = new MainPage(m_state, this);
    m_income = new IncomePanel(m_state, m_main->mtvmain, m_main);
    m_unaccounted = new UnaccountedPanel(m_state, m_main->mtvmain, m_main);
    m_kakei = new KakeiPage(m_state, this);
    m_rentai = new RentaiPage(m_state, this);
    m_cyokin = new CyokinPage(m_state, this);
    m_sim = new SimPage(m_state, this);
    m_taijyu = new TaijyuPage(m_state, this);
    m_bunseki = new BunsekiPage(m_state, this);
    m_cale = new CalePage(m_state, this);
    m_memo = new MemoPage(m_state, this);
    m_settei = new SetteiPage(m_state, this);
    m_frames = {m_taijyu, m_bunseki, m_rentai, m_main, m_settei,
                m_cale,   m_memo,    m_kakei,  m_sim,  m_cyokin};
    for (QWidget *frame : m_frames)
        placeTw(frame, 75, 850, 11745, 7545);

    const std::pair<QToolButton *, void (MainWindow::*)()> handlers[] = {
        {m_bar.cmdMain, &MainWindow::cmdMain_Click},
        {m_bar.cmdKakei, &MainWindow::cmdKakei_Click},
        {m_bar.cmdRentai, &MainWindow::cmdRentai_Click},
        {m_bar.cmdCyokin, &MainWindow::cmdCyokin_Click},
        {m_bar.cmdSyoukai, &MainWindow::cmdSyoukai_Click},
        {m_bar.cmdTaijyu, &MainWindow::cmdTaijyu_Click},
        {m_bar.cmdBunseki, &MainWindow::cmdBunseki_Click},
        {m_bar.cmdCale, &MainWindow::cmdCale_Click},
        {m_bar.cmdMemo, &MainWindow::cmdMemo_Click},
        {m_bar.cmdSettei, &MainWindow::cmdSettei_Click},
        {m_bar.cmdHelp, &MainWindow::cmdHelp_Click},
        {m_bar.cmdOwari, &MainWindow::cmdOwari_Click},
        {m_bar.chkHelp, &MainWindow::chkHelp_Click},
    };
    for (const auto &[button, handler] : handlers)
        connect(button, &QAbstractButton::clicked, this, handler);
    connect(m_main, &MainPage::dayClicked, m_income->txtInpHizuke, &QLineEdit::setText);
    connect(m_main->cmdInp, &QPushButton::clicked, m_income, &IncomePanel::cmdInp_Click);
    connect(m_main->cmdFumei, &QPushButton::clicked, m_unaccounted,
            &UnaccountedPanel::cmdFumei_Click);
    // After a save on a panel the day list and the month follow, in that order.
    const auto followSave = [this] {
        m_main->DSP_DAYLIST();
        m_main->DSP_MAIN();
    };
    connect(m_income, &IncomePanel::incomeSaved, this, followSave);
    connect(m_unaccounted, &UnaccountedPanel::paymentSaved, this, followSave);

    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::yieldToEvents() {
    QCoreApplication::processEvents();
}

void MainWindow::Form_Load() {
    m_state.HelpFile = QStringLiteral("MilteaHelp.chm");
    yieldToEvents();
    setWindowState(Qt::WindowNoState);
    m_state.Loading = true;
    HIDE_FRAMES();
    m_main->mtvmain->setValue(Clock::today());
    m_sim->mtvSim->setValue(Clock::today());
    READ_PRIVATE();
    READ_MASTER();
    m_main->INIT_DAYLIST();
    m_memo->READ_KIZUKI();
    READ_SETTEI();
    m_main->DSP_DAYLIST();
    show();
    yieldToEvents();
    m_main->setVisible(true);
    m_bar.chkHelp->setChecked(m_state.helpFlag == 1);
    chkHelp_Click(); // as a set check box raises its click; it does nothing while loading
    m_state.SampleMode =
        m_state.FirstPayDate == QStringLiteral("2005/01/02") && m_state.userName == kSampleUserName;
    if (m_state.SampleMode) {
        m_main->mtvmain->setValue(QDate(2005, 2, 14));
        m_main->DSP_DAYLIST();
        Dialogs::information(
            this, QStringLiteral("サンプルとして2005年02月14日のデータを表示させています。"),
            QStringLiteral("サンプル表示"));
    }
    yieldToEvents();
    show();
    yieldToEvents();
    m_main->DSP_MAIN();
    m_main->mcrMain->setSeriesVisible(2, false); // the pace line waits for chkKijun
    m_state.Loading = false;
    m_state.HelpText = helptext::introduction();
    DSP_HELP();
    m_main->cmdTaiHozon->setEnabled(false);
}

void MainWindow::HIDE_FRAMES() {
    for (QWidget *frame : m_frames)
        frame->setVisible(false);
}

void MainWindow::READ_MASTER() {
    ListBox *payeeLists[] = {m_main->lstMise, m_taijyu->lstMise2, m_settei->lstKoumoku};
    ListBox *categoryLists[] = {m_taijyu->lstJanru2, m_settei->lstKoumoku2};
    m_main->lstMise->clear();
    m_taijyu->lstMise2->clear();
    m_settei->lstKoumoku->clear();
    m_main->cboJanru->clear();
    m_taijyu->lstJanru2->clear();
    m_settei->lstKoumoku2->clear();
    const QStringList payees = readMaster(m_state.book, bookfile::payees);
    for (ListBox *list : payeeLists)
        list->addItems(payees);
    const QStringList categories = readMaster(m_state.book, bookfile::categories);
    m_main->cboJanru->addItems(categories);
    m_main->cboJanru->setEditText(QString()); // the list fills; the category stays to be chosen
    for (ListBox *list : categoryLists)
        list->addItems(categories);
}

void MainWindow::READ_PRIVATE() {
    m_state.userName = readUserName(m_state.book);
    setWindowTitle(startupTitle(m_state.userName));
}

void MainWindow::READ_SETTEI() {
    m_state.helpFlag = readHelpFlag(m_state.book);
}

void MainWindow::DSP_HELP() {
    if (m_state.helpFlag != 0)
        Dialogs::information(this, m_state.HelpText, QStringLiteral("ヘルプツアー"));
}

void MainWindow::switchPage(QWidget *page, const QString &helpText,
                            const std::function<void()> &fill) {
    if (!page->isHidden()) return;
    HIDE_FRAMES();
    if (fill) fill();
    page->setVisible(true);
    yieldToEvents();
    m_state.HelpText = helpText;
    DSP_HELP();
}

void MainWindow::cmdMain_Click() {
    if (!m_main->isHidden()) return;
    HIDE_FRAMES();
    m_main->setVisible(true);
    yieldToEvents();
    m_main->DSP_DAYLIST();
}

void MainWindow::cmdKakei_Click() {
    switchPage(m_kakei, helptext::kakei());
}
void MainWindow::cmdRentai_Click() {
    switchPage(m_rentai, helptext::rentai());
}
void MainWindow::cmdCyokin_Click() {
    switchPage(m_cyokin, helptext::cyokin());
}
void MainWindow::cmdSyoukai_Click() {
    switchPage(m_sim, helptext::syoukai());
}
void MainWindow::cmdTaijyu_Click() {
    switchPage(m_taijyu, helptext::taijyu());
}
void MainWindow::cmdBunseki_Click() {
    switchPage(m_bunseki, helptext::bunseki());
}
void MainWindow::cmdCale_Click() {
    switchPage(m_cale, helptext::cale());
}
void MainWindow::cmdMemo_Click() {
    switchPage(m_memo, helptext::memo());
}
void MainWindow::cmdSettei_Click() {
    switchPage(m_settei, helptext::settei(), [this] { m_settei->fill(); });
}

void MainWindow::cmdHelp_Click() {
    if (!m_help) m_help = new HelpWindow(this);
    m_help->showTopic();
}

void MainWindow::cmdOwari_Click() {
    close();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *e) {
    if (m_help) m_help->close();
    QWidget::closeEvent(e);
}

void MainWindow::chkHelp_Click() {
    if (m_state.Loading) return;
    if (m_bar.chkHelp->isChecked()) {
        Dialogs::information(this, QStringLiteral("ヘルプツアー機能をオンにします。"),
                             QStringLiteral("ヘルプツアーＯＮ"));
        m_state.helpFlag = 1;
    } else {
        Dialogs::information(this, QStringLiteral("ヘルプツアー機能をオフにします。"),
                             QStringLiteral("ヘルプツアーＯＦＦ"));
        m_state.helpFlag = 0;
    }
    const FileResult r = writeHelpFlag(m_state.book, m_state.helpFlag);
    if (!r.ok()) Dialogs::warning(this, r.message, r.title);
}
