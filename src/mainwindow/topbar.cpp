#include "mainwindow/topbar.h"

#include <QToolButton>

#include "ui/controls.h"
#include "ui/keyboard.h"
#include "ui/twips.h"

TopBar TopBar::build(QWidget *window) {
    TopBar bar{};
    const struct {
        QToolButton **button;
        const char16_t *name, *caption, *tip, *icon;
        int left, width;
    } buttons[] = {
        {&bar.cmdMain, u"cmdMain", u"メイン", u"メイン画面を表示します", u"main", 75, 990},
        {&bar.cmdKakei, u"cmdKakei", u"集計", u"月別、日別の支出集計を表示します", u"kakei", 1050,
         990},
        {&bar.cmdRentai, u"cmdRentai", u"全グラフ", u"現在までの残金推移グラフを表示します",
         u"rentai", 2025, 990},
        {&bar.cmdCyokin, u"cmdCyokin", u"貯金", u"貯金成果を表示します", u"cyokin", 3000, 990},
        {&bar.cmdSyoukai, u"cmdSyoukai", u"反省", u"ムダ遣いの反省や先の予測をシミュレートします",
         u"syoukai", 3975, 990},
        {&bar.cmdTaijyu, u"cmdTaijyu", u"範囲指定", u"表示条件を指定できます", u"taijyu", 4950,
         990},
        {&bar.cmdBunseki, u"cmdBunseki", u"並び替え", u"データを並び替え表示します", u"bunseki",
         5925, 990},
        {&bar.cmdCale, u"cmdCale", u"カレンダ", u"支出状況把握カレンダーを表示します", u"cale",
         6900, 990},
        {&bar.cmdMemo, u"cmdMemo", u"一言日記", u"ちょっとした日記を表示します", u"memo", 7875,
         990},
        {&bar.cmdSettei, u"cmdSettei", u"編集", u"編集画面を表示します", u"settei", 8850, 840},
        {&bar.cmdHelp, u"cmdHelp", u"ヘルプ", u"ヘルプファイルを開きます", u"help", 9675, 840},
        {&bar.cmdOwari, u"cmdOwari", u"終了", u"プログラムを終了します", u"owari", 10500, 840},
        {&bar.chkHelp, u"chkHelp", u"", u"ヘルプツアーのＯｎ／Ｏｆｆです", u"smiley", 11400, 390},
    };
    for (const auto &b : buttons) {
        auto *button = new QToolButton(window);
        button->setObjectName(QString::fromUtf16(b.name));
        button->setText(QString::fromUtf16(b.caption));
        button->setToolTip(QString::fromUtf16(b.tip));
        button->setIcon(iconOf(QString::fromUtf16(b.icon)));
        button->setToolButtonStyle(b.caption[0] ? Qt::ToolButtonTextUnderIcon
                                                : Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(twipsToPx(480), twipsToPx(480)));
        placeTw(button, b.left, 15, b.width, 840);
        *b.button = button;
    }
    // The ten pages on Alt+1 … Alt+0 in the bar's order, the help on F1.
    QToolButton *const pages[] = {bar.cmdMain,    bar.cmdKakei,  bar.cmdRentai,  bar.cmdCyokin,
                                  bar.cmdSyoukai, bar.cmdTaijyu, bar.cmdBunseki, bar.cmdCale,
                                  bar.cmdMemo,    bar.cmdSettei};
    for (int i = 0; i < 10; ++i)
        keyboard::bindShortcut(pages[i], QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + (i + 1) % 10)));
    keyboard::bindShortcut(bar.cmdHelp, QKeySequence(Qt::Key_F1));
    bar.chkHelp->setCheckable(true);
    bar.chkHelp->setIconSize(QSize(twipsToPx(330), twipsToPx(330)));
    return bar;
}
