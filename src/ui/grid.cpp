#include "ui/grid.h"

#include <QDir>
#include <QFileDialog>
#include <QMetaMethod>
#include <QShortcut>

#include "book/csvexport.h"
#include "ui/dialogs.h"
#include "ui/rowmenu.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "ui/gridcells.h"
#include "ui/griddelegate.h"
#include "ui/keysort.h"
#include "ui/twips.h"

namespace {
// Fewer rows than this are kept in the views of a hidden grid.
constexpr int kReleasedRows = 2000;

struct ColumnLayout {
    int widthTw = 960;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment fixedAlign = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment headerAlign; // none: the fixed alignment
};

// Yen and digit texts as numbers: "¥1,500", "-¥200", "12", "3.5"; the other
// characters are passed over, and a text without digits counts as 0.
double numericKey(QStringView s) {
    double whole = 0, scale = 0;
    bool negative = false;
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        if (c >= u'0' && c <= u'9') {
            if (scale > 0) {
                scale /= 10;
                whole += (c - u'0') * scale;
            } else {
                whole = whole * 10 + (c - u'0');
            }
        } else if (c == u'-') {
            negative = true;
        } else if (c == u'.' && scale == 0) {
            scale = 1;
        }
    }
    return negative ? -whole : whole;
}

// Rows made by a function, for setComputedRows.
class FunctionRows : public GridRowSource {
public:
    FunctionRows(int count, Grid::CellText text) : m_count(count), m_text(std::move(text)) {}
    int rowCount() const override { return m_count; }
    QString text(int row, int col) const override { return m_text(row, col); }

private:
    int m_count;
    Grid::CellText m_text;
};
} // namespace

// The cells; row 0 (when fixed) is shown as the header, rows below as the
// table. The view learns the row count only at a reset, so every access is
// bounds-checked against the live data.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(Grid *grid) : QAbstractTableModel(grid), m_grid(grid) {}

    GridCells cells;
    // Back colours of a column over a run of rows, under the cells' own.
    struct ColourRun {
        int first, count, col;
        QColor color;
    };
    QList<ColourRun> colourRuns;
    QColor runColour(int r, int c) const {
        for (const ColourRun &run : colourRuns)
            if (c == run.col && r >= run.first && r < run.first + run.count) return run.color;
        return {};
    }
    QList<ColumnLayout> columns;
    // Rows whose texts the source makes when they are shown, read or sorted:
    // the source's row for each grid row, or -1 where the cells hold the texts.
    std::shared_ptr<const GridRowSource> source;
    QList<int> sourceRow;

    QString text(int r, int c) const {
        const int s = sourceRow.at(r);
        return s >= 0 ? source->text(s, c) : cells.text(r, c);
    }
    double number(int r, int c) const {
        double v = 0;
        const int s = sourceRow.at(r);
        if (s >= 0 && source->number(s, c, &v)) return v;
        return s >= 0 ? numericKey(source->text(s, c)) : numericKey(cells.view(r, c));
    }
    // The source's text-sort keys by grid row, when every row below the fixed
    // ones shows a source row as it is.
    bool sourceKeys(int c, int firstRow, QList<int> *byRow) const {
        QList<int> keys;
        if (!source || !source->sortKeys(c, &keys)) return false;
        byRow->resize(sourceRow.size());
        for (int r = firstRow; r < sourceRow.size(); ++r) {
            const int s = sourceRow.at(r);
            if (s < 0 || s >= keys.size()) return false;
            (*byRow)[r] = keys.at(s);
        }
        return true;
    }
    // A row about to be written takes its texts and colours from the source first.
    void makeWritable(int r) {
        const int s = sourceRow.at(r);
        if (s < 0) return;
        for (int c = 0; c < cells.cols(); ++c) {
            cells.setText(r, c, source->text(s, c));
            if (const QColor back = source->backColor(s, c);
                back.isValid() && !cells.backColor(r, c).isValid())
                cells.setBackColor(r, c, back);
        }
        sourceRow[r] = -1;
    }
    void dropSource() {
        sourceRow.fill(-1);
        source.reset();
    }
    int shownRows = 0;
    int shownCols = 0;

    // A released grid's views hold no rows: each view keeps an item per row.
    void reset(bool released = false) {
        beginResetModel();
        shownRows = released ? 0 : std::max(0, cells.rows() - m_grid->fixedRows());
        shownCols = static_cast<int>(columns.size());
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : shownRows;
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : shownCols;
    }

    QVariant cell(int r, int c, int role) const {
        if (r < 0 || r >= cells.rows() || c < 0 || c >= cells.cols()) return {};
        const bool fixed = r < m_grid->fixedRows() || c < m_grid->fixedCols();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: // the whole text of a cell too narrow for it
            return text(r, c);
        case Qt::TextAlignmentRole: {
            const ColumnLayout &col = columns.at(c);
            if (r < m_grid->fixedRows() && col.headerAlign)
                return static_cast<int>(col.headerAlign);
            return static_cast<int>(fixed ? col.fixedAlign : col.align);
        }
        case Qt::BackgroundRole: {
            QColor color = cells.backColor(r, c);
            if (const int s = sourceRow.at(r); !color.isValid() && s >= 0)
                color = source->backColor(s, c);
            if (!color.isValid() && !colourRuns.isEmpty()) color = runColour(r, c);
            if (!color.isValid())
                color = QApplication::palette().color(fixed ? QPalette::Button : QPalette::Base);
            return color;
        }
        case Qt::ForegroundRole: {
            const QColor color = cells.foreColor(r, c);
            if (color.isValid()) return color;
            return QApplication::palette().color(fixed ? QPalette::ButtonText : QPalette::Text);
        }
        case Grid::SortRole:
            return number(r, c);
        default:
            return {};
        }
    }

    QVariant data(const QModelIndex &index, int role) const override {
        return cell(index.row() + m_grid->fixedRows(), index.column(), role);
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || m_grid->fixedRows() == 0) return {};
        return cell(0, section, role);
    }

    Qt::ItemFlags flags(const QModelIndex &) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    Grid *m_grid;
};

