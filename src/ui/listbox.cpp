#include "ui/listbox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

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

// A key that moves the selection (arrows, Home, End, Page keys, the first
// letters of an item) raises clicked() as a click on the new item does; Enter
// or Space chooses the current item again.
void ListBox::keyPressEvent(QKeyEvent *e) {
    const bool choose = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
                        (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier);
    if (choose && currentItem()) {
        emit clicked();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() != before) emit clicked();
}

// Kana and kanji come through the input method: the committed text searches
// the items by their first characters, as typed letters do.
void ListBox::inputMethodEvent(QInputMethodEvent *e) {
    const int before = currentRow();
    QListWidget::inputMethodEvent(e);
    if (currentRow() != before) emit clicked();
}
