#include "ui/recorddialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RecordDialog::RecordDialog(QWidget *parent, const QString &title, const QString &name)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    layout->addLayout(m_form);
    auto *buttons = new QDialogButtonBox(this);
    cmdHozon = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
    cmdHozon->setObjectName(QStringLiteral("cmdHozon"));
    cmdCancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(buttons);
    // Enter in a field saves as the button does; the check decides.
    cmdHozon->setDefault(true);
    connect(cmdHozon, &QPushButton::clicked, this, &RecordDialog::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QDateEdit *RecordDialog::addDate(const QString &name, const QString &label, QDate date) {
    auto *edit = new QDateEdit(date, this);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    edit->setCalendarPopup(true);
    m_form->addRow(label, edit);
    return edit;
}

QComboBox *RecordDialog::addChoice(const QString &name, const QString &label,
                                   const QStringList &items, const QString &text) {
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setEditText(text);
    box->setMinimumWidth(220);
    m_form->addRow(label, box);
    return box;
}

QLineEdit *RecordDialog::addText(const QString &name, const QString &label, const QString &text) {
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    edit->setMinimumWidth(220);
    m_form->addRow(label, edit);
    return edit;
}

void RecordDialog::save() {
    if (!m_check || m_check()) accept();
}
