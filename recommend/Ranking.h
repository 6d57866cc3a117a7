#pragma once

#include <QString>
#include <array>
#include <optional>

#include "racedata/Records.h"

// Rating the horses of one race from their win odds and place-odds range.

inline constexpr int MarkRowCount = ZoLayout::HorseCount;  // rows of the marks window, horse i + 1

inline constexpr char16_t MarkStar[] = u"★";    // a horse worth a look
inline constexpr char16_t MarkFirst[] = u"◎";   // best ratio among short odds
inline constexpr char16_t MarkSecond[] = u"○";  // second among short odds
inline constexpr char16_t MarkThird[] = u"▲";   // best ratio among long odds
inline constexpr char16_t MarkFourth[] = u"△";  // second among long odds

// Win odds below this are short odds; this and above, long odds.
inline constexpr double LongOddsFrom = 10.6;

// A ratio rounded to two decimals, a value exactly halfway going to the even
// neighbour. "Exactly halfway" is judged on the decimal value: the binary
// quotient of two odds is off by far less than the tolerance used, while a
// ratio of two odds texts that is not halfway is off by far more.
double RoundRatio(double ratio);

// The win-to-place ratio W / ((H + L) / 2), rounded; nullopt for a horse that
// is not rated: win or place odds not numeric, or any of them 0 or less.
std::optional<double> WinPlaceRatio(const HorseEntry& horse);

// The mark of each row ("" for none) after the star tests, the four candidate
// slots and the rank marks.
std::array<QString, MarkRowCount> RankMarks(const std::array<HorseEntry, MarkRowCount>& horses);

// The 18 horse entries of an odds record.
std::array<HorseEntry, MarkRowCount> HorseEntries(const ZoRecord& record);
