#include <gtest/gtest.h>

#include <QBrush>
#include <QFont>

#include "settle/SettleTable.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

// The settlement's table read through its roles, without a view: a row a bet
// then the race's subtotal, amounts right-aligned and red below zero, a hit's
// row and the subtotal shaded, the subtotal bold, 単・複勝 noted as 単勝.
TEST(SettleTable, RowsAndTheirLook) {
    TempDir data;
    ASSERT_TRUE(WriteResult(data, 5, 11, QuinellaResult()));
    const Settlement settlement = SettleMemo(
        u"東京\t11R\t馬連\n\t7-3\t800\n\t3-12\t500\n\n東京\t11R\t単・複勝\n\t7\t100\n\n"
        u"中山\t2R\t馬連\n\t1-2\t300\n"_qs,
        data.path());
    const SettleTable table(settlement);
    ASSERT_EQ(table.columnCount(), SettleTable::ColumnCount);
    EXPECT_EQ(table.headerData(SettleTable::ColBalance, Qt::Horizontal).toString(), u"収支"_qs);
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c) cells << table.index(r, c).data().toString();
        rows << cells.join('|');
    }
    // The date is the race's; 中山2R has neither odds nor a result to tell it.
    EXPECT_EQ(rows,
              QStringList({u"2026/12/06|東京|11R|馬連|3-7|800円|的中|18,480円|17,680円|"_qs,
                           u"2026/12/06|東京|11R|馬連|3-12|500円|不的中|0円|-500円|"_qs,
                           u"2026/12/06|東京|11R|単勝|7|100円|的中|560円|460円|単勝として計算"_qs,
                           u"2026/12/06|東京|11R|小計||1,400円||19,040円|17,640円|"_qs,
                           u"|中山|2R|馬連|1-2|300円|未確定|||結果がまだありません"_qs,
                           u"|中山|2R|小計|||未確定|||"_qs}));

    const auto role = [&](int row, int column, int r) { return table.index(row, column).data(r); };
    const auto colour = [&](int row, int column, int r) {
        return role(row, column, r).value<QBrush>().color();
    };
    EXPECT_EQ(colour(0, 0, Qt::BackgroundRole), QColor(255, 240, 170));  // a hit
    EXPECT_FALSE(role(1, 0, Qt::BackgroundRole).isValid());
    EXPECT_EQ(colour(3, 8, Qt::BackgroundRole), QColor(232, 232, 232));  // the subtotal
    EXPECT_EQ(colour(1, SettleTable::ColBalance, Qt::ForegroundRole), QColor(220, 0, 0));
    EXPECT_FALSE(role(1, SettleTable::ColPayout, Qt::ForegroundRole).isValid());
    EXPECT_TRUE(role(3, 0, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(role(2, 0, Qt::FontRole).isValid());
    const auto align = [&](int column) { return role(0, column, Qt::TextAlignmentRole).toInt(); };
    EXPECT_EQ(align(SettleTable::ColPlace), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(align(SettleTable::ColBet), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(align(SettleTable::ColStake), Qt::AlignRight | Qt::AlignVCenter);
}
