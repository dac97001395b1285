#pragma once
#include <QList>
#include <utility>

// Rows put in the order of their keys (first), rows of equal keys left in the
// order given: the stable sort a grid's column sort is. Done by the keys'
// digits in passes over the rows: a list of a whole book sorted again by
// another column takes a millisecond or two where comparisons took about ten.
// Keys compare as < does (-0 and 0 are equal); a list holding a NaN key is
// sorted by comparison instead.
void sortByKeys(QList<std::pair<double, int>> &keyed, bool ascending);
void sortByKeys(QList<std::pair<int, int>> &keyed, bool ascending);
