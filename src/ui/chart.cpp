#include "ui/chart.h"
#include "ui/twips.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace {
// Each bar of a bar series is an item of its own on the drawing; beyond this
// many rows a bar series is drawn as one comb line instead.
constexpr int kMostBars = 400;

// One tooth per pixel column: the bar of largest size among the column's
// rows, drawn as a vertical stroke up from 0 and back.
QList<QPointF> combPoints(const QList<double> &values, int columns) {
    const qsizetype rows = values.size();
    const int teeth = static_cast<int>(std::min<qsizetype>(columns, rows));
    QList<QPointF> points;
    points.reserve(teeth * 3);
    for (int t = 0; t < teeth; ++t) {
        const qsizetype from = rows * t / teeth, to = rows * (t + 1) / teeth;
        double tallest = 0;
        for (qsizetype r = from; r < to; ++r)
            if (std::abs(values.at(r)) > std::abs(tallest)) tallest = values.at(r);
        const double x = static_cast<double>(from + to - 1) / 2;
        points << QPointF(x, 0) << QPointF(x, tallest) << QPointF(x, 0);
    }
    return points;
}

QLineSeries *combOf(const QList<double> &values, int columns, const QColor &color) {
    auto *comb = new QLineSeries;
    comb->replace(combPoints(values, columns));
    QPen pen(color.isValid() ? color : QColor(Qt::gray));
    pen.setWidth(1);
    comb->setPen(pen);
    return comb;
}

// The points of a line: every row, or, with more rows than twice the pixel
// columns, each column's lowest and highest row in their order (what the
// column would show of all its rows).
QList<QPointF> linePoints(const QList<double> &values, int columns) {
    const qsizetype rows = values.size();
    QList<QPointF> points;
    if (rows <= 2 * columns) {
        points.reserve(rows);
        for (qsizetype r = 0; r < rows; ++r)
            points.append(QPointF(static_cast<double>(r), values.at(r)));
        return points;
    }
    points.reserve(2 * columns);
    for (int c = 0; c < columns; ++c) {
        const qsizetype from = rows * c / columns, to = rows * (c + 1) / columns;
        qsizetype low = from, high = from;
        for (qsizetype r = from; r < to; ++r) {
            if (values.at(r) < values.at(low)) low = r;
            if (values.at(r) > values.at(high)) high = r;
        }
        for (qsizetype r : {std::min(low, high), std::max(low, high)})
            points.append(QPointF(static_cast<double>(r), values.at(r)));
    }
    return points;
}

// A chart view tells its chart of the window's activation each time the view
// is shown or hidden, and the chart then repaints itself whole: a page opened
// drew its chart two or three times. Nothing on these charts looks different
// in an inactive window, so the chart is not told.
class ActivationBlind : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *e) override {
        return e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate;
    }
};
} // namespace

Chart::Chart(QWidget *parent)
    : QWidget(parent), m_view(new QChartView(this)), m_render(this, [this] { render(); }) {
    m_view->setFocusPolicy(Qt::NoFocus); // a picture: nothing in it answers a key
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->chart()->legend()->hide();
    m_view->chart()->setMargins(QMargins(2, 2, 2, 2));
    m_view->chart()->setBackgroundRoundness(0);
    m_view->chart()->installEventFilter(new ActivationBlind(this));
}

void Chart::setSeries(const QList<SeriesSpec> &series) {
    setSeriesCount(static_cast<int>(series.size()));
    for (int i = 0; i < series.size(); ++i) {
        Series &s = m_series[i];
        s.name = series.at(i).name;
        s.kind = series.at(i).kind;
        s.axis = series.at(i).axis;
        s.color = series.at(i).color;
        s.visible = true;
    }
}

QString Chart::seriesName(int series) const {
    return validSeries(series) ? m_series.at(series - 1).name : QString();
}

int Chart::seriesNumber(const QString &name) const {
    for (int i = 0; i < seriesCount(); ++i)
        if (m_series.at(i).name == name) return i + 1;
    return 0;
}

QColor Chart::seriesColor(int series) const {
    return validSeries(series) ? m_series.at(series - 1).color : QColor();
}

void Chart::setSeriesCount(int n) {
    m_series.resize(std::max(n, 0));
    for (Series &s : m_series)
        s.values.resize(rowCount());
    scheduleRender();
}

void Chart::setSeriesKind(int series, SeriesKind kind) {
    if (!validSeries(series)) return;
    m_series[series - 1].kind = kind;
    scheduleRender();
}

