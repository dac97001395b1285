// The window on today's desktops: Ctrl+E on a grid writes it as CSV, and a
// grown window shows its designed page magnified, control by control.
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "records/clock.h"
#include "ui/grid.h"
#include "windowfixture.h"

class TestExport : public QObject, public WindowFixture {
    Q_OBJECT
private slots:
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void ctrlEWritesTheDayListAsCsv() {
        book().write(QStringLiteral("データ.txt"),
                     QStringLiteral("\"2005/02/14\",\"八百屋, 駅前\",\"食費\",1500,\"\",\"\"\r\n"));
        Clock::setToday(QDate(2005, 2, 14));
        open();
        const QString path = m_dir->file(QStringLiteral("日.csv"));
        ModalDriver driver;
        QString title;
        QStringList filters;
        driver.then([&](QWidget *w) {
            auto *dlg = qobject_cast<QFileDialog *>(w);
            title = dlg->windowTitle();
            filters = dlg->nameFilters();
            dlg->selectFile(path);
            static_cast<QDialog *>(dlg)->accept();
        });
        m_w->activateWindow(); // shortcuts work in the active window
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        auto *view = c<Grid>("msgDayList")->findChild<QTableView *>();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_E, Qt::ControlModifier);
        settle();
        QVERIFY(driver.done());
        QCOMPARE(title, QStringLiteral("CSVに書き出す"));
        QCOMPARE(filters, (QStringList{"CSV UTF-8 (*.csv)", "CSV Shift-JIS (*.csv)"}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.contains(QStringLiteral("1,\"八百屋, 駅前\",食費,1500\r\n").toUtf8()));
        // The data list keeps its plain amounts in a column of no width: not exported.
        click("cmdBunseki");
        QCOMPARE(c<Grid>("msgIchiran")->table().value(1),
                 (QStringList{"1", "2005/02/14", "八百屋, 駅前", "食費", "¥1,500", ""}));
    }

    // At twice the designed size every edge lies twice as far, fonts and
    // icons twice as large, a grid's columns and rows too; back at the
    // designed size everything is as it was.
    void twiceTheWindowIsTwiceEveryControl() {
        open();
        QCOMPARE(m_w->minimumSize(), MainWindow::designSize());
        auto *label = c<QLabel>("lblMonZan");
        auto *button = c<QToolButton>("cmdKakei");
        auto *view = c<Grid>("msgDayList")->findChild<QTableView *>();
        struct Look {
            QRect label, button, grid;
            double points;
            QSize icon;
            int column, row;
            bool operator==(const Look &) const = default;
        };
        const auto look = [&] {
            settle();
            return Look{label->geometry(),
                        button->geometry(),
                        c<Grid>("msgDayList")->geometry(),
                        label->font().pointSizeF(),
                        button->iconSize(),
                        view->columnWidth(1),
                        view->verticalHeader()->defaultSectionSize()};
        };
        const Look designed = look();
        m_w->resize(MainWindow::designSize() * 2);
        const Look grown = look();
        const auto twice = [](QRect r) { return QRect(r.topLeft() * 2, r.size() * 2); };
        QCOMPARE(grown.label, twice(designed.label));
        QCOMPARE(grown.button, twice(designed.button));
        QCOMPARE(grown.grid, twice(designed.grid));
        QCOMPARE(grown.points, designed.points * 2);
        QCOMPARE(grown.icon, designed.icon * 2);
        QCOMPARE(grown.column, designed.column * 2);
        QCOMPARE(grown.row, designed.row * 2);
        m_w->resize(MainWindow::designSize());
        QVERIFY(look() == designed);
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
