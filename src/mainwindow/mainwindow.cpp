#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "analysis/calendarpage.h"
#include "analysis/datalistpage.h"
#include "analysis/diarypage.h"
#include "analysis/reflectionpage.h"
#include "analysis/savingspage.h"
#include "analysis/searchpage.h"
#include "analysis/totalspage.h"
#include "analysis/trendpage.h"
#include "book/entrychecks.h"
#include "book/helptexts.h"
#include "income/incomepanel.h"
#include "income/unaccountedpanel.h"
#include "mainwindow/fixedoffer.h"
#include "mainwindow/mainpage.h"
#include "records/clock.h"
#include "records/recordfiles.h"
#include "settings/settingspage.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/helpwindow.h"
#include "ui/keyboard.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"
#include "ui/windowscale.h"

static void loadResources() {
    Q_INIT_RESOURCE(miltea);
}

MainWindow::MainWindow(QWidget *parent) : QWidget(parent) {
    loadResources(); // the icons and the help live in the static library
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(iconOf(QStringLiteral("app")));
    // The designed size is the smallest; a larger window shows the page larger.
    setMinimumSize(designSize());
    resize(designSize());
    m_bar = TopBar::build(this);

    m_main = new MainPage(m_session, this);
    m_income = new IncomePanel(m_session, m_main);
    m_unaccounted = new UnaccountedPanel(m_session, m_main);
    m_kakei = new TotalsPage(m_session, this);
    m_rentai = new TrendPage(m_session, this);
    m_cyokin = new SavingsPage(m_session, this);
    m_sim = new ReflectionPage(m_session, this);
    m_taijyu = new SearchPage(m_session, this);
    m_bunseki = new DataListPage(m_session, this);
    m_cale = new CalendarPage(m_session, this);
    m_memo = new DiaryPage(m_session, this);
    m_settei = new SettingsPage(m_session, this);
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
    connect(m_main, &MainPage::dayChanged, m_income, &IncomePanel::setDay);
    connect(m_main, &MainPage::dayChanged, m_unaccounted, &UnaccountedPanel::setDay);
    connect(m_main, &MainPage::dayChanged, m_kakei, &TotalsPage::setDay);
    // A month the calendar moves into offers what fell due since.
    connect(m_main, &MainPage::dayChanged, this, [this](QDate day) {
        const QDate month(day.year(), day.month(), 1);
        if (m_loading || m_offeredMonths.contains(month)) return;
        m_offeredMonths.insert(month);
        offerFixed();
    });
    connect(m_main, &MainPage::incomePanelAsked, m_income, &IncomePanel::cmdInp_Click);
    connect(m_main, &MainPage::unaccountedPanelAsked, m_unaccounted,
            &UnaccountedPanel::cmdFumei_Click);
    // After a save on a panel the day list and the month follow, in that order.
    const auto followSave = [this] {
        m_main->DSP_DAYLIST();
        m_main->DSP_MAIN();
        showUnreportedReadError();
    };
    connect(m_income, &IncomePanel::incomeSaved, this, followSave);
    connect(m_unaccounted, &UnaccountedPanel::paymentSaved, this, followSave);
    // A master file written by the edit page or by the free payee entry.
    connect(m_settei, &SettingsPage::mastersChanged, this, &MainWindow::READ_MASTER);
    connect(m_main, &MainPage::mastersChanged, this, &MainWindow::READ_MASTER);
    connect(m_settei, &SettingsPage::bookChanged, this, followSave);

    connect(m_settei, &SettingsPage::undoAsked, this, &MainWindow::undoChange);
    connect(m_settei, &SettingsPage::bookRestored, this, &MainWindow::showBookAsItIs);
    connect(m_settei, &SettingsPage::budgetsChanged, m_main, &MainPage::DSP_YOSAN);

    setUpKeyboard();
    qApp->installEventFilter(this);
    Form_Load();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget()) return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this) return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeyCombination k = key->keyCombination();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    if (k == QKeyCombination(ctrl, Qt::Key_Z)) {
        undoChange();
        return true;
    }
    if (k == QKeyCombination(ctrl, Qt::Key_Y) ||
        k == QKeyCombination(ctrl | Qt::ShiftModifier, Qt::Key_Z)) {
        redoChange();
        return true;
    }
    return false;
}

struct MainWindow::UndoTexts {
    QString title, nothing, question;
};

namespace {
const MainWindow::UndoTexts kUndo{QStringLiteral("元に戻す"),
                                  QStringLiteral("元に戻せる変更はありません。"),
                                  QStringLiteral("%1を取り消します。よろしいですか？")};
const MainWindow::UndoTexts kRedo{QStringLiteral("やり直す"),
                                  QStringLiteral("やり直せる変更はありません。"),
                                  QStringLiteral("%1をやり直します。よろしいですか？")};
} // namespace

void MainWindow::undoChange() {
    stepThroughHistory(kUndo, &History::nextUndo, &History::undoRefusal, &History::undo);
}

void MainWindow::redoChange() {
    stepThroughHistory(kRedo, &History::nextRedo, &History::redoRefusal, &History::redo);
}

