#pragma once

#include <QRect>
#include <QString>

#include "common/Controls.h"

class QDialog;
class QLabel;
class QPushButton;
class QWidget;
enum class CellShade;

// Pieces shared by the odds windows.

void SetShade(QLabel* cell, CellShade shade);
