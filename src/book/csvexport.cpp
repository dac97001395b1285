#include "book/csvexport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "book/history.h"
#include "book/newstart.h"
#include "records/book.h"
#include "records/booklock.h"
#include "records/cp932.h"

QString csvCell(const QString &shown) {
    static const QRegularExpression money(QStringLiteral(R"(^(-?)[¥￥](\d{1,3}(,\d{3})*)$)"));
    const QRegularExpressionMatch m = money.match(shown);
    if (!m.hasMatch()) return shown;
    return m.captured(1) + m.captured(2).remove(u',');
}

namespace {
QString quoted(const QString &cell) {
    QString text = csvCell(cell);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const bool needs = text.contains(u',') || text.contains(u'"') || text.contains(u'\n');
    if (!needs) return text;
    text.replace(u'"', QStringLiteral("\"\""));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return u'"' + text + u'"';
}
} // namespace

CsvFile csvFromTable(const QList<QStringList> &rows, CsvEncoding encoding) {
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells.append(quoted(cell));
        text += cells.join(u',') + QStringLiteral("\r\n");
    }
    if (encoding == CsvEncoding::Utf8) return {"\xEF\xBB\xBF" + text.toUtf8(), {}};
    QString bad;
    const std::optional<QByteArray> bytes = cp932::encode(text, &bad);
    if (!bytes)
        return {
            {},
            FileResult::refused(QStringLiteral("CSVに書き出す"),
                                QStringLiteral("「%1」はShift-JISで書き出せないため、"
                                               "書き出しませんでした。UTF-8で書き出してください。")
                                    .arg(bad))};
    return {*bytes, {}};
}

namespace {
// Where a write to path lands, every link followed, to a file not there yet too.
QFileInfo landing(const QString &path) {
    return QFileInfo(followLinks(path));
}
QString folderOf(const QFileInfo &file) {
    return QFileInfo(file.absolutePath()).canonicalFilePath();
}
// One folder, however spelled (a disk that ignores case keeps the case typed).
bool sameFolder(const QString &a, const QString &b) {
    const FileIdentity x = identityOf(a), y = identityOf(b);
    return x.exists && y.exists && x.inode == y.inode && x.device == y.device;
}
} // namespace

FileResult csvTargetRefusal(const QString &path, const QString &bookDir) {
    const QFileInfo target = landing(path);
    const QString folder = folderOf(target);
    const QString book = QFileInfo(bookDir).canonicalFilePath();
    // The book's folder found among the target's by identity: a disk that
    // ignores case, or a second mount, names it more than one way.
    const FileIdentity bookId = identityOf(book);
    QDir up(folder);
    QString below; // the target's folder right inside the book's
    int depth = -1;
    for (int d = 0; !folder.isEmpty() && bookId.exists; ++d) {
        const FileIdentity id = identityOf(up.absolutePath());
        if (id.exists && id.inode == bookId.inode && id.device == bookId.device) {
            depth = d;
            break;
        }
        below = up.dirName();
        if (!up.cdUp()) break;
    }
    QStringList names = bookRecordFiles();
    names.append(BookLock::fileName());
    // Its files by name, as the book finds them (in any case); the history's
    // kept versions, and the old books a new start keeps.
    const bool ofBook =
        depth == 0 ? std::any_of(names.cbegin(), names.cend(),
                                 [&](const QString &n) {
                                     return n.compare(target.fileName(), Qt::CaseInsensitive) == 0;
                                 })
                   : depth > 0 && (below == History::kFolder ||
                                   below.startsWith(QStringLiteral("旧データ_")));
    // A file a book file links to (the records kept in a synced folder) is
    // the book's under any name, there yet or not; so is a second hard link.
    const FileIdentity existing = identityOf(path);
    const Book files(bookDir);
    const bool linkedFromBook = std::any_of(names.cbegin(), names.cend(), [&](const QString &n) {
        const QFileInfo file = landing(files.pathOf(n));
        // In any case, as the book's own folder is: the link may lead to a disk that ignores it.
        if (file.fileName().compare(target.fileName(), Qt::CaseInsensitive) == 0 &&
            sameFolder(folderOf(file), folder))
            return true;
        const FileIdentity id = identityOf(files.pathOf(n));
        return existing.exists && id.exists && id.inode == existing.inode &&
               id.device == existing.device;
    });
    if (!ofBook && !linkedFromBook) return {};
    return FileResult::refused(
        QStringLiteral("CSVに書き出す"),
        QStringLiteral("「%1」は家計簿のファイルのため、書き出しませんでした。"
                       "別の名前を指定してください。")
            .arg(QFileInfo(path).fileName()));
}
