#include "book/reflection.h"

#include <algorithm>
#include <limits>

#include "records/dates.h"

QStringList computeReflectionMonths(const QByteArray &payments, QDate today) {
    return computeReflectionMonths(BookModel::fromBytes(payments), today);
}

QStringList computeReflectionMonths(const BookModel &book, QDate today) {
    QStringList months;
    const QList<HeldPayment> &records = book.payments().records();
    const auto first = std::find_if(records.begin(), records.end(),
                                    [](const HeldPayment &p) { return p.day != kNoDay; });
    if (first == records.end()) return months;
    const QDate day = QDate::fromJulianDay(first->day);
    for (QDate m(day.year(), day.month(), 1); m <= today; m = m.addMonths(1))
        months.append(dateText(m).left(7));
    return months;
}

namespace {
// A month given in some other form than yyyy/mm: compared as text, month by
// month, as the dates read.
QList<ReflectionRow> computeMonthPaymentsByText(const HeldFile<HeldPayment> &payments,
                                                const QString &month, const BookModel &book) {
    QList<ReflectionRow> rows;
    qint32 lastDay = kNoDay;
    QString date, monthOfDay;
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const HeldPayment &p = payments.records().at(i);
        if (p.day == kNoDay) continue;
        if (p.day != lastDay) {
            lastDay = p.day;
            date = dateText(QDate::fromJulianDay(p.day));
            monthOfDay = date.left(7);
        }
        if (monthOfDay > month) break;
        if (monthOfDay != month) continue;
        rows.append({date, book.name(p.payee), book.name(p.category), p.amount});
    }
    return rows;
}
} // namespace

QList<ReflectionRow> computeMonthPayments(const QByteArray &payments, const QString &month) {
    return computeMonthPayments(BookModel::fromBytes(payments), month);
}

QList<ReflectionRow> computeMonthPayments(const BookModel &book, const QString &month) {
    QList<ReflectionRow> rows;
    const HeldFile<HeldPayment> &payments = book.payments();
    // "yyyy/mm" compares as the days it spans: by day number, without a text
    // for each day passed over. Any other month text matches no date.
    const QDate first = parseDateText(month + QStringLiteral("/01"));
    if (!first.isValid()) return computeMonthPaymentsByText(payments, month, book);
    const qint64 from = first.toJulianDay(), to = first.addMonths(1).toJulianDay();
    qint32 lastDay = kNoDay;
    QString date;
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const HeldPayment &p = payments.records().at(i);
        if (p.day == kNoDay) continue;
        if (p.day >= to) break; // the book is in date order: later months follow
        if (p.day < from) continue;
        if (p.day != lastDay) { // records come in runs of one date
            lastDay = p.day;
            date = dateText(QDate::fromJulianDay(p.day));
        }
        rows.append({date, book.name(p.payee), book.name(p.category), p.amount});
    }
    return rows;
}

ReflectionMarks::ReflectionMarks(QList<Yen> amounts)
    : m_amounts(std::move(amounts)), m_marked(m_amounts.size(), false) {}

bool ReflectionMarks::toggle(qsizetype row) {
    if (row < 0 || row >= m_amounts.size()) return false;
    m_marked[row] = !m_marked.at(row);
    const Yen amount = m_amounts.at(row);
    m_total += m_marked.at(row) ? Wide(amount) : -Wide(amount);
    return true;
}

Yen ReflectionMarks::total() const {
    return static_cast<Yen>(std::clamp<Wide>(m_total, std::numeric_limits<Yen>::min(),
                                             std::numeric_limits<Yen>::max()));
}
