// A win/place and bracket odds record from arbitrary bytes: every field, the
// runner count and the brackets the recommendation colours by.

#include "common/Brackets.h"
#include "common/RaceDate.h"
#include "fuzz/FuzzCheck.h"
#include "odds/CellRules.h"
#include "odds/PairNumbering.h"
#include "racedata/Records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZoRecord zo;
    zo.assign(FuzzBytes(data, size));
    FUZZ_CHECK(zo.raw().size() == ZoLayout::Length);

    RaceDateDisplay(zo.RaceDate());
    FUZZ_CHECK(zo.RaceTitle().size() <= 56);

    const int runners = zo.RunnerCount();
    FUZZ_CHECK(runners >= 0 && runners <= ZoLayout::HorseCount);
    for (int h = 0; h < ZoLayout::HorseCount; ++h) {
        const HorseEntry horse = zo.Horse(h);
        FUZZ_CHECK(horse.HorseNo.size() <= 2 && horse.WinOdds.size() <= 5);
        FUZZ_CHECK(horse.PlaceOddsLow.size() <= 5 && horse.PlaceOddsHigh.size() <= 5);
        const int bracket = BracketOf(h + 1, runners);
        FUZZ_CHECK(bracket >= 0 && bracket <= MaxBracket);
        FUZZ_CHECK((bracket == 0) == (h >= runners || runners < 5));
        BracketColour(bracket);
    }
    for (int t = 0; t < ZoLayout::BracketCount; ++t) {
        const QString odds = zo.Bracket(t).BracketOdds;
        FUZZ_CHECK(odds.size() <= 5);
        OddsShade(odds, false);
        const Pair pair = BracketPair(t);
        FUZZ_CHECK(BracketCell(pair.first, pair.second) == t);
        FUZZ_CHECK(ZoRecord::EntryOfBracketPair(pair.first, pair.second) == t);
    }

    zo.BlankRaceTitle();
    FUZZ_CHECK(zo.RaceTitle() == QString(56, u' '));
    return 0;
}
