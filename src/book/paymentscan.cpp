#include "book/paymentscan.h"

#include <string_view>
#include <unordered_map>

#include "records/cp932.h"
#include "records/rawrecords.h"

namespace {
std::string_view sv(QByteArrayView v) {
    return {v.data(), static_cast<size_t>(v.size())};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Records come in runs of one date: the last date read is remembered.
class DateReader {
public:
    std::optional<qint64> read(QByteArrayView date) {
        if (m_valid && sv(date) == sv(m_last)) return m_day;
        m_last = date;
        const auto day = dayNumberOf(date);
        m_valid = day.has_value();
        m_day = day.value_or(0);
        return day;
    }

private:
    QByteArrayView m_last;
    bool m_valid = false;
    qint64 m_day = 0;
};

// Names decoded once; the map keys are views into the scanned bytes.
class NameTable {
public:
    explicit NameTable(QStringList &names) : m_names(names) {}
    int id(QByteArrayView bytes) {
        // A name often repeats the one before it (a category over a run of records).
        if (m_lastId >= 0 && sv(bytes) == sv(m_last)) return m_lastId;
        m_last = bytes;
        m_lastId = lookUp(bytes);
        return m_lastId;
    }

private:
    int lookUp(QByteArrayView bytes) {
        const auto [it, added] = m_ids.try_emplace(sv(bytes), static_cast<int>(m_names.size()));
        if (added) m_names.append(cp932::decode(bytes));
        return it->second;
    }

    QByteArrayView m_last;
    int m_lastId = -1;
    QStringList &m_names;
    std::unordered_map<std::string_view, int> m_ids;
};
} // namespace

std::optional<qint64> dayNumberOf(QByteArrayView d) {
    if (d.size() != 10 || d[4] != '/' || d[7] != '/') return std::nullopt;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(d[i])) return std::nullopt;
    auto num = [&](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i)
            v = v * 10 + (d[i] - '0');
        return v;
    };
    const QDate date(num(0, 4), num(5, 2), num(8, 2));
    if (!date.isValid()) return std::nullopt;
    return date.toJulianDay();
}

int weekdayOf(qint64 day) {
    // Day number 0 was a Monday.
    return static_cast<int>(((day % 7) + 8) % 7);
}

QString weekdayLetter(int sundayFirst) {
    static const QString letters = QStringLiteral("日月火水木金土");
    return sundayFirst >= 0 && sundayFirst < 7 ? QString(letters.at(sundayFirst)) : QString();
}

PaymentScan scanPayments(const QByteArray &content) {
    PaymentScan scan;
    scan.records.reserve(content.size() / 32); // a record line is rarely shorter
    NameTable payees(scan.names), categories(scan.names);
    DateReader dates;
    RawReader reader(content);
    RawFields f;
    using F = PaymentField;
    while (reader.next(f, fieldsThrough(F::Amount))) {
        const auto day = dates.read(fieldAt(f, F::Date));
        if (!day) continue;
        const Yen amount = parseAmountField(fieldAt(f, F::Amount));
        scan.records.append({*day, fieldAt(f, F::Date), amount, payees.id(fieldAt(f, F::Payee)),
                             categories.id(fieldAt(f, F::Category))});
    }
    return scan;
}

QList<qint64> scanIncomeDays(const QByteArray &content) {
    QList<qint64> days;
    DateReader dates;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f, fieldsThrough(IncomeField::Amount))) {
        const auto day = dates.read(fieldAt(f, IncomeField::Date));
        if (day) days.append(*day);
    }
    return days;
}

BookSpan bookSpan(const QList<qint64> &incomeDays, const PaymentScan &payments) {
    if (payments.records.isEmpty()) return {};
    BookSpan span{payments.records.first().day, payments.records.last().day};
    if (!incomeDays.isEmpty()) span.first = std::min(span.first, incomeDays.first());
    return span;
}

int monthNumberOf(qint64 day) {
    const QDate d = QDate::fromJulianDay(day);
    return d.year() * 12 + d.month() - 1;
}

qint64 firstDayOfMonth(int monthNumber) {
    return QDate(monthNumber / 12, monthNumber % 12 + 1, 1).toJulianDay();
}
