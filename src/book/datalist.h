#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

#include "book/bookmodel.h"
#include "records/book.h"
#include "records/money.h"
#include "records/rawrecords.h"

// A payment record as the record lists show it, every text ready for a grid
// cell. A date or amount that cannot be read is shown as the text stored.
struct ListedPayment {
    QString date; // yyyy/mm/dd (the data list) or the text as stored (the diary)
    QString payee;
    QString category;
    QString amount;      // "¥1,234" / "-¥500"
    QString plainAmount; // "1234" / "-500", the key of the amount sort
    QString memo;
    bool operator==(const ListedPayment &) const = default;
};

// The records of データ.txt as read, in file order, each field decoded only
// when it is asked for, so that a list of 100,000 records opens at once.
class PaymentTable {
public:
    enum class Field { Date, Payee, Category, Amount, PlainAmount, Memo };

    PaymentTable() = default;
    // formatDates: dates shown as yyyy/mm/dd (the data list), else as stored (the diary).
    PaymentTable(QByteArray content, bool formatDates);
    // The records of the held データ.txt, its lines as already found.
    PaymentTable(const HeldFile<HeldPayment> &payments, bool formatDates);

    qsizetype size() const { return m_held.isEmpty() ? m_lines.size() : m_held.size(); }
    QString text(qsizetype row, Field field) const;
    // The amount, when the record's amount field holds a number.
    std::optional<Yen> amount(qsizetype row) const;
    // The amount as every page reads it (parseAmountField), number or not.
    Yen readAmount(qsizetype row) const;
    ListedPayment row(qsizetype row) const;
    // For a sort by payee, category or comment of a list made from the held
    // book: a key per row whose order is the order of the texts (by character
    // code), each distinct text decoded once at most. False for other fields
    // and other lists.
    bool sortKeys(Field field, QList<int> *keys) const;

    const QByteArray &content() const { return m_content; }
    QByteArrayView line(qsizetype row) const {
        if (!m_held.isEmpty()) {
            const HeldPayment &p = m_held.at(row);
            return QByteArrayView(m_content.constData() + p.start, p.size);
        }
        const Line &l = m_lines.at(row);
        return QByteArrayView(m_content.constData() + l.start, l.size);
    }

private:
    struct Line {
        qsizetype start;
        qsizetype size;
    };
    QByteArray m_content;
    QList<Line> m_lines;
    bool m_formatDates = false;
    friend PaymentTable computeDataList(const BookModel &book);
    // From the held book (shared with it, in the place of m_lines): each
    // record's line, amount, payee and category ids; and, for the data list,
    // the names.
    QList<HeldPayment> m_held;
    QStringList m_names;
};

// Every record of データ.txt for the sortable data list, dates as yyyy/mm/dd
// ("2005/2/4" shows as 2005/02/04).
PaymentTable computeDataList(const QByteArray &payments);
PaymentTable computeDataList(const BookModel &book);

// Whether an amount field holds a number: empty (read as 0), or blanks, an
// optional sign, digits and an optional fraction.
bool isAmountField(QByteArrayView field);
// The date of a date field as yyyy/mm/dd, or an empty text when it is no date.
QString readDateField(QByteArrayView field);

// The data list's five sort buttons (回 （日付）, 支払い, 費目, 金額, 一言日記):
// the column of the list each sorts, whether by number, and the direction of
// its next press, ascending first and turning with every press, for the run.
class DataListSorts {
public:
    struct Press {
        int column = 0;
        bool numeric = false;
        bool ascending = true;
        bool operator==(const Press &) const = default;
    };
    static constexpr int kButtons = 5;
    // The sort of one press of a button (0 … 4); the next press turns it.
    Press press(int button);

private:
    bool m_nextAscending[kButtons] = {true, true, true, true, true};
};
