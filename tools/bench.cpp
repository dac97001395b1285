// Developer benchmark: generates a 30-year book (about ten payments a day),
// opens the window offscreen and prints the median times of the main page's
// and the analysis pages' handlers, each beside its ratio to the floor: the
// plain read and decode of データ.txt and 入金.txt. Then the same key figures
// and the peak memory for a 3-, a 30- and a 100-year book, to show how they
// grow. Usage: miltea-bench [runs]
// miltea-bench --write DIR [YEARS] writes the generated book into DIR and ends.
// miltea-bench --memory DIR opens the window on the book in DIR, opens every
// page once and prints the program's max RSS (nothing else runs beside it).
// miltea-bench --scale YEARS prints the key figures of one book size.
// miltea-bench --profile PAGE [N] opens one page N times, for a profiler.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

#include "book/csvexport.h"
#include "book/datalist.h"
#include "book/diary.h"
#include "book/history.h"
#include "book/paymentscan.h"
#include "book/rename.h"
#include "book/savings.h"
#include "mainwindow/mainpage.h"
#include "mainwindow/mainwindow.h"
#include "records/clock.h"
#include "records/cp932.h"
#include "records/money.h"
#include "records/rawrecords.h"
#include "records/recordfiles.h"
#include "ui/grid.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"

namespace {
const QDate kLast(2024, 12, 31);
QDate kFirst(1995, 1, 1); // set by the book's years

// When the box of an undo or redo was drawn, counted from the key.
QElapsedTimer g_sinceKey;
double g_boxShownMs = 0;

// Answers every message box at once, as a user does: drawn first (when it was
// drawn is kept in g_boxShownMs), then OK, or Yes to a question.
void answerBoxes(QTimer &boxes) {
    QObject::connect(&boxes, &QTimer::timeout, qApp, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            box->repaint();
            g_boxShownMs = static_cast<double>(g_sinceKey.nsecsElapsed()) / 1e6;
            QAbstractButton *go = box->button(QMessageBox::Ok);
            if (!go) go = box->button(QMessageBox::Yes);
            go ? go->click() : box->accept();
        }
    });
    boxes.start(1);
}

// Counts what the window still had to do in one turn of the event loop: a
// queued call (a chart rebuilt at the next turn), a layout, a paint.
struct WorkSeen : QObject {
    int seen = 0;
    bool eventFilter(QObject *, QEvent *e) override {
        switch (e->type()) {
        case QEvent::MetaCall:
        case QEvent::UpdateRequest:
        case QEvent::Paint:
        case QEvent::LayoutRequest:
            ++seen;
            break;
        default:
            break;
        }
        return false;
    }
};
WorkSeen *g_work = nullptr;

// When the first turn of the event loop after a click delivered its first event.
struct FirstTurn : QObject {
    explicit FirstTurn(const QElapsedTimer &since) : since(since) {}
    const QElapsedTimer &since;
    double ms = 0;
    bool event(QEvent *e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        ms = static_cast<double>(since.nsecsElapsed()) / 1e6;
        return true;
    }
};

// Turns of the event loop until the page is drawn: one turn may queue work
// that is drawn only at the next (the chart's rebuild queues its own paint),
// so turns go on until one finds nothing left to do.
void drawn() {
    if (!g_work) {
        g_work = new WorkSeen;
        qApp->installEventFilter(g_work);
    }
    for (int turn = 0; turn < 20; ++turn) {
        g_work->seen = 0;
        QApplication::processEvents();
        if (g_work->seen == 0) return;
    }
    fprintf(stderr, "the window was still busy after 20 turns: a figure may be short\n");
}

// The floor every figure is measured against: データ.txt and 入金.txt read
// and decoded into the held book, as at start-up.
double g_floorMs = 0;

void writeFile(const QString &path, const QString &text) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(cp932::encode(text).value_or(QByteArray()));
}

