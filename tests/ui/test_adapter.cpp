// The UI adapter: the grid (header row, fixed columns, widths, colours, scrolling,
// clicks, sorting, column tables), the chart's tables, the deferred refresh, the
// calendar, list boxes and message boxes.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <QAbstractButton>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numeric>

#include "records/money.h"
#include "seededpicks.h"
#include "ui/chart.h"
#include "ui/deferredrefresh.h"
#include "ui/dialogs.h"
#include "ui/grid.h"
#include "ui/keysort.h"
#include "ui/listbox.h"
#include "ui/monthcalendar.h"
#include "ui/twips.h"

namespace {
// How often a widget of a page is painted when the page, hidden and changed,
// is shown again.
int paintsWhenShown(QWidget *page, QWidget *painted, const std::function<void()> &change = {}) {
    struct Paints : QObject {
        int n = 0;
        bool eventFilter(QObject *, QEvent *e) override {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } paints;
    page->hide();
    QApplication::processEvents();
    if (change) change();
    painted->installEventFilter(&paints);
    page->show();
    for (int turn = 0; turn < 3; ++turn)
        QApplication::processEvents();
    painted->removeEventFilter(&paints);
    return paints.n;
}
} // namespace

class TestAdapter : public QObject {
    Q_OBJECT
private slots:
    // Plain cells drawn from the kept shaping look exactly as the style draws
    // them: every alignment, texts that end in wide or narrow letters, and
    // fonts whose line height is odd or even against the row height.
    void gridCellsAreDrawnAsTheStyleDrawsThem() {
        const QStringList texts{"abc",   "Sony",       "Total", "1,234", "¥1,500",
                                "-¥200", "日本語です", "",      "x",     "WWWWWWWWWWWWWWWW"};
        const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter,
                                        Qt::AlignLeft | Qt::AlignTop,
                                        Qt::AlignRight | Qt::AlignBottom};
        for (const QString &family :
             {QApplication::font().family(), QStringLiteral("Noto Sans CJK JP")})
            for (int points : {8, 9, 10, 11, 12, 14})
                for (Qt::Alignment a : aligns) {
                    QImage shot[2];
                    for (int i = 0; i < 2; ++i) {
                        QWidget w;
                        w.setFont(QFont(family));
                        w.resize(420, 320);
                        auto *g = new Grid(&w);
                        g->setGeometry(w.rect());
                        if (i == 1) // the style's own drawing
                            for (QTableView *v : g->findChildren<QTableView *>())
                                v->setItemDelegate(new QStyledItemDelegate(v));
                        g->setFontPointSize(points);
                        g->setColumns({{"一", 1200, a}, {"二", 600, a}, {"三", 2400, a}});
                        g->setRows(static_cast<int>(texts.size()) + 1);
                        for (int r = 0; r < texts.size(); ++r)
                            for (int c = 0; c < 3; ++c)
                                g->setText(r + 1, c, texts.at((r + c) % texts.size()));
                        w.show();
                        QCoreApplication::processEvents();
                        shot[i] = w.grab().toImage();
                    }
                    QVERIFY2(shot[0] == shot[1], qPrintable(QStringLiteral("%1 %2 pt, alignment %3")
                                                                .arg(family)
                                                                .arg(points)
                                                                .arg(int(a))));
                }
    }

    void holdsTextsColoursAndLayout() {
        Grid g;
        g.setCols(4);
        g.setRows(3);
        g.setFixedCols(1);
        g.setText(0, 1, QStringLiteral("支払い"));
        g.setText(2, 3, QStringLiteral("¥1,500"));
        g.setColWidth(1, 2050);
        g.setColAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        g.setFixedAlignment(0, Qt::AlignCenter);
        g.setCellBackColor(1, 2, QColor(255, 192, 192));
        g.setCellForeColor(1, 2, Qt::red);
        g.setFontPointSize(11);
        QCOMPARE(g.text(0, 1), QStringLiteral("支払い"));
        QCOMPARE(g.text(2, 3), QStringLiteral("¥1,500"));
        QCOMPARE(g.text(9, 9), QString());
        QCOMPARE(g.colWidth(1), 2050);
        QCOMPARE(g.colAlignment(3), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(g.fixedAlignment(0), Qt::AlignCenter);
        QCOMPARE(g.cellBackColor(1, 2), QColor(255, 192, 192));
        QCOMPARE(g.cellForeColor(1, 2), QColor(Qt::red));
        // A run of rows in a column: a cell's own colour comes first.
        const QColor plain = g.cellBackColor(2, 3);
        g.setRowsBackColor(1, 2, 2, QColor(1, 2, 3));
        QCOMPARE(g.cellBackColor(1, 2), QColor(255, 192, 192));
        QCOMPARE(g.cellBackColor(2, 2), QColor(1, 2, 3));
        QCOMPARE(g.cellBackColor(2, 3), plain);
        QCOMPARE(g.fontPointSize(), 11);
        QCOMPARE(g.fixedRows(), 1);
        QCOMPARE(g.fixedCols(), 1);
        g.setRows(1);
        QCOMPARE(g.rows(), 1);
        QCOMPARE(g.text(2, 3), QString());
        g.clear();
        QCOMPARE(g.text(0, 1), QString());
        QCOMPARE(g.cols(), 4);
    }

    // Cut from many rows to a few (the way a page empties a grid to refill it),
    // the rows kept keep their cells and the rows grown back come empty.
    void aGridCutToAFewRowsKeepsThemWhole() {
        Grid g;
        g.setCols(3);
        g.setRows(40);
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 3; ++c) {
                g.setText(r, c, QString::number(r * 3 + c));
                g.setCellBackColor(r, c, QColor(r, c, 7));
            }
        g.setRows(2);
        g.setRows(40);
        for (int r = 0; r < 40; ++r)
            for (int c = 0; c < 3; ++c) {
                QCOMPARE(g.text(r, c), r < 2 ? QString::number(r * 3 + c) : QString());
                QCOMPARE(g.cellBackColor(r, c) == QColor(r, c, 7), r < 2);
            }
    }

