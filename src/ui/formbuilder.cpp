#include "ui/formbuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/keyboard.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"

template <typename W>
W *FormBuilder::place(W *w, const QString &name, int l, int t, int wd, int h) {
    if (!name.isEmpty()) w->setObjectName(name);
    placeTw(w, l, t, wd, h);
    return w;
}

QLabel *FormBuilder::label(const QString &caption, int l, int t, int w, int h,
                           const QString &name) {
    QLabel *v = place(new QLabel(caption, m_parent), name, l, t, w, h);
    m_lastCaption = caption;
    return v;
}

// An input placed right after a caption is named by it (what a screen reader
// announces); the caption names one input only.
template <typename W> W *FormBuilder::named(W *w) {
    if (!m_lastCaption.isEmpty()) w->setAccessibleName(m_lastCaption);
    m_lastCaption.clear();
    return w;
}

QLabel *FormBuilder::title(const QString &caption, int l, int t, int w, int h) {
    QLabel *v = label(caption, l, t, w, h);
    m_lastCaption.clear(); // a title heads the page, it names no input
    QFont f = v->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    v->setFont(f);
    return v;
}

QLabel *FormBuilder::valueLabel(const QString &name, int l, int t, int w, int h) {
    QLabel *v = place(new QLabel(m_parent), name, l, t, w, h);
    m_lastCaption.clear(); // the caption was this figure's
    v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    v->setFrameShape(QFrame::Panel);
    v->setFrameShadow(QFrame::Sunken);
    return v;
}

QLabel *FormBuilder::image(const QString &name, const QString &icon, int l, int t, int w, int h) {
    QLabel *v = place(new QLabel(m_parent), name, l, t, w, h);
    showImage(v, icon);
    v->setAlignment(Qt::AlignCenter);
    return v;
}

QPushButton *FormBuilder::button(const QString &name, const QString &caption, int l, int t, int w,
                                 int h) {
    m_lastCaption.clear(); // a captioned control is named by its own caption
    auto *button = new QPushButton(caption, m_parent);
    keyboard::pressOnEnter(button);
    return place(button, name, l, t, w, h);
}

QLineEdit *FormBuilder::textBox(const QString &name, int l, int t, int w, int h) {
    return named(place(new QLineEdit(m_parent), name, l, t, w, h));
}

QPlainTextEdit *FormBuilder::multiLineText(const QString &name, int l, int t, int w, int h) {
    return named(place(new QPlainTextEdit(m_parent), name, l, t, w, h));
}

ListBox *FormBuilder::listBox(const QString &name, int l, int t, int w, int h) {
    return named(place(new ListBox(m_parent), name, l, t, w, h));
}

QComboBox *FormBuilder::comboBox(const QString &name, bool editable, int l, int t, int w, int h) {
    QComboBox *c = named(place(new QComboBox(m_parent), name, l, t, w, h));
    c->setEditable(editable);
    if (editable) c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QRadioButton *FormBuilder::option(const QString &name, const QString &caption, int l, int t, int w,
                                  int h) {
    m_lastCaption.clear(); // a captioned control is named by its own caption
    return place(new QRadioButton(caption, m_parent), name, l, t, w, h);
}

void FormBuilder::graphOrListOptions(const QString &arrayName, int left, int width,
                                     QRadioButton *out[2]) {
    out[0] = option(arrayName + QStringLiteral("_0"), QStringLiteral("グラフのみ表示"), left, 100,
                    width, 330);
    out[1] = option(arrayName + QStringLiteral("_1"), QStringLiteral("リスト同時表示"),
                    left + width + 100, 100, width, 330);
}

QCheckBox *FormBuilder::checkBox(const QString &name, const QString &caption, int l, int t, int w,
                                 int h) {
    m_lastCaption.clear(); // a captioned control is named by its own caption
    return place(new QCheckBox(caption, m_parent), name, l, t, w, h);
}

QGroupBox *FormBuilder::frame(const QString &caption, int l, int t, int w, int h,
                              const QString &name) {
    return place(new QGroupBox(caption, m_parent), name, l, t, w, h);
}

void FormBuilder::legendLine(const QString &caption, const QColor &color, int l, int t,
                             int thickness) {
    auto *stroke = new QLabel(m_parent);
    setLabelBackColor(stroke, color);
    placeTw(stroke, l, t + 150 - thickness / 2, 500, thickness);
    label(caption, l + 600, t, 1800, 300);
}

QGroupBox *FormBuilder::legend(const QString &caption, const QColor &color, int l, int t, int w,
                               int h, const QString &name) {
    QGroupBox *box = frame(caption, l, t, w, h, name);
    auto *swatch = new QLabel(box);
    setLabelBackColor(swatch, color);
    placeTw(swatch, 200, h / 2 + 20, w - 400, 150);
    return box;
}

Grid *FormBuilder::grid(const QString &name, int fixedCols, int cols, int l, int t, int w, int h) {
    Grid *g = named(place(new Grid(m_parent), name, l, t, w, h));
    g->setCols(cols);
    g->setRows(1);
    g->setFixedRows(1);
    g->setFixedCols(fixedCols);
    return g;
}

Chart *FormBuilder::chart(const QString &name, int l, int t, int w, int h) {
    return place(new Chart(m_parent), name, l, t, w, h);
}

MonthCalendar *FormBuilder::calendar(const QString &name, int l, int t, int w, int h) {
    return named(place(new MonthCalendar(m_parent), name, l, t, w, h));
}
