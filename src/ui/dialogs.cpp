#include "ui/dialogs.h"

#include <QInputDialog>
#include <QPushButton>

QMessageBox::StandardButton Dialogs::show(QWidget *parent, QMessageBox::Icon icon,
                                          const QString &text, const QString &title,
                                          QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, const char16_t *> captions[] = {
        {QMessageBox::Ok, u"OK"},
        {QMessageBox::Cancel, u"キャンセル"},
        {QMessageBox::Yes, u"はい(&Y)"},
        {QMessageBox::No, u"いいえ(&N)"}};
    for (const auto &[button, caption] : captions)
        if (QAbstractButton *b = box.button(button)) b->setText(QString::fromUtf16(caption));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Dialogs::information(QWidget *parent, const QString &text, const QString &title) {
    show(parent, QMessageBox::Information, text, title, QMessageBox::Ok);
}

void Dialogs::warning(QWidget *parent, const QString &text, const QString &title) {
    show(parent, QMessageBox::Warning, text, title, QMessageBox::Ok);
}

bool Dialogs::askYesNo(QWidget *parent, const QString &text, const QString &title) {
    return show(parent, QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool Dialogs::confirm(QWidget *parent, const QString &text, const QString &title) {
    return show(parent, QMessageBox::Warning, text, title, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

std::optional<QString> Dialogs::inputText(QWidget *parent, const QString &prompt,
                                          const QString &title, const QString &initial) {
    QInputDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(initial);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.textValue();
}
