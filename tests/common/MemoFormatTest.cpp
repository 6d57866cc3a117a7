#include <gtest/gtest.h>

#include "common/MemoFormat.h"
#include "common/Odds.h"
#include "support/Fixtures.h"

namespace {

// Every block the distribution can write reads back as the same bets: each bet
// type, one to eight bets, every racecourse and race.
TEST(MemoFormat, EveryWrittenBlockReadsBackAsItsBets) {
    const Odds odds = *ReadOdds(u"12.5").odds;
    for (const BetType type : {BetType::Quinella, BetType::BracketQuinella, BetType::WinPlace}) {
        const int top = type == BetType::BracketQuinella ? 8 : 18;
        for (const Racecourse& course : Racecourses) {
            for (int race = 1; race <= 12; ++race) {
                BetSlip slip{Race{{}, course.code, race}, type, {}};
                for (int i = 0; i < 8; ++i) {
                    // Numbers and stakes spread over their whole ranges.
                    const int first = (i * 5 + race) % top + 1;
                    int second = (first + i + race) % top + 1;
                    if (type == BetType::Quinella && second == first) second = first % top + 1;
                    const qint64 stake = i == 7 ? 99'999'900 : 100 * (1 + (i * 37 + race) % 500);
                    slip.bets.push_back({QString::number(first),
                                         IsPairType(type) ? QString::number(second) : QString(),
                                         odds, stake});
                    const QString text = WriteMemoBlock(slip);
                    const MemoReading reading = ReadMemo(text);
                    SCOPED_TRACE(text.toStdString());
                    ASSERT_TRUE(reading.blocks.size() == 1u && reading.skipped.empty());
                    const MemoBlock& block = reading.blocks[0];
                    EXPECT_EQ(std::tuple(block.place, block.courseCode, block.race, block.kind,
                                         block.asWin),
                              std::tuple(RacecourseName(course.code), course.code, race,
                                         SettledType(type), type == BetType::WinPlace));
                    ASSERT_EQ(block.bets.size(), slip.bets.size());
                    for (size_t b = 0; b < slip.bets.size(); ++b)
                        EXPECT_EQ(std::tuple(block.bets[b].first, block.bets[b].second,
                                             block.bets[b].stake),
                                  std::tuple(slip.bets[b].first.toInt(),
                                             slip.bets[b].second.toInt(), slip.bets[b].stake));
                }
            }
        }
    }
}

// The block as the memo has always held it; a pair without its second number
// is left out.
TEST(MemoFormat, WriterKeepsTheMemoLayout) {
    const Odds odds = *ReadOdds(u"8.5").odds;
    const BetSlip slip{
        Race{{}, 5, 11},
        BetType::Quinella,
        {{u"3"_qs, u"7"_qs, odds, 800}, {u"4"_qs, {}, odds, 300}, {u"03"_qs, u"9"_qs, odds, 500}}};
    EXPECT_EQ(WriteMemoBlock(slip), u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\t03-9\t500\r\n\r\n"_qs);
    const BetSlip win{Race{{}, 0, 1}, BetType::WinPlace, {{u"12"_qs, {}, odds, 1200}}};
    EXPECT_EQ(WriteMemoBlock(win), u"小倉\t1R\t単・複勝\r\n\t12\t1200\r\n\r\n"_qs);
}

// A date line goes above a block whose day the memo's last date line is not:
// once for the blocks of one day, again for another day; the block reads back
// on its day.
TEST(MemoFormat, DateLineWhenTheMemosLastDateLineIsAnotherDay) {
    const QDate day(2026, 12, 6);
    EXPECT_EQ(WriteMemoDateLine(day), u"2026/12/06\r\n"_qs);
    const QString block = u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\r\n"_qs;
    const struct {
        QString memo;
        QDate day;
        bool needed;
    } cases[] = {
        {{}, day, true},
        {block, day, true},  // no date line yet
        {u"2026/12/06\r\n"_qs + block, day, false},
        {u"2026/11/29\r\n"_qs + block + u" 2026年12月06日　\r\n"_qs + block, day, false},
        {u"2026/12/06\r\n"_qs + block + u"2026/11/29\n"_qs + block, day, true},
        {u"メモ 2026/12/06\r\n"_qs + block, day, true},  // a date among words is no date line
        {u"2026/11/29\r\n"_qs + block, {}, false},       // no day known: no line
        {u"2026/12/06\r\n"_qs + block + u"typed"_qs, day, false},  // a line end added
        {u"typed"_qs, day, true},
    };
    const Odds odds = *ReadOdds(u"8.5").odds;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo.toStdString());
        EXPECT_EQ(MemoNeedsDateLine(c.memo, c.day), c.needed);
        const BetSlip slip{Race{c.day, 5, 11}, BetType::Quinella, {{u"3"_qs, u"7"_qs, odds, 800}}};
        const QString entry = WriteMemoEntry(c.memo, slip);
        EXPECT_EQ(entry, (c.memo.endsWith(u"typed"_qs) ? u"\r\n"_qs : QString()) +
                             (c.needed ? WriteMemoDateLine(c.day) : QString()) +
                             WriteMemoBlock(slip));
        const MemoReading reading = ReadMemo(c.memo + entry);
        ASSERT_FALSE(reading.blocks.empty());
        if (c.day.isValid()) {
            EXPECT_EQ(reading.blocks.back().day, c.day);
        }
    }
}

// Odds are read once, refused in the order the distribution window checks.
TEST(Odds, ReadOnceWithTheirRefusal) {
    const std::pair<const char*, OddsRefusal> cases[] = {
        {"", OddsRefusal::Empty},           {"abc", OddsRefusal::NotNumber},
        {" ", OddsRefusal::NotNumber},      {"0", OddsRefusal::NotPositive},
        {"-2.5", OddsRefusal::NotPositive}, {"1e-60", OddsRefusal::Unusable},
        {"1e60", OddsRefusal::Unusable},    {" 1,234.5 ", OddsRefusal::None},
    };
    for (const auto& [text, refusal] : cases) {
        const OddsReading reading = ReadOdds(QString::fromLatin1(text));
        EXPECT_EQ(reading.refusal, refusal) << text;
        EXPECT_EQ(reading.odds.has_value(), refusal == OddsRefusal::None) << text;
    }
    const Odds odds = *ReadOdds(u" 1,234.5 ").odds;
    EXPECT_EQ(std::pair(odds.value, odds.reciprocal), std::pair(1234.5, float(1 / 1234.5)));
    ASSERT_TRUE(odds.exact);
    EXPECT_EQ(std::pair(odds.exact->digits, odds.exact->exponent), std::pair(qint64(12345), -1));
    EXPECT_FALSE(ReadOdds(u"1.0000000000000000001").odds->exact);  // 20 significant digits
}

}  // namespace
