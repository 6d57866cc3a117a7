#pragma once

#include <QString>
#include <functional>

#include "common/BetType.h"
#include "common/Failure.h"
#include "common/Race.h"

struct AppState;

// The three ways the program reads the data files of the selected race. Each
// fails with its missing-file message (for the window to show) when the job's
// window must not open. A file that is found but cannot be read counts as
// missing: the record held then still belongs to another race (an unreadable
// "ks-" file for the recommendation just means no result). A race without a
// racecourse or number finds no file.

inline constexpr char16_t MsgOddsMissing[] =
    u"オッズが取得されていないか、ディレクトリの指定が間違っています。";
inline constexpr char16_t MsgResultMissing[] =
    u"競争成績が取得されていないか、ディレクトリの指定が間違っています。";

// Race result: blanks KsData.RaceTitle, then reads the "ks-" file into KsData.
Attempt LoadRaceResult(AppState& state, const Race& race);

// Recommendation: reads the "ks-" file into KsData when there is one (RaceDate
// blank otherwise), then the "zo-" file, which must exist, into ZoData.
Attempt LoadRecommendation(AppState& state, const Race& race);

// Odds for the distribution: the "uo-" file into UoData for 馬連, the "zo-" file
// into ZoData for 枠連 and 単・複勝; both race titles are blanked first.
Attempt LoadDistributionOdds(AppState& state, const Race& race, BetType type);

// Told the path of every "uo-" or "zo-" file a lookup has just read, so that
// the odds history keeps what the windows show; none until the program sets
// one (an empty function removes it).
using OddsFileRead = std::function<void(const QString& path)>;
void SetOddsFileRead(OddsFileRead notify);
// Tells that function of a file a window read by its own lookup.
void TellOddsFileRead(const QString& path);

// The day a race is shown on: its own date, else the day chosen, else its
// newest day; null when no file of the race tells a day.
QDate ShownRaceDay(const AppState& state, const Race& race);
// The race dated with the day it is shown on; a race without a racecourse or
// number is returned as it is.
Race ShownRace(const AppState& state, Race race);
