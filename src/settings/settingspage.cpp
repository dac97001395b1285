#include "settings/settingspage.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <array>

#include "book/budget.h"
#include "book/entrychecks.h"
#include "book/masterorder.h"
#include "book/rename.h"
#include "records/cp932.h"
#include "records/recordfiles.h"
#include "settings/fixedpaymentsdialog.h"
#include "settings/newstartpanel.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/listbox.h"
#include "ui/palette.h"

namespace {
// Static text lines one under another.
void textBlock(FormBuilder &b, std::initializer_list<const char16_t *> lines, int left, int top,
               int width, int lineHeight = 240) {
    for (const char16_t *line : lines) {
        b.label(QString::fromUtf16(line), left, top, width, lineHeight);
        top += lineHeight;
    }
}

QString text(const char16_t *s) {
    return QString::fromUtf16(s);
}

// The row of the list's selected item; -1 when nothing is selected (after a
// reload or a deletion), whatever item merely has the focus.
int selectedRow(const QListWidget *list) {
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

} // namespace

QString startupTitle(const QString &name) {
    return name.isEmpty() ? QStringLiteral(" ミルテア") : name + QStringLiteral("  の ミルテア");
}

QString renamedTitle(const QString &name) {
    return name.isEmpty() ? QStringLiteral(" ミルテア") : name + QStringLiteral("  のミルテア");
}

SettingsPage::SettingsPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraSettei"));
    buildMasters();
    buildPrivate();
    buildNewStart();
    buildBudgets();
    buildHistory();
    m_payees = {PaymentField::Payee,
                bookfile::payees,
                lstKoumoku,
                cmdSort,
                cmdDel,
                cmdChg,
                txtChg,
                u"追加したい支払いを入力して下さい",
                u"支払い追加",
                u"支払いマスタを全削除します。よろしいですか？",
                u"支払いマスタを削除しました。",
                u"並び替えた順番で支払いマスタリストを作成しました",
                false};
    m_categories = {PaymentField::Category,
                    bookfile::categories,
                    lstKoumoku2,
                    cmdSort10,
                    cmdDel3,
                    cmdChg2,
                    txtChg2,
                    u"追加したい費目を入力して下さい",
                    u"費目追加",
                    u"費目マスタを全削除します。よろしいですか？",
                    u"費目マスタを削除しました。",
                    u"並び替えた順番で費目マスタリストを作成しました",
                    false};
    connectHandlers();
}

namespace {
// One master list frame: the list, its four buttons and the renaming box.
struct MasterFrame {
    ListBox *list;
    QPushButton *add, *del, *delAll, *sort;
    QLineEdit *renameText;
    QPushButton *rename;
};

MasterFrame buildMasterFrame(FormBuilder &page, const QString &caption, int left,
                             std::array<const char16_t *, 7> names) {
    QGroupBox *frame = page.frame(caption, left, 30, 3700, 5000);
    frame->setToolTip(QStringLiteral("状況データの編集枠です"));
    FormBuilder b(frame);
    auto name = [&](int i) { return QString::fromUtf16(names[i]); };
    MasterFrame m;
    m.list = b.listBox(name(0), 120, 300, 2250, 3600);
    m.add = b.button(name(1), QStringLiteral("追加"), 2480, 300, 1100, 450);
    m.del = b.button(name(2), QStringLiteral("削除"), 2480, 820, 1100, 450);
    m.delAll = b.button(name(3), QStringLiteral("全削除"), 2480, 1340, 1100, 450);
    m.sort = b.button(name(4), QStringLiteral("並び替え"), 2480, 1860, 1100, 450);
    m.renameText = b.textBox(name(5), 120, 4000, 3460, 360);
    m.rename = b.button(name(6), QStringLiteral("状況コメントを入れ替える"), 120, 4420, 3460, 420);
    return m;
}
} // namespace

