#include "income/incomepanel.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/formbuilder.h"
#include "ui/grid.h"
#include "ui/twips.h"

IncomePanel::IncomePanel(FormState &state, QWidget *parent)
    : QGroupBox(QStringLiteral("入金"), parent), m_state(state) {
    setObjectName(QStringLiteral("fraInpKIn"));
    setAutoFillBackground(true);
    placeTw(this, 2325, 825, 6795, 4815);
    FormBuilder b(this);
    b.label(QStringLiteral("日付け"), 150, 300, 1500, 270);
    txtInpHizuke = b.textBox(QStringLiteral("txtInpHizuke"), 150, 570, 1500, 360);
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
}
