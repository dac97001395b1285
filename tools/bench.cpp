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
#include <ctime>

#include "mainwindow/mainpage.h"
#include "mainwindow/mainwindow.h"
#include "records/clock.h"
#include "records/cp932.h"
#include "records/money.h"
#include "records/recordfiles.h"
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
// Correcting the amount of a payment 10 years back (the dialog saved as soon
// as it shows), then deleting one: the rewrite, day list and month balance.
QList<double> timeCorrections(MainWindow &window, MonthCalendar *calendar, int runs) {
    auto *page = window.findChild<MainPage *>(QStringLiteral("fraMain"));
    calendar->clickDate(kLast.addYears(-10).addDays(3));
    QList<double> out;
    for (int i = 0; i < runs; ++i) {
        QTimer::singleShot(0, &window, [i] {
            QWidget *dlg = QApplication::activeModalWidget();
            auto *amount =
                dlg ? dlg->findChild<QLineEdit *>(QStringLiteral("txtKingaku")) : nullptr;
            if (!amount) return; // the delete question: the box answerer takes it
            amount->setText(QString::number(1000 + i));
            dlg->findChild<QPushButton *>(QStringLiteral("cmdHozon"))->click();
        });
        out << timeMs([&] {
            if (i % 2)
                page->deleteDayRow(1);
            else
                page->fixDayRow(1);
        });
        QApplication::processEvents();
    }
    return out;
}

// Wall and processor time of one run: on a machine shared with other work
// the processor time says what the program itself spent.
struct Timing {
    QList<double> wall, cpu;
    template <typename F> void operator()(F &&f) {
        timespec c0{}, c1{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
        wall << timeMs(f);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
        cpu << static_cast<double>(c1.tv_sec - c0.tv_sec) * 1e3 +
                   static_cast<double>(c1.tv_nsec - c0.tv_nsec) / 1e6;
    }
    void print(const char *what) const {
        printf("%-42s median %6.1f ms (processor %6.1f ms)\n", what, median(wall), median(cpu));
    }
};

// The balance trend and the reflection page: opening each (the handler and
// the queued drawing), a date click in another month of the simulation and
// one planned payment, beside a plain read and decode of データ.txt.
void benchTrendAndReflection(MainWindow &window, int runs) {
    auto *mainButton = window.findChild<QAbstractButton *>(QStringLiteral("cmdMain"));
    auto *trendButton = window.findChild<QAbstractButton *>(QStringLiteral("cmdRentai"));
    auto *reflectionButton = window.findChild<QAbstractButton *>(QStringLiteral("cmdSyoukai"));
    auto *simCalendar = window.findChild<MonthCalendar *>(QStringLiteral("mtvSim"));
    auto *planned = window.findChild<QLineEdit *>(QStringLiteral("txtSim2"));
    auto *addPlan = window.findChild<QAbstractButton *>(QStringLiteral("cmdHozonSim"));
    const Book book(QDir::currentPath());
    Timing read, trend, reflection, monthClick, plan;
    for (int i = 0; i < runs; ++i) {
        read([&] { readPayments(book); });
        mainButton->click();
        QApplication::processEvents();
        trend([&] {
            trendButton->click();
            QApplication::processEvents();
        });
        mainButton->click();
        QApplication::processEvents();
        reflection([&] {
            reflectionButton->click();
            QApplication::processEvents();
        });
    }
    for (int i = 0; i < runs; ++i) {
        const QDate day = kLast.addMonths(-1 - i % 24).addDays(-3);
        monthClick([&] {
            simCalendar->clickDate(day);
            QApplication::processEvents();
        });
    }
    simCalendar->clickDate(kLast.addDays(-20));
    for (int i = 0; i < runs; ++i) {
        planned->setText(QStringLiteral("5,000"));
        plan([&] {
            addPlan->click();
            QApplication::processEvents();
        });
    }
    read.print("read and decode データ.txt:");
    trend.print("open 全グラフ (trend, drawn):");
    reflection.print("open 反省 (copy, lists, forecast, drawn):");
    monthClick.print("反省: date click in another month:");
    plan.print("反省: planned payment added:");
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
    const QList<double> correct = timeCorrections(window, calendar, runs);
    // The same payments with CR line ends and one CR LF record after them (a
    // book from an old Mac the program then appended to).
    QTemporaryDir crDir;
    {
        QFile from(dir.path() + QStringLiteral("/データ.txt"));
        QFile to(crDir.path() + QStringLiteral("/データ.txt"));
        if (from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly))
            to.write(from.readAll().replace("\r\n", "\r") +
                     "\"2025/01/01\",\"A\",\"B\",1,\"\",\"\"\r\n");
    }
    QList<double> crRead;
    for (int i = 0; i < runs; ++i)
        crRead << timeMs([&] { readPayments(Book(crDir.path())); });

    printf("book: %d payments, %.1f MB\n", records, static_cast<double>(bytes) / 1e6);
    printf("day click (day list + month):            median %.1f ms\n", median(click));
    printf("payment save, appended on the last day:  median %.1f ms\n", median(append));
    printf("payment save, inserted 10 years back:    median %.1f ms\n", median(insert));
    printf("payment corrected/deleted 10 years back: median %.1f ms\n", median(correct));
    printf("read all payments, CR line ends:         median %.1f ms\n", median(crRead));
    benchTrendAndReflection(window, runs);
    return 0;
}
