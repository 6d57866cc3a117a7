#pragma once

#include <QDate>
#include <vector>

#include "common/BetType.h"
#include "common/Racecourse.h"
#include "ledger/Ledger.h"

// The ledger's values of bets written as the table shows them, so that cases
// read as the ledger's window and CSV show them.
inline LedgerBet LedgerBetOf(const BetLine& row) {
    LedgerBet bet;
    bet.race = {QDate::fromString(row.date, QStringLiteral("yyyy/MM/dd")), CourseCodeOf(row.place),
                row.race};
    bet.type = BetTypeOf(row.betType).value_or(BetType::WinPlace);
    bet.bet = row.bet;
    for (const Outcome o :
         {Outcome::Hit, Outcome::Miss, Outcome::Refund, Outcome::Pending, Outcome::PayoutUnknown}) {
        if (row.outcome == OutcomeName(o)) bet.outcome = o;
    }
    bet.stake = row.stake;
    bet.payout = row.payout.value_or(0);
    return bet;
}

inline std::vector<LedgerBet> LedgerBets(const std::vector<BetLine>& rows) {
    std::vector<LedgerBet> bets;
    bets.reserve(rows.size());
    for (const BetLine& row : rows) bets.push_back(LedgerBetOf(row));
    return bets;
}
