#pragma once
#include <QByteArrayView>
#include <QDate>

// The date field of a record as stored: exactly yyyy/mm/dd naming a real day.
// Anything else (a hand-edited "2005/2/3", a blank, a 2005/02/30) is no date,
// and the computations pass such a record over instead of letting its text
// decide where a month begins or ends.
QDate dateOfField(QByteArrayView field);
inline bool isDateField(QByteArrayView field) {
    return dateOfField(field).isValid();
}
