#pragma once
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the real modal boxes as they appear and records what they said.
// Boxes are answered in order from the queue; with the queue empty a box is
// answered with OK (or its default button).
class BoxAnswerer : public QObject {
    Q_OBJECT
public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    BoxAnswerer();
    void queue(QMessageBox::StandardButton answer) { m_answers.append(answer); }
    QList<Seen> seen;
    // Runs while each box is still open, to look at the window behind it.
    std::function<void(const Seen &)> onSeen;
    QStringList titles() const;

private:
    void poll();
    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
};

// Works the modal dialogs and popup menus a handler opens, one step per
// call of then(): each step runs once, on the dialog or menu active at that
// moment (message boxes are left to the BoxAnswerer). A step that saves with
// a refused value leaves the dialog open for the next step.
class ModalDriver : public QObject {
    Q_OBJECT
public:
    ModalDriver();
    ModalDriver &then(std::function<void(QWidget *)> step) {
        m_steps.append(std::move(step));
        return *this;
    }
    bool done() const { return m_steps.isEmpty(); }

private:
    void poll();
    QTimer m_timer;
    QList<std::function<void(QWidget *)>> m_steps;
    bool m_busy = false;
};

// The named control of a window, with a warning when it is missing.
template <typename T = QWidget> T *child(QWidget *w, const char *name) {
    T *found = w->findChild<T *>(QString::fromLatin1(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

// Lets pending events (queued grid and chart refreshes) run.
void settle();