void SettingsPage::buildMasters() {
    FormBuilder page(this);
    const MasterFrame payees = buildMasterFrame(
        page, QStringLiteral("支払いマスタ編集"), 60,
        {u"lstKoumoku", u"cmdNew2", u"cmdDel", u"cmdDel2", u"cmdSort", u"txtChg", u"cmdChg"});
    lstKoumoku = payees.list;
    cmdNew2 = payees.add;
    cmdDel = payees.del;
    cmdDel2 = payees.delAll;
    cmdSort = payees.sort;
    txtChg = payees.renameText;
    cmdChg = payees.rename;
    const MasterFrame cats = buildMasterFrame(
        page, QStringLiteral("費目マスタ編集"), 3850,
        {u"lstKoumoku2", u"cmdNew3", u"cmdDel3", u"cmdDel4", u"cmdSort10", u"txtChg2", u"cmdChg2"});
    lstKoumoku2 = cats.list;
    cmdNew3 = cats.add;
    cmdDel3 = cats.del;
    cmdDel4 = cats.delAll;
    cmdSort10 = cats.sort;
    txtChg2 = cats.renameText;
    cmdChg2 = cats.rename;

    textBlock(page,
              {u"支払い、費目マスタは", u"ご自身のライフスタイルに", u"合わせて自由に設定する",
               u"と良いでしょう。", u"細かく分類するも良し、", u"大ざっぱに分類するも良し",
               u"登録ルールはありません。"},
              7700, 1500, 2600, 270);
    page.image(QStringLiteral("imgSettei"), QStringLiteral("settei"), 10400, 1700, 1200, 1200);
}

void SettingsPage::buildPrivate() {
    FormBuilder page(this);
    QGroupBox *priv = page.frame(QStringLiteral("プライベートデータ"), 7650, 30, 4030, 1350);
    priv->setToolTip(QStringLiteral("プライベートデータ編集枠です"));
    FormBuilder b(priv);
    b.label(QStringLiteral("名前"), 120, 330, 600, 330);
    txtPriData = b.textBox(QStringLiteral("txtPriData"), 720, 300, 2000, 380);
    b.label(QStringLiteral("※空欄可"), 720, 760, 1500, 300);
    cmdPHozon1 =
        b.button(QStringLiteral("cmdPHozon1"), QStringLiteral("名前変更"), 2800, 290, 1100, 420);
}

void SettingsPage::buildHistory() {
    FormBuilder page(this);
    // Right of the new-start notes, which run to x 8150.
    QGroupBox *frame = page.frame(QStringLiteral("変更の履歴"), 8250, 3500, 3430, 3700);
    frame->setToolTip(QStringLiteral("ブックの変更を新しい順に並べています"));
    FormBuilder b(frame);
    lstRireki = b.listBox(QStringLiteral("lstRireki"), 120, 300, 3190, 1950);
    cmdModosu = b.button(QStringLiteral("cmdModosu"), QStringLiteral("最新の変更を元に戻す"), 120,
                         2330, 3190, 420);
    b.label(QStringLiteral("毎日のバックアップ"), 120, 2880, 3000, 300);
    cboBackup = b.comboBox(QStringLiteral("cboBackup"), false, 120, 3200, 2010, 360);
    cmdFukugen =
        b.button(QStringLiteral("cmdFukugen"), QStringLiteral("復元"), 2230, 3170, 1080, 420);
    connect(cmdModosu, &QAbstractButton::clicked, this, &SettingsPage::cmdModosu_Click);
    connect(cmdFukugen, &QAbstractButton::clicked, this, &SettingsPage::cmdFukugen_Click);
}

void SettingsPage::showHistory() {
    lstRireki->clear();
    cboBackup->clear();
    const History *h = m_session.history();
    if (!h) return;
    for (const History::Entry &e : h->entries()) {
        const QString undone = e.undone ? QStringLiteral("（取り消し済み）") : QString();
        lstRireki->addItem(e.time.toString(QStringLiteral("MM/dd HH:mm ")) + e.description +
                           undone);
        // The list is narrow: the whole entry, with its year, on hover.
        lstRireki->item(lstRireki->count() - 1)
            ->setToolTip(e.time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss ")) + e.description +
                         undone);
    }
    for (const QDate day : h->snapshots())
        cboBackup->addItem(day.toString(QStringLiteral("yyyy/MM/dd")), day);
}

