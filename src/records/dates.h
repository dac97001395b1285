#pragma once
#include <QDate>
#include <QString>

// Dates are stored as yyyy/mm/dd text; comparing that text orders them.
QString dateText(QDate date);
// A real date written exactly as yyyy/mm/dd, or an invalid QDate.
QDate parseDateText(const QString &text);
