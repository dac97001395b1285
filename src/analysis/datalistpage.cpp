#include "analysis/datalistpage.h"

#include <QPushButton>

#include "ui/formbuilder.h"
#include "ui/grid.h"

DataListPage::DataListPage(BookSession &session, QWidget *parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("fraBunseki"));
    FormBuilder b(this);
    const struct {
        QPushButton **button;
        const char16_t *name, *caption;
        int left, width;
    } sorts[] = {
        {&cmdSort1, u"cmdSort1", u"回 （日付）", 60, 1900},
        {&cmdSort2, u"cmdSort2", u"支払い", 1980, 2300},
        {&cmdSort3, u"cmdSort3", u"費目", 4300, 2000},
        {&cmdSort4, u"cmdSort4", u"金額", 6320, 1500},
        {&cmdSort5, u"cmdSort5", u"一言日記", 7840, 3840},
    };
    for (const auto &s : sorts)
        *s.button = b.button(QString::fromUtf16(s.name), QString::fromUtf16(s.caption), s.left, 60,
                             s.width, 450);
    msgIchiran = b.grid(QStringLiteral("msgIchiran"), 1, 7, 60, 580, 11620, 6920);
}

void DataListPage::open() {}
