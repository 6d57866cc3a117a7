#include "odds/OddsCells.h"

#include <QLabel>

#include "common/Colours.h"
#include "odds/CellRules.h"

void SetShade(QLabel* cell, CellShade shade) {
    const QColor& colour = shade == CellShade::Red         ? Colours::Red
                           : shade == CellShade::LightCyan ? Colours::LightCyan
                                                           : Colours::White;
    if (!cell->autoFillBackground() || Background(cell) != colour) SetBackground(cell, colour);
}