Chart::SeriesKind Chart::seriesKind(int series) const {
    return validSeries(series) ? m_series.at(series - 1).kind : SeriesKind::Line;
}

void Chart::setSeriesAxis(int series, Axis axis) {
    if (!validSeries(series)) return;
    m_series[series - 1].axis = axis;
    scheduleRender();
}

Chart::Axis Chart::seriesAxis(int series) const {
    return validSeries(series) ? m_series.at(series - 1).axis : Axis::Primary;
}

void Chart::setSeriesColor(int series, const QColor &color) {
    if (!validSeries(series)) return;
    m_series[series - 1].color = color;
    scheduleRender();
}

void Chart::setSeriesVisible(int series, bool visible) {
    if (!validSeries(series)) return;
    m_series[series - 1].visible = visible;
    scheduleRender();
}

bool Chart::seriesVisible(int series) const {
    return validSeries(series) && m_series.at(series - 1).visible;
}

void Chart::setRowCount(int rows) {
    rows = std::max(rows, 0);
    m_rows = rows;
    if (!m_labels.isEmpty()) m_labels.removeIf([rows](auto it) { return it.key() >= rows; });
    for (Series &s : m_series)
        s.values.resize(rows);
    scheduleRender();
}

void Chart::setValue(int row, int series, double v) {
    if (!validSeries(series) || row < 1 || row > rowCount()) return;
    // A value that is no number would be dropped from bars built anew but
    // kept by bars written in place: it is drawn as 0 either way.
    m_series[series - 1].values[row - 1] = std::isfinite(v) ? v : 0;
    scheduleRender();
}

double Chart::value(int row, int series) const {
    if (!validSeries(series) || row < 1 || row > rowCount()) return 0;
    return m_series.at(series - 1).values.at(row - 1);
}

void Chart::setRowLabel(int row, const QString &label) {
    if (row < 1 || row > rowCount()) return;
    if (label.isEmpty())
        m_labels.remove(row - 1);
    else
        m_labels[row - 1] = label;
    scheduleRender();
}

QString Chart::rowLabel(int row) const {
    return row >= 1 && row <= rowCount() ? m_labels.value(row - 1) : QString();
}

void Chart::setAxis(Axis axis, double min, double max, int divisions) {
    m_axes[index(axis)] = {min, max, divisions};
    scheduleRender();
}

// Axis labels are measured when the drawing is built: build it at the shown size.
void Chart::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    scheduleRender();
}

void Chart::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    scheduleRender();
}

