#include "records/recordfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unistd.h>

#include "records/cp932.h"
#include "records/rawrecords.h"

namespace {

const QString kBadTextTitle = QStringLiteral("保存できない文字");

std::string_view sv(QByteArrayView v) {
    return {v.data(), static_cast<size_t>(v.size())};
}
QString text(QByteArrayView v) {
    return cp932::decode(v);
}

FileResult ioError(const QString &path, const QString &why) {
    return FileResult::refused(
        QStringLiteral("ファイル書き込みエラー"),
        QStringLiteral("「%1」に書き込めませんでした。\n%2").arg(QFileInfo(path).fileName(), why));
}

// Text for a file must come back from it unchanged: no double quote inside a
// quoted field, no line break in a one-line field, only CP932 characters.
enum class Shape { Quoted, MultiLine };

std::optional<QByteArray> encodeText(const QString &s, Shape shape, FileResult *err) {
    if (shape == Shape::Quoted && s.contains(u'"')) {
        *err = FileResult::refused(
            kBadTextTitle,
            QStringLiteral(
                "ダブルクォーテーション（\"）は保存できません。別の文字に置き換えてください。"));
        return std::nullopt;
    }
    if (shape != Shape::MultiLine && (s.contains(u'\r') || s.contains(u'\n'))) {
        *err = FileResult::refused(
            kBadTextTitle, QStringLiteral("改行は保存できません。一行で入力してください。"));
        return std::nullopt;
    }
    QString bad;
    auto bytes = cp932::encode(s, &bad);
    if (!bytes)
        *err = FileResult::refused(
            kBadTextTitle,
            QStringLiteral("「%1」は保存できない文字です。別の文字に置き換えてください。")
                .arg(bad));
    return bytes;
}

// Collects the fields of one new record; the first refusal sticks.
class LineBuilder {
public:
    LineBuilder &text(const QString &s) {
        sep();
        if (auto b = encodeText(s, Shape::Quoted, &m_err)) appendQuoted(m_line, *b);
        return *this;
    }
    LineBuilder &number(Yen v) {
        sep();
        appendNumber(m_line, v);
        return *this;
    }
    std::optional<QByteArray> finish() {
        if (!m_err.ok()) return std::nullopt;
        endLine(m_line);
        return m_line;
    }
    const FileResult &error() const { return m_err; }

private:
    void sep() {
        if (m_fields++) m_line.append(',');
    }
    QByteArray m_line;
    FileResult m_err;
    int m_fields = 0;
};

// A record copied by a rewrite: text fields as the bytes read, the amount as
// the whole number read. Written straight into the buffer: a rewrite copies
// every line of the book.
void appendCopied(QByteArray &out, const RawFields &f, int fieldCount, int amountIndex) {
    char digits[24];
    qsizetype digitCount = 0;
    qsizetype size = fieldCount - 1 + 2; // commas and CR LF
    for (int i = 0; i < fieldCount; ++i) {
        if (i == amountIndex) {
            const auto r =
                std::to_chars(digits, digits + sizeof digits, parseAmountField(fieldAt(f, i)));
            digitCount = r.ptr - digits;
            size += digitCount;
        } else {
            size += fieldAt(f, i).size() + 2;
        }
    }
    const qsizetype at = out.size();
    out.resize(at + size);
    char *p = out.data() + at;
    for (int i = 0; i < fieldCount; ++i) {
        if (i) *p++ = ',';
        if (i == amountIndex) {
            std::memcpy(p, digits, static_cast<size_t>(digitCount));
            p += digitCount;
        } else {
            const QByteArrayView field = fieldAt(f, i);
            *p++ = '"';
            if (!field.isEmpty()) std::memcpy(p, field.data(), static_cast<size_t>(field.size()));
            p += field.size();
            *p++ = '"';
        }
    }
    *p++ = '\r';
    *p = '\n';
}

// A master name stands bare on its line unless the reader would split or trim it.
void appendMasterLine(QByteArray &out, QByteArrayView name) {
    const bool quote = name.isEmpty() || name.contains(',') || name.front() == ' ' ||
                       name.back() == ' ' || name.front() == '\t' || name.back() == '\t';
    if (quote)
        appendQuoted(out, name);
    else
        out.append(name);
    endLine(out);
}

bool writeAll(QIODevice &dev, const QByteArray &bytes) {
    return dev.write(bytes) == bytes.size();
}

// Whole-file writes go to a temporary beside the file that then replaces it
// in one rename: a crash leaves the old or the new file, never neither.
FileResult replaceAtomically(const QString &path, const QByteArray &content) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return ioError(path, f.errorString());
    if (!writeAll(f, content) || !f.commit()) return ioError(path, f.errorString());
    return {};
}

