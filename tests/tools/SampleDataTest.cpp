#include <gtest/gtest.h>

#include <QDir>
#include <cmath>
#include <set>

#include "common/NumberText.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "support/Fixtures.h"
#include "tools/SampleData.h"

namespace {

// The brackets of horses 1..n for 9 to 18 runners, as the JRA assigns them.
const char* const BracketRows[] = {
    "123456788",         "1234567788",         "12345667788",     "123455667788",
    "1234455667788",     "12334455667788",     "122334455667788", "1122334455667788",
    "11223344556677888", "112233445566777888",
};

int Bracket(int horse, int runners) {
    return runners <= 8 ? horse : BracketRows[runners - 9][horse - 1] - '0';
}

int Tenths(const QString& odds) {
    return static_cast<int>(std::lround(*NumericValue(odds) * 10));
}
int Yen(const QString& payout) {
    return payout.trimmed().toInt();
}

struct Race {
    int course, raceNo;
    UoRecord uo;
    ZoRecord zo;
    KsRecord ks;
    bool hasResult = false;
};

class SampleDataTest : public ::testing::Test {
protected:
    static inline TempDir* dir = nullptr;
    static inline std::vector<Race> races;

    static void SetUpTestSuite() {
        dir = new TempDir;
        ASSERT_TRUE(WriteSampleData(dir->file("sample")));
        // Every race is found by the program's own lookup.
        for (int course : {5, 6, 9, 0}) {
            for (int raceNo = 1; raceNo <= 12; ++raceNo) {
                Race race{course, raceNo, {}, {}, {}};
                const QString data = dir->file("sample");
                const RaceFile uo = FindRaceFile(data, "uo-", 5, course, raceNo);
                const RaceFile zo = FindRaceFile(data, "zo-", 5, course, raceNo);
                const RaceFile ks = FindRaceFile(data, "ks-", 7, course, raceNo);
                EXPECT_TRUE(ReadRecord1(uo.path, race.uo)) << course << " " << raceNo;
                EXPECT_TRUE(ReadRecord1(zo.path, race.zo)) << course << " " << raceNo;
                race.hasResult = !ks.path.isEmpty() && ReadRecord1(ks.path, race.ks);
                races.push_back(race);
            }
        }
    }
    static void TearDownTestSuite() {
        delete dir;
        races.clear();
    }
};

TEST_F(SampleDataTest, FilesOfEveryRaceWithTheirLengths) {
    ASSERT_EQ(races.size(), 48u);
    const QDir sample(dir->file("sample"));
    for (const QFileInfo& info : sample.entryInfoList(QDir::Files)) {
        const QString prefix = info.fileName().left(3);
        const int length = prefix == "uo-" ? 1979 : prefix == "zo-" ? 826 : 504;
        EXPECT_EQ(info.size(), length) << info.fileName().toStdString();
    }
    EXPECT_TRUE(sample.exists("zo-68b.jra"));
    EXPECT_TRUE(sample.exists("ks-6508a.jra"));
    int results = 0;
    for (const Race& race : races) results += race.hasResult;
    EXPECT_GT(results, 36);  // most races have been run
    EXPECT_LT(results, 48);  // but not all
}

TEST_F(SampleDataTest, IsTheSameOnEveryRun) {
    TempDir again;
    ASSERT_TRUE(WriteSampleData(again.path()));
    const QStringList names = QDir(again.path()).entryList(QDir::Files);
    EXPECT_EQ(names, QDir(dir->file("sample")).entryList(QDir::Files));
    for (const QString& name : names) {
        EXPECT_EQ(again.read(name), dir->read("sample/" + name)) << name.toStdString();
    }
}

TEST_F(SampleDataTest, HeadingsDecode) {
    for (const Race& race : races) {
        SCOPED_TRACE(testing::Message() << "course " << race.course << " race " << race.raceNo);
        for (const QString& date : {race.uo.RaceDate(), race.zo.RaceDate()}) {
            EXPECT_EQ(date, "20261206");
        }
        const QString title = race.zo.RaceTitle();
        EXPECT_EQ(race.uo.RaceTitle(), title);
        EXPECT_FALSE(title.contains(QChar::ReplacementCharacter));
        EXPECT_FALSE(title.contains(u'?'));
        EXPECT_TRUE(title.contains(QStringLiteral("ｍ"))) << title.toStdString();
        if (race.hasResult) {
            EXPECT_EQ(race.ks.RaceTitle(), title);
            EXPECT_EQ(race.ks.RaceNo().trimmed().toInt(), race.raceNo);
            const QString names[] = {"小倉", "", "", "", "", "東京", "中山", "", "", "阪神"};
            EXPECT_EQ(race.ks.CourseName(), names[race.course]);
        }
    }
    EXPECT_TRUE(races[12 + 10].zo.RaceTitle().contains(QStringLiteral("有馬記念")));  // 中山 11R
}

TEST_F(SampleDataTest, RunnersAndOdds) {
    std::set<int> counts;
    int scratchedPairs = 0, horsesWithoutOdds = 0;
    for (const Race& race : races) {
        SCOPED_TRACE(testing::Message() << "course " << race.course << " race " << race.raceNo);
        const int n = race.zo.RunnerCount();
        counts.insert(n);
        EXPECT_EQ(race.uo.Runners().trimmed().toInt(), n);
        for (int k = 0; k < 153; ++k) {
            const QString odds = race.uo.Quinella(k).QuinellaOdds;
            if (k >= n * (n - 1) / 2) {
                EXPECT_EQ(odds.trimmed(), QString()) << k;
            } else if (odds.startsWith(QStringLiteral("  ﾄﾘｹｼ"))) {
                ++scratchedPairs;
            } else {
                EXPECT_GE(*NumericValue(odds), 1.0) << k;
            }
        }
        for (int h = 0; h < n; ++h) {
            const HorseEntry horse = race.zo.Horse(h);
            EXPECT_EQ(horse.HorseNo.trimmed().toInt(), h + 1);
            if (!IsNumeric(horse.WinOdds)) {
                ++horsesWithoutOdds;
                // Every pair with a horse without odds is withdrawn.
                for (int other = 1; other <= n; ++other) {
                    if (other == h + 1) continue;
                    const int k =
                        UoRecord::EntryOfPair(std::min(other, h + 1), std::max(other, h + 1), n);
                    EXPECT_TRUE(
                        race.uo.Quinella(k).QuinellaOdds.startsWith(QStringLiteral("  ﾄﾘｹｼ")));
                }
                continue;
            }
            const double low = *NumericValue(horse.PlaceOddsLow);
            const double high = *NumericValue(horse.PlaceOddsHigh);
            EXPECT_GE(low, 1.0);
            EXPECT_LE(low, high);
            EXPECT_LE(low, *NumericValue(horse.WinOdds));
        }
    }
    EXPECT_EQ(*counts.begin(), 5);
    EXPECT_EQ(*counts.rbegin(), 18);
    EXPECT_GE(counts.size(), 12u);
    EXPECT_EQ(races[12 + 10].zo.RunnerCount(), 18);  // 中山 11R
    EXPECT_GT(scratchedPairs, 0);
    EXPECT_GT(horsesWithoutOdds, 0);
}

TEST_F(SampleDataTest, ResultsArePaidAtTheOddsShown) {
    for (const Race& race : races) {
        if (!race.hasResult) continue;
        SCOPED_TRACE(testing::Message() << "course " << race.course << " race " << race.raceNo);
        const int n = race.zo.RunnerCount();
        EXPECT_EQ(race.ks.RaceDate(), "20261206");

        std::set<int> seen;
        int finish[5];
        for (int i = 0; i < 5; ++i) {
            finish[i] = race.ks.Place(i).HorseNo.trimmed().toInt();
            EXPECT_GE(finish[i], 1);
            EXPECT_LE(finish[i], n);
            EXPECT_TRUE(seen.insert(finish[i]).second) << "horse twice in the result";
            EXPECT_TRUE(IsNumeric(race.zo.Horse(finish[i] - 1).WinOdds)) << "a scratched finisher";
            EXPECT_FALSE(race.ks.Place(i).HorseName.trimmed().isEmpty());
        }
        const HorseEntry winner = race.zo.Horse(finish[0] - 1);
        EXPECT_EQ(Yen(race.ks.WinPayout()), Tenths(winner.WinOdds) * 10);

        const QString placePayouts[] = {race.ks.PlacePayout1(), race.ks.PlacePayout2(),
                                        race.ks.PlacePayout3()};
        const int paid = race.ks.PlacePayout3().trimmed().isEmpty() ? 2 : 3;
        if (n >= 9) {
            EXPECT_EQ(paid, 3);
        }
        for (int i = 0; i < paid; ++i) {
            const HorseEntry horse = race.zo.Horse(finish[i] - 1);
            EXPECT_GE(Yen(placePayouts[i]), Tenths(horse.PlaceOddsLow) * 10) << "place " << i;
            EXPECT_LE(Yen(placePayouts[i]), Tenths(horse.PlaceOddsHigh) * 10) << "place " << i;
        }

        const int a = std::min(finish[0], finish[1]), b = std::max(finish[0], finish[1]);
        EXPECT_EQ(race.ks.QuinellaCombo(), QStringLiteral("%1-%2").arg(a, 2).arg(b, 2));
        EXPECT_EQ(Yen(race.ks.QuinellaPayout()),
                  Tenths(race.uo.Quinella(UoRecord::EntryOfPair(a, b, n)).QuinellaOdds) * 10);

        if (n < 9) {  // bracket quinella is not sold
            EXPECT_EQ(race.ks.BracketCombo().trimmed(), QString());
            continue;
        }
        const int x = std::min(Bracket(a, n), Bracket(b, n));
        const int y = std::max(Bracket(a, n), Bracket(b, n));
        EXPECT_EQ(race.ks.BracketCombo(), QStringLiteral("%1-%2").arg(x).arg(y));
        EXPECT_EQ(Yen(race.ks.BracketPayout()),
                  Tenths(race.zo.Bracket(ZoRecord::EntryOfBracketPair(x, y)).BracketOdds) * 10);
    }
}

}  // namespace
