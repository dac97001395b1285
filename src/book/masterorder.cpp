#include "book/masterorder.h"

DragMove computeDragMove(int count, int dragIndex, int releaseIndex) {
    const auto inside = [count](int i) { return i >= 0 && i < count; };
    if (!inside(dragIndex) || !inside(releaseIndex)) return {};
    if (releaseIndex == dragIndex || releaseIndex == dragIndex + 1) return {};
    // Taking the dragged name out moves every later name up by one, the
    // target among them when the drag goes downwards.
    const int insertAt = releaseIndex > dragIndex ? releaseIndex - 1 : releaseIndex;
    return {true, dragIndex, insertAt};
}

QStringList computeDraggedOrder(const QStringList &names, int dragIndex, int releaseIndex) {
    const DragMove move = computeDragMove(static_cast<int>(names.size()), dragIndex, releaseIndex);
    if (!move.changed) return names;
    QStringList out = names;
    const QString dragged = out.takeAt(move.removeAt);
    out.insert(move.insertAt, dragged);
    return out;
}
