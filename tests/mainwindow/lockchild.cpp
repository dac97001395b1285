// A second ミルテア for the lock tests, run as a child process.
//   lockchild run DIR   starts on the book as the program does; prints the boxes it saw
//   lockchild hold DIR  takes the book's lock, says "held" and waits to be killed
#include <QApplication>
#include <QDir>
#include <QThread>
#include <cstdio>

#include "guitest.h"
#include "mainwindow/startup.h"
#include "records/booklock.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    // The lock names the folder given, even one that cannot be entered.
    const QString dir = QString::fromLocal8Bit(argv[2]);
    QDir::setCurrent(dir);
    BookLock lock(dir);
    if (mode == QStringLiteral("hold")) {
        if (!lock.tryLock()) return 3;
        std::puts("held");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    BoxAnswerer boxes;
    const int code = runBook(lock);
    for (const BoxAnswerer::Seen &s : boxes.seen)
        std::printf("%s|%s|%s|%s\n", qPrintable(s.title), qPrintable(s.text),
                    s.icon == QMessageBox::Warning ? "warning" : "other",
                    s.buttons == QMessageBox::Ok ? "OK" : "other");
    return code;
}
