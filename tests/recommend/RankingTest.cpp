#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "recommend/Brackets.h"
#include "recommend/Ranking.h"

namespace {

struct Odds {
    const char* win;
    const char* low;
    const char* high;
};

// Horses 1, 2, ... with the given odds; the remaining entries are blank.
std::array<HorseEntry, MarkRowCount> Race(const std::vector<Odds>& odds) {
    std::array<HorseEntry, MarkRowCount> horses;
    for (int i = 0; i < MarkRowCount; ++i) {
        horses[i] = {QStringLiteral("  "), QStringLiteral("     "), QStringLiteral("     "),
                     QStringLiteral("     ")};
    }
    for (std::size_t i = 0; i < odds.size(); ++i) {
        horses[i] = {QString::number(i + 1).rightJustified(2), QString::fromUtf8(odds[i].win),
                     QString::fromUtf8(odds[i].low), QString::fromUtf8(odds[i].high)};
    }
    return horses;
}

// The marks of the first rows, joined with "|" for readable failures.
QString Marks(const std::array<HorseEntry, MarkRowCount>& horses, int rows) {
    const auto marks = RankMarks(horses);
    QStringList shown;
    for (int i = 0; i < rows; ++i) shown << marks[i];
    for (int i = rows; i < MarkRowCount; ++i) EXPECT_EQ(marks[i], QString()) << "row " << i;
    return shown.join(u'|');
}

}  // namespace

TEST(Ranking, WorkedExampleRowByRow) {
    const auto race = Race({{"  2.1", "  1.1", "  1.2"},
                            {"  5.6", "  1.5", "  2.3"},
                            {"  9.8", "  2.0", "  3.1"},
                            {" 35.2", "  3.5", "  4.6"},
                            {" 48.0", "  4.2", "  5.0"},
                            {" 12.5", "  2.8", "  3.9"},
                            {" ---- ", "  1.0", "  1.0"}});
    const std::optional<double> ratios[] = {1.83, 2.95, 3.84, 8.69, 10.43, 3.73, std::nullopt};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(WinPlaceRatio(race[i]), ratios[i]) << "horse " << i + 1;
    EXPECT_EQ(Marks(race, 7), QStringLiteral("◎|○||△|★|▲|"));
}