void SettingsPage::cmdModosu_Click() {
    emit undoAsked();
    showHistory();
}

void SettingsPage::cmdFukugen_Click() {
    History *h = m_session.history();
    const QDate day = cboBackup->currentData().toDate();
    if (!h || !day.isValid()) return;
    if (!Dialogs::confirm(this,
                          QStringLiteral("ブックを %1 のバックアップの状態に戻します。"
                                         "この復元も元に戻せます。よろしいですか？")
                              .arg(cboBackup->currentText()),
                          QStringLiteral("バックアップの復元")))
        return;
    showFileError(this, h->restoreSnapshot(day));
    emit bookRestored();
}

void SettingsPage::buildBudgets() {
    FormBuilder page(this);
    // Below the new-start button; the new-start panel covers it while open.
    QGroupBox *frame = page.frame(QStringLiteral("予算（月額）"), 60, 5720, 3700, 1700);
    frame->setToolTip(QStringLiteral("費目ごとの1か月の予算です"));
    FormBuilder b(frame);
    cboYosanJanru = b.comboBox(QStringLiteral("cboYosanJanru"), false, 120, 290, 1300, 360);
    txtYosan = b.textBox(QStringLiteral("txtYosan"), 1480, 290, 1000, 360);
    txtYosan->setAlignment(Qt::AlignRight);
    cmdYosan = b.button(QStringLiteral("cmdYosan"), QStringLiteral("登録"), 2540, 260, 520, 420);
    cmdYosanDel =
        b.button(QStringLiteral("cmdYosanDel"), QStringLiteral("削除"), 3100, 260, 520, 420);
    lstYosan = b.listBox(QStringLiteral("lstYosan"), 120, 760, 3500, 840);
    connect(cmdYosan, &QAbstractButton::clicked, this, &SettingsPage::cmdYosan_Click);
    connect(cmdYosanDel, &QAbstractButton::clicked, this, &SettingsPage::cmdYosanDel_Click);
    // Picked by the mouse or the arrow keys alike.
    connect(lstYosan, &QListWidget::currentRowChanged, this, &SettingsPage::lstYosan_Click);
    // Below the new-start notes.
    cmdKotei = page.button(QStringLiteral("cmdKotei"),
                           QStringLiteral("固定費（毎月の支払い）の編集…"), 3900, 6100, 4100, 450);
    connect(cmdKotei, &QAbstractButton::clicked, this, &SettingsPage::cmdKotei_Click);
}

void SettingsPage::cmdKotei_Click() {
    if (refusedInSample()) return;
    QStringList payees, categories;
    for (int i = 0; i < lstKoumoku->count(); ++i)
        payees << lstKoumoku->item(i)->text();
    for (int i = 0; i < lstKoumoku2->count(); ++i)
        categories << lstKoumoku2->item(i)->text();
    FixedPaymentsDialog dlg(m_session, payees, categories, this);
    dlg.exec();
    showHistory();
}

void SettingsPage::showBudgets() {
    lstYosan->clear();
    for (const Budget &b : m_session.budgets()) {
        lstYosan->addItem(b.category + QStringLiteral("　") + formatYenLabel(b.amount));
        lstYosan->item(lstYosan->count() - 1)->setData(Qt::UserRole, b.category);
    }
}

void SettingsPage::saveBudgets(const QList<Budget> &budgets, const QString &description) {
    {
        ChangeScope change = m_session.change(description);
        if (showFileError(this, writeBudgets(m_session.book, budgets)) ||
            showFileError(this, change.close()))
            return;
    }
    showBudgets();
    showHistory();
    emit budgetsChanged();
}

