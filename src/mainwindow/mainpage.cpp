#include "mainwindow/mainpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "book/budget.h"
#include "book/daylist.h"
#include "book/entrychecks.h"
#include "book/monthsummary.h"
#include "records/recordfiles.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/palette.h"
#include "ui/recorddialog.h"
#include "ui/rowmenu.h"
#include "ui/twips.h"

MainPage::MainPage(BookSession &session, QWidget *parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraMain"));
    buildEntry();
    buildFigures();
    buildChart();
    // The road of a payment by key: day, payee, category, amount, save; then the rest.
    const QList<QWidget *> tabOrder = {mtvmain, lstMise,  cboJanru, txtOutInp,  cmdTaiHozon,
                                       cmdFree, cmdFumei, cmdInp,   msgDayList, chkKijun};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    mtvmain->setAccessibleName(QStringLiteral("日付け"));
    msgDayList->setAccessibleName(QStringLiteral("本日の支払い"));

    connect(mtvmain, &MonthCalendar::dateClicked, this, &MainPage::mtvmain_DateClick);
    connect(lstMise, &ListBox::clicked, this, &MainPage::lstMise_Click);
    connect(cboJanru, &QComboBox::editTextChanged, this, &MainPage::cboJanru_Change);
    connect(cboJanru, &QComboBox::activated, this, &MainPage::cboJanru_Click);
    connect(cmdTaiHozon, &QPushButton::clicked, this, &MainPage::cmdTaiHozon_Click);
    connect(chkKijun, &QCheckBox::clicked, this, &MainPage::chkKijun_Click);
    connect(cmdFree, &QPushButton::clicked, this, &MainPage::cmdFree_Click);
    txtOutInp->installEventFilter(this);
    connect(msgDayList, &Grid::contextMenuRequested, this, &MainPage::msgDayList_ContextMenu);
    connect(msgDayList, &Grid::keyPressed, this, &MainPage::msgDayList_KeyPress);
    connect(cmdInp, &QPushButton::clicked, this, &MainPage::incomePanelAsked);
    connect(cmdFumei, &QPushButton::clicked, this, &MainPage::unaccountedPanelAsked);
}

