#include "analysis/reflectionpage.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "book/entrychecks.h"
#include "book/forecast.h"
#include "book/monthsummary.h"
#include "book/reflection.h"
#include "records/clock.h"
#include "records/dates.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/monthcalendar.h"
#include "ui/palette.h"
#include "ui/twips.h"

ReflectionPage::ReflectionPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraSim"));
    FormBuilder b(this);
    // Left half: the month under reflection.
    cboSelMonth = b.comboBox(QStringLiteral("cboSelMonth"), false, 60, 60, 1800, 360);
    cboSelMonth->setAccessibleName(QStringLiteral("反省する月"));
    b.label(QStringLiteral("の反省"), 1920, 80, 1200, 330);
    msgSim1 = b.grid(QStringLiteral("msgSim1"), 0, 4, 60, 500, 5260, 6400);
    msgSim1->setAccessibleName(QStringLiteral("その月の支払い"));
    b.label(QStringLiteral("節約可能金"), 2000, 7030, 1400, 330);
    lblMuda = b.valueLabel(QStringLiteral("lblMuda"), 3400, 7000, 1920, 380);
    // Right half: the month of the calendar, with planned payments.
    mtvSim = b.calendar(QStringLiteral("mtvSim"), 5400, 60, 3600, 2450);
    b.label(QStringLiteral("予定支出"), 9100, 100, 1400, 300);
    txtSim2 = b.textBox(QStringLiteral("txtSim2"), 9100, 400, 1800, 380);
    txtSim2->setAlignment(Qt::AlignRight);
    cmdHozonSim = b.button(QStringLiteral("cmdHozonSim"), QString(), 11000, 290, 600, 600);
    cmdHozonSim->setIcon(iconOf(QStringLiteral("floppy")));
    cmdHozonSim->setIconSize(QSize(twipsToPx(420), twipsToPx(420)));
    cmdHozonSim->setAccessibleName(QStringLiteral("保存"));
    QGroupBox *legend = b.frame(QString(), 9100, 1200, 2500, 1250);
    FormBuilder legendLines(legend);
    legendLines.legendLine(QStringLiteral("残金推移"), palette::moneyLeftLine, 150, 120, 30);
    legendLines.legendLine(QStringLiteral("ペースライン"), palette::paceLine, 150, 480, 30);
    legendLines.legendLine(QStringLiteral("日別支出"), palette::spendingBars, 150, 840, 90);
    mcrYosou = b.chart(QStringLiteral("mcrYosou"), 5400, 2600, 6300, 2900);
    mcrYosou->setSeries({{QStringLiteral("残金推移"), Chart::SeriesKind::Line, Chart::Axis::Primary,
                          palette::moneyLeftLine},
                         {QStringLiteral("ペースライン"), Chart::SeriesKind::Line,
                          Chart::Axis::Primary, palette::paceLine},
                         {QStringLiteral("日別支出"), Chart::SeriesKind::Bar,
                          Chart::Axis::Secondary, palette::spendingBars}});
    msgSim2 = b.grid(QStringLiteral("msgSim2"), 0, 4, 5400, 5600, 3550, 1850);

    connect(cboSelMonth, &QComboBox::activated, this, &ReflectionPage::cboSelMonth_Click);
    connect(msgSim1, &Grid::clicked, this, &ReflectionPage::msgSim1_Click);
    connect(mtvSim, &MonthCalendar::dateClicked, this, &ReflectionPage::mtvSim_DateClick);
    connect(cmdHozonSim, &QPushButton::clicked, this, &ReflectionPage::cmdHozonSim_Click);
    connect(txtSim2, &QLineEdit::returnPressed, this, &ReflectionPage::txtSim2_KeyPress);
    connect(msgSim2, &Grid::clicked, this, &ReflectionPage::msgSim2_Click);
}

void ReflectionPage::showDay(QDate day) {
    mtvSim->setValue(day);
}

void ReflectionPage::open() {
    DSP_SELMONTH();
    DSP_HANSEI();
    // The scratch file starts again from the book: earlier plans are gone.
    // A failure leaves the forecast of what the file holds; the page opens.
    resetForecast(m_session.book, m_session.model().payments().content());
    DSP_YOSOU();
}

// --- Reflection ---

// Months from the first payment's to today's; the newest is selected.
void ReflectionPage::DSP_SELMONTH() {
    const QStringList months = computeReflectionMonths(m_session.model(), Clock::today());
    if (months.isEmpty()) return; // no payment yet: the list keeps what it holds
    cboSelMonth->clear();
    cboSelMonth->addItems(months);
    cboSelMonth->setCurrentIndex(static_cast<int>(months.size()) - 1);
    cboSelMonth_Click();
}

void ReflectionPage::cboSelMonth_Click() {
    lblMuda->clear();
    DSP_HANSEI();
}