class GridView : public QTableView {
public:
    using QTableView::QTableView;
    using QTableView::updateGeometries;
};

namespace {
void styleRowHeader(QHeaderView *h, int rowHeight) {
    h->hide();
    h->setDefaultSectionSize(rowHeight);
    h->setSectionResizeMode(QHeaderView::Fixed);
}

void styleView(QTableView *v) {
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectItems);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    styleRowHeader(v->verticalHeader(), 20);
    v->horizontalHeader()->setSectionsClickable(true);
    v->horizontalHeader()->setMinimumSectionSize(1); // narrow day columns keep their width
    v->horizontalHeader()->setHighlightSections(false);
    v->setWordWrap(false);
    v->setStyleSheet(
        QStringLiteral("QTableView { gridline-color: #C0C0C0; background-color: #808080; }"));
    QPalette p = v->palette();
    p.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80)); // the empty area
    v->setPalette(p);
}
} // namespace

Grid::Grid(QWidget *parent)
    : QWidget(parent), m_model(new GridModel(this)), m_view(new GridView(this)),
      m_frozen(new GridView(this)), m_refresh(this, [this] { refresh(); }) {
    styleView(m_view);
    styleView(m_frozen);
    m_view->setModel(m_model);
    m_frozen->setModel(m_model);
    m_view->setItemDelegate(new GridDelegate(m_view));
    m_frozen->setItemDelegate(new GridDelegate(m_frozen));
    m_frozen->setSelectionModel(m_view->selectionModel());
    m_frozen->setFocusPolicy(Qt::NoFocus);
    // Ctrl+E writes the grid to a CSV file, wherever in the grid the focus is.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this, this, &Grid::exportCsv,
                  Qt::WidgetWithChildrenShortcut);
    // The arrow keys move between cells; Tab leaves the grid for the next control.
    m_view->setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_view);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->hide();
    // The frozen columns scroll up and down with the rest.
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged, m_view->verticalScrollBar(),
            &QScrollBar::setValue);
    // What the user scrolls to is kept as the top row (a hidden grid has no range to keep).
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_view->isVisible() && !m_inRefresh && !m_released)
            m_requestedTop = m_fixedRows + value;
    });
    for (QTableView *v : {static_cast<QTableView *>(m_view), static_cast<QTableView *>(m_frozen)}) {
        connect(v, &QTableView::clicked, this,
                [this](const QModelIndex &i) { userClicked(i.row() + m_fixedRows, i.column()); });
        connect(v->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int c) { userClicked(0, c); });
        v->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(v, &QWidget::customContextMenuRequested, this, [this, v](const QPoint &pos) {
            const QModelIndex i = v->indexAt(pos);
            const QPoint global = v->viewport()->mapToGlobal(pos);
            // A grid whose page has no menu of its own offers the export alone.
            if (!isSignalConnected(QMetaMethod::fromSignal(&Grid::contextMenuRequested))) {
                if (chooseFromRowMenu(this, global, {{kExportItem, true, {}}}) == 0) exportCsv();
                return;
            }
            if (i.isValid()) rightClickCell(i.row() + m_fixedRows, i.column(), global);
        });
    }
    // The arrow keys move the view's current cell: the grid's current row
    // follows, so F2 and Delete act on the row the user sees marked.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) {
                if (m_inRefresh || !i.isValid()) return;
                m_currentRow = i.row() + m_fixedRows;
                m_currentCol = i.column();
            });
    m_view->installEventFilter(this);
    setFontPointSize(m_pointSize);
}

