#pragma once
#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QPushButton;
class QWidget;

// The keyboard road through the window: where the focus lands when a page or
// panel opens, how a panel is left, and what a screen reader calls a control.
namespace keyboard {

// The first control of the container that takes the focus by Tab, in Tab
// order; a grid only when there is nothing else, unless the container named
// its own first input.
QWidget *firstInput(QWidget *container);
// For a page whose work starts in a grid (a row is picked before anything
// is typed).
void setFirstInput(QWidget *container, QWidget *first);
void focusFirstInput(QWidget *container);
// A page opened from the bar: its first input takes the focus, unless a
// panel left open on it took the focus back as the page showed.
void focusOpenedPage(QWidget *page);
// Each time the container is shown, its first input takes the focus, unless
// the focus is already inside it (a panel over a page keeps its own).
void focusFirstInputOnShow(QWidget *container);
// A page that a handler hides and shows again (to redraw, or to switch
// conditions) gives the focus back to the control that held it, so a button
// pressed by Space keeps the focus instead of sending it to the top bar.
void keepFocusWhileRedrawn(QWidget *page);
// True while such a control is being given its focus back: it was not
// entered anew, so what it does on entry does not run.
bool givingFocusBack();
// When the panel closes with the focus inside it, the button that opened it
// takes the focus, rather than whatever control comes next on the window.
void focusOpenerOnClose(QWidget *panel, QWidget *opener);
// Enter on the focused button presses it, as Space does: once for each
// stroke, not again while the key is held down and repeats.
void pressOnEnter(QPushButton *button);
// Escape anywhere inside the panel presses its closing button.
void closeOnEscape(QWidget *panel, QAbstractButton *closer);
// The key runs the button's click; the tooltip shows it after the button's own text.
void bindShortcut(QAbstractButton *button, const QKeySequence &key);
// The tooltip as shown, with the key bound to the button.
QString shownTooltip(QAbstractButton *button);
// Names every control of the window that has none yet, for screen readers:
// a button drawn with a picture only by its tooltip; an input by the caption
// label just before it, else by the title of the frame it sits in. The part
// of a compound control that takes the focus (a grid's table, a calendar's
// days) carries its owner's name.
void nameControls(QWidget *window);

} // namespace keyboard
