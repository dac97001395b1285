#include "income/unaccountedpanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "book/balance.h"
#include "book/entrychecks.h"
#include "records/recordfiles.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/palette.h"
#include "ui/twips.h"

UnaccountedPanel::UnaccountedPanel(BookSession &session, QWidget *parent)
    : QGroupBox(QStringLiteral("不明金処理"), parent), m_session(session) {
    setObjectName(QStringLiteral("fraInpHumei"));
    stylePanel(this, palette::cashPanel);
    placeTw(this, 9225, 3000, 2415, 3990);
    FormBuilder b(this);
    QLabel *why = b.label(
        QStringLiteral(
            "実際の残金とデータの残金が合わなくなった時に『使途不明金』として処理できます。"),
        100, 300, 2215, 1000);
    why->setWordWrap(true);
    b.label(QStringLiteral("データ残"), 100, 1380, 900, 300);
    lblDzan = b.valueLabel(QStringLiteral("lblDzan"), 1000, 1380, 1300, 300);
    b.label(QStringLiteral("現在の残金を入力"), 100, 1760, 2200, 270);
    txtInpZankin = b.textBox(QStringLiteral("txtInpZankin"), 100, 2030, 1400, 360);
    txtInpZankin->setAlignment(Qt::AlignRight);
    cmdHumeiCk =
        b.button(QStringLiteral("cmdHumeiCk"), QStringLiteral("確認"), 1580, 2020, 720, 380);
    b.label(QStringLiteral("不明金"), 100, 2520, 900, 300);
    lblHumeiKin = b.valueLabel(QStringLiteral("lblHumeiKin"), 1000, 2520, 1300, 300);
    cmdHumeiHozon = b.button(QStringLiteral("cmdHumeiHozon"), QStringLiteral("不明金として保存"),
                             100, 2950, 2200, 420);
    cmdFumeiModori =
        b.button(QStringLiteral("cmdFumeiModori"), QStringLiteral("戻る"), 1400, 3460, 900, 400);
    hide();

    connect(cmdHumeiCk, &QPushButton::clicked, this, &UnaccountedPanel::cmdHumeiCk_Click);
    connect(cmdHumeiHozon, &QPushButton::clicked, this, &UnaccountedPanel::cmdHumeiHozon_Click);
    connect(cmdFumeiModori, &QPushButton::clicked, this, &UnaccountedPanel::cmdFumeiModori_Click);
}

void UnaccountedPanel::cmdFumei_Click() {
    lblHumeiKin->clear();
    CALC_DZAN();
    show();
    raise();
    // A balance read only in part is said now, once, not at some later event.
    showFileError(this, m_session.takeReadError());
}

void UnaccountedPanel::CALC_DZAN() {
    m_recordsBalance = recordsBalance(m_session.model());
    lblDzan->setText(formatPlain(m_recordsBalance));
}

std::optional<Yen> UnaccountedPanel::showDifference() {
    // The main page stays open meanwhile: the book may have changed since.
    // A book read only in part books no difference.
    CALC_DZAN();
    const BookModel &book = m_session.model();
    const FileResult noted = m_session.takeReadError(); // after the last look at the files
    for (const FileResult &read : {book.payments().content().error, book.incomes().content().error})
        if (showFileError(this, read)) return std::nullopt;
    // Another file's error stays for the window to say after the event.
    m_session.noteReadError(noted);
    const EntryCheck cash = checkCash(txtInpZankin->text());
    if (!cash.ok()) {
        Dialogs::warning(this, cash.text, cash.title);
        return std::nullopt;
    }
    const Yen difference = subYen(m_recordsBalance, cash.amount);
    lblHumeiKin->setText(formatPlain(difference));
    return difference;
}

void UnaccountedPanel::cmdHumeiCk_Click() {
    showDifference();
}

void UnaccountedPanel::cmdHumeiHozon_Click() {
    const std::optional<Yen> amount = showDifference();
    if (!amount) return;
    const QString unaccounted = QStringLiteral("使途不明金");
    const PaymentRecord record{dateText(m_day), unaccounted, unaccounted, *amount, {}, {}};
    {
        ChangeScope change = m_session.change(
            describeRecord({record.date, unaccounted}, record.amount) + QStringLiteral(" の保存"));
        if (showFileError(this, insertPayment(m_session.book, record, m_session.lastPayDate())) ||
            showFileError(this, change.close()))
            return;
    }
    m_session.bookChanged();
    emit paymentSaved();
    hide();
}

void UnaccountedPanel::cmdFumeiModori_Click() {
    hide();
}
