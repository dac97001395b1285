#include "analysis/diarypage.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "records/recordfiles.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"

DiaryPage::DiaryPage(BookSession &session, QWidget *parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraMemo"));
    FormBuilder b(this);
    msgMemoList = b.grid(QStringLiteral("msgMemoList"), 1, 6, 60, 60, 11620, 4300);
    b.label(QStringLiteral("一言入力欄 →"), 60, 4480, 1500, 330);
    txtMemo = b.textBox(QStringLiteral("txtMemo"), 1560, 4450, 7900, 380);
    cmdMemoHozon = b.button(QStringLiteral("cmdMemoHozon"), QStringLiteral("一言日記保存"), 9600,
                            4420, 2080, 440);
    b.label(QStringLiteral("気付きメモ"), 60, 5000, 1500, 330);
    txtKizuki = b.multiLineText(QStringLiteral("txtKizuki"), 60, 5330, 9400, 2170);
    cmdKizukiHozon = b.button(QStringLiteral("cmdKizukiHozon"), QStringLiteral("気付きメモ保存"),
                              9600, 5330, 2080, 440);
    connect(cmdKizukiHozon, &QPushButton::clicked, this, &DiaryPage::cmdKizukiHozon_Click);
}

// The box holds line feeds; the file holds CR LF pairs.
void DiaryPage::READ_KIZUKI() {
    QString notes = readNotes(m_session.book);
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtKizuki->setPlainText(notes);
}

void DiaryPage::cmdKizukiHozon_Click() {
    QString notes = txtKizuki->toPlainText();
    notes.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    showFileError(this, writeNotes(m_session.book, notes));
}

void DiaryPage::open() {}
