#include "analysis/searchpage.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <memory>

#include "book/paymentscan.h"
#include "records/clock.h"
#include "records/dates.h"
#include "records/rawrecords.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/keyboard.h"
#include "ui/listbox.h"
#include "ui/palette.h"

namespace {
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}
} // namespace

SearchPage::SearchPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraTaijyu"));
    FormBuilder page(this);

    FormBuilder cat(page.frame(QStringLiteral("費目指定"), 2020, 0, 1900, 3300));
    txtKey2 = cat.textBox(QStringLiteral("txtKey2"), 100, 2840, 1700, 360);
    lstJanru2 = cat.listBox(QStringLiteral("lstJanru2"), 100, 280, 1700, 2500);

    FormBuilder payee(page.frame(QStringLiteral("支払い指定"), 60, 0, 1900, 3300));
    txtKey = payee.textBox(QStringLiteral("txtKey"), 100, 2840, 1700, 360);
    lstMise2 = payee.listBox(QStringLiteral("lstMise2"), 100, 280, 1700, 2500);

    cmdKensaku =
        page.button(QStringLiteral("cmdKensaku"), QStringLiteral("検索"), 4000, 120, 900, 500);
    // Tab reads the page from left to right, each list before its key box.
    setTabOrder(lstMise2, txtKey);
    setTabOrder(txtKey, lstJanru2);
    setTabOrder(lstJanru2, txtKey2);
    setTabOrder(txtKey2, cmdKensaku);

    FormBuilder week(page.frame(QStringLiteral("曜日指定"), 4000, 700, 3700, 900));
    for (int i = 0; i < 7; ++i)
        cmdWeek[i] = week.button(QStringLiteral("cmdWeek_%1").arg(i), weekdayLetter(i),
                                 100 + i * 420, 330, 400, 420);
    cmdAllWeek =
        week.button(QStringLiteral("cmdAllWeek"), QStringLiteral("全部"), 3060, 330, 560, 420);

    FormBuilder period(page.frame(QStringLiteral("期間指定"), 4000, 1650, 7680, 1650));
    const struct {
        QPushButton **button;
        const char16_t *name, *caption;
        void (SearchPage::*handler)();
    } periods[] = {
        {&cmdKikan1, u"cmdKikan1", u"前日", &SearchPage::cmdKikan1_Click},
        {&cmdKikan8, u"cmdKikan8", u"３日", &SearchPage::cmdKikan8_Click},
        {&cmdKikan2, u"cmdKikan2", u"１週間", &SearchPage::cmdKikan2_Click},
        {&cmdKikan3, u"cmdKikan3", u"２週間", &SearchPage::cmdKikan3_Click},
        {&cmdKikan4, u"cmdKikan4", u"１ヶ月", &SearchPage::cmdKikan4_Click},
        {&cmdKikan5, u"cmdKikan5", u"３ヶ月", &SearchPage::cmdKikan5_Click},
        {&cmdKikan6, u"cmdKikan6", u"半年", &SearchPage::cmdKikan6_Click},
        {&cmdKikan7, u"cmdKikan7", u"１年", &SearchPage::cmdKikan7_Click},
        {&cmdKikanF, u"cmdKikanF", u"任意", &SearchPage::cmdKikanF_Click},
        {&cmdAllDay, u"cmdAllDay", u"全部", &SearchPage::cmdAllDay_Click},
    };
    int left = 100;
    for (const auto &p : periods) {
        QPushButton *b = period.button(QString::fromUtf16(p.name), QString::fromUtf16(p.caption),
                                       left, 300, 740, 420);
        *p.button = b;
        left += 750;
        connect(b, &QPushButton::clicked, this, p.handler);
    }
    cboStdate = period.comboBox(QStringLiteral("cboStdate"), true, 100, 900, 1700, 380);
    period.label(QStringLiteral("～"), 1850, 920, 300, 330);
    cboEddate = period.comboBox(QStringLiteral("cboEddate"), true, 2150, 900, 1700, 380);
    // Thousands of dates are set as one list, not added one by one.
    for (QComboBox *box : {cboStdate, cboEddate})
        box->setModel(new QStringListModel(box));

    cmdAllact =
        page.button(QStringLiteral("cmdAllact"), QStringLiteral("全部"), 7800, 900, 900, 600);
    setTabOrder(cmdAllWeek, cmdAllact); // it stands at the end of the weekday row
    msgBunseki = page.grid(QStringLiteral("msgBunseki"), 1, 15, 60, 3400, 6800, 4100);
    msgBunseki->setAccessibleName(QStringLiteral("検索結果"));
    mcrBunseki = page.chart(QStringLiteral("mcrBunseki"), 6950, 3400, 4730, 4100);
    mcrBunseki->setSeriesCount(1);
    mcrBunseki->setSeriesKind(1, Chart::SeriesKind::Bar);
    mcrBunseki->setSeriesColor(1, palette::searchBars);

    for (int i = 0; i < 7; ++i)
        connect(cmdWeek[i], &QPushButton::clicked, this, [this, i] { cmdWeek_Click(i); });
    connect(cmdAllWeek, &QPushButton::clicked, this, &SearchPage::cmdAllWeek_Click);
    connect(cmdAllact, &QPushButton::clicked, this, &SearchPage::cmdAllact_Click);
    connect(cmdKensaku, &QPushButton::clicked, this, &SearchPage::cmdKensaku_Click);
    connect(lstMise2, &ListBox::clicked, this, &SearchPage::lstMise2_Click);
    connect(lstJanru2, &ListBox::clicked, this, &SearchPage::lstJanru2_Click);
    txtKey->installEventFilter(this);
    txtKey2->installEventFilter(this);
}

