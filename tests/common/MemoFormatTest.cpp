#include <gtest/gtest.h>

#include "common/MemoFormat.h"
#include "common/Odds.h"
#include "support/Fixtures.h"

namespace {

// Every block the distribution can write reads back as the same bets: each bet
// type, one to eight bets, every racecourse and race.
TEST(MemoFormat, EveryWrittenBlockReadsBackAsItsBets) {
    int blocks = 0;
    for (const BetType type : {Quinella, BracketQuinella, WinPlace}) {
        const int top = type == BracketQuinella ? 8 : 18;
        for (const Racecourse& course : Racecourses) {
            for (int race = 1; race <= 12; ++race) {
                for (int count = 1; count <= 8; ++count) {
                    BetSlip slip{Race{{}, course.code, race}, type, {}};
                    for (int i = 0; i < count; ++i) {
                        // Numbers and stakes spread over their whole ranges.
                        const int first = (i * 5 + race + count) % top + 1;
                        int second = (first + i + race) % top + 1;
                        if (type == Quinella && second == first) second = first % top + 1;
                        const qint64 stake =
                            i == 7 ? 99'999'900 : 100 * (1 + (i * 37 + race) % 500);
                        slip.bets.push_back({QString::number(first),
                                             IsPairType(type) ? QString::number(second) : QString(),
                                             *ReadOdds(u"12.5"_qs).odds, stake});
                    }
                    const QString text = WriteMemoBlock(slip);
                    const MemoReading reading = ReadMemo(text);
                    SCOPED_TRACE(text.toStdString());
                    ASSERT_EQ(reading.blocks.size(), 1u);
                    ASSERT_TRUE(reading.skipped.empty()) << reading.skipped[0].reason.toStdString();
                    const MemoBlock& block = reading.blocks[0];
                    EXPECT_EQ(block.place, RacecourseName(course.code));
                    EXPECT_EQ(block.courseCode, course.code);
                    EXPECT_EQ(block.race, race);
                    EXPECT_EQ(block.kind, SettledType(type));
                    EXPECT_EQ(block.asWin, type == WinPlace);
                    ASSERT_EQ(block.bets.size(), slip.bets.size());
                    for (size_t i = 0; i < slip.bets.size(); ++i) {
                        EXPECT_EQ(block.bets[i].first, slip.bets[i].first.toInt());
                        EXPECT_EQ(block.bets[i].second, slip.bets[i].second.toInt());
                        EXPECT_EQ(block.bets[i].stake, slip.bets[i].stake);
                    }
                    ++blocks;
                }
            }
        }
    }
    EXPECT_EQ(blocks, 3 * 10 * 12 * 8);
}

// The block as the memo has always held it; a pair without its second number
// is left out.
TEST(MemoFormat, WriterKeepsTheMemoLayout) {
    const Odds odds = *ReadOdds(u"8.5"_qs).odds;
    const BetSlip slip{
        Race{{}, 5, 11},
        Quinella,
        {{u"3"_qs, u"7"_qs, odds, 800}, {u"4"_qs, {}, odds, 300}, {u"03"_qs, u"9"_qs, odds, 500}}};
    EXPECT_EQ(WriteMemoBlock(slip), u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\t03-9\t500\r\n\r\n"_qs);
    const BetSlip win{Race{{}, 0, 1}, WinPlace, {{u"12"_qs, {}, odds, 1200}}};
    EXPECT_EQ(WriteMemoBlock(win), u"小倉\t1R\t単・複勝\r\n\t12\t1200\r\n\r\n"_qs);
}

// Odds are read once, refused in the order the distribution window checks.
TEST(Odds, ReadOnceWithTheirRefusal) {
    const struct {
        const char* text;
        OddsRefusal refusal;
    } cases[] = {
        {"", OddsRefusal::Empty},           {"abc", OddsRefusal::NotNumber},
        {" ", OddsRefusal::NotNumber},      {"0", OddsRefusal::NotPositive},
        {"-2.5", OddsRefusal::NotPositive}, {"1e-60", OddsRefusal::Unusable},
        {"1e60", OddsRefusal::Unusable},    {" 1,234.5 ", OddsRefusal::None},
    };
    for (const auto& c : cases) {
        const OddsReading reading = ReadOdds(QString::fromLatin1(c.text));
        EXPECT_EQ(reading.refusal, c.refusal) << c.text;
        EXPECT_EQ(reading.odds.has_value(), c.refusal == OddsRefusal::None) << c.text;
    }
    const Odds odds = *ReadOdds(u" 1,234.5 "_qs).odds;
    EXPECT_EQ(odds.value, 1234.5);
    EXPECT_EQ(odds.reciprocal, static_cast<float>(1 / 1234.5));
    ASSERT_TRUE(odds.exact);
    EXPECT_EQ(std::pair(odds.exact->digits, odds.exact->exponent), std::pair(qint64(12345), -1));
    EXPECT_FALSE(ReadOdds(u"1.0000000000000000001"_qs).odds->exact);  // 20 significant digits
}

}  // namespace
