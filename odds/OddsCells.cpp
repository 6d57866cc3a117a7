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

void ShowPickLine(QLabel* line, const QStringList& pickedOdds, const PickSummary& summary) {
    const QString text = summary ? summary(pickedOdds) : QString();
    line->setText(text.isEmpty() ? QStringLiteral("・選択したオッズが赤くなります。") : text);
}
