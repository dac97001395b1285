#include "ui/monthcalendar.h"

#include <QCalendarWidget>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

MonthCalendar::MonthCalendar(QWidget *parent)
    : QWidget(parent), m_calendar(new QCalendarWidget(this)) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setGridVisible(true);
    QFont small = m_calendar->font();
    small.setPointSize(8);
    m_calendar->setFont(small);
    m_calendar->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    // The day cells share the width the calendar is given, however narrow.
    m_calendar->setMinimumSize(1, 1);
    if (auto *days = m_calendar->findChild<QTableView *>())
        days->horizontalHeader()->setMinimumSectionSize(1);
    connect(m_calendar, &QCalendarWidget::clicked, this, &MonthCalendar::dateClicked);
}

QDate MonthCalendar::value() const {
    return m_calendar->selectedDate();
}

void MonthCalendar::setValue(QDate date) {
    const QSignalBlocker block(m_calendar);
    m_calendar->setSelectedDate(date);
}

void MonthCalendar::clickDate(QDate date) {
    setValue(date);
    emit dateClicked(date);
}