Grid::~Grid() = default;

int Grid::rows() const {
    return m_model->cells.rows();
}

void Grid::setRows(int rows) {
    rows = std::max(rows, 0);
    m_model->cells.setRows(rows);
    QList<int> &sourceRow = m_model->sourceRow;
    if (sourceRow.size() > rows) {
        sourceRow.resize(rows);
        // A list cut down gives back its room (a page left keeps its header alone).
        if (sourceRow.capacity() > 2 * qsizetype(rows) + 1024) sourceRow.squeeze();
    }
    while (sourceRow.size() < rows)
        sourceRow.append(-1);
    m_currentRow = std::min(m_currentRow, std::max(rows - 1, 0));
    // Rows that disappear take the scroll position with them.
    m_requestedTop = std::max(m_fixedRows, std::min(m_requestedTop, rows - 1));
    m_structureDirty = true;
    scheduleRefresh();
}

int Grid::cols() const {
    return static_cast<int>(m_model->columns.size());
}

void Grid::setCols(int cols) {
    cols = std::max(cols, 0);
    m_model->columns.resize(cols);
    m_model->cells.setCols(cols);
    m_currentCol = std::min(m_currentCol, std::max(cols - 1, 0));
    m_structureDirty = true;
    scheduleRefresh();
}

namespace {
Qt::Alignment centredVertically(Qt::Alignment a) {
    return a & Qt::AlignVertical_Mask ? a : a | Qt::AlignVCenter;
}
} // namespace

void Grid::setColumns(const QList<Column> &columns) {
    setCols(static_cast<int>(columns.size()));
    if (rows() == 0) setRows(1);
    for (int c = 0; c < columns.size(); ++c) {
        const Column &column = columns.at(c);
        setText(0, c, column.header);
        setColWidth(c, column.twips);
        setColAlignment(c, centredVertically(column.align));
        setFixedAlignment(c, centredVertically(column.fixedAlign));
    }
}

void Grid::setFixedRows(int n) {
    m_fixedRows = std::clamp(n, 0, 1);
    m_structureDirty = true;
    scheduleRefresh();
}

void Grid::setFixedCols(int n) {
    m_fixedCols = std::max(n, 0);
    m_structureDirty = true;
    scheduleRefresh();
}

QString Grid::text(int r, int c) const {
    if (r < 0 || r >= rows() || c < 0 || c >= cols()) return {};
    return m_model->text(r, c);
}

void Grid::setText(int r, int c, const QString &text) {
    if (r < 0 || r >= rows() || c < 0 || c >= cols()) return;
    m_model->makeWritable(r);
    m_model->cells.setText(r, c, text);
    scheduleRefresh();
}

void Grid::setComputedRows(int first, int count, CellText text) {
    first = std::max(first, 0);
    count = std::clamp(rows() - first, 0, std::max(count, 0));
    m_model->dropSource();
    m_model->source = std::make_shared<FunctionRows>(count, std::move(text));
    for (int i = 0; i < count; ++i)
        m_model->sourceRow[first + i] = i;
    scheduleRefresh();
}

