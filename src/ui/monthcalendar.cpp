#include "ui/monthcalendar.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QKeyEvent>
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
    // The days a record may carry: a year typed as 0024 for 2024 cannot be chosen.
    m_calendar->setDateRange(QDate(1900, 1, 1), QDate(2100, 12, 31));
    // The day cells share the width the calendar is given, however narrow.
    m_calendar->setMinimumSize(1, 1);
    if (auto *days = m_calendar->findChild<QTableView *>())
        days->horizontalHeader()->setMinimumSectionSize(1);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate date) {
        m_reported = date;
        emit dateClicked(date);
    });
    // The arrow keys move the selection; Enter, or Tab on to the next control,
    // chooses the selected day as a click on it does.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_calendar);
    m_days = m_calendar->findChild<QTableView *>();
    // Every part that takes the focus is watched for leaving: the year box
    // hands the focus on to the next control when it closes.
    for (QWidget *part : m_calendar->findChildren<QWidget *>())
        if (part->focusPolicy() != Qt::NoFocus) part->installEventFilter(this);
}

bool MonthCalendar::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_days && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool tabOn = key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier;
        if (enter || (tabOn && value() != m_reported)) {
            clickDate(value());
            // The page moves the focus where it wants it after a click; else Tab goes on.
            if (tabOn && hasFocus()) focusNextChild();
            return true;
        }
    }
    // Left another way (Shift+Tab, a click elsewhere), a day moved to by key
    // and not chosen is dropped: the calendar shows the day the page shows.
    if (event->type() == QEvent::FocusOut && value() != m_reported) {
        const auto why = static_cast<QFocusEvent *>(event)->reason();
        QWidget *now = QApplication::focusWidget();
        const bool stays = now && isAncestorOf(now); // its own month and year boxes
        if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason && !stays)
            setValue(m_reported);
    }
    return QWidget::eventFilter(watched, event);
}

QDate MonthCalendar::value() const {
    return m_calendar->selectedDate();
}

void MonthCalendar::setValue(QDate date) {
    const QSignalBlocker block(m_calendar);
    m_calendar->setSelectedDate(date);
    m_reported = value();
}

void MonthCalendar::clickDate(QDate date) {
    setValue(date);
    emit dateClicked(date);
}
