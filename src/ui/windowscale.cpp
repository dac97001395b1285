#include "ui/windowscale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/twips.h"

namespace {
const char kFactor[] = "miltea.scale";
const char kOffset[] = "miltea.scaleOffset";
const char kPoints[] = "miltea.designPoints";
const char kIconSize[] = "miltea.designIconSize";

// A design value is kept the first time the control is fitted: controls are
// built at their designed sizes, and a control built later is too.
template <typename T> T designOf(QWidget *w, const char *key, const T &now) {
    const QVariant kept = w->property(key);
    if (kept.isValid()) return kept.value<T>();
    w->setProperty(key, QVariant::fromValue(now));
    return now;
}

// Grids and charts fit their own insides (row heights, column widths, axis
// fonts); their child widgets are theirs alone.
bool insideDrawnControl(const QWidget *w, const QWidget *window) {
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const Grid *>(p) || qobject_cast<const Chart *>(p)) return true;
    return false;
}

void fitFont(QWidget *w, double factor) {
    const double points = designOf(w, kPoints, w->font().pointSizeF());
    if (points <= 0) return;
    QFont f = w->font();
    f.setPointSizeF(points * factor);
    w->setFont(f);
}

void fitIcon(QAbstractButton *b, double factor) {
    const QSize design = designOf(b, kIconSize, b->iconSize());
    b->setIconSize(QSize(static_cast<int>(std::lround(design.width() * factor)),
                         static_cast<int>(std::lround(design.height() * factor))));
}
} // namespace

WindowScale windowScale(const QWidget *window) {
    const QVariant factor = window->property(kFactor);
    if (!factor.isValid()) return {};
    return {factor.toDouble(), window->property(kOffset).toPoint()};
}

void fitToWindow(QWidget *window, QSize designSize) {
    const double factor = std::max(0.1, std::min(window->width() / double(designSize.width()),
                                                 window->height() / double(designSize.height())));
    const QPoint offset(
        static_cast<int>((window->width() - std::lround(designSize.width() * factor)) / 2),
        static_cast<int>((window->height() - std::lround(designSize.height() * factor)) / 2));
    const WindowScale before = windowScale(window);
    if (before.factor == factor && before.offset == offset && window->property(kFactor).isValid())
        return;
    window->setProperty(kFactor, factor);
    window->setProperty(kOffset, offset);

    // The window's font is the application's, scaled; controls that keep a
    // font of their own are scaled from their designed size.
    const double appPoints = designOf(window, kPoints, QApplication::font().pointSizeF());
    QFont f = window->font();
    f.setPointSizeF(appPoints * factor);
    window->setFont(f);

    for (QWidget *w : window->findChildren<QWidget *>()) {
        // A dialog open over the window keeps its own sizes.
        if (w->window() != window || insideDrawnControl(w, window)) continue;
        // A style sheet stops the window's font at the panel it colours.
        if (w->testAttribute(Qt::WA_SetFont) || w->testAttribute(Qt::WA_StyleSheet))
            fitFont(w, factor);
        if (auto *b = qobject_cast<QAbstractButton *>(w)) fitIcon(b, factor);
        // A grid's rows grow before the grid does, so that it keeps its top row.
        if (auto *grid = qobject_cast<Grid *>(w)) grid->fitScale();
        applyDesignGeometry(w);
        if (auto *label = qobject_cast<QLabel *>(w)) refreshImage(label);
        if (auto *chart = qobject_cast<Chart *>(w)) chart->render();
    }
}