bool SettingsPage::refusedInSample() {
    if (!m_session.sampleMode) return false;
    const EntryCheck sample = checkPayment(true, {}, {}, {});
    Dialogs::warning(this, sample.text, sample.title);
    return true;
}

void SettingsPage::cmdYosan_Click() {
    if (refusedInSample()) return;
    const QString category = cboYosanJanru->currentText();
    const BudgetEdit edit = setBudget(m_session.budgets(), category, txtYosan->text());
    if (!edit.title.isEmpty()) return Dialogs::warning(this, edit.text, edit.title);
    const auto it = std::find_if(edit.budgets.cbegin(), edit.budgets.cend(),
                                 [&](const Budget &b) { return b.category == category; });
    saveBudgets(edit.budgets,
                QStringLiteral("予算「%1」%2の登録").arg(category, formatYenLabel(it->amount)));
    txtYosan->clear();
}

void SettingsPage::cmdYosanDel_Click() {
    const QListWidgetItem *item = lstYosan->currentItem();
    if (!item || refusedInSample()) return;
    const QString category = item->data(Qt::UserRole).toString();
    saveBudgets(removeBudget(m_session.budgets(), category),
                QStringLiteral("予算「%1」の削除").arg(category));
}

void SettingsPage::lstYosan_Click() {
    const QListWidgetItem *item = lstYosan->currentItem();
    if (!item) return;
    const QString category = item->data(Qt::UserRole).toString();
    for (const Budget &b : m_session.budgets())
        if (b.category == category) {
            // A budget of a category no longer in the master stays its own.
            if (cboYosanJanru->findText(category) < 0) cboYosanJanru->addItem(category);
            cboYosanJanru->setCurrentText(category);
            txtYosan->setText(formatPlain(b.amount));
        }
}

void SettingsPage::buildNewStart() {
    FormBuilder page(this);
    cmdNew1 = page.button(QStringLiteral("cmdNew1"),
                          QStringLiteral("新規にスタートさせる時はこちら"), 60, 5150, 3700, 500);
    textBlock(page,
              {u"さかのぼって登録し過ぎないことをお薦めします。",
               u"登録後にはいくらでもさかのぼれますし、",
               u"スタート日、金額の修正も比較的容易にできますので。"},
              3900, 5100, 4600, 200);
    // The panel lies over the lower part of the page while it is open.
    fraNew = new NewStartPanel(m_session, this);
}

void SettingsPage::cmdPHozon1_Click() {
    const QString name = txtPriData->text();
    {
        ChangeScope change = m_session.change(QStringLiteral("使用者名の変更"));
        if (showFileError(this, writeUserName(m_session.book, name)) ||
            showFileError(this, change.close()))
            return;
    }
    m_session.userName = name;
    window()->setWindowTitle(renamedTitle(name));
    Dialogs::information(this, QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}

void SettingsPage::connectHandlers() {
    const std::pair<QPushButton *, void (SettingsPage::*)()> buttons[] = {
        {cmdPHozon1, &SettingsPage::cmdPHozon1_Click}, {cmdNew2, &SettingsPage::cmdNew2_Click},
        {cmdNew3, &SettingsPage::cmdNew3_Click},       {cmdDel, &SettingsPage::cmdDel_Click},
        {cmdDel3, &SettingsPage::cmdDel3_Click},       {cmdDel2, &SettingsPage::cmdDel2_Click},
        {cmdDel4, &SettingsPage::cmdDel4_Click},       {cmdSort, &SettingsPage::cmdSort_Click},
        {cmdSort10, &SettingsPage::cmdSort10_Click},   {cmdChg, &SettingsPage::cmdChg_Click},
        {cmdChg2, &SettingsPage::cmdChg2_Click},       {cmdNew1, &SettingsPage::cmdNew1_Click},

    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
    connect(lstKoumoku, &ListBox::clicked, this, &SettingsPage::lstKoumoku_Click);
    connect(lstKoumoku2, &ListBox::clicked, this, &SettingsPage::lstKoumoku2_Click);
    connect(lstKoumoku, &ListBox::mouseDown, this, &SettingsPage::lstKoumoku_MouseDown);
    connect(lstKoumoku2, &ListBox::mouseDown, this, &SettingsPage::lstKoumoku2_MouseDown);
    connect(lstKoumoku, &ListBox::mouseUp, this, &SettingsPage::lstKoumoku_MouseUp);
    connect(lstKoumoku2, &ListBox::mouseUp, this, &SettingsPage::lstKoumoku2_MouseUp);
    // Alt+Up and Alt+Down move the chosen name as a drag does.
    for (const Master *m : {&m_payees, &m_categories})
        for (const auto &[key, step] : {std::pair{Qt::Key_Up, -1}, std::pair{Qt::Key_Down, 1}}) {
            auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | key), m->list);
            shortcut->setContext(Qt::WidgetShortcut);
            connect(shortcut, &QShortcut::activated, this,
                    [this, m, step = step] { moveByKey(*m, step); });
        }
}

