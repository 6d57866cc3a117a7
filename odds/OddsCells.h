#pragma once

#include <QRect>
#include <QString>

#include "common/Controls.h"
#include "common/PickSink.h"

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

// Lbl_Trend, the line under an odds window's controls that names the sharpest
// falls since the previous download (9 pt, room for three lines).
inline constexpr int TrendLineHeight = 720;  // twips
QLabel* MakeTrendLine(QWidget* parent, const QRect& geometry);
// The falls one after another, a new line only where the next one would not
// fit: a fall is never broken.
void ShowTrendLine(QLabel* line, const QStringList& falls);

// Marks a cell whose odds fell by 20 % or more: a small triangle in its top
// left corner (Mrk_Fall; the cell's colours and text stay as they are, and
// clicks go through it to the cell) and the tooltip.
void MarkFall(QLabel* cell, const QString& tip);
