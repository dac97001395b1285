#pragma once
#include <QColor>
#include <QIcon>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

// Back colours that can be read back: a label's through QPalette::Window
// (auto-fill on), a button's through QPalette::Button.
void setLabelBackColor(QLabel *label, const QColor &color);
QColor labelBackColor(const QLabel *label);
void setButtonBackColor(QAbstractButton *button, const QColor &color);
QColor buttonBackColor(const QAbstractButton *button);

QIcon iconOf(const QString &name);
// A panel that lies over a page: framed, in a colour of its own.
void stylePanel(QWidget *panel, const QColor &background);
