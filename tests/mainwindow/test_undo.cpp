// Undo and redo through the real window: Ctrl+Z and Ctrl+Y from a text box,
// the boxes they ask in, the file bytes after each, and the history list of
// the edit page.
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "records/clock.h"
#include "ui/grid.h"
#include "windowfixture.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kBook = QStringLiteral("\"2005/02/14\",\"八百屋\",\"食費\",500,\"\",\"\"\r\n"
                                     "\"2005/02/14\",\"本屋\",\"教養\",700,\"\",\"\"\r\n");
const QString kDeleted = QStringLiteral("2005/02/14 八百屋 食費 500円 の削除");
} // namespace

class TestUndo : public QObject, public WindowFixture {
    Q_OBJECT

    void openBook() {
        book().write(kData, kBook);
        Clock::setToday(QDate(2005, 2, 14));
        open();
    }
    void key(const char *control, Qt::Key k, Qt::KeyboardModifiers mods) {
        QWidget *w = c(control);
        if (auto *g = qobject_cast<Grid *>(w)) w = g->findChild<QTableView *>();
        QTest::keyClick(w, k, mods);
        settle();
    }
    // The first payment deleted from the day list, as a user does.
    void deleteFirstRow() {
        c<Grid>("msgDayList")->setCurrentCell(1, 1);
        key("msgDayList", Qt::Key_Delete, Qt::NoModifier);
    }

private slots:
    void cleanup() {
        closeAll();
        Clock::reset();
    }

    void ctrlZUndoesAndCtrlYRedoesFromATextBox() {
        openBook();
        deleteFirstRow();
        const QByteArray deleted = m_dir->bytes(kData);
        QVERIFY(deleted.size() < sjis(kBook).size());
        m_boxes->seen.clear();
        key("txtOutInp", Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen[0].title, QStringLiteral("元に戻す"));
        QCOMPARE(m_boxes->seen[0].text,
                 kDeleted + QStringLiteral("を取り消します。よろしいですか？"));
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(m_dir->bytes(kData), sjis(kBook));
        QCOMPARE(c<Grid>("msgDayList")->text(1, 1), QStringLiteral("八百屋"));
        key("txtOutInp", Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("やり直す"));
        QCOMPARE(m_dir->bytes(kData), deleted);
        QCOMPARE(c<Grid>("msgDayList")->text(1, 1), QStringLiteral("本屋"));
        // Cancelled, nothing changes.
        m_boxes->queue(QMessageBox::Cancel);
        key("msgDayList", Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_dir->bytes(kData), deleted);
    }

    // The day's copy of the book cannot be made where a file holds the
    // history folder's name: the start says so.
    void aDaysCopyNotMadeIsSaid() {
        book().write(kData, kBook);
        m_dir->writeBytes(QStringLiteral("バックアップ"), "not a folder");
        open();
        // The history cannot be kept there either: said first.
        QCOMPARE(m_boxes->titles(), (QStringList{"履歴なしで保存", "バックアップ"}));
        QVERIFY(m_boxes->seen[1].text.startsWith(
            QStringLiteral("今日のバックアップを作れませんでした。\n\n")));
    }

    void withNothingToUndoTheBoxSaysSo() {
        openBook();
        m_boxes->seen.clear();
        key("txtOutInp", Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_boxes->seen.size(), 1);
        QCOMPARE(m_boxes->seen[0].text, QStringLiteral("元に戻せる変更はありません。"));
        QCOMPARE(m_boxes->seen[0].buttons, QMessageBox::Ok);
    }

    void theEditPageListsTheHistoryAndUndoesItsNewest() {
        openBook();
        deleteFirstRow();
        click("cmdSettei");
        auto *list = c<QListWidget>("lstRireki");
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().endsWith(kDeleted));
        click("cmdModosu");
        QCOMPARE(m_boxes->seen.last().title, QStringLiteral("元に戻す"));
        QCOMPARE(m_dir->bytes(kData), sjis(kBook));
        QVERIFY(list->item(0)->text().endsWith(QStringLiteral("（取り消し済み）")));
    }
};

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
