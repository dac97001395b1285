// ミルテア: a household account book. The book is the working directory.
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <QDir>
#include <cstdio>
#include <cstring>

#include "mainwindow/startup.h"
#include "records/booklock.h"

namespace {
const char kUsage[] = "使い方: miltea [--version | --help]\n"
                      "\n"
                      "家計簿ミルテアを、今いるフォルダを家計簿のフォルダとして起動します。\n"
                      "  --version  版を表示して終わります\n"
                      "  --help     この説明を表示して終わります\n";
} // namespace

int main(int argc, char *argv[]) {
    // Answered before any window system is needed (a terminal without a display).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("miltea %s\n", MILTEA_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    // What Qt did not take for itself (-platform, -style ...) is no argument of ours.
    if (QCoreApplication::arguments().size() > 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
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
