#include "common/Distribution.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "common/NumberText.h"

std::optional<double> BudgetValue(std::optional<double> budget) {
    if (!budget || *budget <= 0 || *budget >= MaxAmount) return std::nullopt;
    return budget;
}

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
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

bool fits(double amount) {
    return std::isfinite(amount) && std::abs(amount) < MaxAmount;
}

}  // namespace

std::optional<qint64> PayoutYen(const ExactDecimal& odds, qint64 stake) {
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

std::optional<qint64> WorkedBackStake(const Odds& odds, const ExactDecimal& goal) {
    if (!odds.exact) return std::nullopt;
    const ExactDecimal& rate = *odds.exact;
    // The smallest k >= 1 with odds x 100k >= target, that is
    // rate.digits x k >= goal.digits x 10^shift.
    const int shift = goal.exponent - rate.exponent - 2;
    Wide needed = 1;
    if (shift >= 0) {
        const std::optional<Wide> scaled = scaleUp(Wide(goal.digits), shift);
        if (!scaled) return std::nullopt;  // k beyond 10^19
        needed = (*scaled + Wide(rate.digits) - 1) / Wide(rate.digits);
    } else {
        // rate.digits x 10^-shift x k >= goal.digits; a divisor beyond 38
        // digits exceeds every goal.
        if (const std::optional<Wide> divisor = scaleUp(Wide(rate.digits), -shift)) {
            needed = (Wide(goal.digits) + *divisor - 1) / *divisor;
        }
    }
    needed = std::max(needed, Wide(1));
    if (needed >= Wide(MaxAmount / 100)) return std::nullopt;
    const qint64 stake = qint64(needed) * 100;
    if (!fits(odds.value * double(stake))) return std::nullopt;
    return stake;
}

std::optional<qint64> WorkedBackStake(QStringView odds, QStringView target) {
    const OddsReading reading = ReadOdds(odds);
    const std::optional<ExactDecimal> goal = ExactDecimalOf(target);
    if (!reading.odds || !goal) return std::nullopt;
    return WorkedBackStake(*reading.odds, *goal);
}
