// Budgets and fixed payments: what is left of a category in a month, the
// budget view, which fixed payments are due, both files byte for byte, and
// a rename that takes them along.
#include <QTest>

#include "book/budget.h"
#include "book/fixedpayments.h"
#include "book/monthsummary.h"
#include "book/rename.h"
#include "bookdir.h"
#include "failingreads.h"
#include "records/recordfiles.h"

namespace {
QByteArray pay(const char *date, const char *category, int amount) {
    return sjis(QStringLiteral("\"%1\",\"店\",\"%2\",%3,\"\",\"\"\r\n")
                    .arg(QString::fromUtf8(date), QString::fromUtf8(category))
                    .arg(amount));
}
const QList<Budget> kBudgets{{"食費", 40000}, {"交通費", 5000}, {"教養", 3000}};
} // namespace

class TestBudget : public QObject {
    Q_OBJECT
private slots:
    void whatIsLeftInTheMonth_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("over");
        QTest::newRow("the month only, both ends")
            << "食費" << QDate(2024, 2, 10) << "予算残り 27,660円" << false;
        QTest::newRow("over") << "交通費" << QDate(2024, 2, 29) << "予算超過 1,000円" << true;
        QTest::newRow("no payments") << "教養" << QDate(2024, 2, 1) << "予算残り 3,000円" << false;
        QTest::newRow("spent to the yen")
            << "食費" << QDate(2024, 3, 31) << "予算残り 0円" << false;
        QTest::newRow("no budget") << "雑費" << QDate(2024, 2, 1) << "" << false;
    }
    void whatIsLeftInTheMonth() {
        QFETCH(QString, category);
        QFETCH(QDate, day);
        QFETCH(QString, text);
        QFETCH(bool, over);
        const BookModel book = BookModel::fromBytes(
            pay("2024/01/31", "食費", 999) + pay("2024/02/01", "食費", 12000) +
            pay("2024/02/29", "食費", 340) + pay("2024/02/15", "交通費", 6000) +
            pay("2024/03/01", "食費", 40000) + pay("2024/02/20", "雑費", 1));
        const BudgetLeft left = computeBudgetLeft(book, kBudgets, category, day);
        QCOMPARE(left.shown, !text.isEmpty());
        QCOMPARE(left.text, text);
        QCOMPARE(left.over, over);
    }

    void theViewHasARowPerBudget() {
        const BookModel book = BookModel::fromBytes(pay("2024/02/01", "食費", 10001) +
                                                    pay("2024/02/15", "交通費", 7500));
        const BudgetView view = computeBudgetView(book, kBudgets, QDate(2024, 2, 1));
        QCOMPARE(view.top, axisCeiling(40000));
        QCOMPARE(view.rows, (QList<BudgetRow>{{"食費", 40000, 10001, 29999, 25, false},
                                              {"交通費", 5000, 7500, -2500, 150, true},
                                              {"教養", 3000, 0, 3000, 0, false}}));
    }

    void settingABudget_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::newRow("grouped") << "４５，０００円"
                                 << "";
        QTest::newRow("empty") << ""
                               << "金額未入力";
        QTest::newRow("words") << "たくさん"
                               << "金額異常";
        QTest::newRow("zero") << "0"
                              << "予算額異常";
    }
    void settingABudget() {
        QFETCH(QString, typed);
        QFETCH(QString, title);
        const BudgetEdit edit = setBudget(kBudgets, QStringLiteral("食費"), typed);
        QCOMPARE(edit.title, title);
        QCOMPARE(edit.budgets.first().amount, title.isEmpty() ? 45000 : 40000);
    }

    // The file as written, and a category renamed across the book takes its
    // budget along; a name the new one already had keeps its own line.
    void theFileAndARename() {
        BookDir d;
        d.makeEmptyBook();
        Book book(d.path());
        QVERIFY(writeBudgets(book, setBudget(kBudgets, "外食", "8000").budgets).ok());
        QCOMPARE(d.bytes(bookfile::budgets),
                 sjis("\"食費\",40000\r\n\"交通費\",5000\r\n\"教養\",3000\r\n\"外食\",8000\r\n"));
        d.write(bookfile::categories, QStringLiteral("食費\r\n交通費\r\n教養\r\n外食\r\n"));
        QVERIFY(renameEverywhere(book, PaymentField::Category, "外食", "食費").ok());
        QVERIFY(renameEverywhere(book, PaymentField::Category, "教養", "本").ok());
        QCOMPARE(d.bytes(bookfile::budgets),
                 sjis("\"食費\",40000\r\n\"交通費\",5000\r\n\"本\",3000\r\n"));
        QCOMPARE(budgetsIn(d.bytes(bookfile::budgets)).size(), 3);
        // Renamed to itself, or typed with 〜 for a stored ～: no budget lost or doubled.
        QVERIFY(renameEverywhere(book, PaymentField::Category, "本", "本").ok());
        QVERIFY(
            writeBudgets(
                book,
                setBudget(budgetsIn(d.bytes(bookfile::budgets)), "雑費～その他", "5000").budgets)
                .ok());
        QCOMPARE(setBudget(budgetsIn(d.bytes(bookfile::budgets)), "雑費〜その他", "6000").budgets,
                 (QList<Budget>{
                     {"食費", 40000}, {"交通費", 5000}, {"本", 3000}, {"雑費～その他", 6000}}));
        QVERIFY(renameEverywhere(book, PaymentField::Category, "本", "雑費〜その他").ok());
        QCOMPARE(d.bytes(bookfile::budgets),
                 sjis("\"食費\",40000\r\n\"交通費\",5000\r\n\"雑費～その他\",5000\r\n"));
    }

    // Both files written over what another program left: lines that hold no
    // budget or payment stay; a file whose rewrite would lose a character, or
    // that cannot be read, is refused and keeps its bytes.
    void aRewriteLosesNothingOfTheFile_data() {
        QTest::addColumn<bool>("budgets");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("refused");
        const QByteArray utf8 = "\xEF\xBB\xBF" + QStringLiteral("\"🎵\",1000\r\n").toUtf8();
        QTest::newRow("budgets, a line of none")
            << true << sjis("\"食費\",1000\r\n\"メモ\",0\r\n")
            << sjis("\"食費\",2000\r\n\"メモ\",0\r\n") << QString();
        QTest::newRow("budgets, a character CP932 lacks")
            << true << utf8 << utf8 << QStringLiteral("保存できない文字");
        QTest::newRow("budgets, unreadable")
            << true << utf8 << utf8 << QStringLiteral("ファイル読み込みエラー");
        QTest::newRow("fixed payments, a day past 31")
            << false << sjis("\"町内会\",\"会費\",1000,32,\"\"\r\n")
            << sjis("\"大家\",\"住居費\",2000,14,\"\"\r\n\"町内会\",\"会費\",1000,32,\"\"\r\n")
            << QString();
        QTest::newRow("fixed payments, a character CP932 lacks")
            << false << utf8 << utf8 << QStringLiteral("保存できない文字");
    }
    void aRewriteLosesNothingOfTheFile() {
        QFETCH(bool, budgets);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, refused);
        BookDir d;
        const QString name = budgets ? bookfile::budgets : bookfile::fixedPayments;
        d.writeBytes(name, before);
        const Book book(d.path());
        const auto write = [&] {
            return budgets ? writeBudgets(book, {{"食費", 2000}})
                           : writeFixedPayments(book, {{"大家", "住居費", 2000, 14, ""}});
        };
        const FileResult r = refused == u"ファイル読み込みエラー" ? FailingReads(0),
                         write()                                  : write();
        QCOMPARE(r.title, refused);
        QCOMPARE(d.bytes(name), after);
    }

    void whichFixedPaymentsAreDue_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<QDate>>("due");
        QTest::newRow("day 31 in a 30-day month")
            << QDate(2024, 4, 30) << QList<QDate>{{2024, 4, 1}, {2024, 4, 27}, {2024, 4, 30}};
        QTest::newRow("a leap February")
            << QDate(2024, 2, 29) << QList<QDate>{{2024, 2, 1}, {2024, 2, 27}, {2024, 2, 29}};
        QTest::newRow("before its day") << QDate(2025, 2, 26) << QList<QDate>{{2025, 2, 1}};
        QTest::newRow("opened on the 1st") << QDate(2024, 6, 1) << QList<QDate>{{2024, 6, 1}};
        QTest::newRow("entered this month")
            << QDate(2024, 5, 31) << QList<QDate>{{2024, 5, 27}, {2024, 5, 31}};
    }
    void whichFixedPaymentsAreDue() {
        QFETCH(QDate, today);
        QFETCH(QList<QDate>, due);
        // In file order: the rent on the 27th, the phone on the 31st, the paper on the 1st.
        const QList<FixedPayment> fixed{{"大家", "住居費", 65000, 27, "2024/03"},
                                        {"携帯電話", "通信費", 3000, 31, ""},
                                        {"新聞", "教養", 4000, 1, "2024/05"}};
        QList<QDate> dates;
        for (const DuePayment &d : computeDuePayments(fixed, today))
            dates.append(d.date);
        QCOMPARE(dates, due);
        const QList<FixedPayment> marked =
            markOffered(fixed, computeDuePayments(fixed, today), today);
        QVERIFY(computeDuePayments(marked, today).isEmpty());
    }

    void offeredPaymentsAreMarkedWhereTheFileNowHoldsThem() {
        const FixedPayment rent{"大家", "住居費", 65000, 27, ""},
            phone{"電話", "通信費", 3000, 1, ""}, added{"新聞", "教養", 4000, 1, ""};
        const QDate today(2024, 5, 27);
        const QList<FixedPayment> marked =
            markOfferedIn({added, phone}, {rent, phone}, {{0, {}}, {1, {}}}, today);
        QCOMPARE(marked.value(0), added); // added meanwhile: untouched
        QCOMPARE(marked.value(1).lastMonth, QStringLiteral("2024/05"));
        QCOMPARE(marked.size(), 2); // the rent, removed meanwhile, stays gone
    }

    void theFixedPaymentsFileAndARename() {
        BookDir d;
        d.makeEmptyBook();
        Book book(d.path());
        FixedPaymentEdit edit = setFixedPayment({}, -1, "大家", "住居費", "65,000", "27");
        QVERIFY(edit.title.isEmpty());
        edit = setFixedPayment(edit.payments, -1, "大家", "住居費", "65000", "32");
        QCOMPARE(edit.title, QStringLiteral("日付け異常"));
        QVERIFY(writeFixedPayments(book, markOffered(edit.payments, {{0, {}}}, QDate(2024, 5, 27)))
                    .ok());
        QCOMPARE(d.bytes(bookfile::fixedPayments),
                 sjis("\"大家\",\"住居費\",65000,27,\"2024/05\"\r\n"));
        d.write(bookfile::payees, QStringLiteral("大家\r\n"));
        QVERIFY(renameEverywhere(book, PaymentField::Payee, "大家", "管理会社").ok());
        QCOMPARE(d.bytes(bookfile::fixedPayments),
                 sjis("\"管理会社\",\"住居費\",65000,27,\"2024/05\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestBudget)
#include "test_budget.moc"
