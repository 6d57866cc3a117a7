#pragma once

#include <QColor>

// Brackets (waku) of the horses by the number of runners, and their colours.

inline constexpr int MaxBracket = 8;

// The bracket (1 to 8) of horse 1..18 in a race of the given number of
// runners; 0 when the horse is not coloured: 0 to 4 runners, a horse number
// beyond the runners, or values out of range.
int BracketOf(int horseNo, int runners);

// The background of a bracket's number label; bracket 2 is black and takes
// white text (BracketText).
QColor BracketColour(int bracket);
QColor BracketText(int bracket);
