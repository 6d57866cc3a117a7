#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "odds/CellRules.h"
#include "odds/PairNumbering.h"

TEST(PairNumbering, QuinellaCellsAndEntriesAgreeForEveryPair) {
    int cell = 0;
    for (int a = 1; a < 18; ++a) {
        for (int b = a + 1; b <= 18; ++b, ++cell) {
            SCOPED_TRACE(testing::Message() << a << "-" << b);
            EXPECT_EQ(QuinellaCell(a, b), cell);
            EXPECT_EQ(QuinellaPair(cell), (Pair{a, b}));
            EXPECT_EQ(QuinellaEntryIndex(a, b, 18), cell);
        }
    }
    EXPECT_EQ(cell, QuinellaCellCount);
    EXPECT_EQ(QuinellaPair(17), (Pair{2, 3}));
    EXPECT_EQ(QuinellaPair(152), (Pair{17, 18}));

    // A record of n runners holds their pairs one after the other.
    for (int n = 2; n <= 18; ++n) {
        int entry = 0;
        for (int a = 1; a < n; ++a) {
            for (int b = a + 1; b <= n; ++b) EXPECT_EQ(QuinellaEntryIndex(a, b, n), entry++);
        }
        EXPECT_EQ(entry, n * (n - 1) / 2);
    }
}

TEST(PairNumbering, BracketCellsForEveryPair) {
    int cell = 0;
    for (int a = 1; a <= 8; ++a) {
        for (int b = a; b <= 8; ++b, ++cell) {
            EXPECT_EQ(BracketCell(a, b), cell);
            EXPECT_EQ(BracketPair(cell), (Pair{a, b}));
        }
    }
    EXPECT_EQ(cell, BracketCellCount);
    EXPECT_EQ(BracketPair(15), (Pair{3, 3}));
    EXPECT_EQ(BracketPair(20), (Pair{3, 8}));
    EXPECT_EQ(BracketPair(35), (Pair{8, 8}));
}

// Every header and cell of a grid gets a slot of its own, and every column
// holds the same number of cells.
template <typename PlaceOf>
void ExpectGridFills(int blocks, int columns, int cellsPerColumn, PlaceOf placeOf,
                     int (*cellsOf)(int)) {
    std::set<std::pair<int, int>> taken;
    std::vector<int> cells(static_cast<size_t>(columns), 0);
    for (int a = 1; a <= blocks; ++a) {
        const BlockPlace place = placeOf(a);
        ASSERT_GE(place.column, 0);
        ASSERT_LT(place.column, columns);
        EXPECT_EQ(place.lower, a > columns);
        for (int row = 0; row <= cellsOf(a); ++row) {
            EXPECT_TRUE(taken.insert({place.column, place.headerRow + row}).second)
                << "block " << a << " row " << row;
        }
        cells[static_cast<size_t>(place.column)] += cellsOf(a);
    }
    for (int count : cells) EXPECT_EQ(count, cellsPerColumn);
}

TEST(PairNumbering, BlocksStandInTheirColumns) {
    ExpectGridFills(17, 9, 17, QuinellaBlockPlace, [](int a) { return 18 - a; });
    ExpectGridFills(8, 4, 9, BracketBlockPlace, [](int a) { return 9 - a; });
    EXPECT_EQ(QuinellaBlockPlace(10).column, 8);  // under block 9
    EXPECT_EQ(QuinellaBlockPlace(17).column, 1);  // under block 2
    EXPECT_EQ(BracketBlockPlace(5).column, 3);    // under block 4
    EXPECT_EQ(BracketBlockPlace(8).column, 0);    // under block 1
}

TEST(CellRules, CaptionsRunnersAndShades) {
    EXPECT_EQ(QuinellaCaption(u"  ﾄﾘｹｼ "), QStringLiteral("ﾄﾘｹｼ"));
    EXPECT_EQ(QuinellaCaption(u"  12.37"), QStringLiteral("  12.3"));
    EXPECT_EQ(QuinellaCaption(u"       "), QStringLiteral("      "));

    const std::pair<const char16_t*, int> runners[] = {
        {u"18", 18}, {u"16", 16}, {u" 5", 5}, {u" 2", 2}, {u"19", 18}, {u"99", 18},
        {u" 1", 0},  {u" 0", 0},  {u"-3", 0}, {u"  ", 0}, {u"ab", 0},  {u"9.", 9}};
    for (const auto& [text, shown] : runners)
        EXPECT_EQ(ShownRunners(text), shown) << QString::fromUtf16(text).toStdString();

    EXPECT_EQ(OddsShade(u"  9.9", false), CellShade::LightCyan);
    EXPECT_EQ(OddsShade(u" 10.0", false), CellShade::White);
    EXPECT_EQ(OddsShade(u"ﾄﾘｹｼ", false), CellShade::White);
    EXPECT_EQ(OddsShade(u"     ", false), CellShade::White);
    EXPECT_EQ(OddsShade(u" 10.0", true), CellShade::Red);
}

TEST(CellRules, ToggleKeepsAtMostEightPicks) {
    std::array<bool, 36> flags{};
    EXPECT_EQ(ToggleSelection(flags, 3, false), Toggle::Ignored);
    EXPECT_FALSE(flags[3]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ToggleSelection(flags, i, true), Toggle::Selected);
    EXPECT_EQ(ToggleSelection(flags, 8, true), Toggle::Refused);
    EXPECT_FALSE(flags[8]);
    EXPECT_EQ(ToggleSelection(flags, 2, true), Toggle::Deselected);
    EXPECT_EQ(ToggleSelection(flags, 8, true), Toggle::Selected);
    EXPECT_EQ(std::count(flags.begin(), flags.end(), true), 8);
}
