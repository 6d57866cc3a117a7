// A race result record from arbitrary bytes: every field, the result test and
// the race check of the result window.

#include "common/NumberText.h"
#include "common/RaceDate.h"
#include "fuzz/FuzzCheck.h"
#include "racedata/Records.h"
#include "results/ResultCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KsRecord ks;
    ks.assign(FuzzBytes(data, size));
    FUZZ_CHECK(ks.raw().size() == KsLayout::Length);

    const QString date = ks.RaceDate();
    const QString shown = RaceDateDisplay(date);
    FUZZ_CHECK(shown.isEmpty() || shown.size() == 11);
    FUZZ_CHECK(ks.HasResult() == (ks.raw().first(8) != "        "));

    const QString texts[] = {ks.CourseName(),    ks.RaceNo(),        ks.RaceTitle(),
                             ks.WinPayout(),     ks.PlacePayout1(),  ks.PlacePayout2(),
                             ks.PlacePayout3(),  ks.BracketCombo(),  ks.BracketPayout(),
                             ks.QuinellaCombo(), ks.QuinellaPayout()};
    for (const QString& text : texts) FUZZ_CHECK(text.size() <= 56);
    for (int i = 0; i < KsLayout::FinisherCount; ++i) {
        const Finisher finisher = ks.Place(i);
        FUZZ_CHECK(finisher.HorseNo.size() <= 2 && finisher.HorseName.size() <= 18);
        NumericValue(finisher.HorseNo);
    }

    // The race the result window compares with the selection.
    const Race race = RaceOfResult(ks);
    FUZZ_CHECK(race.course >= -1 && race.course <= 9 && race.number >= 0 && race.number <= 12);
    FUZZ_CHECK(race.number == 0 || NumericValue(ks.RaceNo()) == double(race.number));

    ks.BlankRaceTitle();
    ks.BlankRaceDate();
    FUZZ_CHECK(!ks.HasResult() && ks.RaceTitle() == QString(56, u' '));
    return 0;
}
