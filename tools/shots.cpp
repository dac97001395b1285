// Developer tool: opens the window offscreen on a book folder and writes one
// PNG per page. Usage: [MILTEA_SHOTS_SIZE=WxH] miltea-shots BOOK_DIR OUT_DIR [yyyy-mm-dd]
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "income/incomepanel.h"
#include "mainwindow/mainpage.h"
#include "mainwindow/mainwindow.h"
#include "records/clock.h"
#include "ui/helpwindow.h"
#include "ui/listbox.h"

namespace {
// Message boxes (help tour, sample mode) are answered at once; the fixed
// payments offered are pictured and skipped for the month.
void answerBoxesForever(const QString &out) {
    QTimer *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, [out] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) box->accept();
        if (modal && modal->objectName() == QStringLiteral("frmKotei")) {
            modal->grab().save(out + QStringLiteral("/dialog-fixed-offer.png"));
            modal->findChild<QAbstractButton *>(QStringLiteral("cmdKoteiSkip"))->click();
        }
    });
    timer->start(20);
}

// Pictures the modal dialog of this name once it is the one open (a timer
// set for one dialog must not picture another), then closes it.
void grabModalWhenOpen(const QString &name, const QString &file, int triesLeft = 100) {
    QTimer::singleShot(50, qApp, [name, file, triesLeft] {
        QWidget *dlg = QApplication::activeModalWidget();
        if (!dlg || dlg->objectName() != name) {
            if (triesLeft > 0) grabModalWhenOpen(name, file, triesLeft - 1);
            return;
        }
        dlg->grab().save(file);
        qInfo("%s", qPrintable(file));
        if (auto *cancel = dlg->findChild<QAbstractButton *>(QStringLiteral("cmdCancel")))
            cancel->click();
        else
            dlg->close();
    });
}

void settleEvents() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// The edit page after the last payee was dragged onto the first, its order not
// saved yet (the save button pink), and the new-start panel filled in.
void shootSettings(QWidget &window, const QString &out) {
    window.findChild<QAbstractButton *>(QStringLiteral("cmdSettei"))->click();
    settleEvents();
    auto *list = window.findChild<ListBox *>(QStringLiteral("lstKoumoku"));
    if (list && list->count() > 1) {
        QWidget *view = list->viewport();
        const auto centre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };
        const auto send = [&](QEvent::Type type, int row, Qt::MouseButton button,
                              Qt::MouseButtons held) {
            QMouseEvent e(type, centre(row), view->mapToGlobal(centre(row)), button, held,
                          Qt::NoModifier);
            QApplication::sendEvent(view, &e);
        };
        const int last = list->count() - 1;
        send(QEvent::MouseButtonPress, last, Qt::LeftButton, Qt::LeftButton);
        for (int row = last; row >= 0; --row)
            send(QEvent::MouseMove, row, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, 0, Qt::LeftButton, Qt::NoButton);
        settleEvents();
    }
    window.grab().save(out + QStringLiteral("/settei-dragged.png"));
    grabModalWhenOpen(QStringLiteral("frmKoteiEdit"),
                      out + QStringLiteral("/dialog-fixed-edit.png"));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdKotei"))->click();
    window.findChild<QAbstractButton *>(QStringLiteral("cmdNew1"))->click();
    window.findChild<QLineEdit *>(QStringLiteral("txtNowJyou"))->setText(QStringLiteral("50,000"));
    window.findChild<QLineEdit *>(QStringLiteral("txtPriData1"))->setText(QStringLiteral("はなこ"));
    settleEvents();
    window.grab().save(out + QStringLiteral("/panel-newstart-filled.png"));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdYame"))->click();
    settleEvents();
}
// With a 予算.txt in the book: the main page with a budget's label shown,
// one passed if any is, and the budget view of the totals page.
void shootBudgets(QWidget &window, const QString &out) {
    auto *label = window.findChild<QLabel *>(QStringLiteral("lblYosan"));
    auto *combo = window.findChild<QComboBox *>(QStringLiteral("cboJanru"));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdMain"))->click();
    settleEvents();
    bool shown = false, passed = false;
    for (int i = 0; i < combo->count() && !(shown && passed); ++i) {
        combo->setEditText(combo->itemText(i));
        settleEvents();
        if (!label->isVisible()) continue;
        const bool over = label->text().startsWith(QStringLiteral("予算超過"));
        if (over ? passed : shown) continue;
        (over ? passed : shown) = true;
        window.grab().save(out + (over ? QStringLiteral("/main-budget-passed.png")
                                       : QStringLiteral("/main-budget.png")));
    }
    combo->setEditText(QString());
    window.findChild<QAbstractButton *>(QStringLiteral("cmdKakei"))->click();
    settleEvents();
    if (auto *view = window.findChild<QAbstractButton *>(QStringLiteral("optList2_2"))) {
        view->click();
        settleEvents();
        window.grab().save(out + QStringLiteral("/cmdKakei-budget.png"));
    }
}
} // namespace

