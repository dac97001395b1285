#include "mainwindow/fixedoffer.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "book/booksession.h"
#include "book/fixedpayments.h"
#include "records/recordfiles.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"

namespace {
enum Choice { Closed = 0, Enter = 1, Skip = 2 };
} // namespace

bool offerFixedPayments(QWidget *parent, BookSession &session, QDate today) {
    const FileContent read = session.book.read(bookfile::fixedPayments);
    // A file that cannot be read is said, not taken for one without payments.
    if (showFileError(parent, read.error)) return false;
    const QList<FixedPayment> fixed = fixedPaymentsIn(read.bytes);
    const QList<DuePayment> due = computeDuePayments(fixed, today);
    if (due.isEmpty()) return false;
    // Nor is one whose rewrite would lose characters: it is offered once mended.
    if (!read.notCp932.isEmpty()) {
        Dialogs::warning(parent,
                         QStringLiteral("「%1」にある「%2」はShift-JISで書けないため、"
                                        "今月の固定費を出していません。"
                                        "このファイルからその文字を除いてください。")
                             .arg(bookfile::fixedPayments, read.notCp932),
                         QStringLiteral("固定費の登録"));
        return false;
    }

    QDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("frmKotei"));
    dlg.setWindowTitle(QStringLiteral("固定費の登録"));
    auto *layout = new QVBoxLayout(&dlg);
    layout->addWidget(
        new QLabel(QStringLiteral("今月の固定費です。登録するものを選んでください。")));
    QList<QCheckBox *> boxes;
    for (int i = 0; i < due.size(); ++i) {
        const FixedPayment &p = fixed.at(due[i].index);
        auto *box = new QCheckBox(describeRecord(
            {due[i].date.toString(QStringLiteral("yyyy/MM/dd")), p.payee, p.category}, p.amount));
        box->setObjectName(QStringLiteral("chkKotei_%1").arg(i));
        box->setChecked(true);
        layout->addWidget(box);
        boxes.append(box);
    }
    auto *buttons = new QDialogButtonBox;
    QPushButton *enter = buttons->addButton(QStringLiteral("登録"), QDialogButtonBox::AcceptRole);
    enter->setObjectName(QStringLiteral("cmdKoteiTouroku"));
    QPushButton *skip =
        buttons->addButton(QStringLiteral("今月はしない"), QDialogButtonBox::RejectRole);
    skip->setObjectName(QStringLiteral("cmdKoteiSkip"));
    QObject::connect(enter, &QPushButton::clicked, &dlg, [&dlg] { dlg.done(Enter); });
    QObject::connect(skip, &QPushButton::clicked, &dlg, [&dlg] { dlg.done(Skip); });
    layout->addWidget(buttons);
    enter->setDefault(true);
    const int choice = dlg.exec();
    if (choice == Closed) return false;

    int entered = 0;
    for (int i = 0; i < due.size(); ++i)
        entered += choice == Enter && boxes[i]->isChecked();
    ChangeScope change =
        session.change(choice == Enter ? QStringLiteral("固定費の登録（%1件）").arg(entered)
                                       : QStringLiteral("固定費を今月はしない"));
    for (int i = 0; i < due.size() && choice == Enter; ++i) {
        if (!boxes[i]->isChecked()) continue;
        const FixedPayment &p = fixed.at(due[i].index);
        const PaymentRecord record{dateText(due[i].date), p.payee, p.category, p.amount, {}, {}};
        if (showFileError(parent, insertPayment(session.book, record, session.lastPayDate())))
            return true; // the change is put back whole
    }
    // Marked in the file as it is now: the box may have stood open a long time.
    const FileContent now = session.book.read(bookfile::fixedPayments);
    if (showFileError(parent, now.rewriteRefusal()) ||
        showFileError(parent,
                      writeFixedPayments(session.book, markOfferedIn(fixedPaymentsIn(now.bytes),
                                                                     fixed, due, today))))
        return true;
    showFileError(parent, change.close());
    return true;
}