void Grid::setSourceRows(std::shared_ptr<const GridRowSource> source) {
    const int count = source ? source->rowCount() : 0;
    setRows(m_fixedRows); // the rows below the header go, with their texts and colours
    setRows(m_fixedRows + count);
    m_model->dropSource();
    m_model->source = std::move(source);
    for (int i = 0; i < count; ++i)
        m_model->sourceRow[m_fixedRows + i] = i;
    scheduleRefresh();
}

QColor Grid::cellBackColor(int r, int c) const {
    return m_model->cell(r, c, Qt::BackgroundRole).value<QColor>();
}

void Grid::setCellBackColor(int r, int c, const QColor &color) {
    if (r < 0 || r >= rows() || c < 0 || c >= cols()) return;
    m_model->cells.setBackColor(r, c, color);
    scheduleRefresh();
}

QColor Grid::cellForeColor(int r, int c) const {
    return m_model->cell(r, c, Qt::ForegroundRole).value<QColor>();
}

void Grid::setCellForeColor(int r, int c, const QColor &color) {
    if (r < 0 || r >= rows() || c < 0 || c >= cols()) return;
    m_model->cells.setForeColor(r, c, color);
    scheduleRefresh();
}

int Grid::colWidth(int c) const {
    return c >= 0 && c < cols() ? m_model->columns.at(c).widthTw : 0;
}

void Grid::setColWidth(int c, int twips) {
    if (c < 0 || c >= cols()) return;
    m_model->columns[c].widthTw = std::max(twips, 0);
    m_structureDirty = true;
    scheduleRefresh();
}

Qt::Alignment Grid::colAlignment(int c) const {
    return c >= 0 && c < cols() ? m_model->columns.at(c).align : Qt::Alignment();
}

void Grid::setColAlignment(int c, Qt::Alignment a) {
    if (c < 0 || c >= cols()) return;
    m_model->columns[c].align = a;
    scheduleRefresh();
}

Qt::Alignment Grid::fixedAlignment(int c) const {
    return c >= 0 && c < cols() ? m_model->columns.at(c).fixedAlign : Qt::Alignment();
}

void Grid::setFixedAlignment(int c, Qt::Alignment a) {
    if (c < 0 || c >= cols()) return;
    m_model->columns[c].fixedAlign = a;
    scheduleRefresh();
}

Qt::Alignment Grid::headerAlignment(int c) const {
    if (c < 0 || c >= cols()) return {};
    const ColumnLayout &col = m_model->columns.at(c);
    return col.headerAlign ? col.headerAlign : col.fixedAlign;
}

void Grid::setHeaderAlignment(int c, Qt::Alignment a) {
    if (c < 0 || c >= cols()) return;
    m_model->columns[c].headerAlign = a;
    scheduleRefresh();
}

int Grid::textTwips(const QString &text) const {
    const QFontMetrics metrics(m_view->font());
    // The cell's margins on both sides and the grid line.
    const int margin = m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view);
    // Measured in the scaled font, told in designed twips.
    const double px = (metrics.horizontalAdvance(text) + 2 * margin + 4) / scaleOf(this);
    return pxToTwips(static_cast<int>(std::lround(px)));
}

void Grid::setFontPointSize(int points) {
    m_pointSize = points;
    applyScaledFont();
    m_structureDirty = true;
    scheduleRefresh();
}

// A grown window: the font, rows and columns at the new scale, the cells,
// the current cell and the scroll position as they are.
void Grid::fitScale() {
    applyScaledFont();
    if (m_structureDirty) return; // the refresh to come sets the widths
    for (int c = 0; c < cols(); ++c) {
        const int px = scaledPx(this, twipsToPx(colWidth(c)));
        m_view->setColumnWidth(c, px);
        m_frozen->setColumnWidth(c, px);
    }
    layoutViews();
}

