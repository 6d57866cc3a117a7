#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTest>
#include <functional>

#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "backtest/Backtest.h"
#include "common/Odds.h"
#include "common/SaveFile.h"
#include "market/Frm_Market.h"
#include "market/MarketTable.h"
#include "racedata/AppState.h"
#include "racedata/Market.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceFiles.h"
#include "racedata/RaceOdds.h"
#include "settings/BacktestFolders.h"
#include "support/Fixtures.h"
#include "trend/Frm_Trend.h"
#include "trend/TrendFiles.h"
#include "trend/TrendModel.h"

namespace {

// A race's odds as field values, written into uo- and zo- records (place odds
// 2.0-3.0).
struct MarketRace {
    int runners = 0;
    std::vector<QString> win;                        // horse 1..runners
    std::function<QString(int a, int b)> pair;       // quinella odds, a < b
    std::map<std::pair<int, int>, QString> bracket;  // bracket-quinella odds by pair
    QString date = u"20261206"_qs;

    QByteArray uo() const {
        std::map<QString, QString> odds;
        for (int a = 1; a <= runners; ++a)
            for (int b = a + 1; b <= runners; ++b)
                odds[QStringLiteral("%1-%2").arg(a).arg(b)] = pair(a, b);
        return UoBytes(date, runners, odds);
    }
    QByteArray zo() const {
        std::map<QString, QString> odds;
        for (int h = 1; h <= runners; ++h) odds[QString::number(h)] = win[h - 1];
        return ZoBytes(date, runners, odds, [this](RecordBuilder& b) {
            for (const auto& [p, o] : bracket)
                b.setRight(ZoLayout::BracketOdds(ZoRecord::EntryOfBracketPair(p.first, p.second)),
                           o);
        });
    }
};

// Nine starters, horses 1 to 7 alone in brackets 1 to 7 and 8, 9 in bracket 8:
// win odds 2.0 3.5 5.0 8.0 10.0 20.0 25.0 40.0 50.0; every pair with horse 1 at
// 10.0, every other pair at 40.0; 枠連 1-2 12.0, 1-8 4.8, 8-8 40.0, 1-1 5.0 (no
// two starters make it), 1-3 … 1-7 9.0, x-8 19.0, the others 35.0.
MarketRace NineStarters() {
    MarketRace race{9,
                    {u"2.0"_qs, u"3.5"_qs, u"5.0"_qs, u"8.0"_qs, u"10.0"_qs, u"20.0"_qs, u"25.0"_qs,
                     u"40.0"_qs, u"50.0"_qs},
                    [](int a, int) { return a == 1 ? u"10.0"_qs : u"40.0"_qs; },
                    {}};
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            race.bracket[{a, b}] = b == 8 ? u"19.0"_qs : a == 1 ? u"9.0"_qs : u"35.0"_qs;
    race.bracket[{1, 2}] = u"12.0"_qs;
    race.bracket[{1, 8}] = u"4.8"_qs;
    race.bracket[{8, 8}] = u"40.0"_qs;
    race.bracket[{1, 1}] = u"5.0"_qs;
    return race;
}

// Five starters, all at 5.0 to win; horse 1's pairs at 9.0, the others at 11.5:
// horse 1 has 3.0 points more of the quinella money than of the win money.
MarketRace FiveAtFive() {
    MarketRace race{5, std::vector<QString>(5, u"5.0"_qs), {}, {}};
    race.pair = [](int a, int) { return a == 1 ? u"9.0"_qs : u"11.5"_qs; };
    return race;
}

MarketAnalysis Analysed(const MarketRace& race) {
    UoRecord uo;
    ZoRecord zo;
    uo.assign(race.uo());
    zo.assign(race.zo());
    return AnalyseMarket(RaceOddsOf(&uo, &zo));
}

QStringList Texts(const TableRow& row) {
    QStringList texts;
    for (const TableCell& cell : row) texts << cell.text;
    return texts;
}

// The texts of the brackets table's row of the pair, empty when it has none.
QStringList BracketRow(const TextTable& table, const QString& pair) {
    for (const TableRow& row : table.rows)
        if (row[0].text == pair) return Texts(row);
    return {};
}

// The analysis counts exactly the odds texts the distribution spreads over
// (1e50 and 1e-50 have no reciprocal in single precision).
TEST(MarketAnalysis, UsableOddsAreTheDistributions) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"2.5", true}, {u" 1,234.5 ", true}, {u"1e-30", true}, {u"0", false}, {u"-3.0", false},
        {u"ﾄﾘｹｼ", false}, {u"", false}, {u"1e50", false}, {u"1e-50", false}};
    for (const auto& [text, usable] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(UsableOdds(QString::fromUtf16(text)).has_value(), usable);
        EXPECT_EQ(OddsReciprocal(QString::fromUtf16(text)).has_value(), usable);
    }
}

