#include "odds/Frm_Odds2.h"

#include "common/RaceSelection.h"
#include "racedata/AppState.h"

namespace {

// clang-format off
// Label2, Lbl_Odds and its indent; the pitches and height of the rows; Label5.
const PairGridShape Shape{
    .name = "Frm_Odds2", .caption = u"枠連", .fontPoints = 12, .cellName = "Lbl_Odds",
    .numbering = BracketNumbering,
    .numberWidth = 450, .cellWidth = 1050, .cellIndent = 60,
    .columnPitch = 1620, .rowPitch = 360, .rowHeight = 345, .pickLineWidth = 3300,
    .headerColour = qRgb(128, 255, 128), .numberColour = qRgb(192, 255, 192)};
// clang-format on

}  // namespace

Frm_Odds2::Frm_Odds2(const AppState& state, const RaceSelection& selection, PickSink sink,
                     QWidget* parent, PickSummary summary)
    : PairGrid(Shape, std::move(sink), std::move(summary), parent) {
    Form_Load(state, selection);
}

void Frm_Odds2::Form_Load(const AppState& state, const RaceSelection& selection) {
    FillRaceHeading(heading_, HeadingDateField(state, selection), selection,
                    state.ZoData.RaceTitle());
    for (int t = 0; t < BracketCellCount; ++t) ShowOdds(t, state.ZoData.Bracket(t).BracketOdds);
    ShowFalls(FallMarksOf(selection.race(), OddsFile::Zo, state.ZoData.raw(), BetType::BracketQuinella));
}
