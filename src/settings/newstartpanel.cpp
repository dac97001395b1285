#include "settings/newstartpanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "book/newstart.h"
#include "records/clock.h"
#include "records/dates.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/fileerrors.h"
#include "ui/formbuilder.h"
#include "ui/palette.h"
#include "ui/twips.h"

namespace {
void textBlock(FormBuilder &b, std::initializer_list<const char16_t *> lines, int left, int top,
               int width, int lineHeight) {
    for (const char16_t *line : lines) {
        b.label(QString::fromUtf16(line), left, top, width, lineHeight);
        top += lineHeight;
    }
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

NewStartPanel::NewStartPanel(BookSession &session, QWidget *parent)
    : QGroupBox(QStringLiteral("新規スタート登録枠"), parent), m_session(session) {
    setObjectName(QStringLiteral("fraNew"));
    placeTw(this, 60, 5050, 11620, 2480);
    stylePanel(this, palette::newStartPanel);
    FormBuilder b(this);
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
    buildInstructions();
    hide();

    connect(cmdStHozon, &QPushButton::clicked, this, &NewStartPanel::cmdStHozon_Click);
    connect(cmdYame, &QPushButton::clicked, this, &NewStartPanel::cmdYame_Click);
    txtPriData1->installEventFilter(this);
    txtNowJyou->installEventFilter(this);
}

// The two ways to start, in a smaller type.
void NewStartPanel::buildInstructions() {
    FormBuilder b(this);
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
    QFont small = font();
    small.setPointSize(std::max(7, small.pointSize() - 2));
    for (QGroupBox *box : {now, back})
        for (QLabel *l : box->findChildren<QLabel *>())
            l->setFont(small);
}

bool NewStartPanel::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == txtPriData1) txtPriData1_KeyPress(key);
        if (watched == txtNowJyou) txtNowJyou_KeyPress(key);
    }
    return QGroupBox::eventFilter(watched, event);
}

void NewStartPanel::open() {
    txtPriData1->clear();
    cboSt_Date->clear(); // the 90 days, once, however often the panel opens
    cboSt_Date->addItems(computeStartDates(Clock::today()));
    cboSt_Date->setEditText(dateText(Clock::today()));
    show();
    raise();
}

void NewStartPanel::cmdYame_Click() {
    hide();
}

void NewStartPanel::txtPriData1_KeyPress(int key) {
    if (isEnter(key)) txtNowJyou->setFocus();
}

void NewStartPanel::txtNowJyou_KeyPress(int key) {
    if (isEnter(key)) cmdStHozon->setFocus();
}

void NewStartPanel::cmdStHozon_Click() {
    const auto checked =
        checkNewStart(cboSt_Date->currentText(), txtNowJyou->text(), txtPriData1->text());
    if (const auto *refusal = std::get_if<StartRefusal>(&checked)) {
        const bool info = refusal->icon == StartRefusal::Icon::Information;
        return info ? Dialogs::information(this, refusal->text, refusal->title)
                    : Dialogs::warning(this, refusal->text, refusal->title);
    }
    if (!Dialogs::confirm(this, QStringLiteral("入力した内容でデータを作ります。よろしいですか？"),
                          QStringLiteral("クリア確認")))
        return;
    const NewStart &start = std::get<NewStart>(checked);
    // The old book is copied into a folder of its own before anything is wiped.
    {
        ChangeScope change = m_session.change(QStringLiteral("新規スタート"));
        if (showFileError(this,
                          startNewBook(m_session.book, start, QDateTime::currentDateTime())) ||
            showFileError(this, change.close()))
            return;
    }
    m_session.userName = start.userName;
    Dialogs::information(this,
                         QStringLiteral("登録が終了しました。\r\n\r\n"
                                        "一旦プログラムを終了させていただきます。"
                                        "次の起動からミルテアのスタートです！\r\n\r\n"
                                        "さかのぼっての登録でスタートした場合はさっそく"
                                        "手元のレシートを登録してみましょう。\r\n\r\n"
                                        "※支払い先と費目のマスタはそのままになっていますので"
                                        "自分の使いやすいように編集してください。\r\n\r\n"),
                         QStringLiteral("新規登録終了"));
    // The new book shows at the next start; nothing else runs or is saved.
    window()->close();
    QCoreApplication::quit();
}
