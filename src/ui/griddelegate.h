#pragma once
#include <QCache>
#include <QFont>
#include <QStyledItemDelegate>

#include <QHash>
#include <QTextLayout>

// Draws a grid's cells exactly as the style's own item drawing does, without
// laying the text out again at every paint: each text is shaped once per font
// and kept. Cells the style must draw itself (selected, focused, a text too
// wide for its cell and so elided, a right-to-left layout) go to the style.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(QObject *parent);
    ~GridDelegate() override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    struct Shaped {
        QTextLayout layout;
        // Whether the style shows the text whole in a text area of this width
        // (a text a little wider than the area is not elided).
        QHash<int, bool> wholeAt;
    };
    Shaped *shaped(const QString &text, const QFont &font) const;

    mutable QFont m_font;
    mutable QCache<QString, Shaped> m_shaped;
};
