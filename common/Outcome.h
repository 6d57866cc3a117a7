#pragma once

#include <QString>

// What became of a bet: the settlement decides it, the ledger keeps it as a code.

enum class Outcome {
    Hit,           // 的中: stake ÷ 100 × the payout per 100 yen
    Miss,          // 不的中: nothing back
    Refund,        // 返還: a scratched horse or withdrawn pair, the stake back
    Pending,       // 未確定: no usable result (none yet, another date's, unreadable)
    PayoutUnknown  // 払戻不明: a hit whose payout cannot be read
};

QString OutcomeName(Outcome outcome);

// Counted in the totals: 的中, 不的中 and 返還.
inline bool IsSettled(Outcome outcome) {
    return outcome == Outcome::Hit || outcome == Outcome::Miss || outcome == Outcome::Refund;
}
