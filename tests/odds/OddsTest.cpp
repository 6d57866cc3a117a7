#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>

#include "common/Colours.h"
#include "common/RaceSelection.h"
#include "odds/CellRules.h"
#include "odds/Frm_Odds.h"
#include "odds/Frm_Odds2.h"
#include "odds/Frm_Odds3.h"
#include "odds/OddsCells.h"
#include "racedata/AppState.h"
#include "racedata/OddsHistory.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"
#include "trend/TrendFallMarks.h"
#include "trend/TrendFiles.h"

// Above 18 runners shows 18; not a number or below 2 shows none.
TEST(CellRules, ShownRunners) {
    const std::pair<const char16_t*, int> cases[] = {
        {u" 2", 2}, {u"19", 18}, {u" 1", 0}, {u"-3", 0}, {u"  ", 0}, {u"ab", 0}, {u"9.", 9}};
    for (const auto& [text, shown] : cases) EXPECT_EQ(ShownRunners(text), shown) << shown;
}

namespace {

const QString Title = QStringLiteral("第５９回皐月賞（ＧⅠ）");

// Odds that differ for every pair, so that a cell shows which entry it read.
QString PairOdds(int a, int b) {
    return QStringLiteral("%1.%2").arg(a * 20 + b).arg(b % 10).rightJustified(6);
}

// A quinella record of n runners with the odds of each pair.
QByteArray Uo(int n, std::function<QString(int, int)> oddsOf = PairOdds) {
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, "19990405").setRight(UoLayout::Runners, QString::number(n));
    int entry = 0;  // the record holds the pairs of its runners one after the other
    for (int a = 1; a < n; ++a)
        for (int b = a + 1; b <= n; ++b)
            uo.setRight(UoLayout::QuinellaOdds(entry++), oddsOf(a, b) + ' ');
    return uo.set(UoLayout::RaceTitle, Title).bytes();
}

// Records of 6 Dec 2026 for the odds history: quinella pairs at 50.0 unless
// given; 12 runners at win 10.0 unless given, bracket 1-2 and the lower place
// odds of 3 as given.
QByteArray UoOf(const std::map<QString, QString>& odds) {
    return UoBytes("20261206", 18, odds);
}
QByteArray ZoOf(const std::map<QString, QString>& win, const QString& bracket12,
                const QString& place3Low = "2.0") {
    return ZoBytes("20261206", 12, win, [&](RecordBuilder& zo) {
        for (int t = 0; t < BracketCellCount; ++t)
            zo.setRight(ZoLayout::BracketOdds(t), t == BracketCell(1, 2) ? bracket12 : "20.0");
        zo.setRight(ZoLayout::PlaceOddsLow(2), place3Low);
    });
}

// The odds windows of the race selected (中山 1R) over an odds history in a
// temporary directory.
class OddsWindows : public testing::Test {
protected:
    OddsWindows() {
        FillSelectionLists(&place, &type, &race);
        SetOddsHistoryPath(store.file("odds-history.sqlite"));
        SetFallMarksSource(TrendFallMarks);  // as the program does
    }
    ~OddsWindows() override { SetOddsHistoryPath({}), SetFallMarksSource({}); }
    // Opens 馬連 (kind 0), 枠連 (1) or 単・複 (2) on the record, its bet type selected.
    void open(int kind, const QByteArray& record) {
        type.setCurrentIndex(kind);
        (kind == 0 ? static_cast<FixedRecord&>(state.UoData) : state.ZoData).assign(record);
        if (kind == 0) window = std::make_unique<Frm_Odds>(state, selection, sink);
        if (kind == 1) window = std::make_unique<Frm_Odds2>(state, selection, sink);
        if (kind == 2) window = std::make_unique<Frm_Odds3>(state, selection);
        ShowAndWait(window.get());
    }
    // Opens the window on the record shown, recorded in the history at 14:35
    // after the earlier one (unless empty) at 14:20.
    void openAfter(int kind, const QByteArray& earlier, const QByteArray& shown) {
        const QString name = kind == 0 ? "uo-681.jra" : "zo-681.jra";
        const QDate day(2026, 12, 6);
        if (!earlier.isEmpty()) {
            ASSERT_TRUE(SharedOddsHistory().record(name, earlier, QDateTime(day, {14, 20})).stored);
        }
        ASSERT_TRUE(SharedOddsHistory().record(name, shown, QDateTime(day, {14, 35})).stored);
        open(kind, shown);
    }
    QLabel* at(const char* name, int i) { return Find<QLabel>(window.get(), ElementName(name, i)); }
    QLabel* uma(int a, int b) { return at("Lbl_Uma", QuinellaCell(a, b)); }
    void press(const char* button) { Click(Find<QPushButton>(window.get(), button)); }
    QString heading() {
        QString text;
        for (const char* name : {"Lbl_Date", "Lbl_Place", "Lbl_Race", "Label4", "Label3"})
            text += Find<QLabel>(window.get(), name)->text() + '|';
        return text;
    }
    // The fall line, then the cells that carry a fall mark as "name(index):tooltip".
    QStringList falls() {
        QStringList cells;
        for (QLabel* cell : window->findChildren<QLabel*>()) {
            if (cell->findChild<QWidget*>("Mrk_Fall"))
                cells << cell->objectName() + ':' + cell->toolTip();
        }
        cells.sort();
        return QStringList{Find<QLabel>(window.get(), "Lbl_Trend")->text()} + cells;
    }

