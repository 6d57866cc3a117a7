#include "ledger/Ledger.h"

#include <QDate>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

#include "common/BetType.h"
#include "common/Clock.h"
#include "common/Racecourse.h"
#include "settle/Settlement.h"

namespace {

QString& pathOverride() {
    static QString path;
    return path;
}

QString dateText(int key) {
    return QStringLiteral("%1/%2/%3")
        .arg(key / 10000, 4, 10, QLatin1Char('0'))
        .arg(key / 100 % 100, 2, 10, QLatin1Char('0'))
        .arg(key % 100, 2, 10, QLatin1Char('0'));
}

using RaceKey = std::tuple<int, int, int>;  // date, course code, race

// yyyymmdd of a date, 0 for none.
int dateKey(const QDate& date) {
    return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
}

QDate dateOf(int key) {
    return QDate(key / 10000, key / 100 % 100, key % 100);
}

// The race a bet is kept under, settled or not: it needs a day, a racecourse
// and a bet type a settled bet has.
std::optional<RaceKey> raceKeyOf(const LedgerBet& bet) {
    const int date = dateKey(bet.race.date);
    if (date == 0 || bet.type == BetType::WinPlace || bet.race.course < 0 || bet.race.course > 9)
        return std::nullopt;
    return RaceKey{date, bet.race.course, bet.race.number};
}

// The race a bet is recorded under; none for a bet the ledger does not keep
// (未確定, 払戻不明, no date).
std::optional<RaceKey> recordedRaceOf(const LedgerBet& bet) {
    return IsSettled(bet.outcome) ? raceKeyOf(bet) : std::nullopt;
}

// A bet the ledger keeps apart, unrecorded: 未確定 or 払戻不明 with a day, a
// racecourse and a bet type of its own. Without a day it belongs to no year.
std::optional<RaceKey> unrecordedRaceOf(const LedgerBet& bet) {
    return IsSettled(bet.outcome) ? std::nullopt : raceKeyOf(bet);
}

// First and last date key of the period.
std::pair<int, int> periodRange(int year) {
    if (year == AllYears) return {0, 99999999};
    return {year * 10000, year * 10000 + 9999};
}

// SQL that maps the display texts that versions 1 to 3 kept to their codes;
// a text that is none maps to NULL, which the new tables refuse.
QString codeCase(const QString& column, const std::vector<std::pair<QString, int>>& codes) {
    QString sql = QStringLiteral("CASE %1").arg(column);
    for (const auto& [text, code] : codes)
        sql += QStringLiteral(" WHEN '%1' THEN %2").arg(text).arg(code);
    return sql + QStringLiteral(" END");
}

// 3 -> 4: racecourse, bet type and outcome kept as codes (course code,
// BetType, Outcome) instead of their display texts.
std::vector<QString> codeStep() {
    std::vector<std::pair<QString, int>> places, types, outcomes;
    for (const Racecourse& course : Racecourses)
        places.emplace_back(QString::fromUtf16(course.name), course.code);
    for (const BetType type :
         {BetType::Quinella, BetType::BracketQuinella, BetType::Win, BetType::Place})
        types.emplace_back(BetTypeName(type), int(type));
    for (const Outcome outcome : {Outcome::Hit, Outcome::Miss, Outcome::Refund}) {
        outcomes.emplace_back(OutcomeName(outcome), int(outcome));
    }
    const QString place = codeCase(QStringLiteral("place"), places);
    const QString type = codeCase(QStringLiteral("bet_type"), types);
    const QString outcome = codeCase(QStringLiteral("outcome"), outcomes);
    return {
        QStringLiteral("CREATE TABLE bets4 ("
                       " id INTEGER PRIMARY KEY,"
                       " race_date INTEGER NOT NULL,"
                       " place INTEGER NOT NULL,"  // course code
                       " race INTEGER NOT NULL,"
                       " bet_type INTEGER NOT NULL,"  // BetType
                       " bet TEXT NOT NULL,"
                       " stake INTEGER NOT NULL,"
                       " payout INTEGER NOT NULL,"
                       " outcome INTEGER NOT NULL CHECK (outcome IN (%1, %2, %3)),"  // Outcome
                       " recorded_at TEXT NOT NULL)")
            .arg(int(Outcome::Hit))
            .arg(int(Outcome::Miss))
            .arg(int(Outcome::Refund)),
        QStringLiteral("INSERT INTO bets4 SELECT id, race_date, %1, race, %2, bet, stake, payout,"
                       " %3, recorded_at FROM bets")
            .arg(place, type, outcome),
        QStringLiteral("DROP TABLE bets"),
        QStringLiteral("ALTER TABLE bets4 RENAME TO bets"),
        QStringLiteral("CREATE INDEX bets_by_race ON bets (race_date, place, race)"),
        QStringLiteral(
            "CREATE TABLE race_totals4 ("
            " race_date INTEGER NOT NULL, place INTEGER NOT NULL, race INTEGER NOT NULL,"
            " bet_type INTEGER NOT NULL, stake INTEGER NOT NULL, payout INTEGER NOT NULL,"
            " bets INTEGER NOT NULL, hits INTEGER NOT NULL, refunds INTEGER NOT NULL,"
            " first_id INTEGER NOT NULL, lead INTEGER NOT NULL,"
            " PRIMARY KEY (race_date, place, race, bet_type)) WITHOUT ROWID"),
        QStringLiteral("INSERT INTO race_totals4 SELECT race_date, %1, race, %2, stake, payout,"
                       " bets, hits, refunds, first_id, lead FROM race_totals")
            .arg(place, type),
        QStringLiteral("DROP TABLE race_totals"),
        QStringLiteral("ALTER TABLE race_totals4 RENAME TO race_totals"),
        QStringLiteral("CREATE TABLE month_totals4 ("
                       " month INTEGER NOT NULL, place INTEGER NOT NULL, bet_type INTEGER NOT NULL,"
                       " stake INTEGER NOT NULL, payout INTEGER NOT NULL, bets INTEGER NOT NULL,"
                       " hits INTEGER NOT NULL, refunds INTEGER NOT NULL, races INTEGER NOT NULL,"
                       " typed_races INTEGER NOT NULL,"
                       " PRIMARY KEY (month, place, bet_type)) WITHOUT ROWID"),
        QStringLiteral("INSERT INTO month_totals4 SELECT month, %1, %2, stake, payout, bets, hits,"
                       " refunds, races, typed_races FROM month_totals")
            .arg(place, type),
        QStringLiteral("DROP TABLE month_totals"),
        QStringLiteral("ALTER TABLE month_totals4 RENAME TO month_totals"),
    };
}

// 4 -> 5: the bets given to record that could not be recorded (未確定,
// 払戻不明), kept apart so that the tax estimate can count and name them.
std::vector<QString> unrecordedStep() {
    return {
        QStringLiteral("CREATE TABLE unrecorded ("
                       " id INTEGER PRIMARY KEY,"
                       " race_date INTEGER NOT NULL,"
                       " place INTEGER NOT NULL,"  // course code
                       " race INTEGER NOT NULL,"
                       " bet_type INTEGER NOT NULL,"  // BetType
                       " bet TEXT NOT NULL,"
                       " stake INTEGER NOT NULL,"
                       " reason INTEGER NOT NULL CHECK (reason IN (%1, %2)),"  // Outcome
                       " recorded_at TEXT NOT NULL)")
            .arg(int(Outcome::Pending))
            .arg(int(Outcome::PayoutUnknown)),
        QStringLiteral("CREATE INDEX unrecorded_by_race ON unrecorded (race_date, place, race)"),
    };
}

// The steps from each version to the next up to version 3.
const std::vector<std::vector<const char*>>& textSteps() {
    static const std::vector<std::vector<const char*>> steps = {
        // 0 -> 1: the bets.
        {
            "CREATE TABLE bets ("
            " id INTEGER PRIMARY KEY,"
            " race_date INTEGER NOT NULL,"  // yyyymmdd of the result record
            " place TEXT NOT NULL,"
            " race INTEGER NOT NULL,"
            " bet_type TEXT NOT NULL,"
            " bet TEXT NOT NULL,"
            " stake INTEGER NOT NULL,"
            " payout INTEGER NOT NULL,"
            " outcome TEXT NOT NULL CHECK (outcome IN ('的中', '不的中', '返還')),"
            " recorded_at TEXT NOT NULL)",
            // Replacing and deleting a race, and every period query, read this
            // index alone: it holds each column they sum.
            "CREATE INDEX bets_by_race ON bets"
            " (race_date, place, race, bet_type, stake, payout, outcome)",
        },
        // 1 -> 2: the figures of each race and bet type kept beside the bets,
        // so that the period queries read a row a race instead of a row a bet.
        {
            "CREATE TABLE race_totals ("
            " race_date INTEGER NOT NULL,"
            " place TEXT NOT NULL,"
            " race INTEGER NOT NULL,"
            " bet_type TEXT NOT NULL,"
            " stake INTEGER NOT NULL,"
            " payout INTEGER NOT NULL,"
            " bets INTEGER NOT NULL,"
            " hits INTEGER NOT NULL,"
            " refunds INTEGER NOT NULL,"
            " first_id INTEGER NOT NULL,"  // the race's first bet: recording order
            // 1 on one row of each race: summed, it counts races without
            // grouping the rows by race first.
            " lead INTEGER NOT NULL,"
            " PRIMARY KEY (race_date, place, race, bet_type)) WITHOUT ROWID",
            "INSERT INTO race_totals SELECT race_date, place, race, bet_type, SUM(stake),"
            " SUM(payout), COUNT(*), SUM(outcome = '的中'), SUM(outcome = '返還'), MIN(id),"
            " ROW_NUMBER() OVER (PARTITION BY race_date, place, race ORDER BY bet_type) = 1"
            " FROM bets GROUP BY race_date, place, race, bet_type",
            // The bets are now only looked up by race.
            "DROP INDEX bets_by_race",
            "CREATE INDEX bets_by_race ON bets (race_date, place, race)",
        },
        // 2 -> 3: the figures of each month by racecourse and bet type, so
        // that every year at once reads a few rows a month.
        {
            "CREATE TABLE month_totals ("
            " month INTEGER NOT NULL,"  // yyyymm
            " place TEXT NOT NULL,"
            " bet_type TEXT NOT NULL,"
            " stake INTEGER NOT NULL,"
            " payout INTEGER NOT NULL,"
            " bets INTEGER NOT NULL,"
            " hits INTEGER NOT NULL,"
            " refunds INTEGER NOT NULL,"
            " races INTEGER NOT NULL,"        // each race counted once (its lead row)
            " typed_races INTEGER NOT NULL,"  // races with bets of this type
            " PRIMARY KEY (month, place, bet_type)) WITHOUT ROWID",
            "INSERT INTO month_totals SELECT race_date / 100, place, bet_type, SUM(stake),"
            " SUM(payout), SUM(bets), SUM(hits), SUM(refunds), SUM(lead), COUNT(*)"
            " FROM race_totals GROUP BY race_date / 100, place, bet_type",
        },
    };
    return steps;
}

// The steps from each version to the next; the list's length is the version.
const std::vector<std::vector<QString>>& upgradeSteps() {
    static const std::vector<std::vector<QString>> steps = [] {
        std::vector<std::vector<QString>> all;
        for (const auto& texts : textSteps()) {
            std::vector<QString> step;
            for (const char* text : texts) step.push_back(QString::fromUtf8(text));
            all.push_back(std::move(step));
        }
        all.push_back(codeStep());
        all.push_back(unrecordedStep());
        return all;
    }();
    return steps;
}

// The figures' columns of race_totals and of month_totals summed over a group
// of rows.
const char* const groupFigures =
    "SUM(stake), SUM(payout), SUM(bets), SUM(hits), SUM(refunds), SUM(lead)";
const char* const monthFigures =
    "SUM(stake), SUM(payout), SUM(bets), SUM(hits), SUM(refunds), SUM(races)";

const char* const raceIs = "race_date = ? AND place = ? AND race = ?";

// The statements that take a race's bets and figures out, and that put its
// figures back from its bets.
void prepareRaceStatements(QSqlQuery& removeBets, QSqlQuery& removeTotals, QSqlQuery& addTotals) {
    removeBets.prepare(QStringLiteral("DELETE FROM bets WHERE %1").arg(QLatin1String(raceIs)));
    removeTotals.prepare(
        QStringLiteral("DELETE FROM race_totals WHERE %1").arg(QLatin1String(raceIs)));
    addTotals.prepare(
        QStringLiteral(
            "INSERT INTO race_totals SELECT race_date, place, race, bet_type, SUM(stake),"
            " SUM(payout), COUNT(*), SUM(outcome = %2), SUM(outcome = %3), MIN(id),"
            " ROW_NUMBER() OVER (ORDER BY bet_type) = 1"
            " FROM bets WHERE %1 GROUP BY bet_type")
            .arg(QLatin1String(raceIs))
            .arg(int(Outcome::Hit))
            .arg(int(Outcome::Refund)));
}

// The statements that take a month's figures out and put them back from the
// figures of its races.
void prepareMonthStatements(QSqlQuery& removeMonth, QSqlQuery& addMonth) {
    removeMonth.prepare(QStringLiteral("DELETE FROM month_totals WHERE month = ?"));
    // Every row read is of the month: race_date / 100 is the same on all.
    addMonth.prepare(QStringLiteral(
        "INSERT INTO month_totals SELECT race_date / 100, place, bet_type, SUM(stake),"
        " SUM(payout), SUM(bets), SUM(hits), SUM(refunds), SUM(lead), COUNT(*)"
        " FROM race_totals WHERE race_date BETWEEN ? AND ? GROUP BY place, bet_type"));
}

// Puts a month's (yyyymm) figures back from its races: the statement that
// failed, or none.
QSqlQuery* refreshMonth(QSqlQuery& removeMonth, QSqlQuery& addMonth, int month) {
    removeMonth.addBindValue(month);
    if (!removeMonth.exec()) return &removeMonth;
    addMonth.addBindValue(month * 100);
    addMonth.addBindValue(month * 100 + 99);
    if (!addMonth.exec()) return &addMonth;
    return nullptr;
}

QSqlQuery& bindRace(QSqlQuery& query, int date, int place, int race) {
    query.addBindValue(date);
    query.addBindValue(place);
    query.addBindValue(race);
    return query;
}

LedgerFigures figuresAt(const QSqlQuery& query, int first) {
    LedgerFigures f;
    f.stake = query.value(first).toLongLong();
    f.payout = query.value(first + 1).toLongLong();
    f.bets = query.value(first + 2).toInt();
    f.hits = query.value(first + 3).toInt();
    f.refunds = query.value(first + 4).toInt();
    f.races = query.value(first + 5).toInt();
    return f;
}

}  // namespace

