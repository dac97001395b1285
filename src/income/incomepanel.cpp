#include "income/incomepanel.h"

#include <QLineEdit>
#include <QPushButton>

#include "book/entrychecks.h"
#include "records/recordfiles.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/palette.h"
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
    Grid *g = msgInpRireki;
    g->clear();
    g->setFontPointSize(11);
    g->setCols(4);
    g->setRows(1);
    g->setCurrentCell(0, 0);
    const struct {
        const char16_t *header;
        int width;
        Qt::Alignment align;
    } cols[] = {{u"回", 600, Qt::AlignRight | Qt::AlignVCenter},
                {u"年月日", 1500, Qt::AlignCenter},
                {u"内容", 2730, Qt::AlignLeft | Qt::AlignVCenter},
                {u"金額", 1200, Qt::AlignRight | Qt::AlignVCenter}};
    for (int c = 0; c < 4; ++c) {
        g->setColWidth(c, cols[c].width);
        g->setText(0, c, QString::fromUtf16(cols[c].header));
        g->setFixedAlignment(c, Qt::AlignCenter);
        g->setColAlignment(c, cols[c].align);
    }
    const QList<IncomeRecord> incomes = readIncomes(m_session.book);
    g->setRows(static_cast<int>(incomes.size()) + 1);
    for (int i = 0; i < incomes.size(); ++i) {
        const IncomeRecord &r = incomes.at(i);
        g->setText(i + 1, 0, QString::number(i + 1));
        g->setText(i + 1, 1, r.date);
        g->setText(i + 1, 2, r.reason);
        g->setText(i + 1, 3, formatYenGrid(r.amount));
    }
    if (!incomes.isEmpty()) g->setCurrentCell(static_cast<int>(incomes.size()), 0);
    m_session.LastIncomeDate = incomes.isEmpty() ? QString() : incomes.last().date;
    txtInpHizuke->setText(dateText(m_day));
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
    if (showFileError(this, insertIncome(m_session.book, record, m_session.LastIncomeDate))) return;
    DSP_NYUKIN();
    m_session.bookChanged();
    emit incomeSaved();
}
