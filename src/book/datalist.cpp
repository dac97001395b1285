#include "book/datalist.h"

#include <QDate>
#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "records/cp932.h"
#include "records/dates.h"

namespace {
QString decoded(QByteArrayView field) {
    return field.isEmpty() ? QString() : cp932::decode(field);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits from i on (at most five): their value and count.
int digitsAt(QByteArrayView s, qsizetype &i, int *count) {
    int value = 0;
    *count = 0;
    for (; i < s.size() && isDigit(s[i]) && *count < 5; ++i, ++*count)
        value = value * 10 + (s[i] - '0');
    return value;
}
} // namespace

bool isAmountField(QByteArrayView f) {
    qsizetype i = 0;
    while (i < f.size() && (f[i] == ' ' || f[i] == '\t'))
        ++i;
    if (i == f.size()) return true;
    if (f[i] == '-' || f[i] == '+') ++i;
    const qsizetype digits = i;
    while (i < f.size() && isDigit(f[i]))
        ++i;
    if (i == digits) return false;
    if (i < f.size() && f[i] == '.') {
        const qsizetype fraction = ++i;
        while (i < f.size() && isDigit(f[i]))
            ++i;
        if (i == fraction) return false;
    }
    return i == f.size();
}

QString readDateField(QByteArrayView f) {
    qsizetype i = 0;
    int n = 0;
    const int y = digitsAt(f, i, &n);
    if (n != 4 || i >= f.size() || f[i++] != '/') return {};
    const int m = digitsAt(f, i, &n);
    if (n < 1 || n > 2 || i >= f.size() || f[i++] != '/') return {};
    const int d = digitsAt(f, i, &n);
    if (n < 1 || n > 2 || i != f.size() || !QDate::isValid(y, m, d)) return {};
    if (f.size() == 10) return QString::fromLatin1(f); // already the stored form
    return dateText(QDate(y, m, d));
}

PaymentTable::PaymentTable(QByteArray content, bool formatDates)
    : m_content(std::move(content)), m_formatDates(formatDates) {
    m_lines.reserve(m_content.size() / 40 + 1);
    RawReader reader(m_content);
    QByteArrayView line;
    while (reader.nextLine(&line))
        m_lines.append({line.data() - m_content.constData(), line.size()});
}

PaymentTable::PaymentTable(const HeldFile<HeldPayment> &payments, bool formatDates)
    : m_content(payments.bytes()), m_formatDates(formatDates), m_held(payments.records()) {}

namespace {
// Ranks of texts in text order (by character code); equal texts share one.
QList<int> ranksOf(const QStringList &texts) {
    QList<int> ids(texts.size());
    std::iota(ids.begin(), ids.end(), 0);
    std::sort(ids.begin(), ids.end(), [&](int a, int b) {
        return QStringView(texts.at(a)).compare(QStringView(texts.at(b))) < 0;
    });
    QList<int> rank(texts.size());
    for (qsizetype i = 0; i < ids.size(); ++i)
        rank[ids.at(i)] = i > 0 && texts.at(ids.at(i)) == texts.at(ids.at(i - 1))
                              ? rank[ids.at(i - 1)]
                              : static_cast<int>(i);
    return rank;
}
} // namespace

bool PaymentTable::sortKeys(Field field, QList<int> *keys) const {
    if (field == Field::Memo && !m_held.isEmpty()) {
        // Each distinct comment decoded once; most records have none.
        std::unordered_map<std::string_view, int> ids;
        QStringList texts;
        QList<int> idOfRow(size());
        RawFields f;
        for (qsizetype r = 0; r < size(); ++r) {
            RawReader::split(line(r), f, fieldsThrough(PaymentField::Memo));
            const QByteArrayView memo = fieldAt(f, PaymentField::Memo);
            const auto [it, added] = ids.try_emplace(byteString(memo), int(texts.size()));
            if (added) texts.append(decoded(memo));
            idOfRow[r] = it->second;
        }
        const QList<int> rank = ranksOf(texts);
        keys->resize(size());
        for (qsizetype r = 0; r < size(); ++r)
            (*keys)[r] = rank.at(idOfRow.at(r));
        return true;
    }
    if ((field != Field::Payee && field != Field::Category) || m_held.isEmpty() ||
        m_names.isEmpty())
        return false;
    // The names in text order once.
    const QList<int> rank = ranksOf(m_names);
    keys->resize(size());
    for (qsizetype r = 0; r < size(); ++r)
        (*keys)[r] = rank.at(field == Field::Payee ? m_held.at(r).payee : m_held.at(r).category);
    return true;
}

std::optional<Yen> PaymentTable::amount(qsizetype row) const {
    RawFields f;
    RawReader::split(line(row), f, fieldsThrough(PaymentField::Amount));
    const QByteArrayView field = fieldAt(f, PaymentField::Amount);
    if (!isAmountField(field)) return std::nullopt;
    return parseAmountField(field);
}

Yen PaymentTable::readAmount(qsizetype row) const {
    if (!m_held.isEmpty()) return m_held.at(row).amount; // read once already
    RawFields f;
    RawReader::split(line(row), f, fieldsThrough(PaymentField::Amount));
    return parseAmountField(fieldAt(f, PaymentField::Amount));
}

QString PaymentTable::text(qsizetype row, Field field) const {
    RawFields f;
    switch (field) {
    case Field::Date: {
        RawReader::split(line(row), f, fieldsThrough(PaymentField::Date));
        QString date = m_formatDates ? readDateField(fieldAt(f, PaymentField::Date)) : QString();
        return date.isEmpty() ? decoded(fieldAt(f, PaymentField::Date)) : date;
    }
    case Field::Payee:
    case Field::Category:
        RawReader::split(line(row), f, fieldsThrough(PaymentField::Category));
        return decoded(
            fieldAt(f, field == Field::Payee ? PaymentField::Payee : PaymentField::Category));
    case Field::Amount:
    case Field::PlainAmount: {
        if (const auto yen = amount(row))
            return field == Field::Amount ? formatYenGrid(*yen) : formatPlain(*yen);
        RawReader::split(line(row), f, fieldsThrough(PaymentField::Amount));
        return decoded(fieldAt(f, PaymentField::Amount));
    }
    case Field::Memo:
        RawReader::split(line(row), f, fieldsThrough(PaymentField::Memo));
        return decoded(fieldAt(f, PaymentField::Memo));
    }
    return {};
}

ListedPayment PaymentTable::row(qsizetype i) const {
    return {text(i, Field::Date),   text(i, Field::Payee),       text(i, Field::Category),
            text(i, Field::Amount), text(i, Field::PlainAmount), text(i, Field::Memo)};
}

PaymentTable computeDataList(const QByteArray &payments) {
    return PaymentTable(payments, true);
}

PaymentTable computeDataList(const BookModel &book) {
    PaymentTable table(book.payments(), true);
    for (qint32 id = 0; id < book.nameCount(); ++id)
        table.m_names.append(book.name(id));
    return table;
}

DataListSorts::Press DataListSorts::press(int button) {
    // The list's columns: 0 回, 2 支払い, 3 費目, 5 一言日記 and 6 the plain amount.
    static constexpr Press kKeys[kButtons] = {
        {0, true, true}, {2, false, true}, {3, false, true}, {6, true, true}, {5, false, true}};
    if (button < 0 || button >= kButtons) return {};
    Press p = kKeys[button];
    p.ascending = m_nextAscending[button];
    m_nextAscending[button] = !p.ascending;
    return p;
}
