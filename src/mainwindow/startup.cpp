#include "mainwindow/startup.h"

#include <QApplication>

#include "mainwindow/mainwindow.h"
#include "records/booklock.h"
#include "ui/dialogs.h"

int runBook(BookLock &lock) {
    if (!lock.tryLock()) {
        Dialogs::warning(nullptr, QStringLiteral("この家計簿は別のミルテアで開かれています。"),
                         QStringLiteral("起動できません"));
        return 1;
    }
    MainWindow window;
    return QApplication::exec();
}
