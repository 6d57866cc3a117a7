#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "common/BetSlip.h"
#include "common/BetType.h"
#include "common/Odds.h"
#include "common/Race.h"
#include "common/Distribution.h"

// A planned set of bets on one race as values: rows of numbers, odds read once
// and stakes in whole yen, with a budget. The distribution window (eight rows)
// and any other planner render it and send it edits; no figure is ever read
// back from what they show.
//
// Arithmetic of the spread, kept exactly as the window has always shown it:
// each row's reciprocal is single precision and the reciprocals are summed in
// row order in single precision; a row's units are
// budget / sum x reciprocal / 100 in double precision, left to right, rounded
// half to even; its stake is units x 100, or 100 when units is 0. A payout is
// odds value x stake in double precision. Amounts of MaxAmount yen or more
// cannot be shown to the yen and are never made.

struct SheetRow {
    QString first;                 // first number as entered (horse or bracket)
    QString second;                // second number as entered; empty for 単勝・複勝
    QString oddsText;              // the odds as entered
    OddsReading odds;              // oddsText read once: the value, or why it takes no share
    std::optional<qint64> stake;   // whole yen; nullopt when the row has none
    std::optional<double> payout;  // odds value x stake, figured when the stake was last
                                   // set (odds changed alone leave it as it was)

    // The row has odds the spread can use (a positive number whose reciprocal
    // is finite and not 0 in single precision).
    bool takesShare() const { return odds.odds.has_value(); }
};

// What spread() did.
enum class SpreadOutcome {
    Kept,      // no budget (not a number, or 0 or less): stakes and payouts kept, total 0
    Spread,    // every row set: a stake and payout on each row that takes a share, none elsewhere
    TooLarge,  // some amount would reach MaxAmount: every row emptied, total 0
};

// The least and most a hit pays back in whole yen (odds x stake rounded down,
// computed exactly from the decimal odds) over the rows with a stake and usable odds.
struct PayoutRange {
    qint64 least = 0;
    qint64 most = 0;
};

// The largest total 逆算 may give the window: the budget box holds six characters.
inline constexpr qint64 BudgetBoxMax = 999999;

class DistributionSheet {
public:
    explicit DistributionSheet(int rows = 0);

    // Rows, in the order the spread sums them.
    int size() const { return int(rows_.size()); }
    const SheetRow& row(int index) const { return rows_[size_t(index)]; }
    const std::vector<SheetRow>& rows() const { return rows_; }
    // Appends an empty row (or the one given) and returns its index.
    int addRow(SheetRow row = {});
    void insertRow(int at, SheetRow row = {});
    void removeRow(int at);

    // The numbers of a bet, as entered; they take no part in the arithmetic.
    void setFirst(int index, const QString& first);
    void setSecond(int index, const QString& second);
    // Reads the odds text once and keeps both; the stake and payout stay as they
    // are. Returns the refusal (None when the row now takes a share).
    OddsRefusal setOdds(int index, QStringView text);

    // The budget as typed: its value when the text is a number (of any sign),
    // else nullopt. Spreading needs a positive one.
    void setBudget(QStringView text);
    void setBudget(std::optional<double> value);
    std::optional<double> budget() const { return budget_; }

    // Spreads the budget over the rows that take a share (see the arithmetic
    // above) and counts the total.
    SpreadOutcome spread();
    // What spread() would do, without doing it.
    SpreadOutcome spreadOutcome() const;

    // One hundred yen more on a row with a stake and usable odds, its payout
    // figured again; one hundred less, but not below 100. False leaves the row
    // alone (no stake, no usable odds, at 100 already, or an amount reaching
    // MaxAmount). The total is counted again from the stakes either way.
    bool stakeUp(int index);
    bool stakeDown(int index);
    // A stake typed by hand: whole hundreds, 100 at least, on a row with usable
    // odds, stake and payout below MaxAmount; nullopt clears the row's stake.
    // False refuses it and leaves the row alone. The total is counted again.
    bool setStake(int index, std::optional<qint64> stake);

    // 逆算: every row with usable odds gets the smallest whole-hundred stake,
    // 100 at least, whose payout reaches the target (exactly, from the decimal
    // texts: odds 2.5 and a target of 1000 give 400), the other rows none; the
    // total becomes the budget. A problem leaves the sheet as it was: the target
    // not a number or not positive, no row with odds text (NoBets), none with
    // usable odds (OddsMissing, row = the first with odds text), a stake or
    // payout reaching MaxAmount, or a total above maxTotal (TooLarge).
    struct WorkedBack {
        TargetProblem problem = TargetProblem::None;
        int row = -1;
    };
    WorkedBack workBack(QStringView target, qint64 maxTotal = BudgetBoxMax);
    WorkedBack workBack(qint64 targetYen, qint64 maxTotal = BudgetBoxMax);

    // The total staked as last counted: by spread() (0 when it kept or emptied
    // the rows), by a stake moved or set by hand, or by 逆算.
    qint64 total() const { return total_; }
    // The sum of the stakes the rows hold now.
    qint64 stakeSum() const;

    // 1 / the sum of 1 / odds over the rows that take a share, in double
    // precision; nullopt when none does.
    std::optional<double> compositeOdds() const;
    // nullopt when no row has a stake on usable odds (or none fits).
    std::optional<PayoutRange> payoutRange() const;
    // A row's payout as shown (15 significant digits) below the budget (red),
    // reaching it (black); nullopt when
    // the row has no payout or the budget is not a number (colour left as it is).
    std::optional<bool> payoutShort(int index) const;

    // The checks of OK in order: a budget that is a number, positive, and whose
    // spread is not too large; some row with odds text; every row with a first
    // number taking a share.
    EntryCheck checkEntries() const;

    // The bets: each row with a first number and odds text, with its odds and
    // stake (0 when it has none); the second number only for pair bet types.
    BetSlip slip(const Race& race, BetType type) const;

private:
    void countTotal();

    std::vector<SheetRow> rows_;
    std::optional<double> budget_;
    qint64 total_ = 0;
};

// What the bets promise, as the window shows it under its buttons.
struct Spread {
    QString composite;  // Lbl_Synth: "1.42倍"
    QString returns;    // Lbl_Return_Range: least and most a hit pays, "13,000〜13,250円"
    QString profit;     // Lbl_Profit_Range: those less the total, "+3,100〜+3,350円"
    bool loss = false;  // the least a hit pays is below the total (shown red)
};

// The composite odds, payout range and profit range (payout less total()) of
// the sheet. All empty when no row has a stake on usable odds; one figure when
// least and most are equal.
Spread SpreadOf(const DistributionSheet& sheet);

// Whole yen in digit groups, 13000 as "13,000"; with sign "+3,100", "-400" and "0".
QString GroupedYen(qint64 yen, bool sign = false);

// A stake or total as shown ("5300"), empty for none.
QString StakeText(std::optional<qint64> stake);
// A payout as shown ("13250", "1E+15"), empty for none.
QString PayoutText(std::optional<double> payout);
