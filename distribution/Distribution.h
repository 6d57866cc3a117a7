#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <optional>
#include <span>

#include "common/BetSlip.h"

// The arithmetic of the distribution window: a budget spread over up to eight
// bets in inverse proportion to their odds, in whole hundreds of yen, so that
// every bet pays back about the same amount. Inputs and outputs are the texts
// the window shows; the window only reads and writes captions.

inline constexpr int DistributionRows = 8;
using RowTexts = std::array<QString, DistributionRows>;

// Amounts in yen are shown to the yen in at most 15 significant digits; a
// distribution whose budget, stakes, payouts or total reach this cannot be
// shown truthfully and is not made.
inline constexpr double MaxAmount = 1e15;

// Characters the budget box holds.
inline constexpr int BudgetLength = 6;

// A budget text that is a positive number below MaxAmount, else nullopt (no budget).
std::optional<double> BudgetValue(QStringView budget);

// Rounds to a whole number, an exact half going to the even neighbour.
double RoundHalfEven(double value);

struct DistributionRow {
    bool used = false;  // the row has usable odds and takes a share
    QString stake;      // Lbl_Pay: whole hundreds, 100 at least; empty when not used
    QString payout;     // Lbl_Income: odds value x stake; empty when not used
};

struct Distribution {
    // False when there is no budget to spread (empty or not a positive number):
    // the stakes and payouts then keep what they show and the total is 0.
    bool budgetCounted = false;
    // A budget or odds that would make some amount MaxAmount or more: counted,
    // with every row empty and a total of 0, so that no figure of an earlier
    // budget stays beside them.
    bool tooLarge = false;
    std::array<DistributionRow, DistributionRows> rows;
    QString total = QStringLiteral("0");  // Lbl_Real_Pay
};

// Spreads the budget over the rows with usable odds. Reciprocals and their sum
// are single precision, accumulated in row order; the units of a row are
// budget / sum * reciprocal / 100 in double precision, left to right, rounded
// half to even; a stake is units x 100, or 100 when units is 0.
Distribution Distribute(QStringView budget, const RowTexts& odds);

// Payout colour: true when the payout is below the budget (red), false when it
// reaches it (black), nullopt when either text is not a number (leave the
// colour as it is).
std::optional<bool> PayoutShort(QStringView payout, QStringView budget);

// A stake moved by hand with the up-down control of its row.
struct StakeChange {
    QString stake;
    QString payout;
};

// One hundred yen more on a row with a stake and usable odds; nullopt leaves
// the row alone.
std::optional<StakeChange> StakeUp(QStringView stake, QStringView odds);
// One hundred yen less; a stake of 100 yen is not lowered.
std::optional<StakeChange> StakeDown(QStringView stake, QStringView odds);

// The sum of the stake captions that are numbers (the others count nothing).
QString CountTotal(const RowTexts& stakes);

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

struct BetRow {
    QString first;   // Txt_Buy1
    QString second;  // Txt_Buy2
    QString odds;    // Txt_Odds
    QString stake;   // Lbl_Pay
};
using BetRows = std::array<BetRow, DistributionRows>;

// The checks of OK in order. A row with a first number needs odds the
// distribution can use; a budget must be a positive number, and one whose
// distribution is too large to show counts as missing.
EntryCheck CheckEntries(QStringView budget, const BetRows& rows);

// The bets OK hands on: each row with a first number and odds, with its odds
// and stake (a 単・複勝 bet without its second number). The memo writer leaves
// out a pair without its second number.
BetSlip SlipOf(const Race& race, BetType type, const BetRows& rows);

// Composite odds of a set of bets: 1 / the sum of 1 / odds over the texts whose
// odds the distribution can use (OddsReciprocal), in double precision; nullopt
// when none is usable. 2.5, 5.0 and 10.0 make 1.428...
std::optional<double> CompositeOdds(std::span<const QString> odds);

// Composite odds as shown: two decimals, rounded down, and "倍" ("1.42倍").
QString CompositeText(double composite);

// The bottom line of an odds picker for its picked odds texts in cell order:
// "選択 4点 合成オッズ 3.52倍" ("選択 4点" when none is usable); empty when
// nothing is picked.
QString PicksLine(const QStringList& picked);

// What the bets promise with the stakes as they stand.
struct Spread {
    QString composite;  // Lbl_Synth: "1.42倍"
    QString returns;    // Lbl_Return_Range: least and most a hit pays, "13,000〜13,250円"
    QString profit;     // Lbl_Profit_Range: those less the total, "+3,100〜+3,350円"
    bool loss = false;  // the least a hit pays is below the total (shown red)
};

// The composite odds of the rows with usable odds, and the least and most
// payout of a hit in whole yen (odds x stake, rounded down) over the rows with
// a stake and usable odds, less the total staked. All empty when no row has a
// stake; one figure when least and most are equal.
Spread SpreadOf(const RowTexts& odds, const RowTexts& stakes, QStringView total);

// The smallest stake in whole hundreds of yen, 100 at least, whose payout
// (odds x stake) reaches the target, computed exactly from the decimal texts
// (odds 2.5 and a target of 1000 give 400). nullopt when the odds are not
// usable, the target is not a positive number, or the stake or its payout
// would reach MaxAmount.
std::optional<qint64> WorkedBackStake(QStringView odds, QStringView target);

// The first check of 逆算 that fails.
enum class TargetProblem {
    None,
    TargetNotNumber,    // "数値を入力してください。", focus on the target
    TargetNotPositive,  // "０以上で入力してください。", focus on the target
    TooLarge,           // a stake, payout or the total cannot be shown or entered as a budget
    NoBets,             // all eight odds boxes empty, focus on Txt_Buy1(0)
    OddsMissing,        // no usable odds, focus on Txt_Odds(row)
};

struct WorkedBack {
    TargetProblem problem = TargetProblem::None;
    int row = -1;  // for OddsMissing: the first row with odds text
    std::array<DistributionRow, DistributionRows> rows;  // as Distribute fills them
    QString total;                                       // Lbl_Real_Pay and the budget
};

// Stakes worked back from a target payout: every row with usable odds gets its
// WorkedBackStake and that stake's payout, the other rows nothing. The total
// must fit the budget box.
WorkedBack WorkBack(QStringView target, const RowTexts& odds);
