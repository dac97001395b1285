#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

#include "ui/windowscale.h"

namespace {
double pxPerTwip() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi / 1440.0;
}

const char kDesign[] = "miltea.designTwips";
} // namespace

int twipsToPx(int twips) {
    return static_cast<int>(std::lround(twips * pxPerTwip()));
}

int pxToTwips(int px) {
    return static_cast<int>(std::lround(px / pxPerTwip()));
}

void placeTw(QWidget *w, int left, int top, int width, int height) {
    w->setProperty(kDesign, QRect(left, top, width, height));
    applyDesignGeometry(w);
}

void moveTw(QWidget *w, int left, int top) {
    const QRect r = designTwips(w);
    placeTw(w, left, top, r.width(), r.height());
}

QRect designTwips(const QWidget *w) {
    return w->property(kDesign).toRect();
}

double scaleOf(const QWidget *w) {
    return windowScale(w->window()).factor;
}

int scaledPx(const QWidget *w, double designPx) {
    return static_cast<int>(std::lround(designPx * scaleOf(w)));
}

void applyDesignGeometry(QWidget *w) {
    const QVariant design = w->property(kDesign);
    if (!design.isValid()) return;
    const QRect r = design.toRect();
    QWidget *window = w->window();
    const WindowScale scale = windowScale(window);
    // The designed pixels are scaled, not the twips: at twice the size every
    // edge lands exactly twice as far.
    const auto at = [&](int twips) { return std::lround(twipsToPx(twips) * scale.factor); };
    const QPoint offset = w->parentWidget() == window && w != window ? scale.offset : QPoint();
    w->setGeometry(static_cast<int>(at(r.left())) + offset.x(),
                   static_cast<int>(at(r.top())) + offset.y(), static_cast<int>(at(r.width())),
                   static_cast<int>(at(r.height())));
}
