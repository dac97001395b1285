// Developer benchmark: generates a 30-year book (about ten payments a day),
// opens the window offscreen and prints the median times of the main page's
// handlers. Usage: miltea-bench [runs]
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "book/datalist.h"
#include "book/diary.h"
#include "book/savings.h"
#include "mainwindow/mainwindow.h"
#include "records/clock.h"
#include "records/cp932.h"
#include "records/money.h"
#include "records/rawrecords.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"

namespace {
const QDate kFirst(1995, 1, 1);
const QDate kLast(2024, 12, 31);

void writeFile(const QString &path, const QString &text) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(cp932::encode(text).value_or(QByteArray()));
}

int makeBook(const QString &dir) {
    const QStringList payees{"スーパー丸正", "コンビニ", "八百屋", "駅", "本屋", "喫茶店", "薬局"};
    const QStringList cats{"食費", "食費", "食費", "交通費", "教養", "外食", "日用品"};
    QString data, income;
    int count = 0;
    auto *rng = QRandomGenerator::global();
    for (QDate d = kFirst; d <= kLast; d = d.addDays(1)) {
        const QString day = dateText(d);
        for (int i = 0, n = 8 + rng->bounded(5); i < n; ++i, ++count) {
            const int p = rng->bounded(payees.size());
            data += QStringLiteral("\"%1\",\"%2\",\"%3\",%4,\"\",\"\"\r\n")
                        .arg(day, payees[p], cats[p])
                        .arg(100 + rng->bounded(3000));
        }
        if (d.day() == 25 || d == kFirst)
            income += QStringLiteral("\"%1\",\"%2\",%3\r\n")
                          .arg(day, d == kFirst ? QStringLiteral("スタート時入金")
                                                : QStringLiteral("給料"))
                          .arg(300000);
    }
    writeFile(dir + QStringLiteral("/データ.txt"), data);
    writeFile(dir + QStringLiteral("/入金.txt"), income);
    writeFile(dir + QStringLiteral("/支払いマスタ.txt"),
              payees.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    writeFile(dir + QStringLiteral("/費目マスタ.txt"),
              QStringLiteral("食費\r\n交通費\r\n教養\r\n外食\r\n日用品\r\n"));
    writeFile(dir + QStringLiteral("/設定.txt"), QStringLiteral("\"ヘルプツアー\",0\r\n"));
    writeFile(dir + QStringLiteral("/ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("\"氏名\",\"ベンチ\"\r\n"));
    return count;
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

template <typename F> double timeMs(F &&f) {
    QElapsedTimer t;
    t.start();
    f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}
// The record lists (並び替え, 一言日記, 貯金) on a copy of the book that also
// holds a monthly saving and a comment on every seventh payment.
void benchLists(const QString &bookDir, int runs) {
    QTemporaryDir copy;
    for (const QString &name : QDir(bookDir).entryList(QDir::Files))
        QFile::copy(bookDir + u'/' + name, copy.filePath(name));
    const QString dataPath = copy.filePath(QStringLiteral("データ.txt"));
    {
        QFile f(dataPath);
        f.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = f.readAll().split('\n');
        f.close();
        const QByteArray saving =
            cp932::encode(QStringLiteral("\",\"貯金\",\"定期貯金\",20000,\"\",\"\"\r\n"))
                .value_or(QByteArray());
        const QByteArray comment =
            cp932::encode(QStringLiteral("今日は特売")).value_or(QByteArray());
        QByteArray out;
        QByteArray lastDate;
        int n = 0;
        for (QByteArray line : lines) {
            if (line.isEmpty()) continue;
            const QByteArray date = line.mid(1, 10);
            if (date != lastDate && date.endsWith("/25")) out += '"' + date + saving;
            lastDate = date;
            if (++n % 7 == 0) line.replace(",\"\",\"\"", ",\"" + comment + "\",\"\"");
            out += line + '\n';
        }
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(out);
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(copy.path());

    // The plain work every list starts from: the file read and decoded.
    QList<double> decode, dataList, diaryRows, diaryContent, savings;
    const Book book(copy.path());
    for (int i = 0; i < runs; ++i) {
        decode << timeMs([&] { cp932::decode(readFileBytes(dataPath)).size(); });
        dataList << timeMs([&] { computeDataList(book).size(); });
        Diary diary;
        diaryRows << timeMs([&] { diary = computeDiary(book); });
        diaryContent << timeMs([&] { diary.content().size(); });
        savings << timeMs([&] { computeSavings(book).size(); });
    }

    MainWindow window;
    window.show();
    QApplication::processEvents();
    auto button = [&](const char *name) {
        return window.findChild<QAbstractButton *>(QString::fromLatin1(name));
    };
    // A page opened from the main page, its first paint included.
    auto openPage = [&](const char *name) {
        button("cmdMain")->click();
        QApplication::processEvents();
        return timeMs([&] {
            button(name)->click();
            QApplication::processEvents();
        });
    };
    QList<double> openList, openDiary, store, openSavings, sorts[5];
    for (int i = 0; i < runs; ++i)
        openList << openPage("cmdBunseki");
    for (int i = 0; i < runs; ++i)
        for (int b = 0; b < 5; ++b)
            sorts[b] << timeMs([&] {
                button(qPrintable(QStringLiteral("cmdSort%1").arg(b + 1)))->click();
                QApplication::processEvents();
            });
    for (int i = 0; i < runs; ++i)
        openDiary << openPage("cmdMemo");
    auto *memoList = window.findChild<Grid *>(QStringLiteral("msgMemoList"));
    auto *memo = window.findChild<QLineEdit *>(QStringLiteral("txtMemo"));
    for (int i = 0; i < runs; ++i) {
        memoList->clickCell(memoList->rows() - 1 - i, 5);
        memo->setText(QStringLiteral("ベンチの一言%1").arg(i));
        store << timeMs([&] {
            button("cmdMemoHozon")->click();
            QApplication::processEvents();
        });
    }
    for (int i = 0; i < runs; ++i)
        openSavings << openPage("cmdCyokin");
    const int savingRows = window.findChild<Grid *>(QStringLiteral("msgCyokin"))->rows() - 1;
    QDir::setCurrent(previous);

    printf("データ.txt read and decoded (plain):       median %.1f ms\n", median(decode));
    printf("  data list rows / diary rows / diary file: %.1f / %.1f / %.1f ms; savings %.1f ms\n",
           median(dataList), median(diaryRows), median(diaryContent), median(savings));
    printf("open 並び替え (data list):                 median %.1f ms\n", median(openList));
    const char *captions[] = {"回 （日付）", "支払い", "費目", "金額", "一言日記"};
    for (int b = 0; b < 5; ++b)
        printf("  sort press %-16s                median %.1f ms\n", captions[b], median(sorts[b]));
    printf("open 一言日記 (diary):                     median %.1f ms\n", median(openDiary));
    printf("store one comment (whole file rewritten):  median %.1f ms\n", median(store));
    printf("open 貯金 (%d savings):                  median %.1f ms\n", savingRows,
           median(openSavings));
}
} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;
    const int records = makeBook(dir.path());
    const qint64 bytes = QFile(dir.path() + QStringLiteral("/データ.txt")).size();
    QDir::setCurrent(dir.path());
    Clock::setToday(kLast);
    QTimer boxes; // answers any box at once
    QObject::connect(&boxes, &QTimer::timeout, &app, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });
    boxes.start(1);

    MainWindow window;
    auto *calendar = window.findChild<MonthCalendar *>(QStringLiteral("mtvmain"));
    auto *payees = window.findChild<ListBox *>(QStringLiteral("lstMise"));
    auto *category = window.findChild<QComboBox *>(QStringLiteral("cboJanru"));
    auto *amount = window.findChild<QLineEdit *>(QStringLiteral("txtOutInp"));
    auto *save = window.findChild<QPushButton *>(QStringLiteral("cmdTaiHozon"));

    QList<double> click, append, insert;
    for (int i = 0; i < runs; ++i) {
        const QDate day = kLast.addDays(-(i % 400) - 1);
        click << timeMs([&] { calendar->clickDate(day); });
        QApplication::processEvents();
    }
    auto savePayment = [&] {
        payees->clickRow(0);
        category->setEditText(QStringLiteral("食費"));
        amount->setText(QStringLiteral("500"));
        save->click();
    };
    calendar->clickDate(kLast);
    for (int i = 0; i < runs; ++i) {
        append << timeMs(savePayment);
        QApplication::processEvents();
    }
    calendar->clickDate(kLast.addYears(-10));
    for (int i = 0; i < runs; ++i) {
        insert << timeMs(savePayment);
        QApplication::processEvents();
    }
    printf("book: %d payments, %.1f MB\n", records, static_cast<double>(bytes) / 1e6);
    printf("day click (day list + month):            median %.1f ms\n", median(click));
    printf("payment save, appended on the last day:  median %.1f ms\n", median(append));
    printf("payment save, inserted 10 years back:    median %.1f ms\n", median(insert));
    benchLists(dir.path(), runs);
    return 0;
}
