#include <gtest/gtest.h>

#include <QList>

#include "distribution/Distribution.h"

// Inputs found by fuzz_distribution, as found: the budget, then the odds of
// rows 0 to 7, one per line.

TEST(FuzzRegression, BudgetTooLargeToShowInWholeYenLeavesNoStakes) {
    // " 3,01e305" is 3.01e307 yen: the stakes came out as about 1E+307, shown
    // in 15 digits and no whole number of hundreds.
    const QList<QByteArray> lines = QByteArray(" 3,01e305\n5\n0\n12a\n1e3").split('\n');
    const QString budget = QString::fromLatin1(lines[0]);
    RowTexts odds;
    BetRows bets;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        odds[i] = QString::fromLatin1(lines[i + 1]);
        bets[i] = {QStringLiteral("1"), QStringLiteral("2"), odds[i], QString()};
    }

    const Distribution result = Distribute(budget, odds);
    EXPECT_TRUE(result.budgetCounted && result.tooLarge);
    EXPECT_EQ(result.total, "0");
    for (const DistributionRow& row : result.rows) {
        EXPECT_TRUE(row.stake.isEmpty() && row.payout.isEmpty());
    }
    // OK asks for a budget instead of writing bets without stakes.
    EXPECT_EQ(CheckEntries(budget, bets).problem, EntryProblem::BudgetMissing);
}
