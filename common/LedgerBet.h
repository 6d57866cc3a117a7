#pragma once

#include <QString>
#include <QtGlobal>

#include "common/BetType.h"
#include "common/Outcome.h"
#include "common/Race.h"

// A settled bet as the ledger takes it: codes and whole yen, no display texts.
struct LedgerBet {
    Race race;  // date null while unknown
    BetType type = BetType::Quinella;
    QString bet;  // as written: "3-7", "5"
    Outcome outcome = Outcome::Pending;
    qint64 stake = 0;
    qint64 payout = 0;  // 0 while not settled (未確定, 払戻不明)

    bool operator==(const LedgerBet&) const = default;
};
