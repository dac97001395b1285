#include "book/datefield.h"

namespace {
int digits(QByteArrayView s, int from, int count) {
    int v = 0;
    for (int i = from; i < from + count; ++i) {
        const char ch = s[i];
        if (ch < '0' || ch > '9') return -1;
        v = v * 10 + (ch - '0');
    }
    return v;
}
} // namespace

QDate dateOfField(QByteArrayView field) {
    if (field.size() != 10 || field[4] != '/' || field[7] != '/') return {};
    const int y = digits(field, 0, 4), m = digits(field, 5, 2), d = digits(field, 8, 2);
    if (y < 0 || m < 0 || d < 0) return {};
    return QDate(y, m, d); // invalid unless the day exists
}
