#pragma once

// Numbering of the cells of the quinella and bracket-quinella grids and of the
// entries of the records that fill them, and where each block of cells stands.

// Quinella: the grid has a fixed cell for every pair (a,b), 1 <= a < b <= 18,
// whatever the number of runners. The record holds the pairs of the N runners
// only, in the same lexicographic order.
inline constexpr int QuinellaHorses = 18;
inline constexpr int QuinellaCellCount = 153;
inline constexpr int QuinellaBlockCount = 17;
inline constexpr int QuinellaColumns = 9;

// Bracket quinella: the 36 pairs (a,b), 1 <= a <= b <= 8; the record holds all
// of them in cell order.
inline constexpr int Brackets = 8;
inline constexpr int BracketCellCount = 36;
inline constexpr int BracketColumns = 4;

struct Pair {
    int first;
    int second;
    bool operator==(const Pair&) const = default;
};

// Cell of pair (a,b) in the 18-horse grid.
int QuinellaCell(int a, int b);
// Entry of pair (a,b) in a record of n runners.
int QuinellaEntryIndex(int a, int b, int n);
// Pair of a cell, found by walking the blocks (block a holds 18 - a cells).
Pair QuinellaPair(int cell);

int BracketCell(int a, int b);
// Pair of a cell, found by walking the blocks (block a holds 9 - a cells).
Pair BracketPair(int cell);

// Where block a stands: blocks 1..C fill the upper band of columns 1..C; the
// later blocks stand under them from column C down, so that every column holds
// the same number of cells. Columns and rows count from 0; the block's header
// is on headerRow and its cells on the rows after it.
struct BlockPlace {
    int column;
    int headerRow;
    bool lower;  // in the lower part of its column
};
BlockPlace QuinellaBlockPlace(int a);
BlockPlace BracketBlockPlace(int a);

// What a pair grid needs of its numbering: the numbers 1..highest, whether a
// number pairs with itself, the cells, and where each block stands.
struct GridNumbering {
    int highest;
    bool withSelf;  // (a,a) is a pair
    int cellCount;
    int columns;
    int (*cell)(int a, int b);
    Pair (*pair)(int cell);
    BlockPlace (*blockPlace)(int a);

    int blockCount() const { return withSelf ? highest : highest - 1; }
    // The first partner of a in its block: a itself where it pairs with itself.
    int firstPartner(int a) const { return withSelf ? a : a + 1; }
};

// clang-format off
inline constexpr GridNumbering QuinellaNumbering{QuinellaHorses, false, QuinellaCellCount,
    QuinellaColumns, QuinellaCell, QuinellaPair, QuinellaBlockPlace};
inline constexpr GridNumbering BracketNumbering{Brackets, true, BracketCellCount,
    BracketColumns, BracketCell, BracketPair, BracketBlockPlace};
// clang-format on