int makeBook(const QString &dir, int years = 30) {
    kFirst = kLast.addYears(-years).addDays(1);
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

// One figure: its median and its ratio to the floor.
void report(const QString &label, const QList<double> &wall) {
    const double m = median(wall);
    printf("%-48s median %7.1f ms  %6.2f× floor\n", qPrintable(label), m,
           g_floorMs > 0 ? m / g_floorMs : 0.0);
}

// The CPU time of the last timeMs: on a machine shared with other work the
// wall time also holds the waits for a free core.
double g_lastCpuMs = 0;

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

template <typename F> double timeMs(F &&f) {
    const double cpu = threadCpuMs();
    QElapsedTimer t;
    t.start();
    f();
    g_lastCpuMs = threadCpuMs() - cpu;
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}
// Correcting the amount of a payment 10 years back (the dialog saved as soon
// as it is drawn), then deleting one: the rewrite, day list and month balance.
// The user waits twice, as for an undo: for the dialog or the question, and
// after 保存 or OK for the page; toDialog and afterSave get those two.
QList<double> timeCorrections(MainWindow &window, MonthCalendar *calendar, int runs,
                              QList<double> *toDialog = nullptr,
                              QList<double> *afterSave = nullptr) {
    auto *page = window.findChild<MainPage *>(QStringLiteral("fraMain"));
    calendar->clickDate(kLast.addYears(-10).addDays(3));
    drawn(); // the day's list drawn before its first row is picked
    QList<double> out;
    for (int i = 0; i < runs; ++i) {
        QTimer::singleShot(0, &window, [i] {
            QWidget *dlg = QApplication::activeModalWidget();
            auto *amount =
                dlg ? dlg->findChild<QLineEdit *>(QStringLiteral("txtKingaku")) : nullptr;
            if (!amount) return; // the delete question: the box answerer takes it
            dlg->repaint();
            g_boxShownMs = static_cast<double>(g_sinceKey.nsecsElapsed()) / 1e6;
            amount->setText(QString::number(1000 + i));
            dlg->findChild<QPushButton *>(QStringLiteral("cmdHozon"))->click();
        });
        g_boxShownMs = 0;
        out << timeMs([&] {
            g_sinceKey.start();
            if (i % 2)
                page->deleteDayRow(1);
            else
                page->fixDayRow(1);
            drawn();
        });
        if (toDialog && g_boxShownMs > 0) *toDialog << g_boxShownMs;
        if (afterSave && g_boxShownMs > 0) *afterSave << out.last() - g_boxShownMs;
    }
    return out;
}

double floorMs(const QString &dir, int runs) {
    QList<double> t;
    for (int i = 0; i < runs; ++i)
        t << timeMs([&] {
            BookModel::fromBytes(readFileBytes(dir + QStringLiteral("/データ.txt")),
                                 readFileBytes(dir + QStringLiteral("/入金.txt")));
        });
    return median(t);
}

void writeAndSync(const QString &path, const QByteArray &content) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    if (::write(fd, content.constData(), static_cast<size_t>(content.size())) < 0) perror("write");
    ::fsync(fd);
    ::close(fd);
}

// The resident size now, from /proc (the peak is maxRssMb).
double rssMb() {
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0;
}

double maxRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A click and the window's work it leaves queued (grid and chart refreshes).
template <typename B> double clickMs(B *button) {
    return timeMs([&] {
        button->click();
        drawn();
    });
}

template <typename B> B *named(QWidget &w, const char *name) {
    return w.findChild<B *>(QString::fromLatin1(name));
}

// Opening the analysis pages and the search page's condition changes.
void benchAnalysisPages(MainWindow &window, int runs) {
    auto *main = named<QToolButton>(window, "cmdMain");
    QList<double> kakei, janru, cale, taijyu;
    QList<double> kakeiCpu, janruCpu, caleCpu, taijyuCpu;
    auto fromMain = [&](const char *page, QList<double> &times, QList<double> &cpu) {
        for (int i = 0; i < runs; ++i) {
            main->click();
            drawn();
            times << clickMs(named<QToolButton>(window, page));
            cpu << g_lastCpuMs;
        }
    };
    fromMain("cmdKakei", kakei, kakeiCpu);
    auto *byPayee = named<QAbstractButton>(window, "optList2_0");
    auto *byCategory = named<QAbstractButton>(window, "optList2_1");
    for (int i = 0; i < runs; ++i) {
        janru << clickMs(byCategory);
        janruCpu << g_lastCpuMs;
        byPayee->click();
        drawn();
    }
    fromMain("cmdCale", cale, caleCpu);
    fromMain("cmdTaijyu", taijyu, taijyuCpu);
    report(QStringLiteral("集計 opened (both grids, by payee)"), kakei);
    report(QStringLiteral("集計 switched to 費目集計"), janru);
    report(QStringLiteral("カレンダ opened"), cale);
    report(QStringLiteral("範囲指定 opened (every record listed)"), taijyu);

    auto *payees = named<ListBox>(window, "lstMise2");
    auto *keyBox = named<QLineEdit>(window, "txtKey2");
    const struct {
        const char *label;
        std::function<void()> change;
    } changes[] = {
        {"weekday 日", [&] { named<QPushButton>(window, "cmdWeek_0")->click(); }},
        {"weekday 全部", [&] { named<QPushButton>(window, "cmdAllWeek")->click(); }},
        {"period 前日", [&] { named<QPushButton>(window, "cmdKikan1")->click(); }},
        {"period １年", [&] { named<QPushButton>(window, "cmdKikan7")->click(); }},
        {"period 任意", [&] { named<QPushButton>(window, "cmdKikanF")->click(); }},
        {"period 全部", [&] { named<QPushButton>(window, "cmdAllDay")->click(); }},
        {"payee chosen", [&] { payees->clickRow(0); }},
        {"category key + Enter",
         [&] {
             keyBox->setText(QStringLiteral("食費"));
             QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
             QCoreApplication::sendEvent(keyBox, &enter);
         }},
        {"検索", [&] { named<QPushButton>(window, "cmdKensaku")->click(); }},
        {"key 全部", [&] { named<QPushButton>(window, "cmdAllact")->click(); }},
    };
    for (const auto &c : changes) {
        QList<double> times, cpu;
        for (int i = 0; i < runs; ++i) {
            times << timeMs([&] {
                c.change();
                drawn();
            });
            cpu << g_lastCpuMs;
        }
        report(QStringLiteral("範囲指定 condition: ") + QString::fromUtf8(c.label), times);
    }
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
    void print(const char *what) const { report(QString::fromUtf8(what), wall); }
};