// The font and the row height at the window's scale: the rows are the
// designed rows magnified, so a grown grid shows the same rows.
void Grid::applyScaledFont() {
    QFont design = font();
    design.setPointSize(m_pointSize);
    QFont f = design;
    f.setPointSizeF(m_pointSize * scaleOf(this));
    const int rowHeight = scaledPx(this, QFontMetrics(design).height() + 6);
    // The header row is painted on its viewport, in the application's font.
    QFont header = QApplication::font();
    header.setPointSizeF(header.pointSizeF() * scaleOf(this));
    for (QTableView *v : {static_cast<QTableView *>(m_view), static_cast<QTableView *>(m_frozen)}) {
        v->setFont(f);
        v->horizontalHeader()->setFont(f);
        v->horizontalHeader()->viewport()->setFont(header);
        v->verticalHeader()->setDefaultSectionSize(rowHeight);
    }
}

int Grid::topRow() const {
    refresh();
    if (!m_view->isVisible())
        return std::clamp(m_requestedTop, m_fixedRows, std::max(rows() - 1, m_fixedRows));
    return m_fixedRows + m_view->verticalScrollBar()->value();
}

void Grid::setTopRow(int row) {
    m_requestedTop = row;
    refresh();
    scrollToRequestedTop();
}

void Grid::setCurrentCell(int r, int c) {
    m_currentRow = std::clamp(r, 0, std::max(rows() - 1, 0));
    m_currentCol = std::clamp(c, 0, std::max(cols() - 1, 0));
    // A released grid marks the cell when it is shown again.
    if (m_released) m_releasedSelected = m_releasedScrollToCurrent = m_currentRow >= m_fixedRows;
    refresh();
    if (m_currentRow >= m_fixedRows)
        m_view->selectionModel()->setCurrentIndex(
            m_model->index(m_currentRow - m_fixedRows, m_currentCol),
            QItemSelectionModel::ClearAndSelect);
    else
        m_view->selectionModel()->clearSelection();
}

// The keys are read once and the rows sorted as indices; the rows then move
// whole, so no cell text is copied from cell to cell.
void Grid::sortRows(int col, bool ascending, bool numeric) {
    if (col < 0 || col >= cols() || rows() <= m_fixedRows) return;
    const int n = rows();
    QList<int> order(n - m_fixedRows);
    const auto keyed = [&](auto keyOf) {
        QList<std::pair<decltype(keyOf(0)), int>> k(n - m_fixedRows);
        for (int r = m_fixedRows; r < n; ++r)
            k[r - m_fixedRows] = {keyOf(r), r};
        sortByKeys(k, ascending);
        for (int i = 0; i < k.size(); ++i)
            order[i] = k.at(i).second;
    };
    const QList<int> &sourceRow = m_model->sourceRow;
    if (QList<double> values;
        numeric && m_model->source && m_model->source->numbers(col, &values)) {
        // The source's numbers in its own order, looked up by each row's source row.
        keyed([&](int r) {
            const int s = sourceRow.at(r);
            return s >= 0 && s < values.size() ? values.at(s) : m_model->number(r, col);
        });
    } else if (numeric) {
        keyed([&](int r) { return m_model->number(r, col); });
    } else if (QList<int> ranks; m_model->sourceKeys(col, m_fixedRows, &ranks)) {
        keyed([&](int r) { return ranks.at(r); });
    } else {
        // By character code: upper and lower case differ.
        QList<QString> keys(n);
        for (int r = m_fixedRows; r < n; ++r)
            keys[r] = m_model->text(r, col);
        std::iota(order.begin(), order.end(), m_fixedRows);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int cmp = QStringView(keys.at(a)).compare(QStringView(keys.at(b)));
            return ascending ? cmp < 0 : cmp > 0;
        });
    }
    m_model->cells.permuteRows(m_fixedRows, order);
    QList<int> sorted = sourceRow;
    for (int i = 0; i < order.size(); ++i)
        sorted[m_fixedRows + i] = sourceRow.at(order.at(i));
    m_model->sourceRow = std::move(sorted);
    scheduleRefresh();
}

void Grid::setRowsBackColor(int first, int count, int c, const QColor &color) {
    if (c < 0 || c >= cols() || count <= 0) return;
    m_model->colourRuns.append({first, count, c, color});
    scheduleRefresh();
}

