#include "recommend/Ranking.h"

#include <cmath>

#include "common/NumberText.h"

double RoundRatio(double ratio) {
    const double scaled = ratio * 100.0;
    const double below = std::floor(scaled);
    double rounded = std::round(scaled);
    if (std::abs(scaled - below - 0.5) < 1e-9) {
        rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    }
    return rounded / 100.0;
}

std::optional<double> WinPlaceRatio(const HorseEntry& horse) {
    const auto w = NumericValue(horse.WinOdds);
    const auto l = NumericValue(horse.PlaceOddsLow);
    const auto h = NumericValue(horse.PlaceOddsHigh);
    if (!w || !l || !h) return std::nullopt;
    if (*w <= 0 || *l <= 0 || *h <= 0) return std::nullopt;
    return RoundRatio(*w / ((*h + *l) / 2.0));
}

namespace {

// The two best (smallest) ratios of one odds group. A ratio must be strictly
// smaller to take a place, so among equals the earlier horse stays ahead.
struct Slots {
    double ratio[2] = {9999, 9999};
    std::optional<int> row[2];

    void offer(double r, int i) {
        if (r < ratio[0]) {
            ratio[1] = ratio[0];
            row[1] = row[0];
            ratio[0] = r;
            row[0] = i;
        } else if (r < ratio[1]) {
            ratio[1] = r;
            row[1] = i;
        }
    }
};

}  // namespace

std::array<QString, MarkRowCount> RankMarks(const std::array<HorseEntry, MarkRowCount>& horses) {
    std::array<QString, MarkRowCount> marks;
    const QString star = QString::fromUtf16(MarkStar);
    int stars = 0;
    Slots shortOdds;
    Slots longOdds;

    for (int i = 0; i < MarkRowCount; ++i) {
        const auto ratio = WinPlaceRatio(horses[i]);
        if (!ratio) continue;
        const double w = *NumericValue(horses[i].WinOdds);
        const double l = *NumericValue(horses[i].PlaceOddsLow);
        const double h = *NumericValue(horses[i].PlaceOddsHigh);
        const double r = *ratio;

        // Two independent star tests sharing an allowance of two stars.
        if (l <= 1.5 && h < 2.0 && stars < 2) {
            marks[i] = star;
            ++stars;
        }
        if (r >= 8.7 && r < 10.6 && stars < 2) {
            marks[i] = star;
            ++stars;
        }
        (w < LongOddsFrom ? shortOdds : longOdds).offer(r, i);
    }

    // Without a second short-odds horse, "○" goes to the first starred horse.
    if (!shortOdds.row[1]) {
        for (int i = 0; i < MarkRowCount; ++i) {
            if (marks[i] == star) {
                shortOdds.row[1] = i;
                break;
            }
        }
    }

    // Later marks replace earlier ones on the same row.
    const std::pair<std::optional<int>, const char16_t*> ranks[] = {{shortOdds.row[0], MarkFirst},
                                                                    {shortOdds.row[1], MarkSecond},
                                                                    {longOdds.row[0], MarkThird},
                                                                    {longOdds.row[1], MarkFourth}};
    for (const auto& [row, mark] : ranks) {
        if (row) marks[*row] = QString::fromUtf16(mark);
    }
    return marks;
}

std::array<HorseEntry, MarkRowCount> HorseEntries(const ZoRecord& record) {
    std::array<HorseEntry, MarkRowCount> horses;
    for (int i = 0; i < MarkRowCount; ++i) horses[i] = record.Horse(i);
    return horses;
}