// A monthly saving on every 25th and a comment on every seventh payment, added
// to the book's データ.txt (what the record lists are measured on).
void addSavingsAndComments(const QString &dataPath) {
    {
        QFile f(dataPath);
        f.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = f.readAll().split('\n');
        f.close();
        const QByteArray saving =
            cp932::encode(QStringLiteral("\",\"貯金\",\"定期貯金\",20000,\"\",\"\"\r"))
                .value_or(QByteArray());
        const QByteArray comment =
            cp932::encode(QStringLiteral("今日は特売")).value_or(QByteArray());
        QByteArray out;
        QByteArray lastDate;
        int n = 0;
        for (QByteArray line : lines) {
            if (line.isEmpty()) continue;
            const QByteArray date = line.mid(1, 10);
            if (date != lastDate && date.endsWith("/25")) out += '"' + date + saving + '\n';
            lastDate = date;
            if (++n % 7 == 0) line.replace(",\"\",\"\"", ",\"" + comment + "\",\"\"");
            out += line + '\n';
        }
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(out);
    }
}

// The record lists (並び替え, 一言日記, 貯金) on a copy of the book that also
// holds a monthly saving and a comment on every seventh payment.
void benchLists(const QString &bookDir, int runs) {
    QTemporaryDir copy;
    for (const QString &name : QDir(bookDir).entryList(QDir::Files))
        QFile::copy(bookDir + u'/' + name, copy.filePath(name));
    const QString dataPath = copy.filePath(QStringLiteral("データ.txt"));
    addSavingsAndComments(dataPath);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(copy.path());

    // The plain work every list starts from: the file read and decoded.
    Timing decode, dataList, diaryRows, diaryContent, savings;
    const Book book(copy.path());
    for (int i = 0; i < runs; ++i) {
        decode([&] { cp932::decode(readFileBytes(dataPath)).size(); });
        dataList([&] { computeDataList(readFileBytes(dataPath)).size(); });
        Diary diary;
        diaryRows([&] { diary = computeDiary(book); });
        diaryContent([&] { diary.content().size(); });
        savings([&] { computeSavings(readFileBytes(dataPath)).size(); });
    }

    MainWindow window;
    window.show();
    drawn();
    auto press = [&](const char *name) {
        window.findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
        drawn();
    };
    // A page opened from the main page, its first paint included.
    auto openPage = [&](Timing &t, const char *name) {
        press("cmdMain");
        t([&] { press(name); });
    };
    Timing openList, openDiary, store, openSavings, sorts[5];
    for (int i = 0; i < runs; ++i)
        openPage(openList, "cmdBunseki");
    for (int i = 0; i < runs; ++i)
        for (int b = 0; b < 5; ++b)
            sorts[b]([&] { press(qPrintable(QStringLiteral("cmdSort%1").arg(b + 1))); });
    for (int i = 0; i < runs; ++i)
        openPage(openDiary, "cmdMemo");
    auto *memoList = window.findChild<Grid *>(QStringLiteral("msgMemoList"));
    auto *memo = window.findChild<QLineEdit *>(QStringLiteral("txtMemo"));
    for (int i = 0; i < runs; ++i) {
        memoList->clickCell(memoList->rows() - 1 - i, 5);
        memo->setText(QStringLiteral("ベンチの一言%1").arg(i));
        drawn(); // the row and the typed comment drawn before the store
        store([&] { press("cmdMemoHozon"); });
    }
    for (int i = 0; i < runs; ++i)
        openPage(openSavings, "cmdCyokin");
    const int savingRows = window.findChild<Grid *>(QStringLiteral("msgCyokin"))->rows() - 1;
    QDir::setCurrent(previous);

    decode.print("データ.txt read and decoded (plain):");
    dataList.print("  data list rows (PaymentTable):");
    diaryRows.print("  diary rows (Diary):");
    diaryContent.print("  diary file content:");
    savings.print("  savings (computeSavings):");
    openList.print("open 並び替え (data list):");
    const char *captions[] = {"回 （日付）", "支払い", "費目", "金額", "一言日記"};
    for (int b = 0; b < 5; ++b)
        sorts[b].print(
            qPrintable(QStringLiteral("  sort press %1:").arg(QString::fromUtf8(captions[b]))));
    openDiary.print("open 一言日記 (diary):");
    store.print("store one comment (whole file rewritten):");
    openSavings.print(qPrintable(QStringLiteral("open 貯金 (%1 savings):").arg(savingRows)));
}

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
        drawn();
        trend([&] {
            trendButton->click();
            drawn();
        });
        mainButton->click();
        drawn();
        reflection([&] {
            reflectionButton->click();
            drawn();
        });
    }
    for (int i = 0; i < runs; ++i) {
        const QDate day = kLast.addMonths(-1 - i % 24).addDays(-3);
        monthClick([&] {
            simCalendar->clickDate(day);
            drawn();
        });
    }
    simCalendar->clickDate(kLast.addDays(-20));
    drawn();
    for (int i = 0; i < runs; ++i) {
        planned->setText(QStringLiteral("5,000"));
        drawn();
        plan([&] {
            addPlan->click();
            drawn();
        });
    }
    read.print("read and decode データ.txt:");
    trend.print("open 全グラフ (trend, drawn):");
    reflection.print("open 反省 (copy, lists, forecast, drawn):");
    monthClick.print("反省: date click in another month:");
    plan.print("反省: planned payment added:");
}