// Horse 1: 1/2.0 of a win pool of 1.3457… is 37.2 %; its eight pairs at 10.0
// are 0.8 of the pairs' 1.5, counted from both horses' side: 0.8 / 3.0 = 26.7 %;
// 総流し 1 / 0.8 = 1.25 below 2.0: nothing marked, as a win and a first-or-second
// are different outcomes. Horse 2: 1/10 + 7/40 = 0.275, 総流し 3.63 is at least
// 3.5 and pays even for second place. 枠連 8-8 covers only 8-9, at the same
// 40.0: the comparison is exact and the 枠連 pays at least as much. 1-1 is in
// the file but no two starters make it.
TEST(MarketAnalysis, NineStarters) {
    const MarketAnalysis analysis = Analysed(NineStarters());
    const std::map<int, QStringList> expected = {
        // horses 3 to 8 as horse 5
        {0, {"1", "1", "2.0", "37.2", "2.0-3.0", "26.7", "-10.5", "1.25", ""}},
        {1, {"2", "2", "3.5", "21.2", "2.0-3.0", "9.2", "-12.1", "3.63", "総流し"}},
        {4, {"5", "5", "10.0", "7.4", "2.0-3.0", "9.2", "+1.7", "3.63", ""}},
        {8, {"9", "8", "50.0", "1.5", "2.0-3.0", "9.2", "+7.7", "3.63", ""}},
    };
    const TextTable horses = HorsesTable(analysis);
    ASSERT_EQ(horses.rows.size(), 9u);
    for (const auto& [i, row] : expected) EXPECT_EQ(Texts(horses.rows[i]), row);
    EXPECT_EQ(PayoutLine(analysis.payout), u"単勝 74.3%　枠連 61.9%　馬連 66.7%"_qs);

    const TextTable brackets = BracketsTable(analysis);
    EXPECT_EQ(brackets.rows.size(), 29u);  // 28 pairs of brackets 1..8 and 8-8
    EXPECT_EQ(BracketRow(brackets, u"1-2"_qs),
              (QStringList{"1-2", "12.0", "1-2", "10.00", "枠連"}));
    EXPECT_EQ(BracketRow(brackets, u"1-8"_qs),
              (QStringList{"1-8", "4.8", "1-8, 1-9", "5.00", "馬連"}));
    EXPECT_EQ(BracketRow(brackets, u"8-8"_qs),
              (QStringList{"8-8", "40.0", "8-9", "40.00", "枠連"}));
    EXPECT_TRUE(BracketRow(brackets, u"1-1"_qs).isEmpty());
    ASSERT_EQ(analysis.dominated.size(), 1u);
    EXPECT_EQ(DominatedText(analysis.dominated[0]), u"1-2 10.0 < 枠連 1-2 12.0"_qs);
}

