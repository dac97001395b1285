#include "income/incomepanel.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include "book/corrections.h"
#include "book/entrychecks.h"
#include "records/recordfiles.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"
#include "ui/recorddialog.h"
#include "ui/rowmenu.h"
#include "ui/twips.h"

IncomePanel::IncomePanel(BookSession &session, QWidget *parent)
    : QGroupBox(QStringLiteral("入金"), parent), m_session(session) {
    setObjectName(QStringLiteral("fraInpKIn"));
    stylePanel(this, palette::incomePanel);
    placeTw(this, 2325, 825, 6795, 4815);
    FormBuilder b(this);
    b.label(QStringLiteral("日付け"), 150, 300, 1500, 270);
    txtInpHizuke = b.textBox(QStringLiteral("txtInpHizuke"), 150, 570, 1500, 360);
    txtInpHizuke->setToolTip(QStringLiteral("yyyy/mm/dd の形で入力します"));
    b.label(QStringLiteral("内容"), 1750, 300, 2700, 270);
    txtInpRiyuu = b.textBox(QStringLiteral("txtInpRiyuu"), 1750, 570, 2800, 360);
    b.label(QStringLiteral("金額"), 4650, 300, 1300, 270);
    txtInpKingaku = b.textBox(QStringLiteral("txtInpKingaku"), 4650, 570, 1300, 360);
    txtInpKingaku->setAlignment(Qt::AlignRight);
    cmdInpHozon =
        b.button(QStringLiteral("cmdInpHozon"), QStringLiteral("保存"), 6000, 540, 700, 420);
    b.label(QStringLiteral("入金一覧"), 150, 1050, 2000, 270);
    msgInpRireki = b.grid(QStringLiteral("msgInpRireki"), 0, 3, 150, 1320, 6450, 2900);
    cmdInpModori =
        b.button(QStringLiteral("cmdInpModori"), QStringLiteral("戻る"), 5700, 4300, 900, 400);
    hide();

    connect(cmdInpHozon, &QPushButton::clicked, this, &IncomePanel::cmdInpHozon_Click);
    connect(cmdInpModori, &QPushButton::clicked, this, &IncomePanel::cmdInpModori_Click);
    connect(msgInpRireki, &Grid::clicked, this, &IncomePanel::msgInpRireki_Click);
    connect(msgInpRireki, &Grid::contextMenuRequested, this,
            &IncomePanel::msgInpRireki_ContextMenu);
    connect(msgInpRireki, &Grid::keyPressed, this, &IncomePanel::msgInpRireki_KeyPress);
}

void IncomePanel::setDay(QDate day) {
    m_day = day;
    txtInpHizuke->setText(dateText(day));
}

void IncomePanel::cmdInp_Click() {
    DSP_NYUKIN();
    show();
    raise();
}

void IncomePanel::cmdInpModori_Click() {
    hide();
}

void IncomePanel::DSP_NYUKIN() {
    fillIncomeList(true);
    txtInpHizuke->setText(dateText(m_day));
}

void IncomePanel::showIncomesAsTheyAre() {
    fillIncomeList(false);
}

void IncomePanel::fillIncomeList(bool sayReadError) {
    Grid *g = msgInpRireki;
    g->clear();
    g->setFontPointSize(11);
    g->setCols(4);
    g->setRows(1);
    g->setCurrentCell(0, 0);
    g->setColumns({{QStringLiteral("回"), 600, Qt::AlignRight},
                   {QStringLiteral("年月日"), 1500, Qt::AlignCenter},
                   {QStringLiteral("内容"), 2730, Qt::AlignLeft},
                   {QStringLiteral("金額"), 1200, Qt::AlignRight}});
    FileResult error;
    m_incomeRecords = recordLines(readFileBytes(m_session.book.pathOf(bookfile::incomes), &error));
    if (sayReadError)
        showFileError(this, error);
    else
        m_session.noteReadError(error); // said once, by the window
    g->setRows(static_cast<int>(m_incomeRecords.size()) + 1);
    for (int i = 0; i < m_incomeRecords.size(); ++i) {
        const IncomeRecord r = incomeOf(m_incomeRecords.at(i));
        g->setText(i + 1, 0, QString::number(i + 1));
        g->setText(i + 1, 1, r.date);
        g->setText(i + 1, 2, r.reason);
        g->setText(i + 1, 3, formatYenGrid(r.amount));
    }
    if (!m_incomeRecords.isEmpty()) g->setCurrentCell(static_cast<int>(m_incomeRecords.size()), 0);
}

// A past income repeated: its description and amount as shown. The header row copies nothing.
void IncomePanel::msgInpRireki_Click() {
    const int row = msgInpRireki->currentRow();
    if (row < 1) return;
    txtInpRiyuu->setText(msgInpRireki->text(row, 2));
    txtInpKingaku->setText(msgInpRireki->text(row, 3));
}