void SettingsPage::open() {
    // A master changed since the lists were filled (a category added with a
    // payment, another program's edit) is listed anew before any edit.
    const auto sameNames = [this](const Master &m, QStringList names) {
        QStringList listed = listedNames(m);
        listed.sort();
        names.sort();
        return listed == names;
    };
    const QStringList payees = m_session.master(bookfile::payees);
    const QStringList categories = m_session.master(bookfile::categories);
    if (!sameNames(m_payees, payees) || !sameNames(m_categories, categories))
        setMasters(payees, categories);
    showHistory();
    showBudgets();
    txtPriData->setText(m_session.userName);
    for (QPushButton *b : {cmdSort, cmdDel, cmdChg, cmdSort10, cmdDel3, cmdChg2})
        b->setEnabled(false);
}

void SettingsPage::setMasters(const QStringList &payees, const QStringList &categories) {
    // The lists being edited stay as the user left them; the budget's
    // choice of categories follows every change of them.
    if (!m_keepEditLists) {
        fillEditList(m_payees, payees);
        fillEditList(m_categories, categories);
    }
    const QString chosen = cboYosanJanru->currentText();
    cboYosanJanru->clear();
    cboYosanJanru->addItems(categories);
    // A budget picked of a category no longer in the master stays picked; a
    // name no budget has any more (renamed, deleted) is not kept.
    if (cboYosanJanru->findText(chosen) < 0) {
        const QList<Budget> budgets = m_session.budgets();
        if (std::any_of(budgets.cbegin(), budgets.cend(),
                        [&](const Budget &b) { return b.category == chosen; }))
            cboYosanJanru->addItem(chosen);
    }
    cboYosanJanru->setCurrentText(chosen);
}

QStringList SettingsPage::listedNames(const Master &m) const {
    QStringList names;
    for (int i = 0; i < m.list->count(); ++i)
        names << m.list->item(i)->text();
    return names;
}

bool SettingsPage::masterWriteFailed(const FileResult &r) {
    if (!showFileError(this, r)) return false;
    // A master changed by another program meanwhile: the lists show it now.
    emit mastersChanged();
    return true;
}

void SettingsPage::fillEditList(const Master &m, const QStringList &names) {
    // An order made and not yet saved is gone with the list it was made in.
    m.list->clear();
    m.list->addItems(names);
    showOrderUnsaved(m, false);
}

void SettingsPage::showOrderUnsaved(const Master &m, bool unsaved) {
    m.orderUnsaved = unsaved;
    setButtonBackColor(m.sort, unsaved ? palette::unsavedOrder
                                       : QApplication::palette(m.sort).color(QPalette::Button));
}

void SettingsPage::announceMasterWrite() {
    m_keepEditLists = true;
    emit mastersChanged();
    m_keepEditLists = false;
    showHistory();
}

// --- The master lists ---

