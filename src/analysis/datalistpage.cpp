#include "analysis/datalistpage.h"

#include <QPushButton>

#include "book/datalist.h"
#include "ui/formbuilder.h"
#include "ui/grid.h"

namespace {
// The grid's rows over the records as read: column 0 the place in the file,
// column 6 (hidden) the plain amount the amount sort reads.
class DataListRows : public GridRowSource {
public:
    explicit DataListRows(PaymentTable table) : m_table(std::move(table)) {}
    int rowCount() const override { return static_cast<int>(m_table.size()); }
    QString text(int row, int col) const override {
        using F = PaymentTable::Field;
        static constexpr F fields[] = {F::Date,   F::Date, F::Payee,      F::Category,
                                       F::Amount, F::Memo, F::PlainAmount};
        if (col == 0) return QString::number(row + 1);
        return col > 0 && col < 7 ? m_table.text(row, fields[col]) : QString();
    }
    bool number(int row, int col, double *value) const override {
        if (col == 0) {
            *value = row + 1;
            return true;
        }
        // The amount as every page reads it, whatever the list shows of it.
        if (col != 6) return false;
        *value = static_cast<double>(m_table.readAmount(row));
        return true;
    }

    bool numbers(int col, QList<double> *values) const override {
        if (col != 0 && col != 6) return false;
        values->resize(m_table.size());
        for (qsizetype r = 0; r < m_table.size(); ++r)
            (*values)[r] =
                col == 0 ? static_cast<double>(r + 1) : static_cast<double>(m_table.readAmount(r));
        return true;
    }

    bool sortKeys(int col, QList<int> *keys) const override {
        using F = PaymentTable::Field;
        const F field = col == 2 ? F::Payee : col == 3 ? F::Category : F::Memo;
        return (col == 2 || col == 3 || col == 5) && m_table.sortKeys(field, keys);
    }

private:
    PaymentTable m_table;
};

const QList<Grid::Column> &columns() {
    static const QList<Grid::Column> table{
        {QStringLiteral("回"), 560, Qt::AlignRight},
        {QStringLiteral("日付"), 1400, Qt::AlignHCenter},
        {QStringLiteral("支払い"), 2000, Qt::AlignLeft},
        {QStringLiteral("費目"), 1800, Qt::AlignLeft},
        {QStringLiteral("金額"), 1300, Qt::AlignRight},
        {QStringLiteral("一言日記"), 4010, Qt::AlignLeft},
        {QString(), 0, Qt::AlignLeft}, // the plain amount, hidden
    };
    return table;
}

// With more rows than this (header included) the list opens at its end.
constexpr int kRowsInView = 24;
} // namespace

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
    msgIchiran->setAccessibleName(QStringLiteral("データ一覧"));
    connect(cmdSort1, &QPushButton::clicked, this, &DataListPage::cmdSort1_Click);
    connect(cmdSort2, &QPushButton::clicked, this, &DataListPage::cmdSort2_Click);
    connect(cmdSort3, &QPushButton::clicked, this, &DataListPage::cmdSort3_Click);
    connect(cmdSort4, &QPushButton::clicked, this, &DataListPage::cmdSort4_Click);
    connect(cmdSort5, &QPushButton::clicked, this, &DataListPage::cmdSort5_Click);
}

void DataListPage::open() {
    INIT_ICHIRAN();
    DSP_ICHIRAN();
}

void DataListPage::leave() {
    msgIchiran->setSourceRows(nullptr);
}

void DataListPage::INIT_ICHIRAN() {
    msgIchiran->setFontPointSize(11);
    msgIchiran->setRows(1);
    msgIchiran->setColumns(columns());
}

void DataListPage::DSP_ICHIRAN() {
    msgIchiran->setSourceRows(std::make_shared<DataListRows>(computeDataList(m_session.model())));
    // A book of 100,000 records and more needs a wider "回" than the design gives.
    msgIchiran->setColWidth(
        0, std::max(msgIchiran->colWidth(0),
                    msgIchiran->textTwips(QString::number(msgIchiran->rows() - 1))));
    if (msgIchiran->rows() > kRowsInView) msgIchiran->setTopRow(msgIchiran->rows() - 1);
}

void DataListPage::sortBy(int button) {
    const DataListSorts::Press p = m_sorts.press(button);
    msgIchiran->setCurrentCell(msgIchiran->currentRow(), p.column);
    msgIchiran->sortRows(p.column, p.ascending, p.numeric);
}

void DataListPage::cmdSort1_Click() {
    sortBy(0);
}
void DataListPage::cmdSort2_Click() {
    sortBy(1);
}
void DataListPage::cmdSort3_Click() {
    sortBy(2);
}
void DataListPage::cmdSort4_Click() {
    sortBy(3);
}
void DataListPage::cmdSort5_Click() {
    sortBy(4);
}
