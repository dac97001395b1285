#include "mainwindow/mainpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"

MainPage::MainPage(FormState &state, QWidget *parent) : QWidget(parent), m_state(state) {
    setObjectName(QStringLiteral("fraMain"));
    buildEntry();
    buildFigures();
    buildChart();
}

void MainPage::buildEntry() {
    FormBuilder b(this);
    b.label(QStringLiteral("支払い"), 60, 30, 2200, 270);
    lstMise = b.listBox(QStringLiteral("lstMise"), 60, 300, 2250, 3700);
    b.label(QStringLiteral("費目"), 60, 4060, 2200, 270);
    cboJanru = b.comboBox(QStringLiteral("cboJanru"), true, 60, 4330, 2250, 360);
    b.label(QStringLiteral("金額入力"), 60, 4780, 1500, 270);
    txtOutInp = b.textBox(QStringLiteral("txtOutInp"), 60, 5050, 1550, 400);
    txtOutInp->setAlignment(Qt::AlignRight);
    cmdTaiHozon = b.button(QStringLiteral("cmdTaiHozon"), QString(), 1700, 4900, 610, 610);
    cmdTaiHozon->setIcon(iconOf(QStringLiteral("floppy")));
    cmdTaiHozon->setIconSize(QSize(twipsToPx(450), twipsToPx(450)));
    cmdTaiHozon->setToolTip(QStringLiteral("保存"));

    const struct {
        QPushButton **button;
        const char16_t *name, *caption, *icon, *tip;
        int left;
    } tools[] = {
        {&cmdFree, u"cmdFree", u"", u"free", u"支払い先フリー入力", 60},
        {&cmdFumei, u"cmdFumei", u"", u"fumei", u"不明金処理", 820},
        {&cmdInp, u"cmdInp", u"入金", u"inp", u"入金", 1580},
    };
    for (const auto &t : tools) {
        QPushButton *btn = b.button(QString::fromUtf16(t.name), QString::fromUtf16(t.caption),
                                    t.left, 5650, 730, 760);
        btn->setIcon(iconOf(QString::fromUtf16(t.icon)));
        btn->setIconSize(QSize(twipsToPx(380), twipsToPx(380)));
        btn->setToolTip(QString::fromUtf16(t.tip));
        *t.button = btn;
    }

    mtvmain = b.calendar(QStringLiteral("mtvmain"), 2420, 30, 3700, 2600);
    msgDayList = b.grid(QStringLiteral("msgDayList"), 1, 4, 2420, 2700, 5620, 1980);
    b.label(QStringLiteral("本日"), 5600, 4720, 600, 300);
    lblDayTotal = b.valueLabel(QStringLiteral("lblDayTotal"), 6200, 4700, 1840, 330);
}

void MainPage::buildFigures() {
    FormBuilder b(this);
    imgNashi = b.image(QStringLiteral("imgNashi"), QStringLiteral("nashi"), 6250, 60, 1000, 1000);
    imgwara = b.image(QStringLiteral("imgwara"), QStringLiteral("wara"), 6250, 60, 1000, 1000);
    imgniko = b.image(QStringLiteral("imgniko"), QStringLiteral("niko"), 6250, 60, 1000, 1000);
    imgkana = b.image(QStringLiteral("imgkana"), QStringLiteral("kana"), 6250, 60, 1000, 1000);
    imgwara->hide();
    imgniko->hide();
    imgkana->hide();
    b.label(QStringLiteral("ペース評価"), 6250, 1150, 1300, 300);
    lblMHyouka = b.valueLabel(QStringLiteral("lblMHyouka"), 6250, 1450, 1900, 400);

    const struct {
        QLabel **label;
        const char16_t *caption, *name;
    } figures[] = {
        {&lblMonSt, u"今月のスタート", u"lblMonSt"},
        {&lblMonAdd, u"今月の追加補充", u"lblMonAdd"},
        {&lblMonTotal, u"今月の合計収入", u"lblMonTotal"},
        {&lblMonOut, u"本日までの支出", u"lblMonOut"},
        {&lblMonZan, u"今月の残", u"lblMonZan"},
        {&lblMonKeika, u"月初からの経過", u"lblMonKeika"},
        {&lblMonKeikaAvg, u"１日平均支出", u"lblMonKeikaAvg"},
        {&lblMonZanbi, u"末日までの残", u"lblMonZanbi"},
        {&lblMonZanAvg, u"１日平均可能金", u"lblMonZanAvg"},
    };
    int top = 30;
    for (const auto &f : figures) {
        b.label(QString::fromUtf16(f.caption), 8300, top, 1500, 270);
        *f.label = b.valueLabel(QString::fromUtf16(f.name), 9800, top, 1900, 270);
        top += f.label == &lblMonTotal || f.label == &lblMonZan ? 330 : 285;
    }
    // A rule under the month's income and under the money left.
    for (int y : {30 + 3 * 285 - 25, 30 + 5 * 285 + 45 - 25}) {
        auto *line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        placeTw(line, 8300, y, 3400, 30);
    }
}

void MainPage::buildChart() {
    FormBuilder b(this);
    mcrMain = b.chart(QStringLiteral("mcrMain"), 2420, 5080, 9300, 2440);
    mcrMain->setSeriesCount(3);
    mcrMain->setSeriesKind(1, Chart::SeriesKind::Line);
    mcrMain->setSeriesColor(1, QColor(0, 0, 255));
    mcrMain->setSeriesKind(2, Chart::SeriesKind::Line);
    mcrMain->setSeriesColor(2, QColor(255, 0, 0));
    mcrMain->setSeriesKind(3, Chart::SeriesKind::Bar);
    mcrMain->setSeriesAxis(3, Chart::Axis::Secondary);
    mcrMain->setSeriesColor(3, QColor(255, 200, 0));

    b.legend(QStringLiteral("残金推移"), QColor(0, 0, 255), 8150, 2700, 1700, 700,
             QStringLiteral("Frame5_0"));
    b.legend(QStringLiteral("日別支出"), QColor(255, 200, 0), 9950, 2700, 1700, 700,
             QStringLiteral("Frame5_1"));
    chkKijun = b.checkBox(QStringLiteral("chkKijun"), QStringLiteral("ペースラインを表示"), 8150,
                          3550, 3000, 330);
}
