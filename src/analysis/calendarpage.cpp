#include "analysis/calendarpage.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"

namespace {
// A legend swatch with its caption.
void legendLabel(FormBuilder &b, const QString &caption, const QColor &color, int left) {
    QLabel *swatch = b.label(QString(), left, 90, 300, 270);
    setLabelBackColor(swatch, color);
    swatch->setFrameShape(QFrame::Box);
    b.label(caption, left + 360, 60, 1900, 330);
}
} // namespace

CalendarPage::CalendarPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraCale"));
    FormBuilder b(this);
    b.title(QStringLiteral("支出状況把握カレンダー"), 120, 30, 4000, 400);
    legendLabel(b, QStringLiteral("入金日"), palette::incomeDay, 4800);
    legendLabel(b, QStringLiteral("出金日　（件数）"), palette::paymentDay, 6700);
    legendLabel(b, QStringLiteral("未記録日"), palette::emptyDay, 9200);
    msgCale = b.grid(QStringLiteral("msgCale"), 0, 32, 60, 500, 11620, 3300);
    msgCale_w = b.grid(QStringLiteral("msgCale_w"), 0, 8, 60, 3900, 4600, 3600);
    QGroupBox *count = b.frame(QStringLiteral("週別支払い回数"), 4760, 3900, 3440, 3600);
    QGroupBox *amount = b.frame(QStringLiteral("週別支払い金額"), 8260, 3900, 3420, 3600);
    mcrKensu = new Chart(count);
    mcrKensu->setObjectName(QStringLiteral("mcrKensu"));
    mcrKingaku = new Chart(amount);
    mcrKingaku->setObjectName(QStringLiteral("mcrKingaku"));
    for (auto [frame, chart] : {std::pair{count, mcrKensu}, std::pair{amount, mcrKingaku}}) {
        auto *layout = new QVBoxLayout(frame);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addWidget(chart, 1);
    }
}

void CalendarPage::open() {}
