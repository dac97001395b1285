#pragma once
#include <QString>

class QCheckBox;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class Chart;
class Grid;
class ListBox;
class MonthCalendar;

// Lays out the named controls of one page or panel, geometry in twips.
// Names follow the window design; control arrays are named "name_index".
class FormBuilder {
public:
    explicit FormBuilder(QWidget *parent) : m_parent(parent) {}

    QLabel *label(const QString &caption, int l, int t, int w, int h, const QString &name = {});
    // A page title in a larger type.
    QLabel *title(const QString &caption, int l, int t, int w, int h);
    QLabel *valueLabel(const QString &name, int l, int t, int w, int h);
    QLabel *image(const QString &name, const QString &icon, int l, int t, int w, int h);
    QPushButton *button(const QString &name, const QString &caption, int l, int t, int w, int h);
    QLineEdit *textBox(const QString &name, int l, int t, int w, int h);
    QPlainTextEdit *multiLineText(const QString &name, int l, int t, int w, int h);
    ListBox *listBox(const QString &name, int l, int t, int w, int h);
    QComboBox *comboBox(const QString &name, bool editable, int l, int t, int w, int h);
    QRadioButton *option(const QString &name, const QString &caption, int l, int t, int w, int h);
    // The pair "グラフのみ表示" / "リスト同時表示" of the trend pages (name_0, name_1).
    void graphOrListOptions(const QString &arrayName, int left, int width, QRadioButton *out[2]);
    QCheckBox *checkBox(const QString &name, const QString &caption, int l, int t, int w, int h);
    QGroupBox *frame(const QString &caption, int l, int t, int w, int h, const QString &name = {});
    // A chart legend: a frame whose caption names the series, over a bar of its colour.
    // One line of a legend inside a frame: a stroke of the series' colour (as
    // thick as its line or bars are drawn) with the caption to its right.
    void legendLine(const QString &caption, const QColor &color, int l, int t, int thickness);
    QGroupBox *legend(const QString &caption, const QColor &color, int l, int t, int w, int h,
                      const QString &name = {});
    Grid *grid(const QString &name, int fixedCols, int cols, int l, int t, int w, int h);
    Chart *chart(const QString &name, int l, int t, int w, int h);
    MonthCalendar *calendar(const QString &name, int l, int t, int w, int h);

private:
    template <typename W> W *place(W *w, const QString &name, int l, int t, int wd, int h);
    template <typename W> W *named(W *w);
    QWidget *m_parent;
    QString m_lastCaption; // the caption just placed, not yet naming an input
};
