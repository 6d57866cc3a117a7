#include <gtest/gtest.h>

#include <QFileInfo>
#include <set>

#include "common/NumberText.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/SampleData.h"

// What 100 yen on odds of this text pays.
int Paid(const QString& odds) {
    return qRound(NumericValue(odds).value_or(-1) * 100);
}

TEST(SampleData, FourRacecoursesOfTwelveRacesPaidAtTheOddsShown) {
    const TempDir dir;
    ASSERT_TRUE(WriteSampleData(dir.path()));
    std::set<int> runnerCounts;
    int results = 0, scratchedPairs = 0, horsesWithoutOdds = 0;
    for (int i = 0; i < 48; ++i) {
        const int course = std::array{5, 6, 9, 0}[i / 12], raceNo = i % 12 + 1;
        SCOPED_TRACE(testing::Message() << "course " << course << " race " << raceNo);
        UoRecord uo;
        ZoRecord zo;
        KsRecord ks;
        ASSERT_TRUE(ReadRecord1(FindRaceFile(dir.path(), "uo-", 5, course, raceNo).path, uo));
        ASSERT_TRUE(ReadRecord1(FindRaceFile(dir.path(), "zo-", 5, course, raceNo).path, zo));
        const int n = zo.RunnerCount();
        EXPECT_EQ(uo.Runners().toInt(), *runnerCounts.insert(n).first);
        EXPECT_TRUE(zo.RaceTitle().contains(u"ｍ"_qs) && uo.RaceTitle() == zo.RaceTitle());
        for (int k = 0; k < n * (n - 1) / 2; ++k)
            scratchedPairs += uo.Quinella(k).QuinellaOdds.contains(u"ﾄﾘｹｼ"_qs);
        for (int h = 0; h < n; ++h) horsesWithoutOdds += !IsNumeric(zo.Horse(h).WinOdds);
        if (!ReadRecord1(FindRaceFile(dir.path(), "ks-", 7, course, raceNo).path, ks)) continue;
        ++results;
        std::set<int> finishers;  // five runners with odds, each once
        for (int place = 0; place < 5; ++place) finishers.insert(ks.Place(place).HorseNo.toInt());
        EXPECT_EQ(finishers.size(), 5u);
        for (int horse : finishers)
            EXPECT_TRUE(horse >= 1 && horse <= n && IsNumeric(zo.Horse(horse - 1).WinOdds));
        const HorseEntry winner = zo.Horse(ks.Place(0).HorseNo.toInt() - 1);
        EXPECT_EQ(ks.WinPayout().toInt(), Paid(winner.WinOdds));
        const int place = ks.PlacePayout1().toInt();
        EXPECT_TRUE(place >= Paid(winner.PlaceOddsLow) && place <= Paid(winner.PlaceOddsHigh));
        // minmax of a braced list: a pair of values, not of references to temporaries
        const auto [a, b] = std::minmax({ks.Place(0).HorseNo.toInt(), ks.Place(1).HorseNo.toInt()});
        EXPECT_EQ(ks.QuinellaCombo(), QStringLiteral("%1-%2").arg(a, 2).arg(b, 2));
        EXPECT_EQ(ks.QuinellaPayout().toInt(),
                  Paid(uo.Quinella(UoRecord::EntryOfPair(a, b, n)).QuinellaOdds));
        if (n < 9) continue;  // bracket quinella is sold from nine runners
        const QStringList brackets = ks.BracketCombo().split(u'-');
        const int t = ZoRecord::EntryOfBracketPair(brackets[0].toInt(), brackets[1].toInt());
        EXPECT_EQ(ks.BracketPayout().toInt(), Paid(zo.Bracket(t).BracketOdds));
    }
    EXPECT_TRUE(results > 36 && results < 48);  // most races have been run, but not all
    EXPECT_EQ(std::pair(*runnerCounts.begin(), *runnerCounts.rbegin()), std::pair(5, 18));
    EXPECT_TRUE(scratchedPairs > 0 && horsesWithoutOdds > 0);
}

TEST(SampleData, LaterDownloadsMoveTheOddsTowardTheResultAndLeaveTheResultsAlone) {
    const TempDir dir;
    ASSERT_TRUE(WriteSampleData(dir.path()));
    const auto read = [&](const QString& prefix, int stem, int course, int race) {
        return dir.read(
            QFileInfo(FindRaceFile(dir.path(), prefix, stem, course, race).path).fileName());
    };
    const QByteArray result = read(u"ks-"_qs, 7, 5, 11);
    std::vector<ZoRecord> downloads(3);
    for (int download = 0; download < 3; ++download) {
        if (download > 0) {
            ASSERT_TRUE(WriteSampleData(dir.path(), download * 2));
        }
        downloads[download].assign(read(u"zo-"_qs, 5, 5, 11));
    }
    EXPECT_EQ(read(u"ks-"_qs, 7, 5, 11), result);
    KsRecord ks;
    ks.assign(result);
    const int winner = ks.Place(0).HorseNo.trimmed().toInt() - 1;
    double previous = 1e9;
    for (const ZoRecord& zo : downloads) {
        EXPECT_EQ(zo.RaceDate(), downloads[0].RaceDate());
        EXPECT_EQ(zo.RunnerCount(), downloads[0].RunnerCount());
        const double odds = *NumericValue(zo.Horse(winner).WinOdds);
        EXPECT_LT(odds, previous);  // the money goes to the winner
        previous = odds;
    }
}
