#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>

#include "common/Kelly.h"
#include "market/MarketTable.h"
#include "racedata/Market.h"
#include "racedata/RaceOdds.h"
#include "racedata/Records.h"
#include "racedata/Value.h"

namespace {

// A race's odds as the odds analysis holds them: 単勝 by horse, 馬連 by pair
// (a < b), 枠連 by bracket pair.
RaceOdds OddsOfRace(const std::vector<QString>& win, const std::function<QString(int, int)>& pair,
                    const std::map<std::pair<int, int>, QString>& bracket = {}) {
    RaceOdds odds;
    const int n = static_cast<int>(win.size());
    odds.runners = n;
    odds.hasWin = odds.hasQuinella = true;
    odds.win = win;
    odds.placeLow.resize(n);
    odds.placeHigh.resize(n);
    odds.quinella.resize(n * (n - 1) / 2);
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b) odds.quinella[UoRecord::EntryOfPair(a, b, n)] = pair(a, b);
    for (const auto& [p, text] : bracket)
        odds.bracket[ZoRecord::EntryOfBracketPair(p.first, p.second)] = text;
    return odds;
}

RaceValue Value(const RaceOdds& odds, double beta) {
    return ValueOfRace(odds, AnalyseMarket(odds), beta);
}

}  // namespace

// Over every pair of a race the chances sum to 1, whatever γ; at γ = 1 they
// are Harville's p_i p_j / (1 − p_i) + p_j p_i / (1 − p_j).
TEST(Value, PairChancesSumToOneAndAreHarvillesAtGammaOne) {
    const std::vector<std::vector<double>> races = {
        {0.5, 0.5},
        {0.7, 0.2, 0.1},
        {0.3, 0.25, 0.15, 0.1, 0.08, 0.05, 0.04, 0.03},
        std::vector<double>(18, 1.0 / 18),
    };
    for (const std::vector<double>& p : races) {
        const std::size_t n = p.size();
        for (double gamma : {HarvilleGamma, 1.0, 0.5}) {
            const std::vector<double> pairs = PairProbabilities(p, gamma);
            double sum = 0;
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t j = i + 1; j < n; ++j) sum += pairs[i * n + j];
            EXPECT_NEAR(sum, 1.0, 1e-12) << n << " runners, γ = " << gamma;
        }
        const std::vector<double> harville = PairProbabilities(p, 1.0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j)
                EXPECT_NEAR(harville[i * n + j],
                            p[i] * p[j] / (1 - p[i]) + p[j] * p[i] / (1 - p[j]), 1e-15);
    }
    // The discount gives the outsiders more of the places than Harville does.
    const std::vector<double> p = races[1];
    EXPECT_GT(PairProbabilities(p)[1 * 3 + 2], PairProbabilities(p, 1.0)[1 * 3 + 2]);
}