void SettingsPage::cmdNew2_Click() {
    addName(m_payees);
}
void SettingsPage::cmdNew3_Click() {
    addName(m_categories);
}
void SettingsPage::cmdDel_Click() {
    deleteSelected(m_payees);
}
void SettingsPage::cmdDel3_Click() {
    deleteSelected(m_categories);
}
void SettingsPage::cmdDel2_Click() {
    deleteAll(m_payees);
}
void SettingsPage::cmdDel4_Click() {
    deleteAll(m_categories);
}
void SettingsPage::lstKoumoku_Click() {
    enableSelectionButtons(m_payees);
}
void SettingsPage::lstKoumoku2_Click() {
    enableSelectionButtons(m_categories);
}
void SettingsPage::lstKoumoku_MouseDown() {
    dragStart(m_payees);
}
void SettingsPage::lstKoumoku2_MouseDown() {
    dragStart(m_categories);
}
void SettingsPage::lstKoumoku_MouseUp() {
    dragEnd(m_payees);
}
void SettingsPage::lstKoumoku2_MouseUp() {
    dragEnd(m_categories);
}
void SettingsPage::cmdSort_Click() {
    saveOrder(m_payees);
}
void SettingsPage::cmdSort10_Click() {
    saveOrder(m_categories);
}
void SettingsPage::cmdChg_Click() {
    rename(m_payees);
}
void SettingsPage::cmdChg2_Click() {
    rename(m_categories);
}

// The name goes at the end of the file and of every list, as the file keeps it.
// "支払いマスタ" for 支払いマスタ.txt, as the history names the list.
QString SettingsPage::masterLabel(const Master &m) {
    return m.file.chopped(4);
}

void SettingsPage::addName(const Master &m) {
    const std::optional<QString> name =
        Dialogs::inputText(this, text(m.addPrompt), text(m.addTitle));
    if (!name || name->isEmpty()) return;
    {
        ChangeScope change =
            m_session.change(QStringLiteral("%1への「%2」の追加").arg(masterLabel(m), *name));
        if (showFileError(this, appendMasterName(m_session.book, *name, m.file)) ||
            showFileError(this, change.close()))
            return;
    }
    m.list->addItem(cp932::normalize(*name)); // as the file keeps it (〜 as ～)
    announceMasterWrite();
}

void SettingsPage::deleteSelected(const Master &m) {
    const int row = selectedRow(m.list);
    if (row < 0) return; // the buttons stay enabled after a deletion: nothing to delete
    if (!Dialogs::confirm(
            this, m.list->item(row)->text() + QStringLiteral("を削除します。よろしいですか？"),
            QStringLiteral("クリア確認")))
        return;
    QStringList names = listedNames(m);
    names.removeAt(row);
    {
        ChangeScope change = m_session.change(
            QStringLiteral("%1からの「%2」の削除").arg(masterLabel(m), m.list->item(row)->text()));
        if (masterWriteFailed(overwriteMaster(m_session.book, m.file, names, listedNames(m))) ||
            showFileError(this, change.close()))
            return;
    }
    delete m.list->takeItem(row);
    m.list->clearSelection();
    announceMasterWrite();
    Dialogs::information(this, QStringLiteral("選択したデータを削除しました"),
                         QStringLiteral("削除完了"));
}

void SettingsPage::deleteAll(const Master &m) {
    if (!Dialogs::confirm(this, text(m.deleteAllQuestion), QStringLiteral("クリア確認"))) return;
    {
        ChangeScope change = m_session.change(QStringLiteral("%1の全削除").arg(masterLabel(m)));
        if (showFileError(this, truncateFile(m_session.book, m.file)) ||
            showFileError(this, change.close()))
            return;
    }
    m.list->clear();
    announceMasterWrite();
    Dialogs::information(this,
                         text(m.deleteAllDone) +
                             QStringLiteral("\n\n任意の状況をあらためて登録してください。"),
                         QStringLiteral("削除完了"));
}

