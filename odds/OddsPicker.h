#pragma once

#include "common/PickSink.h"

class QWidget;
class RaceSelection;
struct AppState;

// Opens the odds window of the selection's bet type modally over parent, as a
// picker: 馬連 and 枠連 hand their picked cells to sink and sum them up on their
// bottom line (count and composite odds); 単・複 only shows the odds. The odds
// are those the lookup read into the state.
void RunOddsPicker(const AppState& state, const RaceSelection& selection, const PickSink& sink,
                   QWidget* parent);
