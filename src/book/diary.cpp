#include "book/diary.h"

#include <optional>

#include "records/cp932.h"
#include "records/lineformat.h"

namespace {
const QString kTitle = QStringLiteral("一言日記");

// A record is written back field by field only when its line is exactly the
// six fields the writers make ("…","…","…",n,"…","…") with a date and a
// number in their places: any other line would lose bytes on the way.
bool isReadableRecord(QByteArrayView line, const RawFields &f) {
    if (f.size() != 6 || line.size() < 2 || line.front() != '"' || line.back() != '"') return false;
    const char *at = line.data() + 1;
    for (int i = 0; i < 6; ++i) {
        if (f[i].data() != at) return false;
        // After a quoted field: '"', ',' and the next field's '"'; around the amount one less.
        at += f[i].size() + (i == 2 || i == 3 ? 2 : 3);
    }
    return at == line.data() + line.size() + 2 && isAmountField(f[3]) &&
           !readDateField(f[0]).isEmpty();
}
} // namespace

Diary::Diary(QByteArray payments) : m_table(payments, false), m_inFile(std::move(payments)) {}

Diary::Diary(const HeldFile<HeldPayment> &payments)
    : m_table(payments, false), m_inFile(payments.bytes()), m_refusal(payments.rewriteRefusal()) {}

QString Diary::text(qsizetype row, PaymentTable::Field field) const {
    if (field == PaymentTable::Field::Memo && !m_comments.isEmpty())
        if (const auto it = m_comments.constFind(row); it != m_comments.cend())
            return cp932::decode(*it);
    return m_table.text(row, field);
}

ListedPayment Diary::row(qsizetype i) const {
    ListedPayment r = m_table.row(i);
    r.memo = text(i, PaymentTable::Field::Memo);
    return r;
}

void Diary::appendRow(QByteArray &out, qsizetype i) const {
    RawFields f;
    const QByteArrayView line = m_table.line(i);
    RawReader::split(line, f);
    if (!isReadableRecord(line, f)) {
        out.append(line);
        endLine(out);
        return;
    }
    if (!m_comments.isEmpty())
        if (const auto it = m_comments.constFind(i); it != m_comments.cend()) f[4] = *it;
    f[5] = QByteArrayView();
    appendCopied(out, f, fieldIndex(PaymentField::Count), fieldIndex(PaymentField::Amount));
}

QByteArray Diary::content() const {
    QByteArray out;
    out.reserve(m_table.content().size() + m_table.size() * 2 + 256);
    for (qsizetype i = 0; i < m_table.size(); ++i)
        appendRow(out, i);
    return out;
}

QByteArray Diary::contentWithRow(qsizetype row, QList<qsizetype> *starts) const {
    // Once the diary has written the file, every row stands on one line as
    // written, and only the changed row is made anew.
    if (m_written.size() == size() + 1) {
        QByteArray line;
        appendRow(line, row);
        const qsizetype at = m_written.at(row), was = m_written.at(row + 1) - at;
        // Built in one pass: a copy of the file and a replace would move it twice.
        QByteArray out;
        out.reserve(m_inFile.size() - was + line.size());
        out.append(QByteArrayView(m_inFile).first(at));
        out.append(line);
        out.append(QByteArrayView(m_inFile).sliced(at + was));
        *starts = m_written;
        for (qsizetype i = row + 1; i < starts->size(); ++i)
            (*starts)[i] += line.size() - was;
        return out;
    }
    QByteArray out = content();
    // Each row's line ends with the only LF of it.
    starts->clear();
    starts->reserve(size() + 1);
    starts->append(0);
    for (qsizetype at = out.indexOf('\n'); at >= 0; at = out.indexOf('\n', at + 1))
        starts->append(at + 1);
    if (starts->size() != size() + 1) starts->clear();
    return out;
}

FileResult Diary::storeComment(const Book &book, const BookModel &now, qsizetype row,
                               const QString &comment) {
    return store(book, now.payments().bytes(), now.payments().rewriteRefusal(), row, comment);
}

FileResult Diary::storeComment(const Book &book, qsizetype row, const QString &comment) {
    const FileContent now = readFile(book.pathOf(bookfile::payments));
    return store(book, now.bytes, now.rewriteRefusal(), row, comment);
}

FileResult Diary::store(const Book &book, const QByteArray &now, const FileResult &nowRefusal,
                        qsizetype row, const QString &comment) {
    if (!m_refusal.ok()) return m_refusal;
    if (row < 0 || row >= size())
        return FileResult::refused(kTitle, QStringLiteral("一言日記を書く行を選んでください。"));
    if (FileResult bad = checkFieldTexts({comment}); !bad.ok()) return bad;
    RawFields f;
    RawReader::split(m_table.line(row), f);
    if (!isReadableRecord(m_table.line(row), f))
        return FileResult::refused(kTitle,
                                   QStringLiteral("この記録は読み取れない形で保存されているため、"
                                                  "一言日記を書き込めません。"));
    // A file with text CP932 cannot hold is refused as a correction refuses it.
    if (!nowRefusal.ok()) return nowRefusal;
    // The held bytes are the ones this diary wrote: the same block needs no comparing.
    const bool same = now.constData() == m_inFile.constData() && now.size() == m_inFile.size();
    if (!same && now != m_inFile)
        return FileResult::refused(
            QStringLiteral("データ変更"),
            QStringLiteral("このページを開いた後にデータ.txtが変更されました。"
                           "ページを開き直してから保存してください。"));
    const QByteArray bytes = cp932::encode(comment).value_or(QByteArray());
    const auto previous = m_comments.constFind(row) != m_comments.cend()
                              ? std::optional<QByteArray>(m_comments.value(row))
                              : std::nullopt;
    m_comments.insert(row, bytes);
    QList<qsizetype> starts;
    const QByteArray out = contentWithRow(row, &starts);
    const FileResult r = book.rewrite(bookfile::payments, out, bookfile::paymentsCopy);
    if (!r.ok()) {
        if (previous)
            m_comments.insert(row, *previous);
        else
            m_comments.remove(row);
        return r;
    }
    m_inFile = out;
    m_written = std::move(starts);
    return {};
}

Diary computeDiary(const BookModel &book) {
    return Diary(book.payments());
}

Diary computeDiary(const Book &book) {
    FileContent read = readFile(book.pathOf(bookfile::payments));
    Diary diary(read.bytes);
    diary.m_refusal = read.rewriteRefusal();
    return diary;
}
