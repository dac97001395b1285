#include "analysis/totalspage.h"

#include <QLabel>
#include <QRadioButton>

#include "ui/formbuilder.h"
#include "ui/grid.h"

TotalsPage::TotalsPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraKakei"));
    FormBuilder b(this);
    b.title(QStringLiteral("家計簿　集計一覧（月＆日）"), 120, 60, 5000, 400);
    optList2[0] = b.option(QStringLiteral("optList2_0"), QStringLiteral("支払い集計　表示"), 5600,
                           100, 2500, 330);
    optList2[1] = b.option(QStringLiteral("optList2_1"), QStringLiteral("費目集計　表示"), 8300,
                           100, 2500, 330);
    msgKakei1 = b.grid(QStringLiteral("msgKakei1"), 3, 4, 60, 560, 11620, 3400);
    msgKakei2 = b.grid(QStringLiteral("msgKakei2"), 3, 4, 60, 4060, 11620, 3420);
}

void TotalsPage::open() {}
