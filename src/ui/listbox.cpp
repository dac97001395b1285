#include "ui/listbox.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/keyboard.h"

ListBox::ListBox(QWidget *parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

void ListBox::clickRow(int row) {
    // As a press does: the item is selected before the press is reported.
    setCurrentRow(row);
    emit mouseDown(Qt::LeftButton);
    emit clicked();
    emit mouseUp(Qt::LeftButton);
}

void ListBox::mousePressEvent(QMouseEvent *e) {
    QListWidget::mousePressEvent(e);
    emit mouseDown(e->button());
    if (itemAt(e->position().toPoint())) emit clicked();
}

void ListBox::mouseMoveEvent(QMouseEvent *e) {
    if (e->buttons() & Qt::LeftButton) {
        const int row = indexAt(e->position().toPoint()).row();
        if (row >= 0 && row != currentRow()) setCurrentRow(row);
        return;
    }
    QListWidget::mouseMoveEvent(e);
}

void ListBox::mouseReleaseEvent(QMouseEvent *e) {
    QListWidget::mouseReleaseEvent(e);
    emit mouseUp(e->button());
}

// A key that moves the selection (arrows, Home, End, Page keys) raises
// clicked() as a click on the new item does; the first letters of an item
// choose it, even the item already marked; Enter or Space chooses the
// current item again.
void ListBox::keyPressEvent(QKeyEvent *e) {
    const bool choose = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
                        (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier);
    if (choose && currentItem()) {
        setCurrentRow(currentRow()); // selected, as a click selects it
        emit clicked();
        return;
    }
    if (e->text().isEmpty()) m_sinceTyped.invalidate(); // a moving key starts a new word
    const int before = currentRow();
    m_typedHit = false;
    QListWidget::keyPressEvent(e);
    if (currentRow() != before || m_typedHit) emit clicked();
}

// Kana and kanji come through the input method: the committed text searches
// the items by their first characters, as typed letters do.
void ListBox::inputMethodEvent(QInputMethodEvent *e) {
    const int before = currentRow();
    m_typedHit = false;
    QListWidget::inputMethodEvent(e);
    if (currentRow() != before || m_typedHit) emit clicked();
}

namespace {
// The form type-ahead compares: width and case folded, hiragana as katakana.
QString searchForm(const QString &text) {
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar &c : folded)
        if (c.unicode() >= 0x3041 && c.unicode() <= 0x3096) c = QChar(c.unicode() + 0x60);
    return folded;
}
} // namespace

void ListBox::keyboardSearch(const QString &typed) {
    if (typed.isEmpty() || count() == 0) return;
    const bool continued =
        m_sinceTyped.isValid() && m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    m_sinceTyped.start();
    m_typed = continued ? m_typed + typed : typed;
    // The same letter again steps on to the next item it begins; a longer
    // text first tries the item already marked.
    QString wanted = searchForm(m_typed);
    const bool repeated = wanted.size() > 1 && wanted.count(wanted.front()) == wanted.size();
    if (repeated) wanted = wanted.first(1);
    const int from = currentRow();
    const int first = from < 0 ? 0 : (continued && !repeated) ? from : from + 1;
    for (int i = 0; i < count(); ++i) {
        const int row = (first + i) % count();
        if (searchForm(item(row)->text()).startsWith(wanted)) {
            setCurrentRow(row);
            m_typedHit = true; // chosen, even when it was the item already marked
            return;
        }
    }
}

// Back in the list after the amount was typed, the next payee is a new word;
// focus given back after the page redrew keeps the word being typed.
void ListBox::focusInEvent(QFocusEvent *e) {
    if (!keyboard::givingFocusBack()) m_sinceTyped.invalidate();
    QListWidget::focusInEvent(e);
}
