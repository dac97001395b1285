// Rewrites of the book files on damaged or unusual input: short records,
// lines edited outside the program, foreign line ends and encodings. Nothing
// a rewrite did not mean to change may change.
#include <QFile>
#include <QTest>

#include "bookdir.h"
#include "records/recordfiles.h"

namespace {
const QString kData = QStringLiteral("データ.txt");

PaymentRecord pay(const QString &date, const QString &payee, const QString &cat, qint64 amount) {
    return {date, payee, cat, amount, {}, {}};
}
} // namespace

class TestRecordRewrites : public QObject {
    Q_OBJECT
private slots:
    void renamingFillsShortRecordsWithEmptyFields() {
        BookDir dir;
        Book book(dir.path());
        // A short record first (it once aborted the rewrite), one after a full
        // record (it once took the fields of the line above).
        dir.write(kData, QStringLiteral("\"2024/01/01\",\"本屋\"\r\n"
                                        "\"2024/01/01\",\"A\",\"食費\",3100,\"特売\",\"r\"\r\n"
                                        "\"2024/01/02\",\"本屋\"\r\n"
                                        "\"2024/01/03\"\r\n"));
        QVERIFY(renameInPayments(book, PaymentField::Payee, "本屋", "書店").ok());
        const QStringList lines = dir.text(kData).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 3), (QStringList{"\"2024/01/01\",\"書店\",\"\",0,\"\",\"\"",
                                               "\"2024/01/01\",\"A\",\"食費\",3100,\"特売\",\"r\"",
                                               "\"2024/01/02\",\"書店\",\"\",0,\"\",\"\""}));
        QVERIFY(renameInPayments(book, PaymentField::Category, "", "未分類").ok());
        const QList<PaymentRecord> read = readPayments(book);
        QCOMPARE(read.size(), 4);
        QCOMPARE(read[0], pay("2024/01/01", "書店", "未分類", 0));
        QCOMPARE(read[1], (PaymentRecord{"2024/01/01", "A", "食費", 3100, "特売", "r"}));
        QCOMPARE(read[2], pay("2024/01/02", "書店", "未分類", 0));
        QCOMPARE(read[3], pay("2024/01/03", "", "未分類", 0));
    }
};

QTEST_GUILESS_MAIN(TestRecordRewrites)
#include "test_recordrewrites.moc"
