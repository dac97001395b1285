#include "analysis/trendpage.h"

#include <QLabel>

#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"

TrendPage::TrendPage(BookSession &session, QWidget *parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraRenTai"));
    FormBuilder b(this);
    b.title(QStringLiteral("日毎の支出と残金推移"), 120, 60, 4000, 400);
    b.graphOrListOptions(QStringLiteral("optList1"), 4300, 2000, optList1);
    b.legend(QStringLiteral("残金推移"), palette::moneyLeftLine, 8500, 0, 1600, 620);
    b.legend(QStringLiteral("日毎支出"), palette::spendingBars, 10100, 0, 1600, 620);
    mcrRentai = b.chart(QStringLiteral("mcrRentai"), 60, 700, 11620, 6780);
    msgRireki = b.grid(QStringLiteral("msgRireki"), 0, 2, 8200, 700, 3480, 6780);
    msgRireki->hide();
}

void TrendPage::open() {}
