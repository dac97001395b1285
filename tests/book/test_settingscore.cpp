// What the settings page computes, on bytes and without a window: the order
// a drag leaves, the new start's checks, dates and files, and the rename
// across the book.
#include <QDir>
#include <QTest>

#include "book/masterorder.h"
#include "book/newstart.h"
#include "book/rename.h"
#include "bookdir.h"

namespace {
const QStringList kFive{"1", "2", "3", "4", "5"};

QString refusalTitle(const std::variant<NewStart, StartRefusal> &v) {
    const auto *r = std::get_if<StartRefusal>(&v);
    return r ? r->title : QString();
}
} // namespace

class TestSettingsCore : public QObject {
    Q_OBJECT
private slots:
    void dragPutsTheNameBeforeTheTarget_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("onto");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<bool>("changed");
        QTest::newRow("4 onto 1") << 3 << 0 << QStringList{"4", "1", "2", "3", "5"} << true;
        QTest::newRow("1 onto 4") << 0 << 3 << QStringList{"2", "3", "1", "4", "5"} << true;
        QTest::newRow("1 onto 2 stays") << 0 << 1 << kFive << false;
        QTest::newRow("onto itself") << 2 << 2 << kFive << false;
        QTest::newRow("last onto first") << 4 << 0 << QStringList{"5", "1", "2", "3", "4"} << true;
        QTest::newRow("first onto last") << 0 << 4 << QStringList{"2", "3", "4", "1", "5"} << true;
        QTest::newRow("5 onto 4 moves up")
            << 4 << 3 << QStringList{"1", "2", "3", "5", "4"} << true;
        QTest::newRow("nothing pressed") << -1 << 2 << kFive << false;
        QTest::newRow("released outside") << 1 << 7 << kFive << false;
    }
    void dragPutsTheNameBeforeTheTarget() {
        QFETCH(int, from);
        QFETCH(int, onto);
        QFETCH(QStringList, order);
        QFETCH(bool, changed);
        QCOMPARE(computeDraggedOrder(kFive, from, onto), order);
        QCOMPARE(computeDragMove(5, from, onto).changed, changed);
    }

    void ninetyStartDatesFromYesterday() {
        const QStringList dates = computeStartDates(QDate(2024, 3, 1));
        QCOMPARE(dates.size(), 90);
        QCOMPARE(dates.first(), QStringLiteral("2024/02/29"));
        QCOMPARE(dates.at(1), QStringLiteral("2024/02/28"));
        QCOMPARE(dates.last(), QStringLiteral("2023/12/02"));
    }

    void startDateIsARealDateStoredPadded_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("padded") << QStringLiteral("2005/02/14") << QStringLiteral("2005/02/14");
        QTest::newRow("unpadded") << QStringLiteral("2024/5/1") << QStringLiteral("2024/05/01");
        QTest::newRow("month only") << QStringLiteral("2005/2/14") << QStringLiteral("2005/02/14");
        QTest::newRow("leap day") << QStringLiteral("2024/2/29") << QStringLiteral("2024/02/29");
        QTest::newRow("impossible") << QStringLiteral("2023/2/29") << QString();
        QTest::newRow("month 13") << QStringLiteral("2024/13/01") << QString();
        QTest::newRow("day 0") << QStringLiteral("2024/01/00") << QString();
        QTest::newRow("two-digit year") << QStringLiteral("24/5/1") << QString();
        QTest::newRow("dashes") << QStringLiteral("2024-05-01") << QString();
        QTest::newRow("words") << QStringLiteral("きのう") << QString();
        QTest::newRow("blank part") << QStringLiteral("2024//1") << QString();
        QTest::newRow("three digits") << QStringLiteral("2024/005/01") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void startDateIsARealDateStoredPadded() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(normalizeStartDate(typed), stored);
    }

    void newStartChecksInOrder() {
        // The empty box comes first, with its own icon.
        auto v = checkNewStart(QStringLiteral("だめ"), QString(), QString());
        QCOMPARE(refusalTitle(v), QStringLiteral("入金未入力"));
        QCOMPARE(std::get<StartRefusal>(v).text,
                 QStringLiteral("スタート時の金額が入力されていません"));
        QCOMPARE(std::get<StartRefusal>(v).icon, StartRefusal::Icon::Information);
        // Then the amount, before the date.
        v = checkNewStart(QStringLiteral("だめ"), QStringLiteral("五万"), QString());
        QCOMPARE(refusalTitle(v), QStringLiteral("金額異常"));
        QCOMPARE(std::get<StartRefusal>(v).text, QStringLiteral("金額は数字で入力してください"));
        QCOMPARE(std::get<StartRefusal>(v).icon, StartRefusal::Icon::Warning);
        QCOMPARE(refusalTitle(
                     checkNewStart(QStringLiteral("2024/5/1"), QStringLiteral("-500"), QString())),
                 QStringLiteral("金額異常"));
        v = checkNewStart(QStringLiteral("2024/5/1"), QStringLiteral("1000000000000000"), {});
        QCOMPARE(std::get<StartRefusal>(v).text,
                 QStringLiteral("金額は999,999,999,999,999円までで入力してください"));
        v = checkNewStart(QStringLiteral("2023/2/29"), QStringLiteral("500"), QString());
        QCOMPARE(refusalTitle(v), QStringLiteral("日付け異常"));
        QCOMPARE(std::get<StartRefusal>(v).text,
                 QStringLiteral("日付けは 2005/02/14 のように年/月/日で正しく入力してください"));
        // A name the name file cannot hold.
        QCOMPARE(refusalTitle(checkNewStart(QStringLiteral("2024/5/1"), QStringLiteral("500"),
                                            QStringLiteral("a\"b"))),
                 QStringLiteral("保存できない文字"));
    }

    void openingCashIsTheProgramsReadingOfAmounts_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("cash");
        QTest::newRow("grouped") << QStringLiteral("50,000") << 50000LL;
        QTest::newRow("full-width with yen") << QStringLiteral("５０，０００円") << 50000LL;
        QTest::newRow("plain") << QStringLiteral("123456") << 123456LL;
        QTest::newRow("zero") << QStringLiteral("0") << 0LL;
    }
    void openingCashIsTheProgramsReadingOfAmounts() {
        QFETCH(QString, typed);
        QFETCH(qint64, cash);
        const auto v = checkNewStart(QStringLiteral("2024/5/1"), typed, QStringLiteral("花子"));
        QVERIFY(std::holds_alternative<NewStart>(v));
        QCOMPARE(std::get<NewStart>(v).cash, cash);
        QCOMPARE(std::get<NewStart>(v).date, QStringLiteral("2024/05/01"));
        QCOMPARE(std::get<NewStart>(v).userName, QStringLiteral("花子"));
    }

    void newStartKeepsTheOldBookAndWritesTheNewOne() {
        BookDir dir;
        dir.makeEmptyBook(QStringLiteral("旧名"));
        const QByteArray payments =
            sjis(QStringLiteral("\"2024/01/05\",\"店\",\"食費\",500,\"日記\",\"\"\r\n"));
        dir.writeBytes(QStringLiteral("データ.TXT"), payments); // the name a Windows copy may carry
        QFile::remove(dir.file(QStringLiteral("データ.txt")));
        dir.write(QStringLiteral("入金.txt"),
                  QStringLiteral("\"2024/01/01\",\"スタート時入金\",9000\r\n"));
        dir.write(QStringLiteral("支払いマスタ.txt"), QStringLiteral("店\r\n"));
        dir.write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n"));
        dir.write(QStringLiteral("関連.TXT"), QStringLiteral("\"店\",\"食費\"\r\n"));
        dir.write(QStringLiteral("気付きメモ.txt"), QStringLiteral("メモ\r\n"));
        dir.writeBytes(QStringLiteral("予測データ.txt"), payments);
        QMap<QString, QByteArray> before;
        for (const QString &name : dir.files())
            before[name] = dir.bytes(name);

        QString folder;
        const Book book(dir.path());
        const FileResult r =
            startNewBook(book, {QStringLiteral("2024/05/01"), 50000, QStringLiteral("新名")},
                         QDateTime(QDate(2024, 5, 1), QTime(9, 8, 7)), &folder);
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(folder, QStringLiteral("旧データ_20240501_090807"));
        const QDir kept(dir.file(folder));
        QStringList keptNames = kept.entryList(QDir::Files);
        keptNames.sort();
        QCOMPARE(keptNames, before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            QFile f(kept.filePath(it.key()));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), it.value());
        }

        QCOMPARE(dir.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")),
                 sjis(QStringLiteral("\"氏名\",\"新名\"\r\n")));
        QCOMPARE(dir.bytes(QStringLiteral("入金.txt")),
                 sjis(QStringLiteral("\"2024/05/01\",\"スタート時入金\",50000\r\n")));
        QCOMPARE(dir.bytes(QStringLiteral("データ.TXT")), QByteArray());
        QVERIFY(!dir.exists(QStringLiteral("データ.txt")));
        QCOMPARE(dir.bytes(QStringLiteral("気付きメモ.txt")), QByteArray());
        for (const char16_t *same :
             {u"支払いマスタ.txt", u"費目マスタ.txt", u"関連.TXT", u"設定.txt", u"予測データ.txt"})
            QCOMPARE(dir.bytes(QString::fromUtf16(same)), before[QString::fromUtf16(same)]);

        // A second start in the same second gets a folder of its own.
        QVERIFY(startNewBook(book, {QStringLiteral("2024/05/01"), 0, QString()},
                             QDateTime(QDate(2024, 5, 1), QTime(9, 8, 7)), &folder)
                    .ok());
        QCOMPARE(folder, QStringLiteral("旧データ_20240501_090807_2"));
        QCOMPARE(dir.bytes(folder + QStringLiteral("/入金.txt")),
                 sjis(QStringLiteral("\"2024/05/01\",\"スタート時入金\",50000\r\n")));
        QCOMPARE(dir.bytes(QStringLiteral("入金.txt")),
                 sjis(QStringLiteral("\"2024/05/01\",\"スタート時入金\",0\r\n")));
    }

    void failedCopyStopsTheNewStart() {
        BookDir dir;
        dir.makeEmptyBook();
        dir.write(QStringLiteral("入金.txt"),
                  QStringLiteral("\"2024/01/01\",\"スタート時入金\",9000\r\n"));
        dir.write(QStringLiteral("データ.txt"),
                  QStringLiteral("\"2024/01/05\",\"店\",\"食費\",500,\"\",\"\"\r\n"));
        // A record file that cannot be read: a folder in its place.
        QFile::remove(dir.file(QStringLiteral("予測データ.txt")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("予測データ.txt")));
        QMap<QString, QByteArray> before;
        for (const QString &name : dir.files())
            before[name] = dir.bytes(name);

        const FileResult r =
            startNewBook(Book(dir.path()), {QStringLiteral("2024/05/01"), 1, QStringLiteral("x")},
                         QDateTime(QDate(2024, 5, 1), QTime(9, 8, 7)));
        QVERIFY(!r.ok());
        QCOMPARE(r.title, QStringLiteral("新規スタート中止"));
        QVERIFY(r.message.contains(QStringLiteral("旧データ_20240501_090807")));
        QVERIFY(r.message.contains(QStringLiteral("予測データ.txt")));
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(dir.bytes(it.key()), it.value());
        QVERIFY(!QDir(dir.path()).exists(QStringLiteral("旧データ_20240501_090807")));
    }

    void renameChangesExactMatchesOnly() {
        BookDir dir;
        dir.makeEmptyBook();
        dir.write(QStringLiteral("データ.txt"),
                  QStringLiteral("\"2024/01/05\",\"店\",\"食費\",500,\"日記\",\"予備\"\r\n"
                                 "\"2024/01/05\",\"店舗\",\"食費\",123456789,\"\",\"\"\r\n"
                                 "\"2024/01/06\",\"みせ\",\"店\",7,\"\",\"\"\r\n"));
        dir.write(QStringLiteral("支払いマスタ.txt"), QStringLiteral("店\r\n店舗\r\n店\r\n"));
        dir.write(QStringLiteral("関連.TXT"), QStringLiteral("\"店\",\"食費\"\r\n"));
        const QByteArray association = dir.bytes(QStringLiteral("関連.TXT"));
        QVERIFY(renameEverywhere(Book(dir.path()), PaymentField::Payee, QStringLiteral("店"),
                                 QStringLiteral("スーパー"))
                    .ok());
        QCOMPARE(dir.text(QStringLiteral("データ.txt")),
                 QStringLiteral("\"2024/01/05\",\"スーパー\",\"食費\",500,\"日記\",\"予備\"\r\n"
                                "\"2024/01/05\",\"店舗\",\"食費\",123456789,\"\",\"\"\r\n"
                                "\"2024/01/06\",\"みせ\",\"店\",7,\"\",\"\"\r\n"));
        QCOMPARE(dir.text(QStringLiteral("支払いマスタ.txt")),
                 QStringLiteral("スーパー\r\n店舗\r\nスーパー\r\n"));
        QCOMPARE(dir.bytes(QStringLiteral("関連.TXT")), association);
        for (const char16_t *temp : {u"データＣＨＧ.txt", u"状況リストＣＨＧ.txt"})
            QVERIFY(!dir.exists(QString::fromUtf16(temp)));
    }

    void renameMergesCategories() {
        BookDir dir;
        dir.makeEmptyBook();
        dir.write(QStringLiteral("データ.txt"),
                  QStringLiteral("\"2024/01/05\",\"店\",\"外食\",500,\"\",\"\"\r\n"
                                 "\"2024/01/06\",\"店\",\"食費\",600,\"\",\"\"\r\n"));
        dir.write(QStringLiteral("費目マスタ.txt"), QStringLiteral("食費\r\n外食\r\n"));
        QVERIFY(renameEverywhere(Book(dir.path()), PaymentField::Category, QStringLiteral("外食"),
                                 QStringLiteral("食費"))
                    .ok());
        QCOMPARE(dir.text(QStringLiteral("データ.txt")),
                 QStringLiteral("\"2024/01/05\",\"店\",\"食費\",500,\"\",\"\"\r\n"
                                "\"2024/01/06\",\"店\",\"食費\",600,\"\",\"\"\r\n"));
        QCOMPARE(dir.text(QStringLiteral("費目マスタ.txt")), QStringLiteral("食費\r\n食費\r\n"));
        QVERIFY(!dir.exists(QStringLiteral("費目リストＣＨＧ.txt")));
    }

    void renameRefusesANameTheFilesCannotHold() {
        BookDir dir;
        dir.makeEmptyBook();
        dir.write(QStringLiteral("データ.txt"),
                  QStringLiteral("\"2024/01/05\",\"店\",\"食費\",500,\"\",\"\"\r\n"));
        dir.write(QStringLiteral("支払いマスタ.txt"), QStringLiteral("店\r\n"));
        const QByteArray payments = dir.bytes(QStringLiteral("データ.txt"));
        const QByteArray master = dir.bytes(QStringLiteral("支払いマスタ.txt"));
        for (const QString &bad : {QStringLiteral("a\"b"), QStringLiteral("😀")}) {
            const FileResult r =
                renameEverywhere(Book(dir.path()), PaymentField::Payee, QStringLiteral("店"), bad);
            QCOMPARE(r.title, QStringLiteral("保存できない文字"));
            QCOMPARE(dir.bytes(QStringLiteral("データ.txt")), payments);
            QCOMPARE(dir.bytes(QStringLiteral("支払いマスタ.txt")), master);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingsCore)
#include "test_settingscore.moc"
