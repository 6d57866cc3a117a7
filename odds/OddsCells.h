#pragma once

#include <QRect>
#include <QString>

#include "common/Controls.h"
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
