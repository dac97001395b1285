#pragma once
#include <QDate>
#include <QWidget>

class QCalendarWidget;

// A month view that reports the day the user clicks. Setting the value from
// the program raises nothing.
class MonthCalendar : public QWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget *parent = nullptr);
    QDate value() const;
    void setValue(QDate date);
    // Exactly what a user's click on that day does.
    void clickDate(QDate date);

signals:
    void dateClicked(QDate date);

private:
    QCalendarWidget *m_calendar;
};
