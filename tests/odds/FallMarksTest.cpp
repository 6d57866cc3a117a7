#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "common/Clock.h"
#include "common/RaceSelection.h"
#include "odds/Frm_Odds.h"
#include "odds/Frm_Odds2.h"
#include "odds/Frm_Odds3.h"
#include "odds/PairNumbering.h"
#include "racedata/AppState.h"
#include "support/Fixtures.h"
#include "trend/FallMarks.h"
#include "trend/TrendFiles.h"

namespace {

// The odds windows on the race selected (中山 1R) over an odds history in a
// temporary directory, the record shown recorded at 14:35 after an earlier one
// at 14:20 (or alone).
class FallMarksTest : public testing::Test {
protected:
    FallMarksTest() {
        FillSelectionLists(&place, &type, &race);
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
    }
    ~FallMarksTest() override { SetOddsHistoryPath({}); }

    // Records the earlier record (unless empty), then opens the window of the
    // kind (0 馬連, 1 枠連, 2 単・複) on the later one.
    void open(int kind, const QByteArray& earlier, const QByteArray& shown) {
        const QString name = kind == 0 ? u"uo-681.jra"_qs : u"zo-681.jra"_qs;
        const QDate day(2026, 12, 6);
        if (!earlier.isEmpty()) {
            ASSERT_TRUE(SharedOddsHistory().record(name, earlier, QDateTime(day, {14, 20})).stored);
        }
        ASSERT_TRUE(SharedOddsHistory().record(name, shown, QDateTime(day, {14, 35})).stored);
        type.setCurrentIndex(kind);
        (kind == 0 ? static_cast<FixedRecord&>(state.UoData) : state.ZoData).assign(shown);
        if (kind == 0) window = std::make_unique<Frm_Odds>(state, selection, sink);
        if (kind == 1) window = std::make_unique<Frm_Odds2>(state, selection, sink);
        if (kind == 2) window = std::make_unique<Frm_Odds3>(state, selection);
        ShowAndWait(window.get());
    }
    QString line() { return Find<QLabel>(window.get(), u"Lbl_Trend"_qs)->text(); }
    // The cells that carry a mark, as "name(index):tooltip".
    QStringList marked() {
        QStringList cells;
        for (QLabel* cell : window->findChildren<QLabel*>()) {
            if (cell->findChild<QWidget*>(u"Mrk_Fall"_qs))
                cells << cell->objectName() + ':' + cell->toolTip();
        }
        cells.sort();
        return cells;
    }

    TempDir store;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    AppState state;
    QStringList picks;
    PickSink sink = [this](int row, const QString& odds, const QString& a, const QString& b) {
        picks << QStringLiteral("%1:%2:%3-%4").arg(row).arg(odds, a, b);
    };
    std::unique_ptr<QDialog> window;
};

QByteArray Zo(const std::map<QString, QString>& win, const QString& bracket12 = u"20.0"_qs,
              const QString& place3Low = u"2.0"_qs) {
    return ZoBytes(u"20261206"_qs, 12, win, [&](RecordBuilder& zo) {
        for (int t = 0; t < BracketCellCount; ++t)
            zo.setRight(ZoLayout::BracketOdds(t), t == BracketCell(1, 2) ? bracket12 : u"20.0"_qs);
        zo.setRight(ZoLayout::PlaceOddsLow(2), place3Low);
    });
}

}  // namespace

TEST_F(FallMarksTest, QuinellaLineAndMarksAtTheTwentyPercentEdge) {
    // 3-7 falls most, 1-2 exactly 20 % (marked), 5-6 by 19.8 % (not), 4-9 rises.
    open(0,
         UoBytes(u"20261206"_qs, 18,
                 {{u"3-7"_qs, u"31.5"_qs},
                  {u"1-2"_qs, u"31.5"_qs},
                  {u"5-6"_qs, u"31.5"_qs},
                  {u"4-9"_qs, u"10.0"_qs}}),
         UoBytes(u"20261206"_qs, 18,
                 {{u"3-7"_qs, u"12.0"_qs},
                  {u"1-2"_qs, u"25.2"_qs},
                  {u"5-6"_qs, u"25.3"_qs},
                  {u"4-9"_qs, u"20.0"_qs}}));
    EXPECT_EQ(line(),
              u"急落 3-7 31.5→12.0 (−62%) 14:20→14:35　急落 1-2 31.5→25.2 (−20%) 14:20→14:35"_qs);
    EXPECT_EQ(
        marked(),
        (QStringList{QStringLiteral("Lbl_Uma(%1):前回 31.5（14:20）").arg(QuinellaCell(1, 2)),
                     QStringLiteral("Lbl_Uma(%1):前回 31.5（14:20）").arg(QuinellaCell(3, 7))}));
    // The marked cell is picked as before.
    Click(Find<QLabel>(window.get(), QStringLiteral("Lbl_Uma(%1)").arg(QuinellaCell(3, 7))));
    Click(Find<QWidget>(window.get(), u"Cmd_OK"_qs));
    EXPECT_EQ(picks, QStringList{u"0:  12.0:3-7"_qs});
}

TEST_F(FallMarksTest, NothingWithoutAnEarlierDownloadOrAFall) {
    const QByteArray uo = UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}});
    open(0, {}, uo);
    EXPECT_EQ(line(), QString());
    EXPECT_EQ(marked(), QStringList());
    open(0, UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"13.0"_qs}}), uo);
    EXPECT_EQ(line(), QString());
    EXPECT_EQ(marked(), QStringList());
    SetOddsHistoryPath(store.file(u"unused.sqlite"_qs));  // a history that nothing was recorded in
    window = std::make_unique<Frm_Odds>(state, selection, sink);
    EXPECT_EQ(line(), QString());
}

TEST_F(FallMarksTest, BracketAndWinPlaceMarkTheirCells) {
    open(1, Zo({}, u"40.0"_qs), Zo({}, u"20.0"_qs));
    EXPECT_EQ(line(), u"急落 1-2 40.0→20.0 (−50%) 14:20→14:35"_qs);
    EXPECT_EQ(
        marked(),
        QStringList{QStringLiteral("Lbl_Odds(%1):前回 40.0（14:20）").arg(BracketCell(1, 2))});

    // 単勝 of 7 falls; 複勝 of 3 falls by its lower bound, exactly 20 %: marked, not in the line.
    SetOddsHistoryPath(store.file(u"second.sqlite"_qs));
    open(2, Zo({{u"7"_qs, u"15.2"_qs}}, u"20.0"_qs, u"2.5"_qs),
         Zo({{u"7"_qs, u"6.1"_qs}}, u"20.0"_qs, u"2.0"_qs));
    EXPECT_EQ(line(), u"急落 7 15.2→6.1 (−60%) 14:20→14:35"_qs);
    EXPECT_EQ(marked(), (QStringList{u"Lbl_Odds_F1(2):前回 2.5-3.0（14:20）"_qs,
                                     u"Lbl_Odds_T(6):前回 15.2（14:20）"_qs}));
}
