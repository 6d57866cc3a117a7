#include "distribution/Distribution.h"

#include <cmath>

#include "common/NumberText.h"
#include "common/RaceSelection.h"

std::optional<float> OddsReciprocal(QStringView odds) {
    const std::optional<double> value = NumericValue(odds);
    if (!value || *value <= 0) return std::nullopt;
    const float reciprocal = static_cast<float>(1.0 / *value);
    if (!std::isfinite(reciprocal) || reciprocal == 0.0f) return std::nullopt;
    return reciprocal;
}

std::optional<double> BudgetValue(QStringView budget) {
    const std::optional<double> value = NumericValue(budget);
    if (!value || *value <= 0 || *value >= MaxAmount) return std::nullopt;
    return value;
}

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

namespace {

bool fits(double amount) {
    return std::isfinite(amount) && std::abs(amount) < MaxAmount;
}

}  // namespace

Distribution Distribute(QStringView budget, const RowTexts& odds) {
    const std::optional<double> value = NumericValue(budget);
    if (!value || *value <= 0) return {};
    Distribution tooLarge;  // every row empty
    tooLarge.budgetCounted = true;
    tooLarge.tooLarge = true;
    const std::optional<double> budgetValue = BudgetValue(budget);
    if (!budgetValue) return tooLarge;

    std::array<float, DistributionRows> inverse{};
    std::array<bool, DistributionRows> used{};
    float inverseSum = 0;
    for (int i = 0; i < DistributionRows; ++i) {
        if (const std::optional<float> reciprocal = OddsReciprocal(odds[i])) {
            inverse[i] = *reciprocal;
            used[i] = true;
            inverseSum = inverseSum + inverse[i];
        }
    }
    if (!std::isfinite(inverseSum)) return tooLarge;

    Distribution counted;
    counted.budgetCounted = true;
    double total = 0;
    for (int i = 0; i < DistributionRows; ++i) {
        if (!used[i]) continue;  // stake and payout stay empty
        const double units =
            RoundHalfEven(*budgetValue / double(inverseSum) * double(inverse[i]) / 100);
        const double stake = units == 0 ? 100 : units * 100;
        const double payout = *NumericValue(odds[i]) * stake;
        total += stake;
        if (!fits(stake) || !fits(payout) || !fits(total)) return tooLarge;
        counted.rows[i] = {true, FormatGeneral(stake), FormatGeneral(payout)};
    }
    counted.total = FormatGeneral(total);
    return counted;
}

std::optional<bool> PayoutShort(QStringView payout, QStringView budget) {
    const std::optional<double> payoutValue = NumericValue(payout);
    const std::optional<double> budgetValue = NumericValue(budget);
    if (!payoutValue || !budgetValue) return std::nullopt;
    return *payoutValue < *budgetValue;
}

namespace {

std::optional<StakeChange> moveStake(QStringView stake, QStringView odds, double step) {
    const std::optional<double> current = NumericValue(stake);
    if (!current || !OddsReciprocal(odds)) return std::nullopt;
    const double moved = *current + step;
    const double payout = *NumericValue(odds) * moved;
    if (!fits(moved) || !fits(payout)) return std::nullopt;
    return StakeChange{FormatGeneral(moved), FormatGeneral(payout)};
}

}  // namespace

std::optional<StakeChange> StakeUp(QStringView stake, QStringView odds) {
    return moveStake(stake, odds, 100);
}

std::optional<StakeChange> StakeDown(QStringView stake, QStringView odds) {
    const std::optional<double> current = NumericValue(stake);
    if (!current || *current <= 100) return std::nullopt;
    return moveStake(stake, odds, -100);
}

QString CountTotal(const RowTexts& stakes) {
    double total = 0;
    for (const QString& stake : stakes) {
        if (const std::optional<double> value = NumericValue(stake)) total += *value;
    }
    return FormatGeneral(total);
}

EntryCheck CheckEntries(QStringView budget, const BetRows& rows) {
    const std::optional<double> budgetValue = NumericValue(budget);
    if (!budgetValue) return {EntryProblem::BudgetNotNumber};
    if (*budgetValue <= 0) return {EntryProblem::BudgetMissing};
    // A distribution too large to show leaves no stakes to write.
    RowTexts odds;
    for (int i = 0; i < DistributionRows; ++i) odds[i] = rows[i].odds;
    if (Distribute(budget, odds).tooLarge) return {EntryProblem::BudgetMissing};

    bool anyOdds = false;
    for (const BetRow& row : rows) anyOdds = anyOdds || !row.odds.isEmpty();
    if (!anyOdds) return {EntryProblem::NoBets};

    for (int i = 0; i < DistributionRows; ++i) {
        if (!rows[i].first.isEmpty() && !OddsReciprocal(rows[i].odds)) {
            return {EntryProblem::OddsMissing, i};
        }
    }
    return {};
}

QString MemoBlock(const QString& place, int raceNo, const QString& typeText, int betType,
                  const BetRows& rows) {
    const QString crlf = QStringLiteral("\r\n");
    const QChar tab = u'\t';
    QString block = place + tab + QString::number(raceNo) + u'R' + tab + typeText + crlf;
    for (const BetRow& row : rows) {
        if (row.first.isEmpty() || row.odds.isEmpty()) continue;
        if (betType == WinPlace) {
            block += tab + row.first + tab + row.stake + crlf;
        } else if (!row.second.isEmpty()) {
            block += tab + row.first + u'-' + row.second + tab + row.stake + crlf;
        }
    }
    return block + crlf;
}