void SearchPage::setMasters(const QStringList &payees, const QStringList &categories) {
    lstMise2->clear();
    lstMise2->addItems(payees);
    lstJanru2->clear();
    lstJanru2->addItems(categories);
}

bool SearchPage::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtKey || watched == txtKey2) {
        if (event->type() == QEvent::FocusIn) {
            // Focus that comes back with the window (after a message box) or
            // with the page (after a listing redrew it) is no new entry.
            const Qt::FocusReason why = static_cast<QFocusEvent *>(event)->reason();
            if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason &&
                !keyboard::givingFocusBack())
                watched == txtKey ? txtKey_GotFocus() : txtKey2_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                watched == txtKey ? txtKey_KeyPress(key) : txtKey2_KeyPress(key);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SearchPage::open() {
    INIT_KIKAN();
    DSP_KENSAKU_ALL();
    highlight(cmdAllDay);
    highlight(cmdAllact);
    highlight(cmdAllWeek);
    m_choice.weekday.reset();
}

void SearchPage::leave() {
    msgBunseki->setSourceRows(nullptr);
}

// --- Condition handlers ---

void SearchPage::cmdKikan1_Click() {
    choosePeriod(cmdKikan1, SearchPeriod::Yesterday);
}
void SearchPage::cmdKikan8_Click() {
    choosePeriod(cmdKikan8, SearchPeriod::ThreeDays);
}
void SearchPage::cmdKikan2_Click() {
    choosePeriod(cmdKikan2, SearchPeriod::Week);
}
void SearchPage::cmdKikan3_Click() {
    choosePeriod(cmdKikan3, SearchPeriod::TwoWeeks);
}
void SearchPage::cmdKikan4_Click() {
    choosePeriod(cmdKikan4, SearchPeriod::Month);
}
void SearchPage::cmdKikan5_Click() {
    choosePeriod(cmdKikan5, SearchPeriod::ThreeMonths);
}
void SearchPage::cmdKikan6_Click() {
    choosePeriod(cmdKikan6, SearchPeriod::HalfYear);
}
void SearchPage::cmdKikan7_Click() {
    choosePeriod(cmdKikan7, SearchPeriod::Year);
}

// A period button: from some days before today to today.
void SearchPage::choosePeriod(QPushButton *button, SearchPeriod period) {
    setVisible(false);
    INIT_KIKAN();
    const DateRange range = periodEndingToday(period, Clock::today());
    setPeriod(range.from, range.to);
    listByConditions();
    setVisible(true);
    highlight(button);
}

void SearchPage::cmdKikanF_Click() {
    setVisible(false);
    INIT_KIKAN();
    listByConditions();
    setVisible(true);
    highlight(cmdKikanF);
}

void SearchPage::cmdAllDay_Click() {
    setVisible(false);
    INIT_KIKAN();
    setPeriod(m_session.firstPayDate(), dateText(Clock::today()));
    listByConditions();
    setVisible(true);
    highlight(cmdAllDay);
}

void SearchPage::cmdWeek_Click(int index) {
    toFace(cmdAllWeek);
    setWeekButtonsToFace();
    m_choice.weekday = index;
    setVisible(false);
    listByConditions();
    setVisible(true);
    highlight(cmdWeek[index]);
}

void SearchPage::cmdAllWeek_Click() {
    setVisible(false);
    setWeekButtonsToFace();
    m_choice.weekday.reset();
    listByConditions();
    setVisible(true);
    highlight(cmdAllWeek);
}

void SearchPage::cmdAllact_Click() {
    setVisible(false);
    txtKey->clear();
    txtKey2->clear();
    listByConditions();
    setVisible(true);
    highlight(cmdAllact);
}

void SearchPage::lstMise2_Click() {
    m_choice.keyBox = SearchChoice::KeyBox::Payee;
    const QListWidgetItem *item = lstMise2->currentItem();
    const QString payee = item ? item->text() : QString();
    txtKey->setText(payee);
    txtKey2->setText(payee);
    setVisible(false);
    toFace(cmdAllact);
    listByConditions();
    setVisible(true);
}

void SearchPage::lstJanru2_Click() {
    m_choice.keyBox = SearchChoice::KeyBox::Category;
    const QListWidgetItem *item = lstJanru2->currentItem();
    const QString category = item ? item->text() : QString();
    txtKey->setText(category);
    txtKey2->setText(category);
    setVisible(false);
    toFace(cmdAllact);
    listByConditions();
    setVisible(true);
}

void SearchPage::txtKey_KeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    txtKey2->setText(txtKey->text());
    m_choice.keyBox = SearchChoice::KeyBox::Payee;
    setVisible(false);
    toFace(cmdAllact);
    listByConditions();
    setVisible(true);
}

