#include "analysis/diarypage.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "book/diary.h"
#include "records/recordfiles.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/keyboard.h"

namespace {
// The grid's rows over the diary as read: column 0 the place in the file.
class DiaryRows : public GridRowSource {
public:
    explicit DiaryRows(std::shared_ptr<const Diary> diary) : m_diary(std::move(diary)) {}
    int rowCount() const override { return static_cast<int>(m_diary->size()); }
    QString text(int row, int col) const override {
        using F = PaymentTable::Field;
        static constexpr F fields[] = {F::Date, F::Date, F::Payee, F::Category, F::Amount, F::Memo};
        if (col == 0) return QString::number(row + 1);
        return col > 0 && col < 6 ? m_diary->text(row, fields[col]) : QString();
    }

private:
    std::shared_ptr<const Diary> m_diary;
};

const QList<Grid::Column> &columns() {
    static const QList<Grid::Column> table{
        {QStringLiteral("回"), 545, Qt::AlignRight},
        {QStringLiteral("日付"), 1100, Qt::AlignHCenter},
        {QStringLiteral("支払い"), 1470, Qt::AlignLeft},
        {QStringLiteral("費目"), 1470, Qt::AlignLeft},
        {QStringLiteral("金額"), 990, Qt::AlignRight},
        {QStringLiteral("一言日記"), 5520, Qt::AlignLeft},
    };
    return table;
}

// With more rows than this (header included) the list opens at its end.
constexpr int kRowsInView = 16;
constexpr int kMemoColumn = 5;
} // namespace

DiaryPage::DiaryPage(BookSession &session, QWidget *parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraMemo"));
    FormBuilder b(this);
    msgMemoList = b.grid(QStringLiteral("msgMemoList"), 1, 6, 60, 60, 11620, 4300);
    msgMemoList->setAccessibleName(QStringLiteral("一言日記の一覧"));
    b.label(QStringLiteral("一言入力欄 →"), 60, 4480, 1500, 330);
    txtMemo = b.textBox(QStringLiteral("txtMemo"), 1560, 4450, 7900, 380);
    cmdMemoHozon = b.button(QStringLiteral("cmdMemoHozon"), QStringLiteral("一言日記保存"), 9600,
                            4420, 2080, 440);
    b.label(QStringLiteral("気付きメモ"), 60, 5000, 1500, 330);
    txtKizuki = b.multiLineText(QStringLiteral("txtKizuki"), 60, 5330, 9400, 2170);
    cmdKizukiHozon = b.button(QStringLiteral("cmdKizukiHozon"), QStringLiteral("気付きメモ保存"),
                              9600, 5330, 2080, 440);
    connect(cmdKizukiHozon, &QPushButton::clicked, this, &DiaryPage::cmdKizukiHozon_Click);
    connect(msgMemoList, &Grid::clicked, this, &DiaryPage::msgMemoList_Click);
    connect(cmdMemoHozon, &QPushButton::clicked, this, &DiaryPage::cmdMemoHozon_Click);
    connect(txtMemo, &QLineEdit::returnPressed, this, [this] { txtMemo_KeyPress(Qt::Key_Return); });
    cmdMemoHozon->setEnabled(false);
    // A row is picked first (Enter in the list); Tab leaves the notes box.
    keyboard::setFirstInput(this, msgMemoList);
    txtKizuki->setTabChangesFocus(true);
}

// The box holds line feeds; the file holds CR LF pairs.
void DiaryPage::READ_KIZUKI() {
    FileResult error;
    QString notes = readNotes(m_session.book, &error);
    m_session.noteReadError(error);
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtKizuki->setPlainText(notes);
}

void DiaryPage::cmdKizukiHozon_Click() {
    QString notes = txtKizuki->toPlainText();
    notes.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    ChangeScope change = m_session.change(QStringLiteral("気付きメモの保存"));
    if (!showFileError(this, writeNotes(m_session.book, notes)))
        showFileError(this, change.close());
}

void DiaryPage::open() {
    INIT_MEMOLIST();
    DSP_MEMOLIST();
    cmdMemoHozon->setEnabled(false);
}

void DiaryPage::leave() {
    msgMemoList->setSourceRows(nullptr);
    m_diary.reset();
}

void DiaryPage::INIT_MEMOLIST() {
    msgMemoList->setFontPointSize(9);
    msgMemoList->setRows(1);
    msgMemoList->setColumns(columns());
}

void DiaryPage::DSP_MEMOLIST() {
    m_diary = std::make_shared<Diary>(computeDiary(m_session.model()));
    msgMemoList->setSourceRows(std::make_shared<DiaryRows>(m_diary));
    // A book of 100,000 records and more needs a wider "回" than the design gives.
    msgMemoList->setColWidth(
        0, std::max(msgMemoList->colWidth(0),
                    msgMemoList->textTwips(QString::number(msgMemoList->rows() - 1))));
    if (msgMemoList->rows() > kRowsInView) msgMemoList->setTopRow(msgMemoList->rows() - 1);
}

// A click on the header row picks nothing.
void DiaryPage::msgMemoList_Click() {
    const int row = msgMemoList->currentRow();
    if (row < 1) return;
    txtMemo->setText(msgMemoList->text(row, kMemoColumn));
    MemoRow = row;
    cmdMemoHozon->setEnabled(true);
    txtMemo->setFocus();
}

void DiaryPage::cmdMemoHozon_Click() {
    if (!m_diary || MemoRow < 1 || MemoRow >= msgMemoList->rows()) return;
    FileResult r;
    bool stored = false;
    {
        ChangeScope change =
            m_session.change(msgMemoList->text(MemoRow, 0) + QStringLiteral(" の一言日記の保存"));
        r = m_diary->storeComment(m_session.book, m_session.model(), MemoRow - 1, txtMemo->text());
        stored = r.ok();
        if (stored) r = change.close();
    }
    // A store the history could not commit was put back: the diary holds
    // the comment, the file does not. List the file as it now is.
    if (stored && !r.ok()) DSP_MEMOLIST();
    if (showFileError(this, r)) return;
    msgMemoList->setText(MemoRow, kMemoColumn,
                         m_diary->text(MemoRow - 1, PaymentTable::Field::Memo));
    m_session.bookChanged();
}

// Enter stores only into a row picked on this visit (the save button is
// enabled by the pick and disabled at every opening).
void DiaryPage::txtMemo_KeyPress(int key) {
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cmdMemoHozon->isEnabled())
        cmdMemoHozon_Click();
}