    TempDir store;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    AppState state;
    QStringList picks;
    PickSink sink = [this](int row, const QString& odds, const QString& a, const QString& b) {
        picks << QStringLiteral("%1:%2:%3-%4").arg(row).arg(odds, a, b);
    };
    MessageRecorder messages;
    std::unique_ptr<QDialog> window;
};

}  // namespace

TEST_F(OddsWindows, QuinellaShowsThePairsOfTheRunnersInTheirFixedCells) {
    for (int n : {18, 16, 5}) {
        open(0, Uo(n));
        for (int i = 0; i < QuinellaCellCount; ++i) {
            const auto [a, b] = QuinellaPair(i);
            EXPECT_EQ(at("Lbl_Uma", i)->isHidden(), b > n) << n << " " << i;
            EXPECT_EQ(at("Lbl_Uma", i)->text(), b <= n ? PairOdds(a, b) : QString()) << i;
        }
        for (int a = 1; a <= 17; ++a) EXPECT_EQ(at("Label1", a - 1)->isHidden(), a >= n) << a;
    }
    EXPECT_EQ(heading(),
              QStringLiteral("1999年04月05日|中山|1|R|") + Title.leftJustified(45) + "|");
}

TEST_F(OddsWindows, QuinellaShadesAndPicksUpToEight) {
    open(0, Uo(18, [](int a, int b) {
             return a == 3 && b == 7 ? QStringLiteral("  ﾄﾘｹｼ") : a == 1 ? "9.9" : "10.0";
         }));
    EXPECT_EQ(uma(3, 7)->text(), QStringLiteral("ﾄﾘｹｼ"));
    for (auto [a, b] : {Pair{2, 3}, {1, 2}, {3, 7}, {1, 3}, {1, 3}}) Click(uma(a, b));
    EXPECT_EQ(Background(uma(2, 3)), Colours::Red);
    EXPECT_EQ(Background(uma(1, 3)), Colours::LightCyan);  // deselected
    EXPECT_EQ(Background(uma(3, 7)), Colours::White);      // scratched: not selectable
    press("Cmd_OK");
    EXPECT_EQ(picks, (QStringList{"0:   9.9:1-2", "1:  10.0:2-3"}));

    picks.clear();
    open(0, Uo(18));
    for (int b = 2; b <= 10; ++b) Click(uma(1, b));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("選択は８通りまでです。")});
    Click(uma(1, 2));  // a deselection makes room again
    Click(uma(1, 11));
    press("Cmd_OK");
    EXPECT_EQ(picks.size(), 8);
    EXPECT_EQ(picks.back(), QStringLiteral("7:  31.1:1-11"));
}

TEST_F(OddsWindows, BracketAndWinPlaceShowTheirRecordAsStored) {
    auto odds = [](int t) { return t == 2 ? QString() : QStringLiteral("%1.5").arg(t + 9); };
    const QByteArray zo = ZoBytes("20261206", 0, {}, [&](RecordBuilder& zo) {
        for (int t = 0; t < BracketCellCount; ++t) zo.setRight(ZoLayout::BracketOdds(t), odds(t));
        zo.setRight(ZoLayout::WinOdds(9), "28.9").setRight(ZoLayout::PlaceOddsLow(9), "10.0");
        zo.setRight(ZoLayout::PlaceOddsHigh(9), "11.5");
    });
    open(1, zo);
    EXPECT_TRUE(heading().startsWith(QStringLiteral("2026年12月06日|中山|1|R|")));
    for (int t = 0; t < BracketCellCount; ++t)
        EXPECT_EQ(at("Lbl_Odds", t)->text(), odds(t).rightJustified(5)) << t;
    for (int t : {35, 0, 20, 15, 2}) Click(at("Lbl_Odds", t));  // 8-8, 1-1, 3-8, 3-3, a blank
    EXPECT_EQ(Background(at("Lbl_Odds", 0)), Colours::Red);
    press("Cmd_OK");
    EXPECT_EQ(picks, (QStringList{"0:  9.5:1-1", "1: 24.5:3-3", "2: 29.5:3-8", "3: 44.5:8-8"}));

    open(2, zo);  // 単・複: all 18 entries, blanks included
    EXPECT_EQ(at("Lbl_Odds_T", 9)->text() + at("Lbl_Odds_F1", 9)->text() + "-" +
                  at("Lbl_Odds_F2", 9)->text(),
              QStringLiteral(" 28.9 10.0- 11.5"));
    EXPECT_EQ(at("Lbl_Odds_T", 17)->text(), QStringLiteral("     "));
}