void Grid::clear() {
    m_model->cells.clear();
    m_model->colourRuns.clear();
    m_model->dropSource();
    scheduleRefresh();
}

void Grid::clickCell(int r, int c) {
    userClicked(r, c);
}

void Grid::rightClickCell(int r, int c, QPoint globalPos) {
    setCurrentCell(r, c);
    emit contextMenuRequested(r, globalPos);
}

void Grid::pressKey(int key) {
    emit keyPressed(key);
}

// F2 and Delete belong to the program (correcting a row), not to the view.
// The same keys sent to the grid itself (its view has the focus otherwise).
void Grid::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_F2 || e->key() == Qt::Key_Delete) return pressKey(e->key());
    QWidget::keyPressEvent(e);
}

bool Grid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *press = static_cast<QKeyEvent *>(event);
        const int key = press->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Delete) {
            pressKey(key);
            return true;
        }
        // Enter or Space chooses the marked cell as a click on it does; the
        // Enter of the number pad comes with the keypad modifier.
        const bool choose = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
        const bool plain = (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (choose && plain && m_view->currentIndex().isValid()) {
            userClicked(m_currentRow, m_currentCol);
            return true;
        }
    }
    if (watched == m_view && event->type() == QEvent::FocusIn) markTopRowOnKeyboardEntry();
    return QWidget::eventFilter(watched, event);
}

// Entered by Tab with no cell marked, the view would mark its first row and
// scroll there; the row at the top of what is shown is marked instead, so a
// grid opened at its newest rows stays there.
void Grid::markTopRowOnKeyboardEntry() {
    if (m_view->currentIndex().isValid() || m_model->rowCount() == 0) return;
    // The row asked to be on top, which a grid just shown may not have drawn yet.
    const int row = std::clamp(m_requestedTop - m_fixedRows, 0, m_model->rowCount() - 1);
    const int col = std::min(m_fixedCols, m_model->columnCount() - 1);
    m_view->selectionModel()->setCurrentIndex(m_model->index(row, std::max(0, col)),
                                              QItemSelectionModel::NoUpdate);
}

void Grid::userClicked(int r, int c) {
    setCurrentCell(r, c);
    emit clicked();
}

void Grid::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    layoutViews();
}

void Grid::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    const bool released = std::exchange(m_released, false);
    if (released) m_structureDirty = true;
    refresh();
    scrollToRequestedTop();
    if (!released) return;
    m_view->horizontalScrollBar()->setValue(m_releasedHScroll);
    if (m_releasedSelected && m_currentRow >= m_fixedRows)
        m_view->selectionModel()->setCurrentIndex(
            m_model->index(m_currentRow - m_fixedRows, m_currentCol),
            QItemSelectionModel::ClearAndSelect);
    // As a hidden view scrolls to a current cell set while it was hidden.
    if (std::exchange(m_releasedScrollToCurrent, false) && m_view->currentIndex().isValid())
        m_view->scrollTo(m_view->currentIndex());
}

// A grid of many rows hidden with its page gives its views' rows back:
// each of the two views keeps a header item per row, megabytes for a
// listing of a whole book. The rows, texts and marked cell stay in the grid.
void Grid::hideEvent(QHideEvent *e) {
    QWidget::hideEvent(e);
    // Not when the window itself goes (closed, or being destroyed).
    if (!e->spontaneous() && !m_released && m_model->shownRows >= kReleasedRows &&
        window()->isVisible())
        releaseViewRows();
}

void Grid::releaseViewRows() {
    refresh(); // what a write left pending reaches the views first
    m_released = true;
    m_releasedScrollToCurrent = false;
    m_releasedSelected = m_view->selectionModel()->isSelected(m_view->currentIndex());
    m_releasedHScroll = m_view->horizontalScrollBar()->value();
    m_inRefresh = true;
    m_model->reset(true);
    // An emptied header keeps the room its rows took: new ones are made.
    for (QTableView *v : {static_cast<QTableView *>(m_view), static_cast<QTableView *>(m_frozen)}) {
        const int rowHeight = v->verticalHeader()->defaultSectionSize();
        auto *header = new QHeaderView(Qt::Vertical, v);
        v->setVerticalHeader(header);
        styleRowHeader(header, rowHeight);
    }
    m_inRefresh = false;
}

