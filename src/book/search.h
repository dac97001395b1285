#pragma once
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "book/bookmodel.h"
#include "records/money.h"

// The search listing: the payments that meet a key text (in the payee or the
// category), a weekday and a period, with a running total, and the ceiling of
// the chart of their amounts.

enum class SearchTest {
    All,     // every record
    Period,  // from ≤ date ≤ to
    Key,     // the key occurs in the field, and the period
    Week,    // the weekday, and the period
    KeyWeek, // key, weekday and period
};

struct SearchQuery {
    SearchTest test = SearchTest::All;
    // Compared with the date text character by character, both ends included.
    QString from, to;
    QString key;            // an empty key occurs in every field
    bool keyInPayee = true; // else in the category
    int weekday = 0;        // 0 = Sunday … 6 = Saturday
};

// One listed payment, kept small: a listing of a whole book holds 100,000.
struct SearchRow {
    qint32 day;      // day number (QDate's Julian day)
    qint32 payee;    // index into SearchResult::names
    qint32 category; // index into SearchResult::names
    Yen amount;
    int weekday() const; // 0 = Sunday
};

struct SearchResult {
    QList<SearchRow> rows;
    QStringList names; // the payee and category texts the rows point to
    // SearchTest::All only: the record dates, a date repeated in consecutive
    // records once.
    QStringList dates;
    // The chart peak: raised to an amount plus 100 whenever an amount exceeds it.
    Yen peak = 0;
    Yen axisMax = 1; // the value axis ceiling of the peak

    // The running total before every kTotalsEvery-th row: a row's total is
    // summed on from there, as it was summed when listed.
    static constexpr qsizetype kTotalsEvery = 64;
    QList<Yen> totalsBefore;

    QString date(qsizetype row) const;     // yyyy/mm/dd
    Yen runningTotal(qsizetype row) const; // this and every earlier listed amount
    const QString &payee(qsizetype row) const { return names.at(rows.at(row).payee); }
    const QString &category(qsizetype row) const { return names.at(rows.at(row).category); }
    // Equal when they list the same payments the same way.
    bool operator==(const SearchResult &other) const;
};

// What the search page has chosen between two of its events: the box the
// key was last given in and the weekday. The listing for them follows.
struct SearchChoice {
    enum class KeyBox { Unset, Payee, Category };
    KeyBox keyBox = KeyBox::Unset;  // Unset reads the key from the category box
    std::optional<int> weekday = 0; // 0 = Sunday … 6; nullopt: every weekday
    bool keyInPayee() const { return keyBox == KeyBox::Payee; }
    bool operator==(const SearchChoice &) const = default;
};

// The test that lists by the choice and the period, with or without a key.
SearchTest searchTestFor(const SearchChoice &choice, bool keySet);
// The query of a listing: the test, the period from–to and the key.
SearchQuery searchQueryFor(const SearchChoice &choice, SearchTest test, const QString &from,
                           const QString &to, const QString &key);

// The period buttons: each period runs from some days before today to today.
enum class SearchPeriod {
    Yesterday,
    ThreeDays,
    Week,
    TwoWeeks,
    Month,
    ThreeMonths,
    HalfYear,
    Year
};
int daysBack(SearchPeriod period);
struct DateRange {
    QString from, to; // yyyy/mm/dd
};
DateRange periodEndingToday(SearchPeriod period, QDate today);

// Lists the records of データ.txt content that pass the query's test.
SearchResult computeSearch(const BookModel &book, const SearchQuery &query);
// The same over the contents of データ.txt.
SearchResult computeSearch(const QByteArray &payments, const SearchQuery &query);

// The chart's axis maximum for a peak: first digit plus one, then zeros (0 → 1).
Yen searchAxisMax(Yen peak);
