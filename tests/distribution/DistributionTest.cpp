#include <gtest/gtest.h>

#include <QStringList>

#include "distribution/Distribution.h"

// The rows up to the last one used as "stake/payout" ("-" for a row without
// either), then "= total", and "too large" for amounts that cannot be shown.
static std::string Shown(const Distribution& result) {
    QStringList rows;
    for (const DistributionRow& row : result.rows)
        rows << (row.used ? row.stake + '/' + row.payout : row.stake + row.payout + '-');
    while (!rows.isEmpty() && rows.last() == "-") rows.removeLast();
    return (rows.join(' ') + " = " + result.total + (result.tooLarge ? " too large" : ""))
        .toStdString();
}

TEST(Distribute, SpreadsTheBudgetInInverseProportionToTheOdds) {
    const std::tuple<const char*, RowTexts, const char*> cases[] = {
        {"10000", RowTexts{"2.5", "4.0", "10.0"}, "5300/13250 3300/13200 1300/13000 = 9900"},
        {"3000", RowTexts{"1.5", "2.8", "7.3", "25.6"},
         "1700/2550 900/2520 300/2190 100/2560 = 3000"},
        {"900", RowTexts{"3", "3"}, "400/1200 400/1200 = 800"},  // an exact half goes to even
        {"1100", RowTexts{"3", "3"}, "600/1800 600/1800 = 1200"},
        {"300", RowTexts{"3.9", "3.9"}, "100/390 100/390 = 200"},  // 1.4999.. units, not 1.5
        {"50", RowTexts{"5"}, "100/500 = 100"},                    // 100 yen at least
        {"1000", RowTexts{"120.5", "3.2"}, "100/12050 1000/3200 = 1100"},
        {"1,000", RowTexts{" 2", "", "2 "}, "500/1000 - 500/1000 = 1000"},
        // Odds that are not a positive number, or whose reciprocal is 0 or
        // infinite in single precision, take no share.
        {"1000", RowTexts{"0", "12a", "-5", ".", "1e300", "1e-300", "2"},
         "- - - - - - 1000/2000 = 1000"},
        {"1000", RowTexts{"", "0"}, " = 0"},
        // Amounts of 1e15 yen and more cannot be shown to the yen: every row is left empty.
        {"1000", RowTexts{"1e13"}, " = 0 too large"},                              // payout of 1e15
        {"1000", RowTexts{"1e-38", "1e-38", "1e-38", "1e-38"}, " = 0 too large"},  // sum overflows
    };
    for (const auto& [budget, odds, shown] : cases)
        EXPECT_EQ(Shown(Distribute(QString::fromUtf8(budget), odds)), shown);
}

TEST(Distribute, WithoutAPositiveBudgetNothingIsSpread) {
    for (const char* budget : {"", "12a", "0", "-5", "."})
        EXPECT_EQ(Shown(Distribute(QString::fromUtf8(budget), RowTexts{"2.5", "4"})), " = 0");
}

// A refused odds text left standing beside a stake: the up-down leaves the row alone.
TEST(Distribute, RowsWithoutUsableOddsAreNotMovedByHand) {
    EXPECT_FALSE(StakeUp(u"500", u"12a") || StakeDown(u"500", u"0"));
}
