#include "distribution/Distribution.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "common/Odds.h"

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

BetSlip SlipOf(const Race& race, BetType type, const BetRows& rows) {
    BetSlip slip{race, type, {}};
    for (const BetRow& row : rows) {
        if (row.first.isEmpty() || row.odds.isEmpty()) continue;
        const std::optional<double> stake = NumericValue(row.stake);
        slip.bets.push_back({row.first, IsPairType(type) ? row.second : QString(),
                             ReadOdds(row.odds).odds.value_or(Odds{row.odds, 0, 0, {}}),
                             stake ? std::llround(*stake) : 0});
    }
    return slip;
}

std::optional<double> CompositeOdds(std::span<const QString> odds) {
    double inverseSum = 0;
    bool any = false;
    for (const QString& text : odds) {
        if (!OddsReciprocal(text)) continue;
        inverseSum += 1.0 / *NumericValue(text);
        any = true;
    }
    if (!any) return std::nullopt;
    return 1.0 / inverseSum;
}

QString CompositeText(double composite) {
    // Hundredths rounded down; a product within a hair of a whole number is
    // that number, so that a single 1.15 does not show as 1.14.
    const double hundredths = composite * 100;
    const double nearest = std::round(hundredths);
    const double shown = std::abs(hundredths - nearest) <= 1e-9 * std::max(1.0, nearest)
                             ? nearest
                             : std::floor(hundredths);
    return QString::number(shown / 100, 'f', 2) + u'倍';
}

QString PicksLine(const QStringList& picked) {
    if (picked.isEmpty()) return {};
    QString line = QStringLiteral("選択 %1点").arg(picked.size());
    if (const std::optional<double> composite =
            CompositeOdds(std::span(picked.constData(), size_t(picked.size())))) {
        line += QStringLiteral(" 合成オッズ ") + CompositeText(*composite);
    }
    return line;
}

namespace {

__extension__ typedef unsigned __int128 Wide;
constexpr Wide WideMax = ~Wide(0);

// 10^n for 0 <= n <= 38.
Wide power10(int n) {
    Wide result = 1;
    for (int i = 0; i < n; ++i) result *= 10;
    return result;
}

// a x 10^n, or nullopt when it does not fit.
std::optional<Wide> scaleUp(Wide a, int n) {
    if (a == 0) return Wide(0);
    if (n > 38) return std::nullopt;
    const Wide factor = power10(n);
    if (a > WideMax / factor) return std::nullopt;
    return a * factor;
}

// Whole yen a hit pays: odds x stake rounded down; nullopt when it does not fit
// 64 bits.
std::optional<qint64> payoutYen(const ExactDecimal& odds, qint64 stake) {
    const Wide product = Wide(odds.digits) * Wide(stake);
    Wide yen = 0;
    if (odds.exponent >= 0) {
        const std::optional<Wide> scaled = scaleUp(product, odds.exponent);
        if (!scaled) return std::nullopt;
        yen = *scaled;
    } else if (odds.exponent >= -38) {
        yen = product / power10(-odds.exponent);
    }
    if (yen > Wide(std::numeric_limits<qint64>::max())) return std::nullopt;
    return qint64(yen);
}

// Whole yen in digit groups, 13000 as "13,000"; with a sign, "+3,100", "-400" and "0".
QString grouped(qint64 yen, bool sign) {
    QString digits = QString::number(qAbs(yen));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u',');
    if (yen < 0) return u'-' + digits;
    return sign && yen > 0 ? u'+' + digits : digits;
}

QString yenRange(qint64 least, qint64 most, bool sign) {
    QString text = grouped(least, sign);
    if (most != least) text += u'〜' + grouped(most, sign);
    return text + u'円';
}

}  // namespace

