#include "ui/controls.h"

#include <QAbstractButton>
#include <QIcon>
#include <QLabel>

#include "ui/twips.h"

void setLabelBackColor(QLabel *label, const QColor &color) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, color);
    label->setPalette(p);
    label->setAutoFillBackground(true);
}

QColor labelBackColor(const QLabel *label) {
    return label->palette().color(QPalette::Window);
}

void setButtonBackColor(QAbstractButton *button, const QColor &color) {
    QPalette p = button->palette();
    p.setColor(QPalette::Button, color);
    button->setPalette(p);
}

QColor buttonBackColor(const QAbstractButton *button) {
    return button->palette().color(QPalette::Button);
}

QIcon iconOf(const QString &name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}