// The amount box reports its keys as they are pressed; none is swallowed.
bool MainPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtOutInp && event->type() == QEvent::KeyPress)
        txtOutInp_KeyPress(static_cast<QKeyEvent *>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void MainPage::buildEntry() {
    FormBuilder b(this);
    b.label(QStringLiteral("支払い"), 60, 30, 2200, 270);
    lstMise = b.listBox(QStringLiteral("lstMise"), 60, 300, 2250, 3700);
    b.label(QStringLiteral("費目"), 60, 4060, 2200, 270);
    // What is left of the chosen category's budget, right of its caption.
    lblYosan = b.valueLabel(QStringLiteral("lblYosan"), 560, 4030, 1750, 300);
    lblYosan->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblYosan->hide();
    cboJanru = b.comboBox(QStringLiteral("cboJanru"), true, 60, 4330, 2250, 360);
    b.label(QStringLiteral("金額入力"), 60, 4780, 1500, 270);
    txtOutInp = b.textBox(QStringLiteral("txtOutInp"), 60, 5050, 1550, 400);
    txtOutInp->setAlignment(Qt::AlignRight);
    cmdTaiHozon = b.button(QStringLiteral("cmdTaiHozon"), QString(), 1700, 4900, 610, 610);
    cmdTaiHozon->setIcon(iconOf(QStringLiteral("floppy")));
    cmdTaiHozon->setIconSize(QSize(twipsToPx(450), twipsToPx(450)));
    cmdTaiHozon->setToolTip(QStringLiteral("保存"));

    const struct {
        QPushButton **button;
        const char16_t *name, *caption, *icon, *tip;
        int left;
    } tools[] = {
        {&cmdFree, u"cmdFree", u"", u"free", u"支払い先フリー入力", 60},
        {&cmdFumei, u"cmdFumei", u"", u"fumei", u"不明金処理", 820},
        {&cmdInp, u"cmdInp", u"入金", u"inp", u"入金", 1580},
    };
    for (const auto &t : tools) {
        QPushButton *btn = b.button(QString::fromUtf16(t.name), QString::fromUtf16(t.caption),
                                    t.left, 5650, 730, 760);
        btn->setIcon(iconOf(QString::fromUtf16(t.icon)));
        const int icon = t.caption[0] ? 260 : 380;
        btn->setIconSize(QSize(twipsToPx(icon), twipsToPx(icon)));
        btn->setToolTip(QString::fromUtf16(t.tip));
        *t.button = btn;
    }

    mtvmain = b.calendar(QStringLiteral("mtvmain"), 2420, 30, 3350, 2550);
    msgDayList = b.grid(QStringLiteral("msgDayList"), 1, 4, 5850, 30, 5850, 2180);
    b.label(QStringLiteral("本日"), 8700, 2270, 600, 300);
    lblDayTotal = b.valueLabel(QStringLiteral("lblDayTotal"), 9300, 2250, 2400, 330);
}

void MainPage::buildFigures() {
    FormBuilder b(this);
    imgNashi = b.image(QStringLiteral("imgNashi"), QStringLiteral("nashi"), 2420, 2680, 900, 900);
    imgwara = b.image(QStringLiteral("imgwara"), QStringLiteral("wara"), 2420, 2680, 900, 900);
    imgniko = b.image(QStringLiteral("imgniko"), QStringLiteral("niko"), 2420, 2680, 900, 900);
    imgkana = b.image(QStringLiteral("imgkana"), QStringLiteral("kana"), 2420, 2680, 900, 900);
    imgwara->hide();
    imgniko->hide();
    imgkana->hide();
    b.label(QStringLiteral("ペース評価"), 3420, 2700, 1400, 300);
    lblMHyouka = b.valueLabel(QStringLiteral("lblMHyouka"), 3420, 3000, 2250, 400);

    const struct {
        QLabel **label;
        const char16_t *caption, *name;
    } figures[] = {
        {&lblMonSt, u"今月のスタート", u"lblMonSt"},
        {&lblMonAdd, u"今月の追加補充", u"lblMonAdd"},
        {&lblMonTotal, u"今月の合計収入", u"lblMonTotal"},
        {&lblMonOut, u"本日までの支出", u"lblMonOut"},
        {&lblMonZan, u"今月の残", u"lblMonZan"},
        {&lblMonKeika, u"月初からの経過", u"lblMonKeika"},
        {&lblMonKeikaAvg, u"１日平均支出", u"lblMonKeikaAvg"},
        {&lblMonZanbi, u"末日までの残", u"lblMonZanbi"},
        {&lblMonZanAvg, u"１日平均可能金", u"lblMonZanAvg"},
    };
    // Income and spending on the left, the pace of days on the right.
    for (int i = 0; i < 9; ++i) {
        const int left = i < 5 ? 5850 : 8850;
        const int top = 2680 + (i < 5 ? i : i - 5) * 300 + (i == 3 || i == 4 ? 60 : 0);
        b.label(QString::fromUtf16(figures[i].caption), left, top, 1400, 270);
        *figures[i].label =
            b.valueLabel(QString::fromUtf16(figures[i].name), left + 1400, top, 1450, 270);
    }
    // A rule between the month's income and its spending.
    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    placeTw(rule, 5850, 2680 + 3 * 300 - 5, 2850, 60);
}

void MainPage::buildChart() {
    FormBuilder b(this);
    mcrMain = b.chart(QStringLiteral("mcrMain"), 2420, 4420, 9300, 3100);
    mcrMain->setSeriesCount(3);
    mcrMain->setSeriesKind(1, Chart::SeriesKind::Line);
    mcrMain->setSeriesColor(1, palette::moneyLeftLine);
    mcrMain->setSeriesKind(2, Chart::SeriesKind::Line);
    mcrMain->setSeriesColor(2, palette::paceLine);
    mcrMain->setSeriesKind(3, Chart::SeriesKind::Bar);
    mcrMain->setSeriesAxis(3, Chart::Axis::Secondary);
    mcrMain->setSeriesColor(3, palette::spendingBars);

    b.legend(QStringLiteral("残金推移"), palette::moneyLeftLine, 2420, 3480, 1600, 580,
             QStringLiteral("Frame5_0"));
    b.legend(QStringLiteral("日別支出"), palette::spendingBars, 4070, 3480, 1600, 580,
             QStringLiteral("Frame5_1"));
    chkKijun = b.checkBox(QStringLiteral("chkKijun"), QStringLiteral("ペースラインを表示"), 2420,
                          4100, 3250, 300);
}

// --- The day list ---

void MainPage::INIT_DAYLIST() {
    msgDayList->setFontPointSize(11);
    msgDayList->setRows(1);
    const struct {
        const char16_t *header;
        int width;
        Qt::Alignment align;
    } cols[] = {{u"回", 420, Qt::AlignRight},
                {u"支払い", 2050, Qt::AlignLeft},
                {u"費目", 1750, Qt::AlignLeft},
                {u"価格", 1070, Qt::AlignRight}};
    for (int c = 0; c < 4; ++c) {
        msgDayList->setText(0, c, QString::fromUtf16(cols[c].header));
        msgDayList->setColWidth(c, cols[c].width);
        msgDayList->setFixedAlignment(c, Qt::AlignCenter);
        msgDayList->setColAlignment(c, cols[c].align | Qt::AlignVCenter);
    }
}

void MainPage::DSP_DAYLIST() {
    INIT_DAYLIST();
    DSP_YOSAN(); // the day, or the payments of its month, changed
    m_dayRecords.clear();
    const DayList list = computeDayList(m_session.model(), dateText(mtvmain->value()));
    if (list.firstPayDate.isEmpty()) return;
    msgDayList->setRows(static_cast<int>(list.rows.size()) + 1);
    for (int i = 0; i < list.rows.size(); ++i) {
        const DayListRow &row = list.rows.at(i);
        msgDayList->setText(i + 1, 0, QString::number(i + 1));
        msgDayList->setText(i + 1, 1, row.payee);
        msgDayList->setText(i + 1, 2, row.category);
        msgDayList->setText(i + 1, 3, formatYenGrid(row.amount));
        m_dayRecords.append(row.at);
    }
    if (msgDayList->rows() > 9) msgDayList->setTopRow(msgDayList->rows() - 1);
    lblDayTotal->setText(formatYenLabel(list.total));
}

// --- The month balance ---

void MainPage::DSP_YOSAN() {
    const BudgetLeft left = computeBudgetLeft(m_session.model(), m_session.budgets(),
                                              cboJanru->currentText(), mtvmain->value());
    lblYosan->setVisible(left.shown);
    if (!left.shown) return;
    lblYosan->setText(left.text);
    setLabelBackColor(lblYosan, left.over
                                    ? palette::behindPace
                                    : QApplication::palette(lblYosan).color(QPalette::Window));
}

void MainPage::DSP_MAIN() {
    const QDate selected = mtvmain->value();
    QCoreApplication::processEvents();
    const MonthFigures m = computeMonth(m_session.model(), selected);
    lblMonSt->setText(formatYenLabel(m.start));
    lblMonAdd->setText(formatYenLabel(m.added));
    lblMonTotal->setText(formatYenLabel(m.total));
    lblMonOut->setText(formatYenLabel(m.spent));
    lblMonZan->setText(formatYenLabel(m.left));
    lblMonKeika->setText(QString::number(m.selectedDay) + QStringLiteral("日"));
    lblMonKeikaAvg->setText(formatYenLabel(m.avgSpent));
    lblMonZanbi->setText(QString::number(m.daysLeft) + QStringLiteral("日"));
    lblMonZanAvg->setText(formatYenLabel(m.avgAvailable));

    const QString month = dateText(selected).left(7);
    if (month != m_lastChartMonth || m_session.revision != m_chartRevision) {
        mcrMain->setRowCount(1);
        for (int s = 1; s <= 3; ++s)
            mcrMain->setValue(1, s, 0);
        mcrMain->setRowCount(m.days);
        for (int i = 1; i <= m.days; ++i) {
            mcrMain->setRowLabel(i, QString::number(i));
            mcrMain->setValue(i, 1, static_cast<double>(m.leftSeries.at(i)));
            mcrMain->setValue(i, 2, static_cast<double>(m.paceSeries.at(i)));
            mcrMain->setValue(i, 3, static_cast<double>(m.paidSeries.at(i)));
        }
        mcrMain->setAxis(Chart::Axis::Primary, 0, static_cast<double>(m.leftTop), 10);
        mcrMain->setAxis(Chart::Axis::Secondary, 0, static_cast<double>(m.paidTop), 10);
        m_lastChartMonth = month;
        m_chartRevision = m_session.revision;
        m_chart = m;
    }
    // The face reads the chart as drawn, even when the month was not recomputed for it.
    showFaceMark(faceMark(m_chart, m.selectedDay));
}

void MainPage::showFaceMark(const FaceMark &mark) {
    imgkana->hide();
    imgniko->hide();
    imgwara->hide();
    const QString text = formatYenLabel(mark.gap);
    switch (mark.face) {
    case FaceMark::Face::Ahead:
        imgwara->show();
        setLabelBackColor(lblMHyouka, palette::aheadOfPace);
        lblMHyouka->setText(QStringLiteral("+") + text);
        break;
    case FaceMark::Face::OnPace:
        imgniko->show();
        lblMHyouka->setText(text);
        break;
    case FaceMark::Face::Behind:
        imgkana->show();
        setLabelBackColor(lblMHyouka, palette::behindPace);
        lblMHyouka->setText(text);
        break;
    }
}

void MainPage::chkKijun_Click() {
    mcrMain->setSeriesVisible(1, true);
    mcrMain->setSeriesVisible(2, chkKijun->isChecked());
    mcrMain->setSeriesVisible(3, true);
}

// --- Payment entry ---

void MainPage::showDay(QDate day) {
    mtvmain->setValue(day);
    emit dayChanged(day);
}

QDate MainPage::selectedDay() const {
    return mtvmain->value();
}

void MainPage::setMasters(const QStringList &payees, const QStringList &categories) {
    lstMise->clear();
    cboJanru->clear();
    lstMise->addItems(payees);
    cboJanru->addItems(categories);
    cboJanru->setEditText(QString()); // the list fills; the category stays to be chosen
}

void MainPage::finishLoad() {
    mcrMain->setSeriesVisible(2, false);
    cmdTaiHozon->setEnabled(false);
}

void MainPage::mtvmain_DateClick(QDate date) {
    const QString day = dateText(date);
    emit dayChanged(date);
    if (day != m_lastClickedDay) {
        DSP_DAYLIST();
        m_lastClickedDay = day;
    }
    DSP_MAIN();
    // The figures could not be read: said once for the event.
    showFileError(this, m_session.takeReadError());
    lstMise->setFocus();
}

void MainPage::lstMise_Click() {
    const QListWidgetItem *item = lstMise->currentItem();
    CurrentPayee = item ? item->text() : QString();
    cboJanru->setEditText(QString());
    cmdTaiHozon->setEnabled(false);
    if (const auto category = m_session.categoryOfPayee(CurrentPayee))
        cboJanru->setEditText(*category);
    txtOutInp->setFocus();
}

void MainPage::cboJanru_Change() {
    cmdTaiHozon->setEnabled(true);
    DSP_YOSAN();
}

void MainPage::cboJanru_Click() {
    cmdTaiHozon->setEnabled(true);
    txtOutInp->setFocus();
}

void MainPage::txtOutInp_KeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    // An amount only too large is saved to be told how large one may be.
    const QString typed = txtOutInp->text();
    if (!typed.isEmpty() && (parseYenInput(typed) || isYenInputTooLarge(typed)))
        cmdTaiHozon_Click();
}

