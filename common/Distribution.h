#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <span>

#include "common/CompositeOdds.h"
#include "common/Odds.h"

// The rules of the distribution that need no sheet: its limits, the rounding
// of the spread, the problems OK and 逆算 report, composite odds and the
// stake worked back from a target. The sheet itself is DistributionSheet.

// Rows the distribution window shows.
inline constexpr int DistributionRows = 8;

// Amounts in yen are shown to the yen in at most 15 significant digits; a
// distribution whose budget, stakes, payouts or total reach this cannot be
// shown truthfully and is not made.
inline constexpr double MaxAmount = 1e15;

// Characters the budget box holds.
inline constexpr int BudgetLength = 6;

// A budget that is a positive number below MaxAmount, else nullopt (no budget).
std::optional<double> BudgetValue(std::optional<double> budget);

// Rounds to a whole number, an exact half going to the even neighbour.
double RoundHalfEven(double value);

// The first check of OK that fails.
enum class EntryProblem {
    None,
    BudgetNotNumber,  // "数値を入力してください。", focus on the budget
    BudgetMissing,    // "総購入金額を入力してください。", focus on the budget
    NoBets,           // "最低一件以上入力してください。", focus on Txt_Buy1(0)
    OddsMissing,      // "オッズを入力してください。", focus on Txt_Odds(row)
};

struct EntryCheck {
    EntryProblem problem = EntryProblem::None;
    int row = -1;  // for OddsMissing
};

// Whole yen a hit pays: odds x stake rounded down, exactly; nullopt when it
// does not fit 64 bits.
std::optional<qint64> PayoutYen(const ExactDecimal& odds, qint64 stake);

// The smallest stake in whole hundreds of yen, 100 at least, whose payout
// (odds x stake) reaches the target, computed exactly from the decimals (odds
// 2.5 and a target of 1000 give 400). nullopt when the stake or its payout
// would reach MaxAmount.
std::optional<qint64> WorkedBackStake(const Odds& odds, const ExactDecimal& target);
// The same from texts; nullopt also when the odds are not usable or the target
// is not a positive number.
std::optional<qint64> WorkedBackStake(QStringView odds, QStringView target);

// The first check of 逆算 that fails.
enum class TargetProblem {
    None,
    TargetNotNumber,    // "数値を入力してください。", focus on the target
    TargetNotPositive,  // "０以上で入力してください。", focus on the target
    TooLarge,           // a stake, payout or the total cannot be shown or entered as a budget
    NoBets,             // all odds boxes empty, focus on Txt_Buy1(0)
    OddsMissing,        // no usable odds, focus on Txt_Odds(row)
};
