#include "analysis/searchpage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/listbox.h"

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

    FormBuilder week(page.frame(QStringLiteral("曜日指定"), 4000, 700, 3700, 900));
    const char16_t *days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    for (int i = 0; i < 7; ++i)
        cmdWeek[i] = week.button(QStringLiteral("cmdWeek_%1").arg(i), QString::fromUtf16(days[i]),
                                 100 + i * 420, 330, 400, 420);
    cmdAllWeek =
        week.button(QStringLiteral("cmdAllWeek"), QStringLiteral("全部"), 3060, 330, 560, 420);

    FormBuilder period(page.frame(QStringLiteral("期間指定"), 4000, 1650, 7680, 1650));
    const struct {
        QPushButton **button;
        const char16_t *name, *caption;
    } periods[] = {
        {&cmdKikan1, u"cmdKikan1", u"前日"},   {&cmdKikan8, u"cmdKikan8", u"３日"},
        {&cmdKikan2, u"cmdKikan2", u"１週間"}, {&cmdKikan3, u"cmdKikan3", u"２週間"},
        {&cmdKikan4, u"cmdKikan4", u"１ヶ月"}, {&cmdKikan5, u"cmdKikan5", u"３ヶ月"},
        {&cmdKikan6, u"cmdKikan6", u"半年"},   {&cmdKikan7, u"cmdKikan7", u"１年"},
        {&cmdKikanF, u"cmdKikanF", u"任意"},   {&cmdAllDay, u"cmdAllDay", u"全部"},
    };
    int left = 100;
    for (const auto &p : periods) {
        *p.button = period.button(QString::fromUtf16(p.name), QString::fromUtf16(p.caption), left,
                                  300, 740, 420);
        left += 750;
    }
    cboStdate = period.comboBox(QStringLiteral("cboStdate"), true, 100, 900, 1700, 380);
    period.label(QStringLiteral("～"), 1850, 920, 300, 330);
    cboEddate = period.comboBox(QStringLiteral("cboEddate"), true, 2150, 900, 1700, 380);

    cmdAllact =
        page.button(QStringLiteral("cmdAllact"), QStringLiteral("全部"), 7800, 900, 900, 600);
    msgBunseki = page.grid(QStringLiteral("msgBunseki"), 1, 15, 60, 3400, 6800, 4100);
    mcrBunseki = page.chart(QStringLiteral("mcrBunseki"), 6950, 3400, 4730, 4100);
}

void SearchPage::open() {}

void SearchPage::setMasters(const QStringList &payees, const QStringList &categories) {
    lstMise2->clear();
    lstJanru2->clear();
    lstMise2->addItems(payees);
    lstJanru2->addItems(categories);
}
