#include <gtest/gtest.h>

#include <QFileInfo>
#include <map>
#include <set>

#include "common/NumberText.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/SampleData.h"

// What 100 yen on odds of this text pays.
int Paid(const QString& odds) {
    return qRound(NumericValue(odds).value_or(-1) * 100);
}

// Two days of four racecourses of twelve races: last week's under the stems
// before today's (so that its names sort first), each file dated with its day,
// with other winners; every race of last week run, most of today's.
TEST(SampleData, TwoDaysOfFourRacecoursesOfTwelveRacesPaidAtTheOddsShown) {
    const TempDir dir;
    ASSERT_TRUE(WriteSampleData(dir.path()));
    const QDate days[] = {QDate(2026, 11, 29), QDate(2026, 12, 6)};
    std::map<QDate, int> results;
    std::set<int> runnerCounts;
    int scratchedPairs = 0, horsesWithoutOdds = 0, sameWinners = 0;
    for (int i = 0; i < 48; ++i) {
        const int course = std::array{5, 6, 9, 0}[i / 12], raceNo = i % 12 + 1;
        std::map<QDate, QString> names, winners;
        for (const QDate& day : days) {
            SCOPED_TRACE(testing::Message() << "course " << course << " race " << raceNo << " "
                                            << day.toString(Qt::ISODate).toStdString());
            const auto read = [&](const char* prefix, int stem, FixedRecord& record) {
                const RaceFile file = FindRaceFile(dir.path(), prefix, stem, course, raceNo, day);
                names[day] += QFileInfo(file.path).fileName() + u' ';
                return !file.path.isEmpty() && ReadRecord1(file.path, record);
            };
            UoRecord uo;
            ZoRecord zo;
            KsRecord ks;
            ASSERT_TRUE(read("uo-", 5, uo) && read("zo-", 5, zo));
            EXPECT_EQ(uo.RaceDate(), day.toString(u"yyyyMMdd"_qs));
            const int n = zo.RunnerCount();
            EXPECT_EQ(uo.Runners().toInt(), *runnerCounts.insert(n).first);
            EXPECT_EQ(uo.RaceTitle(), zo.RaceTitle());
            for (int k = 0; k < n * (n - 1) / 2; ++k)
                scratchedPairs += uo.Quinella(k).QuinellaOdds.contains(u"ﾄﾘｹｼ"_qs);
            for (int h = 0; h < n; ++h) horsesWithoutOdds += !IsNumeric(zo.Horse(h).WinOdds);
            if (!read("ks-", 7, ks)) continue;
            ++results[day];
            EXPECT_EQ(ks.RaceDate(), uo.RaceDate());
            std::set<int> finishers;  // five runners with odds, each once
            for (int place = 0; place < 5; ++place) {
                const int horse = ks.Place(place).HorseNo.toInt();
                EXPECT_TRUE(horse >= 1 && horse <= n && IsNumeric(zo.Horse(horse - 1).WinOdds));
                EXPECT_TRUE(finishers.insert(horse).second);
            }
            const HorseEntry winner = zo.Horse(ks.Place(0).HorseNo.toInt() - 1);
            winners[day] = ks.Place(0).HorseName.trimmed();
            const int place = ks.PlacePayout1().toInt();
            EXPECT_EQ(ks.WinPayout().toInt(), Paid(winner.WinOdds));
            EXPECT_TRUE(place >= Paid(winner.PlaceOddsLow) && place <= Paid(winner.PlaceOddsHigh));
            // minmax of a braced list: a pair of values, not of references to temporaries
            const auto [a, b] =
                std::minmax({ks.Place(0).HorseNo.toInt(), ks.Place(1).HorseNo.toInt()});
            EXPECT_EQ(ks.QuinellaCombo(), QStringLiteral("%1-%2").arg(a, 2).arg(b, 2));
            EXPECT_EQ(ks.QuinellaPayout().toInt(),
                      Paid(uo.Quinella(UoRecord::EntryOfPair(a, b, n)).QuinellaOdds));
            if (n < 9) continue;  // bracket quinella is sold from nine runners
            const QStringList brackets = ks.BracketCombo().split(u'-');
            const int t = ZoRecord::EntryOfBracketPair(brackets[0].toInt(), brackets[1].toInt());
            EXPECT_EQ(ks.BracketPayout().toInt(), Paid(zo.Bracket(t).BracketOdds));
        }
        // Last week's names sort before today's, and the race's newest day is today.
        EXPECT_LT(names[days[0]], names[days[1]]);
        EXPECT_EQ(RaceFileSet(dir.path(), course, raceNo).newestDay(), days[1]);
        sameWinners += winners.size() == 2 && winners[days[0]] == winners[days[1]];
    }
    EXPECT_EQ(results[days[0]], 48);
    EXPECT_TRUE(results[days[1]] > 36 && results[days[1]] < 48);  // most races, not all
    EXPECT_EQ(sameWinners, 0);
    EXPECT_EQ(std::pair(*runnerCounts.begin(), *runnerCounts.rbegin()), std::pair(5, 18));
    EXPECT_TRUE(scratchedPairs > 0 && horsesWithoutOdds > 0);
}

TEST(SampleData, LaterDownloadsMoveTodaysOddsTowardTheResultAndLeaveTheRestAlone) {
    const TempDir dir;
    const auto read = [&](const char* prefix, int stem) {
        return dir.read(QFileInfo(FindRaceFile(dir.path(), prefix, stem, 5, 11).path).fileName());
    };
    ASSERT_TRUE(WriteSampleData(dir.path()));
    const QByteArray result = read("ks-", 7);
    const QByteArray lastWeek = dir.read(u"zo-57b.jra"_qs);
    KsRecord ks;
    ZoRecord first, zo;
    ks.assign(result);
    first.assign(read("zo-", 5));
    const int winner = ks.Place(0).HorseNo.trimmed().toInt() - 1;
    double previous = *NumericValue(first.Horse(winner).WinOdds);
    for (const int download : {2, 4}) {
        ASSERT_TRUE(WriteSampleData(dir.path(), download));
        zo.assign(read("zo-", 5));
        EXPECT_EQ(std::pair(zo.RaceDate(), zo.RunnerCount()),
                  std::pair(first.RaceDate(), first.RunnerCount()));
        const double odds = *NumericValue(zo.Horse(winner).WinOdds);
        EXPECT_LT(odds, previous);  // the money goes to the winner
        previous = odds;
    }
    EXPECT_EQ(read("ks-", 7), result);
    EXPECT_EQ(dir.read(u"zo-57b.jra"_qs), lastWeek);  // last week's odds stay as they were
}
