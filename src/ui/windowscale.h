#pragma once
#include <QPoint>
#include <QSize>

class QWidget;

// How a window that grows shows its designed page: every control at its
// designed geometry times one factor, fonts and icons included, the page
// centred where the window's shape differs from the designed one.
struct WindowScale {
    double factor = 1; // min(window width / designed width, height / designed height)
    QPoint offset;     // the margin left and above the centred page
};

// The scale the window was last fitted at (1 and no offset before that).
WindowScale windowScale(const QWidget *window);

// Places every designed control of the window again for its present size:
// geometry, fonts, icon sizes and images; grids and charts draw themselves
// anew at the new size, so nothing is a magnified picture.
void fitToWindow(QWidget *window, QSize designSize);
