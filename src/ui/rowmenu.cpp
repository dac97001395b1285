#include "ui/rowmenu.h"

#include <QMenu>

int chooseFromRowMenu(QWidget *parent, QPoint globalPos, const QList<RowMenuItem> &items) {
    QMenu menu(parent);
    menu.setObjectName(QStringLiteral("rowMenu"));
    menu.setToolTipsVisible(true);
    QList<QAction *> actions;
    for (const RowMenuItem &item : items) {
        QAction *a = menu.addAction(item.text);
        a->setEnabled(item.enabled);
        if (!item.enabled) a->setToolTip(item.whyDisabled);
        actions.append(a);
    }
    return static_cast<int>(actions.indexOf(menu.exec(globalPos)));
}
