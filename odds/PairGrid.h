#pragma once

#include <QDialog>
#include <QList>
#include <QRgb>
#include <vector>

#include "common/PickSink.h"
#include "odds/PairNumbering.h"
#include "odds/RaceHeading.h"
#include "racedata/FallMarks.h"

class ClickLabel;
class QLabel;
class QPushButton;

// How a pair grid is numbered and drawn. Block a stands under a header showing
// a, each cell with its second number beside it. Lengths in twips.
struct PairGridShape {
    const char* name;         // the window's objectName
    const char16_t* caption;  // its title
    int fontPoints;           // of the grid; the bottom line and the buttons are 9 pt
    const char* cellName;     // the cells' control array
    const GridNumbering& numbering;
    int numberWidth;  // of the numbers beside the cells (Label2)
    int cellWidth;
    int cellIndent;
    int columnPitch;
    int rowPitch;
    int rowHeight;  // a thin gap below each row keeps the cells apart
    int pickLineWidth;
    QRgb headerColour;
    QRgb numberColour;
};

// The odds of every pair of a race in a fixed grid of clickable cells: up to
// eight picked cells turn red and are handed to the sink on OK, in cell order;
// Cancel and Esc hand nothing back. The windows that show a bet type fill the
// heading and the cells.
class PairGrid : public QDialog {
    Q_OBJECT
public:
    PairGrid(const PairGridShape& shape, PickSink sink, PickSummary summary, QWidget* parent);

public slots:
    void Cell_Click(int index);
    void Cmd_OK_Click();
    void Cmd_Cancel_Click();

protected:
    // The cell's odds text and the shade it gives the unpicked cell.
    void ShowOdds(int index, const QString& caption);
    // A pair that does not exist in the race: its cell and number are hidden.
    void HideCell(int index);
    void HideBlock(int a);
    // Lbl_Trend and the marks of the cells that fell (keys "3-7").
    void ShowFalls(const FallMarks& marks);

    RaceHeading heading_{};

private:
    void RepaintCells();
    // The bottom line: what the summary says of the picks, or its own caption.
    void ShowPicks();

    const PairGridShape& shape_;
    PickSink sink_;
    PickSummary summary_;
    QList<bool> picked_;  // by cell

    std::vector<ClickLabel*> cells_;  // Lbl_Uma or Lbl_Odds
    std::vector<QLabel*> cellNumbers_;   // Label2: each cell's second number
    std::vector<QLabel*> blockHeaders_;  // Label1: each block's first number
    QLabel* pickLine_ = nullptr;         // Label5: the picks, under the grid
    QLabel* Lbl_Trend = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
};
