// ミルテア: a household account book. The book is the working directory.
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <QDir>

#include "mainwindow/startup.h"
#include "records/booklock.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("miltea"));

    // Japanese captions on the standard boxes and context menus.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtJapanese);

    // A Japanese proportional Gothic face, the same on every machine.
    const QStringList families = QFontDatabase::families();
    for (const QString &family :
         {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSize(9);
            QApplication::setFont(font);
            break;
        }
    }

    BookLock lock(QDir::currentPath());
    return runBook(lock);
}