// The frozen columns follow in layoutViews.
void Grid::scrollToRequestedTop() const {
    m_view->verticalScrollBar()->setValue(m_requestedTop - m_fixedRows);
    layoutViews();
}

void Grid::refresh() const {
    auto *self = const_cast<Grid *>(this);
    m_refresh.settle();
    if (m_released) return; // the show to come lays the views out
    if (m_structureDirty) {
        // The reset moves the scroll bar on its own; the top row stays as asked.
        self->m_inRefresh = true;
        m_structureDirty = false;
        m_model->reset();
        m_view->horizontalHeader()->setVisible(m_fixedRows > 0);
        m_frozen->horizontalHeader()->setVisible(m_fixedRows > 0);
        for (int c = 0; c < cols(); ++c) {
            const int px = scaledPx(this, twipsToPx(colWidth(c)));
            m_view->setColumnWidth(c, px);
            m_frozen->setColumnWidth(c, px);
            m_frozen->setColumnHidden(c, c >= m_fixedCols);
        }
        layoutViews();
        if (m_currentRow >= m_fixedRows)
            m_view->selectionModel()->setCurrentIndex(
                m_model->index(m_currentRow - m_fixedRows, m_currentCol),
                QItemSelectionModel::NoUpdate);
        // Laid out now, not at the next turn as a reset would have it: a page
        // opened is then drawn once, not drawn and drawn again.
        m_view->doItemsLayout();
        m_frozen->doItemsLayout();
        m_view->verticalScrollBar()->setValue(m_requestedTop - m_fixedRows);
        self->m_inRefresh = false;
    }
    m_view->viewport()->update();
    m_view->horizontalHeader()->viewport()->update();
    m_frozen->viewport()->update();
    m_frozen->horizontalHeader()->viewport()->update();
}

void Grid::layoutViews() const {
    m_view->setGeometry(rect());
    const bool frozen = m_fixedCols > 0 && cols() > 0;
    m_frozen->setVisible(frozen);
    if (!frozen) return;
    int width = 0;
    for (int c = 0; c < std::min(m_fixedCols, cols()); ++c)
        width += m_view->columnWidth(c);
    const int frame = m_view->frameWidth();
    const int scrollBar =
        m_view->horizontalScrollBar()->isVisible() ? m_view->horizontalScrollBar()->height() : 0;
    m_frozen->setGeometry(frame, frame, width, height() - 2 * frame - scrollBar);
    m_frozen->updateGeometries();
    m_frozen->verticalScrollBar()->setValue(m_view->verticalScrollBar()->value());
}

QList<QStringList> Grid::table() const {
    QList<QStringList> rowsOut;
    // A column of no width holds what a page keeps for itself (the data
    // list's plain amounts for its sort): the user never sees it.
    QList<int> shown;
    for (int c = 0; c < cols(); ++c)
        if (colWidth(c) > 0) shown.append(c);
    for (int r = 0; r < rows(); ++r) {
        QStringList cells;
        for (int c : shown)
            cells.append(text(r, c));
        rowsOut.append(cells);
    }
    return rowsOut;
}

void Grid::exportCsv() {
    const QString utf8 = QStringLiteral("CSV UTF-8 (*.csv)");
    const QString shiftJis = QStringLiteral("CSV Shift-JIS (*.csv)");
    QFileDialog dlg(window(), QStringLiteral("CSVに書き出す"));
    dlg.setObjectName(QStringLiteral("dlgCsv"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters({utf8, shiftJis});
    dlg.selectNameFilter(utf8);
    dlg.setDefaultSuffix(QStringLiteral("csv"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    const QString path = dlg.selectedFiles().first();
    // The book's files live in the working folder.
    FileResult r = csvTargetRefusal(path, QDir::currentPath());
    if (r.ok()) {
        const CsvFile file =
            csvFromTable(table(), dlg.selectedNameFilter() == shiftJis ? CsvEncoding::ShiftJis
                                                                       : CsvEncoding::Utf8);
        r = file.error.ok() ? writeExactly(path, file.bytes) : file.error;
    }
    if (!r.ok()) Dialogs::warning(this, r.message, r.title);
}
