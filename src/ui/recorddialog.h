#pragma once
#include <QDate>
#include <QDialog>
#include <functional>

class QComboBox;
class QDateEdit;
class QFormLayout;
class QLineEdit;
class QPushButton;

// A small form for correcting one record: labelled fields over "保存" and
// "キャンセル". 保存 runs the check; the form closes only when it passes
// (the check shows its own message box otherwise).
class RecordDialog : public QDialog {
    Q_OBJECT
public:
    RecordDialog(QWidget *parent, const QString &title, const QString &name);

    QDateEdit *addDate(const QString &name, const QString &label, QDate date);
    QComboBox *addChoice(const QString &name, const QString &label, const QStringList &items,
                         const QString &text);
    QLineEdit *addText(const QString &name, const QString &label, const QString &text);

    void setCheck(std::function<bool()> check) { m_check = std::move(check); }
    // What a click on 保存 does.
    void save();

    QPushButton *cmdHozon;
    QPushButton *cmdCancel;

private:
    QFormLayout *m_form;
    std::function<bool()> m_check;
};