void SearchPage::txtKey2_KeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    txtKey->setText(txtKey2->text());
    m_choice.keyBox = SearchChoice::KeyBox::Category;
    setVisible(false);
    toFace(cmdAllact);
    listByConditions();
    setVisible(true);
}

void SearchPage::txtKey_GotFocus() {
    txtKey->clear();
}

void SearchPage::txtKey2_GotFocus() {
    txtKey2->clear();
}

void SearchPage::cmdKensaku_Click() {
    DSP_KENSAKU_KEY();
}

// --- Procedures ---

void SearchPage::INIT_KIKAN() {
    for (QPushButton *b : {cmdAllDay, cmdKikan1, cmdKikan2, cmdKikan3, cmdKikan4, cmdKikan5,
                           cmdKikan6, cmdKikan7, cmdKikan8, cmdKikanF})
        toFace(b);
}

void SearchPage::INIT_KENSAKU() {
    Grid *g = msgBunseki;
    g->setRows(1);
    g->clear();
    g->setFontPointSize(9);
    // The running number is a fixed column: its cells keep the right alignment
    // under a centred header.
    g->setColumns({{QStringLiteral("回"), 500, kRight, kRight},
                   {QStringLiteral("年月日"), 900, kCentre, kCentre},
                   {QStringLiteral("曜"), 365, kCentre, kCentre},
                   {QStringLiteral("支払い"), 1400, kLeft, kCentre},
                   {QStringLiteral("費目"), 1220, kLeft, kCentre},
                   {QStringLiteral("金額"), 960, kRight, kCentre},
                   {QStringLiteral("累計"), 1000, kRight, kCentre}});
    for (int c = 0; c < 7; ++c)
        g->setHeaderAlignment(c, kCentre);
}