// The record's 999.9 (単勝, 複勝, 枠連) and 9999.9 (馬連) are "at least": shown so,
// and a comparison is made only where the unknown true odds cannot turn it.
TEST(MarketAnalysis, CappedOddsAreAtLeastAndDecideOnlyWhatTheyProve) {
    struct Case {
        const char16_t *bracket, *pair;  // 枠連 8-8 and the one pair it covers, 8-9
        QStringList row;
    };
    const Case cases[] = {
        {u"999.9", u"4774.3", {"8-8", "999.9以上", "8-9", "4774.30", ""}},
        {u"999.9", u"9999.9", {"8-8", "999.9以上", "8-9", "9999.90以上", ""}},
        {u"40.0", u"9999.9", {"8-8", "40.0", "8-9", "9999.90以上", "馬連"}},
        {u"999.9", u"40.0", {"8-8", "999.9以上", "8-9", "40.00", "枠連"}},
        {u"40.0", u"4774.3", {"8-8", "40.0", "8-9", "4774.30", "馬連"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.join(u' ').toStdString());
        MarketRace race = NineStarters();
        race.bracket[{8, 8}] = QString::fromUtf16(c.bracket);
        const QString pair = QString::fromUtf16(c.pair);
        race.pair = [pair](int a, int b) {
            return a == 8 && b == 9 ? pair : a == 1 ? u"10.0"_qs : u"40.0"_qs;
        };
        EXPECT_EQ(BracketRow(BracketsTable(Analysed(race)), u"8-8"_qs), c.row);
    }
    // A capped win is shown as such and never called the better bet; a capped
    // 枠連 still proves the 馬連 below it pays less.
    MarketRace race = NineStarters();
    race.win[0] = u"999.9"_qs;
    race.bracket[{1, 2}] = u"999.9"_qs;
    const MarketAnalysis analysis = Analysed(race);
    const QStringList one = Texts(HorsesTable(analysis).rows[0]);
    EXPECT_EQ(one.value(2), u"999.9以上"_qs);
    EXPECT_EQ(one.value(8), QString());
    ASSERT_EQ(analysis.dominated.size(), 1u);
    EXPECT_EQ(DominatedText(analysis.dominated[0]), u"1-2 10.0 < 枠連 1-2 999.9以上"_qs);
}

// Horse 9 scratched by its win odds or by its pairs: no figures, out of every
// sum; bracket 8 still counts for horse 8, but 8-8 has no pair left.
TEST(MarketAnalysis, ScratchedHorseLeftOutOfEverySum) {
    for (const bool byWinOdds : {true, false}) {
        SCOPED_TRACE(byWinOdds ? "win odds 取消" : "pairs ﾄﾘｹｼ");
        MarketRace race = NineStarters();
        if (byWinOdds) race.win[8] = u"取消"_qs;
        race.pair = [](int a, int b) {
            return b == 9 ? u"ﾄﾘｹｼ"_qs : a == 1 ? u"10.0"_qs : u"40.0"_qs;
        };
        const MarketAnalysis analysis = Analysed(race);
        const HorseRow& nine = analysis.horses[8];
        EXPECT_EQ(nine.win, byWinOdds ? u"取消"_qs : u"50.0"_qs);
        EXPECT_TRUE(nine.scratched && !nine.winShare && !nine.quinellaShare && !nine.composite &&
                    nine.advantage.isEmpty());
        // 1 / (1.3457… - 1/50) and 1 / (1.5 - 1/10 - 7/40)
        EXPECT_EQ(PayoutLine(analysis.payout), u"単勝 75.4%　枠連 62.8%　馬連 81.6%"_qs);
        double win = 0, quinella = 0;  // the shares of the others make up the whole
        for (const HorseRow& h : analysis.horses)
            win += h.winShare.value_or(0), quinella += h.quinellaShare.value_or(0);
        EXPECT_NEAR(win, 100, 1e-9);
        EXPECT_NEAR(quinella, 100, 1e-9);
        const TextTable brackets = BracketsTable(analysis);
        EXPECT_TRUE(BracketRow(brackets, u"8-8"_qs).isEmpty());
        EXPECT_EQ(BracketRow(brackets, u"1-8"_qs).mid(2, 2), (QStringList{"1-8", "10.00"}));
    }
}

// 16 starters: two horses in each bracket, 3-5 covers four pairs.
TEST(MarketAnalysis, SixteenStartersBracketCoversFourPairs) {
    MarketRace race{16, {}, {}, {{{3, 5}, u"4.5"_qs}, {{3, 3}, u"90.0"_qs}}};
    race.pair = [](int a, int b) {
        if (a == 5 && b == 9) return u"10.0"_qs;
        if ((a == 5 && b == 10) || (a == 6 && b == 9)) return u"20.0"_qs;
        return a == 6 && b == 10 ? u"40.0"_qs : u"100.0"_qs;
    };
    for (int h = 1; h <= 16; ++h) race.win.push_back(QString::number(h * 2.5, 'f', 1));
    const MarketAnalysis analysis = Analysed(race);
    const TextTable table = BracketsTable(analysis);
    ASSERT_EQ(table.rows.size(), 2u);
    // 1 / (1/10 + 1/20 + 1/20 + 1/40) = 4.444…
    EXPECT_EQ(Texts(table.rows[1]),
              (QStringList{"3-5", "4.5", "5-9, 5-10, 6-9, 6-10", "4.44", "枠連"}));
    EXPECT_EQ(Texts(table.rows[0]), (QStringList{"3-3", "90.0", "5-6", "100.00", "馬連"}));
}

// A difference is marked from 3.0 points as shown, either way.
TEST(MarketAnalysis, DifferenceOfThreePointsIsMarkedAndPayoutLineNamesIncompleteMarkets) {
    const std::tuple<double, const char*, bool> cases[] = {
        {2.95, "+3.0", true}, {2.949, "+2.9", false}, {-3.0, "-3.0", false},
        {0.04, "0.0", false}, {-0.05, "-0.1", false}, {12.25, "+12.3", true}};
    for (const auto& [value, text, marked] : cases) {
        EXPECT_EQ(DifferenceText(value), QString::fromLatin1(text)) << value;
        EXPECT_EQ(DifferenceMarked(value), marked) << value;
    }
    EXPECT_EQ(PayoutLine({0.5999, 1.0, 1.0004}), u"単勝 60.0%　枠連 100.0%　馬連 100.0%"_qs);
    EXPECT_EQ(
        PayoutLine({0.5949, std::nullopt, 1.0006}),
        u"単勝 59.5%　枠連 －　馬連 100.1%　（単勝・馬連は不完全なようです：オッズの欠けか、別の時刻のファイル）"_qs);
}

// The main window on a data directory with the nine-starter race as 中山 1R.
class MarketWindow : public ::testing::Test {
protected:
    void SetUp() override {
        state.DataDir = data.path();
        SetBacktestSettingsPath(config.file(u"backtest.ini"_qs));  // no calibration yet
        writeRace(1, NineStarters());
        main = std::make_unique<Frm_Main>(state);
        ShowAndWait(main.get());
    }
    void TearDown() override {
        delete main->marketWindow();
        SetSaveFileDialog({});
        SetBacktestSettingsPath({});
    }

    // Under the stem "uo-6" + part: a later meeting day has a later part.
    void writeRace(int raceNo, const MarketRace& race, char part = '0') {
        const QString tail = QLatin1Char(part) + RaceChar(raceNo) + u".jra"_qs;
        ASSERT_TRUE(data.write(u"uo-6"_qs + tail, race.uo()));
        ASSERT_TRUE(data.write(u"zo-6"_qs + tail, race.zo()));
    }
    void activateMain() {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == main.get(); }));
    }
    Frm_Market* open() {
        activateMain();
        main->findChild<QAction*>(u"Market"_qs)->trigger();
        Frm_Market* market = main->marketWindow();
        EXPECT_TRUE(market && QTest::qWaitFor([&] { return market->isActiveWindow(); }));
        return market;
    }
    static QString cell(const QTableView* grid, int row, int column) {
        return grid->model()->index(row, column).data().toString();
    }

    MessageRecorder messages;
    TempDir data, config;
    AppState state;
    std::unique_ptr<Frm_Main> main;
};

