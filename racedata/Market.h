#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include <QStringView>

#include "racedata/RaceOdds.h"

// What the odds of one race say: each horse's share of the win money and of the
// quinella money, whether spreading over all of a horse's quinella pairs pays
// more than its win odds, which bracket quinellas pay more than the quinella
// pairs they cover, and the payout rate each market implies. Figures are
// double precision from the odds texts that the distribution can use; shares
// are normalised from the exact sums; rounding is for display only.

struct HorseRow {
    int horse = 0;
    int bracket = 0;  // 0: no brackets in this race
    QString win;      // win odds text as stored
    QString place;    // "1.3-1.8", empty without place odds
    bool scratched = false;
    std::optional<double> winShare;       // percent of the starters' 1 / win odds
    std::optional<double> quinellaShare;  // percent of the starters' 1 / pair odds
    std::optional<double> difference;     // quinellaShare - winShare, in points
    std::optional<double> composite;      // 総流し: composite odds of the horse's pairs
    // "総流し" where the composite pays at least the win odds (and also pays when
    // the horse comes second); empty otherwise, and where the win odds are at
    // the record's cap, whose true value is unknown.
    QString advantage;
};

using HorsePair = std::pair<int, int>;  // first < second

struct BracketRow {
    int first = 0, second = 0;        // bracket pair, first <= second
    QString odds;                     // bracket-quinella odds text as stored
    std::vector<HorsePair> pairs;     // the quinella pairs of starters it covers
    std::optional<double> composite;  // of those pairs' usable odds
    bool compositeCapped = false;     // a pair at the cap: the composite is a lower bound
    // "枠連" or "馬連"; empty without both figures, and where odds at the cap
    // leave the comparison open.
    QString advantage;
};

// A quinella pair whose odds are lower than its bracket pair's.
struct DominatedPair {
    HorsePair pair;
    QString odds;
    int firstBracket = 0, secondBracket = 0;
    QString bracketOdds;
};

// 1 / the sum of 1 / odds, as a fraction (0.804 for 80.4 %); nullopt when the
// market has no usable odds.
struct PayoutRates {
    std::optional<double> win, bracket, quinella;
};

struct MarketAnalysis {
    std::vector<HorseRow> horses;
    std::vector<BracketRow> brackets;
    std::vector<DominatedPair> dominated;
    PayoutRates payout;
};

// The highest odds a record holds: 999.9 for 単勝, 複勝 and 枠連, 9999.9 for
// 馬連. Odds at it mean "at least that".
inline constexpr double OddsCap = 999.9;
inline constexpr double QuinellaOddsCap = 9999.9;
// Whether an odds text is at the cap of its market.
bool AtCap(QStringView odds, double cap);
// "999.9以上" for a text at the cap, the text otherwise.
QString CappedText(const QString& odds, double cap);

// A starter is scratched when its win odds are not usable (with the zo- file
// read) or none of its quinella pairs is (with the uo- file read); it keeps its
// texts, gets no figures and is left out of every sum, its pairs included.
MarketAnalysis AnalyseMarket(const RaceOdds& odds);

// Display: a percentage or a difference to one decimal, half up ("12.3",
// "+3.0", "-0.4", "0.0"); 差 is marked at +3.0 as shown or more.
QString PercentText(double value);
QString DifferenceText(double value);
bool DifferenceMarked(double value);
// "5-9, 5-10, 6-9, 6-10"
QString PairsText(const std::vector<HorsePair>& pairs);
// "1-2 6.8 < 枠連 1-2 7.4"
QString DominatedText(const DominatedPair& pair);
// "単勝 80.4%　枠連 77.9%　馬連 78.2%"; a market without odds shows "－", and
// one below 60 % or above 100 % is named as looking incomplete.
QString PayoutLine(const PayoutRates& rates);