void LedgerFigures::add(const LedgerFigures& other) {
    stake += other.stake;
    payout += other.payout;
    bets += other.bets;
    hits += other.hits;
    refunds += other.refunds;
    races += other.races;
}

QString RecoveryRateText(const LedgerFigures& figures) {
    return RateText(figures.payout, figures.stake);
}

QString HitRateText(const LedgerFigures& figures) {
    return PercentOf(figures.hits, figures.bets - figures.refunds);
}

QString LedgerPath() {
    return StoreFilePath(QStringLiteral("ledger.sqlite"), pathOverride());
}

void SetLedgerPath(const QString& path) {
    pathOverride() = path;
}

Ledger::Ledger()
    : SqliteStore(QStringLiteral("ledger"),
                  {QStringLiteral("台帳"), QStringLiteral("台帳ファイル"),
                   // a text without a code while upgrading
                   /*constraintIsBroken=*/true}) {}

template <typename OnRow>
bool Ledger::forEachRow(const QString& sql, std::initializer_list<QVariant> values, OnRow&& onRow) {
    error_.clear();
    if (!open_) return false;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    // A statement that cannot be prepared (the ledger busy, a table missing) is
    // reported with its own reason: run anyway, it would only say that the
    // values do not match its parameters.
    const bool prepared = query.prepare(sql);
    if (prepared) {
        for (const QVariant& value : values) query.addBindValue(value);
    }
    if (!prepared || !query.exec()) {
        fail(query.lastError());
        return false;
    }
    while (query.next()) onRow(std::as_const(query));
    return true;
}