    void columnTableLaysOutTheGrid() {
        Grid g;
        g.setColumns({{QStringLiteral("回"), 420, Qt::AlignRight},
                      {QStringLiteral("支払い"), 2050, Qt::AlignLeft | Qt::AlignTop},
                      {QStringLiteral("価格"), 1070, Qt::AlignRight, Qt::AlignRight}});
        QCOMPARE(g.cols(), 3);
        QCOMPARE(g.rows(), 1); // the header row is made
        QCOMPARE(g.text(0, 1), QStringLiteral("支払い"));
        QCOMPARE(g.colWidth(1), 2050);
        QCOMPARE(g.colAlignment(0), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(g.colAlignment(1), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(g.fixedAlignment(0), Qt::AlignCenter);
        QCOMPARE(g.fixedAlignment(2), Qt::AlignRight | Qt::AlignVCenter);

        // A narrower table drops the columns beyond it; rows and their texts stay.
        g.setRows(3);
        g.setText(2, 0, QStringLiteral("2"));
        g.setText(2, 2, QStringLiteral("¥300"));
        g.setColumns({{QStringLiteral("日付"), 1200}, {QStringLiteral("内容"), 2000}});
        QCOMPARE(g.cols(), 2);
        QCOMPARE(g.rows(), 3);
        QCOMPARE(g.text(0, 0), QStringLiteral("日付"));
        QCOMPARE(g.text(2, 0), QStringLiteral("2"));
        QCOMPARE(g.text(2, 2), QString());
        QCOMPARE(g.colAlignment(0), Qt::AlignLeft | Qt::AlignVCenter);
    }

    // A calendar's day columns are 310 twips: narrower than a header's usual minimum.
    void narrowColumnsKeepTheirWidth() {
        Grid g;
        g.setCols(3);
        g.setRows(2);
        g.setColWidth(1, 310);
        g.resize(400, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QApplication::processEvents();
        int shown = 0;
        for (QTableView *view : g.findChildren<QTableView *>()) {
            if (view->isColumnHidden(1)) continue; // the frozen columns' own view
            QCOMPARE(view->columnWidth(1), twipsToPx(310));
            ++shown;
        }
        QVERIFY(shown > 0);
    }

    void cellsKeepTheirPlaceThroughEdits() {
        Grid g;
        g.setCols(3);
        g.setRows(4);
        // Written out of order, then rewritten longer, shorter and empty.
        g.setText(1, 2, QStringLiteral("¥1,500"));
        g.setText(1, 0, QStringLiteral("1"));
        g.setText(1, 1, QStringLiteral("食費"));
        g.setText(1, 1, QStringLiteral("スーパーマーケット"));
        QCOMPARE(g.text(1, 0), QStringLiteral("1"));
        QCOMPARE(g.text(1, 1), QStringLiteral("スーパーマーケット"));
        QCOMPARE(g.text(1, 2), QStringLiteral("¥1,500"));
        g.setText(1, 0, QString());
        g.setText(1, 1, QStringLiteral("本"));
        QCOMPARE(g.text(1, 0), QString());
        QCOMPARE(g.text(1, 1), QStringLiteral("本"));
        QCOMPARE(g.text(1, 2), QStringLiteral("¥1,500"));
        QCOMPARE(g.text(2, 1), QString());

        // Columns added come empty; columns removed do not come back.
        g.setCols(5);
        QCOMPARE(g.text(1, 2), QStringLiteral("¥1,500"));
        QCOMPARE(g.text(1, 4), QString());
        g.setText(1, 4, QStringLiteral("x"));
        g.setCols(2);
        g.setCols(3);
        QCOMPARE(g.text(1, 1), QStringLiteral("本"));
        QCOMPARE(g.text(1, 2), QString());
    }

    void coloursMoveWithTheirRows() {
        Grid g;
        g.setCols(2);
        g.setRows(4);
        const char *amounts[] = {"¥300", "¥100", "¥200"};
        for (int r = 1; r <= 3; ++r)
            g.setText(r, 1, QString::fromUtf8(amounts[r - 1]));
        g.setCellBackColor(2, 0, QColor(255, 192, 192));
        g.setCellForeColor(2, 1, QColor(Qt::red));
        const QColor plain = g.cellBackColor(1, 0);
        g.sortRows(1, true, true);
        QCOMPARE(g.text(1, 1), QStringLiteral("¥100"));
        QCOMPARE(g.cellBackColor(1, 0), QColor(255, 192, 192));
        QCOMPARE(g.cellForeColor(1, 1), QColor(Qt::red));
        QCOMPARE(g.cellBackColor(2, 0), plain);
        g.sortRows(1, false, false); // as text: "¥300" > "¥200" > "¥100"
        QCOMPARE(g.text(3, 1), QStringLiteral("¥100"));
        QCOMPARE(g.cellBackColor(3, 0), QColor(255, 192, 192));

        // A row that goes takes its colours; a new row in its place has none.
        g.setRows(3);
        g.setRows(4);
        QCOMPARE(g.cellBackColor(3, 0), plain);
        QCOMPARE(g.text(3, 1), QString());
    }

    void scrollsAsFarAsItCan() {
        Grid g;
        g.resize(300, 200);
        g.setCols(2);
        g.setRows(51);
        for (int r = 1; r <= 50; ++r)
            g.setText(r, 0, QString::number(r));
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.topRow(), 1);
        g.setTopRow(50);
        QVERIFY(g.topRow() > 40);
        QVERIFY(g.topRow() <= 50);
    }

    void clickMakesTheCellCurrent() {
        Grid g;
        g.setCols(3);
        g.setRows(4);
        QSignalSpy spy(&g, &Grid::clicked);
        g.clickCell(2, 1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(g.currentRow(), 2);
        QCOMPARE(g.currentCol(), 1);
        g.clickCell(0, 2);
        QCOMPARE(g.currentRow(), 0);
    }

    void sortsRowsBelowTheHeader() {
        Grid g;
        g.setCols(2);
        g.setRows(5);
        const char *amounts[] = {"¥1,500", "-¥200", "¥30", "¥1,500"};
        for (int r = 1; r <= 4; ++r) {
            g.setText(r, 0, QString::number(r));
            g.setText(r, 1, QString::fromUtf8(amounts[r - 1]));
        }
        g.setText(0, 1, QStringLiteral("金額"));
        g.sortRows(1, true, true);
        QCOMPARE(g.text(0, 1), QStringLiteral("金額"));
        QStringList order;
        for (int r = 1; r <= 4; ++r)
            order << g.text(r, 0);
        QCOMPARE(order, (QStringList{"2", "3", "1", "4"})); // stable for equal amounts
        g.sortRows(1, false, true);
        QCOMPARE(g.text(1, 0), QStringLiteral("1"));
    }

    void sortsTextByCharacterCodeKeepingEqualRowsInOrder() {
        Grid g;
        g.setCols(3);
        g.setRows(6);
        const char16_t *texts[] = {u"b", u"B", u"あ", u"b", u"a"};
        for (int r = 1; r <= 5; ++r) {
            g.setText(r, 0, QString::number(r));
            g.setText(r, 1, QString::fromUtf16(texts[r - 1]));
            g.setCellForeColor(r, 2, QColor(r, 0, 0));
        }
        auto order = [&g] {
            QStringList o;
            for (int r = 1; r < g.rows(); ++r)
                o << g.text(r, 0);
            return o;
        };
        g.sortRows(1, true, false);
        QCOMPARE(order(), (QStringList{"2", "5", "1", "4", "3"}));
        QCOMPARE(g.cellForeColor(1, 2), QColor(2, 0, 0)); // whole rows move
        g.sortRows(1, false, false);
        QCOMPARE(order(), (QStringList{"3", "1", "4", "5", "2"}));
        g.sortRows(0, true, true);
        QCOMPARE(order(), (QStringList{"1", "2", "3", "4", "5"}));
    }

    void rowsFromASourceAreMadeWhenAskedFor() {
        struct Source : GridRowSource {
            mutable int asked = 0;
            int rowCount() const override { return 100000; }
            QString text(int row, int col) const override {
                ++asked;
                return col == 0 ? QString::number(row) : QStringLiteral("¥%1").arg(row % 3);
            }
            bool number(int row, int col, double *v) const override {
                if (col != 1) return false;
                *v = row % 3;
                return true;
            }
            QColor backColor(int row, int col) const override {
                return col == 1 && row % 2 == 0 ? QColor(Qt::red) : QColor();
            }
        };
        auto source = std::make_shared<Source>();
        Grid g;
        g.setCols(2);
        g.setRows(3);
        g.setText(0, 0, QStringLiteral("番号"));
        g.setSourceRows(source);
        QCOMPARE(g.rows(), 100001);
        QCOMPARE(source->asked, 0);
        QCOMPARE(g.text(0, 0), QStringLiteral("番号"));
        QCOMPARE(g.text(5, 0), QStringLiteral("4"));
        QVERIFY(g.cellBackColor(6, 1) != QColor(Qt::red));
        g.setText(5, 1, QStringLiteral("書いた"));
        QCOMPARE(g.text(5, 0), QStringLiteral("4")); // the rest of the row stays
        QCOMPARE(g.text(5, 1), QStringLiteral("書いた"));
        QCOMPARE(g.cellBackColor(5, 1), QColor(Qt::red)); // and its colours
        g.setCellBackColor(5, 1, Qt::blue);               // the cell's own comes first
        QCOMPARE(g.cellBackColor(5, 1), QColor(Qt::blue));
        g.sortRows(1, true, true);
        QCOMPARE(g.text(1, 0), QStringLiteral("0"));
        QCOMPARE(g.text(2, 0), QStringLiteral("3")); // stable among equal numbers
        g.sortRows(0, false, false);
        QCOMPARE(g.text(1, 0), QStringLiteral("99999"));
        g.clear();
        QCOMPARE(g.text(1, 0), QString());
        g.setText(1, 1, QStringLiteral("x"));
        QCOMPARE(g.text(1, 1), QStringLiteral("x"));
        g.setRows(1);
        QCOMPARE(g.rows(), 1);
    }

    void fillsManyRows() {
        Grid g;
        g.setCols(7);
        g.setRows(100001);
        for (int r = 1; r <= 100000; ++r)
            for (int c = 0; c < 7; ++c)
                g.setText(r, c, QStringLiteral("x"));
        QCOMPARE(g.text(100000, 6), QStringLiteral("x"));
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setTopRow(100000);
        QVERIFY(g.topRow() > 99000);
    }

    // Hidden with its page, a grid of thousands of rows lets its views' rows
    // go (each view keeps an item per row); shown again it is as it was left.
    // The window is destroyed with the page shown, as a closing window leaves it.
    void aHiddenGridShowsItsRowsAgainAsItLeftThem() {
        QWidget window;
        QWidget page(&window);
        Grid g(&page);
        g.resize(400, 300);
        g.setCols(20);
        g.setRows(5001);
        g.setFixedCols(1);
        g.setComputedRows(1, 5000, [](int r, int c) { return QString::number(r * 100 + c); });
        page.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        g.setTopRow(3000);
        g.clickCell(3004, 10);
        auto *hScroll = g.findChildren<QScrollBar *>().first();
        for (QScrollBar *bar : g.findChildren<QScrollBar *>())
            if (bar->orientation() == Qt::Horizontal && bar->maximum() > 0) hScroll = bar;
        hScroll->setValue(hScroll->maximum() / 2);
        QVERIFY(hScroll->value() > 0);
        QCOMPARE(g.topRow(), 3000);
        const QImage left = g.grab().toImage();

        page.hide();
        for (QTableView *view : g.findChildren<QTableView *>())
            QCOMPARE(view->verticalHeader()->count(), 0);
        page.show();
        QCOMPARE(g.topRow(), 3000);
        QCOMPARE(g.currentRow(), 3004);
        QCOMPARE(g.currentCol(), 10);
        QCOMPARE(g.grab().toImage(), left);
    }

    void computedRowsAreMadeWhenRead() {
        Grid g;
        g.setCols(3);
        g.setRows(5);
        g.setText(0, 0, QStringLiteral("h"));
        int calls = 0;
        g.setComputedRows(1, 3, [&calls](int row, int col) {
            ++calls;
            return QStringLiteral("%1:%2").arg(row).arg(col);
        });
        QCOMPARE(calls, 0);
        QCOMPARE(g.text(1, 2), QStringLiteral("0:2"));
        QCOMPARE(g.text(3, 0), QStringLiteral("2:0"));
        QCOMPARE(g.text(4, 0), QString()); // past the computed rows
        QCOMPARE(g.text(0, 0), QStringLiteral("h"));
        g.setText(2, 1, QString()); // a written cell keeps its own text, even an empty one
        QCOMPARE(g.text(2, 1), QString());
        QCOMPARE(g.text(2, 0), QStringLiteral("1:0"));
        // Sorting writes the texts into the rows that move.
        g.sortRows(0, false, false);
        QCOMPARE(g.text(1, 0), QStringLiteral("2:0"));
        QCOMPARE(g.text(1, 1), QStringLiteral("2:1"));
        g.clear();
        QCOMPARE(g.text(1, 0), QString());
        g.setComputedRows(1, 10, [](int, int) { return QStringLiteral("x"); });
        g.setRows(2); // the computing stops with the rows
        g.setRows(5);
        QCOMPARE(g.text(1, 0), QStringLiteral("x"));
        QCOMPARE(g.text(3, 0), QString());
    }

    void chartKeepsItsTable() {
        Chart c;
        c.setSeriesCount(3);
        c.setRowCount(31);
        c.setValue(14, 2, 26133);
        c.setRowLabel(31, QStringLiteral("31"));
        c.setSeriesKind(3, Chart::SeriesKind::Bar);
        c.setSeriesAxis(3, Chart::Axis::Secondary);
        c.setSeriesVisible(2, false);
        c.setAxis(Chart::Axis::Primary, 0, 90000, 10);
        QCOMPARE(c.value(14, 2), 26133.0);
        QCOMPARE(c.value(99, 2), 0.0);
        QCOMPARE(c.rowLabel(31), QStringLiteral("31"));
        QCOMPARE(c.seriesKind(3), Chart::SeriesKind::Bar);
        QCOMPARE(c.seriesAxis(3), Chart::Axis::Secondary);
        QVERIFY(!c.seriesVisible(2));
        QCOMPARE(c.axisMax(Chart::Axis::Primary), 90000.0);
        QCOMPARE(c.axisDivisions(Chart::Axis::Primary), 10);
        c.render();
    }

    void chartDeclaresNamedSeries() {
        Chart c;
        c.setRowCount(5);
        c.setSeriesCount(1);
        c.setValue(2, 1, 700);
        c.setSeries({{QStringLiteral("残金推移"), Chart::SeriesKind::Line, Chart::Axis::Primary,
                      QColor(0, 0, 255)},
                     {QStringLiteral("ペース"), Chart::SeriesKind::Line, Chart::Axis::Primary,
                      QColor(255, 0, 0)},
                     {QStringLiteral("日別支出"), Chart::SeriesKind::Bar, Chart::Axis::Secondary,
                      QColor(255, 200, 0)}});
        QCOMPARE(c.seriesCount(), 3);
        QCOMPARE(c.seriesNumber(QStringLiteral("日別支出")), 3);
        QCOMPARE(c.seriesNumber(QStringLiteral("貯金累計")), 0);
        QCOMPARE(c.seriesName(1), QStringLiteral("残金推移"));
        QCOMPARE(c.seriesKind(3), Chart::SeriesKind::Bar);
        QCOMPARE(c.seriesAxis(3), Chart::Axis::Secondary);
        QCOMPARE(c.seriesColor(2), QColor(255, 0, 0));
        QCOMPARE(c.value(2, 1), 700.0); // values of a series that stays are kept

        // The drawing carries the names and colours; a hidden series is not drawn.
        c.setSeriesVisible(2, false);
        c.render();
        QChart *drawn = c.findChild<QChartView *>()->chart();
        QCOMPARE(drawn->series().size(), 2);
        auto *line = qobject_cast<QLineSeries *>(drawn->series().at(1)); // over the bars
        QVERIFY(line);
        QCOMPARE(line->name(), QStringLiteral("残金推移"));
        QCOMPARE(line->pen().color(), QColor(0, 0, 255));
        auto *bars = qobject_cast<QBarSeries *>(drawn->series().at(0));
        QVERIFY(bars);
        QCOMPARE(bars->barSets().at(0)->label(), QStringLiteral("日別支出"));
        QCOMPARE(bars->barSets().at(0)->color(), QColor(255, 200, 0));
        QCOMPARE(bars->attachedAxes().last()->alignment(), Qt::AlignRight);

        // Declaring the table again shows every series.
        c.setSeries({{QStringLiteral("貯金累計")}, {QStringLiteral("貯金１回")}});
        QVERIFY(c.seriesVisible(2));
        QCOMPARE(c.seriesName(2), QStringLiteral("貯金１回"));
    }

    // Values alone changed: the drawn bars hold the table's values, a few
    // written in place, many given anew; a value that is no number is 0.
    void changedValuesReachTheDrawnBars_data() {
        QTest::addColumn<int>("bars");
        QTest::addColumn<QList<int>>("changed");
        QTest::addColumn<double>("to");
        QList<int> all(40);
        std::iota(all.begin(), all.end(), 1);
        QTest::newRow("first and last of 3") << 3 << QList<int>{1, 3} << 55.0;
        QTest::newRow("one of 40") << 40 << QList<int>{20} << 55.0;
        QTest::newRow("all of 40") << 40 << all << 55.0;
        QTest::newRow("no number") << 3 << QList<int>{2} << std::nan("");
        QTest::newRow("infinite") << 3 << QList<int>{3} << HUGE_VAL;
    }
    void changedValuesReachTheDrawnBars() {
        QFETCH(int, bars);
        QFETCH(QList<int>, changed);
        QFETCH(double, to);
        Chart c;
        c.resize(400, 300);
        c.setSeriesCount(1);
        c.setSeriesKind(1, Chart::SeriesKind::Bar);
        c.setRowCount(bars);
        for (int r = 1; r <= bars; ++r)
            c.setValue(r, 1, 10 * r);
        c.render();
        for (int r : changed)
            c.setValue(r, 1, to);
        c.render();
        auto *drawn =
            qobject_cast<QBarSeries *>(c.findChild<QChartView *>()->chart()->series().value(0));
        QVERIFY(drawn && drawn->barSets().size() == 1);
        QList<qreal> shown, table;
        for (int r = 1; r <= bars; ++r) {
            shown << drawn->barSets().at(0)->at(r - 1);
            table << c.value(r, 1);
        }
        QCOMPARE(shown, table);
        QCOMPARE(table.at(changed.first() - 1), std::isfinite(to) ? to : 0.0);
    }

    void deferredRefreshRunsOncePerTurn() {
        int runs = 0;
        auto *owner = new QObject;
        DeferredRefresh refresh(owner, [&runs] { ++runs; });
        refresh.request();
        refresh.request();
        refresh.request();
        QCOMPARE(runs, 0);
        QVERIFY(refresh.isPending());
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
        QVERIFY(!refresh.isPending());

        // The owner refreshed by itself: the queued turn does nothing more.
        refresh.request();
        refresh.settle();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);

        // A request after a settled one is not lost.
        refresh.request();
        QCoreApplication::processEvents();
        QCOMPARE(runs, 2);

        // A request whose owner is gone runs nothing.
        refresh.request();
        delete owner;
        QCoreApplication::processEvents();
        QCOMPARE(runs, 2);
    }

    // The key sort puts rows exactly where a stable comparison sort does, for
    // keys with many ties, keys of every sign and size, -0 beside 0, and a NaN.
    void keySortOrdersAsAStableSort_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rows");
        for (int rows : {0, 1, 300, 5000})
            for (const auto &[kind, name] :
                 {std::pair{0, "few keys"}, {1, "ints"}, {2, "doubles"}, {3, "a NaN"}})
                QTest::addRow("%s, %d rows", name, rows) << kind << rows;
    }
    void keySortOrdersAsAStableSort() {
        QFETCH(int, kind);
        QFETCH(int, rows);
        const quint64 seed = envNumber("MILTEA_SEED", 20261208);
        qInfo("seed %llu", static_cast<unsigned long long>(seed));
        QRandomGenerator rng(seed);
        const double special[] = {
            -0.0, 0.0, 1e15, -1e15, 0.5, -0.25, std::numeric_limits<double>::infinity()};
        QList<std::pair<double, int>> doubles(rows);
        QList<std::pair<int, int>> ints(rows);
        for (int r = 0; r < rows; ++r) {
            const int i = kind == 0 ? rng.bounded(10) : static_cast<int>(rng.generate());
            const double d = rng.bounded(4) == 0 ? special[rng.bounded(7)] : i / 4.0;
            ints[r] = {i, r};
            doubles[r] = {kind == 3 && r == rows / 2 ? std::nan("") : d, r};
        }
        // Rows compared, not keys: a NaN key equals nothing.
        const auto sortsAsStable = [](auto keyed, bool ascending) {
            auto expected = keyed;
            std::stable_sort(expected.begin(), expected.end(), [&](auto a, auto b) {
                return ascending ? a.first < b.first : b.first < a.first;
            });
            sortByKeys(keyed, ascending);
            return std::equal(keyed.begin(), keyed.end(), expected.begin(), expected.end(),
                              [](auto a, auto b) { return a.second == b.second; });
        };
        for (bool ascending : {true, false}) {
            QVERIFY(sortsAsStable(doubles, ascending));
            QVERIFY(sortsAsStable(ints, ascending));
        }
    }

    // A grid filled anew while its page is hidden is drawn once when shown:
    // its views are laid out at once, not at the next turn.
    void aGridFilledWhileHiddenIsDrawnOnceWhenShown() {
        QWidget window, *page = new QWidget(&window);
        auto *g = new Grid(page);
        g->setGeometry(0, 0, 400, 300);
        g->setColumns({{QStringLiteral("日付"), 1100, Qt::AlignLeft},
                       {QStringLiteral("金額"), 900, Qt::AlignRight}});
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *view = g->findChild<QTableView *>()->viewport();
        for (int rows : {40, 3000})
            QCOMPARE(paintsWhenShown(page, view,
                                     [&] {
                                         g->setRows(rows);
                                         for (int r = 1; r < rows; ++r)
                                             g->setText(r, 1, formatYenGrid(r));
                                     }),
                     1);
    }

    // A chart shown again with its page, in an active window, is drawn once:
    // not again for the activation its view passes on.
    void aChartShownAgainIsDrawnOnce() {
        QWidget window, *page = new QWidget(&window);
        auto *c = new Chart(page);
        c->setGeometry(0, 0, 400, 300);
        c->setSeriesCount(1);
        c->setRowCount(3);
        c->setValue(2, 1, 5);
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget *view = c->findChild<QChartView *>()->viewport();
        paintsWhenShown(page, view); // the first showing settles the layout
        QCOMPARE(paintsWhenShown(page, view), 1);
    }

    // Thirty years of days: no drawn item per day, and the drawing keeps
    // each pixel column's tallest bar and the line's lowest and highest point.
    void longChartsDrawWithoutAnItemPerRow() {
        Chart c;
        c.resize(760, 450);
        c.setSeriesCount(3);
        c.setSeriesKind(3, Chart::SeriesKind::Bar);
        c.setRowCount(10950);
        for (int r = 1; r <= 10950; ++r) {
            c.setValue(r, 1, r % 97);
            c.setValue(r, 3, r == 5000 ? 99999 : r % 13);
        }
        c.render();
        const QChart *chart = c.findChild<QChartView *>()->chart();
        const QList<QAbstractSeries *> drawn = chart->series();
        QCOMPARE(drawn.size(), 3);
        for (QAbstractSeries *s : drawn) {
            auto *line = qobject_cast<QLineSeries *>(s); // the bars too are one comb line
            QVERIFY(line);
            QVERIFY(line->count() <= 3 * 760);
        }
        const auto top = [](QAbstractSeries *s) {
            double most = 0;
            for (const QPointF &p : static_cast<QLineSeries *>(s)->points())
                most = std::max(most, p.y());
            return most;
        };
        QCOMPARE(top(drawn.at(0)), 99999.0); // bars first, under the lines
        QCOMPARE(top(drawn.at(1)), 96.0);
    }

    void listSelectionFollowsTheHeldMouse() {
        ListBox list;
        for (int i = 0; i < 6; ++i)
            list.addItem(QStringLiteral("項目%1").arg(i));
        list.resize(200, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QList<int> atPress, atRelease;
        int clicks = 0;
        connect(&list, &ListBox::mouseDown, &list, [&] { atPress << list.currentRow(); });
        connect(&list, &ListBox::clicked, &list, [&] { ++clicks; });
        connect(&list, &ListBox::mouseUp, &list, [&] { atRelease << list.currentRow(); });
        auto centre = [&](int row) { return list.visualItemRect(list.item(row)).center(); };
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, centre(1));
        QMouseEvent move(QEvent::MouseMove, centre(4), list.viewport()->mapToGlobal(centre(4)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
        QCOMPARE(list.currentRow(), 4);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, centre(4));
        QCOMPARE(atPress, QList<int>{1});
        QCOMPARE(atRelease, QList<int>{4});
        QCOMPARE(clicks, 1);
        list.clickRow(2);
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(clicks, 2);
    }

    void listKeysMoveAndChooseAsClicksDo() {
        ListBox list;
        for (const char *name : {"スーパー丸正", "すし屋", "ｺﾝﾋﾞﾆ", "本屋", "Books", "八百屋"})
            list.addItem(QString::fromUtf8(name));
        list.resize(200, 60); // a page holds two or three items
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setFocus();
        int clicks = 0;
        connect(&list, &ListBox::clicked, &list, [&] { ++clicks; });
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(list.currentRow(), 5);
        QTest::keyClick(&list, Qt::Key_Home);
        QCOMPARE(list.currentRow(), 0);
        QTest::keyClick(&list, Qt::Key_PageDown);
        QVERIFY(list.currentRow() > 0);
        QCOMPARE(clicks, 3);
        QTest::keyClick(&list, Qt::Key_Return); // the marked item once more
        QTest::keyClick(&list, Qt::Key_Space);
        QCOMPARE(clicks, 5);
        QTest::keyClick(&list, Qt::Key_Home);
        clicks = 0;

        // Committed through the input method: hiragana finds katakana, in
        // half-width forms too, and each new word steps to the next match.
        const auto commit = [&](const QString &text) {
            QInputMethodEvent typed;
            typed.setCommitString(text);
            QApplication::sendEvent(&list, &typed);
        };
        const auto pause = [] { QTest::qWait(QApplication::keyboardInputInterval() + 5); };
        QApplication::setKeyboardInputInterval(20);
        commit(QStringLiteral("す"));
        QCOMPARE(list.currentRow(), 1); // すし屋, the next one after スーパー丸正
        pause();
        commit(QStringLiteral("す"));
        QCOMPARE(list.currentRow(), 0);
        pause();
        commit(QStringLiteral("こ"));
        QCOMPARE(list.currentRow(), 2);
        pause();
        commit(QStringLiteral("八百"));
        QCOMPARE(list.currentRow(), 5);
        pause();
        QTest::keyClick(&list, Qt::Key_B); // letter case does not count
        QCOMPARE(list.currentRow(), 4);
        QCOMPARE(clicks, 5);
        pause();
        commit(QStringLiteral("まだない")); // no item: the mark stays
        QCOMPARE(list.currentRow(), 4);
        QCOMPARE(clicks, 5);

        // Kana typed in quick succession make one word: "すー" passes すし屋 by.
        QApplication::setKeyboardInputInterval(60000);
        QTest::keyClick(&list, Qt::Key_Home); // a moving key starts a new word
        commit(QStringLiteral("す"));
        QCOMPARE(list.currentRow(), 1);
        commit(QStringLiteral("ー"));
        QCOMPARE(list.currentRow(), 0);
        QApplication::setKeyboardInputInterval(400);
    }

    void gridKeysChooseTheMarkedCellAndKeepTheScroll() {
        QWidget box;
        QLineEdit before(&box);
        Grid g(&box);
        g.resize(300, 150);
        g.setCols(2);
        g.setRows(41);
        for (int r = 1; r <= 40; ++r)
            g.setText(r, 0, QString::number(r));
        QWidget::setTabOrder(&before, &g);
        box.resize(300, 200);
        g.move(0, 40);
        before.setFocus();
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        g.setTopRow(30);
        const int top = g.topRow();
        QVERIFY(top > 20);
        QSignalSpy clicks(&g, &Grid::clicked);
        QTest::keyClick(&before, Qt::Key_Tab);
        QVERIFY(g.isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(g.topRow(), top); // entered where it was shown
        QCOMPARE(g.currentRow(), top);
        QCOMPARE(clicks.count(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(g.currentRow(), top + 1);
        QCOMPARE(clicks.count(), 0); // moving is not choosing
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(g.currentRow(), top + 1);
    }

    void messageBoxesSpeakJapanese() {
        QStringList captions;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            icon = box->icon();
            for (QAbstractButton *b : box->buttons())
                captions << b->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(
            !Dialogs::askYesNo(nullptr, QStringLiteral("追加しますか？"), QStringLiteral("確認")));
        captions.sort();
        QCOMPARE(captions, (QStringList{"いいえ(&N)", "はい(&Y)"}));
        QCOMPARE(title, QStringLiteral("確認"));
        QCOMPARE(icon, QMessageBox::Question);
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            captions = {box->button(QMessageBox::Ok)->text(),
                        box->button(QMessageBox::Cancel)->text()};
            box->button(QMessageBox::Ok)->click();
        });
        QVERIFY(Dialogs::confirm(nullptr, QStringLiteral("消しますか？"),
                                 QStringLiteral("クリア確認")));
        QCOMPARE(captions, (QStringList{"OK", "キャンセル"}));
    }

    void calendarReportsOnlyClicks() {
        MonthCalendar m;
        QSignalSpy spy(&m, &MonthCalendar::dateClicked);
        m.setValue(QDate(2005, 2, 14));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(m.value(), QDate(2005, 2, 14));
        m.clickDate(QDate(2005, 2, 20));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toDate(), QDate(2005, 2, 20));
        QCOMPARE(m.value(), QDate(2005, 2, 20));
    }

    // A day moved to by key is chosen by Enter or Tab, dropped when the
    // calendar is left any other way.
    void calendarKeysChooseOrDropTheMovedDay() {
        QWidget box;
        QLineEdit before(&box);
        MonthCalendar m(&box);
        QLineEdit after(&box);
        m.move(0, 30);
        m.resize(250, 200);
        after.move(0, 240);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QSignalSpy spy(&m, &MonthCalendar::dateClicked);
        m.setValue(QDate(2005, 2, 14));
        const auto key = [](int k, Qt::KeyboardModifiers mods = {}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), mods);
        };
        m.setFocus();
        key(Qt::Key_Right);
        QCOMPARE(m.value(), QDate(2005, 2, 15));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), &before);
        QCOMPARE(m.value(), QDate(2005, 2, 14));
        QCOMPARE(spy.count(), 0);
        key(Qt::Key_Tab);
        key(Qt::Key_Right);
        after.setFocus(Qt::MouseFocusReason); // a click on another control
        QCOMPARE(m.value(), QDate(2005, 2, 14));
        m.setFocus();
        key(Qt::Key_Right);
        key(Qt::Key_Tab);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().first().toDate(), QDate(2005, 2, 15));
        QCOMPARE(QApplication::focusWidget(), &after);
        QCOMPARE(m.value(), QDate(2005, 2, 15));
    }
};

QTEST_MAIN(TestAdapter)
#include "test_adapter.moc"
