#pragma once
#include <QRect>

class QWidget;

// Window geometry is designed in twips (15 twips = 1 px at 96 dpi), scaled
// with the screen. The designed pixels are then scaled once more with the
// window: a window at twice its designed size shows every control at twice
// its designed geometry (see windowscale.h).
int twipsToPx(int twips);
int pxToTwips(int px);

// Places a control at its designed rectangle, kept on the control so that a
// resized window can place it again; it lands at the window's present scale.
void placeTw(QWidget *w, int left, int top, int width, int height);
// Moves a placed control, keeping its designed size.
void moveTw(QWidget *w, int left, int top);
// The designed rectangle placeTw gave the control (twips); empty when none.
QRect designTwips(const QWidget *w);

// The scale of the window the widget is in: 1 at the designed size.
double scaleOf(const QWidget *w);
// A designed length in pixels as drawn at the widget's scale.
int scaledPx(const QWidget *w, double designPx);
// Sets the control's geometry from its designed rectangle at the window's
// present scale; the window's own children are moved by its centring offset.
void applyDesignGeometry(QWidget *w);