Spread SpreadOf(const RowTexts& odds, const RowTexts& stakes, QStringView total) {
    std::optional<qint64> least, most;
    for (int i = 0; i < DistributionRows; ++i) {
        const std::optional<double> stake = NumericValue(stakes[i]);
        const std::optional<ExactDecimal> decimal = ExactDecimalOf(odds[i]);
        if (!stake || *stake <= 0 || *stake >= MaxAmount || !decimal || !OddsReciprocal(odds[i]))
            continue;
        const std::optional<qint64> payout = payoutYen(*decimal, std::llround(*stake));
        if (!payout || *payout >= MaxAmount) continue;
        least = std::min(least.value_or(*payout), *payout);
        most = std::max(most.value_or(*payout), *payout);
    }
    if (!least) return {};
    const std::optional<double> totalValue = NumericValue(total);
    const qint64 staked =
        totalValue && std::abs(*totalValue) < MaxAmount ? std::llround(*totalValue) : 0;
    Spread spread;
    spread.composite = CompositeText(*CompositeOdds(odds));
    spread.returns = yenRange(*least, *most, false);
    spread.profit = yenRange(*least - staked, *most - staked, true);
    spread.loss = *least < staked;
    return spread;
}

std::optional<qint64> WorkedBackStake(QStringView odds, QStringView target) {
    const std::optional<ExactDecimal> rate = ExactDecimalOf(odds);
    const std::optional<ExactDecimal> goal = ExactDecimalOf(target);
    if (!rate || !goal || !OddsReciprocal(odds)) return std::nullopt;
    // The smallest k >= 1 with odds x 100k >= target, that is
    // rate.digits x k >= goal.digits x 10^shift.
    const int shift = goal->exponent - rate->exponent - 2;
    Wide needed = 1;
    if (shift >= 0) {
        const std::optional<Wide> scaled = scaleUp(Wide(goal->digits), shift);
        if (!scaled) return std::nullopt;  // k beyond 10^19
        needed = (*scaled + Wide(rate->digits) - 1) / Wide(rate->digits);
    } else {
        // rate.digits x 10^-shift x k >= goal.digits; a divisor beyond 38
        // digits exceeds every goal.
        if (const std::optional<Wide> divisor = scaleUp(Wide(rate->digits), -shift)) {
            needed = (Wide(goal->digits) + *divisor - 1) / *divisor;
        }
    }
    needed = std::max(needed, Wide(1));
    if (needed >= Wide(MaxAmount / 100)) return std::nullopt;
    const qint64 stake = qint64(needed) * 100;
    if (!fits(*NumericValue(odds) * double(stake))) return std::nullopt;
    return stake;
}

namespace {

WorkedBack refused(TargetProblem problem, int row = -1) {
    WorkedBack worked;
    worked.problem = problem;
    worked.row = row;
    return worked;
}

}  // namespace

WorkedBack WorkBack(QStringView target, const RowTexts& odds) {
    const std::optional<double> goal = NumericValue(target);
    if (!goal) return refused(TargetProblem::TargetNotNumber);
    if (*goal <= 0) return refused(TargetProblem::TargetNotPositive);
    int firstOdds = -1;
    bool usable = false;
    for (int i = 0; i < DistributionRows; ++i) {
        if (firstOdds < 0 && !odds[i].isEmpty()) firstOdds = i;
        usable = usable || OddsReciprocal(odds[i]).has_value();
    }
    if (firstOdds < 0) return refused(TargetProblem::NoBets);
    if (!usable) return refused(TargetProblem::OddsMissing, firstOdds);

    WorkedBack worked;
    qint64 total = 0;
    for (int i = 0; i < DistributionRows; ++i) {
        if (!OddsReciprocal(odds[i])) continue;
        const std::optional<qint64> stake = WorkedBackStake(odds[i], target);
        if (!stake) return refused(TargetProblem::TooLarge);
        total += *stake;
        worked.rows[i] = {true, QString::number(*stake),
                          FormatGeneral(*NumericValue(odds[i]) * double(*stake))};
    }
    worked.total = QString::number(total);
    if (worked.total.size() > BudgetLength) return refused(TargetProblem::TooLarge);
    return worked;
}
