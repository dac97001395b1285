#pragma once
#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

#include "records/fixedpayments.h"

class BookSession;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The fixed monthly payments (固定費.txt) registered, changed and removed:
// payee and category from the masters, the amount and the day of the month.
// Each button writes the file at once, as one change of the history.
class FixedPaymentsDialog : public QDialog {
    Q_OBJECT
public:
    FixedPaymentsDialog(BookSession &session, const QStringList &payees,
                        const QStringList &categories, QWidget *parent);

    void cmdKoteiAdd_Click();
    void cmdKoteiChg_Click();
    void cmdKoteiDel_Click();
    void lstKotei_Click();

private:
    void showPayments();
    // Checks and writes the typed payment at `at` (< 0: a new one).
    void save(int at);
    // The payments of the file while they are the ones listed, so that a
    // row picked is the payment meant; else the list is shown anew, and why.
    std::optional<QList<FixedPayment>> paymentsAsListed();
    // The payments of the file, or nothing once its read error is shown.
    std::optional<QList<FixedPayment>> paymentsNow();

    BookSession &m_session;
    QList<FixedPayment> m_listed;
    QListWidget *lstKotei;
    QComboBox *cboKoteiMise, *cboKoteiJanru;
    QLineEdit *txtKoteiGaku, *txtKoteiBi;
    QPushButton *cmdKoteiAdd, *cmdKoteiChg, *cmdKoteiDel, *cmdKoteiClose;
};
