#include <gtest/gtest.h>

#include <QDir>
#include <QTextStream>
#include <map>
#include <numeric>

#include "backtest/AnalyseCommand.h"
#include "backtest/Backtest.h"
#include "market/MarketTable.h"
#include "racedata/OddsHistory.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleSeason.h"
#include "trend/TrendFiles.h"

// Readable failures.
void PrintTo(const QString& text, std::ostream* os) {
    *os << text.toStdString();
}

namespace {

const QString Day = QStringLiteral("20261206");

// A race of course 5 written into a folder: its 単勝 odds by horse ("取消" for
// a scratched horse), the result and, when given, the 馬連 odds.
struct HandRace {
    int race = 1;
    std::vector<QString> win;
    std::array<int, 3> finish{};
    QString winPayout;
    std::array<QString, 3> placePayout{};
    std::map<QString, QString> quinella{};  // "a-b" -> odds; no "uo-" file when empty
    QString quinellaCombo{}, quinellaPayout{};
    QString resultDate = Day;
    int resultBytes = KsLayout::Length;  // fewer: a result file cut short

    void write(const QString& folder, int course = 5, const QString& oddsDate = Day) const {
        const int n = static_cast<int>(win.size());
        std::map<QString, QString> odds;
        for (int h = 1; h <= n; ++h) odds[QString::number(h)] = win[h - 1];
        const QString tail =
            QString::number(course) + QLatin1Char('8') + RaceChar(race) + u".jra"_qs;
        QDir dir(folder);
        WriteAt(dir.filePath(u"zo-"_qs + tail), ZoBytes(oddsDate, n, odds), {});
        if (!quinella.empty())
            WriteAt(dir.filePath(u"uo-"_qs + tail), UoBytes(oddsDate, n, quinella), {});
        RecordBuilder ks = KsBuilder();
        ks.set(KsLayout::RaceDate, resultDate)
            .setRight(KsLayout::WinPayout, winPayout)
            .setRight(KsLayout::PlacePayout1, placePayout[0])
            .setRight(KsLayout::PlacePayout2, placePayout[1])
            .setRight(KsLayout::PlacePayout3, placePayout[2])
            .set(KsLayout::QuinellaCombo, quinellaCombo)
            .setRight(KsLayout::QuinellaPayout, quinellaPayout);
        for (int i = 0; i < 3; ++i) {
            if (finish[i]) ks.setRight(KsLayout::FinisherHorseNo(i), QString::number(finish[i]));
        }
        WriteAt(dir.filePath(u"ks-"_qs + QString::number(course) + u"508"_qs + RaceChar(race) +
                             u".jra"_qs),
                ks.bytes().left(resultBytes), {});
    }
};

HandRace TwoHorses(int race, int winner) {
    return {.race = race,
            .win = {u"1.5"_qs, u"3.0"_qs},
            .finish = {winner, 3 - winner},
            .winPayout = winner == 1 ? u"150"_qs : u"300"_qs};
}

// Ten races: eight to analyse (one of them in a subfolder, a week later), one
// with the result of another day and one whose result is cut short.
//   1R: 9.9 10.0 99.9 100.0, horse 2 first, 1 second; 単勝 1,000, 複勝 300 and
//       150; 馬連 1-2 9.9, 1-3 10.0, 1-4 99.9, 2-3 100.0, 2-4 9999.9, 3-4 1000.0,
//       1-2 paying 990.
//   2R: 1.9 2.0 2.0 999.9 取消, horse 3 first, 1 second; 単勝 200, no 複勝;
//       馬連 20.0 (pairs with horse 5 ﾄﾘｹｼ), 1-3 paying 2,000.
//   3R-6R: 1.5 3.0, horse 1 first (150); 7R and the subfolder's: horse 2 (300).
//   8R: a result dated the day before; 9R: a result file of 300 bytes.
void WriteTenRaces(const TempDir& folder) {
    HandRace r1{.race = 1,
                .win = {u"9.9"_qs, u"10.0"_qs, u"99.9"_qs, u"100.0"_qs},
                .finish = {2, 1, 0},
                .winPayout = u"1,000"_qs,
                .placePayout = {u"300"_qs, u"150"_qs, {}},
                .quinella = {{u"1-2"_qs, u"9.9"_qs},
                             {u"1-3"_qs, u"10.0"_qs},
                             {u"1-4"_qs, u"99.9"_qs},
                             {u"2-3"_qs, u"100.0"_qs},
                             {u"2-4"_qs, u"9999.9"_qs},
                             {u"3-4"_qs, u"1000.0"_qs}},
                .quinellaCombo = u" 1- 2"_qs,
                .quinellaPayout = u"990"_qs};
    HandRace r2{.race = 2,
                .win = {u"1.9"_qs, u"2.0"_qs, u"2.0"_qs, u"999.9"_qs, u"取消"_qs},
                .finish = {3, 1, 2},
                .winPayout = u"200"_qs,
                .quinellaCombo = u" 1- 3"_qs,
                .quinellaPayout = u"2,000"_qs};
    for (int a = 1; a <= 5; ++a) {
        for (int b = a + 1; b <= 5; ++b)
            r2.quinella[QStringLiteral("%1-%2").arg(a).arg(b)] = b == 5 ? u"ﾄﾘｹｼ"_qs : u"20.0"_qs;
    }
    r1.write(folder.path());
    r2.write(folder.path());
    for (int race = 3; race <= 6; ++race) TwoHorses(race, 1).write(folder.path());
    TwoHorses(7, 2).write(folder.path());
    HandRace otherDay = TwoHorses(8, 1);
    otherDay.resultDate = u"20261205"_qs;
    otherDay.write(folder.path());
    HandRace cutShort = TwoHorses(9, 1);
    cutShort.resultBytes = 300;
    cutShort.write(folder.path());
    QDir(folder.path()).mkpath(u"week2"_qs);
    HandRace nextWeek = TwoHorses(1, 2);
    nextWeek.resultDate = u"20261213"_qs;
    nextWeek.write(folder.file(u"week2"_qs), 6, nextWeek.resultDate);
}

std::vector<QStringList> texts(const TextTable& table) {
    std::vector<QStringList> rows;
    for (const TableRow& row : table.rows) {
        QStringList cells;
        for (const TableCell& cell : row) cells << cell.text;
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace

TEST(Backtest, TablesOfTenHandMadeRaces) {
    TempDir folder;
    WriteTenRaces(folder);
    const BacktestAnalysis a = Analyse(ReadRaces({.folders = {folder.path()}}));
    // Band edges 9.9 | 10.0 and 99.9 | 100.0; the scratched horse out, 999.9
    // at face value; 複勝 counted over the starters of 1R alone. The market's
    // 1.0–1.9: (6 × 2/3 + 0.5263/1.5273) / 7; 100.0以上: (0.01/0.2210 + 0.0010/1.5273) / 2.
    const std::vector<QStringList> bands{
        {u"1.0–1.9"_qs, u"7"_qs, u"4"_qs, u"57.1%"_qs, u"62.1%"_qs, u"85.7%"_qs, u"-"_qs},
        {u"2.0–2.9"_qs, u"2"_qs, u"1"_qs, u"50.0%"_qs, u"32.7%"_qs, u"100.0%"_qs, u"-"_qs},
        {u"3.0–4.9"_qs, u"6"_qs, u"2"_qs, u"33.3%"_qs, u"33.3%"_qs, u"100.0%"_qs, u"-"_qs},
        {u"5.0–9.9"_qs, u"1"_qs, u"0"_qs, u"0.0%"_qs, u"45.7%"_qs, u"0.0%"_qs, u"150.0%"_qs},
        {u"10.0–19.9"_qs, u"1"_qs, u"1"_qs, u"100.0%"_qs, u"45.2%"_qs, u"1000.0%"_qs, u"300.0%"_qs},
        {u"20.0–49.9"_qs, u"0"_qs, u"0"_qs, u"-"_qs, u"-"_qs, u"-"_qs, u"-"_qs},
        {u"50.0–99.9"_qs, u"1"_qs, u"0"_qs, u"0.0%"_qs, u"4.5%"_qs, u"0.0%"_qs, u"0.0%"_qs},
        {u"100.0以上"_qs, u"2"_qs, u"0"_qs, u"0.0%"_qs, u"2.3%"_qs, u"0.0%"_qs, u"0.0%"_qs},
    };
    EXPECT_EQ(texts(BandTable(a)), bands);

    // 2.0 and 2.0 share 2番人気; 999.9 is 4番人気 behind them, so 3番人気 is 1R's alone.
    std::vector<QStringList> ranks;
    for (const QStringList& row : texts(PopularityTable(a)))
        ranks.push_back(row.mid(0, 3) << row[5]);
    const std::vector<QStringList> expectedRanks{
        {u"1番人気"_qs, u"8"_qs, u"4"_qs, u"75.0%"_qs},
        {u"2番人気"_qs, u"9"_qs, u"4"_qs, u"200.0%"_qs},
        {u"3番人気"_qs, u"1"_qs, u"0"_qs, u"0.0%"_qs},
        {u"4番人気"_qs, u"2"_qs, u"0"_qs, u"0.0%"_qs},
    };
    EXPECT_EQ(ranks, expectedRanks);

    // Pairs with the scratched horse out; 9.9 | 10.0, 99.9 | 100.0 and the cap 9999.9.
    const std::vector<QStringList> quinella{
        {u"1.0–9.9"_qs, u"1"_qs, u"1"_qs, u"990.0%"_qs},
        {u"10–29.9"_qs, u"7"_qs, u"1"_qs, u"285.7%"_qs},
        {u"30–99.9"_qs, u"1"_qs, u"0"_qs, u"0.0%"_qs},
        {u"100–299.9"_qs, u"1"_qs, u"0"_qs, u"0.0%"_qs},
        {u"300–999.9"_qs, u"0"_qs, u"0"_qs, u"-"_qs},
        {u"1000以上"_qs, u"2"_qs, u"0"_qs, u"0.0%"_qs},
    };
    EXPECT_EQ(texts(QuinellaTable(a)), quinella);

    // Under 300 races the index is shown, not used: the reliability table is at β = 1.
    EXPECT_EQ(UsedBeta(a.fit), 1.0);
    EXPECT_TRUE(ScoreLine(a.fit).contains(u"300 レース未満"_qs));
    EXPECT_EQ(WithoutResultLine(a.withoutResult), u"結果のないレース 2"_qs);

    // A download in the history later than the folder's stands for the final odds.
    TempDir store;
    SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
    {
        OddsHistory history;
        ASSERT_TRUE(history.open());
        // 2R's last download: horse 4 at 50.0 instead of 999.9.
        const QByteArray zo = ZoBytes(Day, 5,
                                      {{u"1"_qs, u"1.9"_qs},
                                       {u"2"_qs, u"2.0"_qs},
                                       {u"3"_qs, u"2.0"_qs},
                                       {u"4"_qs, u"50.0"_qs},
                                       {u"5"_qs, u"取消"_qs}});
        const QDateTime later = QDateTime::currentDateTime().addSecs(3600);
        ASSERT_TRUE(history.record(u"zo-582.jra"_qs, zo, later).stored);
    }
    const RaceReading withHistory = ReadRaces({.folders = {folder.path()}, .history = true});
    SetOddsHistoryPath({});
    EXPECT_EQ(withHistory.fromHistory, 1);
    const BacktestAnalysis with = Analyse(withHistory);
    EXPECT_EQ(with.bands[6].starters, 2);  // 50.0–99.9
    EXPECT_EQ(with.bands[7].starters, 1);  // 100.0以上
}

// A season whose winners are drawn from p ∝ π^β: the fit finds β within two
// standard errors, its log score is at least the market's, and the
// reliability table accounts for every starter and one winner a race.
TEST(Backtest, FitRecoversTheSeasonsIndex) {
    for (const double beta : {1.0, 1.25}) {
        TempDir folder;
        ASSERT_TRUE(WriteSampleSeason(folder.path(), 25, beta, 7));
        const RaceReading reading = ReadRaces({.folders = {folder.path()}});
        ASSERT_EQ(reading.races.size(), 25u * 24);
        const BacktestAnalysis a = Analyse(reading);
        ASSERT_TRUE(a.fit.fitted);
        EXPECT_NEAR(a.fit.beta, beta, 2 * a.fit.standardError) << "β = " << beta;
        EXPECT_GT(a.fit.standardError, 0.01);
        EXPECT_LT(a.fit.standardError, 0.1);
        EXPECT_GE(a.fit.fitScore, a.fit.marketScore);

        int starters = 0, wins = 0;
        double predicted = 0;
        for (const ReliabilityRow& r : a.reliability) {
            starters += r.horses;
            wins += r.wins;
            predicted += r.predicted;
        }
        const int allStarters =
            std::accumulate(a.bands.begin(), a.bands.end(), 0,
                            [](int sum, const WinRow& r) { return sum + r.starters; });
        EXPECT_EQ(starters, allStarters);
        EXPECT_EQ(wins, a.races);
        EXPECT_NEAR(predicted, a.races, 1e-6);
        EXPECT_EQ(UsedBeta(a.fit), a.fit.beta);
    }
}

// --race prints the race's horses and its bets worth their odds, β fitted
// from the folder (8 races: β = 1) or fixed. 東京 1R at β = 1: p = 45.7,
// 45.2, 4.5, 4.5 % (π of 9.9 10.0 99.9 100.0), each 単勝 worth 1 / 0.221020 =
// 4.52; P(1,4) = 0.075125 × 99.9 = 7.50 first, 2-4 at 9999.9 never listed.
TEST(Backtest, CommandLine) {
    TempDir folder;
    WriteTenRaces(folder);
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const auto run = [&](const QStringList& arguments) {
        out.clear();
        err.clear();
        return RunAnalyseCommand(arguments, outStream, errStream);
    };
    const QString missing = folder.file(u"none"_qs);
    struct Case {
        QStringList arguments;
        int status;
        QString lastLine;  // of the output
        QString error;     // contained in the error output
    };
    const QString race1 = u"東京1R"_qs;
    const Case cases[] = {
        {{folder.path(), missing}, 0, u"（8 レース）"_qs, missing + u": フォルダを読めません"_qs},
        {{u"--from"_qs, u"2026-12-07"_qs, folder.path()}, 0, u"（1 レース）"_qs, {}},
        {{u"--to"_qs, u"2026-12-06"_qs, folder.path()}, 0, u"（7 レース）"_qs, {}},
        {{missing}, 1, {}, missing},
        {{u"--from"_qs, u"12/07"_qs, folder.path()}, 2, {}, u"usage"_qs},
        {{u"--race"_qs, race1, u"--day"_qs, u"2026-12-05"_qs, folder.path()},
         1,
         {},
         u"東京1R 2026-12-05: オッズのファイルがありません"_qs},
        {{u"--race"_qs, u"東京13R"_qs, folder.path()}, 2, {}, {}},
        {{u"--race"_qs, race1, u"--csv"_qs, folder.path()}, 2, {}, {}},
        {{u"--beta"_qs, u"1.2"_qs, folder.path()}, 2, {}, {}},
        {{u"--race"_qs, race1, u"--beta"_qs, u"0"_qs, folder.path()}, 2, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.arguments), c.status) << c.arguments.join(u' ').toStdString();
        const QString last = out.trimmed().section(u'\n', -1);
        EXPECT_TRUE(last.startsWith(u"補正指数 β = "_qs) == !c.lastLine.isEmpty())
            << last.toStdString();
        EXPECT_TRUE(last.endsWith(c.lastLine)) << last.toStdString();
        EXPECT_TRUE(err.contains(c.error)) << err.toStdString();
    }

    ASSERT_EQ(run({u"--csv"_qs, folder.path()}), 0);
    const QString csv = out;
    EXPECT_TRUE(csv.contains(u"10.0–19.9,1,1,100.0%,45.2%,1000.0%,300.0%\r\n"_qs));
    EXPECT_TRUE(csv.section(u"\r\n"_qs, -2, -2).startsWith(u"補正指数 β = "_qs))
        << csv.right(40).toStdString();
    EXPECT_TRUE(csv.endsWith(u"（8 レース）\r\n"_qs));

    ASSERT_EQ(run({u"--race"_qs, race1, folder.path()}), 0);
    const QStringList lines = out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 12) << out.toStdString();
    EXPECT_EQ(lines[0], u"東京 1R　2026年12月06日　ジャパンカップ"_qs);
    EXPECT_TRUE(lines[1].startsWith(u"補正勝率：β = 1（補正指数 β = "_qs))
        << lines[1].toStdString();
    EXPECT_EQ(lines[2].simplified(), u"馬番 単勝 補正勝率 期待値"_qs);
    EXPECT_EQ(lines[3].simplified(), u"1 9.9 45.7 4.52"_qs);
    EXPECT_EQ(lines[6].simplified(), u"4 100.0 4.5 4.52"_qs);
    EXPECT_EQ(lines.mid(8), (QStringList{u"馬連 1-4 99.9 期待値 7.50（確率 7.5%）"_qs,
                                         u"馬連 2-3 100.0 期待値 7.41（確率 7.4%）"_qs,
                                         u"馬連 1-2 9.9 期待値 6.88（確率 69.5%）"_qs,
                                         u"馬連 3-4 1000.0 期待値 6.49（確率 0.6%）"_qs}));

    // The race of the subfolder's day; β fixed.
    ASSERT_EQ(run({u"--race"_qs, u"中山1R"_qs, u"--beta"_qs, u"2"_qs, folder.path()}), 0);
    EXPECT_TRUE(out.startsWith(u"中山 1R　2026年12月13日"_qs)) << out.toStdString();
    EXPECT_TRUE(out.contains(u"補正勝率：補正指数 β = 2.000（指定）　組の確率：γ = 0.81\n"_qs));
}
