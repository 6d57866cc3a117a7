#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "common/BetType.h"
#include "common/Calibration.h"
#include "racedata/Market.h"

struct TextTable;  // market/MarketTable.h

// What a bet is worth: each starter's win probability from its 単勝 odds
// through the calibration, the chance of each 馬連 pair and 枠連 pair by the
// discounted Harville model, and 期待値 = probability × odds.

// The discount of the second place's chances: σ_k = p_k^γ / Σ p^γ.
inline constexpr double HarvilleGamma = 0.81;
// The longest value list.
inline constexpr int ValueListLength = 20;

// The chance that the unordered pair {i, j} finishes first and second, for
// every pair of the win probabilities p (in their order): an n × n symmetric
// matrix, row-major, zero on the diagonal. P(i, j) = p_i σ_j / (1 − σ_i) +
// p_j σ_i / (1 − σ_j).
std::vector<double> PairProbabilities(const std::vector<double>& win, double gamma = HarvilleGamma);

// The chances of one race's outcomes: each starter's calibrated win chance
// and the chance of each pair finishing first and second, by horse number.
struct RaceChances {
    int runners = 0;
    std::vector<double> win;    // by horse - 1; 0 for a horse without usable win odds
    std::vector<double> pairs;  // runners x runners, by horse - 1, row-major

    // The chance of a 単勝, 馬連 or 枠連 bet (brackets for 枠連, k-k over the
    // pairs inside bracket k); nullopt for 複勝 (its payout is not known before
    // the race), numbers outside the field and a horse without a chance.
    std::optional<double> of(BetType type, int first, int second = 0) const;
};

// The race's chances at the index beta. The starters are the market's horses
// not scratched and with usable win odds.
RaceChances ChancesOfRace(const RaceOdds& odds, const MarketAnalysis& market, double beta,
                          double gamma = HarvilleGamma);

struct HorseValue {
    int horse = 0;
    std::optional<double> chance;  // 補正勝率, 0 to 1
    std::optional<double> value;   // 補正勝率 × 単勝
    bool capped = false;           // 単勝 at the cap: value is a lower bound
};

struct ValueBet {
    BetType type = BetType::Quinella;  // 馬連 or 枠連
    int first = 0, second = 0;         // horses or brackets, first <= second
    QString odds;                      // as stored
    double chance = 0;
    double value = 0;  // chance × the exact odds
};

struct RaceValue {
    std::vector<HorseValue> horses;  // one per row of the market's horses
    // 馬連 and 枠連 with 期待値 of 1 or more (exact), best first, at most
    // ValueListLength; odds at the cap are never listed (their value is unknown).
    std::vector<ValueBet> bets;
};

// The race's value at the index beta. The starters are the market's horses
// not scratched; without win odds nothing has a chance.
RaceValue ValueOfRace(const RaceOdds& odds, const MarketAnalysis& market, double beta,
                      double gamma = HarvilleGamma);

// An odds text's value from its exact decimal digits; nullopt when it is not usable.
std::optional<double> ExactOdds(QStringView text);

// "12.3" (percent, one decimal), "1.12" (two decimals).
QString ChanceText(double chance);
QString ValueText(double value);
// "馬連 3-7 52.3 期待値 1.12（確率 2.1%）"
QString ValueBetText(const ValueBet& bet);

// Appends the columns 補正勝率 and 期待値 to the market's horse table.
void AddValueColumns(TextTable& horses, const RaceValue& value);

// The index used and the line that names it with the races behind it.
struct ValueBasis {
    double beta = 1;
    QString line;
};
// From a fit of the user's races (nullopt: none made yet); under
// FitMinimumRaces races β = 1.
ValueBasis BasisOfFit(const std::optional<CalibrationFit>& fit);
// A fixed index (zem-analyse --beta).
ValueBasis FixedBasis(double beta);
