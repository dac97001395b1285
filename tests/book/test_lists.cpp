// The data list, the diary rewrite and the savings as plain computations over
// the bytes of データ.txt.
#include <QFile>
#include <QTest>

#include "recordlines.h"
#include <sys/stat.h>
#include <unistd.h>

#include "book/datalist.h"
#include "book/diary.h"
#include "book/savings.h"
#include "bookdir.h"
#include "failingreads.h"

namespace {
const QString kData = QStringLiteral("データ.txt");

ino_t inodeOf(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

class TestLists : public QObject {
    Q_OBJECT
private slots:
    void dataListShowsEveryRecordInFileOrder() {
        const PaymentTable list = computeDataList(lines({
            uR"("2005/02/14","スーパー","食費",1234,"特売","r")",
            uR"("2005/2/4","駅","交通費",-500,"","")",
            uR"("2005/02/15","本屋","教養",12.5,"一言, 二言","")",
            uR"("2005/02/30","A","B",abc,"x","")",
            uR"("昨日","C","D",,"","")",
        }));
        QCOMPARE(list.size(), 5);
        QCOMPARE(list.row(0).date, QStringLiteral("2005/02/14"));
        QCOMPARE(list.row(0).payee, QStringLiteral("スーパー"));
        QCOMPARE(list.row(0).category, QStringLiteral("食費"));
        QCOMPARE(list.row(0).amount, QStringLiteral("¥1,234"));
        QCOMPARE(list.row(0).plainAmount, QStringLiteral("1234"));
        QCOMPARE(list.row(0).memo, QStringLiteral("特売"));
        // A date written loosely is shown in the stored form; negatives keep their sign.
        QCOMPARE(list.row(1).date, QStringLiteral("2005/02/04"));
        QCOMPARE(list.row(1).amount, QStringLiteral("-¥500"));
        QCOMPARE(list.row(1).plainAmount, QStringLiteral("-500"));
        // Whole yen, halves to even; commas inside quotes belong to the text.
        QCOMPARE(list.row(2).amount, QStringLiteral("¥12"));
        QCOMPARE(list.row(2).memo, QStringLiteral("一言, 二言"));
        // What cannot be read is shown as stored, without failing the rest.
        QCOMPARE(list.row(3).date, QStringLiteral("2005/02/30"));
        QCOMPARE(list.row(3).amount, QStringLiteral("abc"));
        QCOMPARE(list.row(3).plainAmount, QStringLiteral("abc"));
        QCOMPARE(list.row(4).date, QStringLiteral("昨日"));
        QCOMPARE(list.row(4).amount, QStringLiteral("¥0")); // an empty amount reads as 0
        QCOMPARE(computeDataList(QByteArray()).size(), 0);
    }

    void dataListHasNoRowLimit() {
        QByteArray many;
        for (int i = 0; i < 40000; ++i)
            many += "\"2005/02/14\",\"a\",\"b\"," + QByteArray::number(i) + ",\"\",\"\"\r\n";
        const PaymentTable list = computeDataList(many);
        QCOMPARE(list.size(), 40000);
        QCOMPARE(list.text(39999, PaymentTable::Field::PlainAmount), QStringLiteral("39999"));
        QCOMPARE(list.amount(39999), std::optional<Yen>(39999));
    }

    void amountAndDateFields() {
        QVERIFY(isAmountField(""));
        QVERIFY(isAmountField("-12"));
        QVERIFY(isAmountField("12.50"));
        QVERIFY(!isAmountField("12."));
        QVERIFY(!isAmountField("1,234"));
        QVERIFY(!isAmountField("x"));
        QCOMPARE(readDateField("2024/02/29"), QStringLiteral("2024/02/29"));
        QCOMPARE(readDateField("2023/02/29"), QString());
        QCOMPARE(readDateField("2023/1/9"), QStringLiteral("2023/01/09"));
        QCOMPARE(readDateField("23/01/09"), QString());
        QCOMPARE(readDateField("2023/01/09x"), QString());
    }

    void storingOneCommentRewritesOnlyWhatItMust() {
        BookDir dir;
        Book book(dir.path());
        const QByteArray before = lines({
            uR"("2005/02/14","スーパー","食費",1234,"特売","予備")",
            uR"("2005/02/14","駅","交通費",12.5,"","")",
            uR"("2005/02/15","本屋","教養",-300,"古い一言","")",
            uR"("2005/02/16","A","B",abc,"x","r")",
            uR"("2005/02/16",  "C","D",1,"","r")",
            uR"("2005/02/16","E","F",2,"")",
            uR"("2005/02/31","G","H",3,"","r")",
            uR"("2005/02/17","髙島屋","①",7,"〜","")",
        });
        dir.writeBytes(kData, before);
        Diary diary = computeDiary(book);
        QCOMPARE(diary.size(), 8);
        QCOMPARE(diary.row(1).amount, QStringLiteral("¥12"));
        QCOMPARE(diary.row(6).date, QStringLiteral("2005/02/31")); // as stored
        QVERIFY(diary.storeComment(book, 2, QStringLiteral("新しい一言")).ok());
        // Readable records: same fields, whole amounts, empty reserved field;
        // the others exactly as they were.
        QCOMPARE(dir.bytes(kData), lines({
                                       uR"("2005/02/14","スーパー","食費",1234,"特売","")",
                                       uR"("2005/02/14","駅","交通費",12,"","")",
                                       uR"("2005/02/15","本屋","教養",-300,"新しい一言","")",
                                       uR"("2005/02/16","A","B",abc,"x","r")",
                                       uR"("2005/02/16",  "C","D",1,"","r")",
                                       uR"("2005/02/16","E","F",2,"")",
                                       uR"("2005/02/31","G","H",3,"","r")",
                                       uR"("2005/02/17","髙島屋","①",7,"～","")",
                                   }));
        QCOMPARE(diary.row(2).memo, QStringLiteral("新しい一言"));
        // A second store keeps the first; an empty comment empties the field.
        QVERIFY(diary.storeComment(book, 0, QString()).ok());
        QVERIFY(dir.bytes(kData).startsWith(
            sjis(QStringLiteral("\"2005/02/14\",\"スーパー\",\"食費\",1234,\"\",\"\"\r\n"))));
        QVERIFY(dir.bytes(kData).contains(sjis(QStringLiteral("新しい一言"))));
        QCOMPARE(computeDiary(book).row(2).memo, QStringLiteral("新しい一言"));
        // Later stores change only their row's line: the file is what the rows say.
        QVERIFY(diary.storeComment(book, 7, QStringLiteral("長めの一言日記")).ok());
        QVERIFY(diary.storeComment(book, 1, QStringLiteral("短")).ok());
        QCOMPARE(dir.bytes(kData), diary.content());
        QVERIFY(!dir.exists(QStringLiteral("データコピー.txt")));
    }

    void unholdableCommentsAreRefused_data() {
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("message");
        QTest::newRow("quote") << QStringLiteral("a\"b")
                               << QStringLiteral("ダブルクォーテーション（\"）は保存できません。"
                                                 "別の文字に置き換えてください。");
        QTest::newRow("line break")
            << QStringLiteral("a\nb")
            << QStringLiteral("改行は保存できません。一行で入力してください。");
        QTest::newRow("emoji")
            << QStringLiteral("楽しい😀")
            << QStringLiteral("「😀」は保存できない文字です。別の文字に置き換えてください。");
    }
    void unholdableCommentsAreRefused() {
        QFETCH(QString, comment);
        QFETCH(QString, message);
        BookDir dir;
        Book book(dir.path());
        const QByteArray before = lines({uR"("2005/02/14","A","B",1,"m","r")"});
        dir.writeBytes(kData, before);
        Diary diary = computeDiary(book);
        const FileResult r = diary.storeComment(book, 0, comment);
        QCOMPARE(r.title, QStringLiteral("保存できない文字"));
        QCOMPARE(r.message, message);
        QCOMPARE(dir.bytes(kData), before);
        QCOMPARE(diary.row(0).memo, QStringLiteral("m"));
    }

    void unreadableRecordAndChangedFileAreRefused() {
        BookDir dir;
        Book book(dir.path());
        const QByteArray before =
            lines({uR"("2005/02/14","A","B",x,"m","")", uR"("2005/02/15","C","D",2,"","")"});
        dir.writeBytes(kData, before);
        Diary diary = computeDiary(book);
        FileResult r = diary.storeComment(book, 0, QStringLiteral("一言"));
        QVERIFY(!r.ok());
        QCOMPARE(dir.bytes(kData), before);
        // Another program changed the book: writing the rows back would lose its change.
        const QByteArray changed = before + lines({uR"("2005/02/16","E","F",3,"","")"});
        dir.writeBytes(kData, changed);
        r = diary.storeComment(book, 1, QStringLiteral("一言"));
        QCOMPARE(r.title, QStringLiteral("データ変更"));
        QCOMPARE(dir.bytes(kData), changed);
    }

    void aDiaryReadOnlyInPartStoresNothing() {
        BookDir dir;
        Book book(dir.path());
        QByteArray before;
        for (int i = 0; i < 200; ++i)
            before += lines({uR"("2005/02/14","A","B",1,"","")"});
        dir.writeBytes(kData, before);
        Diary diary;
        {
            FailingReads failing(100);
            diary = computeDiary(book);
        }
        const FileResult r = diary.storeComment(book, 0, QStringLiteral("一言"));
        QCOMPARE(r.title, QStringLiteral("ファイル読み込みエラー"));
        QCOMPARE(dir.bytes(kData), before);
    }

    void storeGoesThroughTheTemporaryRenamedOverTheFile() {
        BookDir dir;
        Book book(dir.path());
        dir.writeBytes(kData, lines({uR"("2005/02/14","A","B",1,"","")"}));
        // A temporary left behind by an earlier crash is replaced, not appended to.
        dir.writeBytes(QStringLiteral("データコピー.txt"), "stale bytes\r\n");
        const QString real = dir.file(kData);
        // A second name for the old file shows whether it was written in place.
        const QString oldName = dir.file(QStringLiteral("old.txt"));
        QCOMPARE(
            ::link(QFile::encodeName(real).constData(), QFile::encodeName(oldName).constData()), 0);
        const ino_t before = inodeOf(real);
        Diary diary = computeDiary(book);
        QVERIFY(diary.storeComment(book, 0, QStringLiteral("一言")).ok());
        QVERIFY(inodeOf(real) != before);
        QCOMPARE(dir.bytes(QStringLiteral("old.txt")), lines({uR"("2005/02/14","A","B",1,"","")"}));
        QCOMPARE(dir.bytes(kData), lines({uR"("2005/02/14","A","B",1,"一言","")"}));
        QVERIFY(!dir.exists(QStringLiteral("データコピー.txt")));
    }

    void savingsAndTheirRunningTotal() {
        const auto rows = computeSavings(lines({
            uR"("2005/01/01","貯金","雑費",10000,"","")",
            uR"("2005/01/02","銀行","定期貯金",5000,"","")",
            uR"("2005/01/03","スーパー","食費",800,"貯金したい","")",
            uR"("2005/01/04","貯金箱","貯金",3000,"","")",
            uR"("2005/01/05","貯金","引き出し",-2000,"","")",
            uR"("2005/01/06","ちょきん","貯 金",100,"","")",
        }));
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].payee, QStringLiteral("貯金"));
        QCOMPARE(rows[1].category, QStringLiteral("定期貯金"));
        QCOMPARE(rows[2].date, QStringLiteral("2005/01/04")); // both match: listed once
        QCOMPARE(rows[3].amount, -2000);
        const QList<Yen> totals{rows[0].total, rows[1].total, rows[2].total, rows[3].total};
        QCOMPARE(totals, (QList<Yen>{10000, 15000, 18000, 16000}));
        QVERIFY(computeSavings(QByteArray()).isEmpty());
        // Chart scales: the ceiling of the highest value, and below 0 for a withdrawal.
        const SavingsScale scale = savingsScale(rows);
        QCOMPARE(scale.totalLow, 0);
        QCOMPARE(scale.totalHigh, 20000);
        QCOMPARE(scale.savingLow, -3000);
        QCOMPARE(scale.savingHigh, 20000);
        const SavingsScale none = savingsScale({});
        QCOMPARE(none.totalHigh, 1);
        QCOMPARE(none.savingLow, 0);
    }

    void savingsFoundWhateverTheLineEnds() {
        const QByteArray content =
            sjis(QStringLiteral("\"2005/01/01\",\"貯金\",\"a\",1,\"\",\"\"\r"
                                "\"2005/01/02\",\"b\",\"c\",2,\"貯金\",\"\"\n"
                                "\"2005/01/03\",\"d\",\"貯金\",4,\"\",\"\""));
        const auto rows = computeSavings(content);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].date, QStringLiteral("2005/01/01"));
        QCOMPARE(rows[1].total, 5);
    }

    void savingsTotalHoldsBeyond32Bits() {
        const auto rows = computeSavings(lines({
            uR"("2005/01/01","貯金","",2000000000,"","")",
            uR"("2005/01/02","貯金","",2000000000,"","")",
        }));
        QCOMPARE(rows[1].total, 4000000000LL);
    }
};

QTEST_GUILESS_MAIN(TestLists)
#include "test_lists.moc"
