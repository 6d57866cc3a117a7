#pragma once

class QWidget;
class RaceSelection;
struct AppState;

// The three ways the program reads the data files of the selected race. Each
// shows its missing-file message itself and returns false when the job's
// window must not open. A file that is found but cannot be read counts as
// missing: the record held then still belongs to another race (an unreadable
// "ks-" file for the recommendation just means no result).

inline constexpr char16_t MsgOddsMissing[] =
    u"オッズが取得されていないか、ディレクトリの指定が間違っています。";
inline constexpr char16_t MsgResultMissing[] =
    u"競争成績が取得されていないか、ディレクトリの指定が間違っています。";

// Race result: blanks KsData.RaceTitle, then reads the "ks-" file into KsData.
bool LoadRaceResult(AppState& state, const RaceSelection& selection, QWidget* parent);

// Recommendation: reads the "ks-" file into KsData when there is one (RaceDate
// blank otherwise), then the "zo-" file, which must exist, into ZoData.
bool LoadRecommendation(AppState& state, const RaceSelection& selection, QWidget* parent);

// Odds for the distribution: the "uo-" file into UoData for 馬連, the "zo-" file
// into ZoData for 枠連 and 単・複勝; both race titles are blanked first.
bool LoadDistributionOdds(AppState& state, const RaceSelection& selection, QWidget* parent);
