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
// An image label shows the named icon drawn at the label's size, and again at
// each new size (refreshImage), so it stays sharp in a grown window.
void showImage(QLabel *label, const QString &icon);
void refreshImage(QLabel *label);
// A panel that lies over a page: framed, in a colour of its own.
void stylePanel(QWidget *panel, const QColor &background);
