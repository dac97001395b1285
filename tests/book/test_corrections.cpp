// Correcting and deleting one record of a record file: the record found where
// it was read, every other line kept byte for byte, a moved record in date order.
#include <QTest>

#include "book/corrections.h"
#include "bookdir.h"

namespace {
const QByteArray kFile = "\"2005/02/01\",\"a\",\"x\",100,\"\",\"\"\r\n"
                         "\"2005/02/03\",\"b\",\"x\",200,\"\",\"\"\r\n"
                         "\r\n"
                         "\"2005/02/03\",\"c\",\"x\",300,\"\",\"\"\n"
                         "2005/02/05,Mc\"Donald,x,400,,\xFF\r\n"
                         "\"2005/02/07\",\"e\",\"x\",500,\"\",\"\"";

RecordAt at(int index) {
    return recordLines(kFile).at(index);
}
QByteArray line(const char *date, const char *payee) {
    return QByteArray("\"") + date + "\",\"" + payee + "\",\"x\",1,\"\",\"\"";
}
} // namespace

class TestCorrections : public QObject {
    Q_OBJECT
private slots:
    void recordLinesSkipBlankLines() {
        const QList<RecordAt> lines = recordLines(kFile);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(3).line, QByteArray("2005/02/05,Mc\"Donald,x,400,,\xFF"));
        QCOMPARE(lines.at(3).index, 3);
    }

    void sameDayReplacesInPlaceKeepingEveryOtherByte() {
        const auto out = rewriteRecord(kFile, at(1), line("2005/02/03", "B"));
        QVERIFY(out);
        QByteArray expected = kFile;
        expected.replace("\"2005/02/03\",\"b\",\"x\",200,\"\",\"\"", line("2005/02/03", "B"));
        QCOMPARE(*out, expected);
    }

    void movedLaterLandsAfterItsNewDaysRecords() {
        const auto out = rewriteRecord(kFile, at(0), line("2005/02/03", "A"));
        QVERIFY(out);
        QCOMPARE(*out, QByteArray("\"2005/02/03\",\"b\",\"x\",200,\"\",\"\"\r\n"
                                  "\r\n"
                                  "\"2005/02/03\",\"c\",\"x\",300,\"\",\"\"\n") +
                           line("2005/02/03", "A") +
                           "\r\n"
                           "2005/02/05,Mc\"Donald,x,400,,\xFF\r\n"
                           "\"2005/02/07\",\"e\",\"x\",500,\"\",\"\"");
    }

    void movedEarlierAndPastTheEnd() {
        auto out = rewriteRecord(kFile, at(4), line("2005/01/31", "E"));
        QVERIFY(out);
        QVERIFY(out->startsWith(line("2005/01/31", "E") + "\r\n\"2005/02/01\""));
        QVERIFY(out->endsWith("400,,\xFF\r\n"));
        // To the end of a file whose last line has no line end: one is added first.
        out = rewriteRecord(kFile, at(0), line("2005/03/01", "A"));
        QVERIFY(out);
        QVERIFY(out->endsWith("\"2005/02/07\",\"e\",\"x\",500,\"\",\"\"\r\n" +
                              line("2005/03/01", "A") + "\r\n"));
        QVERIFY(out->startsWith("\"2005/02/03\",\"b\""));
    }

    void deleteRemovesTheLineAndItsLineEnd() {
        auto out = rewriteRecord(kFile, at(2), {});
        QVERIFY(out);
        QCOMPARE(*out, QByteArray(kFile).replace("\"2005/02/03\",\"c\",\"x\",300,\"\",\"\"\n", ""));
        out = rewriteRecord(kFile, at(4), {});
        QVERIFY(out);
        QVERIFY(out->endsWith("400,,\xFF\r\n"));
        // The only record of a file.
        const QByteArray one = line("2005/02/01", "a") + "\r\n";
        QCOMPARE(rewriteRecord(one, recordLines(one).at(0), {}), QByteArray());
    }

    void changedFileIsRefused() {
        // Another line at that place, the same line at another place, a shorter file.
        RecordAt moved = at(1);
        moved.index = 2;
        QVERIFY(!rewriteRecord(kFile, moved, {}));
        RecordAt other = at(1);
        other.line += ' ';
        QVERIFY(!rewriteRecord(kFile, other, {}));
        RecordAt gone{9, at(1).line};
        QVERIFY(!rewriteRecord(kFile, gone, line("2005/02/03", "x")));
        QCOMPARE(changedUnderneath().title, QStringLiteral("修正できません"));
        QCOMPARE(changedUnderneath().message,
                 QStringLiteral("データが変更されています。もう一度開き直してください。"));
    }

    void correctionGoesThroughItsTemporaryAndRefusesUnholdableText() {
        BookDir dir;
        dir.writeBytes(QStringLiteral("データ.txt"), kFile);
        const Book book(dir.path());
        PaymentRecord fixed{QStringLiteral("2005/02/03"), QStringLiteral("本屋"),
                            QStringLiteral("教養"),       1234,
                            QStringLiteral("メモ"),       {}};
        QVERIFY(correctPayment(book, at(1), fixed).ok());
        QCOMPARE(dir.bytes(QStringLiteral("データ.txt")),
                 QByteArray(kFile).replace(
                     "\"2005/02/03\",\"b\",\"x\",200,\"\",\"\"",
                     sjis(QStringLiteral("\"2005/02/03\",\"本屋\",\"教養\",1234,\"メモ\",\"\""))));
        QVERIFY(!dir.exists(QStringLiteral("データ修正.txt")));
        // The same pick again: the file changed underneath.
        QCOMPARE(correctPayment(book, at(1), fixed).title, QStringLiteral("修正できません"));
        const QByteArray before = dir.bytes(QStringLiteral("データ.txt"));
        fixed.payee = QStringLiteral("😀");
        const RecordAt now = recordLines(before).at(1);
        QVERIFY(!correctPayment(book, now, fixed).ok());
        QCOMPARE(dir.bytes(QStringLiteral("データ.txt")), before);
        QVERIFY(deletePayment(book, now).ok());
        QCOMPARE(recordLines(dir.bytes(QStringLiteral("データ.txt"))).size(), 4);
    }

    void incomeCorrectionAndDelete() {
        BookDir dir;
        const QString file = QStringLiteral("入金.txt");
        dir.write(file, QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"
                                       "\"2005/02/25\",\"給料\",200000\r\n"));
        const Book book(dir.path());
        const auto lines = recordLines(dir.bytes(file));
        QVERIFY(correctIncome(book, lines.at(1),
                              {QStringLiteral("2005/01/05"), QStringLiteral("給料"), 190000})
                    .ok());
        QCOMPARE(dir.text(file), QStringLiteral("\"2005/01/05\",\"給料\",190000\r\n"
                                                "\"2005/01/10\",\"スタート時入金\",50000\r\n"));
        QVERIFY(deleteIncome(book, recordLines(dir.bytes(file)).at(0)).ok());
        QCOMPARE(dir.text(file), QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"));
        QVERIFY(!dir.exists(QStringLiteral("入金修正.txt")));
    }

    void openingIncomeKeepsTheFirstPlace() {
        // The opening income moved onto the day of the next income would land
        // after it (a moved record goes after its new day's records), and the
        // salary would become the book's start.
        const QByteArray file = sjis(QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"
                                                    "\"2005/01/25\",\"給料\",200000\r\n"));
        const QList<RecordAt> incomes = recordLines(file);
        const auto fix = [&](int index, const char *date) {
            IncomeRecord typed = incomeOf(incomes.at(index));
            typed.date = QString::fromLatin1(date);
            return checkIncomeFix(incomes, index, typed, QStringLiteral("50000"), {});
        };
        QCOMPARE(fix(0, "2005/01/25").title, QStringLiteral("日付け異常"));
        QCOMPARE(fix(0, "2005/01/25").text,
                 QStringLiteral("最初の入金はこの家計簿のスタートです。日付けは次の入金（2005/"
                                "01/25）より前にしてください"));
        QCOMPARE(fix(0, "2005/01/26").title, QStringLiteral("日付け異常"));
        QVERIFY(fix(0, "2005/01/24").ok());
        QVERIFY(fix(0, "2005/01/10").ok()); // its own day: an amount correction
        // Both on one day already: the opening income may keep that day.
        const QByteArray sameDay = sjis(QStringLiteral("\"2005/01/10\",\"スタート時入金\",50000\r\n"
                                                       "\"2005/01/10\",\"給料\",200000\r\n"));
        const QList<RecordAt> both = recordLines(sameDay);
        QVERIFY(checkIncomeFix(both, 0, incomeOf(both.at(0)), QStringLiteral("1"), {}).ok());
        // Another income may share the start day: it lands after the opening income.
        QVERIFY(fix(1, "2005/01/10").ok());
        QCOMPARE(fix(1, "2005/01/09").title, QStringLiteral("日付け異常"));
    }
};

QTEST_GUILESS_MAIN(TestCorrections)
#include "test_corrections.moc"
