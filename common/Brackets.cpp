#include "common/Brackets.h"

#include <array>

namespace {

// Brackets of horses 1..18 for each number of runners; 0 = not coloured.
constexpr std::array<std::array<int, 18>, 19> Table = {{
    {},  // 0
    {},  // 1
    {},  // 2
    {},  // 3
    {},  // 4
    {1, 2, 3, 4, 5},
    {1, 2, 3, 4, 5, 6},
    {1, 2, 3, 4, 5, 6, 7},
    {1, 2, 3, 4, 5, 6, 7, 8},
    {1, 2, 3, 4, 5, 6, 7, 8, 8},
    {1, 2, 3, 4, 5, 6, 7, 7, 8, 8},
    {1, 2, 3, 4, 5, 6, 6, 7, 7, 8, 8},
    {1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8},
    {1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8},
    {1, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8},
    {1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8},
    {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8},
    {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 8},
    {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8},
}};

const std::array<QColor, MaxBracket + 1> Palette = {
    QColor(),               // no bracket
    QColor(255, 255, 255),  // 1 white
    QColor(0, 0, 0),        // 2 black
    QColor(255, 0, 0),      // 3 red
    QColor(0, 0, 255),      // 4 blue
    QColor(255, 255, 0),    // 5 yellow
    QColor(0, 255, 0),      // 6 green
    QColor(255, 192, 128),  // 7 orange
    QColor(255, 192, 192),  // 8 pink
};

}  // namespace

int BracketOf(int horseNo, int runners) {
    if (runners < 0 || runners >= int(Table.size()) || horseNo < 1 || horseNo > runners) return 0;
    return Table[runners][horseNo - 1];
}

QColor BracketColour(int bracket) {
    return bracket >= 1 && bracket <= MaxBracket ? Palette[bracket] : QColor();
}

QColor BracketText(int bracket) {
    return bracket == 2 ? QColor(255, 255, 255) : QColor(0, 0, 0);
}