// Double-clicks are handled alike by the cells of every grid.
TEST_F(OddsWindows, DoubleClicksPickOnceAndOnlyOkWithPicksHandsThemBack) {
    open(0, Uo(18));
    press("Cmd_OK");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    open(0, Uo(18));
    QLabel *first = at("Lbl_Uma", 0), *second = at("Lbl_Uma", 1);  // the cell below
    // Through the window system, which makes the double-click of two presses.
    auto where = [&](QLabel* cell, QPoint p) { return cell->mapTo(window.get(), p); };
    for (const QColor& shade : {QColor(Colours::Red), Background(first)}) {
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           where(first, first->rect().center()));
        EXPECT_EQ(Background(first), shade);
    }
    // Two presses close enough to make a double-click, on the two cells.
    const QPoint a = where(first, QPoint(4, first->height() - 1)), b = where(second, {4, 0});
    ASSERT_LT((b - a).manhattanLength(), QGuiApplication::styleHints()->mouseDoubleClickDistance());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, a);
    QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;  // QTest's pause undone
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, b);
    EXPECT_EQ(Background(first), Colours::Red);
    EXPECT_EQ(Background(second), Colours::Red);
    // Picks made: Escape (枠連) and Cancel leave without handing them back.
    for (int kind : {0, 1, 2}) {
        if (kind) open(kind, ZoOf({}, "5.0"));
        if (kind == 1) Click(at("Lbl_Odds", 0));
        kind == 1 ? QTest::keyClick(window.get(), Qt::Key_Escape) : press("Cmd_Cancel");
        EXPECT_EQ(window->result(), QDialog::Rejected) << kind;
    }
    EXPECT_TRUE(picks.isEmpty());
}

TEST_F(OddsWindows, QuinellaFallLineAndMarksAtTheTwentyPercentEdge) {
    const QByteArray uo = UoOf({{"3-7", "12.0"}});
    openAfter(0, {}, uo);
    EXPECT_EQ(falls(), QStringList{""});  // nothing without an earlier download
    openAfter(0, UoOf({{"3-7", "13.0"}}), uo);
    EXPECT_EQ(falls(), QStringList{""});  // nor without a fall
    SetOddsHistoryPath(store.file("second.sqlite"));
    // 3-7 falls most, 1-2 exactly 20 % (marked), 5-6 by 19.8 % (not), 4-9 rises.
    openAfter(0, UoOf({{"3-7", "31.5"}, {"1-2", "31.5"}, {"5-6", "31.5"}, {"4-9", "10.0"}}),
              UoOf({{"3-7", "12.0"}, {"1-2", "25.2"}, {"5-6", "25.3"}, {"4-9", "20.0"}}));
    EXPECT_EQ(
        falls(),
        (QStringList{"急落 3-7 31.5→12.0 (−62%) 14:20→14:35　急落 1-2 31.5→25.2 (−20%) 14:20→14:35",
                     ElementName("Lbl_Uma", QuinellaCell(1, 2)) + ":前回 31.5（14:20）",
                     ElementName("Lbl_Uma", QuinellaCell(3, 7)) + ":前回 31.5（14:20）"}));
    Click(uma(3, 7));  // the marked cell is picked as before
    press("Cmd_OK");
    EXPECT_EQ(picks, QStringList{"0:  12.0:3-7"});
}

TEST_F(OddsWindows, BracketAndWinPlaceFallMarksOnTheirCells) {
    openAfter(1, ZoOf({}, "40.0"), ZoOf({}, "20.0"));
    EXPECT_EQ(falls(),
              (QStringList{"急落 1-2 40.0→20.0 (−50%) 14:20→14:35",
                           ElementName("Lbl_Odds", BracketCell(1, 2)) + ":前回 40.0（14:20）"}));
    // 単勝 of 7 falls; 複勝 of 3 falls by its lower bound, exactly 20 %: marked, not in the line.
    SetOddsHistoryPath(store.file("second.sqlite"));
    openAfter(2, ZoOf({{"7", "15.2"}}, "20.0", "2.5"), ZoOf({{"7", "6.1"}}, "20.0"));
    EXPECT_EQ(falls(), (QStringList{"急落 7 15.2→6.1 (−60%) 14:20→14:35",
                                    "Lbl_Odds_F1(2):前回 2.5-3.0（14:20）",
                                    "Lbl_Odds_T(6):前回 15.2（14:20）"}));
}