// 単勝 2.0 4.0 5.0 at β = 2: p ∝ (1/2)², (1/4)², (1/5)² = 0.25, 0.0625, 0.04
// (Σ 0.3525): p = 0.709220, 0.177305, 0.113475. σ ∝ p^0.81 = 0.757200,
// 0.246344, 0.171612 (Σ 1.175156): σ = 0.644340, 0.209626, 0.146033.
// P(1,2) = 0.709220 × 0.209626 / 0.355660 + 0.177305 × 0.644340 / 0.790374
//        = 0.418014 + 0.144547 = 0.562561; × 3.0 = 1.6877.
// P(1,3) = 0.709220 × 0.146033 / 0.355660 + 0.113475 × 0.644340 / 0.853967
//        = 0.291204 + 0.085620 = 0.376824; × 4.5 = 1.6957.
// P(2,3) = 0.060615; × 12.0 = 0.7274, not listed.
TEST(Value, ThreeHorsesWorkedByHand) {
    const RaceOdds odds = OddsOfRace({u"2.0"_qs, u"4.0"_qs, u"5.0"_qs}, [](int a, int b) {
        return a == 1 ? (b == 2 ? u"3.0"_qs : u"4.5"_qs) : u"12.0"_qs;
    });
    const RaceValue v = Value(odds, 2.0);
    ASSERT_EQ(v.horses.size(), 3u);
    const double chance[] = {0.7092, 0.1773, 0.1135}, worth[] = {1.4184, 0.7092, 0.5674};
    for (int h = 0; h < 3; ++h) {
        EXPECT_NEAR(*v.horses[h].chance, chance[h], 5e-5);
        EXPECT_NEAR(*v.horses[h].value, worth[h], 5e-5);
    }
    ASSERT_EQ(v.bets.size(), 2u);
    EXPECT_EQ(ValueBetText(v.bets[0]), u"馬連 1-3 4.5 期待値 1.70（確率 37.7%）"_qs);
    EXPECT_NEAR(v.bets[0].value, 1.6957, 5e-5);
    EXPECT_EQ(ValueBetText(v.bets[1]), u"馬連 1-2 3.0 期待値 1.69（確率 56.3%）"_qs);
    EXPECT_NEAR(v.bets[1].value, 1.6877, 5e-5);

    TextTable horses = HorsesTable(AnalyseMarket(odds));
    AddValueColumns(horses, v);
    EXPECT_EQ(horses.headers.mid(9), (QStringList{u"補正勝率"_qs, u"期待値"_qs}));
    EXPECT_EQ(horses.rows[0][9].text, u"70.9"_qs);
    EXPECT_EQ(horses.rows[0][10].text, u"1.42"_qs);
}

// Nine starters (horses 8 and 9 share bracket 8): 枠連 8-8 is the pair 8-9 (a
// ゾロ目), 1-8 the pairs 1-8 and 1-9. Odds at the cap are never listed; the
// list keeps the best twenty of a race where most pairs are worth it.
TEST(Value, BracketSumsCapsAndTheBestTwenty) {
    const std::vector<QString> win = {u"2.5"_qs,  u"4.0"_qs,  u"30.0"_qs, u"20.0"_qs, u"15.0"_qs,
                                      u"50.0"_qs, u"40.0"_qs, u"8.0"_qs,  u"10.0"_qs};
    std::map<std::pair<int, int>, QString> brackets;
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b) brackets[{a, b}] = u"1.0"_qs;
    brackets[{8, 8}] = u"300.0"_qs;
    brackets[{1, 8}] = u"20.0"_qs;
    brackets[{2, 8}] = u"999.9"_qs;  // at the cap: at least 999.9
    const RaceOdds odds = OddsOfRace(
        win, [](int, int) { return u"9999.9"_qs; }, brackets);
    const double beta = 1.2;
    const RaceValue v = Value(odds, beta);

    std::vector<BacktestStarter> starters;
    for (int h = 1; h <= 9; ++h) starters.push_back({h, win[h - 1].toDouble()});
    const std::vector<double> pairs =
        PairProbabilities(Calibrated(MarketProbabilities(starters), beta));
    const auto pairOf = [&](int a, int b) { return pairs[(a - 1) * 9 + (b - 1)]; };
    ASSERT_EQ(v.bets.size(), 2u);
    for (const ValueBet& b : v.bets) {
        EXPECT_EQ(b.type, BetType::BracketQuinella);
        EXPECT_DOUBLE_EQ(b.chance, b.first == 8 ? pairOf(8, 9) : pairOf(1, 8) + pairOf(1, 9));
        EXPECT_DOUBLE_EQ(b.value, b.chance * b.odds.toDouble());
    }
    EXPECT_NE(v.bets[0].first, v.bets[1].first);
    EXPECT_GT((pairOf(2, 8) + pairOf(2, 9)) * 999.9, 1.0);  // worth it, were it not capped

    // Eighteen starters, every pair at 5000.0: most are worth it.
    std::vector<QString> field;
    for (int h = 1; h <= 18; ++h) field.push_back(QString::number(2.0 + h, 'f', 1));
    const RaceValue many = Value(OddsOfRace(field, [](int, int) { return u"5000.0"_qs; }), 1.0);
    ASSERT_EQ(many.bets.size(), static_cast<std::size_t>(ValueListLength));
    EXPECT_TRUE(
        std::is_sorted(many.bets.begin(), many.bets.end(),
                       [](const ValueBet& x, const ValueBet& y) { return x.value > y.value; }));
    EXPECT_EQ(std::pair(many.bets[0].first, many.bets[0].second), std::pair(1, 2));
}

