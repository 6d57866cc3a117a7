#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/RaceSelection.h"
#include "distribution/Distribution.h"

// Readable QString values in failure messages.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

RowTexts oddsRows(std::initializer_list<const char*> texts) {
    RowTexts rows;
    int i = 0;
    for (const char* text : texts) rows[i++] = QString::fromUtf8(text);
    return rows;
}

struct Expected {
    const char* stake;
    const char* payout;
};

}  // namespace

TEST(Distribute, SpreadsTheBudgetInInverseProportionToTheOdds) {
    const struct {
        const char* name;
        const char* budget;
        RowTexts odds;
        std::vector<Expected> rows;  // rows 0.., the rest empty
        const char* total;
    } cases[] = {
        {"three rows",
         "10000",
         oddsRows({"2.5", "4.0", "10.0"}),
         {{"5300", "13250"}, {"3300", "13200"}, {"1300", "13000"}},
         "9900"},
        {"four rows",
         "3000",
         oddsRows({"1.5", "2.8", "7.3", "25.6"}),
         {{"1700", "2550"}, {"900", "2520"}, {"300", "2190"}, {"100", "2560"}},
         "3000"},
        {"half rounds down to even",
         "900",
         oddsRows({"3", "3"}),
         {{"400", "1200"}, {"400", "1200"}},
         "800"},
        {"half rounds up to even",
         "1100",
         oddsRows({"3", "3"}),
         {{"600", "1800"}, {"600", "1800"}},
         "1200"},
        {"100 yen at least", "50", oddsRows({"5"}), {{"100", "500"}}, "100"},
        {"long shot",
         "1000",
         oddsRows({"120.5", "3.2"}),
         {{"100", "12050"}, {"1000", "3200"}},
         "1100"},
        {"empty middle row",
         "1000",
         oddsRows({"2", "", "2"}),
         {{"500", "1000"}, {"", ""}, {"500", "1000"}},
         "1000"},
        {"budget with a comma, odds with blanks",
         "10,000",
         oddsRows({" 2.5", "4.0 ", "10"}),
         {{"5300", "13250"}, {"3300", "13200"}, {"1300", "13000"}},
         "9900"},
        // Rows whose odds are not a positive number take no share.
        {"odds refused and left standing",
         "1000",
         oddsRows({"2", "0", "12a", "-5", ".", "2"}),
         {{"500", "1000"}, {"", ""}, {"", ""}, {"", ""}, {"", ""}, {"500", "1000"}},
         "1000"},
        // A reciprocal of 0 or infinity in single precision cannot take a share.
        {"reciprocal beyond single precision",
         "1000",
         oddsRows({"1e300", "2", "1e-300"}),
         {{"", ""}, {"1000", "2000"}},
         "1000"},
        {"no usable odds", "1000", oddsRows({"", "0"}), {}, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Distribution result = Distribute(QString::fromUtf8(c.budget), c.odds);
        EXPECT_TRUE(result.budgetCounted);
        for (int i = 0; i < DistributionRows; ++i) {
            SCOPED_TRACE(i);
            const Expected e = i < int(c.rows.size()) ? c.rows[i] : Expected{"", ""};
            EXPECT_EQ(result.rows[i].stake, QString::fromUtf8(e.stake));
            EXPECT_EQ(result.rows[i].payout, QString::fromUtf8(e.payout));
            EXPECT_EQ(result.rows[i].used, *e.stake != '\0');
        }
        EXPECT_EQ(result.total, QString::fromUtf8(c.total));
    }
}

TEST(Distribute, WithoutABudgetNothingIsSpread) {
    // Empty, not a number, 0 or negative: the stakes keep what they show.
    for (const char* budget : {"", "12a", "0", "-5", "."}) {
        SCOPED_TRACE(budget);
        const Distribution result = Distribute(QString::fromUtf8(budget), oddsRows({"2.5", "4"}));
        EXPECT_FALSE(result.budgetCounted);
        EXPECT_EQ(result.total, "0");
        for (const DistributionRow& row : result.rows) EXPECT_TRUE(row.stake.isEmpty());
    }
}

TEST(Distribute, AmountsTooLargeToShowLeaveEveryRowEmpty) {
    const struct {
        const char* budget;
        RowTexts odds;
    } cases[] = {
        {"1e308", oddsRows({"2.5"})},                              // payout overflows
        {"1e300", oddsRows({"3e38", "", "1e-45"})},                // units overflow
        {"1000", oddsRows({"1e-38", "1e-38", "1e-38", "1e-38"})},  // float sum overflows
        {"1e15", oddsRows({"2.5"})},                               // 16 digits of yen
        {"1000", oddsRows({"1e13"})},                              // payout of 1e15
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        const Distribution result = Distribute(QString::fromUtf8(c.budget), c.odds);
        EXPECT_TRUE(result.budgetCounted && result.tooLarge);
        EXPECT_EQ(result.total, "0");
        for (const DistributionRow& row : result.rows) EXPECT_TRUE(row.stake.isEmpty());
    }
    // Just inside: every yen is shown.
    const Distribution large = Distribute(u"5e14", oddsRows({"1.5"}));
    EXPECT_FALSE(large.tooLarge);
    EXPECT_EQ(large.rows[0].stake, "500000000000000");
    EXPECT_EQ(large.rows[0].payout, "750000000000000");
}

TEST(PayoutColour, RedBelowTheBudgetAndLeftAloneWithoutNumbers) {
    EXPECT_EQ(PayoutShort(u"13000", u"10000"), false);
    EXPECT_EQ(PayoutShort(u"10000", u"10000"), false);
    EXPECT_EQ(PayoutShort(u"2550", u"3000"), true);
    EXPECT_EQ(PayoutShort(u"", u"3000"), std::nullopt);
    EXPECT_EQ(PayoutShort(u"2550", u""), std::nullopt);
    EXPECT_EQ(PayoutShort(u"2550", u"12a"), std::nullopt);
}

TEST(StakeByHand, RowsWithoutUsableOddsAreLeftAlone) {
    EXPECT_EQ(StakeUp(u"500", u"4")->payout, "2400");
    EXPECT_FALSE(StakeUp(u"", u"4"));
    EXPECT_FALSE(StakeUp(u"500", u""));
    EXPECT_FALSE(StakeUp(u"500", u"12a"));
    EXPECT_FALSE(StakeDown(u"500", u"0"));
    EXPECT_FALSE(StakeDown(u"100", u"4"));

    EXPECT_EQ(CountTotal(oddsRows({"600", "", "300", "1300"})), "2200");
    EXPECT_EQ(CountTotal(RowTexts{}), "0");
}

namespace {

BetRows bets(std::initializer_list<BetRow> rows) {
    BetRows result;
    int i = 0;
    for (const BetRow& row : rows) result[i++] = row;
    return result;
}

}  // namespace

TEST(OkChecks, FirstFailingCheckInOrder) {
    const BetRow good{"3", "7", "4.5", "800"};
    const BetRow noOdds{"3", "9", "", ""};
    const struct {
        const char* name;
        const char16_t* budget;
        BetRows rows;
        EntryProblem problem;
        int row;
    } cases[] = {
        {"empty budget before anything", u"", bets({noOdds}), EntryProblem::BudgetNotNumber, -1},
        {"budget not a number", u"12a", bets({good}), EntryProblem::BudgetNotNumber, -1},
        {"budget 0", u"0", bets({}), EntryProblem::BudgetMissing, -1},
        {"negative budget", u"-5", bets({good}), EntryProblem::BudgetMissing, -1},
        {"no odds anywhere", u"1000", bets({noOdds, noOdds}), EntryProblem::NoBets, -1},
        {"only row 3 filled", u"1000", bets({{}, {}, {}, good}), EntryProblem::None, -1},
        {"first number without odds in row 5", u"1000",
         bets({good, {}, {}, {}, {}, noOdds, noOdds}), EntryProblem::OddsMissing, 5},
        {"refused odds left standing", u"1000", bets({good, {"4", "5", "12a", ""}}),
         EntryProblem::OddsMissing, 1},
        {"odds without a first number", u"1000", bets({good, {"", "5", "3", "300"}}),
         EntryProblem::None, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const EntryCheck check = CheckEntries(c.budget, c.rows);
        EXPECT_EQ(check.problem, c.problem);
        if (c.problem == EntryProblem::OddsMissing) {
            EXPECT_EQ(check.row, c.row);
        }
    }
}

TEST(MemoBlock, QuinellaRowsNeedBothNumbersAndOdds) {
    const BetRows quinella = bets({{"3", "7", "5.6", "800"},
                                   {"4", "", "3", "100"},
                                   {"", "8", "3", "100"},
                                   {"3", "9", "9.1", "500"}});
    EXPECT_EQ(MemoBlock(u"東京"_qs, 11, u"馬連"_qs, Quinella, quinella),
              u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\t3-9\t500\r\n\r\n"_qs);
}
