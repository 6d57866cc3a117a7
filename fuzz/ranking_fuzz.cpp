// The recommendation ranking on an odds record from arbitrary bytes.

#include <cmath>

#include "fuzz/FuzzCheck.h"
#include "racedata/Records.h"
#include "recommend/Ranking.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZoRecord zo;
    zo.assign(FuzzBytes(data, size));
    const auto horses = HorseEntries(zo);
    const auto marks = RankMarks(horses);

    const QString ranks[] = {QString::fromUtf16(MarkFirst), QString::fromUtf16(MarkSecond),
                             QString::fromUtf16(MarkThird), QString::fromUtf16(MarkFourth)};
    for (const QString& rank : ranks) FUZZ_CHECK(std::count(marks.begin(), marks.end(), rank) <= 1);
    FUZZ_CHECK(std::count(marks.begin(), marks.end(), QString::fromUtf16(MarkStar)) <= 2);

    for (int i = 0; i < MarkRowCount; ++i) {
        const std::optional<double> ratio = WinPlaceRatio(horses[i]);
        if (ratio) FUZZ_CHECK(std::isfinite(*ratio) && *ratio >= 0);
        // Only a rated horse is marked.
        if (!marks[i].isEmpty()) FUZZ_CHECK(ratio.has_value());
    }
    return 0;
}