// The edit page on the 30-year book: a rename across every payment (files,
// list reload, day list and month balance) and the master list operations on
// a master of 300 names. The times include the question and done boxes,
// which the answerer closes within a millisecond.
void benchSettings(MainWindow &window, int runs) {
    auto *settei = window.findChild<QAbstractButton *>(QStringLiteral("cmdSettei"));
    auto *payees = window.findChild<ListBox *>(QStringLiteral("lstKoumoku"));
    auto *renameText = window.findChild<QLineEdit *>(QStringLiteral("txtChg"));
    auto *renameButton = window.findChild<QPushButton *>(QStringLiteral("cmdChg"));
    settei->click();
    drawn();
    const Book book(QDir::currentPath());

    // Rename back and forth: コンビニ <-> コンビニ2, about a seventh of the book each time.
    QList<double> rename, renameFiles;
    for (int i = 0; i < runs; ++i) {
        const QString from = i % 2 ? QStringLiteral("コンビニ2") : QStringLiteral("コンビニ");
        const QString to = i % 2 ? QStringLiteral("コンビニ") : QStringLiteral("コンビニ2");
        const QList<QListWidgetItem *> found = payees->findItems(from, Qt::MatchExactly);
        if (found.isEmpty()) {
            printf("rename: payee %s is not in the master\n", qPrintable(from));
            return;
        }
        payees->clickRow(payees->row(found.first()));
        renameText->setText(to);
        drawn();
        rename << timeMs([&] {
            renameButton->click();
            drawn();
        });
        renameFiles << timeMs([&] { renameEverywhere(book, PaymentField::Payee, to, from); });
        renameEverywhere(book, PaymentField::Payee, from, to); // back to the state the page left
        window.READ_MASTER();
        drawn();
    }

    // A master of 300 names.
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names << QStringLiteral("支払い先%1").arg(i, 3, 10, QLatin1Char('0'));
    writeFile(QDir::currentPath() + QStringLiteral("/支払いマスタ.txt"),
              names.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    window.READ_MASTER();
    drawn();
    QTimer inputs; // types a name into every input box
    QObject::connect(&inputs, &QTimer::timeout, &window, [] {
        if (auto *dlg = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            dlg->setTextValue(QStringLiteral("新しい支払い先"));
            dlg->accept();
        }
    });
    inputs.start(1);
    auto *add = window.findChild<QPushButton *>(QStringLiteral("cmdNew2"));
    auto *del = window.findChild<QPushButton *>(QStringLiteral("cmdDel"));
    auto *sort = window.findChild<QPushButton *>(QStringLiteral("cmdSort"));
    QList<double> adding, deleting, sorting;
    for (int i = 0; i < runs; ++i) {
        adding << timeMs([&] {
            add->click();
            drawn();
        });
        payees->clickRow(payees->count() - 1);
        drawn();
        deleting << timeMs([&] {
            del->click();
            drawn();
        });
        // The last name moved to the top, as a drag would, then saved.
        payees->insertItem(0, payees->takeItem(payees->count() - 1));
        payees->clickRow(0);
        drawn();
        sorting << timeMs([&] {
            sort->click();
            drawn();
        });
    }
    inputs.stop();
    report(QStringLiteral("rename across the book (files, lists, pages)"), rename);
    report(QStringLiteral("  of which the two file rewrites"), renameFiles);
    report(QStringLiteral("300-name master, add a name"), adding);
    report(QStringLiteral("300-name master, delete a name"), deleting);
    report(QStringLiteral("300-name master, save the order"), sorting);
}
// The key figures of a book of some years, and the peak memory of another
// process that opens every page on it.
int scaleRow(int years) {
    QTemporaryDir dir;
    const int records = makeBook(dir.path(), years);
    QDir::setCurrent(dir.path());
    Clock::setToday(kLast);
    const int runs = 5;
    g_floorMs = floorMs(dir.path(), runs);
    QElapsedTimer started;
    started.start();
    MainWindow window;
    window.show();
    drawn();
    const double startUp = static_cast<double>(started.nsecsElapsed()) / 1e6;
    auto *calendar = window.findChild<MonthCalendar *>(QStringLiteral("mtvmain"));
    QList<double> click, totals;
    for (int i = 0; i < runs; ++i) {
        click << timeMs([&] {
            calendar->clickDate(kLast.addDays(-1 - i));
            drawn();
        });
        named<QToolButton>(window, "cmdMain")->click();
        drawn();
        totals << clickMs(named<QToolButton>(window, "cmdKakei"));
    }
    QProcess memory;
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), dir.path()});
    memory.waitForFinished(600000);
    const QByteArray rss = memory.readAllStandardOutput().trimmed();
    printf("%3d years, %7d payments: floor %6.1f ms, start-up %6.1f ms, day click %6.1f ms, "
           "集計 %7.1f ms; %s\n",
           years, records, g_floorMs, startUp, median(click), median(totals), rss.constData());
    fflush(stdout);
    return 0;
}
} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's own face and size (main.cpp): text is shaped and elided as
    // a user sees it.
    QFont face(QStringLiteral("Noto Sans CJK JP"));
    face.setPointSize(9);
    QApplication::setFont(face);
    if (argc > 2 && qstrcmp(argv[1], "--write") == 0) {
        const QString out = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(out);
        const int years = argc > 3 ? std::max(1, atoi(argv[3])) : 30;
        printf("%d payments written to %s\n", makeBook(out, years), argv[2]);
        return 0;
    }
    if (argc > 2 && qstrcmp(argv[1], "--scale") == 0) return scaleRow(atoi(argv[2]));
    if (argc > 2 && qstrcmp(argv[1], "--memory") == 0) {
        QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
        QTimer boxes;
        answerBoxes(boxes);
        MainWindow window;
        // MILTEA_BENCH_PAGES=1 prints how far each page raised the peak, and
        // what is resident after it.
        const bool perPage = qEnvironmentVariableIntValue("MILTEA_BENCH_PAGES") == 1;
        if (perPage) printf("window opened: %.1f MB (now %.1f)\n", maxRssMb(), rssMb());
        for (const char *page : {"cmdKakei", "cmdRentai", "cmdCyokin", "cmdSyoukai", "cmdTaijyu",
                                 "cmdBunseki", "cmdCale", "cmdMemo", "cmdSettei", "cmdMain"}) {
            named<QToolButton>(window, page)->click();
            drawn();
            if (perPage) printf("%s: %.1f MB (now %.1f)\n", page, maxRssMb(), rssMb());
        }
        named<QAbstractButton>(window, "optList2_1")->click();
        drawn();
        printf("max RSS with every page opened:          %.1f MB\n", maxRssMb());
        return 0;
    }
    // --profile PAGE [N]: the page opened N times from the main page on the
    // 30-year book of the list figures and nothing else, for a profiler
    // (perf record -g).
    if (argc > 2 && qstrcmp(argv[1], "--profile") == 0) {
        QTemporaryDir book;
        makeBook(book.path());
        addSavingsAndComments(book.filePath(QStringLiteral("データ.txt")));
        QDir::setCurrent(book.path());
        Clock::setToday(kLast);
        MainWindow window;
        window.show();
        drawn();
        const int n = argc > 3 ? std::max(1, atoi(argv[3])) : 100;
        // "save": a payment saved on the last day, appended, again and again.
        if (qstrcmp(argv[2], "save") == 0) {
            // "save N back": inserted ten years back instead.
            const bool back = argc > 4 && qstrcmp(argv[4], "back") == 0;
            named<MonthCalendar>(window, "mtvmain")->clickDate(back ? kLast.addYears(-10) : kLast);
            QList<double> saves;
            for (int i = 0; i < (argc > 3 ? std::max(1, atoi(argv[3])) : 100); ++i) {
                named<ListBox>(window, "lstMise")->clickRow(0);
                named<QComboBox>(window, "cboJanru")->setEditText(QStringLiteral("食費"));
                named<QLineEdit>(window, "txtOutInp")->setText(QStringLiteral("500"));
                drawn(); // the entry drawn as typed
                saves << timeMs([&] {
                    named<QPushButton>(window, "cmdTaiHozon")->click();
                    drawn();
                });
            }
            printf("save: %.1f ms\n", median(saves));
            // "save undo": then that save undone and done again, the box answered.
            if (argc > 4 && qstrcmp(argv[4], "undo") == 0) {
                QTimer boxes;
                answerBoxes(boxes);
                QList<double> steps;
                for (int i = 0; i < 50; ++i)
                    for (auto step : {&MainWindow::undoChange, &MainWindow::redoChange})
                        steps << timeMs([&] {
                            (window.*step)();
                            drawn();
                        });
                printf("undo or redo: %.1f ms\n", median(steps));
            }
            return 0;
        }
        // "correct": a payment ten years back corrected, then one deleted, by turns
        // (the day has eleven payments: N up to 20).
        if (qstrcmp(argv[2], "correct") == 0) {
            QTimer boxes;
            answerBoxes(boxes);
            const QList<double> corrections =
                timeCorrections(window, named<MonthCalendar>(window, "mtvmain"), n);
            printf("correct: %.1f ms\n", median(corrections));
            return 0;
        }
        // "plan": a planned payment added on 反省, twenty days before the last.
        if (qstrcmp(argv[2], "plan") == 0) {
            named<QToolButton>(window, "cmdSyoukai")->click();
            drawn();
            named<MonthCalendar>(window, "mtvSim")->clickDate(kLast.addDays(-20));
            drawn();
            QList<double> plans;
            for (int i = 0; i < n; ++i) {
                named<QLineEdit>(window, "txtSim2")->setText(QStringLiteral("5,000"));
                drawn();
                plans << timeMs([&] {
                    named<QAbstractButton>(window, "cmdHozonSim")->click();
                    drawn();
                });
            }
            printf("plan: %.1f ms\n", median(plans));
            return 0;
        }
        // "memo": a comment stored in the diary, on another row each time.
        if (qstrcmp(argv[2], "memo") == 0) {
            named<QToolButton>(window, "cmdMemo")->click();
            drawn();
            auto *list = named<Grid>(window, "msgMemoList");
            QList<double> stores;
            for (int i = 0; i < (argc > 3 ? std::max(1, atoi(argv[3])) : 100); ++i) {
                list->clickCell(list->rows() - 1 - i, 5);
                named<QLineEdit>(window, "txtMemo")->setText(QStringLiteral("一言%1").arg(i));
                drawn();
                stores << timeMs([&] {
                    named<QAbstractButton>(window, "cmdMemoHozon")->click();
                    drawn();
                });
            }
            printf("memo: %.1f ms\n", median(stores));
            return 0;
        }
        // "cmdSortN": the data list sorted by that button again and again;
        // "cmdSort": by the five buttons in turn, as the bench presses them.
        if (QByteArray(argv[2]).startsWith("cmdSort")) {
            named<QToolButton>(window, "cmdBunseki")->click();
            drawn();
            QList<double> sorts;
            for (int i = 0; i < (argc > 3 ? std::max(1, atoi(argv[3])) : 100); ++i) {
                const QByteArray button = qstrcmp(argv[2], "cmdSort") == 0
                                              ? "cmdSort" + QByteArray::number(i % 5 + 1)
                                              : QByteArray(argv[2]);
                timeMs([&] {
                    named<QAbstractButton>(window, button.constData())->click();
                    drawn();
                });
                sorts << g_lastCpuMs;
            }
            printf("%s: %.1f ms of CPU\n", argv[2], median(sorts));
            return 0;
        }
        const char *pages[] = {"cmdMain", argv[2]};
        QList<double> handler, drawing;
        for (int i = 0; i < n; ++i)
            for (const char *page : pages) {
                // CPU time: a profiled run may share the machine.
                timeMs([&] { named<QToolButton>(window, page)->click(); });
                const double h = g_lastCpuMs;
                timeMs([] { drawn(); });
                const double d = g_lastCpuMs;
                if (page != pages[0]) {
                    handler << h;
                    drawing << d;
                }
            }
        printf("%s: handler %.1f ms, then the events (drawing) %.1f ms of CPU\n", argv[2],
               median(handler), median(drawing));
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;
    const int years = 30;
    const int records = makeBook(dir.path(), years);
    const qint64 bytes = QFile(dir.path() + QStringLiteral("/データ.txt")).size();
    QDir::setCurrent(dir.path());
    Clock::setToday(kLast);
    QTimer boxes;
    answerBoxes(boxes);

    g_floorMs = floorMs(dir.path(), runs);
    printf("book: %d years, %d payments, %.1f MB; floor (read and decode both files): %.1f ms\n",
           years, records, static_cast<double>(bytes) / 1e6, g_floorMs);

    QElapsedTimer started;
    started.start();
    MainWindow window;
    window.show();
    drawn();
    report(QStringLiteral("start-up to the first painted main page"),
           {static_cast<double>(started.nsecsElapsed()) / 1e6});
    auto *calendar = window.findChild<MonthCalendar *>(QStringLiteral("mtvmain"));
    auto *payees = window.findChild<ListBox *>(QStringLiteral("lstMise"));
    auto *category = window.findChild<QComboBox *>(QStringLiteral("cboJanru"));
    auto *amount = window.findChild<QLineEdit *>(QStringLiteral("txtOutInp"));
    auto *save = window.findChild<QPushButton *>(QStringLiteral("cmdTaiHozon"));

    QList<double> click, month, append, insert, writeOnly;
    for (int i = 0; i < runs; ++i) {
        const QDate day = kLast.addDays(-(i % 25) - 1); // within December
        click << timeMs([&] {
            calendar->clickDate(day);
            drawn();
        });
        month << timeMs([&] {
            calendar->clickDate(kLast.addMonths(-1 - i));
            drawn();
        });
        calendar->clickDate(kLast);
        drawn();
    }
    // A payment typed in and drawn as the user sees it; the save's wait is from
    // the click of 保存 until the page is drawn.
    auto enterPayment = [&] {
        payees->clickRow(0);
        category->setEditText(QStringLiteral("食費"));
        amount->setText(QStringLiteral("500"));
        drawn();
    };
    auto savePayment = [&] {
        save->click();
        drawn();
    };
    calendar->clickDate(kLast);
    for (int i = 0; i < runs; ++i) {
        enterPayment();
        append << timeMs(savePayment);
    }
    // The newest save undone and done again, box and redraw included.
    QList<double> undo, redo, undoToBox, undoAfterOk, redoToBox, redoAfterOk;
    for (int i = 0; i < runs; ++i) {
        for (auto [step, all, toBox, afterOk] :
             {std::tuple{&MainWindow::undoChange, &undo, &undoToBox, &undoAfterOk},
              std::tuple{&MainWindow::redoChange, &redo, &redoToBox, &redoAfterOk}}) {
            *all << timeMs([&] {
                g_sinceKey.start();
                (window.*step)();
                drawn();
            });
            // The user waits twice: for the box, and after OK for the page.
            *toBox << g_boxShownMs;
            *afterOk << all->last() - g_boxShownMs;
        }
    }
    calendar->clickDate(kLast.addYears(-10));
    const QString dataPath = dir.path() + QStringLiteral("/データ.txt");
    QList<double> untilDurable;
    for (int i = 0; i < runs; ++i) {
        enterPayment();
        // The handler first yields to the event loop once the change is on
        // the disk and logged, and the day list computed: an event posted
        // before the click is the first that turn delivers, before any paint.
        QElapsedTimer sinceClick;
        FirstTurn firstTurn(sinceClick);
        QCoreApplication::postEvent(&firstTurn, new QEvent(QEvent::User));
        insert << timeMs([&] {
            sinceClick.start();
            savePayment();
        });
        untilDurable << firstTurn.ms;
        // The floor of that save: the same bytes written to a new file and made durable.
        const QByteArray content = readFileBytes(dataPath);
        writeOnly << timeMs([&] { writeAndSync(dir.path() + QStringLiteral("/w.tmp"), content); });
    }
    // The same saves with the undo history switched off: what its log lines and
    // kept versions (three fsyncs of their own) add to a rewrite.
    auto &book = const_cast<Book &>(window.session().book);
    book.setJournal(nullptr);
    QList<double> insertBare;
    for (int i = 0; i < runs; ++i) {
        enterPayment();
        insertBare << timeMs(savePayment);
    }
    book.setJournal(window.session().history());
    QList<double> toDialog, afterSave;
    const QList<double> correct = timeCorrections(window, calendar, runs, &toDialog, &afterSave);
    report(QStringLiteral("day click (day list + month, drawn)"), click);
    report(QStringLiteral("month change"), month);
    report(QStringLiteral("payment save, appended (fsync included)"), append);
    report(QStringLiteral("undo of an appended save (asked, written, drawn)"), undo);
    report(QStringLiteral("  Ctrl+Z until the box is drawn"), undoToBox);
    report(QStringLiteral("  OK until the page is drawn"), undoAfterOk);
    report(QStringLiteral("redo of it"), redo);
    report(QStringLiteral("  Ctrl+Y until the box is drawn"), redoToBox);
    report(QStringLiteral("  OK until the page is drawn"), redoAfterOk);
    report(QStringLiteral("payment save, inserted 10 years back"), insert);
    report(QStringLiteral("  the same bytes written and synced"), writeOnly);
    printf("  save 10 years back / write and sync:          %.2f\n",
           median(insert) / std::max(median(writeOnly), 0.001));
    report(QStringLiteral("  of which until on the disk (first yield)"), untilDurable);
    printf("  until on the disk / write and sync:           %.2f\n",
           median(untilDurable) / std::max(median(writeOnly), 0.001));
    report(QStringLiteral("  the same save without the undo history"), insertBare);
    printf("  without the history / write and sync:         %.2f\n",
           median(insertBare) / std::max(median(writeOnly), 0.001));
    // Only the saves: two builds' saves compared by turns, without the pages' minutes.
    if (qEnvironmentVariableIsSet("MILTEA_BENCH_SAVES")) return 0;
    report(QStringLiteral("payment corrected or deleted 10 years back"), correct);
    report(QStringLiteral("  until the dialog or the question is drawn"), toDialog);
    report(QStringLiteral("  保存 or OK until the page is drawn"), afterSave);
    benchAnalysisPages(window, runs);
    // The whole book as CSV, from the data list as shown, written and synced.
    named<QToolButton>(window, "cmdBunseki")->click();
    drawn();
    if (auto *list = window.findChild<Grid *>(QStringLiteral("msgIchiran"))) {
        QList<double> csv;
        for (int i = 0; i < std::min(runs, 5); ++i)
            csv << timeMs([&] {
                const CsvFile file = csvFromTable(list->table(), CsvEncoding::Utf8);
                writeExactly(dir.path() + QStringLiteral("/export.csv"), file.bytes);
            });
        report(QStringLiteral("data list exported as CSV (UTF-8)"), csv);
    }
    // The widest totals grid: 60 payee columns over the 10,950 days.
    QString master =
        QStringLiteral("スーパー丸正\r\nコンビニ\r\n八百屋\r\n駅\r\n本屋\r\n喫茶店\r\n薬局\r\n");
    for (int i = 8; i <= 60; ++i)
        master += QStringLiteral("店%1\r\n").arg(i);
    writeFile(dir.path() + QStringLiteral("/支払いマスタ.txt"), master);
    window.READ_MASTER();
    QList<double> wide, wideCpu;
    for (int i = 0; i < runs; ++i) {
        named<QToolButton>(window, "cmdMain")->click();
        drawn();
        wide << clickMs(named<QToolButton>(window, "cmdKakei"));
        wideCpu << g_lastCpuMs;
    }
    report(QStringLiteral("集計 opened with 60 payee columns"), wide);
    // Budgets: the label while a category is chosen, and the budget view.
    writeFile(dir.path() + QStringLiteral("/予算.txt"),
              QStringLiteral("\"食費\",40000\r\n\"交通費\",5000\r\n\"外食\",8000\r\n"));
    named<QToolButton>(window, "cmdMain")->click();
    drawn();
    QList<double> budgetLabel, budgetView;
    for (int i = 0; i < runs; ++i) {
        budgetLabel << timeMs([&] {
            category->setEditText(i % 2 ? QStringLiteral("食費") : QStringLiteral("交通費"));
            drawn();
        });
    }
    named<QToolButton>(window, "cmdKakei")->click();
    drawn();
    for (int i = 0; i < runs; ++i) {
        named<QAbstractButton>(window, i % 2 ? "optList2_1" : "optList2_0")->click();
        drawn();
        budgetView << clickMs(named<QAbstractButton>(window, "optList2_2"));
    }
    report(QStringLiteral("budget label, a category chosen"), budgetLabel);
    report(QStringLiteral("集計 budget view shown"), budgetView);
    benchLists(dir.path(), runs);
    benchTrendAndReflection(window, runs);
    benchSettings(window, runs);
    QDir::setCurrent(QDir::tempPath());
    printf("\nHow the figures grow with the book:\n");
    fflush(stdout);
    for (int years : {3, 30, 100})
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--scale"), QString::number(years)});
    return 0;
}
