#include "book/bookmodel.h"

#include <algorithm>
#include <cstring>

#include "book/datefield.h"
#include "records/cp932.h"
#include "records/rawrecords.h"

namespace {
// Records come in runs of one date: the last date read is remembered.
class DayReader {
public:
    qint32 read(QByteArrayView date) {
        if (date == m_last && m_known) return m_day;
        m_last = date;
        m_known = true;
        const QDate d = dateOfField(date);
        m_day = d.isValid() ? static_cast<qint32>(d.toJulianDay()) : kNoDay;
        return m_day;
    }

private:
    QByteArrayView m_last;
    bool m_known = false;
    qint32 m_day = kNoDay;
};

template <typename Record> void setLine(Record &r, const QByteArray &bytes, QByteArrayView line) {
    r.start = line.data() - bytes.constData();
    r.size = static_cast<qint32>(line.size());
}
} // namespace

template <typename Record> QString HeldFile<Record>::dateText(qsizetype i) const {
    RawFields f;
    RawReader::split(line(i), f, kDateField + 1);
    return cp932::decode(fieldAt(f, kDateField));
}
namespace {
// Whether bytes from..to are blank lines ended by CR LF, or nothing.
bool onlyCrLfs(const QByteArray &bytes, qsizetype from, qsizetype to) {
    if ((to - from) % 2 != 0) return false;
    for (qsizetype i = from; i < to; i += 2)
        if (bytes[i] != '\r' || bytes[i + 1] != '\n') return false;
    return true;
}
} // namespace

template <typename Record>
std::optional<LinePlace> HeldFile<Record>::placeOfDate(QByteArrayView date) const {
    const QDate d = dateOfField(date);
    if (!d.isValid()) return std::nullopt;
    const auto day = static_cast<qint32>(d.toJulianDay());
    // A record with a day has a yyyy/mm/dd field, which compares as bytes
    // exactly as its day does; a field of no day is compared as bytes.
    const auto later = [&](const Record &r, qsizetype i) {
        if (r.day != kNoDay) return r.day > day;
        RawFields f;
        RawReader::split(line(i), f, kDateField + 1);
        return byteString(fieldAt(f, kDateField)) > byteString(date);
    };
    LinePlace place{m_bytes.size(), true};
    bool found = false;
    // Every LF after a CR and every CR before an LF: a record's line holds
    // neither, so only its line end and the blank lines between are looked at.
    qsizetype next = 0; // where the line after the last record begins
    const qsizetype n = m_bytes.size();
    for (qsizetype i = 0; i < m_records.size(); ++i) {
        const Record &r = m_records.at(i);
        if (!found && later(r, i)) {
            place.offset = r.start;
            found = true;
        }
        if (place.everyLineEndsCrLf) {
            const qsizetype end = r.start + r.size;
            place.everyLineEndsCrLf = onlyCrLfs(m_bytes, next, r.start) && end + 1 < n &&
                                      m_bytes[end] == '\r' && m_bytes[end + 1] == '\n';
            next = end + 2;
        }
        if (found && !place.everyLineEndsCrLf) break;
    }
    if (place.everyLineEndsCrLf) place.everyLineEndsCrLf = onlyCrLfs(m_bytes, next, n);
    return place;
}

template class HeldFile<HeldPayment>;
template class HeldFile<HeldIncome>;

BookModel BookModel::fromBytes(QByteArray payments, QByteArray incomes) {
    BookModel m;
    m.setPayments(std::move(payments));
    m.setIncomes(std::move(incomes));
    return m;
}

qint32 BookModel::nameId(QByteArrayView bytes) {
    const std::string_view key(bytes.data(), static_cast<size_t>(bytes.size()));
    if (const auto it = m_nameIds.find(key); it != m_nameIds.end()) return it->second;
    const auto id = static_cast<qint32>(m_names.size());
    m_names.append(cp932::decode(bytes));
    m_nameBytes.append(bytes.toByteArray());
    const QByteArray &kept = m_nameBytes.last();
    m_nameIds.emplace(std::string_view(kept.constData(), static_cast<size_t>(kept.size())), id);
    return id;
}

void BookModel::setPayments(QByteArray bytes, FileContent howRead) {
    m_payments.m_bytes = std::move(bytes);
    m_payments.m_read = std::move(howRead);
    m_payments.m_read.bytes.clear();
    m_payments.m_records.clear();
    m_payments.m_records.reserve(m_payments.m_bytes.size() / 40 + 1);
    m_names.clear();
    m_nameIds.clear();
    m_nameBytes.clear();
    addPaymentLines(0, m_payments.m_bytes.size(), m_payments.m_records);
}

void BookModel::appendPayments(QByteArrayView bytes) {
    const qsizetype from = m_payments.m_bytes.size();
    m_payments.m_bytes.append(bytes);
    addPaymentLines(from, m_payments.m_bytes.size(), m_payments.m_records);
}

namespace {
bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}
} // namespace

