#pragma once

#include "odds/PairGrid.h"

class RaceSelection;
struct AppState;

// 枠連: the odds of the 36 bracket pairs of the race (cells Lbl_Odds).
class Frm_Odds2 : public PairGrid {
    Q_OBJECT
public:
    Frm_Odds2(const AppState& state, const RaceSelection& selection, PickSink sink,
              QWidget* parent = nullptr, PickSummary summary = {});

private:
    void Form_Load(const AppState& state, const RaceSelection& selection);
};
