#include "book/newstart.h"

#include <QDir>
#include <functional>

#include "book/entrychecks.h"
#include "records/dates.h"
#include "records/foldercopy.h"
#include "records/openingincome.h"
#include "records/recordfiles.h"

namespace {
const QString kOpeningReason = QStringLiteral("スタート時入金");

// 1 to maxDigits ASCII digits, or -1.
int smallNumber(QStringView s, int minDigits, int maxDigits) {
    if (s.size() < minDigits || s.size() > maxDigits) return -1;
    int v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

StartRefusal warning(const QString &text, const QString &title) {
    return {text, title, StartRefusal::Icon::Warning};
}
} // namespace

QStringList computeStartDates(QDate today) {
    QStringList out;
    out.reserve(90);
    for (int n = 1; n <= 90; ++n)
        out.append(dateText(today.addDays(-n)));
    return out;
}

QString normalizeStartDate(const QString &typed) {
    const QStringList parts = typed.split(u'/');
    if (parts.size() != 3) return {};
    const int y = smallNumber(parts[0], 4, 4);
    const int m = smallNumber(parts[1], 1, 2);
    const int d = smallNumber(parts[2], 1, 2);
    const QDate date(y, m, d);
    // A book's days run from 1900 to 2100 (0024 is a slip for 2024).
    if (y < 0 || m < 0 || d < 0 || !isBookDate(date)) return {};
    return dateText(date);
}

std::variant<NewStart, StartRefusal>
checkNewStart(const QString &dateTyped, const QString &cashTyped, const QString &userName) {
    if (cashTyped.isEmpty())
        return StartRefusal{QStringLiteral("スタート時の金額が入力されていません"),
                            QStringLiteral("入金未入力"), StartRefusal::Icon::Information};
    // The cash in hand is never below zero; zero is a valid start.
    const std::optional<Yen> cash = parseYenInput(cashTyped);
    if (isYenInputTooLarge(cashTyped)) {
        const EntryCheck large = tooLarge();
        return warning(large.text, large.title);
    }
    if (!cash || *cash < 0)
        return warning(QStringLiteral("金額は数字で入力してください"), QStringLiteral("金額異常"));
    // Pages compare stored dates as text: only a real date, stored padded.
    const QString date = normalizeStartDate(dateTyped);
    if (date.isEmpty())
        return warning(
            QStringLiteral("日付けは 2005/02/14 のように年/月/日で正しく入力してください"),
            QStringLiteral("日付け異常"));
    if (const FileResult r = checkFieldTexts({userName}); !r.ok())
        return warning(r.message, r.title);
    return NewStart{date, *cash, userName};
}

QStringList bookRecordFiles() {
    return {bookfile::payments,   bookfile::incomes,      bookfile::payees,
            bookfile::categories, bookfile::associations, bookfile::settings,
            bookfile::notes,      bookfile::forecast,     bookfile::userName,
            bookfile::budgets,    bookfile::fixedPayments};
}

QString backupFolderName(const QDateTime &now) {
    return QStringLiteral("旧データ_") + now.toString(QStringLiteral("yyyyMMdd_HHmmss"));
}

FileResult startNewBook(const Book &book, const NewStart &start, const QDateTime &now,
                        QString *backupFolder) {
    if (const FileResult r = checkFieldTexts({start.userName}); !r.ok()) return r;
    const QDir dir(book.dir());
    QString folder = backupFolderName(now);
    for (int n = 2; dir.exists(folder); ++n)
        folder = backupFolderName(now) + QStringLiteral("_%1").arg(n);
    if (const FileResult r = copyIntoNewFolder(book, folder, bookRecordFiles()); !r.ok())
        return FileResult::refused(
            QStringLiteral("新規スタート中止"),
            QStringLiteral("今までのデータを「%1」に残せなかったため、新規スタートを中止しました。"
                           "データは何も変えていません。\n\n%2")
                .arg(folder, r.message));
    if (backupFolder) *backupFolder = folder;
    // A file that cannot be written stops the start before anything is written.
    for (const QString &name :
         {bookfile::userName, bookfile::incomes, bookfile::payments, bookfile::notes})
        if (const FileResult r = writeRefusal(book.pathOf(name)); !r.ok()) return r;
    // In this order; the first failure stops the rest (the old book is in the folder).
    const std::function<FileResult()> writes[] = {
        [&] { return writeUserName(book, start.userName); },
        [&] {
            return writeOpeningIncome(book, {start.date, kOpeningReason, start.cash});
        },
        [&] { return truncateFile(book, bookfile::payments); },
        [&] { return truncateFile(book, bookfile::notes); }};
    for (const auto &write : writes)
        if (const FileResult r = write(); !r.ok()) return r;
    return {};
}
