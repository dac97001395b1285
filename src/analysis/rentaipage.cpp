#include "analysis/rentaipage.h"

#include <QLabel>

#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"

RentaiPage::RentaiPage(FormState &state, QWidget *parent) : QWidget(parent), m_state(state) {
    setObjectName(QStringLiteral("fraRenTai"));
    FormBuilder b(this);
    b.title(QStringLiteral("日毎の支出と残金推移"), 120, 60, 4000, 400);
    b.graphOrListOptions(QStringLiteral("optList1"), 4300, 2000, optList1);
    b.legend(QStringLiteral("残金推移"), QColor(0, 0, 255), 8500, 0, 1600, 620);
    b.legend(QStringLiteral("日毎支出"), QColor(255, 200, 0), 10100, 0, 1600, 620);
    mcrRentai = b.chart(QStringLiteral("mcrRentai"), 60, 700, 11620, 6780);
    msgRireki = b.grid(QStringLiteral("msgRireki"), 0, 2, 8200, 700, 3480, 6780);
    msgRireki->hide();
}
