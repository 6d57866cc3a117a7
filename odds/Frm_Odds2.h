#pragma once

#include <QDialog>
#include <array>

#include "odds/PairNumbering.h"
#include "odds/PickSink.h"
#include "odds/RaceHeading.h"

class ClickLabel;
class QLabel;
class QPushButton;
class RaceSelection;
struct AppState;

// 枠連: the odds of the 36 bracket pairs of the race; up to eight pairs picked
// by clicking are handed to the sink on OK.
class Frm_Odds2 : public QDialog {
    Q_OBJECT
public:
    Frm_Odds2(const AppState& state, const RaceSelection& selection, PickSink sink,
              QWidget* parent = nullptr, PickSummary summary = {});

public slots:
    void Lbl_Odds_Click(int index);
    void Cmd_OK_Click();
    void Cmd_Cancel_Click();

private:
    void Form_Load(const AppState& state, const RaceSelection& selection);
    void RepaintCells();
    // The bottom line: what the summary says of the picks, or its own caption.
    void ShowPicks();

    PickSink sink_;
    PickSummary summary_;
    std::array<bool, BracketCellCount> Sel_Flag{};

    std::array<ClickLabel*, BracketCellCount> Lbl_Odds{};
    std::array<QLabel*, BracketCellCount> Label2{};
    std::array<QLabel*, Brackets> Label1{};
    RaceHeading heading_{};
    QLabel* Label5 = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
};
