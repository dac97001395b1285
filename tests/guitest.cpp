#include "guitest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QPushButton>

BoxAnswerer::BoxAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
    m_timer.start(5);
}

QStringList BoxAnswerer::titles() const {
    QStringList out;
    for (const Seen &s : seen)
        out << s.title;
    return out;
}

void BoxAnswerer::poll() {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    seen.append({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
    if (onSeen) onSeen(seen.last());
    QMessageBox::StandardButton answer =
        m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
    QAbstractButton *button = box->button(answer);
    if (!button) button = box->defaultButton();
    if (!button && !box->buttons().isEmpty()) button = box->buttons().first();
    if (button) button->click();
}

ModalDriver::ModalDriver() {
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

void ModalDriver::poll() {
    if (m_busy || m_steps.isEmpty()) return;
    QWidget *w = QApplication::activePopupWidget();
    if (!w) w = QApplication::activeModalWidget();
    if (!w || qobject_cast<QMessageBox *>(w)) return;
    m_busy = true;
    const auto step = m_steps.takeFirst();
    step(w);
    m_busy = false;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
