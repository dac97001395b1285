#include "analysis/reflectionpage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"

ReflectionPage::ReflectionPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraSim"));
    FormBuilder b(this);
    // Left half: the month under reflection.
    cboSelMonth = b.comboBox(QStringLiteral("cboSelMonth"), false, 60, 60, 1800, 360);
    b.label(QStringLiteral("の反省"), 1920, 80, 1200, 330);
    msgSim1 = b.grid(QStringLiteral("msgSim1"), 0, 4, 60, 500, 5600, 6400);
    b.label(QStringLiteral("節約可能金"), 2300, 7030, 1400, 330);
    lblMuda = b.valueLabel(QStringLiteral("lblMuda"), 3700, 7000, 1960, 380);
    // Right half: planned payments.
    mtvSim = b.calendar(QStringLiteral("mtvSim"), 5780, 60, 3450, 2500);
    b.label(QStringLiteral("予定支出"), 9300, 100, 1400, 300);
    txtSim2 = b.textBox(QStringLiteral("txtSim2"), 9300, 400, 1500, 380);
    txtSim2->setAlignment(Qt::AlignRight);
    cmdHozonSim = b.button(QStringLiteral("cmdHozonSim"), QString(), 10900, 300, 600, 600);
    cmdHozonSim->setIcon(iconOf(QStringLiteral("floppy")));
    cmdHozonSim->setIconSize(QSize(twipsToPx(420), twipsToPx(420)));
    msgSim2 = b.grid(QStringLiteral("msgSim2"), 0, 4, 9300, 1000, 2400, 1560);
    mcrYosou = b.chart(QStringLiteral("mcrYosou"), 5850, 2650, 5850, 4850);
}

void ReflectionPage::open() {}

void ReflectionPage::showDay(QDate day) {
    mtvSim->setValue(day);
}
