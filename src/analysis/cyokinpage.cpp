#include "analysis/cyokinpage.h"

#include <QLabel>

#include "ui/chart.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"

CyokinPage::CyokinPage(FormState &state, QWidget *parent) : QWidget(parent), m_state(state) {
    setObjectName(QStringLiteral("fraCyokin"));
    FormBuilder b(this);
    b.title(QStringLiteral("貯金の成果（一回ずつの金額と累計金額）"), 120, 60, 5200, 400);
    b.graphOrListOptions(QStringLiteral("optList3"), 5300, 1500, optList3);
    b.legend(QStringLiteral("貯金累計"), QColor(0, 0, 255), 8500, 0, 1600, 620);
    b.legend(QStringLiteral("貯金１回"), QColor(0, 160, 0), 10100, 0, 1600, 620);
    mcrCyokin = b.chart(QStringLiteral("mcrCyokin"), 60, 700, 11620, 6780);
    msgCyokin = b.grid(QStringLiteral("msgCyokin"), 0, 5, 5200, 700, 6480, 6780);
    msgCyokin->hide();
}