void ReflectionPage::DSP_HANSEI() {
    msgSim1->clear();
    msgSim1->setFontPointSize(9);
    msgSim1->setRows(1);
    msgSim1->setColumns({{QStringLiteral("年月日"), 950, Qt::AlignCenter},
                         {QStringLiteral("支払い"), 1700, Qt::AlignLeft},
                         {QStringLiteral("費目"), 1400, Qt::AlignLeft},
                         {QStringLiteral("金額"), 900, Qt::AlignRight}});
    const QList<ReflectionRow> rows =
        computeMonthPayments(m_session.model(), cboSelMonth->currentText());
    QList<Yen> amounts;
    msgSim1->setRows(static_cast<int>(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i) {
        const ReflectionRow &r = rows.at(i);
        msgSim1->setText(i + 1, 0, r.date.mid(2)); // yy/mm/dd
        msgSim1->setText(i + 1, 1, r.payee);
        msgSim1->setText(i + 1, 2, r.category);
        msgSim1->setText(i + 1, 3, formatYenGrid(r.amount));
        amounts.append(r.amount);
    }
    // The rows come unmarked, so the sum shown of the marked ones goes too.
    m_marks = ReflectionMarks(amounts);
    lblMuda->clear();
}

// A click marks the row as money that could have been saved, or unmarks it.
void ReflectionPage::msgSim1_Click() {
    const int row = msgSim1->currentRow();
    if (row < 1 || !m_marks.toggle(row - 1)) return;
    const bool marked = m_marks.isMarked(row - 1);
    for (int c = 0; c < 4; ++c)
        msgSim1->setCellBackColor(row, c, marked ? palette::avoidablePayment : palette::plainCell);
    lblMuda->setText(formatYenGrid(m_marks.total()));
}

// --- Simulation ---

void ReflectionPage::INIT_SIM2() {
    msgSim2->clear();
    msgSim2->setFontPointSize(9);
    msgSim2->setRows(1);
    msgSim2->setColumns({{QStringLiteral("日付け"), 1200, Qt::AlignCenter},
                         {QStringLiteral("金額"), 1000, Qt::AlignRight},
                         {QStringLiteral("残金"), 1000, Qt::AlignRight}});
}

// The main page's month balance over 予測データ.txt for the month of mtvSim,
// every computed day also listed.
void ReflectionPage::DSP_YOSOU() {
    const QDate selected = mtvSim->value();
    const QString month = dateText(selected).left(7);
    INIT_SIM2();
    QCoreApplication::processEvents();
    const MonthFigures m = computeMonth(m_session.forecast(), selected);

    mcrYosou->setRowCount(1);
    for (int s = 1; s <= 3; ++s)
        mcrYosou->setValue(1, s, 0);
    mcrYosou->setRowCount(m.days);
    for (int d = 1; d <= m.days; ++d)
        mcrYosou->setRowLabel(d, QString::number(d));
    msgSim2->setRows(m.days + 1); // rows before the first day stay empty
    for (int d = m.firstDay; d <= m.days; ++d) {
        msgSim2->setText(d, 0, QStringLiteral("%1/%2").arg(month).arg(d, 2, 10, QLatin1Char('0')));
        mcrYosou->setValue(d, 1, static_cast<double>(m.leftSeries.at(d)));
        msgSim2->setText(d, 2, formatYenGrid(m.leftSeries.at(d)));
        mcrYosou->setValue(d, 2, static_cast<double>(m.paceSeries.at(d)));
        mcrYosou->setValue(d, 3, static_cast<double>(m.paidSeries.at(d)));
        msgSim2->setText(d, 1, formatYenGrid(m.paidSeries.at(d)));
    }
    msgSim2->setTopRow(m.firstDay);
    mcrYosou->setAxis(Chart::Axis::Primary, 0, static_cast<double>(m.leftTop), 10);
    mcrYosou->setAxis(Chart::Axis::Secondary, 0, static_cast<double>(m.paidTop), 10);
}

// Another month is simulated; another day of the month last simulated by a
// click only becomes the date of the next planned payment.
void ReflectionPage::mtvSim_DateClick(QDate date) {
    const QString month = dateText(date).left(7);
    if (month == m_lastSimMonth) return;
    DSP_YOSOU();
    m_lastSimMonth = month;
}

void ReflectionPage::cmdHozonSim_Click() {
    // The one reading of typed amounts, with its messages for no amount and
    // for text that is no amount.
    const EntryCheck amount = checkAmount(txtSim2->text());
    if (!amount.ok()) {
        Dialogs::warning(this, amount.text, amount.title);
        return;
    }
    if (showFileError(this, addPlannedPayment(m_session.book, mtvSim->value(), amount.amount,
                                              m_session.forecast().lastPayDate())))
        return;
    DSP_YOSOU();
    txtSim2->clear();
}

void ReflectionPage::txtSim2_KeyPress() {
    cmdHozonSim->setFocus();
}

void ReflectionPage::msgSim2_Click() {
    msgSim2->setCurrentCell(msgSim2->currentRow(), 0);
}
