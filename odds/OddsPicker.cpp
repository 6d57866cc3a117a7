#include "odds/OddsPicker.h"

#include "common/CompositeOdds.h"
#include "common/ModalRun.h"
#include "common/RaceSelection.h"
#include "odds/Frm_Odds.h"
#include "odds/Frm_Odds2.h"
#include "odds/Frm_Odds3.h"

void RunOddsPicker(const AppState& state, const RaceSelection& selection, const PickSink& sink,
                   QWidget* parent) {
    switch (selection.betType()) {
        case BetType::Quinella: {
            Frm_Odds picker(state, selection, sink, parent, PicksLine);
            RunModal(picker);
            break;
        }
        case BetType::BracketQuinella: {
            Frm_Odds2 picker(state, selection, sink, parent, PicksLine);
            RunModal(picker);
            break;
        }
        default: {
            Frm_Odds3 picker(state, selection, parent);
            RunModal(picker);
            break;
        }
    }
}
