#include "settings/settingspage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "records/recordfiles.h"
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
    connect(cmdPHozon1, &QPushButton::clicked, this, &SettingsPage::cmdPHozon1_Click);
    connect(cmdNew1, &QPushButton::clicked, this, [this] {
        fraNew->show();
        fraNew->raise();
    });
    connect(cmdYame, &QPushButton::clicked, this, [this] { fraNew->hide(); });
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

void SettingsPage::buildNewStart() {
    FormBuilder page(this);
    cmdNew1 = page.button(QStringLiteral("cmdNew1"),
                          QStringLiteral("新規にスタートさせる時はこちら"), 60, 5150, 3700, 500);
    // The frame lies over the lower part of the page while it is open.
    fraNew = page.frame(QStringLiteral("新規スタート登録枠"), 60, 5050, 11620, 2480,
                        QStringLiteral("fraNew"));
    stylePanel(fraNew, palette::newStartPanel);
    FormBuilder b(fraNew);
    b.label(QStringLiteral("スタート日"), 120, 330, 1050, 300);
    cboSt_Date = b.comboBox(QStringLiteral("cboSt_Date"), true, 1200, 300, 1500, 360);
    b.label(QStringLiteral("入金 ↓"), 120, 730, 1050, 300);
    txtNowJyou = b.textBox(QStringLiteral("txtNowJyou"), 1200, 710, 1300, 360);
    txtNowJyou->setAlignment(Qt::AlignRight);
    b.label(QStringLiteral("円からスタート"), 2550, 730, 1450, 300);
    b.label(QStringLiteral("名前"), 120, 1130, 1050, 300);
    txtPriData1 = b.textBox(QStringLiteral("txtPriData1"), 1200, 1110, 1500, 360);
    b.label(QStringLiteral("※空欄可です。"), 2750, 1130, 1250, 300);
    QLabel *hint =
        b.label(QStringLiteral("入力するとソフトの見出しが　○○のミルテア　という表示になります。"),
                120, 1500, 3880, 440);
    hint->setWordWrap(true);
    cmdStHozon =
        b.button(QStringLiteral("cmdStHozon"), QStringLiteral("新規登録"), 120, 1990, 1500, 400);
    cmdYame =
        b.button(QStringLiteral("cmdYame"), QStringLiteral("キャンセル"), 1750, 1990, 1300, 400);

    QFont small = fraNew->font();
    small.setPointSize(std::max(7, small.pointSize() - 2));
    QGroupBox *now =
        b.frame(QStringLiteral("現在の所持金でスタートする場合"), 4100, 280, 2950, 2100);
    FormBuilder n(now);
    textBlock(n,
              {u"所持金でスタートしてよい場合は、", u"手元にレシートなどもなく、現在の",
               u"入金欄にそのまま現在の金額を", u"入力して『新規登録』ボタンを",
               u"クリックしてください。", u"スタート日も本日のままをお薦めします。"},
              120, 330, 2750, 250);
    QGroupBox *back =
        b.frame(QStringLiteral("数日前にさかのぼって登録したい場合"), 7120, 280, 4420, 2100);
    FormBuilder k(back);
    textBlock(k,
              {u"手元にレシートや記録を残していて、",
               u"それらも登録したい場合には次の作業をして入金額を指定します。",
               u"①　記録に残したい支払済みの合計金額を求めます。",
               u"②　現在の所持金と①で求めた支払済み金額を足します。",
               u"③　入金欄に②の金額を入力します。",
               u"④　スタート日を登録しようとしている支払い初日に指定します。",
               u"ここまで指定したら『新規登録』ボタンをクリックしてください。"},
              120, 330, 4250, 240);
    for (QGroupBox *box : {now, back})
        for (QLabel *l : box->findChildren<QLabel *>())
            l->setFont(small);
    textBlock(page,
              {u"さかのぼって登録し過ぎないことをお薦めします。",
               u"登録後にはいくらでもさかのぼれますし、",
               u"スタート日、金額の修正も比較的容易にできますので。"},
              3900, 5100, 4600, 200);
    fraNew->raise();
    fraNew->hide();
}

void SettingsPage::open() {
    txtPriData->setText(m_session.userName);
}

void SettingsPage::setMasters(const QStringList &payees, const QStringList &categories) {
    lstKoumoku->clear();
    lstKoumoku2->clear();
    lstKoumoku->addItems(payees);
    lstKoumoku2->addItems(categories);
}

void SettingsPage::cmdPHozon1_Click() {
    const QString name = txtPriData->text();
    if (showFileError(this, writeUserName(m_session.book, name))) return;
    m_session.userName = name;
    window()->setWindowTitle(renamedTitle(name));
    Dialogs::information(this, QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}
