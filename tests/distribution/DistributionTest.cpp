#include <gtest/gtest.h>

#include <QStringList>

#include "distribution/Distribution.h"

// The rows up to the last one used as "stake/payout" ("-" for a row without
// either), then "= total", "too large" for amounts that cannot be shown and
// "kept" when there is no budget (the window then keeps what the rows show).
static std::string Shown(const Distribution& result) {
    QStringList rows;
    for (const DistributionRow& row : result.rows)
        rows << (row.used ? row.stake + '/' + row.payout : row.stake + row.payout + '-');
    while (!rows.isEmpty() && rows.last() == "-") rows.removeLast();
    return (rows.join(' ') + " = " + result.total + (result.tooLarge ? " too large" : "") +
            (result.budgetCounted ? "" : " kept"))
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
        // Found by fuzz_distribution: 3.01e307 yen made stakes of about 1E+307.
        {" 3,01e305", RowTexts{"5", "0", "12a", "1e3"}, " = 0 too large"},
        // Without a positive budget nothing is spread.
        {"", RowTexts{"2.5"}, " = 0 kept"},
        {"12a", RowTexts{"2.5"}, " = 0 kept"},
        {"0", RowTexts{"2.5"}, " = 0 kept"},
        {"-5", RowTexts{"2.5"}, " = 0 kept"},
        {".", RowTexts{"2.5"}, " = 0 kept"},
    };
    for (const auto& [budget, odds, shown] : cases)
        EXPECT_EQ(Shown(Distribute(QString::fromUtf8(budget), odds)), shown) << budget;
    // OK asks for a budget instead of writing bets without stakes.
    EXPECT_EQ(CheckEntries(u" 3,01e305", BetRows{BetRow{"1", "2", "5", ""}}).problem,
              EntryProblem::BudgetMissing);
}

// A refused odds text left standing beside a stake: the up-down leaves the row alone.
TEST(Distribute, RowsWithoutUsableOddsAreNotMovedByHand) {
    EXPECT_FALSE(StakeUp(u"500", u"12a") || StakeDown(u"500", u"0"));
}

TEST(Spread, CompositeOddsOfTheUsableRowsRoundedDown) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"2.5", "5.0", "10.0"}, "選択 3点 合成オッズ 1.42倍"},
        {{"  2.5"}, "選択 1点 合成オッズ 2.50倍"},  // one bet: its own odds
        {{"1.15"}, "選択 1点 合成オッズ 1.15倍"},   // not 1.14 by a rounding hair
        {{"12a", "0", "4"}, "選択 3点 合成オッズ 4.00倍"},
        {{"12a"}, "選択 1点"},
        {{}, ""}};
    for (const auto& [odds, line] : cases) EXPECT_EQ(PicksLine(odds).toStdString(), line);
}

TEST(Spread, PayoutAndProfitRangesOfTheStakesAsTheyStand) {
    // Odds, stakes, total: composite | returns | profit, and "!" when a hit can lose.
    // clang-format off
    const std::tuple<RowTexts, RowTexts, const char*, const char*> cases[] = {
        {{"2.5", "4.0", "10.0"}, {"5300", "3300", "1300"}, "9900", "1.33倍|13,000〜13,250円|+3,100〜+3,350円"},
        {{"1.5", "2.8", "7.3", "25.6"}, {"1700", "900", "300", "100"}, "3000", "0.83倍|2,190〜2,560円|-810〜-440円!"},
        {{"3", "3"}, {"400", "400"}, "800", "1.50倍|1,200円|+400円"},
        {{"2.5", "4"}, {"", "300"}, "300", "1.53倍|1,200円|+900円"},  // no stake: no hit to count
        {{"1.25", "4"}, {"100", "500"}, "600", "0.95倍|125〜2,000円|-475〜+1,400円!"},
        {{"2.5", "12a"}, {"", "500"}, "500", "||"}};  // no stake on usable odds
    // clang-format on
    for (const auto& [odds, stakes, total, shown] : cases) {
        const Spread s = SpreadOf(odds, stakes, QString::fromUtf8(total));
        EXPECT_EQ(
            (s.composite + '|' + s.returns + '|' + s.profit + (s.loss ? "!" : "")).toStdString(),
            shown);
    }
}

TEST(WorkBack, SmallestWholeHundredsReachingTheTarget) {
    const std::tuple<const char*, const char*, qint64> stakes[] = {
        {"2.5", "1000", 400},     {"2.5", "1001", 500},
        {"1.15", "345", 300},  // exact at the boundary
        {"4.0", "10,000", 2500},  {"3", "50", 100},
        {" 1.1 ", "999.5", 1000}, {"2.5", "1e3", 400}};
    for (const auto& [odds, target, stake] : stakes)
        EXPECT_EQ(WorkedBackStake(QString::fromUtf8(odds), QString::fromUtf8(target)), stake)
            << odds << " " << target;
    for (auto [odds, target] :
         {std::pair{"12a", "1000"}, {"0", "1000"}, {"2.5", "0"}, {"2.5", "1e20"}})
        EXPECT_FALSE(WorkedBackStake(QString::fromUtf8(odds), QString::fromUtf8(target)));

    const WorkedBack worked = WorkBack(u"10000", {"2.5", "", "4.0", "10.0"});
    QStringList shown;
    for (const DistributionRow& row : worked.rows) shown << row.stake + '/' + row.payout;
    EXPECT_EQ((shown.join(' ') + " = " + worked.total).toStdString(),
              "4000/10000 / 2500/10000 1000/10000 / / / / = 7500");
}
