#include "racedata/Lookups.h"

#include "racedata/AppState.h"
#include "racedata/RaceFiles.h"

namespace {

const QString Uo = QStringLiteral("uo-");
const QString Zo = QStringLiteral("zo-");
const QString Ks = QStringLiteral("ks-");

// The lookup for the race; a missing racecourse or race finds nothing.
RaceFile find(const AppState& state, const Race& race, const QString& prefix, int stemLength) {
    if (race.course < 0 || race.number <= 0) return {};
    return FindRaceFile(state.DataDir, prefix, stemLength, race.course, race.number);
}

OddsFileRead& oddsFileRead() {
    static OddsFileRead notify;
    return notify;
}

void told(const QString& path) {
    if (oddsFileRead()) oddsFileRead()(path);
}

Attempt missing(const char16_t* message, MsgIcon icon) {
    return Attempt::Failed(QString::fromUtf16(message), icon);
}

}  // namespace

void SetOddsFileRead(OddsFileRead notify) {
    oddsFileRead() = std::move(notify);
}

Attempt LoadRaceResult(AppState& state, const Race& race) {
    state.KsData.BlankRaceTitle();
    const RaceFile ks = find(state, race, Ks, 7);
    // A file that cannot be read is no result either: the record held is
    // another race's.
    if (ks.path.isEmpty() || !ReadRecord1(ks.path, state.KsData)) {
        return missing(MsgResultMissing, MsgIcon::Exclamation);
    }
    return {};
}

Attempt LoadRecommendation(AppState& state, const Race& race) {
    const RaceFile ks = find(state, race, Ks, 7);
    state.KsData.BlankRaceDate();
    if (!ks.path.isEmpty()) ReadRecord1(ks.path, state.KsData);

    const RaceFile zo = find(state, race, Zo, 5);
    state.ZoStem = zo.stem;
    if (zo.path.isEmpty()) return missing(MsgOddsMissing, MsgIcon::Exclamation);
    state.ZoData.BlankRaceTitle();
    if (!ReadRecord1(zo.path, state.ZoData)) return missing(MsgOddsMissing, MsgIcon::Exclamation);
    told(zo.path);
    return {};
}

Attempt LoadDistributionOdds(AppState& state, const Race& race, BetType type) {
    const bool quinella = type == Quinella;
    const RaceFile file = find(state, race, quinella ? Uo : Zo, 5);
    (quinella ? state.UoStem : state.ZoStem) = file.stem;
    const MsgIcon icon = quinella ? MsgIcon::Exclamation : MsgIcon::None;
    if (file.path.isEmpty()) return missing(MsgOddsMissing, icon);
    state.UoData.BlankRaceTitle();  // ClearRaceTitles
    state.ZoData.BlankRaceTitle();
    if (!ReadRecord1(file.path, quinella ? static_cast<FixedRecord&>(state.UoData)
                                         : static_cast<FixedRecord&>(state.ZoData))) {
        return missing(MsgOddsMissing, icon);
    }
    told(file.path);
    return {};
}
