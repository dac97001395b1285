// What the search, reflection and data list pages keep between their events.
#include <QTest>

#include "book/datalist.h"
#include "book/reflection.h"
#include "book/search.h"
#include "records/cp932.h"

using KeyBox = SearchChoice::KeyBox;

class TestPageState : public QObject {
    Q_OBJECT
private slots:
    void searchListsByWeekdayAndKey_data() {
        QTest::addColumn<std::optional<int>>("weekday");
        QTest::addColumn<bool>("keySet");
        QTest::addColumn<SearchTest>("test");
        QTest::newRow("every weekday, no key")
            << std::optional<int>() << false << SearchTest::Period;
        QTest::newRow("every weekday, a key") << std::optional<int>() << true << SearchTest::Key;
        QTest::newRow("Sunday, no key") << std::optional<int>(0) << false << SearchTest::Week;
        QTest::newRow("Saturday, a key") << std::optional<int>(6) << true << SearchTest::KeyWeek;
    }
    void searchListsByWeekdayAndKey() {
        QFETCH(std::optional<int>, weekday);
        QFETCH(bool, keySet);
        QFETCH(SearchTest, test);
        const SearchChoice choice{KeyBox::Payee, weekday};
        QCOMPARE(searchTestFor(choice, keySet), test);
        const SearchQuery q = searchQueryFor(choice, test, "2024/01/01", "2024/01/31", "駅");
        QCOMPARE(q.test, test);
        QCOMPARE(q.weekday, weekday.value_or(0));
        QVERIFY(q.keyInPayee);
        QCOMPARE(q.key, QStringLiteral("駅"));
    }

    // Until a box is given the key, the category box is read.
    void searchKeyBox() {
        const SearchChoice unset, category{KeyBox::Category, {}}, payee{KeyBox::Payee, {}};
        QVERIFY(!unset.keyInPayee());
        QVERIFY(!category.keyInPayee());
        QVERIFY(payee.keyInPayee());
    }

    void reflectionMarksAddAndTakeAway() {
        ReflectionMarks marks({300, 1200, std::numeric_limits<Yen>::max()});
        QVERIFY(marks.toggle(1));
        QVERIFY(marks.toggle(0));
        QCOMPARE(marks.total(), 1500LL);
        QVERIFY(marks.toggle(1));
        QVERIFY(!marks.isMarked(1));
        QCOMPARE(marks.total(), 300LL);
        QVERIFY(!marks.toggle(3) && !marks.toggle(-1)); // rows the month does not have
        QVERIFY(marks.toggle(2));
        QCOMPARE(marks.total(), std::numeric_limits<Yen>::max()); // saturated, not wrapped
        QVERIFY(marks.toggle(2)); // what stays marked is summed exactly again
        QCOMPARE(marks.total(), 300LL);
    }

    // The keys of a sort by payee order the rows as their texts do, by character code.
    void dataListSortKeysFollowTheTexts() {
        const QStringList payees{"b", "A", "a", "本屋", "A", "", "Ａ"};
        QString lines;
        for (const QString &p : payees)
            lines += QStringLiteral("\"2024/01/01\",\"%1\",\"x\",1,\"\",\"\"\r\n").arg(p);
        const PaymentTable table =
            computeDataList(BookModel::fromBytes(cp932::encode(lines).value_or("")));
        QList<int> keys;
        QVERIFY(table.sortKeys(PaymentTable::Field::Payee, &keys));
        QCOMPARE(keys.size(), payees.size());
        for (qsizetype i = 0; i < keys.size(); ++i)
            for (qsizetype j = 0; j < keys.size(); ++j)
                QCOMPARE(keys.at(i) < keys.at(j),
                         QStringView(payees.at(i)).compare(QStringView(payees.at(j))) < 0);
        QVERIFY(!table.sortKeys(PaymentTable::Field::Amount, &keys));
        // Comments too.
        QString memoLines;
        for (const QString &m : payees)
            memoLines += QStringLiteral("\"2024/01/01\",\"a\",\"x\",1,\"%1\",\"\"\r\n").arg(m);
        const PaymentTable memos =
            computeDataList(BookModel::fromBytes(cp932::encode(memoLines).value_or("")));
        QVERIFY(memos.sortKeys(PaymentTable::Field::Memo, &keys));
        for (qsizetype i = 0; i < keys.size(); ++i)
            for (qsizetype j = 0; j < keys.size(); ++j)
                QCOMPARE(keys.at(i) < keys.at(j),
                         QStringView(payees.at(i)).compare(QStringView(payees.at(j))) < 0);
    }

    void dataListSortsTurnPerButton() {
        DataListSorts sorts;
        using P = DataListSorts::Press;
        QCOMPARE(sorts.press(3), (P{6, true, true}));  // 金額 by the plain amount
        QCOMPARE(sorts.press(3), (P{6, true, false})); // the same button turns
        QCOMPARE(sorts.press(1), (P{2, false, true})); // another keeps its own direction
        QCOMPARE(sorts.press(3), (P{6, true, true}));
        QCOMPARE(sorts.press(0), (P{0, true, true}));
        QCOMPARE(sorts.press(4), (P{5, false, true}));
        QCOMPARE(sorts.press(5), P{});
    }
};

QTEST_GUILESS_MAIN(TestPageState)
#include "test_pagestate.moc"
