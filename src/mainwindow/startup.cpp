#include "mainwindow/startup.h"

#include <QApplication>
#include <QSettings>

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
    // Where and how large the user left the window, kept per user and not in
    // the book folder (the book may travel to another machine).
    QSettings placement(QStringLiteral("miltea"), QStringLiteral("miltea"));
    window.restoreGeometry(placement.value(QStringLiteral("window/geometry")).toByteArray());
    const int code = QApplication::exec();
    placement.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
    return code;
}
