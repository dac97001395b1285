#include "analysis/savingspage.h"

#include <QLabel>

#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"

SavingsPage::SavingsPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraCyokin"));
    FormBuilder b(this);
    b.title(QStringLiteral("貯金の成果（一回ずつの金額と累計金額）"), 120, 60, 5200, 400);
    b.graphOrListOptions(QStringLiteral("optList3"), 5300, 1500, optList3);
    b.legend(QStringLiteral("貯金累計"), palette::moneyLeftLine, 8500, 0, 1600, 620);
    b.legend(QStringLiteral("貯金１回"), palette::savingBars, 10100, 0, 1600, 620);
    mcrCyokin = b.chart(QStringLiteral("mcrCyokin"), 60, 700, 11620, 6780);
    msgCyokin = b.grid(QStringLiteral("msgCyokin"), 0, 5, 5200, 700, 6480, 6780);
    msgCyokin->hide();
}

void SavingsPage::open() {}