void MainWindow::stepThroughHistory(const UndoTexts &texts,
                                    std::optional<QString> (History::*next)() const,
                                    FileResult (History::*refusal)(),
                                    FileResult (History::*step)()) {
    History *h = m_session.history();
    // The shipped sample book is never written, not even back.
    if (m_session.sampleMode) {
        const EntryCheck sample = checkPayment(true, {}, {}, {});
        return Dialogs::warning(this, sample.text, sample.title);
    }
    const std::optional<QString> what = h ? (h->*next)() : std::nullopt;
    if (!what) return Dialogs::information(this, texts.nothing, texts.title);
    if (const FileResult r = (h->*refusal)(); !r.ok())
        return Dialogs::warning(this, r.message, r.title);
    if (!Dialogs::confirm(this, texts.question.arg(*what), texts.title)) return;
    showFileError(this, (h->*step)());
    showBookAsItIs();
}

void MainWindow::offerFixed() {
    // The shipped sample book offers nothing: nothing may be saved in it.
    if (m_session.sampleMode || !offerFixedPayments(this, m_session, Clock::today())) return;
    m_session.bookChanged();
    m_main->DSP_DAYLIST();
    m_main->DSP_MAIN();
}

void MainWindow::showBookAsItIs() {
    m_session.bookChanged();
    // Only what the step wrote is read again: notes being typed stay unless
    // the notes file itself went back.
    const History *h = m_session.history();
    const auto wrote = [h](const QString &name) { return !h || h->lastStepFiles().contains(name); };
    if (wrote(bookfile::userName)) READ_PRIVATE();
    if (wrote(bookfile::payees) || wrote(bookfile::categories)) READ_MASTER();
    if (wrote(bookfile::notes)) m_memo->READ_KIZUKI();
    m_main->DSP_DAYLIST(); // with what is left of the budget
    m_main->DSP_MAIN();
    // So are the panels open beside it.
    if (!m_income->isHidden()) m_income->showIncomesAsTheyAre();
    if (!m_unaccounted->isHidden()) m_unaccounted->CALC_DZAN();
    // The page shown is filled again; the others are filled when opened.
    const auto reopen = [](auto *page) {
        if (!page->isHidden()) page->open();
    };
    reopen(m_kakei);
    reopen(m_rentai);
    reopen(m_cyokin);
    reopen(m_sim);
    reopen(m_taijyu);
    reopen(m_bunseki);
    reopen(m_cale);
    reopen(m_memo);
    reopen(m_settei);
    showUnreportedReadError();
}