bool Ledger::open(const QString& path) {
    readOnlyReason_.clear();
    const std::optional<int> version = openFile(path, SchemaVersion);
    if (!version) return false;
    if (*version > SchemaVersion) {
        notice_ = QStringLiteral(
                      "台帳 %1 はこのプログラムより新しい版（%2）で作られています。"
                      "読み取り専用で開きました。記録と削除はできません。")
                      .arg(QDir::toNativeSeparators(path_))
                      .arg(*version);
        readOnlyReason_ = QStringLiteral(
                              "新しい版の ZEM で書かれた台帳です（台帳の版 %1、"
                              "この ZEM は版 %2 まで）。読み取り専用で開いています")
                              .arg(*version)
                              .arg(SchemaVersion);
        return true;
    }
    Q_ASSERT(int(upgradeSteps().size()) == SchemaVersion);
    if (*version < SchemaVersion && !upgrade(upgradeSteps())) {
        close();
        return false;
    }
    return true;
}

std::vector<LedgerBet> LedgerBetsOf(const Settlement& settlement) {
    std::vector<LedgerBet> all;
    for (const SettledRace& race : settlement.races) {
        for (const SettledBet& bet : race.bets) {
            all.push_back({bet.race, bet.type, bet.row.bet, bet.outcome, bet.row.stake,
                           bet.row.payout.value_or(0)});
        }
    }
    return all;
}

