#include "odds/Frm_Odds.h"

#include <algorithm>

#include "common/RaceSelection.h"
#include "odds/CellRules.h"
#include "racedata/AppState.h"

namespace {

// clang-format off
// Label2, Lbl_Uma and its indent; the pitches and height of the rows; Label5.
const PairGridShape Shape{
    .name = "Frm_Odds", .caption = u"馬連", .fontPoints = 9, .cellName = "Lbl_Uma",
    .numbering = QuinellaNumbering,
    .numberWidth = 300, .cellWidth = 780, .cellIndent = 45,
    .columnPitch = 1170, .rowPitch = 270, .rowHeight = 255, .pickLineWidth = 4500,
    .headerColour = qRgb(255, 255, 128), .numberColour = qRgb(255, 255, 192)};
// clang-format on

}  // namespace

Frm_Odds::Frm_Odds(const AppState& state, const RaceSelection& selection, PickSink sink,
                   QWidget* parent, PickSummary summary)
    : PairGrid(Shape, std::move(sink), std::move(summary), parent) {
    Form_Load(state, selection);
}

void Frm_Odds::Form_Load(const AppState& state, const RaceSelection& selection) {
    const UoRecord& uo = state.UoData;
    const int n = ShownRunners(uo.Runners());
    FillRaceHeading(heading_, uo.RaceDate(), selection, uo.RaceTitle());

    for (int a = 1; a < n; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            ShowOdds(QuinellaCell(a, b),
                     QuinellaCaption(uo.Quinella(QuinellaEntryIndex(a, b, n)).QuinellaOdds));
        }
    }
    // Pairs with a horse beyond the runners, and the blocks of first horses
    // from n on, do not exist in this race.
    for (int i = 0; i < QuinellaCellCount; ++i) {
        if (QuinellaPair(i).second > n) HideCell(i);
    }
    for (int a = std::max(n, 1); a <= QuinellaBlockCount; ++a) HideBlock(a);
    ShowFalls(FallMarksOf(selection.race(), OddsFile::Uo, uo.raw(), BetType::Quinella));
}