namespace {

// E[log bankroll] of staking shares f of it on exclusive outcomes.
double LogGrowth(const std::vector<KellyBet>& bets, const std::vector<double>& f) {
    const double staked = std::accumulate(f.begin(), f.end(), 0.0);
    double growth = 0, chances = 0;
    for (std::size_t k = 0; k < bets.size(); ++k) {
        growth += bets[k].probability * std::log(1 - staked + f[k] * bets[k].odds);
        chances += bets[k].probability;
    }
    return growth + (1 - chances) * std::log(1 - staked);
}

// A brute-force maximum: compass search over the shares (each at least 0, the
// bankroll not exceeded), halving the step until it is tiny. The function is
// concave, so the search ends at its maximum.
std::vector<double> BruteForce(const std::vector<KellyBet>& bets) {
    std::vector<double> f(bets.size(), 0.0);
    double best = LogGrowth(bets, f);
    for (double step = 0.25; step > 1e-10;) {
        bool moved = false;
        for (std::size_t k = 0; k < f.size(); ++k) {
            for (double direction : {1.0, -1.0}) {
                std::vector<double> g = f;
                g[k] = std::max(0.0, g[k] + direction * step);
                if (std::accumulate(g.begin(), g.end(), 0.0) >= 1) continue;
                const double value = LogGrowth(bets, g);
                if (value > best) {
                    best = value;
                    f = g;
                    moved = true;
                }
            }
        }
        if (!moved) step /= 2;
    }
    return f;
}

}  // namespace

TEST(Kelly, SharesMatchABruteForceMaximumOfTheLogBankroll) {
    const std::vector<std::vector<KellyBet>> cases = {
        {{0.3, 4.0}, {0.2, 5.0}, {0.1, 8.0}},
        {{0.5, 2.2}, {0.2, 4.0}, {0.1, 12.0}, {0.1, 6.0}},
        {{0.05, 30.0}, {0.15, 8.0}, {0.25, 4.5}, {0.1, 9.5}, {0.2, 3.0}},
        {{0.2, 4.0}, {0.1, 9.0}, {0.3, 3.0}},  // nothing worth staking
    };
    for (const std::vector<KellyBet>& bets : cases) {
        SCOPED_TRACE(bets.size());
        const KellyPlan plan = KellyShares(bets);
        const std::vector<double> brute = BruteForce(bets);
        for (std::size_t k = 0; k < bets.size(); ++k) EXPECT_NEAR(plan.shares[k], brute[k], 1e-6);
        EXPECT_GE(LogGrowth(bets, plan.shares), LogGrowth(bets, brute) - 1e-12);
    }
}

// 0.3 at 4.0, 0.2 at 5.0, 0.1 at 8.0: R = (1 − 0.5) / (1 − 0.45) = 10/11, so
// 0.3 − R/4 = 4/55 and 0.2 − R/5 = 1/55 of the bank, the third 見送り
// (0.1 × 8.0 = 0.8 < R). Of 110,000 yen: 8,000 and 2,000 exactly.
TEST(Kelly, StakesScaleByTheFractionAndRoundDownToHundreds) {
    const std::vector<KellyBet> bets = {{0.3, 4.0}, {0.2, 5.0}, {0.1, 8.0}};
    EXPECT_NEAR(KellyShares(bets).reserve, 10.0 / 11, 1e-15);
    struct Case {
        qint64 bank;
        double fraction;
        std::vector<qint64> stakes;
    };
    const Case cases[] = {
        {110000, 1.0 / 3, {2600, 600, 0}},
        {110000, 1.0 / 4, {2000, 500, 0}},
        {100000, 1.0 / 2, {3600, 900, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KellyStakes(bets, c.bank, c.fraction), c.stakes) << c.bank << " × " << c.fraction;
    }
}