std::vector<LedgerRace> Ledger::recordedRaces(const std::vector<LedgerBet>& rows) {
    error_.clear();
    std::vector<LedgerRace> found;
    if (!open_) return found;
    std::set<RaceKey> seen;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT 1 FROM race_totals WHERE %1 LIMIT 1").arg(QLatin1String(raceIs)));
    for (const LedgerBet& row : rows) {
        const std::optional<RaceKey> key = recordedRaceOf(row);
        if (!key || !seen.insert(*key).second) continue;
        const auto [date, course, race] = *key;
        if (!bindRace(query, date, course, race).exec()) {
            fail(query.lastError());
            return found;
        }
        if (query.next()) found.push_back({{dateOf(date), course, race}, {}});
        query.finish();
    }
    return found;
}

RecordOutcome Ledger::record(const std::vector<LedgerBet>& rows,
                             const std::vector<LedgerRace>& keep) {
    RecordOutcome outcome;
    error_.clear();
    std::set<RaceKey> kept;
    for (const LedgerRace& race : keep)
        kept.insert({dateKey(race.race.date), race.race.course, race.race.number});
    struct Settled {
        RaceKey race;
        const LedgerBet* row;
    };
    std::vector<Settled> settled, unsettled;
    std::set<RaceKey> racesToReplace;
    // Races whose unrecorded bets the rows replace: every race of the rows
    // but those kept.
    std::set<RaceKey> racesToClear;
    for (const LedgerBet& row : rows) {
        const std::optional<RaceKey> key = recordedRaceOf(row);
        if (row.outcome == Outcome::PayoutUnknown) {
            ++outcome.unknown;
        } else if (!key) {
            ++outcome.pending;
        } else if (!kept.contains(*key)) {
            settled.push_back({*key, &row});
            racesToReplace.insert(*key);
            racesToClear.insert(*key);
        }
        if (key) continue;
        const std::optional<RaceKey> apart = unrecordedRaceOf(row);
        if (apart && !kept.contains(*apart)) {
            unsettled.push_back({*apart, &row});
            racesToClear.insert(*apart);
        }
    }
    if (!open_) {
        outcome.error = error_.isEmpty() ? QStringLiteral("台帳が開いていません") : error_;
        return outcome;
    }
    if (readOnly_) {
        fail(readOnlyReason_);
        outcome.error = error_;
        return outcome;
    }
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(query.lastError());
        outcome.error = error_;
        return outcome;
    }
    auto rollback = [&](const QSqlQuery& failed) {
        fail(failed.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        outcome.error = error_;
        return outcome;
    };
    QSqlQuery removeBets(connection()), removeTotals(connection()), addTotals(connection());
    prepareRaceStatements(removeBets, removeTotals, addTotals);
    for (const RaceKey& key : racesToReplace) {
        for (QSqlQuery* step : {&removeBets, &removeTotals}) {
            if (!bindRace(*step, std::get<0>(key), std::get<1>(key), std::get<2>(key)).exec())
                return rollback(*step);
        }
    }
    QSqlQuery removeUnrecorded(connection());
    removeUnrecorded.prepare(
        QStringLiteral("DELETE FROM unrecorded WHERE %1").arg(QLatin1String(raceIs)));
    for (const RaceKey& key : racesToClear) {
        if (!bindRace(removeUnrecorded, std::get<0>(key), std::get<1>(key), std::get<2>(key))
                 .exec())
            return rollback(removeUnrecorded);
    }
    QSqlQuery insert(connection());
    insert.prepare(QStringLiteral(
        "INSERT INTO bets (race_date, place, race, bet_type, bet, stake, payout, outcome,"
        " recorded_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QString now = Now().toString(Qt::ISODate);
    QSqlQuery insertApart(connection());
    insertApart.prepare(
        QStringLiteral("INSERT INTO unrecorded (race_date, place, race, bet_type, bet, stake,"
                       " reason, recorded_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Settled& bet : unsettled) {
        bindRace(insertApart, std::get<0>(bet.race), std::get<1>(bet.race), std::get<2>(bet.race));
        insertApart.addBindValue(int(bet.row->type));
        insertApart.addBindValue(bet.row->bet);
        insertApart.addBindValue(bet.row->stake);
        insertApart.addBindValue(int(bet.row->outcome));
        insertApart.addBindValue(now);
        if (!insertApart.exec()) return rollback(insertApart);
    }
    for (const Settled& bet : settled) {
        insert.addBindValue(std::get<0>(bet.race));
        insert.addBindValue(std::get<1>(bet.race));
        insert.addBindValue(std::get<2>(bet.race));
        insert.addBindValue(int(bet.row->type));
        insert.addBindValue(bet.row->bet);
        insert.addBindValue(bet.row->stake);
        insert.addBindValue(bet.row->payout);
        insert.addBindValue(int(bet.row->outcome));
        insert.addBindValue(now);
        if (!insert.exec()) return rollback(insert);
    }
    std::set<int> months;
    for (const RaceKey& key : racesToReplace) {
        if (!bindRace(addTotals, std::get<0>(key), std::get<1>(key), std::get<2>(key)).exec())
            return rollback(addTotals);
        months.insert(std::get<0>(key) / 100);
    }
    QSqlQuery removeMonth(connection()), addMonth(connection());
    prepareMonthStatements(removeMonth, addMonth);
    for (int month : months) {
        if (QSqlQuery* failed = refreshMonth(removeMonth, addMonth, month))
            return rollback(*failed);
    }
    if (!query.exec(QStringLiteral("COMMIT"))) return rollback(query);
    outcome.ok = true;
    outcome.recorded = int(settled.size());
    outcome.races = int(racesToReplace.size());
    return outcome;
}

std::vector<int> Ledger::years() {
    error_.clear();
    std::vector<int> result;
    if (!open_) return result;
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    // One index seek a year, from the newest down, instead of reading every bet.
    int below = 999999;
    query.prepare(QStringLiteral("SELECT MAX(month) FROM month_totals WHERE month < ?"));
    for (;;) {
        query.addBindValue(below);
        if (!query.exec() || !query.next()) {
            fail(query.lastError());
            return {};
        }
        if (query.value(0).isNull()) break;
        const int year = query.value(0).toInt() / 100;
        result.push_back(year);
        below = year * 100;
    }
    // A year whose bets are all still unrecorded has its estimate to show too.
    std::set<int> all(result.begin(), result.end());
    if (!forEachRow(QStringLiteral("SELECT DISTINCT race_date / 10000 FROM unrecorded"), {},
                    [&](const QSqlQuery& row) { all.insert(row.value(0).toInt()); }))
        return {};
    return {all.rbegin(), all.rend()};
}

LedgerSummary Ledger::summary(int year) {
    LedgerSummary result;
    const auto [from, to] = periodRange(year);
    const QString group =
        year == AllYears ? QStringLiteral("month / 100") : QStringLiteral("month % 100");
    forEachRow(QStringLiteral("SELECT %1 AS k, %2 FROM month_totals"
                              " WHERE month BETWEEN ? AND ? GROUP BY k ORDER BY k")
                   .arg(group, QLatin1String(monthFigures)),
               {from / 100, to / 100}, [&](const QSqlQuery& row) {
                   LedgerLine line;
                   line.key = row.value(0).toInt();
                   line.label = year == AllYears ? QStringLiteral("%1年").arg(line.key)
                                                 : QStringLiteral("%1月").arg(line.key);
                   line.figures = figuresAt(row, 1);
                   result.total.add(line.figures);
                   result.lines.push_back(line);
               });
    return result;
}

std::vector<LedgerLine> Ledger::byType(int year) {
    std::vector<LedgerLine> result;
    const auto [from, to] = periodRange(year);
    forEachRow(QStringLiteral("SELECT bet_type, SUM(stake), SUM(payout), SUM(bets), SUM(hits),"
                              " SUM(refunds), SUM(typed_races) FROM month_totals"
                              " WHERE month BETWEEN ? AND ? GROUP BY bet_type"),
               {from / 100, to / 100}, [&](const QSqlQuery& row) {
                   const int code = row.value(0).toInt();
                   result.push_back({BetTypeName(BetType(code)), code, figuresAt(row, 1)});
               });
    // 馬連, 枠連, 単勝, 複勝: the order of the codes.
    std::sort(result.begin(), result.end(),
              [](const LedgerLine& a, const LedgerLine& b) { return a.key < b.key; });
    return result;
}

std::vector<LedgerLine> Ledger::byPlace(int year) {
    std::vector<LedgerLine> result;
    const auto [from, to] = periodRange(year);
    forEachRow(QStringLiteral("SELECT place, %1 FROM month_totals"
                              " WHERE month BETWEEN ? AND ? GROUP BY place")
                   .arg(QLatin1String(monthFigures)),
               {from / 100, to / 100}, [&](const QSqlQuery& row) {
                   const int code = row.value(0).toInt();
                   result.push_back({RacecourseName(code), code, figuresAt(row, 1)});
               });
    // The racecourses bet most first, then by name.
    std::sort(result.begin(), result.end(), [](const LedgerLine& a, const LedgerLine& b) {
        if (a.figures.stake != b.figures.stake) return a.figures.stake > b.figures.stake;
        return a.label < b.label;
    });
    return result;
}

std::vector<LedgerPoint> Ledger::balanceSeries(int year) {
    std::vector<LedgerPoint> result;
    const auto [from, to] = periodRange(year);
    qint64 balance = 0;
    forEachRow(year == AllYears ? QStringLiteral("SELECT month, SUM(payout) - SUM(stake) FROM"
                                                 " month_totals WHERE month BETWEEN ? / 100 AND"
                                                 " ? / 100 GROUP BY month ORDER BY month")
                                : QStringLiteral("SELECT race_date, SUM(payout) - SUM(stake) FROM"
                                                 " race_totals WHERE race_date BETWEEN ? AND ?"
                                                 " GROUP BY race_date ORDER BY race_date"),
               {from, to}, [&](const QSqlQuery& row) {
                   const int key = row.value(0).toInt();
                   balance += row.value(1).toLongLong();
                   const QString label = year == AllYears
                                             ? QStringLiteral("%1/%2").arg(key / 100).arg(
                                                   key % 100, 2, 10, QLatin1Char('0'))
                                             : QStringLiteral("%1/%2")
                                                   .arg(key / 100 % 100, 2, 10, QLatin1Char('0'))
                                                   .arg(key % 100, 2, 10, QLatin1Char('0'));
                   result.push_back({label, balance});
               });
    return result;
}

std::vector<LedgerRace> Ledger::races(int year, int month) {
    std::vector<LedgerRace> result;
    const int from = year * 10000 + month * 100;
    forEachRow(QStringLiteral("SELECT race_date, place, race, %1, MIN(first_id) AS first"
                              " FROM race_totals WHERE race_date BETWEEN ? AND ?"
                              " GROUP BY race_date, place, race ORDER BY race_date, first")
                   .arg(QLatin1String(groupFigures)),
               {from, from + 99}, [&](const QSqlQuery& row) {
                   LedgerRace race;
                   race.race = {dateOf(row.value(0).toInt()), row.value(1).toInt(),
                                row.value(2).toInt()};
                   race.figures = figuresAt(row, 3);
                   result.push_back(race);
               });
    return result;
}

bool Ledger::deleteRace(const Race& race) {
    error_.clear();
    if (!open_) return false;
    if (readOnly_) {
        fail(readOnlyReason_);
        return false;
    }
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(query.lastError());
        return false;
    }
    QSqlQuery removeBets(connection()), removeTotals(connection()), addTotals(connection());
    prepareRaceStatements(removeBets, removeTotals, addTotals);
    // The race's bets kept apart unrecorded go with it.
    QSqlQuery removeUnrecorded(connection());
    removeUnrecorded.prepare(
        QStringLiteral("DELETE FROM unrecorded WHERE %1").arg(QLatin1String(raceIs)));
    QSqlQuery removeMonth(connection()), addMonth(connection());
    prepareMonthStatements(removeMonth, addMonth);
    const int day = dateKey(race.date);
    QSqlQuery* failed = nullptr;
    for (QSqlQuery* step : {&removeBets, &removeTotals, &removeUnrecorded}) {
        if (!failed && !bindRace(*step, day, race.course, race.number).exec()) failed = step;
    }
    if (!failed) failed = refreshMonth(removeMonth, addMonth, day / 100);
    if (failed) {
        fail(failed->lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        fail(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

std::vector<BetLine> Ledger::bets(int year) {
    const auto [from, to] = periodRange(year);
    return betsBetween(from, to, -1, 0);
}

std::vector<BetLine> Ledger::betsBetween(int from, int to, int place, int race) {
    std::vector<BetLine> result;
    // place -1: every racecourse and race.
    forEachRow(QStringLiteral(
                   "SELECT race_date, place, race, bet_type, bet, stake, payout, outcome FROM bets"
                   " WHERE race_date BETWEEN ? AND ? AND (? < 0 OR (place = ? AND race = ?))"
                   " ORDER BY race_date, id"),
               {from, to, place, place, race}, [&](const QSqlQuery& row) {
                   BetLine bet;
                   bet.date = dateText(row.value(0).toInt());
                   bet.place = RacecourseName(row.value(1).toInt());
                   bet.race = row.value(2).toInt();
                   bet.betType = BetTypeName(BetType(row.value(3).toInt()));
                   bet.bet = row.value(4).toString();
                   bet.stake = row.value(5).toLongLong();
                   bet.payout = row.value(6).toLongLong();
                   bet.outcome = OutcomeName(Outcome(row.value(7).toInt()));
                   bet.balance = *bet.payout - bet.stake;
                   result.push_back(std::move(bet));
               });
    return result;
}

std::vector<BetLine> Ledger::raceBets(const Race& race) {
    const int day = dateKey(race.date);
    if (day == 0 || race.course < 0) return {};
    return betsBetween(day, day, race.course, race.number);
}

std::vector<BetLine> Ledger::monthBets(int year, int month) {
    const int from = year * 10000 + month * 100;
    return betsBetween(from, from + 99, -1, 0);
}

std::vector<TaxMonth> Ledger::taxMonths(int year) {
    std::vector<TaxMonth> result;
    const auto [from, to] = periodRange(year);
    forEachRow(QStringLiteral("SELECT race_date / 100 % 100 AS m,"
                              " SUM(CASE WHEN outcome = %1 THEN payout ELSE 0 END),"
                              " SUM(CASE WHEN outcome = %1 THEN stake ELSE 0 END),"
                              " SUM(CASE WHEN outcome = %2 THEN stake ELSE 0 END),"
                              " SUM(CASE WHEN outcome = %3 THEN payout ELSE 0 END),"
                              " SUM(outcome = %1)"
                              " FROM bets WHERE race_date BETWEEN ? AND ? GROUP BY m ORDER BY m")
                   .arg(int(Outcome::Hit))
                   .arg(int(Outcome::Miss))
                   .arg(int(Outcome::Refund)),
               {from, to}, [&](const QSqlQuery& row) {
                   TaxMonth m;
                   m.month = row.value(0).toInt();
                   m.hitPayout = row.value(1).toLongLong();
                   m.hitStake = row.value(2).toLongLong();
                   m.missStake = row.value(3).toLongLong();
                   m.refunds = row.value(4).toLongLong();
                   m.hits = row.value(5).toInt();
                   result.push_back(m);
               });
    return result;
}

std::vector<BetLine> Ledger::unrecorded(int year) {
    std::vector<BetLine> result;
    const auto [from, to] = periodRange(year);
    forEachRow(QStringLiteral("SELECT race_date, place, race, bet_type, bet, stake, reason"
                              " FROM unrecorded WHERE race_date BETWEEN ? AND ?"
                              " ORDER BY race_date, id"),
               {from, to}, [&](const QSqlQuery& row) {
                   BetLine bet;
                   bet.date = dateText(row.value(0).toInt());
                   bet.place = RacecourseName(row.value(1).toInt());
                   bet.race = row.value(2).toInt();
                   bet.betType = BetTypeName(BetType(row.value(3).toInt()));
                   bet.bet = row.value(4).toString();
                   bet.stake = row.value(5).toLongLong();
                   bet.outcome = OutcomeName(Outcome(row.value(6).toInt()));
                   result.push_back(std::move(bet));
               });
    return result;
}
