#pragma once
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

// The cells of a Grid, kept cheap for big tables (a 30-year book's totals
// are 10,950 rows × 60 columns; the data list shows 110,000 records from a
// row source): only rows that hold a written text are stored, each row's
// texts packed into one string with the end of every cell beside it, and
// colours are kept only for the cells that have one. Rows and columns are
// counted from 0; callers check the bounds.
class GridCells {
public:
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);

    QString text(int r, int c) const { return view(r, c).toString(); }
    QStringView view(int r, int c) const;
    void setText(int r, int c, QStringView text);
    // An invalid colour is "none set".
    QColor backColor(int r, int c) const { return colours(r, c).back; }
    void setBackColor(int r, int c, const QColor &color);
    QColor foreColor(int r, int c) const { return colours(r, c).fore; }
    void setForeColor(int r, int c, const QColor &color);

    // Empties every text and colour; the size stays.
    void clear();
    // Puts row order[i] at place firstRow + i, moving whole rows with their
    // colours; order holds every row from firstRow on once.
    void permuteRows(int firstRow, const QList<int> &order);

private:
    struct Colours {
        QColor back;
        QColor fore;
    };
    struct Row {
        QString text;    // its cells one after another
        QList<int> ends; // where each cell ends in text
    };
    static quint64 key(int r, int c) { return quint64(quint32(r)) << 32 | quint32(c); }
    Colours colours(int r, int c) const { return m_colours.value(key(r, c)); }

    int m_rows = 0;
    int m_cols = 0;
    QHash<int, Row> m_stored; // the rows that hold text
    QHash<quint64, Colours> m_colours;
};
