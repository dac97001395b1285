#include "settings/setteipage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "records/recordfiles.h"
#include "ui/dialogs.h"
#include "ui/formbuilder.h"
#include "ui/listbox.h"

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

SetteiPage::SetteiPage(FormState &state, QWidget *parent) : QWidget(parent), m_state(state) {
    setObjectName(QStringLiteral("fraSettei"));
    buildMasters();
    buildPrivate();
    buildNewStart();
    connect(cmdPHozon1, &QPushButton::clicked, this, &SetteiPage::cmdPHozon1_Click);
    connect(cmdNew1, &QPushButton::clicked, this, [this] { fraNew->show(); });
    connect(cmdYame, &QPushButton::clicked, this, [this] { fraNew->hide(); });
}

void SetteiPage::buildMasters() {
    FormBuilder page(this);
    const QString tip = QStringLiteral("状況データの編集枠です");
    QGroupBox *payees = page.frame(QStringLiteral("支払いマスタ編集"), 60, 30, 3700, 5000);
    payees->setToolTip(tip);
    FormBuilder p(payees);
    lstKoumoku = p.listBox(QStringLiteral("lstKoumoku"), 120, 300, 2250, 3600);
    cmdNew2 = p.button(QStringLiteral("cmdNew2"), QStringLiteral("追加"), 2480, 300, 1100, 450);
    cmdDel = p.button(QStringLiteral("cmdDel"), QStringLiteral("削除"), 2480, 820, 1100, 450);
    cmdDel2 = p.button(QStringLiteral("cmdDel2"), QStringLiteral("全削除"), 2480, 1340, 1100, 450);
    cmdSort =
        p.button(QStringLiteral("cmdSort"), QStringLiteral("並び替え"), 2480, 1860, 1100, 450);
    txtChg = p.textBox(QStringLiteral("txtChg"), 120, 4000, 3460, 360);
    cmdChg = p.button(QStringLiteral("cmdChg"), QStringLiteral("状況コメントを入れ替える"), 120,
                      4420, 3460, 420);

    QGroupBox *cats = page.frame(QStringLiteral("費目マスタ編集"), 3850, 30, 3700, 5000);
    cats->setToolTip(tip);
    FormBuilder c(cats);
    lstKoumoku2 = c.listBox(QStringLiteral("lstKoumoku2"), 120, 300, 2250, 3600);
    cmdNew3 = c.button(QStringLiteral("cmdNew3"), QStringLiteral("追加"), 2480, 300, 1100, 450);
    cmdDel3 = c.button(QStringLiteral("cmdDel3"), QStringLiteral("削除"), 2480, 820, 1100, 450);
    cmdDel4 = c.button(QStringLiteral("cmdDel4"), QStringLiteral("全削除"), 2480, 1340, 1100, 450);
    cmdSort10 =
        c.button(QStringLiteral("cmdSort10"), QStringLiteral("並び替え"), 2480, 1860, 1100, 450);
    txtChg2 = c.textBox(QStringLiteral("txtChg2"), 120, 4000, 3460, 360);
    cmdChg2 = c.button(QStringLiteral("cmdChg2"), QStringLiteral("状況コメントを入れ替える"), 120,
                       4420, 3460, 420);

    textBlock(page,
              {u"支払い、費目マスタは", u"ご自身のライフスタイルに", u"合わせて自由に設定する",
               u"と良いでしょう。", u"細かく分類するも良し、", u"大ざっぱに分類するも良し",
               u"登録ルールはありません。"},
              7700, 1500, 2600, 270);
    page.image(QStringLiteral("imgSettei"), QStringLiteral("settei"), 10400, 1700, 1200, 1200);
}