TEST_F(MarketWindow, OpensFromTheToolMenuOnceWithBothTablesChartAndPayoutAndSavesCsv) {
    QAction* item = main->findChild<QAction*>(u"Market"_qs);
    ASSERT_TRUE(item && item->text() == u"オッズ分析"_qs &&
                Find<QMenu>(main.get(), "Tool")->actions().contains(item));
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    EXPECT_EQ(market->windowTitle(), u"オッズ分析"_qs);
    auto* horses = Find<QTableView>(market, u"Grd_Horses"_qs);
    EXPECT_EQ(cell(horses, 1, 8), u"総流し"_qs);
    EXPECT_EQ(Find<QListWidget>(market, u"Lst_Dominated"_qs)->item(0)->text(),
              u"1-2 10.0 < 枠連 1-2 12.0"_qs);
    // The chart module was found and drew the chart (no stand-in label).
    QWidget* chart = Find<QWidget>(market, u"Cht_Market"_qs);
    EXPECT_TRUE(chart && chart->inherits("QChartView") &&
                !chart->property("zemChartMissing").toBool());

    // Both tables in one CSV file, a blank line between them.
    SetSaveFileDialog(
        [&](QWidget*, const QString&, const QString&) { return data.file(u"market.csv"_qs); });
    Click(Find<QPushButton>(market, u"Cmd_Save"_qs));
    const QByteArray csv = data.read(u"market.csv"_qs);
    EXPECT_TRUE(csv.startsWith(
        "\xEF\xBB\xBF馬番,枠,単勝,支持率,複勝,馬連支持率,差,総流し,有利,補正勝率,期待値\r\n"));
    EXPECT_TRUE(csv.contains(",1.5,0.74\r\n\r\n枠連,オッズ,馬連,合成オッズ,有利\r\n"));
    EXPECT_TRUE(csv.contains("\r\n枠連 1-8,4.8,\"1-8, 1-9\",5.00,馬連\r\n"));
    EXPECT_EQ(csv.count("\r\n"), 1 + 9 + 1 + 1 + 29);

    // Tab leaves each table (arrows move inside it).
    for (QTableView* grid : {horses, Find<QTableView>(market, u"Grd_Brackets"_qs)}) {
        SCOPED_TRACE(grid->objectName().toStdString());
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_NE(TabWalk(grid, 1).value(0), grid->objectName());
    }

    Find<QAction>(main.get(), "Market")->trigger();  // the open window again
    EXPECT_EQ(main->marketWindow(), market);
    EXPECT_EQ(HelpSection(market), u"market"_qs);
    QPointer<Frm_Market> watched = market;
    QTest::keyClick(horses, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }));
}

