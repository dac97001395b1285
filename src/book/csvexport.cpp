#include "book/csvexport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "book/history.h"
#include "book/newstart.h"
#include "records/book.h"
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

FileResult csvTargetRefusal(const QString &path, const QString &bookDir) {
    // Compared once every link is followed: only a file that exists can be one.
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir dir(bookDir);
    const QString history = QFileInfo(dir.filePath(History::kFolder)).canonicalFilePath();
    bool ofBook = !history.isEmpty() && target.startsWith(history + u'/');
    const Book book(bookDir);
    for (const QString &name : bookRecordFiles())
        ofBook = ofBook ||
                 (!target.isEmpty() && QFileInfo(book.pathOf(name)).canonicalFilePath() == target);
    if (!ofBook) return {};
    return FileResult::refused(
        QStringLiteral("CSVに書き出す"),
        QStringLiteral("「%1」は家計簿のファイルのため、書き出しませんでした。"
                       "別の名前を指定してください。")
            .arg(QFileInfo(path).fileName()));
}
