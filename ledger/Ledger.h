#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"
#include "common/SqliteFile.h"
#include "ledger/TaxFigures.h"
#include "settle/BetCsv.h"
#include "settle/Settlement.h"

// The ledger of settled bets: one SQLite file in the user's data directory,
// one row a bet. Every query of the ledger lives here; windows only call these.
// The file keeps racecourse, bet type and outcome as codes (course code,
// BetType, Outcome); the texts of BetLine and LedgerLine are made from them.

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

// Every bet of the settlement, in the table's order.
std::vector<LedgerBet> LedgerBetsOf(const Settlement& settlement);

// Figures of a group of recorded bets.
struct LedgerFigures {
    qint64 stake = 0;   // 購入
    qint64 payout = 0;  // 払戻
    int bets = 0;       // bets recorded
    int hits = 0;       // 的中
    int refunds = 0;    // 返還: they did not run, so they count for no hit rate
    int races = 0;      // races with at least one of the bets

    qint64 balance() const { return payout - stake; }
    void add(const LedgerFigures& other);
};

// 回収率 (払戻 ÷ 購入) with one decimal and "%", "-" without a stake.
QString RecoveryRateText(const LedgerFigures& figures);
// 的中率 (bets hit ÷ bets that ran) with one decimal and "%", "-" without bets.
QString HitRateText(const LedgerFigures& figures);

// A line of figures: a month ("12月", key 12), a year ("2026年", key 2026), a
// bet type ("馬連", key its BetType) or a racecourse ("東京", key its course code).
struct LedgerLine {
    QString label;
    int key = 0;
    LedgerFigures figures;
};

struct LedgerSummary {
    std::vector<LedgerLine> lines;
    LedgerFigures total;
};

// A recorded race with its figures.
struct LedgerRace {
    Race race;
    LedgerFigures figures;
};

// The balance summed up to and including a day (within a year) or a month
// (over every year).
struct LedgerPoint {
    QString label;
    qint64 balance = 0;
};

// What one recording did.
struct RecordOutcome {
    bool ok = false;
    int recorded = 0;  // bets written
    int races = 0;     // races whose figures were replaced
    int pending = 0;   // 未確定 (and bets without a race date), left out
    int unknown = 0;   // 払戻不明, left out
    int kept = 0;      // races recorded before and left as they were, at the user's word
    QString error;     // why nothing was recorded

    int leftOut() const { return pending + unknown; }
};

// The ledger file: AppDataLocation + "/ledger.sqlite", unless replaced.
QString LedgerPath();
// Replaces the ledger's path (tests, benchmarks); empty restores the default.
void SetLedgerPath(const QString& path);

// Period of the queries: a year, or every year with AllYears.
inline constexpr int AllYears = 0;

class Ledger : public SqliteStore {
public:
    static constexpr int SchemaVersion = 5;

    Ledger();

    // Opens the ledger, creating it (and its directory) when there is none and
    // bringing an older one up to date. A file that is not a ledger, is cut
    // short or cannot be opened is left as it is: false, with error() naming it.
    // A ledger of a newer version is opened read-only, with notice() saying so.
    bool open(const QString& path = LedgerPath());

    // Records settled bets. The bets are the truth for their races: whatever
    // the ledger held for each race (date, racecourse, race number) that has a
    // bet to record is replaced. 未確定 and 払戻不明 are left out of the
    // figures and counted; those with a day are kept apart (unrecorded()),
    // replacing what was kept apart for each race of the rows, so that a race
    // recorded again once its result is in has none left. Bets without a day
    // are only counted.
    // All in one transaction: after a failure the ledger is as it was.
    // The races in keep are left as they are: neither their bets nor their
    // unrecorded bets are touched.
    RecordOutcome record(const std::vector<LedgerBet>& rows,
                         const std::vector<LedgerRace>& keep = {});
    // The races of the rows that record() would replace and that the ledger
    // holds already, in the rows' order (figures left empty).
    std::vector<LedgerRace> recordedRaces(const std::vector<LedgerBet>& rows);

    // Years with records or unrecorded bets, newest first.
    std::vector<int> years();
    // A line per month of the year, or per year for AllYears, with the total.
    LedgerSummary summary(int year);
    // The period's figures by bet type (馬連, 枠連, 単勝, 複勝) and by racecourse.
    std::vector<LedgerLine> byType(int year);
    std::vector<LedgerLine> byPlace(int year);
    // Cumulative balance: a point per race day of the year, or per month of
    // every year ("2026/12") for AllYears.
    std::vector<LedgerPoint> balanceSeries(int year);
    // The month's races with their figures, in date and recording order.
    std::vector<LedgerRace> races(int year, int month);
    // Removes a race's bets, those kept apart unrecorded too; false when that
    // failed (error() says why).
    bool deleteRace(const Race& race);
    // Every recorded bet of the period, as the settlement writes them out.
    std::vector<BetLine> bets(int year);

private:
    // Reads the ledger: sql with values bound in order, each row handed to
    // onRow. False when the ledger is not open or the query failed (error()
    // then says why); error() is cleared first.
    template <typename OnRow>
    bool forEachRow(const QString& sql, std::initializer_list<QVariant> values, OnRow&& onRow);

    QString readOnlyReason_;  // why recording and deleting are refused

public:
    // A race's bets in recording order.
    std::vector<BetLine> raceBets(const Race& race);
    // The month's bets, in date and recording order.
    std::vector<BetLine> monthBets(int year, int month);
    // The year's figures for the 一時所得 estimate, a line per month with bets.
    std::vector<TaxMonth> taxMonths(int year);
    // The period's bets that were given to record() but could not be recorded,
    // in date and recording order: outcome says why (未確定 or 払戻不明),
    // payout and balance are empty. They are in none of the figures.
    std::vector<BetLine> unrecorded(int year);

private:
    std::vector<BetLine> betsBetween(int from, int to, int place, int race);
};
