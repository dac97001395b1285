#pragma once
#include <QDate>

class QWidget;
class BookSession;

// The dialog "固定費の登録": the fixed payments due this month (up to today)
// and not yet offered, each with a check box, checked. 登録 enters the
// checked ones on their days, in date order, as a back-dated save does;
// 今月はしない enters none. Both mark every listed one offered this month, as
// one change. Closing the dialog leaves them to be offered again. Returns
// whether the book changed; without anything due no dialog appears.
bool offerFixedPayments(QWidget *parent, BookSession &session, QDate today);
