#include <gtest/gtest.h>

#include <QStringList>

#include "common/MemoFormat.h"
#include "common/DistributionSheet.h"

namespace {

// A sheet of one row per odds text, with the budget typed.
DistributionSheet sheetOf(const char* budget, const QStringList& odds) {
    DistributionSheet sheet(int(odds.size()));
    for (int i = 0; i < odds.size(); ++i) sheet.setOdds(i, odds[i]);
    sheet.setBudget(QString::fromUtf8(budget));
    return sheet;
}

// The rows up to the last one with a stake as "stake/payout" ("-" for a row
// without), then "= total", "too large" when the amounts cannot be shown and
// "kept" when there was no budget to spread.
std::string shown(const DistributionSheet& sheet, SpreadOutcome outcome = SpreadOutcome::Spread) {
    QStringList rows;
    for (const SheetRow& row : sheet.rows())
        rows << (row.stake ? StakeText(row.stake) + '/' + PayoutText(row.payout) : "-");
    while (!rows.isEmpty() && rows.last() == "-") rows.removeLast();
    return (rows.join(' ') + " = " + StakeText(sheet.total()) +
            (outcome == SpreadOutcome::TooLarge ? " too large" : "") +
            (outcome == SpreadOutcome::Kept ? " kept" : ""))
        .toStdString();
}

// "composite|returns|profit", "!" when a hit can lose.
std::string spreadLine(const DistributionSheet& sheet) {
    const Spread s = SpreadOf(sheet);
    return (s.composite + '|' + s.returns + '|' + s.profit + (s.loss ? "!" : "")).toStdString();
}

}  // namespace

TEST(DistributionSheet, SpreadsTheBudgetInInverseProportionToTheOdds) {
    const std::tuple<const char*, QStringList, const char*> cases[] = {
        {"10000", {"2.5", "4.0", "10.0"}, "5300/13250 3300/13200 1300/13000 = 9900"},
        {"3000", {"1.5", "2.8", "7.3", "25.6"}, "1700/2550 900/2520 300/2190 100/2560 = 3000"},
        {"900", {"3", "3"}, "400/1200 400/1200 = 800"},  // an exact half goes to even
        {"1100", {"3", "3"}, "600/1800 600/1800 = 1200"},
        {"300", {"3.9", "3.9"}, "100/390 100/390 = 200"},  // 1.4999.. units, not 1.5
        {"50", {"5"}, "100/500 = 100"},                    // 100 yen at least
        {"1000", {"120.5", "3.2"}, "100/12050 1000/3200 = 1100"},
        {"1,000", {" 2", "", "2 "}, "500/1000 - 500/1000 = 1000"},
        // Odds that are not a positive number, or whose reciprocal is 0 or
        // infinite in single precision, take no share.
        {"1000", {"0", "12a", "-5", ".", "1e300", "1e-300", "2"}, "- - - - - - 1000/2000 = 1000"},
        {"1000", {"", "0"}, " = 0"},
        // Amounts of 1e15 yen and more cannot be shown to the yen: every row is left empty.
        {"1000", {"1e13"}, " = 0 too large"},                              // payout of 1e15
        {"1000", {"1e-38", "1e-38", "1e-38", "1e-38"}, " = 0 too large"},  // sum overflows
        // Found by fuzz_distribution: 3.01e307 yen made stakes of about 1E+307.
        {" 3,01e305", {"5", "0", "12a", "1e3"}, " = 0 too large"},
        // Without a positive budget nothing is spread.
        {"", {"2.5"}, " = 0 kept"},
        {"12a", {"2.5"}, " = 0 kept"},
        {"0", {"2.5"}, " = 0 kept"},
        {"-5", {"2.5"}, " = 0 kept"},
        {".", {"2.5"}, " = 0 kept"},
    };
    for (const auto& [budget, odds, expected] : cases) {
        DistributionSheet sheet = sheetOf(budget, odds);
        const SpreadOutcome foreseen = sheet.spreadOutcome();
        const SpreadOutcome outcome = sheet.spread();
        EXPECT_EQ(foreseen, outcome);
        EXPECT_EQ(shown(sheet, outcome), expected) << budget;
    }
    // A budget too large to spread empties the rows spread before; no budget keeps them.
    DistributionSheet sheet = sheetOf("1000", {"2", "12a"});
    sheet.spread();
    sheet.setBudget(u"9e99");
    EXPECT_EQ(sheet.spread(), SpreadOutcome::TooLarge);
    EXPECT_EQ(shown(sheet), " = 0");
    // OK asks for a budget instead of writing bets without stakes.
    DistributionSheet large = sheetOf(" 3,01e305", {"5"});
    large.setFirst(0, "1");
    EXPECT_EQ(large.checkEntries().problem, EntryProblem::BudgetMissing);
}