void MainWindow::setUpKeyboard() {
    // The bar closes the Tab round, after the controls of the page shown.
    QWidget *last = previousInFocusChain();
    const QList<QToolButton *> bar = {
        m_bar.cmdMain,   m_bar.cmdKakei,   m_bar.cmdRentai, m_bar.cmdCyokin, m_bar.cmdSyoukai,
        m_bar.cmdTaijyu, m_bar.cmdBunseki, m_bar.cmdCale,   m_bar.cmdMemo,   m_bar.cmdSettei,
        m_bar.cmdHelp,   m_bar.cmdOwari,   m_bar.chkHelp};
    for (QToolButton *button : bar) {
        setTabOrder(last, button);
        last = button;
    }
    for (QWidget *frame : m_frames)
        keyboard::keepFocusWhileRedrawn(frame);
    const struct {
        const char *panel, *closer, *opener;
    } panels[] = {{"fraInpKIn", "cmdInpModori", "cmdInp"},
                  {"fraInpHumei", "cmdFumeiModori", "cmdFumei"},
                  {"fraNew", "cmdYame", "cmdNew1"}};
    for (const auto &p : panels) {
        auto *panel = findChild<QWidget *>(QLatin1String(p.panel));
        auto *closer = findChild<QAbstractButton *>(QLatin1String(p.closer));
        auto *opener = findChild<QWidget *>(QLatin1String(p.opener));
        if (!panel || !closer || !opener) continue;
        keyboard::focusFirstInputOnShow(panel);
        keyboard::closeOnEscape(panel, closer);
        keyboard::focusOpenerOnClose(panel, opener);
    }
    keyboard::nameControls(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::yieldToEvents() {
    QCoreApplication::processEvents();
}

void MainWindow::Form_Load() {
    yieldToEvents();
    setWindowState(Qt::WindowNoState);
    m_loading = true;
    // A change a crash cut short is put back before anything is shown.
    const QStringList putBack = m_session.openHistory();
    // A step left open put back at a later write: the pages show the book
    // as it now is once the handler that wrote has said why it stopped.
    if (History *h = m_session.history())
        h->putBackWhileRunning = [this] {
            QTimer::singleShot(0, this, &MainWindow::showBookAsItIs);
        };
    HIDE_FRAMES();
    m_main->showDay(Clock::today());
    m_sim->showDay(Clock::today());
    READ_PRIVATE();
    READ_MASTER();
    m_main->INIT_DAYLIST();
    m_memo->READ_KIZUKI();
    READ_SETTEI();
    m_main->DSP_DAYLIST();
    show();
    yieldToEvents();
    m_main->setVisible(true);
    m_bar.chkHelp->setChecked(m_session.helpTour);
    chkHelp_Click(); // as a set check box raises its click; it does nothing while loading
    m_session.sampleMode = m_session.isSampleBook();
    if (m_session.sampleMode) {
        m_main->showDay(kSampleDay);
        m_main->DSP_DAYLIST();
        Dialogs::information(
            this, QStringLiteral("サンプルとして2005年02月14日のデータを表示させています。"),
            QStringLiteral("サンプル表示"));
    }
    yieldToEvents();
    show();
    yieldToEvents();
    m_main->DSP_MAIN();
    m_main->finishLoad();
    keyboard::focusFirstInput(m_main);
    m_loading = false;
    showUnreportedReadError();
    if (!putBack.isEmpty())
        Dialogs::warning(this, putBack.join(u'\n'), QStringLiteral("保存の復旧"));
    // The first start of a day keeps a copy of the whole book; one that could
    // not be made is said, and tried again at the next start.
    if (!m_session.sampleMode)
        if (const FileResult r = m_session.history()->takeDailySnapshot(Clock::today()); !r.ok())
            Dialogs::warning(
                this, QStringLiteral("今日のバックアップを作れませんでした。\n\n") + r.message,
                QStringLiteral("バックアップ"));
    const QDate shown = m_main->mtvmain->value();
    m_offeredMonths.insert(QDate(shown.year(), shown.month(), 1));
    offerFixed();
    m_helpText = helptext::introduction();
    DSP_HELP();
}

void MainWindow::showUnreportedReadError() {
    // Once per event: the first file the event could not read.
    showFileError(this, m_session.takeReadError());
    if (History *h = m_session.history()) showFileError(this, h->takeWarning());
}

void MainWindow::HIDE_FRAMES() {
    // The pages that list every record let their rows go when they are left,
    // so that a book of decades is held in one listing at a time.
    const auto leave = [](auto *page) {
        if (page->isHidden()) return false;
        page->leave();
        return true;
    };
    const bool left = leave(m_kakei) | leave(m_rentai) | leave(m_taijyu) | leave(m_bunseki) |
                      leave(m_cale) | leave(m_memo);
    for (QWidget *frame : m_frames)
        frame->setVisible(false);
#ifdef __GLIBC__
    // What they let go lies between blocks still in use, where the allocator
    // keeps it resident for the next page; given back, the peak is one
    // listing's, not the sum of every page's. A fraction of a millisecond.
    if (left) malloc_trim(0);
#else
    Q_UNUSED(left);
#endif
}

void MainWindow::READ_MASTER() {
    const QStringList payees = m_session.master(bookfile::payees);
    const QStringList categories = m_session.master(bookfile::categories);
    m_main->setMasters(payees, categories);
    m_taijyu->setMasters(payees, categories);
    m_kakei->setMasters(payees, categories);
    m_settei->setMasters(payees, categories);
}

void MainWindow::READ_PRIVATE() {
    FileResult error;
    m_session.userName = readUserName(m_session.book, &error);
    m_session.noteReadError(error);
    setWindowTitle(startupTitle(m_session.userName));
}

void MainWindow::READ_SETTEI() {
    FileResult error;
    m_session.helpTour = readHelpFlag(m_session.book, &error) == 1;
    m_session.noteReadError(error);
}

void MainWindow::DSP_HELP() {
    if (m_session.helpTour) Dialogs::information(this, m_helpText, QStringLiteral("ヘルプツアー"));
}

template <typename Page> void MainWindow::switchPage(Page *page, const QString &helpText) {
    if (!page->isHidden()) return;
    HIDE_FRAMES();
    page->open();
    page->setVisible(true);
    keyboard::focusOpenedPage(page);
    yieldToEvents();
    showUnreportedReadError();
    m_helpText = helpText;
    DSP_HELP();
}

void MainWindow::cmdMain_Click() {
    if (!m_main->isHidden()) return;
    HIDE_FRAMES();
    m_main->setVisible(true);
    keyboard::focusOpenedPage(m_main);
    yieldToEvents();
    m_main->DSP_DAYLIST();
    showUnreportedReadError();
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
    switchPage(m_settei, helptext::settei());
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

QSize MainWindow::designSize() {
    return {twipsToPx(11880), twipsToPx(8475)};
}

void MainWindow::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    fitToWindow(this, designSize());
}

void MainWindow::chkHelp_Click() {
    if (m_loading) return;
    if (m_bar.chkHelp->isChecked()) {
        Dialogs::information(this, QStringLiteral("ヘルプツアー機能をオンにします。"),
                             QStringLiteral("ヘルプツアーＯＮ"));
        m_session.helpTour = true;
    } else {
        Dialogs::information(this, QStringLiteral("ヘルプツアー機能をオフにします。"),
                             QStringLiteral("ヘルプツアーＯＦＦ"));
        m_session.helpTour = false;
    }
    showFileError(this, writeHelpFlag(m_session.book, m_session.helpTour ? 1 : 0));
}
