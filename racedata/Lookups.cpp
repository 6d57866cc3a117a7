#include "racedata/Lookups.h"

#include "common/MessageBox.h"
#include "common/RaceSelection.h"
#include "racedata/AppState.h"
#include "racedata/RaceFiles.h"

namespace {

const QString Uo = QStringLiteral("uo-");
const QString Zo = QStringLiteral("zo-");
const QString Ks = QStringLiteral("ks-");

// The lookup for the current selection; a missing racecourse or race finds nothing.
RaceFile find(const AppState& state, const RaceSelection& selection, const QString& prefix,
              int stemLength) {
    const auto course = selection.courseCode();
    const auto race = selection.raceNo();
    if (!course || !race) return {};
    return FindRaceFile(state.DataDir, prefix, stemLength, *course, *race);
}

}  // namespace

bool LoadRaceResult(AppState& state, const RaceSelection& selection, QWidget* parent) {
    state.KsData.BlankRaceTitle();
    const RaceFile ks = find(state, selection, Ks, 7);
    if (ks.path.isEmpty()) {
        ShowMessage(parent, QString::fromUtf16(MsgResultMissing), MsgIcon::Exclamation);
        return false;
    }
    // A file that cannot be read is no result either: the record held is
    // another race's.
    if (!ReadRecord1(ks.path, state.KsData)) {
        ShowMessage(parent, QString::fromUtf16(MsgResultMissing), MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool LoadRecommendation(AppState& state, const RaceSelection& selection, QWidget* parent) {
    const RaceFile ks = find(state, selection, Ks, 7);
    state.KsData.BlankRaceDate();
    if (!ks.path.isEmpty()) ReadRecord1(ks.path, state.KsData);

    const RaceFile zo = find(state, selection, Zo, 5);
    state.ZoStem = zo.stem;
    if (zo.path.isEmpty()) {
        ShowMessage(parent, QString::fromUtf16(MsgOddsMissing), MsgIcon::Exclamation);
        return false;
    }
    state.ZoData.BlankRaceTitle();
    if (!ReadRecord1(zo.path, state.ZoData)) {
        ShowMessage(parent, QString::fromUtf16(MsgOddsMissing), MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool LoadDistributionOdds(AppState& state, const RaceSelection& selection, QWidget* parent) {
    const bool quinella = selection.typeCode().value_or(Quinella) == Quinella;
    const RaceFile file = find(state, selection, quinella ? Uo : Zo, 5);
    (quinella ? state.UoStem : state.ZoStem) = file.stem;
    const auto missing = [&] {
        ShowMessage(parent, QString::fromUtf16(MsgOddsMissing),
                    quinella ? MsgIcon::Exclamation : MsgIcon::None);
        return false;
    };
    if (file.path.isEmpty()) return missing();
    state.UoData.BlankRaceTitle();  // ClearRaceTitles
    state.ZoData.BlankRaceTitle();
    if (!ReadRecord1(file.path, quinella ? static_cast<FixedRecord&>(state.UoData)
                                         : static_cast<FixedRecord&>(state.ZoData))) {
        return missing();
    }
    return true;
}