TEST(Ranking, EdgeCases) {
    // Two short-odds and two long-odds horses that take the four rank marks
    // and leave the allowance of stars untouched.
    const std::vector<Odds> base = {{"2.0", "1.6", "2.4"},    // R 1.0  ◎
                                    {"4.0", "2.0", "2.0"},    // R 2.0  ○
                                    {"20.0", "5.0", "5.0"},   // R 4.0  ▲
                                    {"30.0", "6.0", "6.0"}};  // R 5.0  △
    auto with = [&](std::vector<Odds> more) {
        std::vector<Odds> all = base;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const struct {
        const char* name;
        std::vector<Odds> odds;
        const char16_t* marks;
    } cases[] = {
        {"ratio 8.7 earns a star", with({{"43.5", "5.0", "5.0"}}), u"◎|○|▲|△|★"},
        {"ratio 10.6 earns none", with({{"53.0", "5.0", "5.0"}}), u"◎|○|▲|△|"},
        {"ratio 10.58 still earns one", with({{"52.9", "5.0", "5.0"}}), u"◎|○|▲|△|★"},
        {"win odds 10.5 are short odds", {{"10.5", "5.0", "5.0"}}, u"◎"},
        {"win odds 10.6 are long odds", {{"10.6", "5.0", "5.0"}}, u"▲"},
        {"L 1.5 and H 1.9 earn a star", with({{"10.0", "1.5", "1.9"}}), u"◎|○|▲|△|★"},
        {"L 1.5 and H 2.0 earn none", with({{"10.0", "1.5", "2.0"}}), u"◎|○|▲|△|"},
        {"L 1.6 and H 1.7 earn none", with({{"10.0", "1.6", "1.7"}}), u"◎|○|▲|△|"},
        {"a third star is refused",
         with({{"45.0", "5.0", "5.0"}, {"45.0", "5.0", "5.0"}, {"45.0", "5.0", "5.0"}}),
         u"◎|○|▲|△|★|★|"},
        {"one horse meeting both tests uses up both stars",
         with({{"15.3", "1.5", "1.9"}, {"45.0", "5.0", "5.0"}}), u"◎|○|▲|△|★|"},
        {"equal ratios: the lower number ranks ahead, a third equal does not displace",
         {{"4.0", "2.0", "2.0"}, {"4.0", "2.0", "2.0"}, {"4.0", "2.0", "2.0"}},
         u"◎|○|"},
        {"a better ratio moves the first to second",
         {{"4.0", "2.0", "2.0"}, {"6.0", "2.0", "2.0"}, {"2.0", "2.0", "2.0"}},
         u"○||◎"},
        {"single short-odds horse with the first star shows ○",
         {{"2.1", "1.1", "1.2"}, {"20.0", "5.0", "5.0"}},
         u"○|▲"},
        {"single short-odds horse without a star, ○ to the first star",
         {{"5.0", "2.5", "2.5"},
          {"45.0", "5.0", "5.0"},
          {"20.0", "5.0", "5.0"},
          {"30.0", "6.0", "6.0"}},
         u"◎|○|▲|△"},
        {"single short-odds horse and no star anywhere",
         {{"5.0", "2.5", "2.5"}, {"20.0", "5.0", "5.0"}},
         u"◎|▲"},
        {"no long-odds horse: no ▲ and no △",
         {{"2.0", "1.6", "2.4"}, {"4.0", "2.0", "2.0"}, {"6.0", "2.0", "2.0"}},
         u"◎|○|"},
        {"win odds not a number are skipped",
         {{"ﾄﾘｹｼ", "1.1", "1.2"}, {"4.0", "2.0", "2.0"}},
         u"|◎"},
        {"place odds blank are skipped", {{"2.0", "", "2.4"}, {"4.0", "2.0", "2.0"}}, u"|◎"},
        {"place odds not a number are skipped",
         {{"2.0", "1.6", "*.*"}, {"4.0", "2.0", "2.0"}},
         u"|◎"},
        {"odds of 0 or less are skipped",
         {{"0.0", "1.6", "2.4"}, {"2.0", "0", "2.4"}, {"2.0", "1.6", "-1"}, {"4.0", "2.0", "2.0"}},
         u"|||◎"},
        {"a ratio rounded half to even ties with the lower horse",
         {{"76.9", "20.0", "20.0"}, {"38.4", "10.0", "10.0"}},
         u"▲|△"},
        {"no horse rated: no marks at all", {{"", "", ""}, {"ﾄﾘｹｼ", "1.0", "1.0"}}, u"|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto race = Race(c.odds);
        EXPECT_EQ(Marks(race, int(c.odds.size())), QString::fromUtf16(c.marks));
    }
}

TEST(Ranking, RatiosRoundToTwoDecimalsHalfToEven) {
    const struct {
        double ratio;
        double rounded;
    } cases[] = {{0.125, 0.12},        {0.135, 0.14},      {76.9 / 20.0, 3.84}, {173.9 / 20.0, 8.7},
                 {212.1 / 20.0, 10.6}, {2.1 / 1.15, 1.83}, {35.2 / 4.05, 8.69}, {48.0 / 4.6, 10.43},
                 {1.0, 1.0},           {0.1 / 4.0, 0.02},  {0.3 / 4.0, 0.08},   {3.8449, 3.84}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(RoundRatio(c.ratio), c.rounded);
    }
}

TEST(Brackets, TableByRunners) {
    const struct {
        int runners;
        std::vector<int> brackets;
    } cases[] = {
        {0, {}},
        {4, {0, 0, 0, 0}},
        {5, {1, 2, 3, 4, 5}},
        {8, {1, 2, 3, 4, 5, 6, 7, 8}},
        {9, {1, 2, 3, 4, 5, 6, 7, 8, 8}},
        {16, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8}},
        {18, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runners);
        std::vector<int> brackets;
        for (int horse = 1; horse <= c.runners; ++horse)
            brackets.push_back(BracketOf(horse, c.runners));
        EXPECT_EQ(brackets, c.brackets);
        EXPECT_EQ(BracketOf(c.runners + 1, c.runners), 0);  // beyond the runners
    }
    // Every table row from 9 runners on fills all eight brackets, in order.
    for (int runners = 9; runners <= 18; ++runners) {
        SCOPED_TRACE(runners);
        EXPECT_EQ(BracketOf(1, runners), 1);
        EXPECT_EQ(BracketOf(runners, runners), 8);
        for (int horse = 2; horse <= runners; ++horse) {
            const int step = BracketOf(horse, runners) - BracketOf(horse - 1, runners);
            EXPECT_TRUE(step == 0 || step == 1) << "horse " << horse;
        }
    }
    EXPECT_EQ(BracketOf(1, 19), 0);
    EXPECT_EQ(BracketOf(1, -1), 0);
}
