// The distribution arithmetic on a budget and eight odds texts, then the
// up-down moves, the stakes worked back from the budget as a target, the
// payout range and the checks of OK on what it showed.

#include <cmath>

#include "common/MemoFormat.h"
#include "common/NumberText.h"
#include "distribution/Distribution.h"
#include "fuzz/FuzzCheck.h"

namespace {

// A shown amount: a number, finite, a whole number of hundreds of yen, 100 at least.
double stakeValue(const QString& text) {
    FUZZ_CHECK(LooksFinite(text));
    const std::optional<double> value = NumericValue(text);
    FUZZ_CHECK(value.has_value());
    FUZZ_CHECK(*value >= 100 && std::fmod(*value, 100) == 0);
    return *value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QString> texts = FuzzTexts(data, size, 1 + DistributionRows);
    const QString& budget = texts[0];
    RowTexts odds;
    for (int i = 0; i < DistributionRows; ++i) odds[i] = texts[1 + i];

    const Distribution d = Distribute(budget, odds);
    FUZZ_CHECK(LooksFinite(d.total));
    if (!d.budgetCounted) {
        FUZZ_CHECK(d.total == u"0");
        for (const DistributionRow& row : d.rows) FUZZ_CHECK(!row.used);
        return 0;
    }
    if (d.tooLarge) {
        FUZZ_CHECK(d.total == u"0");
        for (const DistributionRow& row : d.rows) FUZZ_CHECK(!row.used && row.stake.isEmpty());
        return 0;
    }
    FUZZ_CHECK(BudgetValue(budget).has_value());

    RowTexts stakes;
    double sum = 0;
    for (int i = 0; i < DistributionRows; ++i) {
        const DistributionRow& row = d.rows[i];
        FUZZ_CHECK(row.used == OddsReciprocal(odds[i]).has_value());
        if (!row.used) {
            FUZZ_CHECK(row.stake.isEmpty() && row.payout.isEmpty());
            continue;
        }
        sum += stakeValue(row.stake);
        FUZZ_CHECK(LooksFinite(row.payout) && IsNumeric(row.payout));
        stakes[i] = row.stake;
    }
    // The total shown is the sum of the stakes shown.
    FUZZ_CHECK(NumericValue(d.total) == sum);
    FUZZ_CHECK(CountTotal(stakes) == d.total);

    for (int i = 0; i < DistributionRows; ++i) {
        if (!d.rows[i].used) continue;
        if (const auto up = StakeUp(stakes[i], odds[i])) {
            FUZZ_CHECK(stakeValue(up->stake) >= stakeValue(stakes[i]));
            FUZZ_CHECK(LooksFinite(up->payout));
        }
        if (const auto down = StakeDown(stakes[i], odds[i])) {
            FUZZ_CHECK(stakeValue(down->stake) <= stakeValue(stakes[i]));
            FUZZ_CHECK(LooksFinite(down->payout));
        }
        PayoutShort(d.rows[i].payout, budget);

        // The budget taken as a target payout: the stake worked back reaches
        // it, and 100 yen less would not (up to a rounding hair of the check).
        if (const std::optional<qint64> back = WorkedBackStake(odds[i], budget)) {
            const double rate = *NumericValue(odds[i]), target = *NumericValue(budget);
            FUZZ_CHECK(*back >= 100 && *back % 100 == 0);
            FUZZ_CHECK(rate * double(*back) >= target * (1 - 1e-12));
            FUZZ_CHECK(*back == 100 || rate * double(*back - 100) < target * (1 + 1e-12));
        }
    }
    SpreadOf(odds, stakes, d.total);

    BetRows bets;
    for (int i = 0; i < DistributionRows; ++i) {
        bets[i] = {QStringLiteral("1"), QStringLiteral("2"), odds[i], d.rows[i].stake};
    }
    const EntryCheck check = CheckEntries(budget, bets);
    if (check.problem == EntryProblem::None) {
        WriteMemoBlock(SlipOf(Race{{}, 5, 11}, Quinella, bets));
    }
    return 0;
}
