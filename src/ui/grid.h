#pragma once
#include <QColor>
#include <QList>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/deferredrefresh.h"

class GridModel;
class GridView;

// Rows of a grid whose texts are made only when a cell is shown, read or
// sorted, so that a list of 100,000 records is in the grid at once. Rows are
// counted from 0 (the first row below the header).
class GridRowSource {
public:
    virtual ~GridRowSource() = default;
    virtual int rowCount() const = 0;
    virtual QString text(int row, int col) const = 0;
    // The number a numeric sort reads from a cell, when the source knows it
    // without making the text.
    virtual bool number(int row, int col, double *value) const {
        Q_UNUSED(row);
        Q_UNUSED(col);
        Q_UNUSED(value);
        return false;
    }
    // Every source row's number of a column, in source order, when the source
    // knows them all without making the texts (what a numeric sort reads).
    virtual bool numbers(int col, QList<double> *values) const {
        Q_UNUSED(col);
        Q_UNUSED(values);
        return false;
    }
    // Keys for a text sort of a column, one per source row, whose order is the
    // order of the texts, when the source knows them without making the texts.
    virtual bool sortKeys(int col, QList<int> *keys) const {
        Q_UNUSED(col);
        Q_UNUSED(keys);
        return false;
    }
    // A cell's back colour; an invalid colour is none (a colour set on the
    // grid's cell comes first).
    virtual QColor backColor(int row, int col) const {
        Q_UNUSED(row);
        Q_UNUSED(col);
        return {};
    }
};

// A grid of text cells in the manner of the book's lists: rows and columns
// counted from 0, row 0 the fixed header row, fixed columns on the left that
// stay in view when the grid is scrolled sideways. Model/view based, so that
// 100,000 rows fill and paint quickly: cell writes only mark the view for one
// repaint, and the row count reaches the view at the next event loop turn (or
// at once when the grid is asked about what it shows).
class Grid : public QWidget {
    Q_OBJECT
public:
    // One column of a column table: the header text (row 0), the width and
    // the alignment of the cells below; fixedAlign is the alignment of the
    // header row and of fixed columns. An alignment without a vertical part
    // is centred vertically.
    struct Column {
        QString header;
        int twips = 960;
        Qt::Alignment align = Qt::AlignLeft;
        Qt::Alignment fixedAlign = Qt::AlignCenter;
    };

    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    // Lays out every column in one call: cols() becomes the table's size and
    // row 0 (made if the grid has no row) holds the headers.
    void setColumns(const QList<Column> &columns);

    int rows() const;
    void setRows(int rows);
    int cols() const;
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int n);
    int fixedCols() const { return m_fixedCols; }
    void setFixedCols(int n);

    QString text(int r, int c) const;
    void setText(int r, int c, const QString &text);
    // Replaces every row below the header with the rows of the source. A
    // cell written later holds its own text (its row takes the source's
    // texts first); the rest keep asking the source. clear() ends it.
    void setSourceRows(std::shared_ptr<const GridRowSource> source);
    // Rows [first, first + count) made by text(row - first, col) in the same
    // way, for rows between written ones (a total row below them).
    using CellText = std::function<QString(int row, int col)>;
    void setComputedRows(int first, int count, CellText text);
    QColor cellBackColor(int r, int c) const;
    void setCellBackColor(int r, int c, const QColor &color);
    // The back colour of column c in rows [first, first + count), as
    // setCellBackColor on each would give, kept as one run (a colour a cell
    // is given itself comes first). Runs stay where they are when rows are
    // sorted; clear() ends them.
    void setRowsBackColor(int first, int count, int c, const QColor &color);
    QColor cellForeColor(int r, int c) const;
    void setCellForeColor(int r, int c, const QColor &color);

    int colWidth(int c) const; // twips
    void setColWidth(int c, int twips);
    Qt::Alignment colAlignment(int c) const;
    void setColAlignment(int c, Qt::Alignment a);
    Qt::Alignment fixedAlignment(int c) const;
    void setFixedAlignment(int c, Qt::Alignment a);
    // The header cell of a column, when it differs from the column's fixed
    // cells below it (a centred header over a right-aligned fixed column).
    Qt::Alignment headerAlignment(int c) const;
    void setHeaderAlignment(int c, Qt::Alignment a);
    // The width a cell needs to show the text whole, margins included (twips).
    int textTwips(const QString &text) const;
    int fontPointSize() const { return m_pointSize; }
    void setFontPointSize(int points);
    // Draws the grid anew at its window's present scale (windowscale.h).
    void fitScale();

    // The first scrollable row shown at the top.
    int topRow() const;
    void setTopRow(int row);
    int currentRow() const { return m_currentRow; }
    int currentCol() const { return m_currentCol; }
    void setCurrentCell(int r, int c);

    // The raw value a numeric sort compares, as the model's SortRole gives it:
    // the number the row source knows, else the number read from the text.
    static constexpr int SortRole = Qt::UserRole + 1;

    // Stable sort of the rows below the fixed rows by one column's text;
    // numeric compares the raw values of SortRole.
    void sortRows(int col, bool ascending, bool numeric);
    // Empties every cell (texts and colours); rows and columns stay.
    void clear();
    // Exactly what a user's click on a cell does; Enter or Space on the
    // marked cell does the same.
    void clickCell(int r, int c);

    // Exactly what a user's right-click on a cell does: the cell becomes
    // current, then contextMenuRequested() tells where a menu would open.
    void rightClickCell(int r, int c, QPoint globalPos = {});
    // F2 or Delete on the current cell, as pressed in the grid.
    void pressKey(int key);

    // Asks for a file in "CSVに書き出す" and writes the grid there as CSV
    // (Ctrl+E, or the right-click menu); a failure is said in a box naming the file.
    void exportCsv();
    // Every shown cell's text, row by row as shown, the header row first
    // (a column of no width is left out).
    QList<QStringList> table() const;

signals:
    void clicked();
    void contextMenuRequested(int row, QPoint globalPos);
    void keyPressed(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    friend class GridModel;
    void scheduleRefresh() { m_refresh.request(); }
    void refresh() const;
    void layoutViews() const;
    void applyScaledFont();
    void scrollToRequestedTop() const;
    void userClicked(int r, int c);
    void markTopRowOnKeyboardEntry();
    void releaseViewRows();

    GridModel *m_model;
    GridView *m_view;
    GridView *m_frozen;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    int m_pointSize = 9;
    int m_currentRow = 0;
    int m_currentCol = 0;
    int m_requestedTop = 1;
    mutable bool m_structureDirty = true;
    mutable DeferredRefresh m_refresh;
    bool m_inRefresh = false;
    // Hidden by its page: the views hold no rows until the grid is shown
    // again (what they showed is given back then).
    bool m_released = false;
    bool m_releasedSelected = false;
    bool m_releasedScrollToCurrent = false; // a cell marked while released is scrolled to
    int m_releasedHScroll = 0;
};
