#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {
double pxPerTwip() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi / 1440.0;
}
} // namespace

int twipsToPx(int twips) {
    return static_cast<int>(std::lround(twips * pxPerTwip()));
}

int pxToTwips(int px) {
    return static_cast<int>(std::lround(px / pxPerTwip()));
}

void placeTw(QWidget *w, int left, int top, int width, int height) {
    w->setGeometry(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}
