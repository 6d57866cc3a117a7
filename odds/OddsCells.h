#pragma once

#include <QRect>
#include <QString>

#include <array>

#include "common/Controls.h"
#include "odds/ClickLabel.h"
#include "odds/PickSink.h"

class QDialog;
class QLabel;
class QPushButton;
class QWidget;
enum class CellShade;

// Pieces shared by the odds windows.

void SetShade(QLabel* cell, CellShade shade);

// The picker's bottom line: the summary of the picked cells' odds, or the line's
// own caption while none is picked (or no summary is given).
void ShowPickLine(QLabel* line, const QStringList& pickedOdds, const PickSummary& summary);

template <std::size_t N>
void ShowPicks(QLabel* line, const std::array<ClickLabel*, N>& cells,
               const std::array<bool, N>& picked, const PickSummary& summary) {
    QStringList odds;
    for (std::size_t i = 0; i < N; ++i) {
        if (picked[i]) odds << cells[i]->text();
    }
    ShowPickLine(line, odds, summary);
}
