#include "ui/griddelegate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace {
// Enough for every text of the pages a user switches between.
constexpr int kShapedTexts = 8192;
} // namespace

GridDelegate::GridDelegate(QObject *parent) : QStyledItemDelegate(parent), m_shaped(kShapedTexts) {}

GridDelegate::~GridDelegate() = default;

GridDelegate::Shaped *GridDelegate::shaped(const QString &text, const QFont &font) const {
    if (font != m_font) {
        m_shaped.clear();
        m_font = font;
    }
    if (Shaped *kept = m_shaped.object(text)) return kept;
    auto *s = new Shaped;
    s->layout.setText(text);
    s->layout.setFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(Qt::LeftToRight);
    s->layout.setTextOption(option);
    s->layout.beginLayout();
    QTextLine line = s->layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e6); // one line, as wide as the text
        line.setPosition(QPointF(0, 0));
    }
    s->layout.endLayout();
    m_shaped.insert(text, s);
    return s;
}

// The style's item drawing, step for step, for a plain cell: the background
// over the cell, then the text in its colour inside margins of the focus
// frame's width plus one, placed by the cell's alignment (the line's height
// and free width split as the style splits them).
void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const {
    constexpr auto kStyleDrawn =
        QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_Editing;
    const QString text = index.data(Qt::DisplayRole).toString();
    if (option.state & kStyleDrawn || option.direction != Qt::LeftToRight || text.contains(u'\n')) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : nullptr;
    const int margin =
        style ? style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1 : 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    Shaped *s = text.isEmpty() ? nullptr : shaped(text, option.font);
    const QTextLine line = s ? s->layout.lineAt(0) : QTextLine();
    if (s && !line.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Wider than its area, a text is elided, unless eliding gives it back whole.
    if (s && line.naturalTextWidth() > textRect.width()) {
        auto whole = s->wholeAt.constFind(textRect.width());
        if (whole == s->wholeAt.cend())
            whole =
                s->wholeAt.insert(textRect.width(), QFontMetrics(option.font)
                                                            .elidedText(text, option.textElideMode,
                                                                        textRect.width()) == text);
        if (!*whole) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
    }
    painter->save();
    painter->setClipRect(option.rect);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid()) painter->fillRect(option.rect, qvariant_cast<QBrush>(background));
    if (s) {
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.isValid() ? qvariant_cast<QBrush>(foreground).color()
                                             : option.palette.color(QPalette::Text));
        const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        // The free width as the text engine aligns a line: by its advance.
        const qreal free = textRect.width() - line.horizontalAdvance();
        qreal x = textRect.x();
        if (align & Qt::AlignRight)
            x += free;
        else if (align & Qt::AlignHCenter)
            x += free / 2;
        const int height = static_cast<int>(line.height());
        int y = textRect.y();
        if (align & Qt::AlignBottom)
            y = textRect.y() + textRect.height() - height;
        else if (!(align & Qt::AlignTop)) // halved apart, as QStyle::alignedRect does
            y = textRect.y() + textRect.height() / 2 - height / 2;
        s->layout.draw(painter, QPointF(x, y));
    }
    painter->restore();
}
