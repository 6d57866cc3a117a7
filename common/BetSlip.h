#pragma once

#include <QString>
#include <vector>

#include "common/BetType.h"
#include "common/Odds.h"
#include "common/Race.h"

// One planned bet: the numbers as entered (a horse or bracket number; the
// second is empty for 単・複勝), its odds and its stake in whole yen.
struct SlipBet {
    QString first;
    QString second;
    Odds odds;
    qint64 stake = 0;
};

// A planned set of bets on one race, as the distribution window hands it back.
struct BetSlip {
    Race race;
    BetType type = BetType::Quinella;
    std::vector<SlipBet> bets;
};
