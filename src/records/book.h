#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The file names of a book. Names are compared without regard to letter case
// (a book copied from Windows may say データ.TXT): see Book::pathOf.
namespace bookfile {
inline const QString payments = QStringLiteral("データ.txt");
inline const QString paymentsCopy = QStringLiteral("データコピー.txt");
inline const QString paymentsRename = QStringLiteral("データＣＨＧ.txt");
inline const QString incomes = QStringLiteral("入金.txt");
inline const QString incomesCopy = QStringLiteral("入金コピー.txt");
inline const QString payees = QStringLiteral("支払いマスタ.txt");
inline const QString payeesRename = QStringLiteral("状況リストＣＨＧ.txt");
inline const QString categories = QStringLiteral("費目マスタ.txt");
inline const QString categoriesRename = QStringLiteral("費目リストＣＨＧ.txt");
inline const QString associations = QStringLiteral("関連.TXT");
inline const QString associationsCopy = QStringLiteral("関連_CHG.TXT");
inline const QString settings = QStringLiteral("設定.txt");
inline const QString notes = QStringLiteral("気付きメモ.txt");
inline const QString forecast = QStringLiteral("予測データ.txt");
inline const QString forecastCopy = QStringLiteral("予測データコピー.txt");
inline const QString userName = QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
inline const QString budgets = QStringLiteral("予算.txt");
inline const QString fixedPayments = QStringLiteral("固定費.txt");
} // namespace bookfile

struct FileContent;
struct FileIdentity;
struct FileResult;

// Where a record line of a given date goes in a record file, kept in date
// order: at the start of the first record line whose date field is later as
// bytes compare (the end of the file when none), and whether every line of
// the file ends in CR LF (then the line is put in with two copies).
struct LinePlace {
    qsizetype offset = 0;
    bool everyLineEndsCrLf = false;
    bool operator==(const LinePlace &) const = default;
};

// Told before and after every write of a book file, so that a change can be
// undone and a write a crash cut short can be put back (book/history.h).
class BookJournal {
public:
    enum class Write { Rewrite, Append, Truncate, Remove };
    virtual ~BookJournal() = default;
    // Before the file at path is rewritten whole (to bytes), added to at
    // offset `at` (its size; bytes are the line), cut back to `at` bytes or
    // removed. A refusal stops the write before anything is written.
    virtual FileResult aboutToWrite(const QString &name, const QString &path, Write kind, qint64 at,
                                    const QByteArray &bytes) = 0;
    // After that write, whether it was made or not; a refusal says the write
    // could not be kept (it is put back) although it was made.
    virtual FileResult finished(const QString &name, bool written) = 0;
};

// Told of every write the program makes to a record file of a book, with
// what it wrote, so that a book held in memory takes those bytes instead of
// reading back the file it has just written; and asked for the content of a
// file it holds, so that a rewrite starts from it instead of reading again.
class BookWriteWatcher {
public:
    virtual ~BookWriteWatcher() = default;
    // The file's content as held, known to be what the file now holds; false
    // when the file is not held.
    virtual bool held(const QString &name, FileContent *content) const = 0;
    // Where a line dated date (yyyy/mm/dd) goes in bytes, when bytes are the
    // very content it holds of the file and it can tell without reading
    // every line again (see LinePlace).
    virtual std::optional<LinePlace> placeInHeld(const QString & /*name*/,
                                                 const QByteArray & /*bytes*/,
                                                 QByteArrayView /*date*/) const {
        return std::nullopt;
    }
    // The file (by its canonical name) now holds exactly content.
    virtual void replaced(const QString &name, const QByteArray &content) = 0;
    // The bytes were added at the end of the file, which had the identity
    // `before` just before (a holder whose copy was older drops it).
    virtual void appended(const QString &name, const QByteArray &bytes,
                          const FileIdentity &before) = 0;
};

// The folder that holds one book (the working directory of the program).
class Book {
public:
    explicit Book(QString dir);
    const QString &dir() const { return m_dir; }

    // The path of a book file: the canonical name when it exists or when no
    // file of that name in another letter case exists, else that file.
    QString pathOf(const QString &name) const;

    // The writers report what they wrote here (see BookWriteWatcher).
    void setWatcher(BookWriteWatcher *watcher) { m_watcher = watcher; }
    void setJournal(BookJournal *journal) { m_journal = journal; }

    // Every write of a book file goes through one of these: the journal is
    // told first, the watcher after (see the protocol in fileops.h).
    // The whole file, through temp (a name of the book) when given.
    FileResult rewrite(const QString &name, const QByteArray &content,
                       const QString &temp = {}) const;
    // One line at the end (a file with a byte-order mark is rewritten whole).
    FileResult append(const QString &name, const QByteArray &line) const;
    // Cuts the file back to its first size bytes (what an undone append added).
    FileResult truncateTo(const QString &name, qint64 size) const;
    // Adds bytes at the end exactly as given (what an undone cut took away).
    FileResult appendBytes(const QString &name, const QByteArray &bytes) const;
    // Removes the file (what an undone change had created).
    FileResult remove(const QString &name) const;
    // The content a rewrite of the file starts from: as held, or as read now.
    FileContent read(const QString &name) const;
    void replaced(const QString &name, const QByteArray &content) const {
        if (m_watcher) m_watcher->replaced(name, content);
    }
    void appended(const QString &name, const QByteArray &bytes, const FileIdentity &before) const {
        if (m_watcher) m_watcher->appended(name, bytes, before);
    }
    // The held content of a file, when a holder holds it (its read error included).
    bool held(const QString &name, FileContent *content) const {
        return m_watcher && m_watcher->held(name, content);
    }
    std::optional<LinePlace> placeInHeld(const QString &name, const QByteArray &bytes,
                                         QByteArrayView date) const {
        return m_watcher ? m_watcher->placeInHeld(name, bytes, date) : std::nullopt;
    }

private:
    // The journal told of a write to come; its refusal stops it.
    FileResult announce(const QString &name, const QString &path, BookJournal::Write kind,
                        qint64 at, const QByteArray &bytes) const;
    // The journal told how the write went; its refusal when it could not keep it.
    FileResult finish(const QString &name, const FileResult &written) const;
    QString m_dir;
    BookWriteWatcher *m_watcher = nullptr;
    BookJournal *m_journal = nullptr;
};
