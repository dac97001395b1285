#include "mainwindow/startup.h"

#include <QApplication>

#include "mainwindow/mainwindow.h"
#include "records/booklock.h"
#include "ui/dialogs.h"

int runBook(BookLock &lock) {
    if (!lock.tryLock()) {
        // A folder that refuses the lock file refuses every save too: say so
        // rather than blame a second program that is not there.
        Dialogs::warning(
            nullptr,
            lock.heldByAnother()
                ? QStringLiteral("この家計簿は別のミルテアで開かれています。")
                : QStringLiteral("この家計簿のフォルダに書き込めないため、起動できません。"),
            QStringLiteral("起動できません"));
        return 1;
    }
    MainWindow window;
    return QApplication::exec();
}