// The nine starters' calibrated chances and the bets worth more than their
// odds, at β = 1 before any calibration and at the stored one after (worked
// out apart from the program): π1 = 0.5 / 1.345714 = 37.2 %, each 単勝 worth
// 1 / 1.345714 = 0.74; at β = 1.2 horse 1 has 42.8 % and 0.86.
TEST_F(MarketWindow, ShowsCalibratedChancesAndTheBetsWorthTheirOdds) {
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    auto* horses = Find<QTableView>(market, u"Grd_Horses"_qs);
    auto* list = Find<QListWidget>(market, u"Lst_Value"_qs);
    auto* basis = Find<QLabel>(market, u"Lbl_Beta"_qs);
    EXPECT_EQ(cell(horses, 0, 9), u"37.2"_qs);
    EXPECT_EQ(cell(horses, 8, 10), u"0.74"_qs);
    EXPECT_EQ(basis->text(),
              u"補正勝率：β = 1（回収率分析で補正指数を求めると使います）　組の確率：γ = 0.81"_qs);
    ASSERT_EQ(list->count(), 13);
    EXPECT_EQ(list->item(0)->text(), u"馬連 2-3 40.0 期待値 3.02（確率 7.5%）"_qs);
    EXPECT_EQ(list->item(1)->text(), u"枠連 2-3 35.0 期待値 2.64（確率 7.5%）"_qs);
    EXPECT_EQ(list->item(12)->text(), u"馬連 3-5 40.0 期待値 1.09（確率 2.7%）"_qs);

    // 回収率分析 has fitted β on 500 races since: the menu reads the race again.
    ASSERT_EQ(StoreCalibration({.beta = 1.2, .standardError = 0.01, .races = 500, .fitted = true}),
              QString());
    activateMain();
    Find<QAction>(main.get(), "Market")->trigger();
    ASSERT_EQ(main->marketWindow(), market);
    EXPECT_EQ(basis->text(),
              u"補正勝率：補正指数 β = 1.200 ± 0.010（500 レース）　組の確率：γ = 0.81"_qs);
    EXPECT_EQ(cell(horses, 0, 9), u"42.8"_qs);
    EXPECT_EQ(cell(horses, 0, 10), u"0.86"_qs);
    ASSERT_EQ(list->count(), 12);
    EXPECT_EQ(list->item(1)->text(), u"枠連 1-2 12.0 期待値 2.91（確率 24.2%）"_qs);
}

// Without its zo- file the race shows its quinella figures and names the file.
// Switching to the window after the main window's race changed shows that race.
TEST_F(MarketWindow, NamesAMissingZoFileAndFollowsTheSelectionOnActivation) {
    QFile::remove(data.file(u"zo-601.jra"_qs));
    writeRace(2, FiveAtFive());
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    auto* grid = Find<QTableView>(market, "Grd_Horses");
    auto* missing = Find<QLabel>(market, "Lbl_Missing");
    ASSERT_EQ(grid->model()->rowCount(), 9);
    EXPECT_TRUE(!missing->isHidden() && missing->text().contains(u"zo-") &&
                !missing->text().contains(u"uo-") &&
                missing->text().contains(
                    u"オッズが取得されていないか、ディレクトリの指定が間違っています。"))
        << missing->text().toStdString();
    EXPECT_EQ(cell(grid, 0, 5), u"26.7"_qs);
    EXPECT_EQ(Find<QTableView>(market, "Grd_Brackets")->model()->rowCount(), 0);
    EXPECT_EQ(Find<QLabel>(market, "Lbl_Payout")->text(), u"単勝 －　枠連 －　馬連 66.7%"_qs);
    EXPECT_TRUE(messages.shown.empty());

    activateMain();
    auto* races = Find<QComboBox>(main.get(), "Cmb_Race");
    {
        const QSignalBlocker quiet(races);  // a change the window is not told of
        races->setCurrentIndex(1);
    }
    market->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return market->isActiveWindow(); }));
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_TRUE(missing->isHidden());
    EXPECT_EQ(cell(grid, 0, 6), u"+3.0"_qs);
    EXPECT_EQ(grid->model()->index(0, 6).data(Qt::ForegroundRole).value<QColor>(),
              QColor(255, 0, 0));
}

