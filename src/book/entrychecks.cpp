#include "book/entrychecks.h"

#include "records/recordfiles.h"

namespace {
EntryCheck notANumber() {
    return EntryCheck::refused(QStringLiteral("金額は数字で入力してください"),
                               QStringLiteral("金額異常"));
}
} // namespace

EntryCheck tooLarge() {
    return EntryCheck::refused(
        QStringLiteral("金額は%1までで入力してください").arg(largestTypedYenLabel()),
        QStringLiteral("金額異常"));
}

EntryCheck checkAmount(const QString &amountText) {
    if (amountText.isEmpty())
        return EntryCheck::refused(QStringLiteral("金額が入力されていません"),
                                   QStringLiteral("金額未入力"));
    const std::optional<Yen> amount = parseYenInput(amountText);
    if (!amount) return isYenInputTooLarge(amountText) ? tooLarge() : notANumber();
    return {*amount, {}, {}};
}

EntryCheck checkPayment(bool sampleMode, const QString &payee, const QString &category,
                        const QString &amountText) {
    if (sampleMode)
        return EntryCheck::refused(
            QStringLiteral(
                "ご自身のデータでスタートする時は編集ボタンで新規スタートしてください。"),
            QStringLiteral("新規スタート促し"));
    if (payee.isEmpty())
        return EntryCheck::refused(QStringLiteral("支払い先が指定されていません"),
                                   QStringLiteral("支払い先未入力"));
    if (category.isEmpty())
        return EntryCheck::refused(QStringLiteral("費目が指定されていません"),
                                   QStringLiteral("費目未入力"));
    const EntryCheck amount = checkAmount(amountText);
    if (!amount.ok()) return amount;
    if (const FileResult r = checkFieldTexts({payee, category}); !r.ok())
        return EntryCheck::refused(r.message, r.title);
    return amount;
}

EntryCheck checkIncome(const QString &reason, const QString &amountText, const QString &date) {
    if (reason.isEmpty())
        return EntryCheck::refused(QStringLiteral("内容が入力されていません"),
                                   QStringLiteral("内容未入力"));
    const EntryCheck amount = checkAmount(amountText);
    if (!amount.ok()) return amount;
    if (amount.amount <= 0)
        return EntryCheck::refused(QStringLiteral("入金ゼロ以下では登録できません"),
                                   QStringLiteral("入金額異常"));
    if (const EntryCheck d = checkRecordDate(date); !d.ok()) return d;
    return amount;
}

bool isBookDate(QDate date) {
    return date >= QDate(1900, 1, 1) && date <= QDate(2100, 12, 31);
}

EntryCheck checkRecordDate(const QString &date) {
    // The file keeps its date order by comparing yyyy/mm/dd texts: only a real date in that form.
    if (!isBookDate(parseDateText(date)))
        return EntryCheck::refused(
            QStringLiteral("日付けは 2005/02/14 のように年/月/日で正しく入力してください"),
            QStringLiteral("日付け異常"));
    return {};
}

EntryCheck checkCash(const QString &cashText) {
    if (cashText.isEmpty())
        return EntryCheck::refused(QStringLiteral("残金が入力されていません"),
                                   QStringLiteral("残金未入力"));
    return checkAmount(cashText);
}
