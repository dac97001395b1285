#include "ui/gridcells.h"

#include <algorithm>
#include <numeric>

void GridCells::setRows(int rows) {
    rows = std::max(rows, 0);
    const int old = m_rows;
    m_rows = rows;
    if (rows >= old) return;
    // A grid cut down to a few rows (a page about to be filled again) keeps
    // them by looking them up: erasing thousands of cells one by one costs more.
    if (rows < m_stored.size() / 2) {
        QHash<int, Row> kept;
        for (int r = 0; r < rows; ++r)
            if (const auto it = m_stored.constFind(r); it != m_stored.cend()) kept.insert(r, *it);
        m_stored = std::move(kept);
    } else if (!m_stored.isEmpty()) {
        m_stored.removeIf([rows](auto it) { return it.key() >= rows; });
    }
    if (qint64(rows) * m_cols < m_colours.size() / 2) {
        QHash<quint64, Colours> kept;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < m_cols; ++c)
                if (const auto it = m_colours.constFind(key(r, c)); it != m_colours.cend())
                    kept.insert(it.key(), *it);
        m_colours = std::move(kept);
    } else if (!m_colours.isEmpty()) {
        m_colours.removeIf([rows](auto it) { return int(it.key() >> 32) >= rows; });
    }
}

void GridCells::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols) return;
    const int kept = std::min(cols, m_cols);
    for (Row &row : m_stored) {
        const int length = kept == 0 ? 0 : row.ends.at(kept - 1);
        row.ends.resize(cols);
        for (int c = kept; c < cols; ++c)
            row.ends[c] = length;
        row.text.truncate(length);
    }
    m_cols = cols;
    if (!m_colours.isEmpty())
        m_colours.removeIf([cols](auto it) { return int(it.key() & 0xFFFFFFFF) >= cols; });
}

QStringView GridCells::view(int r, int c) const {
    const auto it = m_stored.constFind(r);
    if (it == m_stored.cend()) return {};
    const int from = c == 0 ? 0 : it->ends.at(c - 1);
    return QStringView(it->text).mid(from, it->ends.at(c) - from);
}

void GridCells::setText(int r, int c, QStringView text) {
    auto it = m_stored.find(r);
    if (it == m_stored.end()) {
        if (text.isEmpty()) return;
        it = m_stored.insert(r, Row{QString(), QList<int>(m_cols, 0)});
    }
    Row &row = *it;
    const int from = c == 0 ? 0 : row.ends.at(c - 1);
    const int old = row.ends.at(c) - from;
    const int grow = static_cast<int>(text.size()) - old;
    if (grow == 0 && QStringView(row.text).mid(from, old) == text) return;
    if (from == row.text.size()) { // filling left to right: the cells after this one are empty
        // Cell texts are short: a plain loop copies them faster than a library
        // call per cell (measured at half the fill time of a 110,000-row table).
        const qsizetype at = row.text.size();
        row.text.resize(at + text.size());
        QChar *out = row.text.data() + at;
        for (QChar ch : text)
            *out++ = ch;
    } else {
        row.text.replace(from, old, text.data(), text.size());
    }
    int *ends = row.ends.data();
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
    m_stored.clear();
    m_colours.clear();
}

void GridCells::permuteRows(int firstRow, const QList<int> &order) {
    if (firstRow >= rows() || order.size() != rows() - firstRow) return;
    QList<int> placeOf(rows());
    std::iota(placeOf.begin(), placeOf.end(), 0);
    for (int i = 0; i < order.size(); ++i)
        placeOf[order.at(i)] = firstRow + i;
    if (!m_stored.isEmpty()) {
        QHash<int, Row> moved;
        moved.reserve(m_stored.size());
        for (auto it = m_stored.begin(); it != m_stored.end(); ++it)
            moved.insert(placeOf.at(it.key()), std::move(it.value()));
        m_stored = std::move(moved);
    }
    if (!m_colours.isEmpty()) {
        QHash<quint64, Colours> moved;
        moved.reserve(m_colours.size());
        for (auto it = m_colours.cbegin(); it != m_colours.cend(); ++it)
            moved.insert(key(placeOf.at(int(it.key() >> 32)), int(it.key() & 0xFFFFFFFF)),
                         it.value());
        m_colours = std::move(moved);
    }
}
