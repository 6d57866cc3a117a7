// The distribution sheet on a budget and eight odds texts: the spread, then
// the up-down moves, the stakes worked back from the budget as a target, the
// payout range and the checks of OK on what it holds.

#include <cmath>

#include "common/MemoFormat.h"
#include "common/NumberText.h"
#include "common/DistributionSheet.h"
#include "fuzz/FuzzCheck.h"

namespace {

// A stake as shown: a number, finite, a whole number of hundreds of yen, 100 at least.
double stakeValue(std::optional<qint64> stake) {
    FUZZ_CHECK(stake.has_value());
    const QString text = StakeText(stake);
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
    DistributionSheet sheet(DistributionRows);
    sheet.setBudget(budget);
    for (int i = 0; i < DistributionRows; ++i) {
        sheet.setFirst(i, QStringLiteral("1"));
        sheet.setSecond(i, QStringLiteral("2"));
        sheet.setOdds(i, texts[1 + i]);
    }

    const SpreadOutcome outcome = sheet.spread();
    FUZZ_CHECK(LooksFinite(StakeText(sheet.total())));
    if (outcome != SpreadOutcome::Spread) {
        FUZZ_CHECK(sheet.total() == 0);
        for (const SheetRow& row : sheet.rows()) FUZZ_CHECK(!row.stake && !row.payout);
        return 0;
    }
    FUZZ_CHECK(BudgetValue(NumericValue(budget)).has_value());

    double sum = 0;
    for (const SheetRow& row : sheet.rows()) {
        FUZZ_CHECK(row.takesShare() == OddsReciprocal(row.oddsText).has_value());
        if (!row.takesShare()) {
            FUZZ_CHECK(!row.stake && !row.payout);
            continue;
        }
        sum += stakeValue(row.stake);
        FUZZ_CHECK(LooksFinite(PayoutText(row.payout)) && IsNumeric(PayoutText(row.payout)));
    }
    // The total shown is the sum of the stakes shown.
    FUZZ_CHECK(NumericValue(StakeText(sheet.total())) == sum);
    FUZZ_CHECK(sheet.stakeSum() == sheet.total());

    for (int i = 0; i < DistributionRows; ++i) {
        const SheetRow& row = sheet.row(i);
        if (!row.takesShare()) continue;
        DistributionSheet moved = sheet;
        if (moved.stakeUp(i)) {
            FUZZ_CHECK(stakeValue(moved.row(i).stake) >= stakeValue(row.stake));
            FUZZ_CHECK(LooksFinite(PayoutText(moved.row(i).payout)));
        }
        moved = sheet;
        if (moved.stakeDown(i)) {
            FUZZ_CHECK(stakeValue(moved.row(i).stake) <= stakeValue(row.stake));
            FUZZ_CHECK(LooksFinite(PayoutText(moved.row(i).payout)));
        }
        sheet.payoutShort(i);

        // The budget taken as a target payout: the stake worked back reaches
        // it, and 100 yen less would not (up to a rounding hair of the check).
        if (const std::optional<qint64> back = WorkedBackStake(row.oddsText, budget)) {
            const double rate = row.odds.odds->value, target = *NumericValue(budget);
            FUZZ_CHECK(*back >= 100 && *back % 100 == 0);
            FUZZ_CHECK(rate * double(*back) >= target * (1 - 1e-12));
            FUZZ_CHECK(*back == 100 || rate * double(*back - 100) < target * (1 + 1e-12));
        }
    }
    SpreadOf(sheet);

    if (sheet.checkEntries().problem == EntryProblem::None) {
        WriteMemoBlock(sheet.slip(Race{{}, 5, 11}, BetType::Quinella));
    }
    DistributionSheet workedBack = sheet;
    if (workedBack.workBack(budget, qint64(MaxAmount)).problem == TargetProblem::None) {
        FUZZ_CHECK(workedBack.stakeSum() == workedBack.total());
        SpreadOf(workedBack);
    }
    return 0;
}