void SearchPage::DSP_KENSAKU_ALL() {
    list(SearchTest::All);
}
void SearchPage::DSP_KENSAKU_KIKAN() {
    list(SearchTest::Period);
}
void SearchPage::DSP_KENSAKU_KEY() {
    list(SearchTest::Key);
}
void SearchPage::DSP_KENSAKU_WEEK() {
    list(SearchTest::Week);
}
void SearchPage::DSP_KENSAKU_KEYWEEK() {
    list(SearchTest::KeyWeek);
}

void SearchPage::list(SearchTest test) {
    INIT_KENSAKU();
    mcrBunseki->setRowCount(1);
    mcrBunseki->setValue(1, 1, 0);

    const SearchQuery q = searchQueryFor(m_choice, test, cboStdate->currentText(),
                                         cboEddate->currentText(), keyText());
    const auto result = std::make_shared<const SearchResult>(computeSearch(m_session.model(), q));
    const SearchResult &r = *result;

    // The listed rows are written as they are shown.
    Grid *g = msgBunseki;
    const int n = static_cast<int>(r.rows.size());
    g->setRows(n + 1);
    g->setComputedRows(1, n, [result](int i, int c) -> QString {
        const SearchRow &row = result->rows.at(i);
        switch (c) {
        case 0:
            return QString::number(i + 1);
        case 1:
            return result->date(i).mid(2);
        case 2:
            return weekdayLetter(row.weekday());
        case 3:
            return result->payee(i);
        case 4:
            return result->category(i);
        case 5:
            return formatYenGrid(row.amount);
        case 6:
            return formatYenGrid(result->runningTotal(i));
        default:
            return {};
        }
    });
    if (n > 0) mcrBunseki->setRowCount(n);
    for (int i = 0; i < n; ++i)
        mcrBunseki->setValue(i + 1, 1, static_cast<double>(r.rows.at(i).amount));
    mcrBunseki->setAxis(Chart::Axis::Primary, 0, static_cast<double>(r.axisMax), 10);

    if (test == SearchTest::All) {
        // The date lists are refilled, not added to, at every opening.
        for (QComboBox *box : {cboStdate, cboEddate})
            static_cast<QStringListModel *>(box->model())->setStringList(r.dates);
        cboStdate->setEditText(r.dates.isEmpty() ? QString() : r.dates.first());
        cboEddate->setEditText(r.dates.isEmpty() ? QString() : r.dates.last());
    }
}

void SearchPage::listByConditions() {
    switch (searchTestFor(m_choice, !keyText().isEmpty())) {
    case SearchTest::Key:
        return DSP_KENSAKU_KEY();
    case SearchTest::Period:
        return DSP_KENSAKU_KIKAN();
    case SearchTest::KeyWeek:
        return DSP_KENSAKU_KEYWEEK();
    default:
        return DSP_KENSAKU_WEEK();
    }
}

QString SearchPage::keyText() const {
    return m_choice.keyInPayee() ? txtKey->text() : txtKey2->text();
}

void SearchPage::setPeriod(const QString &from, const QString &to) {
    cboStdate->setEditText(from);
    cboEddate->setEditText(to);
}

void SearchPage::setWeekButtonsToFace() {
    for (QPushButton *b : cmdWeek)
        toFace(b);
}

void SearchPage::highlight(QPushButton *button) {
    setButtonBackColor(button, palette::conditionInForce);
}

void SearchPage::toFace(QPushButton *button) {
    setButtonBackColor(button, buttonFace());
}
