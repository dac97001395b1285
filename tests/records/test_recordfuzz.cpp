// Random, truncated and mutated book files through every reader and every
// rewrite. A rewrite either fails and leaves the file byte for byte as it
// was, or succeeds and changes exactly what it meant to: no record is lost,
// none is changed that it did not name.
//
// The seed is fixed; MILTEA_FUZZ_SEED picks another, MILTEA_FUZZ_FILES the
// number of files (each goes through every reader and one rewrite).
// A failure prints the seed, the case and the file's bytes.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "book/balance.h"
#include "book/corrections.h"
#include "book/daylist.h"
#include "book/diary.h"
#include "book/monthsummary.h"
#include "records/cp932.h"
#include "records/rawrecords.h"
#include "records/recordfiles.h"

namespace {
const QString kData = QStringLiteral("データ.txt");
const QString kIncome = QStringLiteral("入金.txt");
const QString kPayees = QStringLiteral("支払いマスタ.txt");
const QString kAssoc = QStringLiteral("関連.TXT");

quint64 envNumber(const char *name, quint64 fallback) {
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

// Texts the generator builds fields from: plain, Japanese, blanks, commas,
// quotes, bytes that are no CP932, a lone lead byte.
const QList<QByteArray> &pieces() {
    static const QList<QByteArray> p = [] {
        QList<QByteArray> out{"", "A", "店", "食費", " ", "\t", ",", "\"", "Mc\"D", "a b", "0", "-",
                              "540", "2.5", ".", "\x80\xFF", "\x82", "\x81\x40",
                              // NEC's ≒ and Ⅰ, IBM's ⅰ and 纊: the same text as other bytes.
                              "\x87\x90", "\x87\x54", "\xFA\x40", "\xED\x40"};
        for (const char16_t *s :
             {u"八百屋", u"ｶﾞｿﾘﾝ", u"㈱ミルテ～①", u"2024/01/05", u"使途不明金"})
            out << cp932::encode(QString::fromUtf16(s)).value_or(QByteArray());
        return out;
    }();
    return p;
}

class Generator {
public:
    explicit Generator(quint64 seed) : m_rng(seed) {}
    int below(int n) { return static_cast<int>(m_rng.bounded(static_cast<quint32>(n))); }
    bool chance(int percent) { return below(100) < percent; }
    QRandomGenerator &rng() { return m_rng; }

    QByteArray text() {
        QByteArray t;
        for (int i = 0, n = below(3); i < n; ++i)
            t += pieces().at(below(pieces().size()));
        return t;
    }
    QByteArray date() {
        if (chance(10)) return text();
        return QByteArray("2024/0") + QByteArray::number(1 + below(3)) + "/" +
               QByteArray::number(10 + below(20));
    }
    QByteArray amount() {
        switch (below(6)) {
        case 0:
            return QByteArray::number(m_rng.generate64() >> below(64));
        case 1:
            return "-" + QByteArray::number(below(100000));
        case 2:
            return text();
        default:
            return QByteArray::number(below(100000));
        }
    }
    QByteArray field(const QByteArray &t) {
        return chance(75) ? "\"" + t + "\"" : (chance(30) ? " " : "") + t;
    }
    QByteArray lineEnd() {
        switch (below(10)) {
        case 0:
            return "\n";
        case 1:
            return "\r";
        default:
            return "\r\n";
        }
    }
    // Records of the given number of fields, the amount at amountAt.
    QByteArray records(int fields, int amountAt, bool dated) {
        QByteArray out;
        for (int r = 0, n = below(25); r < n; ++r) {
            const int count = chance(85) ? fields : below(fields + 3);
            QByteArray line;
            for (int f = 0; f < count; ++f) {
                if (f) line += ',';
                line += f == amountAt ? amount() : field(dated && f == 0 ? date() : text());
            }
            // A line that starts with the bytes of a byte-order mark.
            if (chance(3)) line.prepend(chance(50) ? "\xFF\xFE" : "\xEF\xBB\xBF");
            out += line + (chance(5) ? lineEnd() + "  " : QByteArray()) + lineEnd();
        }
        return out;
    }
    QByteArray masterLines() {
        QByteArray out;
        for (int r = 0, n = below(12); r < n; ++r)
            out += (chance(70) ? text() : field(text())) + lineEnd();
        return out;
    }
    // Cut short, bytes changed, or a byte-order mark in front.
    QByteArray damage(QByteArray bytes) {
        if (bytes.isEmpty()) return bytes;
        switch (below(8)) {
        case 0:
            bytes.truncate(below(bytes.size()));
            break;
        case 1:
        case 2:
            for (int i = 0, n = 1 + below(4); i < n; ++i) {
                const int at = below(bytes.size());
                const char any = static_cast<char>(below(256));
                const char special = "\",\r\n \t\x81\0"[below(8)];
                switch (below(3)) {
                case 0:
                    bytes[at] = chance(50) ? any : special;
                    break;
                case 1:
                    bytes.insert(at, chance(50) ? any : special);
                    break;
                default:
                    bytes.remove(at, 1);
                    break;
                }
                if (bytes.isEmpty()) break;
            }
            break;
        case 3:
            return byteOrderMarked(bytes);
        default:
            break;
        }
        return bytes;
    }

private:
    QByteArray byteOrderMarked(const QByteArray &cp932Bytes) {
        QString text = cp932::decode(cp932Bytes);
        if (chance(20)) text += QStringLiteral("é");
        switch (below(3)) {
        case 0:
            return "\xEF\xBB\xBF" + text.toUtf8();
        default: {
            const bool big = chance(50);
            QByteArray out = big ? "\xFE\xFF" : "\xFF\xFE";
            for (QChar c : text) {
                const char hi = static_cast<char>(c.unicode() >> 8);
                const char lo = static_cast<char>(c.unicode() & 0xFF);
                out += big ? hi : lo;
                out += big ? lo : hi;
            }
            return out;
        }
        }
    }
    QRandomGenerator m_rng;
};

// The book as the program holds it, loaded afresh.
BookModel held(const Book &book) {
    return BookModel::fromBytes(readFileBytes(book.pathOf(kData)),
                                readFileBytes(book.pathOf(kIncome)));
}

// The record lines of a file as its readers see them.
QList<QByteArray> recordLinesOf(const QByteArray &content) {
    QList<QByteArray> out;
    RawReader reader(content);
    QByteArrayView line;
    while (reader.nextLine(&line))
        out << line.toByteArray();
    return out;
}
} // namespace

class TestRecordFuzz : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir{QDir(QStringLiteral("/dev/shm")).exists()
                            ? QStringLiteral("/dev/shm/miltea-fuzz-XXXXXX")
                            : QDir::tempPath() + QStringLiteral("/miltea-fuzz-XXXXXX")};
    quint64 m_seed = 0;
    int m_case = 0;
    QByteArray m_original;
    qint64 m_operations = 0;
    qint64 m_written = 0; // rewrites that went through

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes) {
        QFile::remove(path(name));
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
        f.close();
        m_original = bytes;
        readAsEveryFile(name);
    }
    // Every reader over the same bytes: the file is linked under every name.
    void readAsEveryFile(const QString &name) {
        static const QStringList names{kData,
                                       kIncome,
                                       kPayees,
                                       kAssoc,
                                       QStringLiteral("設定.txt"),
                                       QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"),
                                       QStringLiteral("気付きメモ.txt")};
        const QByteArray target = QFile::encodeName(path(name));
        for (const QString &other : names)
            if (other != name) ::symlink(target.constData(), QFile::encodeName(path(other)));
        const Book book(m_dir.path());
        (void)readPayments(book);
        (void)readFirstPayment(book);
        (void)readIncomes(book);
        (void)readMaster(book, kPayees);
        (void)categoryOfPayee(book, QStringLiteral("店"));
        (void)readHelpFlag(book);
        (void)readUserName(book);
        (void)readNotes(book);
        (void)computeDayList(held(book), QStringLiteral("2024/01/15"));
        (void)recordsBalance(held(book));
        (void)computeMonth(held(book), QDate(2024, 1, 15));
        m_operations += 11;
        for (const QString &other : names)
            if (other != name) ::unlink(QFile::encodeName(path(other)));
    }
    QByteArray bytes(const QString &name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QByteArray where() const {
        return "seed " + QByteArray::number(m_seed) + ", case " + QByteArray::number(m_case) +
               ", file " + m_original.toPercentEncoding();
    }
    // After a refused rewrite the file is as it was and no temporary is left.
    void verifyUntouched(const QString &name) {
        QVERIFY2(bytes(name) == m_original, where().constData());
        QVERIFY2(QDir(m_dir.path()).entryList(QDir::Files).size() == 1, where().constData());
    }
    void verifyOneFile() {
        ++m_written;
        QVERIFY2(QDir(m_dir.path()).entryList(QDir::Files).size() == 1, where().constData());
    }

    void payments(Generator &g) {
        put(kData, g.damage(g.records(6, 3, true)));
        const Book book(m_dir.path());
        FileResult err;
        const QList<PaymentRecord> before = readPayments(book, kData, &err);
        QVERIFY2(err.ok(), where().constData());
        const std::optional<PaymentRecord> first = readFirstPayment(book);
        QVERIFY2(first ? before.value(0) == *first : before.isEmpty(), where().constData());
        m_operations += 2;

        const QByteArray content = readFileBytes(path(kData));
        const QList<QByteArray> lines = recordLinesOf(content);
        QCOMPARE(lines.size(), before.size());

        // The scans of the pages agree with the records read.
        const QString day = QStringLiteral("2024/01/%1").arg(10 + g.below(20));
        const DayList list = computeDayList(held(book), day);
        Yen total = 0, sum = 0;
        qsizetype rows = 0;
        for (const PaymentRecord &p : before) {
            sum = addYen(sum, p.amount);
            if (p.date == day) {
                ++rows;
                total = addYen(total, p.amount);
            }
        }
        QVERIFY2(list.rows.size() == rows && list.total == total, where().constData());
        QVERIFY2(list.firstPayDate == (before.isEmpty() ? QString() : before.first().date),
                 where().constData());
        QVERIFY2(recordsBalance(held(book)) == subYen(0, sum), where().constData());
        (void)computeMonth(held(book), QDate(2024, 1 + g.below(3), 1 + g.below(28)));
        m_operations += 3;

        const PaymentRecord added{cp932::decode(g.date()),
                                  QStringLiteral("新"),
                                  QStringLiteral("費目"),
                                  g.below(1000),
                                  {},
                                  {}};
        ++m_operations;
        switch (g.below(5)) {
        case 4: { // a diary comment: every record stays, the one named gets it
            if (before.isEmpty()) return;
            const int index = g.below(before.size());
            const FileResult r =
                computeDiary(book).storeComment(book, index, QStringLiteral("メモ"));
            if (!r.ok()) return verifyUntouched(kData);
            QList<PaymentRecord> after = readPayments(book), expected = before;
            QVERIFY2(after.size() == before.size(), where().constData());
            expected[index].memo = QStringLiteral("メモ");
            for (qsizetype i = 0; i < after.size(); ++i)
                after[i].reserved = expected[i].reserved; // emptied where the record was written
            QVERIFY2(after == expected, where().constData());
            return verifyOneFile();
        }
        case 0: { // insertion or append
            const QString last = QString::fromLatin1(g.date());
            const FileResult r = insertPayment(book, added, last);
            if (!r.ok()) return verifyUntouched(kData);
            const QList<PaymentRecord> after = readPayments(book);
            QVERIFY2(after.size() == before.size() + 1, where().constData());
            qsizetype at = before.size();
            if (last > added.date) {
                // Before the first record of a later date, compared as bytes.
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    RawFields f;
                    RawReader::split(lines[i], f, 1);
                    if (byteString(fieldAt(f, 0)) > byteString(added.date.toLatin1())) {
                        at = i;
                        break;
                    }
                }
            }
            QVERIFY2(after.at(at) == added, where().constData());
            QList<PaymentRecord> rest = after;
            rest.removeAt(at);
            QVERIFY2(rest == before, where().constData());
            return verifyOneFile();
        }
        case 1: { // renaming a payee or a category that occurs
            if (before.isEmpty()) return;
            const bool payee = g.chance(50);
            const PaymentRecord &pick = before.at(g.below(before.size()));
            const QString oldName = payee ? pick.payee : pick.category;
            const FileResult r = renameInPayments(
                book, payee ? PaymentField::Payee : PaymentField::Category, oldName, "改名");
            if (!r.ok()) return verifyUntouched(kData);
            // Matched as the text read: a name may have more than one CP932 form.
            QList<PaymentRecord> expected = before;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                RawFields f;
                RawReader::split(lines[i], f);
                if (cp932::decode(fieldAt(f, payee ? 1 : 2)) == oldName)
                    (payee ? expected[i].payee : expected[i].category) = QStringLiteral("改名");
            }
            QVERIFY2(readPayments(book) == expected, where().constData());
            return verifyOneFile();
        }
        case 2: { // the correction of one record, or its deletion
            if (lines.isEmpty()) return;
            const int index = g.below(lines.size());
            const bool remove = g.chance(50);
            const FileResult r = remove ? deletePayment(book, {index, lines[index]})
                                        : correctPayment(book, {index, lines[index]}, added);
            if (!r.ok()) return verifyUntouched(kData);
            QList<PaymentRecord> after = readPayments(book);
            QList<PaymentRecord> expected = before;
            expected.removeAt(index);
            if (!remove) {
                const qsizetype at = after.indexOf(added);
                QVERIFY2(at >= 0, where().constData());
                after.removeAt(at);
            }
            QVERIFY2(after == expected, where().constData());
            return verifyOneFile();
        }
        default: { // the copy for the forecast
            const FileResult r = copyFile(book, kData, QStringLiteral("予測データ.txt"));
            if (!r.ok()) return verifyUntouched(kData);
            QVERIFY2(readPayments(book, QStringLiteral("予測データ.txt")) == before,
                     where().constData());
            QFile::remove(path(QStringLiteral("予測データ.txt")));
            return verifyOneFile();
        }
        }
    }

    void incomes(Generator &g) {
        put(kIncome, g.damage(g.records(3, 2, true)));
        const Book book(m_dir.path());
        const QList<IncomeRecord> before = readIncomes(book);
        const IncomeRecord added{cp932::decode(g.date()), QStringLiteral("給料"), g.below(100000)};
        m_operations += 2;
        const FileResult r = insertIncome(book, added, QString::fromLatin1(g.date()));
        if (!r.ok()) return verifyUntouched(kIncome);
        QList<IncomeRecord> after = readIncomes(book);
        const qsizetype at = after.indexOf(added);
        QVERIFY2(at >= 0, where().constData());
        after.removeAt(at);
        QVERIFY2(after == before, where().constData());
        verifyOneFile();
    }

    void masters(Generator &g) {
        put(kPayees, g.damage(g.masterLines()));
        const Book book(m_dir.path());
        const QStringList before = readMaster(book, kPayees);
        m_operations += 2;
        if (g.chance(50) && !before.isEmpty()) {
            const QString oldName = before.at(g.below(before.size()));
            const FileResult r = renameInMaster(book, kPayees, oldName, QStringLiteral("改名"));
            if (!r.ok()) return verifyUntouched(kPayees);
            QStringList expected;
            for (const QString &name : before)
                expected << (name == oldName ? QStringLiteral("改名") : name);
            QVERIFY2(readMaster(book, kPayees) == expected, where().constData());
        } else {
            const QString name = QString::fromLatin1(g.chance(50) ? " x\t" : "a b");
            const FileResult r = appendMasterName(book, name, kPayees);
            if (!r.ok()) return verifyUntouched(kPayees);
            QVERIFY2(readMaster(book, kPayees) == before + QStringList{name}, where().constData());
        }
        verifyOneFile();
    }

    void associations(Generator &g) {
        put(kAssoc, g.damage(g.records(2, -1, false)));
        const Book book(m_dir.path());
        const QList<QByteArray> before = recordLinesOf(readFileBytes(path(kAssoc)));
        const QString payee = g.chance(50) ? QStringLiteral("店") : QStringLiteral("八百屋");
        (void)categoryOfPayee(book, payee);
        m_operations += 2;
        const FileResult r = saveAssociation(book, payee, QStringLiteral("分類"));
        if (!r.ok()) return verifyUntouched(kAssoc);
        QVERIFY2(categoryOfPayee(book, payee) == QStringLiteral("分類"), where().constData());
        // Every other line stays; the payee's lines become the new one.
        const QByteArray key = *cp932::encode(payee);
        const QByteArray line =
            "\"" + key + "\",\"" + *cp932::encode(QStringLiteral("分類")) + "\"";
        QList<QByteArray> expected;
        bool found = false;
        for (const QByteArray &l : before) {
            RawFields f;
            RawReader::split(l, f, 1);
            const bool match = byteString(fieldAt(f, 0)) == byteString(key);
            found |= match;
            expected << (match ? line : l);
        }
        if (!found) expected << line;
        QVERIFY2(recordLinesOf(bytes(kAssoc)) == expected, where().constData());
        verifyOneFile();
    }

    // The one-record files and the notes: read without harm, whatever they hold.
    void smallFiles(Generator &g) {
        const Book book(m_dir.path());
        const QString notesFile = QStringLiteral("気付きメモ.txt");
        put(notesFile, g.damage(g.records(2, 1, false)));
        // Whatever the notes held, what is saved comes back, line breaks as CR LF.
        QString text = cp932::decode(m_original);
        if (g.chance(50)) text = readNotes(book);
        m_operations += 2;
        const FileResult r = writeNotes(book, text);
        if (!r.ok()) return verifyUntouched(notesFile);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QVERIFY2(readNotes(book) == text, where().constData());
        verifyOneFile();
    }

private slots:
    void everyReaderAndRewriteKeepsEveryRecord() {
        QVERIFY(m_dir.isValid());
        m_seed = envNumber("MILTEA_FUZZ_SEED", 20261207);
        const int files = static_cast<int>(envNumber("MILTEA_FUZZ_FILES", 16000));
        Generator g(m_seed);
        for (m_case = 0; m_case < files; ++m_case) {
            switch (m_case % 5) {
            case 0:
                payments(g);
                break;
            case 1:
                incomes(g);
                break;
            case 2:
                masters(g);
                break;
            case 3:
                associations(g);
                break;
            default:
                smallFiles(g);
                break;
            }
            if (QTest::currentTestFailed()) return;
            for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
                QFile::remove(path(name));
        }
        qInfo("seed %llu: %d files, %lld reads and rewrites, %lld rewrites written",
              static_cast<unsigned long long>(m_seed), files, static_cast<long long>(m_operations),
              static_cast<long long>(m_written));
    }
};

QTEST_GUILESS_MAIN(TestRecordFuzz)
#include "test_recordfuzz.moc"
