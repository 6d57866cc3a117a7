#pragma once

#include <QString>
#include <optional>

// The text without the blanks at either end, half-width and full-width alike.
QString TrimBlanks(QStringView text);

// True when the result window's racecourse and race captions name the race
// selected in the main window: the racecourse names agree once their blanks are
// trimmed, and the race caption reads as the selected race number.
bool ShowsSelectedRace(QStringView placeCaption, QStringView raceCaption, QStringView selectedPlace,
                       std::optional<int> selectedRace);
