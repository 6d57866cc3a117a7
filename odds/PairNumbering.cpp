#include "odds/PairNumbering.h"

int QuinellaCell(int a, int b) {
    return QuinellaEntryIndex(a, b, QuinellaHorses);
}

int QuinellaEntryIndex(int a, int b, int n) {
    return (a - 1) * n - a * (a - 1) / 2 + (b - a - 1);
}

Pair QuinellaPair(int cell) {
    int first = 1;
    while (first < QuinellaHorses - 1 && cell >= QuinellaHorses - first) {
        cell -= QuinellaHorses - first;
        ++first;
    }
    return {first, first + 1 + cell};
}

int BracketCell(int a, int b) {
    return (a - 1) * Brackets - (a - 1) * (a - 2) / 2 + (b - a);
}

Pair BracketPair(int cell) {
    int first = 1;
    while (first < Brackets && cell >= Brackets + 1 - first) {
        cell -= Brackets + 1 - first;
        ++first;
    }
    return {first, first + cell};
}

namespace {

// blockCells(a) cells per block, `columns` blocks in the upper band.
template <typename Cells>
BlockPlace place(int a, int columns, Cells blockCells) {
    if (a <= columns) return {a - 1, 0, false};
    const int column = 2 * columns + 1 - a;  // 1-based column, counted back from the last
    return {column - 1, 1 + blockCells(column), true};
}

}  // namespace

BlockPlace QuinellaBlockPlace(int a) {
    return place(a, QuinellaColumns, [](int block) { return QuinellaHorses - block; });
}

BlockPlace BracketBlockPlace(int a) {
    return place(a, BracketColumns, [](int block) { return Brackets + 1 - block; });
}
