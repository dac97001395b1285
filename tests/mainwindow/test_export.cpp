// Ctrl+E on a grid of the real window: the save dialog, its filters, and
// the file written as the grid shows it.
#include <QFileDialog>
#include <QTableView>
#include <QTest>

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
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
