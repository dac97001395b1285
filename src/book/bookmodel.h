#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "records/fileops.h"
#include "records/money.h"

// データ.txt and 入金.txt as the program holds them between events: the bytes
// as last read or written, and every record line decoded once into a compact
// record. Texts that are shown only now and then (a memo, a reason) stay in
// the line bytes and are decoded when asked for; payees and categories are
// decoded once per distinct name. Records keep their file order, which the
// computations rely on exactly as they did on the files.

// A record whose date field is no yyyy/mm/dd date of a real day.
inline constexpr qint32 kNoDay = std::numeric_limits<qint32>::min();

struct HeldLine {
    qsizetype start = 0; // where the line begins in the file's bytes
    qint32 size = 0;     // without its line end
    qint32 day = kNoDay; // day number (QDate's Julian day) of the date field
};

struct HeldPayment : HeldLine {
    qint32 payee = 0;    // id into BookModel::name()
    qint32 category = 0; // id into BookModel::name()
    Yen amount = 0;      // parseAmountField
};

struct HeldIncome : HeldLine {
    Yen amount = 0;
};

// One record file: its bytes and its record lines.
template <typename Record> class HeldFile {
public:
    const QByteArray &bytes() const { return m_bytes; }
    const QList<Record> &records() const { return m_records; }
    qsizetype size() const { return m_records.size(); }
    bool isEmpty() const { return m_records.isEmpty(); }
    QByteArrayView line(qsizetype i) const {
        const Record &r = m_records.at(i);
        return QByteArrayView(m_bytes.constData() + r.start, r.size);
    }
    // The date field of a record as stored, decoded.
    QString dateText(qsizetype i) const;
    // Where a line dated date (yyyy/mm/dd) goes, as placeByReading finds it:
    // from the records' days, with only the lines of no date read again.
    // Nothing when date names no day.
    std::optional<LinePlace> placeOfDate(QByteArrayView date) const;
    // Why a rewrite must not start from these bytes (the file could not be
    // read whole, or holds text CP932 cannot hold), if it must not.
    FileResult rewriteRefusal() const { return m_read.rewriteRefusal(); }
    // The bytes with how they were read, as a rewrite starts from them.
    FileContent content() const {
        FileContent c = m_read;
        c.bytes = m_bytes;
        return c;
    }

private:
    friend class BookModel;
    QByteArray m_bytes;
    FileContent m_read; // how the bytes were read, without them
    QList<Record> m_records;
};

class BookModel {
public:
    BookModel() = default;
    // What a core test hands in: the contents of データ.txt and 入金.txt.
    static BookModel fromBytes(QByteArray payments, QByteArray incomes = {});

    const HeldFile<HeldPayment> &payments() const { return m_payments; }
    const HeldFile<HeldIncome> &incomes() const { return m_incomes; }
    const QString &name(qint32 id) const { return m_names.at(id); }
    qsizetype nameCount() const { return m_names.size(); }

    // Replaces a file's records with those of new bytes.
    void setPayments(QByteArray bytes, FileContent howRead = {});
    void setIncomes(QByteArray bytes, FileContent howRead = {});
    // Adds the records of bytes appended at the end of the file (the program's
    // own append): only the new lines are decoded.
    void appendPayments(QByteArrayView bytes);
    // Takes the new content of a payments file after a rewrite of the program's own:
    // the lines before and after the part that differs keep their records (the
    // later ones moved), and only the lines in between are decoded.
    void rewritePayments(QByteArray bytes);

    // Derived from the records, never from what a page drew.
    QString firstPayDate() const; // date of the first payment record, "" when none
    QString lastPayDate() const;  // date of the last payment record, "" when none
    QString lastIncomeDate() const;

private:
    qint32 nameId(QByteArrayView bytes);
    void addPaymentLines(qsizetype from, qsizetype to, QList<HeldPayment> &out);

    HeldFile<HeldPayment> m_payments;
    HeldFile<HeldIncome> m_incomes;
    QStringList m_names;
    // The bytes of each name, and the ids by them: the views point into the
    // bytes kept here, so a lookup of a field allocates nothing.
    QList<QByteArray> m_nameBytes;
    std::unordered_map<std::string_view, qint32> m_nameIds;
};

// The payee or category field of a payment, as its id.
enum class NameField { Payee, Category };
inline qint32 nameOf(const HeldPayment &p, NameField f) {
    return f == NameField::Payee ? p.payee : p.category;
}
