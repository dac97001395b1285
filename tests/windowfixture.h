#pragma once
#include <QAbstractButton>
#include <memory>

#include "bookdir.h"
#include "guitest.h"
#include "mainwindow/mainwindow.h"

// A book folder, the box answerer and the real window, for tests that drive
// the program as a user does.
class WindowFixture {
protected:
    std::unique_ptr<BookDir> m_dir;
    std::unique_ptr<BoxAnswerer> m_boxes;
    std::unique_ptr<MainWindow> m_w;

    // A new empty book (help tour off) as the working directory.
    BookDir &book(const QString &user = QStringLiteral("テスト")) {
        m_dir = std::make_unique<BookDir>();
        m_dir->makeEmptyBook(user);
        m_dir->enter();
        return *m_dir;
    }
    MainWindow *open() {
        m_boxes = std::make_unique<BoxAnswerer>();
        m_w = std::make_unique<MainWindow>();
        settle();
        return m_w.get();
    }
    void closeAll() {
        m_w.reset();
        m_boxes.reset();
        m_dir.reset();
    }
    template <typename T = QWidget> T *c(const char *name) { return child<T>(m_w.get(), name); }
    void click(const char *button) {
        c<QAbstractButton>(button)->click();
        settle();
    }
};
