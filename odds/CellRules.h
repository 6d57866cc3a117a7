#pragma once

#include <QString>
#include <span>

// What the odds cells show and how a click on one of them acts, without the
// window.

inline constexpr int MaxPicks = 8;

inline constexpr char16_t MsgTooManyPicks[] = u"選択は８通りまでです。";

// Caption of a quinella cell from its stored 7-character odds field: the first
// six characters, or "ﾄﾘｹｼ" alone for a pair with a scratched horse.
QString QuinellaCaption(QStringView oddsField);

// Runners shown by the quinella grid for the record's Runners field: more than
// 18 shows 18; a field that is not a number, or fewer than 2, shows none (0).
int ShownRunners(QStringView runnersField);

// Background of an odds cell: red while selected, light cyan for odds below 10,
// white for all others (10 or more, scratched, blank).
enum class CellShade { White, LightCyan, Red };
CellShade OddsShade(QStringView caption, bool selected);

// A click on a cell: a cell whose caption is not a number ignores it; a
// selected cell is deselected; another is selected while fewer than eight are,
// and refused otherwise (the flags are then unchanged).
enum class Toggle { Ignored, Selected, Deselected, Refused };
Toggle ToggleSelection(std::span<bool> flags, int index, bool numericCaption);