namespace {
constexpr qsizetype kBlock = 4096;

// How many bytes a and b share from their starts, up to n: block by block
// with memcmp, a few megabytes in well under a millisecond.
qsizetype sharedFront(const char *a, const char *b, qsizetype n) {
    qsizetype at = 0;
    while (n - at >= kBlock && std::memcmp(a + at, b + at, kBlock) == 0)
        at += kBlock;
    while (at < n && a[at] == b[at])
        ++at;
    return at;
}

// How many bytes a and b share back from their ends (a and b point one past
// them), up to n.
qsizetype sharedBack(const char *aEnd, const char *bEnd, qsizetype n) {
    qsizetype at = 0;
    while (n - at >= kBlock && std::memcmp(aEnd - at - kBlock, bEnd - at - kBlock, kBlock) == 0)
        at += kBlock;
    while (at < n && aEnd[-1 - at] == bEnd[-1 - at])
        ++at;
    return at;
}
} // namespace

void BookModel::rewritePayments(QByteArray bytes) {
    const QByteArray &old = m_payments.m_bytes;
    const qsizetype shorter = std::min(old.size(), bytes.size());
    // The same bytes in front, taken back to the start of a line.
    qsizetype front = sharedFront(old.constData(), bytes.constData(), shorter);
    while (front > 0 && !isLineEnd(old[front - 1]))
        --front;
    // The same bytes behind, not reaching into the front, taken on to the start of a line.
    qsizetype back =
        sharedBack(old.constData() + old.size(), bytes.constData() + bytes.size(), shorter - front);
    const auto lineStartsAt = [](const QByteArray &b, qsizetype at) {
        return at == 0 || isLineEnd(b[at - 1]);
    };
    while (back > 0 &&
           !(lineStartsAt(old, old.size() - back) && lineStartsAt(bytes, bytes.size() - back)))
        --back;
    const qsizetype oldEnd = old.size() - back, newEnd = bytes.size() - back;
    const qsizetype shift = bytes.size() - old.size();

    QList<HeldPayment> &records = m_payments.m_records;
    // Records are in file order: their starts rise.
    const auto startsBefore = [](qsizetype at) {
        return [at](const HeldPayment &p) { return p.start < at; };
    };
    const auto first = std::partition_point(records.begin(), records.end(), startsBefore(front));
    const auto last = std::partition_point(first, records.end(), startsBefore(oldEnd));
    const qsizetype at = first - records.begin();
    for (auto it = last; it != records.end(); ++it)
        it->start += shift;
    QList<HeldPayment> middle;
    m_payments.m_bytes = std::move(bytes);
    m_payments.m_read = {};
    addPaymentLines(front, newEnd, middle);
    records.erase(records.begin() + at, records.begin() + (last - records.begin()));
    records.insert(at, middle.size(), HeldPayment());
    std::copy(middle.cbegin(), middle.cend(), records.begin() + at);
}

void BookModel::addPaymentLines(qsizetype from, qsizetype to, QList<HeldPayment> &out) {
    using F = PaymentField;
    const QByteArray &bytes = m_payments.m_bytes;
    RawReader reader(QByteArrayView(bytes).sliced(from, to - from));
    RawFields f;
    DayReader days;
    QByteArrayView line, lastPayee, lastCategory;
    qint32 payee = -1, category = -1;
    while (reader.nextLine(&line)) {
        RawReader::split(line, f, fieldsThrough(F::Amount));
        HeldPayment p;
        setLine(p, bytes, line);
        p.day = days.read(fieldAt(f, F::Date));
        // A name often repeats the one before it (a category over a run of records).
        if (payee < 0 || fieldAt(f, F::Payee) != lastPayee) {
            lastPayee = fieldAt(f, F::Payee);
            payee = nameId(lastPayee);
        }
        if (category < 0 || fieldAt(f, F::Category) != lastCategory) {
            lastCategory = fieldAt(f, F::Category);
            category = nameId(lastCategory);
        }
        p.payee = payee;
        p.category = category;
        p.amount = parseAmountField(fieldAt(f, F::Amount));
        out.append(p);
    }
}

void BookModel::setIncomes(QByteArray bytes, FileContent howRead) {
    using F = IncomeField;
    m_incomes.m_bytes = std::move(bytes);
    m_incomes.m_read = std::move(howRead);
    m_incomes.m_read.bytes.clear();
    m_incomes.m_records.clear();
    RawReader reader(m_incomes.m_bytes);
    RawFields f;
    DayReader days;
    QByteArrayView line;
    while (reader.nextLine(&line)) {
        RawReader::split(line, f, fieldsThrough(F::Amount));
        HeldIncome r;
        setLine(r, m_incomes.m_bytes, line);
        r.day = days.read(fieldAt(f, F::Date));
        r.amount = parseAmountField(fieldAt(f, F::Amount));
        m_incomes.m_records.append(r);
    }
}

QString BookModel::firstPayDate() const {
    return m_payments.isEmpty() ? QString() : m_payments.dateText(0);
}

QString BookModel::lastPayDate() const {
    return m_payments.isEmpty() ? QString() : m_payments.dateText(m_payments.size() - 1);
}

QString BookModel::lastIncomeDate() const {
    return m_incomes.isEmpty() ? QString() : m_incomes.dateText(m_incomes.size() - 1);
}
