#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "common/BetSlip.h"
#include "common/BetType.h"
#include "common/Race.h"
#include "racedata/RaceOdds.h"

class DistributionSheet;

// The bet builder (買い目作成): bets made from forms (ボックス, 流し,
// フォーメーション) over one race's odds, and the ways a budget is spread over
// them. Plain functions; the window renders what they return.

// The forms of a set of bets, in the order Cmb_Form lists them.
enum class BetForm {
    Single,     // 通常: each number one bet, or pairs typed "3-7"
    Box,        // ボックス: every pair of the numbers
    Axis,       // 流し: one axis against partners
    Formation,  // フォーメーション: one number of each group
};
inline constexpr BetForm BetForms[] = {BetForm::Single, BetForm::Box, BetForm::Axis,
                                       BetForm::Formation};
QString BetFormName(BetForm form);

// The bet types the builder makes, in the order Cmb_Kind lists them.
inline constexpr BetType BuildKinds[] = {BetType::Win, BetType::Place, BetType::BracketQuinella,
                                         BetType::Quinella};
// The kind first shown for the main window's bet type: 単・複勝 is 単勝.
BetType BuildKindOf(BetType mainType);

// The race's starters as the odds show them.
struct BuildField {
    RaceOdds odds;
    std::vector<bool> scratched;  // by horse - 1: no usable win odds (or no usable pair)

    int runners() const { return odds.runners; }
    // Horses of the bracket still running.
    int starters(int bracket) const;
};
BuildField BuildFieldOf(const RaceOdds& odds);

// One bet as built: its numbers (second 0 for 単勝・複勝), the odds text the
// spread uses (the lower 複勝 odds), the text shown and whether the odds are
// at the record's cap (they mean "at least").
struct BuiltBet {
    int first = 0;
    int second = 0;
    QString odds;
    QString shown;
    bool capped = false;

    QString key() const;  // "7" or "3-7", as the memo and the falls name it
};

struct BuiltBets {
    std::vector<BuiltBet> bets;  // in number order
    QStringList notes;           // bets left out and why
    QString refusal;             // a number refused, named; no bets then
};

// The bets of the form from the texts of Txt_First and Txt_Second: numbers
// separated by blanks, commas or "、" (full-width digits too); 通常 pairs as
// "3-7". Brackets for 枠連, horses otherwise. A number outside the field, a
// scratched horse (a bracket without starters), a number typed twice is
// refused with its name. 枠連 ゾロ目 (k-k): in a box only when zorome is
// set, in 流し and フォーメーション where bracket k has two starters; a pair
// without odds is left out with a note.
BuiltBets BuildBets(const BuildField& field, BetType kind, BetForm form, QStringView first,
                    QStringView second, bool zorome);

// The numbers of a text read as BuildBets reads them, without checking the
// field; tokens that are no number are skipped.
std::vector<int> NumbersIn(QStringView text);

// How a budget is spread. One function per mode; Cmb_Mode lists SpreadModes.
enum class SpreadMode {
    EqualPayout,   // 同額払戻
    WithinBudget,  // 予算内
    Even,          // 均等
    Kelly,         // ケリー
};
inline constexpr SpreadMode SpreadModes[] = {SpreadMode::EqualPayout, SpreadMode::WithinBudget,
                                             SpreadMode::Even, SpreadMode::Kelly};
QString SpreadModeName(SpreadMode mode);

// Every spread gives the rows their stakes from the sheet's budget; rows
// marked in leftOut (odds at the cap) take no share in the modes in
// proportion to 1 / odds. The message says what the user must know (over the
// budget, a budget too small for the count), empty otherwise.
struct SpreadResult {
    QString message;
    bool over = false;  // the total exceeds the budget
};
using LeftOut = std::vector<bool>;

// 同額払戻: the distribution window's spread (each stake ∝ 1 / odds, rounded to
// the nearest 100, at least 100); it may exceed the budget and says so.
SpreadResult SpreadEqualPayout(DistributionSheet& sheet, const LeftOut& leftOut);
// 予算内: stakes ∝ 1 / odds rounded down to 100 (a row whose share is below
// 100 gets 100 and the rest is spread again), then the hundreds left handed one
// by one to the rows furthest below their exact share; never above the budget.
SpreadResult SpreadWithinBudget(DistributionSheet& sheet, const LeftOut& leftOut);
// 均等: the same whole-hundred stake on every row with odds, never above the budget.
SpreadResult SpreadEven(DistributionSheet& sheet, const LeftOut& leftOut);

// ケリー's inputs: each row's estimated chance of a hit (nullopt: none known,
// as for 複勝), the bankroll and the fraction of full ケリー staked.
struct KellyInputs {
    std::vector<std::optional<double>> chances;
    std::optional<qint64> bank;
    double fraction = 0.5;
};
// The fractions Cmb_Fraction offers, 1/2 first.
inline constexpr int KellyDivisors[] = {2, 3, 4, 1};
QString KellyFractionName(int divisor);  // "1/2", …, "1"

// ケリー: the stakes that maximise the expected logarithm of the bankroll over
// the rows (one pool: at most one of them wins), times the fraction, rounded
// down to 100; rows left without a stake are 見送り. Rows at the cap and rows
// without a chance take no stake. The budget is not used.
SpreadResult SpreadKelly(DistributionSheet& sheet, const LeftOut& leftOut,
                         const KellyInputs& kelly);

// What a spread needs beyond the sheet.
struct SpreadInputs {
    SpreadInputs(LeftOut capped = {}, KellyInputs k = {})
        : leftOut(std::move(capped)), kelly(std::move(k)) {}
    LeftOut leftOut;
    KellyInputs kelly;
};
// The function of the mode.
SpreadResult SpreadBy(SpreadMode mode, DistributionSheet& sheet, const SpreadInputs& inputs);

// Whole yen a hit of the row pays (odds x stake rounded down); nullopt
// without a stake or usable odds.
std::optional<qint64> RowPayout(const DistributionSheet& sheet, int row);
// A hit of the row pays back less than the total staked (トリガミ).
bool IsTrigami(const DistributionSheet& sheet, int row);

// "合計 3,000円　合成オッズ 4.52倍　払戻 3,010〜3,400円　収支 +10〜+400円" over
// the rows with a stake; "合計 0円" when none has one. loss: a hit can lose.
struct TotalLine {
    QString text;
    bool loss = false;
};
TotalLine TotalLineOf(const DistributionSheet& sheet);

// The bets with a stake, as the distribution hands them to the memo.
BetSlip BuiltSlip(const DistributionSheet& sheet, const Race& race, BetType kind);

// The bets as CSV (UTF-8 with its byte-order mark, CR LF): 券種, 買い目 (after
// its bet type), 第1, 第2, オッズ, 金額, 払戻, 収支.
QByteArray BuiltCsv(const DistributionSheet& sheet, const std::vector<BuiltBet>& bets,
                    BetType kind);
