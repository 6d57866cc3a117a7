#pragma once

#include "common/Calibration.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "common/Race.h"
#include "racedata/Records.h"

// The races the returns analysis reads: a race day's "zo-" (and "uo-") odds of
// a race with the same day's "ks-" result, under whatever stem each file has,
// from PAT95 folders (and their subfolders) and from the odds history.


struct BacktestPair {
    int first = 0, second = 0;  // first < second
    double odds = 0;
};

struct BacktestRace {
    Race race;
    std::vector<BacktestStarter> starters;  // horses with numeric 単勝 odds
    int winner = 0;                         // the result's first finisher
    qint64 winPayout = 0;                   // 単勝 payout per 100 yen
    // The horses paid a 複勝 and their payouts per 100 yen; empty when the
    // result's place payouts cannot be read.
    std::vector<std::pair<int, qint64>> places;
    // 馬連: the pairs of two starters with numeric odds; empty without a
    // readable "uo-" record or 馬連 result.
    std::vector<BacktestPair> pairs;
    std::pair<int, int> quinellaWinner{0, 0};
    qint64 quinellaPayout = 0;
};

// A race from its records: nothing when the result names no winner among the
// starters or its 単勝 payout cannot be read (a broken result). uo may be null.
std::optional<BacktestRace> MakeBacktestRace(const Race& race, const ZoRecord& zo,
                                             const UoRecord* uo, const KsRecord& ks);

struct RaceSources {
    QStringList folders;   // read with their subfolders
    bool history = false;  // also the odds history's last downloads
    QDate from{}, to{};    // limits of the race days; null: none
};

struct RaceReading {
    std::vector<BacktestRace> races;  // by date, racecourse, race
    // Race days left out: no result of the day, a broken one, or one naming no starter.
    int withoutResult = 0;
    int fromHistory = 0;     // races whose odds came from the history
    QStringList unreadable;  // folders that cannot be read
    bool cancelled = false;
};

// Called with the files read so far and the files to read; returning false
// stops the reading (the reading is then marked cancelled).
using ReadProgress = std::function<bool(int done, int total)>;

RaceReading ReadRaces(const RaceSources& sources, const ReadProgress& progress = {});