void Chart::render() {
    m_render.settle();
    Drawn now{size(), scaleOf(this), m_series, m_rows, m_labels, {m_axes[0], m_axes[1]}};
    if (m_drawn == now) return;
    const bool valuesOnly = m_drawn && sameShape(*m_drawn, now);
    m_drawn = std::move(now);
    if (valuesOnly) {
        writeValues();
        return;
    }
    m_built.clear();
    QChart *chart = m_view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *a : chart->axes()) {
        chart->removeAxis(a);
        delete a;
    }
    const int rows = rowCount();
    // Labels are laid out on the designed size and drawn at the window's scale.
    const double scale = scaleOf(this);
    const int designWidth = static_cast<int>(width() / scale);
    const int designHeight = static_cast<int>(height() / scale);
    QFont small = font();
    small.setPointSizeF(7 * scale);
    chart->setMargins(QMargins(2, 2, 2, 2) * scale);

    // Rows on a value axis from 0; at most 31 labels, and no more than fit the
    // width at about 18 px each, so that each stays readable.
    auto *x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setLabelsFont(small);
    x->setRange(-0.5, std::max(rows, 1) - 0.5);
    const int fitting = std::clamp((designWidth - 80) / 18, 1, 31);
    const int step = std::max(1, static_cast<int>(std::ceil(rows / double(fitting))));
    for (int r = 0; r < rows; r += step)
        x->append(m_labels.value(r), r);
    x->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);

    QValueAxis *y[2];
    for (int i = 0; i < 2; ++i) {
        y[i] = new QValueAxis;
        y[i]->setRange(m_axes[i].min, m_axes[i].max);
        // In a short chart every other division line is a minor one, so that
        // the labels left have room and are not elided.
        const int divisions = std::max(1, m_axes[i].divisions);
        const bool halve = divisions % 2 == 0 && designHeight - 60 < 24 * divisions;
        y[i]->setTickCount((halve ? divisions / 2 : divisions) + 1);
        y[i]->setMinorTickCount(halve ? 1 : 0);
        const double step = (m_axes[i].max - m_axes[i].min) / std::max(1, m_axes[i].divisions);
        y[i]->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
        y[i]->setLabelsFont(small);
        chart->addAxis(y[i], i == 0 ? Qt::AlignLeft : Qt::AlignRight);
    }
    y[1]->setGridLineVisible(false);
    // The right axis is drawn only for a chart that has a series on it.
    y[1]->setVisible(std::any_of(m_series.begin(), m_series.end(),
                                 [](const Series &s) { return s.axis == Axis::Secondary; }));

    // Bars first, so that the lines are drawn over them.
    QList<const Series *> order;
    for (const Series &s : m_series)
        if (s.visible && s.kind == SeriesKind::Bar) order.append(&s);
    for (const Series &s : m_series)
        if (s.visible && s.kind == SeriesKind::Line) order.append(&s);
    for (const Series *drawnSeries : order) {
        const Series &s = *drawnSeries;
        QAbstractSeries *drawn = nullptr;
        QBarSet *barSet = nullptr;
        if (s.kind == SeriesKind::Bar && rows > kMostBars) {
            auto *comb = combOf(s.values, std::max(1, width()), s.color);
            comb->setName(s.name);
            drawn = comb;
        } else if (s.kind == SeriesKind::Bar) {
            auto *set = new QBarSet(s.name);
            QList<qreal> values(s.values.begin(), s.values.end());
            set->append(values);
            if (s.color.isValid()) set->setColor(s.color);
            set->setBorderColor(s.color.isValid() ? s.color.darker(120) : QColor(Qt::gray));
            auto *bars = new QBarSeries;
            bars->setBarWidth(0.6);
            bars->append(set);
            drawn = bars;
            barSet = set;
        } else {
            auto *line = new QLineSeries;
            line->setName(s.name);
            line->replace(linePoints(s.values, std::max(1, width())));
            if (s.color.isValid()) {
                QPen pen(s.color);
                pen.setWidthF((s.kind == SeriesKind::Bar ? 1 : 2) * scale);
                line->setPen(pen);
            }
            drawn = line;
        }
        chart->addSeries(drawn);
        drawn->attachAxis(x);
        drawn->attachAxis(y[index(s.axis)]);
        m_built.append({drawnSeries - m_series.constData(), drawn, barSet});
    }
}

// Everything but the values: the drawing's axes, labels and series stay.
bool Chart::sameShape(const Drawn &a, const Drawn &b) {
    const auto shape = [](const Series &s) {
        return std::tie(s.name, s.kind, s.axis, s.color, s.visible);
    };
    return a.size == b.size && a.scale == b.scale && a.rows == b.rows && a.labels == b.labels &&
           a.axes[0] == b.axes[0] && a.axes[1] == b.axes[1] && a.series.size() == b.series.size() &&
           std::equal(a.series.begin(), a.series.end(), b.series.begin(),
                      [&](const Series &x, const Series &y) { return shape(x) == shape(y); });
}

namespace {
// Bars given all their values anew are all made anew, whereas each value
// written in place lays every bar out again: a few changed values (a save
// changes one day's bar) are written in place, many given anew.
void writeBars(QBarSet *bars, const QList<double> &values) {
    constexpr qsizetype kFewChanged = 32;
    const bool sameCount = bars->count() == values.size();
    QList<int> changed;
    for (int i = 0; sameCount && i < values.size() && changed.size() <= kFewChanged; ++i)
        if (bars->at(i) != values.at(i)) changed.append(i);
    if (sameCount && changed.size() <= kFewChanged) {
        for (int i : changed)
            bars->replace(i, values.at(i));
        return;
    }
    bars->remove(0, bars->count());
    bars->append(QList<qreal>(values.begin(), values.end()));
}
} // namespace

// New values written into the series on the drawing, as a new build would
// draw them.
void Chart::writeValues() {
    for (const Built &b : std::as_const(m_built)) {
        const Series &s = m_series.at(b.series);
        if (b.bars) {
            writeBars(b.bars, s.values);
        } else if (s.kind == SeriesKind::Bar) {
            static_cast<QLineSeries *>(b.drawn)->replace(
                combPoints(s.values, std::max(1, width())));
        } else {
            static_cast<QLineSeries *>(b.drawn)->replace(
                linePoints(s.values, std::max(1, width())));
        }
    }
}
