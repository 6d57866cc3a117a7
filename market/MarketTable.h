#pragma once

#include "common/TextTable.h"
#include "racedata/Market.h"

// The two tables of the odds analysis.

// 馬番, 枠, 単勝, 支持率, 複勝, 馬連支持率, 差, 総流し, 有利.
TextTable HorsesTable(const MarketAnalysis& analysis);
// 枠連, オッズ, 馬連, 合成オッズ, 有利.
TextTable BracketsTable(const MarketAnalysis& analysis);
