#include "income/unaccountedpanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/formbuilder.h"
#include "ui/twips.h"

UnaccountedPanel::UnaccountedPanel(FormState &state, QWidget *parent)
    : QGroupBox(QStringLiteral("不明金処理"), parent), m_state(state) {
    setObjectName(QStringLiteral("fraInpHumei"));
    setAutoFillBackground(true);
    placeTw(this, 9225, 3000, 2415, 3990);
    FormBuilder b(this);
    QLabel *why = b.label(
        QStringLiteral(
            "実際の残金とデータの残金が合わなくなった時に『使途不明金』として処理できます。"),
        100, 260, 2215, 800);
    why->setWordWrap(true);
    b.label(QStringLiteral("データ残"), 100, 1080, 900, 300);
    lblDzan = b.valueLabel(QStringLiteral("lblDzan"), 1000, 1080, 1300, 300);
    b.label(QStringLiteral("現在の残金を入力"), 100, 1450, 2200, 270);
    txtInpZankin = b.textBox(QStringLiteral("txtInpZankin"), 100, 1720, 1400, 360);
    txtInpZankin->setAlignment(Qt::AlignRight);
    cmdHumeiCk =
        b.button(QStringLiteral("cmdHumeiCk"), QStringLiteral("確認"), 1580, 1710, 720, 380);
    b.label(QStringLiteral("不明金"), 100, 2250, 900, 300);
    lblHumeiKin = b.valueLabel(QStringLiteral("lblHumeiKin"), 1000, 2250, 1300, 300);
    cmdHumeiHozon = b.button(QStringLiteral("cmdHumeiHozon"), QStringLiteral("不明金として保存"),
                             100, 2800, 2200, 420);
    cmdFumeiModori =
        b.button(QStringLiteral("cmdFumeiModori"), QStringLiteral("戻る"), 1400, 3350, 900, 400);
    hide();
}
