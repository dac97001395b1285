#pragma once
#include <QString>

class QToolButton;
class QWidget;

// The bar of page buttons across the top of the window.
struct TopBar {
    QToolButton *cmdMain, *cmdKakei, *cmdRentai, *cmdCyokin, *cmdSyoukai, *cmdTaijyu, *cmdBunseki,
        *cmdCale, *cmdMemo, *cmdSettei, *cmdHelp, *cmdOwari;
    QToolButton *chkHelp; // checkable, drawn as a smiley picture

    static TopBar build(QWidget *window);
};