void IncomePanel::cmdInpHozon_Click() {
    const QString date = txtInpHizuke->text();
    const EntryCheck check = checkIncome(txtInpRiyuu->text(), txtInpKingaku->text(), date);
    if (!check.ok()) {
        Dialogs::warning(this, check.text, check.title);
        return;
    }
    const IncomeRecord record{date, txtInpRiyuu->text(), check.amount};
    {
        ChangeScope change =
            m_session.change(describeRecord({record.date, record.reason}, record.amount) +
                             QStringLiteral(" の入金の保存"));
        if (showFileError(this, insertIncome(m_session.book, record, m_session.lastIncomeDate())) ||
            showFileError(this, change.close()))
            return;
    }
    DSP_NYUKIN();
    m_session.bookChanged();
    emit incomeSaved();
}

// --- Correcting an income ---

namespace {
const QString kOpeningUndeletable =
    QStringLiteral("最初の入金はこの家計簿のスタート時の残金なので削除できません");
} // namespace

const RecordAt *IncomePanel::incomeRecord(int row) const {
    return row >= 1 && row <= m_incomeRecords.size() ? &m_incomeRecords.at(row - 1) : nullptr;
}

void IncomePanel::msgInpRireki_ContextMenu(int row, QPoint globalPos) {
    const bool onRecord = incomeRecord(row) != nullptr;
    const bool opening = row == 1;
    switch (chooseFromRowMenu(this, globalPos,
                              {{kFixItem, onRecord, {}},
                               {kDeleteItem, onRecord && !opening, kOpeningUndeletable},
                               {kExportItem, true, {}}})) {
    case 0:
        return fixIncomeRow(row);
    case 1:
        return deleteIncomeRow(row);
    case 2:
        return msgInpRireki->exportCsv();
    default:
        return;
    }
}

void IncomePanel::msgInpRireki_KeyPress(int key) {
    if (key == Qt::Key_F2) fixIncomeRow(msgInpRireki->currentRow());
    if (key == Qt::Key_Delete) deleteIncomeRow(msgInpRireki->currentRow());
}

void IncomePanel::fixIncomeRow(int row) {
    const RecordAt *at = incomeRecord(row);
    if (!at) return;
    const RecordAt picked = *at;
    const QList<RecordAt> all = m_incomeRecords;
    const IncomeRecord old = incomeOf(picked);
    RecordDialog dlg(this, QStringLiteral("入金の修正"), QStringLiteral("frmInpFix"));
    QDateEdit *day =
        dlg.addDate(QStringLiteral("dtpHizuke"), QStringLiteral("日付け"),
                    parseDateText(old.date).isValid() ? parseDateText(old.date) : m_day);
    QLineEdit *reason = dlg.addText(QStringLiteral("txtRiyuu"), QStringLiteral("内容"), old.reason);
    QLineEdit *amount =
        dlg.addText(QStringLiteral("txtKingaku"), QStringLiteral("金額"), formatPlain(old.amount));
    IncomeRecord fixed;
    dlg.setCheck([&] {
        fixed = {dateText(day->date()), reason->text(), 0};
        const EntryCheck check =
            checkIncomeFix(all, picked.index, fixed, amount->text(), m_session.firstPayDate());
        if (!check.ok()) Dialogs::warning(&dlg, check.text, check.title);
        fixed.amount = check.amount;
        return check.ok();
    });
    if (dlg.exec() != QDialog::Accepted) return;
    // Refused or done, the history is read again: a refusal means the file
    // is not what the history showed.
    {
        ChangeScope change = m_session.change(describeRecord({old.date, old.reason}, old.amount) +
                                              QStringLiteral(" の入金の修正"));
        if (!showFileError(this, correctIncome(m_session.book, picked, fixed)))
            showFileError(this, change.close());
    }
    followIncomeChange();
}

void IncomePanel::deleteIncomeRow(int row) {
    const RecordAt *at = incomeRecord(row);
    if (!at || row == 1) return; // the opening cash stays: the book starts with it
    const RecordAt picked = *at;
    if (!Dialogs::confirm(this, QStringLiteral("この入金を削除します。よろしいですか？"),
                          QStringLiteral("削除確認")))
        return;
    // Refused or done, the history is read again: a refusal means the file
    // is not what the history showed.
    {
        const IncomeRecord old = incomeOf(picked);
        ChangeScope change = m_session.change(describeRecord({old.date, old.reason}, old.amount) +
                                              QStringLiteral(" の入金の削除"));
        if (!showFileError(this, deleteIncome(m_session.book, picked)))
            showFileError(this, change.close());
    }
    followIncomeChange();
}

void IncomePanel::followIncomeChange() {
    // A new income being typed keeps its date; the window says a read error.
    showIncomesAsTheyAre();
    m_session.bookChanged();
    emit incomeSaved();
}
