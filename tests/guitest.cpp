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

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
