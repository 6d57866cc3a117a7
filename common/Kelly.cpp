#include "common/Kelly.h"

#include <algorithm>
#include <cmath>
#include <numeric>

KellyPlan KellyShares(const std::vector<KellyBet>& bets) {
    KellyPlan plan;
    plan.shares.assign(bets.size(), 0.0);
    std::vector<std::size_t> order(bets.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto edge = [&](std::size_t k) { return bets[k].probability * bets[k].odds; };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return edge(a) > edge(b); });

    double chances = 0, prices = 0;  // Σp and Σ 1/odds of the bets added
    std::size_t added = 0;
    for (std::size_t k : order) {
        const KellyBet& bet = bets[k];
        if (!(bet.probability > 0) || !(bet.odds > 0) || !(edge(k) > plan.reserve)) break;
        const double nextPrices = prices + 1 / bet.odds;
        // Probabilities of exclusive outcomes keep this positive; guard odd input.
        if (nextPrices >= 1) break;
        chances += bet.probability;
        prices = nextPrices;
        plan.reserve = std::max(0.0, (1 - chances) / (1 - prices));
        ++added;
    }
    for (std::size_t i = 0; i < added; ++i) {
        const std::size_t k = order[i];
        plan.shares[k] = std::max(0.0, bets[k].probability - plan.reserve / bets[k].odds);
    }
    return plan;
}

std::vector<qint64> KellyStakes(const std::vector<KellyBet>& bets, qint64 bank, double fraction) {
    const KellyPlan plan = KellyShares(bets);
    std::vector<qint64> stakes;
    for (double share : plan.shares) {
        // Hundreds rounded down; the nudge keeps an exact multiple computed a
        // hair below it in binary from losing 100 yen.
        const double hundreds = static_cast<double>(bank) * fraction * share / 100;
        stakes.push_back(hundreds > 0 ? static_cast<qint64>(std::floor(hundreds + 1e-9)) * 100 : 0);
    }
    return stakes;
}
