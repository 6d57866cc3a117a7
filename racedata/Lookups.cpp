#include "racedata/Lookups.h"

#include "racedata/AppState.h"
#include "racedata/RaceFiles.h"

namespace {

const QString Uo = QStringLiteral("uo-");
const QString Zo = QStringLiteral("zo-");
const QString Ks = QStringLiteral("ks-");

// The race's files; a missing racecourse or race finds nothing.
RaceFileSet filesOf(const AppState& state, const Race& race) {
    return RaceFileSet(state.DataDir, race.course, race.number);
}

// The day whose files a lookup takes: the race's own date, else the day
// chosen, else (null) the race's newest day.
QDate dayOf(const AppState& state, const Race& race) {
    return race.date.isValid() ? race.date : state.Day;
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

void TellOddsFileRead(const QString& path) {
    told(path);
}

Attempt LoadRaceResult(AppState& state, const Race& race) {
    state.KsData.BlankRaceTitle();
    const RaceFile ks = filesOf(state, race).find(Ks, 7, dayOf(state, race));
    // A file that cannot be read is no result either: the record held is
    // another race's.
    if (ks.path.isEmpty() || !ReadRecord1(ks.path, state.KsData)) {
        return missing(MsgResultMissing, MsgIcon::Exclamation);
    }
    return {};
}

Attempt LoadRecommendation(AppState& state, const Race& race) {
    // The result only of the day of the odds shown: both files of one day.
    const RaceFileSet files = filesOf(state, race);
    const RaceFile ks = files.find(Ks, 7, dayOf(state, race));
    state.KsData.BlankRaceDate();
    if (!ks.path.isEmpty()) ReadRecord1(ks.path, state.KsData);

    const RaceFile zo = files.find(Zo, 5, dayOf(state, race));
    state.ZoStem = zo.stem;
    if (zo.path.isEmpty()) return missing(MsgOddsMissing, MsgIcon::Exclamation);
    state.ZoData.BlankRaceTitle();
    if (!ReadRecord1(zo.path, state.ZoData)) return missing(MsgOddsMissing, MsgIcon::Exclamation);
    told(zo.path);
    return {};
}

Attempt LoadDistributionOdds(AppState& state, const Race& race, BetType type) {
    const bool quinella = type == BetType::Quinella;
    const RaceFile file = filesOf(state, race).find(quinella ? Uo : Zo, 5, dayOf(state, race));
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

QDate ShownRaceDay(const AppState& state, const Race& race) {
    const QDate day = dayOf(state, race);
    return day.isValid() ? day : filesOf(state, race).newestDay();
}

Race ShownRace(const AppState& state, Race race) {
    if (race.course >= 0 && race.number > 0) race.date = ShownRaceDay(state, race);
    return race;
}