// The rewrites of the record files go through their named temporary.
FileResult rewriteThrough(const QString &real, const QString &temp, const QByteArray &content) {
    {
        QFile f(temp);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return ioError(temp, f.errorString());
        if (!writeAll(f, content) || !f.flush() || ::fsync(f.handle()) != 0) {
            f.close();
            QFile::remove(temp);
            return ioError(temp, f.errorString());
        }
    }
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(real).constData()) !=
        0) {
        QFile::remove(temp);
        return ioError(real, QString::fromLocal8Bit(strerror(errno)));
    }
    return {};
}

FileResult appendLine(const QString &path, const QByteArray &line) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append)) return ioError(path, f.errorString());
    QByteArray bytes = line;
    // A last line without its CR LF would otherwise swallow the new one.
    if (f.size() > 0) {
        f.seek(f.size() - 1);
        char last = 0;
        if (f.getChar(&last) && last != '\n') bytes.prepend("\r\n", 2);
    }
    if (!writeAll(f, bytes) || !f.flush()) return ioError(path, f.errorString());
    return {};
}

FileResult insertLine(const Book &book, const QString &name, const QString &temp,
                      const QByteArray &line, const QString &date, const QString &lastDate,
                      int fieldCount, int amountIndex) {
    const QString real = book.pathOf(name);
    if (!(lastDate > date)) return appendLine(real, line);
    const QByteArray content = readFileBytes(real);
    const QByteArray dateBytes = date.toLatin1();
    QByteArray out;
    out.reserve(content.size() + line.size() + 64);
    bool written = false;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        if (!written && sv(fieldAt(f, 0)) > sv(dateBytes)) {
            out.append(line);
            written = true;
        }
        appendCopied(out, f, fieldCount, amountIndex);
    }
    if (!written) out.append(line);
    return rewriteThrough(real, book.pathOf(temp), out);
}

std::optional<QByteArray> paymentLine(const PaymentRecord &r, FileResult *err) {
    LineBuilder b;
    b.text(r.date).text(r.payee).text(r.category).number(r.amount).text(r.memo).text(r.reserved);
    auto line = b.finish();
    if (!line) *err = b.error();
    return line;
}

std::optional<QByteArray> incomeLine(const IncomeRecord &r, FileResult *err) {
    LineBuilder b;
    b.text(r.date).text(r.reason).number(r.amount);
    auto line = b.finish();
    if (!line) *err = b.error();
    return line;
}

// Views into the content: it must outlive the fields.
RawFields firstRecord(const QByteArray &content) {
    RawFields f;
    RawReader(content).next(f);
    return f;
}
RawFields firstRecord(QByteArray &&) = delete;

QString renameTempOf(const QString &master) {
    return master == bookfile::payees ? bookfile::payeesRename : bookfile::categoriesRename;
}

} // namespace

FileResult checkFieldTexts(const QStringList &texts) {
    FileResult err;
    for (const QString &t : texts)
        if (!encodeText(t, Shape::Quoted, &err)) return err;
    return {};
}

// --- Reading ---

QList<PaymentRecord> readPayments(const Book &book, const QString &name) {
    const QByteArray content = readFileBytes(book.pathOf(name));
    QList<PaymentRecord> out;
    out.reserve(content.size() / 48);
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        out.append({text(fieldAt(f, 0)), text(fieldAt(f, 1)), text(fieldAt(f, 2)),
                    parseAmountField(fieldAt(f, 3)), text(fieldAt(f, 4)), text(fieldAt(f, 5))});
    return out;
}

