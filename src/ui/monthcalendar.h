#pragma once
#include <QDate>
#include <QWidget>

class QCalendarWidget;

// A month view that reports the day the user clicks. Setting the value from
// the program raises nothing. From the keyboard, the arrow keys move the
// selection and Enter (or Tab on to the next control) chooses it as a click does;
// left any other way, the day moved to is dropped.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCalendarWidget *m_calendar;
    QWidget *m_days = nullptr; // the day cells, where the keys move and choose
    QDate m_reported; // the day last set or clicked: a day moved to by key is not yet chosen
};