int main(int argc, char *argv[]) {
    // Offscreen unless told otherwise (xcb under Xvfb pictures a real window).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
    QApplication::setFont(font);
    if (argc < 3) {
        qWarning("usage: [MILTEA_SHOTS_SIZE=WxH] miltea-shots BOOK_DIR OUT_DIR [yyyy-mm-dd]");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    if (argc > 3) Clock::setToday(QDate::fromString(QString::fromLocal8Bit(argv[3]), Qt::ISODate));
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    answerBoxesForever(out);

    MainWindow window;
    // MILTEA_SHOTS_SIZE=1920x1080 pictures the grown window (as maximised on
    // such a screen, from its top left corner).
    const QStringList size = qEnvironmentVariable("MILTEA_SHOTS_SIZE").split(u'x');
    if (size.size() == 2) {
        window.setGeometry(0, 0, size[0].toInt(), size[1].toInt());
        settleEvents();
    }
    const char *pages[] = {"cmdMain",   "cmdKakei",   "cmdRentai", "cmdCyokin", "cmdSyoukai",
                           "cmdTaijyu", "cmdBunseki", "cmdCale",   "cmdMemo",   "cmdSettei"};
    for (const char *page : pages) {
        auto *button = window.findChild<QToolButton *>(QString::fromLatin1(page));
        if (!button) continue;
        button->click();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        const QString file = QStringLiteral("%1/%2.png").arg(out, QString::fromLatin1(page));
        window.grab().save(file);
        qInfo("%s", qPrintable(file));
    }
    // The panels that lie over their pages.
    const struct {
        const char *page, *opener, *file, *closer;
    } panels[] = {{"cmdMain", "cmdInp", "panel-income", "cmdInpModori"},
                  {"cmdMain", "cmdFumei", "panel-unaccounted", "cmdFumeiModori"},
                  {"cmdSettei", "cmdNew1", "panel-newstart", "cmdYame"},
                  {"cmdRentai", "optList1_1", "cmdRentai-list", "optList1_0"}};
    for (const auto &p : panels) {
        for (const char *name : {p.page, p.opener}) {
            if (auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(name)))
                button->click();
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents();
        }
        const QString file = QStringLiteral("%1/%2.png").arg(out, QString::fromLatin1(p.file));
        window.grab().save(file);
        qInfo("%s", qPrintable(file));
        if (auto *button = window.findChild<QAbstractButton *>(QString::fromLatin1(p.closer)))
            button->click();
    }
    shootBudgets(window, out);
    shootSettings(window, out);
    // The program's own help window.
    if (auto *help = window.findChild<QAbstractButton *>(QStringLiteral("cmdHelp"))) {
        help->click();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        if (auto *helpWindow = window.findChild<HelpWindow *>()) {
            helpWindow->grab().save(out + QStringLiteral("/help.png"));
            helpWindow->close();
        }
    }
    // A payment entered by hand: the first payee, 1,500 yen, on the day shown.
    window.findChild<QAbstractButton *>(QStringLiteral("cmdMain"))->click();
    if (auto *payees = window.findChild<ListBox *>(QStringLiteral("lstMise"));
        payees && payees->count()) {
        payees->clickRow(0);
        if (auto *combo = window.findChild<QComboBox *>(QStringLiteral("cboJanru"));
            combo && combo->currentText().isEmpty())
            combo->setEditText(QStringLiteral("食費"));
        window.findChild<QLineEdit *>(QStringLiteral("txtOutInp"))
            ->setText(QStringLiteral("1,500"));
        window.findChild<QAbstractButton *>(QStringLiteral("cmdTaiHozon"))->click();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        window.grab().save(out + QStringLiteral("/main-after-payment.png"));
    }
    // The correction dialogs, pictured and cancelled as they open.
    grabModalWhenOpen(QStringLiteral("frmPayFix"), out + QStringLiteral("/dialog-payment-fix.png"));
    window.findChild<MainPage *>()->fixDayRow(1);
    window.findChild<QAbstractButton *>(QStringLiteral("cmdInp"))->click();
    grabModalWhenOpen(QStringLiteral("frmInpFix"), out + QStringLiteral("/dialog-income-fix.png"));
    window.findChild<IncomePanel *>()->fixIncomeRow(1);
    return 0;
}