std::optional<PaymentRecord> readFirstPayment(const Book &book) {
    QFile file(book.pathOf(bookfile::payments));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    RawFields f;
    // Only the first record is needed; read lines until one holds a record.
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (RawReader(line).next(f))
            return PaymentRecord{text(fieldAt(f, 0)), text(fieldAt(f, 1)),
                                 text(fieldAt(f, 2)), parseAmountField(fieldAt(f, 3)),
                                 text(fieldAt(f, 4)), text(fieldAt(f, 5))};
    }
    return std::nullopt;
}

QList<IncomeRecord> readIncomes(const Book &book) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::incomes));
    QList<IncomeRecord> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        out.append({text(fieldAt(f, 0)), text(fieldAt(f, 1)), parseAmountField(fieldAt(f, 2))});
    return out;
}

QStringList readMaster(const Book &book, const QString &name) {
    const QByteArray content = readFileBytes(book.pathOf(name));
    QStringList out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        for (QByteArrayView field : f)
            out.append(text(field));
    return out;
}

QList<AssociationRecord> readAssociations(const Book &book) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::associations));
    QList<AssociationRecord> out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        out.append({text(fieldAt(f, 0)), text(fieldAt(f, 1))});
    return out;
}

std::optional<QString> categoryOfPayee(const Book &book, const QString &payee) {
    const auto key = cp932::encode(payee);
    if (!key) return std::nullopt;
    const QByteArray content = readFileBytes(book.pathOf(bookfile::associations));
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        if (sv(fieldAt(f, 0)) == sv(*key)) return text(fieldAt(f, 1));
    return std::nullopt;
}

int readHelpFlag(const Book &book) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::settings));
    return static_cast<int>(parseAmountField(fieldAt(firstRecord(content), 1)));
}

QString readUserName(const Book &book) {
    const QByteArray content = readFileBytes(book.pathOf(bookfile::userName));
    return text(fieldAt(firstRecord(content), 1));
}

QString readNotes(const Book &book) {
    const QString all = cp932::decode(readFileBytes(book.pathOf(bookfile::notes)));
    QString out;
    out.reserve(all.size() + 2);
    qsizetype i = 0;
    while (i < all.size()) {
        qsizetype e = i;
        while (e < all.size() && all.at(e) != u'\r' && all.at(e) != u'\n')
            ++e;
        out += QStringView(all).mid(i, e - i);
        out += QStringLiteral("\r\n");
        i = e;
        if (i < all.size() && all.at(i++) == u'\r' && i < all.size() && all.at(i) == u'\n') ++i;
    }
    out.chop(out.isEmpty() ? 0 : 2);
    return out;
}

// --- Writing ---

FileResult insertPayment(const Book &book, const PaymentRecord &rec, const QString &lastDate,
                         const QString &name, const QString &temp) {
    FileResult err;
    const auto line = paymentLine(rec, &err);
    if (!line) return err;
    return insertLine(book, name, temp, *line, rec.date, lastDate, 6, 3);
}

FileResult insertIncome(const Book &book, const IncomeRecord &rec, const QString &lastDate) {
    FileResult err;
    const auto line = incomeLine(rec, &err);
    if (!line) return err;
    return insertLine(book, bookfile::incomes, bookfile::incomesCopy, *line, rec.date, lastDate, 3,
                      2);
}

FileResult overwritePayments(const Book &book, const QList<PaymentRecord> &records) {
    QByteArray out;
    FileResult err;
    for (const PaymentRecord &r : records) {
        const auto line = paymentLine(r, &err);
        if (!line) return err;
        out.append(*line);
    }
    return replaceAtomically(book.pathOf(bookfile::payments), out);
}

FileResult overwriteIncomes(const Book &book, const QList<IncomeRecord> &records) {
    QByteArray out;
    FileResult err;
    for (const IncomeRecord &r : records) {
        const auto line = incomeLine(r, &err);
        if (!line) return err;
        out.append(*line);
    }
    return replaceAtomically(book.pathOf(bookfile::incomes), out);
}

FileResult appendMasterName(const Book &book, const QString &name, const QString &master) {
    FileResult err;
    const auto bytes = encodeText(name, Shape::Quoted, &err);
    if (!bytes) return err;
    QByteArray line;
    appendMasterLine(line, *bytes);
    return appendLine(book.pathOf(master), line);
}

