#pragma once
#include <QStringList>

// Reordering a master list by dragging one name in its edit list: the dragged
// name lands directly before the name the mouse button is released on.
// Dropping a name on itself or on the name just below it changes nothing; the
// last place is reached by dragging the last name onto another one.
struct DragMove {
    bool changed = false;
    int removeAt = -1; // the dragged name's index
    int insertAt = -1; // where it goes back, counted after the removal
};

// dragIndex: the item pressed; releaseIndex: the item under the mouse at
// release. An index outside the list (no item pressed) changes nothing.
DragMove computeDragMove(int count, int dragIndex, int releaseIndex);

// The names in the order the drag leaves them.
QStringList computeDraggedOrder(const QStringList &names, int dragIndex, int releaseIndex);