void MainPage::cmdTaiHozon_Click() {
    const QString category = cboJanru->currentText();
    const EntryCheck check =
        checkPayment(m_session.sampleMode, CurrentPayee, category, txtOutInp->text());
    if (!check.ok()) {
        Dialogs::warning(this, check.text, check.title);
        return;
    }
    const PaymentRecord record{
        dateText(mtvmain->value()), CurrentPayee, category, check.amount, {}, {}};
    // The master entry, the payment and the payee's category are one change:
    // all saved and undone together, or none.
    ChangeScope change = m_session.change(
        describeRecord({record.date, record.payee, record.category}, record.amount) +
        QStringLiteral(" の保存"));
    if (cboJanru->findText(category, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        const QString question =
            category + QStringLiteral("を費目マスタに追加しますか？") + QStringLiteral("\n\n") +
            QStringLiteral("マスタ登録しない場合は集計時に「その他」として扱われます。") +
            QStringLiteral("\n\n");
        if (Dialogs::askYesNo(this, question, QStringLiteral("費目マスタ登録の有無"))) {
            if (showFileError(this,
                              appendMasterName(m_session.book, category, bookfile::categories)))
                return;
            const QSignalBlocker keepText(cboJanru);
            cboJanru->addItem(category);
            cboJanru->setEditText(category);
        }
    }
    if (showFileError(this, insertPayment(m_session.book, record, m_session.lastPayDate()))) return;
    if (SAVE_KANREN() || showFileError(this, change.close())) return;
    DSP_DAYLIST();
    m_session.bookChanged();
    DSP_MAIN();
    cboJanru->setEditText(QString());
    CurrentPayee.clear();
    txtOutInp->clear();
    cmdTaiHozon->setEnabled(false);
    lstMise->setFocus(); // the next receipt of the same day starts at its payee
}

bool MainPage::SAVE_KANREN() {
    return showFileError(this,
                         saveAssociation(m_session.book, CurrentPayee, cboJanru->currentText()));
}

// --- Correcting a payment ---

const RecordAt *MainPage::dayRecord(int row) const {
    return row >= 1 && row <= m_dayRecords.size() ? &m_dayRecords.at(row - 1) : nullptr;
}

void MainPage::msgDayList_ContextMenu(int row, QPoint globalPos) {
    const bool onRecord = dayRecord(row) != nullptr;
    switch (chooseFromRowMenu(
        this, globalPos,
        {{kFixItem, onRecord, {}}, {kDeleteItem, onRecord, {}}, {kExportItem, true, {}}})) {
    case 0:
        return fixDayRow(row);
    case 1:
        return deleteDayRow(row);
    case 2:
        return msgDayList->exportCsv();
    default:
        return;
    }
}

void MainPage::msgDayList_KeyPress(int key) {
    if (key == Qt::Key_F2) fixDayRow(msgDayList->currentRow());
    if (key == Qt::Key_Delete) deleteDayRow(msgDayList->currentRow());
}

void MainPage::fixDayRow(int row) {
    const RecordAt *at = dayRecord(row);
    if (!at) return;
    const RecordAt picked = *at;
    const PaymentRecord old = paymentOf(picked);
    RecordDialog dlg(this, QStringLiteral("支払いの修正"), QStringLiteral("frmPayFix"));
    QDateEdit *day =
        dlg.addDate(QStringLiteral("dtpHizuke"), QStringLiteral("日付け"),
                    parseDateText(old.date).isValid() ? parseDateText(old.date) : mtvmain->value());
    QStringList payees;
    for (int i = 0; i < lstMise->count(); ++i)
        payees << lstMise->item(i)->text();
    QStringList categories;
    for (int i = 0; i < cboJanru->count(); ++i)
        categories << cboJanru->itemText(i);
    QComboBox *payee =
        dlg.addChoice(QStringLiteral("cboMise"), QStringLiteral("支払い先"), payees, old.payee);
    QComboBox *category =
        dlg.addChoice(QStringLiteral("cboJanru"), QStringLiteral("費目"), categories, old.category);
    QLineEdit *amount =
        dlg.addText(QStringLiteral("txtKingaku"), QStringLiteral("金額"), formatPlain(old.amount));
    QLineEdit *memo = dlg.addText(QStringLiteral("txtMemo"), QStringLiteral("一言日記"), old.memo);
    PaymentRecord fixed;
    dlg.setCheck([&] {
        fixed = {dateText(day->date()), payee->currentText(), category->currentText(), 0,
                 memo->text(),          old.reserved};
        const EntryCheck check = checkPaymentFix(m_session.sampleMode, fixed, amount->text());
        if (!check.ok()) Dialogs::warning(&dlg, check.text, check.title);
        fixed.amount = check.amount;
        return check.ok();
    });
    if (dlg.exec() != QDialog::Accepted) return;
    // Refused or done, the list and figures are read again: a refusal means
    // the file is not what the list showed.
    {
        ChangeScope change =
            m_session.change(describeRecord({old.date, old.payee, old.category}, old.amount) +
                             QStringLiteral(" の修正"));
        if (!showFileError(this, correctPayment(m_session.book, picked, fixed)))
            showFileError(this, change.close());
    }
    followPaymentChange();
}

void MainPage::deleteDayRow(int row) {
    const RecordAt *at = dayRecord(row);
    if (!at) return;
    const RecordAt picked = *at;
    if (m_session.sampleMode) {
        const EntryCheck sample = checkPayment(true, {}, {}, {});
        return Dialogs::warning(this, sample.text, sample.title);
    }
    if (!Dialogs::confirm(this, QStringLiteral("この支払いを削除します。よろしいですか？"),
                          QStringLiteral("削除確認")))
        return;
    // Refused or done, the list and figures are read again: a refusal means
    // the file is not what the list showed.
    {
        const PaymentRecord old = paymentOf(picked);
        ChangeScope change =
            m_session.change(describeRecord({old.date, old.payee, old.category}, old.amount) +
                             QStringLiteral(" の削除"));
        if (!showFileError(this, deletePayment(m_session.book, picked)))
            showFileError(this, change.close());
    }
    followPaymentChange();
}

void MainPage::followPaymentChange() {
    DSP_DAYLIST();
    // An empty book leaves the day total as it was; here its last payment was
    // just taken out, and the old sum would outlive it.
    if (m_session.firstPayDate().isEmpty()) lblDayTotal->setText(formatYenLabel(0));
    m_session.bookChanged();
    DSP_MAIN();
}

// A payee that is in no list, for the next payment; on Yes it joins the master.
void MainPage::cmdFree_Click() {
    const std::optional<QString> payee =
        Dialogs::inputText(this,
                           QStringLiteral("支払い先リストに無い内容をフリーで入力できます。\n\n"
                                          "任意の言葉で内容を書き込んでください。\n\n"),
                           QStringLiteral("支払い先フリー入力"));
    if (!payee || payee->isEmpty()) return;
    CurrentPayee = *payee;
    if (!Dialogs::askYesNo(
            this,
            QStringLiteral("支払い先マスタに追加しますか？\n\n"
                           "マスタ登録しない場合は集計時に「その他」として扱われます。"
                           "\n\n"),
            QStringLiteral("支払い先マスタ登録の有無")))
        return;
    {
        ChangeScope change =
            m_session.change(QStringLiteral("支払いマスタへの「%1」の追加").arg(*payee));
        if (showFileError(this, appendMasterName(m_session.book, *payee, bookfile::payees)) ||
            showFileError(this, change.close()))
            return;
    }
    emit mastersChanged();
}
