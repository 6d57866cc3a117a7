#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"
#include "settle/BetCsv.h"
#include "settle/BetMemo.h"

// Settling the memo's bets against the race results in the data directory.
// A block's bets belong to the day of the date line above it, else to the day
// chosen, else to the date of the race's newest odds file; the race settles
// against that day's odds files and the "ks-" file of that date among all of
// the race's, since PAT95 keeps other days' files beside them. A race on two
// days is two races of the settlement. A result of another date,
// or one that cannot be read, leaves the bets 未確定 with the reason; a bet
// the odds show was never on sale is listed among the lines not read. Files
// are read once into records of the settlement's own: the records the other
// windows hold are never touched.

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

struct SettledBet {
    BetLine row;  // as the table, the CSV and the ledger show it
    Race race;    // date null when neither the bets nor a result tell it
    BetType type = BetType::Quinella;  // the block's type, as row.betType names it
    Outcome outcome = Outcome::Pending;
    int line = 0;        // memo line of the bet
    bool asWin = false;  // from a "単・複勝" block: settled as 単勝
};

// The bets of one race on one day, from all of its blocks, at the place of its first block.
struct SettledRace {
    QString place;
    int race = 0;
    // "yyyy/MM/dd": the day of the race's bets, else of the result used;
    // empty when neither tells.
    QString date;
    QStringList resultFiles;  // every "ks-" file of the race, of whatever date
    std::vector<SettledBet> bets;
    qint64 stake = 0;      // of the settled bets
    qint64 payout = 0;     // of the settled bets
    bool settled() const;  // has a settled bet
    QString label() const { return QStringLiteral("%1%2R").arg(place).arg(race); }
    // "11/29 東京11R": the label with the day, for a settlement of several days.
    QString labelWithDay() const {
        return date.size() == 10 ? date.mid(5) + QLatin1Char(' ') + label() : label();
    }
};

struct Totals {
    qint64 stake = 0;   // 購入 of the settled bets
    qint64 payout = 0;  // 払戻
    qint64 balance() const { return payout - stake; }
    int hitBets = 0, decidedBets = 0;    // 的中 among 的中 and 不的中
    int hitRaces = 0, decidedRaces = 0;  // races with a 的中 among races with a decided bet
    int pendingBets = 0;                 // 未確定 and 払戻不明
    qint64 pendingStake = 0;
};

struct Settlement {
    std::vector<SettledRace> races;  // in the order of their first block in the memo
    std::vector<SkippedLine> skipped;
    Totals totals;

    std::vector<BetLine> rows() const;  // every bet, in the table's order
};

// chosenDay is the day of the blocks without a date line above them; null:
// each race's newest day.
Settlement SettleBets(const MemoReading& memo, const QString& dataDir, const QDate& chosenDay = {});
inline Settlement SettleMemo(QStringView memo, const QString& dataDir,
                             const QDate& chosenDay = {}) {
    return SettleBets(ReadMemo(memo), dataDir, chosenDay);
}

// Texts of the figures, as the window and the command line show them.
QString YenText(qint64 amount);  // "1,200円", "-800円"
// 回収率 = 払戻 ÷ 購入 × 100, one decimal, rounded half up: "123.4%"; "-" without stake.
QString RateText(qint64 payout, qint64 stake);
QString PercentOf(int part, int whole);     // "33.3%"; "-" for a whole of 0
QString HitText(const Totals& totals);      // "レース 1/2 (50.0%)　買い目 1/5 (20.0%)"
QString PendingText(const Totals& totals);  // "2件 1,600円"