// Up and down by 100 yen, the payout colour against the budget, stakes kept
// without a budget: the total is counted again whenever a stake is moved. The
// colour following a new budget is the window's test.
TEST(DistributionSheet, StakesMovedByHand) {
    DistributionSheet sheet = sheetOf("1000", {"2.5", "", "4.0", "10.0"});
    sheet.spread();
    ASSERT_EQ(shown(sheet), "500/1250 - 300/1200 100/1000 = 900");
    EXPECT_EQ(sheet.payoutShort(3), false);  // a payout of the budget is not short
    for (int i = 0; i < 8; ++i) sheet.stakeDown(0);        // 100 yen at least
    EXPECT_FALSE(sheet.stakeDown(0) || sheet.stakeUp(1));  // a row without a stake is left alone
    EXPECT_EQ(shown(sheet), "100/250 - 300/1200 100/1000 = 500");
    EXPECT_EQ(sheet.payoutShort(0), true);
    EXPECT_EQ(sheet.payoutShort(1), std::nullopt);
    sheet.setBudget(u"");  // without a budget the stakes stay; the total shown is 0
    EXPECT_EQ(sheet.spread(), SpreadOutcome::Kept);
    EXPECT_EQ(shown(sheet), "100/250 - 300/1200 100/1000 = 0");
    EXPECT_EQ(sheet.payoutShort(0), std::nullopt);
    sheet.stakeUp(1);  // nothing moved, the total counted all the same
    EXPECT_EQ(sheet.total(), 500);
    // A refused odds text left standing beside a stake: the row is not moved by hand.
    sheet.setOdds(0, u"12a");
    EXPECT_FALSE(sheet.stakeUp(0) || sheet.stakeDown(0));
    // Typed stakes: whole hundreds, 100 at least, on usable odds.
    for (qint64 refused : std::initializer_list<qint64>{0, 50, 150, 1000000000000000})
        EXPECT_FALSE(sheet.setStake(2, refused));
    EXPECT_TRUE(sheet.setStake(2, 700) && sheet.setStake(3, std::nullopt));
    EXPECT_EQ(shown(sheet), "100/250 - 700/2800 = 800");
    // The payout as shown: 1.15 x 100 reaches a budget of 115.
    DistributionSheet hair = sheetOf("115", {"1.15"});
    hair.spread();
    EXPECT_EQ(hair.payoutShort(0), false);
}

TEST(DistributionSheet, CompositeOddsOfTheUsableRowsRoundedDown) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"2.5", "5.0", "10.0"}, "選択 3点 合成オッズ 1.42倍"},
        {{"  2.5"}, "選択 1点 合成オッズ 2.50倍"},  // one bet: its own odds
        {{"1.15"}, "選択 1点 合成オッズ 1.15倍"},   // not 1.14 by a rounding hair
        {{"12a", "0", "4"}, "選択 3点 合成オッズ 4.00倍"},
        {{"12a"}, "選択 1点"},
        {{}, ""}};
    for (const auto& [odds, line] : cases) {
        EXPECT_EQ(PicksLine(odds).toStdString(), line);
        // The sheet's composite is the pickers'.
        EXPECT_EQ(sheetOf("", odds).compositeOdds(),
                  CompositeOdds(std::span(odds.constData(), size_t(odds.size()))));
    }
}

TEST(DistributionSheet, PayoutAndProfitRangesOfTheStakesAsTheyStand) {
    // Odds, stakes, composite | returns | profit, and "!" when a hit can lose.
    // clang-format off
    const std::tuple<QStringList, std::vector<qint64>, const char*> cases[] = {
        {{"2.5", "4.0", "10.0"}, {5300, 3300, 1300}, "1.33倍|13,000〜13,250円|+3,100〜+3,350円"},
        {{"1.5", "2.8", "7.3", "25.6"}, {1700, 900, 300, 100}, "0.83倍|2,190〜2,560円|-810〜-440円!"},
        {{"3", "3"}, {400, 400}, "1.50倍|1,200円|+400円"},
        {{"2.5", "4"}, {0, 300}, "1.53倍|1,200円|+900円"},  // no stake: no hit to count
        {{"1.25", "4"}, {100, 500}, "0.95倍|125〜2,000円|-475〜+1,400円!"},
        {{"2.5", "12a"}, {0, 500}, "||"}};  // no stake on usable odds
    // clang-format on
    for (const auto& [odds, stakes, expected] : cases) {
        DistributionSheet sheet;
        for (int i = 0; i < odds.size(); ++i) {
            SheetRow row;
            row.oddsText = odds[i], row.odds = ReadOdds(odds[i]);
            if (stakes[size_t(i)] > 0) row.stake = stakes[size_t(i)];
            sheet.addRow(row);
        }
        sheet.stakeUp(sheet.addRow());  // an empty row: nothing moves, the total is counted
        EXPECT_EQ(spreadLine(sheet), expected);
    }
}

TEST(DistributionSheet, WorkBackGivesTheSmallestWholeHundredsReachingTheTarget) {
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
}

// The slip: rows with a first number and usable odds, the second number only
// for pairs, any number of rows. The order of the checks is the window's test.
TEST(DistributionSheet, EntriesCheckedInOrderThenTheSlip) {
    DistributionSheet sheet(10);
    auto problem = [&] { return sheet.checkEntries(); };
    sheet.setBudget(u"1300");
    const char* rows[][3] = {{"3", "7", "5"}, {"3", "9", "8"}, {"4", "", "999"}, {"", "8", "999"}};
    for (int i = 0; i < 4; ++i) {
        sheet.setFirst(i, rows[i][0]), sheet.setSecond(i, rows[i][1]);
        sheet.setOdds(i, QString::fromUtf8(rows[i][2]));
    }
    sheet.setFirst(9, "1"), sheet.setSecond(9, "2"), sheet.setOdds(9, u"1e300");
    EXPECT_EQ(problem().problem, EntryProblem::OddsMissing);  // odds of no usable value
    EXPECT_EQ(problem().row, 9);
    sheet.removeRow(9);
    EXPECT_EQ(problem().problem, EntryProblem::None);
    sheet.spread();
    const BetSlip slip = sheet.slip(Race{{}, 5, 11}, BetType::WinPlace);
    ASSERT_EQ(slip.bets.size(), 3u);
    EXPECT_EQ(slip.bets[2].first + slip.bets[2].second + slip.bets[2].odds.text, "4999");
    EXPECT_EQ(slip.bets[2].stake, 100);
}
