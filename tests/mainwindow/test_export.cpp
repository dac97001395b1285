// The window on today's desktops: Ctrl+E on a grid writes it as CSV, and a
// grown window shows its designed page magnified, control by control.
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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
    // icons twice as large (in the coloured panels too), a grid's columns and
    // rows too, its marked cell kept; back at the designed size everything is
    // as it was.
    void twiceTheWindowIsTwiceEveryControl() {
        book().write(QStringLiteral("データ.txt"),
                     QStringLiteral("\"2005/02/14\",\"八百屋\",\"食費\",1500,\"\",\"\"\r\n"));
        Clock::setToday(QDate(2005, 2, 14));
        open();
        QCOMPARE(m_w->minimumSize(), MainWindow::designSize());
        auto *label = c<QLabel>("lblMonZan");
        auto *button = c<QToolButton>("cmdKakei");
        auto *inPanel = c<QLineEdit>("txtInpKingaku");
        auto *grid = c<Grid>("msgDayList");
        auto *view = grid->findChild<QTableView *>();
        const QModelIndex cell = view->model()->index(0, 1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        struct Look {
            QRect label, button, grid;
            double points, panelPoints;
            QSize icon;
            int column, row;
            bool marked;
            bool operator==(const Look &) const = default;
        };
        const auto look = [&] {
            settle();
            return Look{label->geometry(),
                        button->geometry(),
                        grid->geometry(),
                        label->font().pointSizeF(),
                        inPanel->font().pointSizeF(),
                        button->iconSize(),
                        view->columnWidth(1),
                        view->verticalHeader()->defaultSectionSize(),
                        view->selectionModel()->isSelected(view->currentIndex())};
        };
        const Look designed = look();
        QVERIFY(designed.marked);
        m_w->resize(MainWindow::designSize() * 2);
        const Look grown = look();
        const auto twice = [](QRect r) { return QRect(r.topLeft() * 2, r.size() * 2); };
        QCOMPARE(grown.label, twice(designed.label));
        QCOMPARE(grown.button, twice(designed.button));
        QCOMPARE(grown.grid, twice(designed.grid));
        QCOMPARE(grown.points, designed.points * 2);
        QCOMPARE(grown.panelPoints, designed.panelPoints * 2);
        QCOMPARE(grown.icon, designed.icon * 2);
        QCOMPARE(grown.column, designed.column * 2);
        QCOMPARE(grown.row, designed.row * 2);
        QVERIFY(grown.marked);
        m_w->resize(MainWindow::designSize());
        QVERIFY(look() == designed);
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
