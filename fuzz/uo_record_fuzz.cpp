// A quinella odds record from arbitrary bytes: every field, and the cells the
// quinella window would fill from it.

#include "common/RaceDate.h"
#include "fuzz/FuzzCheck.h"
#include "odds/CellRules.h"
#include "odds/PairNumbering.h"
#include "racedata/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UoRecord uo;
    uo.assign(FuzzBytes(data, size));
    FUZZ_CHECK(uo.raw().size() == UoLayout::Length);

    const QString date = uo.RaceDate();
    FUZZ_CHECK(date.size() <= 8);
    RaceDateDisplay(date);
    FUZZ_CHECK(uo.RaceTitle().size() <= 56);

    const int n = ShownRunners(uo.Runners());
    FUZZ_CHECK(n == 0 || (n >= 2 && n <= QuinellaHorses));
    for (int k = 0; k < UoLayout::EntryCount; ++k) {
        const QString odds = uo.Quinella(k).QuinellaOdds;
        FUZZ_CHECK(odds.size() <= 7);
        OddsShade(QuinellaCaption(odds), false);
    }
    for (int a = 1; a < n; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            const int entry = QuinellaEntryIndex(a, b, n);
            FUZZ_CHECK(entry >= 0 && entry < UoLayout::EntryCount);
            FUZZ_CHECK(UoRecord::PairOfEntry(entry, n) == std::make_pair(a, b));
            const int cell = QuinellaCell(a, b);
            FUZZ_CHECK(cell >= 0 && cell < QuinellaCellCount);
            FUZZ_CHECK((QuinellaPair(cell) == Pair{a, b}));
        }
    }

    uo.BlankRaceTitle();
    FUZZ_CHECK(uo.RaceTitle() == QString(56, u' '));
    return 0;
}