void SettingsPage::enableSelectionButtons(const Master &m) {
    for (QPushButton *b : {m.sort, m.del, m.rename})
        b->setEnabled(true);
}

void SettingsPage::dragStart(const Master &m) {
    const int row = selectedRow(m.list);
    DragIndex = static_cast<qint16>(row);
    DragText = row < 0 ? QString() : m.list->item(row)->text();
}

// The dragged name lands directly before the name under the mouse; only the
// edit list changes until the order is saved.
void SettingsPage::dragEnd(const Master &m) {
    const DragMove move = computeDragMove(m.list->count(), DragIndex, selectedRow(m.list));
    if (!move.changed) return;
    delete m.list->takeItem(move.removeAt);
    m.list->insertItem(move.insertAt, DragText);
    m.list->setCurrentRow(move.insertAt + 1); // the target stays selected
    showOrderUnsaved(m, true);
}

// Up is the name dragged onto the one above it; down is the name below
// dragged onto this one. The moved name stays chosen.
void SettingsPage::moveByKey(const Master &m, int step) {
    const int row = selectedRow(m.list);
    if (row < 0) return;
    const int dragged = step < 0 ? row : row + 1;
    const DragMove move = computeDragMove(m.list->count(), dragged, step < 0 ? row - 1 : row);
    if (!move.changed) return;
    const QString name = m.list->item(dragged)->text();
    delete m.list->takeItem(move.removeAt);
    m.list->insertItem(move.insertAt, name);
    m.list->setCurrentRow(row + step);
    showOrderUnsaved(m, true);
}

void SettingsPage::saveOrder(const Master &m) {
    {
        ChangeScope change = m_session.change(QStringLiteral("%1の並び替え").arg(masterLabel(m)));
        const QStringList names = listedNames(m);
        if (masterWriteFailed(overwriteMaster(m_session.book, m.file, names, names)) ||
            showFileError(this, change.close()))
            return;
    }
    announceMasterWrite();
    showOrderUnsaved(m, false);
    Dialogs::information(this, text(m.sortDone), QStringLiteral("並び替え完了"));
}

// --- Renaming across the book ---

void SettingsPage::rename(const Master &m) {
    const QString newName = m.renameText->text();
    if (newName.isEmpty())
        return Dialogs::warning(this, QStringLiteral("変更したいデータを入力してください"),
                                QStringLiteral("変更後データ未入力"));
    // After a rename reloads the lists nothing is selected: an empty old name
    // would give every record without a name the new one.
    const int row = selectedRow(m.list);
    if (row < 0)
        return Dialogs::warning(this, QStringLiteral("入れ替える名前を一覧から選んでください"),
                                QStringLiteral("名前未選択"));
    const QString oldName = m.list->item(row)->text();
    if (showFileError(this, checkFieldTexts({newName}))) return;
    if (!Dialogs::confirm(
            this,
            QStringLiteral("『%1』 を 『%2』 に変更します。よろしいですか？").arg(oldName, newName),
            QStringLiteral("クリア確認")))
        return;
    FileResult r;
    {
        ChangeScope change =
            m_session.change(QStringLiteral("「%1」から「%2」への入れ替え").arg(oldName, newName));
        r = renameEverywhere(m_session.book, m.field, oldName, newName);
        if (r.ok()) r = change.close();
    }
    // Payments first, the master second: reload whatever the files now hold.
    m_session.bookChanged();
    showBudgets(); // a category's budget moved with it
    // The budget's choice follows a category renamed, as its budget did.
    if (r.ok() && m.field == PaymentField::Category && cboYosanJanru->currentText() == oldName)
        cboYosanJanru->setItemText(cboYosanJanru->currentIndex(), newName);
    emit mastersChanged();
    emit bookChanged();
    if (showFileError(this, r)) return;
    Dialogs::information(this, QStringLiteral("データを入れ替えました。"),
                         QStringLiteral("データ変更終了"));
}

// --- A new start ---

void SettingsPage::cmdNew1_Click() {
    fraNew->open();
}
