#include "settings/fixedpaymentsdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "book/booksession.h"
#include "book/fixedpayments.h"
#include "records/recordfiles.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"

namespace {
QList<FixedPayment> heldPayments(const BookSession &session) {
    return fixedPaymentsIn(session.book.read(bookfile::fixedPayments).bytes);
}

template <typename T> T *named(T *widget, const char *name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

FixedPaymentsDialog::FixedPaymentsDialog(BookSession &session, const QStringList &payees,
                                         const QStringList &categories, QWidget *parent)
    : QDialog(parent), m_session(session) {
    setObjectName(QStringLiteral("frmKoteiEdit"));
    setWindowTitle(QStringLiteral("固定費の編集"));
    auto *layout = new QVBoxLayout(this);
    lstKotei = named(new QListWidget, "lstKotei");
    layout->addWidget(lstKotei);
    auto *form = new QFormLayout;
    cboKoteiMise = named(new QComboBox, "cboKoteiMise");
    cboKoteiMise->addItems(payees);
    cboKoteiJanru = named(new QComboBox, "cboKoteiJanru");
    cboKoteiJanru->addItems(categories);
    txtKoteiGaku = named(new QLineEdit, "txtKoteiGaku");
    txtKoteiBi = named(new QLineEdit, "txtKoteiBi");
    form->addRow(QStringLiteral("支払い先"), cboKoteiMise);
    form->addRow(QStringLiteral("費目"), cboKoteiJanru);
    form->addRow(QStringLiteral("金額"), txtKoteiGaku);
    form->addRow(QStringLiteral("毎月の日（1〜31）"), txtKoteiBi);
    layout->addLayout(form);
    auto *row = new QHBoxLayout;
    cmdKoteiAdd = named(new QPushButton(QStringLiteral("追加")), "cmdKoteiAdd");
    cmdKoteiChg = named(new QPushButton(QStringLiteral("変更")), "cmdKoteiChg");
    cmdKoteiDel = named(new QPushButton(QStringLiteral("削除")), "cmdKoteiDel");
    cmdKoteiClose = named(new QPushButton(QStringLiteral("閉じる")), "cmdKoteiClose");
    for (QPushButton *b : {cmdKoteiAdd, cmdKoteiChg, cmdKoteiDel, cmdKoteiClose}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);
    connect(cmdKoteiAdd, &QPushButton::clicked, this, &FixedPaymentsDialog::cmdKoteiAdd_Click);
    connect(cmdKoteiChg, &QPushButton::clicked, this, &FixedPaymentsDialog::cmdKoteiChg_Click);
    connect(cmdKoteiDel, &QPushButton::clicked, this, &FixedPaymentsDialog::cmdKoteiDel_Click);
    connect(cmdKoteiClose, &QPushButton::clicked, this, &QDialog::accept);
    // Picked by the mouse or the arrow keys alike.
    connect(lstKotei, &QListWidget::currentRowChanged, this, &FixedPaymentsDialog::lstKotei_Click);
    showPayments();
}

void FixedPaymentsDialog::showPayments() {
    const QSignalBlocker quiet(lstKotei); // the fields keep what was typed
    lstKotei->clear();
    m_listed = heldPayments(m_session);
    for (const FixedPayment &p : std::as_const(m_listed))
        lstKotei->addItem(QStringLiteral("毎月%1日 ").arg(p.day) +
                          describeRecord({p.payee, p.category}, p.amount));
}

std::optional<QList<FixedPayment>> FixedPaymentsDialog::paymentsNow() {
    // A file that cannot be read is said as such, never taken for an empty one.
    const FileContent read = m_session.book.read(bookfile::fixedPayments);
    if (showFileError(this, read.rewriteRefusal())) return std::nullopt;
    return fixedPaymentsIn(read.bytes);
}

std::optional<QList<FixedPayment>> FixedPaymentsDialog::paymentsAsListed() {
    std::optional<QList<FixedPayment>> now = paymentsNow();
    if (!now || *now == m_listed) return now;
    Dialogs::warning(this,
                     QStringLiteral("「%1」は一覧を表示した後に書き換えられているため、"
                                    "何も変えていません。一覧を読み込み直しました。"
                                    "もう一度操作してください。")
                         .arg(bookfile::fixedPayments),
                     QStringLiteral("固定費の保存"));
    showPayments();
    return std::nullopt;
}

void FixedPaymentsDialog::save(int at) {
    // A new payment goes after whatever the file holds now.
    const std::optional<QList<FixedPayment>> payments = at < 0 ? paymentsNow() : paymentsAsListed();
    if (!payments) return;
    const FixedPaymentEdit edit =
        setFixedPayment(*payments, at, cboKoteiMise->currentText(), cboKoteiJanru->currentText(),
                        txtKoteiGaku->text(), txtKoteiBi->text());
    if (!edit.title.isEmpty()) return Dialogs::warning(this, edit.text, edit.title);
    const FixedPayment &p = edit.payments.at(at < 0 ? edit.payments.size() - 1 : at);
    ChangeScope change =
        m_session.change(QStringLiteral("固定費「%1」の%2")
                             .arg(describeRecord({p.payee, p.category}, p.amount),
                                  at < 0 ? QStringLiteral("登録") : QStringLiteral("変更")));
    if (showFileError(this, writeFixedPayments(m_session.book, edit.payments)) ||
        showFileError(this, change.close()))
        return;
    showPayments();
}

void FixedPaymentsDialog::cmdKoteiAdd_Click() {
    save(-1);
}

void FixedPaymentsDialog::cmdKoteiChg_Click() {
    if (lstKotei->currentRow() >= 0) save(lstKotei->currentRow());
}

void FixedPaymentsDialog::cmdKoteiDel_Click() {
    const int row = lstKotei->currentRow();
    if (row < 0) return;
    std::optional<QList<FixedPayment>> payments = paymentsAsListed();
    if (!payments || row >= payments->size()) return;
    const FixedPayment p = payments->takeAt(row);
    ChangeScope change = m_session.change(
        QStringLiteral("固定費「%1」の削除").arg(describeRecord({p.payee, p.category}, p.amount)));
    if (showFileError(this, writeFixedPayments(m_session.book, *payments)) ||
        showFileError(this, change.close()))
        return;
    showPayments();
}

void FixedPaymentsDialog::lstKotei_Click() {
    const int row = lstKotei->currentRow();
    if (row < 0 || row >= m_listed.size()) return;
    const FixedPayment &p = m_listed.at(row);
    // Names no longer in the masters stay the payment's own.
    for (auto [combo, name] :
         {std::pair{cboKoteiMise, p.payee}, std::pair{cboKoteiJanru, p.category}}) {
        if (combo->findText(name) < 0) combo->addItem(name);
        combo->setCurrentText(name);
    }
    txtKoteiGaku->setText(formatPlain(p.amount));
    txtKoteiBi->setText(QString::number(p.day));
}
