#include "ui/listbox.h"

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

void ListBox::keyPressEvent(QKeyEvent *e) {
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() != before) emit clicked();
}
