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

void showImage(QLabel *label, const QString &icon) {
    label->setProperty("miltea.image", icon);
    refreshImage(label);
}

void refreshImage(QLabel *label) {
    const QString icon = label->property("miltea.image").toString();
    if (!icon.isEmpty()) label->setPixmap(iconOf(icon).pixmap(label->size()));
}

void stylePanel(QWidget *panel, const QColor &background) {
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, background);
    panel->setPalette(p);
    panel->setStyleSheet(
        QStringLiteral("#%1 { border: 2px solid %2; border-radius: 4px; background: %3; }"
                       "#%1::title { subcontrol-origin: border; left: 8px; top: 2px; }")
            .arg(panel->objectName(), background.darker(160).name(), background.name()));
}