FileResult overwriteMaster(const Book &book, const QString &master, const QStringList &names) {
    QByteArray out;
    FileResult err;
    for (const QString &name : names) {
        const auto bytes = encodeText(name, Shape::Quoted, &err);
        if (!bytes) return err;
        appendMasterLine(out, *bytes);
    }
    return replaceAtomically(book.pathOf(master), out);
}

FileResult renameInPayments(const Book &book, PaymentField field, const QString &oldName,
                            const QString &newName) {
    FileResult err;
    const auto oldBytes = encodeText(oldName, Shape::Quoted, &err);
    const auto newBytes = oldBytes ? encodeText(newName, Shape::Quoted, &err) : std::nullopt;
    if (!newBytes) return err;
    const QString real = book.pathOf(bookfile::payments);
    const QByteArray content = readFileBytes(real);
    const int index = field == PaymentField::Payee ? 1 : 2;
    QByteArray out;
    out.reserve(content.size() + 1024);
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        f.resize(std::max<qsizetype>(f.size(), 6));
        if (sv(f[index]) == sv(*oldBytes)) f[index] = *newBytes;
        appendCopied(out, f, 6, 3);
    }
    return rewriteThrough(real, book.pathOf(bookfile::paymentsRename), out);
}

FileResult renameInMaster(const Book &book, const QString &master, const QString &oldName,
                          const QString &newName) {
    FileResult err;
    const auto oldBytes = encodeText(oldName, Shape::Quoted, &err);
    const auto newBytes = oldBytes ? encodeText(newName, Shape::Quoted, &err) : std::nullopt;
    if (!newBytes) return err;
    const QString real = book.pathOf(master);
    const QByteArray content = readFileBytes(real);
    QByteArray out;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f))
        for (QByteArrayView name : f)
            appendMasterLine(out, sv(name) == sv(*oldBytes) ? QByteArrayView(*newBytes) : name);
    return rewriteThrough(real, book.pathOf(renameTempOf(master)), out);
}

FileResult saveAssociation(const Book &book, const QString &payee, const QString &category) {
    LineBuilder b;
    b.text(payee).text(category);
    const auto line = b.finish();
    if (!line) return b.error();
    const auto key = cp932::encode(payee);
    const QString real = book.pathOf(bookfile::associations);
    const QByteArray content = readFileBytes(real);
    QByteArray out;
    out.reserve(content.size() + line->size());
    bool found = false;
    RawReader reader(content);
    RawFields f;
    while (reader.next(f)) {
        if (sv(fieldAt(f, 0)) == sv(*key)) {
            out.append(*line);
            found = true;
        } else {
            appendCopied(out, f, 2, -1);
        }
    }
    if (!found) out.append(*line);
    return rewriteThrough(real, book.pathOf(bookfile::associationsCopy), out);
}

FileResult writeHelpFlag(const Book &book, int flag) {
    LineBuilder b;
    b.text(QStringLiteral("ヘルプツアー")).number(flag);
    return replaceAtomically(book.pathOf(bookfile::settings), *b.finish());
}

FileResult writeNotes(const Book &book, const QString &notesText) {
    QString crlf = notesText;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    FileResult err;
    auto bytes = encodeText(crlf, Shape::MultiLine, &err);
    if (!bytes) return err;
    endLine(*bytes);
    return replaceAtomically(book.pathOf(bookfile::notes), *bytes);
}

FileResult writeUserName(const Book &book, const QString &name) {
    LineBuilder b;
    b.text(QStringLiteral("氏名")).text(name);
    const auto line = b.finish();
    if (!line) return b.error();
    return replaceAtomically(book.pathOf(bookfile::userName), *line);
}

FileResult truncateFile(const Book &book, const QString &name) {
    return replaceAtomically(book.pathOf(name), {});
}

FileResult deleteFile(const Book &book, const QString &name) {
    const QString path = book.pathOf(name);
    if (QFile::exists(path) && !QFile::remove(path))
        return ioError(path, QStringLiteral("削除できません"));
    return {};
}

FileResult copyFile(const Book &book, const QString &from, const QString &to) {
    return replaceAtomically(book.pathOf(to), readFileBytes(book.pathOf(from)));
}