// 中山 3R has last week's files (stem uo-600) beside today's (uo-610). Both
// market windows follow the main window's race and day at once, without a
// click; a new download of today's files is read again, a rewrite of last
// week's is not.
TEST_F(MarketWindow, MarketWindowsFollowTheRaceAndDayAndTodaysDownloads) {
    TempDir store;
    SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
    Frm_Trend::ForgetChosenRows();
    MarketRace lastWeek = NineStarters(), today = FiveAtFive();
    lastWeek.date = u"20261129"_qs;
    writeRace(3, lastWeek, '0');
    writeRace(3, today, '1');
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    Find<QAction>(main.get(), "Trend")->trigger();
    Frm_Trend* trend = main->trendWindow();
    ASSERT_TRUE(trend);
    int loaded = 0;
    QObject::connect(market, &Frm_Market::Loaded, [&] { ++loaded; });

    auto* grid = Find<QTableView>(market, "Grd_Horses");
    const Race today3{QDate(2026, 12, 6), 6, 3}, lastWeek3{QDate(2026, 11, 29), 6, 3};
    Find<QComboBox>(main.get(), "Cmb_Race")->setCurrentIndex(2);  // 3R: today's files
    EXPECT_TRUE(market->race() == today3 && trend->race() == today3);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(trend->model()->table().rows(), 10);  // today's five horses' pairs
    Find<QComboBox>(main.get(), "Cmb_Place")->setCurrentText(u"東京"_qs);  // no file of 東京 3R
    EXPECT_EQ(market->race()->course, 5);
    EXPECT_EQ(trend->race(), (Race{QDate(), 5, 3}));
    Find<QComboBox>(main.get(), "Cmb_Place")->setCurrentText(u"中山"_qs);

    main->chooseDay(QDate(2026, 11, 29));
    EXPECT_TRUE(market->race() == lastWeek3 && trend->race() == lastWeek3);
    EXPECT_EQ(grid->model()->rowCount(), 9);
    EXPECT_EQ(trend->model()->table().rows(), 36);
    main->chooseDay({});
    EXPECT_EQ(grid->model()->rowCount(), 5);
    EXPECT_EQ(trend->race(), today3);

    // A rewrite of last week's file is another day's download; today's is read again.
    int filled = 0;
    QObject::connect(trend, &Frm_Trend::Filled, [&] { ++filled; });
    const int before = loaded;
    lastWeek.win[0] = u"1.5"_qs;
    writeRace(3, lastWeek, '0');
    OddsWatcher::instance().record(data.file(u"zo-603.jra"_qs));
    EXPECT_EQ(std::pair(loaded, filled), std::pair(before, 0));
    today.win[0] = u"2.5"_qs;
    writeRace(3, today, '1');
    OddsWatcher::instance().record(data.file(u"zo-613.jra"_qs));
    EXPECT_EQ(std::pair(loaded, filled), std::pair(before + 1, 1));
    EXPECT_EQ(cell(grid, 0, 2) + u' ' + cell(grid, 0, 3), u"2.5 33.3"_qs);  // 0.4 / 1.2
    today.pair = [](int, int) { return u"7.0"_qs; };
    writeRace(3, today, '1');
    OddsWatcher::instance().record(data.file(u"uo-613.jra"_qs));
    EXPECT_EQ(filled, 2);
    EXPECT_EQ(trend->model()->table().headings.size(), 2);  // two downloads of today's

    delete trend;
    OddsWatcher::instance().watch({});
    SetOddsHistoryPath({});
}

}  // namespace
