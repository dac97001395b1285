#pragma once
#include <QColor>
#include <QHash>
#include <QList>
#include <QWidget>
#include <optional>

#include "ui/deferredrefresh.h"

class QAbstractSeries;
class QBarSet;
class QChartView;

// A chart fed with a rows × series data table, both counted from 1: each
// series is a line or bars on the primary (left) or secondary (right) value
// axis. Rows lie on a value axis labelled with the row labels, so thousands of
// days draw quickly. The drawing is rebuilt once per event loop turn.
class Chart : public QWidget {
    Q_OBJECT
public:
    enum class SeriesKind { Line, Bar };
    enum class Axis { Primary, Secondary };

    // One series of a chart's series table. The name is its legend text.
    struct SeriesSpec {
        QString name;
        SeriesKind kind = SeriesKind::Line;
        Axis axis = Axis::Primary;
        QColor color = QColor(); // none: the style's own
    };

    explicit Chart(QWidget *parent = nullptr);

    // Declares every series at once, numbered from 1 in table order, all
    // shown; values already set to series that stay are kept.
    void setSeries(const QList<SeriesSpec> &series);
    QString seriesName(int series) const;
    // The number of the series with this name, 0 when there is none.
    int seriesNumber(const QString &name) const;
    QColor seriesColor(int series) const;

    void setSeriesCount(int n);
    int seriesCount() const { return static_cast<int>(m_series.size()); }
    void setSeriesKind(int series, SeriesKind kind);
    SeriesKind seriesKind(int series) const;
    void setSeriesAxis(int series, Axis axis);
    Axis seriesAxis(int series) const;
    void setSeriesColor(int series, const QColor &color);
    void setSeriesVisible(int series, bool visible);
    bool seriesVisible(int series) const;

    void setRowCount(int rows);
    int rowCount() const { return m_rows; }
    // A value that is no number (NaN, ±∞) is held and drawn as 0.
    void setValue(int row, int series, double v);
    double value(int row, int series) const;
    void setRowLabel(int row, const QString &label);
    QString rowLabel(int row) const;

    void setAxis(Axis axis, double min, double max, int divisions);
    double axisMin(Axis axis) const { return m_axes[index(axis)].min; }
    double axisMax(Axis axis) const { return m_axes[index(axis)].max; }
    int axisDivisions(Axis axis) const { return m_axes[index(axis)].divisions; }

    // Builds the drawing now (it is otherwise built at the next turn).
    void render();

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    struct Series {
        QString name;
        SeriesKind kind = SeriesKind::Line;
        Axis axis = Axis::Primary;
        QColor color;
        bool visible = true;
        QList<double> values;
        bool operator==(const Series &) const = default;
    };
    struct AxisRange {
        double min = 0;
        double max = 1;
        int divisions = 10;
        bool operator==(const AxisRange &) const = default;
    };
    // Everything a drawing is built from: a page that sets the same again
    // (opened anew on an unchanged book) keeps the drawing it has.
    struct Drawn {
        QSize size;
        double scale = 1;
        QList<Series> series;
        int rows = 0;
        QHash<int, QString> labels;
        AxisRange axes[2];
        bool operator==(const Drawn &) const = default;
    };
    static int index(Axis a) { return a == Axis::Primary ? 0 : 1; }
    bool validSeries(int s) const { return s >= 1 && s <= seriesCount(); }
    void scheduleRender() { m_render.request(); }

    QChartView *m_view;
    QList<Series> m_series;
    int m_rows = 0;
    // Only the labels set: a chart of 100,000 rows labels a few of them.
    QHash<int, QString> m_labels;
    AxisRange m_axes[2];
    std::optional<Drawn> m_drawn;
    // The series on the drawing, in drawing order: a change of values alone
    // is written into them, and the axes stay as laid out.
    struct Built {
        qsizetype series; // index into m_series
        QAbstractSeries *drawn;
        QBarSet *bars; // the bars' values, when drawn as bars
    };
    QList<Built> m_built;
    static bool sameShape(const Drawn &a, const Drawn &b);
    void writeValues();
    DeferredRefresh m_render;
};