void SetteiPage::buildPrivate() {
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

void SetteiPage::buildNewStart() {
    FormBuilder page(this);
    cmdNew1 = page.button(QStringLiteral("cmdNew1"),
                          QStringLiteral("新規にスタートさせる時はこちら"), 60, 5150, 3700, 500);
    fraNew = page.frame(QStringLiteral("新規スタート登録枠"), 60, 5700, 11620, 1830,
                        QStringLiteral("fraNew"));
    fraNew->setAutoFillBackground(true);
    FormBuilder b(fraNew);
    b.label(QStringLiteral("スタート日"), 100, 280, 1100, 300);
    cboSt_Date = b.comboBox(QStringLiteral("cboSt_Date"), true, 1200, 250, 1500, 360);
    b.label(QStringLiteral("入金 ↓"), 100, 660, 1100, 300);
    txtNowJyou = b.textBox(QStringLiteral("txtNowJyou"), 1200, 640, 1100, 360);
    b.label(QStringLiteral("円からスタート"), 2350, 660, 1500, 300);
    b.label(QStringLiteral("名前"), 100, 1060, 1100, 300);
    txtPriData1 = b.textBox(QStringLiteral("txtPriData1"), 1200, 1030, 1500, 360);
    b.label(QStringLiteral("※空欄可です。"), 2750, 1060, 1300, 300);
    QLabel *hint =
        b.label(QStringLiteral("入力するとソフトの見出しが　○○のミルテア　という表示になります。"),
                100, 1420, 3900, 380);
    hint->setWordWrap(true);
    cmdStHozon =
        b.button(QStringLiteral("cmdStHozon"), QStringLiteral("新規登録"), 3000, 250, 1000, 400);
    cmdYame =
        b.button(QStringLiteral("cmdYame"), QStringLiteral("キャンセル"), 3000, 680, 1000, 400);

    QFont small = fraNew->font();
    small.setPointSize(std::max(7, small.pointSize() - 2));
    QGroupBox *now =
        b.frame(QStringLiteral("現在の所持金でスタートする場合"), 4100, 200, 2900, 1550);
    FormBuilder n(now);
    textBlock(n,
              {u"所持金でスタートしてよい場合は、", u"手元にレシートなどもなく、現在の",
               u"入金欄にそのまま現在の金額を", u"入力して『新規登録』ボタンを",
               u"クリックしてください。", u"スタート日も本日のままをお薦めします。"},
              100, 250, 2750, 210);
    QGroupBox *back =
        b.frame(QStringLiteral("数日前にさかのぼって登録したい場合"), 7050, 200, 4500, 1550);
    FormBuilder k(back);
    textBlock(k,
              {u"手元にレシートや記録を残していて、",
               u"それらも登録したい場合には次の作業をして入金額を指定します。",
               u"①　記録に残したい支払済みの合計金額を求めます。",
               u"②　現在の所持金と①で求めた支払済み金額を足します。",
               u"③　入金欄に②の金額を入力します。",
               u"④　スタート日を登録しようとしている支払い初日に指定します。",
               u"ここまで指定したら『新規登録』ボタンをクリックしてください。"},
              100, 230, 4350, 185);
    for (QGroupBox *box : {now, back})
        for (QLabel *l : box->findChildren<QLabel *>())
            l->setFont(small);
    textBlock(page,
              {u"さかのぼって登録し過ぎないことをお薦めします。",
               u"登録後にはいくらでもさかのぼれますし、",
               u"スタート日、金額の修正も比較的容易にできますので。"},
              3900, 5100, 4600, 200);
    fraNew->hide();
}

void SetteiPage::fill() {
    txtPriData->setText(m_state.userName);
}

void SetteiPage::cmdPHozon1_Click() {
    const QString name = txtPriData->text();
    const FileResult r = writeUserName(m_state.book, name);
    if (!r.ok()) {
        Dialogs::warning(this, r.message, r.title);
        return;
    }
    m_state.userName = name;
    window()->setWindowTitle(renamedTitle(name));
    Dialogs::information(this, QStringLiteral("保存が終了しました"), QStringLiteral("保存終了"));
}
