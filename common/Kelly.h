#pragma once

#include <QtGlobal>
#include <vector>

// ケリー for bets on mutually exclusive outcomes (the bets of one pool of one
// race: at most one of them wins): the stakes that maximise the expected
// logarithm of the bankroll.

struct KellyBet {
    double probability = 0;  // of this outcome
    double odds = 0;         // decimal odds: the payout per unit staked, stake included
};

struct KellyPlan {
    // The share of the bankroll staked on each bet, in the order given (0: none).
    std::vector<double> shares;
    // The reserve rate R = (1 − Σp) / (1 − Σ 1/odds) of the bets staked
    // (1 when none is).
    double reserve = 1;
};

// Full ケリー: bets ordered by p × odds, added while p × odds exceeds the
// reserve rate of those added before; each added bet takes p − R / odds.
KellyPlan KellyShares(const std::vector<KellyBet>& bets);

// The stakes in yen of a bank and a fraction of full ケリー (1/2, 1/3, …), each
// rounded down to 100 yen, in the order given; 0 is 見送り.
std::vector<qint64> KellyStakes(const std::vector<KellyBet>& bets, qint64 bank, double fraction);
