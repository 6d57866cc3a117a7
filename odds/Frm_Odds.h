#pragma once

#include "odds/PairGrid.h"

class RaceSelection;
struct AppState;

// 馬連: the quinella odds of every pair of the race in the fixed 18-horse grid
// (cells Lbl_Uma); pairs with a horse beyond the runners are hidden.
class Frm_Odds : public PairGrid {
    Q_OBJECT
public:
    Frm_Odds(const AppState& state, const RaceSelection& selection, PickSink sink,
             QWidget* parent = nullptr, PickSummary summary = {});

private:
    void Form_Load(const AppState& state, const RaceSelection& selection);
};
