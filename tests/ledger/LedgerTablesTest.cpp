#include <gtest/gtest.h>

#include <QBrush>
#include <QFont>

#include "ledger/LedgerTables.h"
#include "support/Fixtures.h"

// A table of groups read through its roles, without a view: the label, the
// figures' texts, a red balance below zero, the bold total line without a key,
// and a heading changed in place.
TEST(FiguresTable, GroupsAndTheirTotal) {
    LedgerFigures november{1500, 5400, 2, 1, 0, 2}, december{600, 0, 1, 0, 0, 1};
    LedgerFigures total{2100, 5400, 3, 1, 0, 3};
    FiguresTable table(FigureHeadings(u"期間"_qs), {Qt::AlignLeft});
    table.SetLines(GroupLines({{u"11月"_qs, 11, november}, {u"12月"_qs, 12, december}}, &total));
    table.SetHeading(0, u"月"_qs);
    EXPECT_EQ(table.headerData(0, Qt::Horizontal).toString(), u"月"_qs);
    ASSERT_EQ(table.rowCount(), 3);
    ASSERT_EQ(table.columnCount(), 7);
    QStringList rows;
    for (int r = 0; r < 3; ++r) {
        QStringList cells;
        for (int c = 0; c < 7; ++c) cells << table.index(r, c).data().toString();
        rows << cells.join('|');
    }
    EXPECT_EQ(rows, QStringList({u"11月|1,500円|5,400円|3,900円|360.0%|50.0%|2"_qs,
                                 u"12月|600円|0円|-600円|0.0%|0.0%|1"_qs,
                                 u"合計|2,100円|5,400円|3,300円|257.1%|33.3%|3"_qs}));
    EXPECT_EQ(table.index(1, 3).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(255, 0, 0));
    EXPECT_FALSE(table.index(0, 3).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(table.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
              Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(table.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_TRUE(table.index(2, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(table.index(0, 0).data(Qt::FontRole).isValid());
    EXPECT_EQ(std::tuple(table.Key(0), table.Key(1), table.Key(2)),
              std::tuple(std::optional(11), std::optional(12), std::optional<int>()));
}
