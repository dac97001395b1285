#pragma once
#include <QMessageBox>
#include <QString>
#include <optional>

// Every message and input box of the program: real modal boxes shown with
// exec(), Japanese button texts whatever translator is loaded.
class Dialogs {
public:
    static void information(QWidget *parent, const QString &text, const QString &title);
    static void warning(QWidget *parent, const QString &text, const QString &title);
    // Yes / No with the question icon; true on Yes.
    static bool askYesNo(QWidget *parent, const QString &text, const QString &title);
    // OK / Cancel with the warning icon; true on OK.
    static bool confirm(QWidget *parent, const QString &text, const QString &title);
    // The typed text, or nothing when the box was cancelled.
    static std::optional<QString> inputText(QWidget *parent, const QString &prompt,
                                            const QString &title, const QString &initial = {});

    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon,
                                            const QString &text, const QString &title,
                                            QMessageBox::StandardButtons buttons);
};
