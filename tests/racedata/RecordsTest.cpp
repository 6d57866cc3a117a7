#include <gtest/gtest.h>

#include "racedata/Cp932.h"
#include "racedata/Records.h"
#include "tools/RecordBuilder.h"

namespace {

// The first `width` bytes of a text of half-width kana and kanji, whole
// characters for every field width.
QString Text(int width) {
    QString text;
    for (const QChar c : QStringLiteral("9ｱｲｳｴ有ｵ馬記念中山第七十一回有馬記念競馬場東京阪神小倉京"))
        if (EncodeCp932(text).size() < width) text += c;
    return text;
}

template <typename Record>
Record Of(const RecordBuilder& builder) {
    Record record;
    record.assign(builder.bytes());
    return record;
}

// A record of '#' bytes with Text in one field: read at a wrong offset or
// width, the field shows '#' or a cut text.
template <typename Record>
Record With(int offset, int width) {
    RecordBuilder builder(Record::Length);
    return Of<Record>(
        builder.setBytes(0, QByteArray(Record::Length, '#')).set({offset, width}, Text(width)));
}

TEST(Records, EveryFieldAtItsOffset) {
    EXPECT_EQ(With<UoRecord>(0, 8).RaceDate(), Text(8));
    EXPECT_EQ(With<UoRecord>(48, 56).RaceTitle(), Text(56));
    EXPECT_EQ(With<UoRecord>(140, 2).Runners(), Text(2));
    for (int k = 0; k < 153; ++k)
        EXPECT_EQ(With<UoRecord>(148 + 12 * k, 7).Quinella(k).QuinellaOdds, Text(7));
    EXPECT_EQ(With<ZoRecord>(0, 8).RaceDate(), Text(8));
    EXPECT_EQ(With<ZoRecord>(48, 56).RaceTitle(), Text(56));
    for (int h = 0; h < 18; ++h) {
        EXPECT_EQ(With<ZoRecord>(143 + 18 * h, 2).Horse(h).HorseNo, Text(2));
        EXPECT_EQ(With<ZoRecord>(145 + 18 * h, 5).Horse(h).WinOdds, Text(5));
        EXPECT_EQ(With<ZoRecord>(150 + 18 * h, 5).Horse(h).PlaceOddsLow, Text(5));
        EXPECT_EQ(With<ZoRecord>(155 + 18 * h, 5).Horse(h).PlaceOddsHigh, Text(5));
    }
    for (int t = 0; t < 36; ++t)
        EXPECT_EQ(With<ZoRecord>(471 + 10 * t, 5).Bracket(t).BracketOdds, Text(5));
    const std::tuple<QString (KsRecord::*)() const, int, int> ks[] = {
        {&KsRecord::RaceDate, 0, 8},        {&KsRecord::CourseName, 8, 4},
        {&KsRecord::RaceNo, 20, 2},         {&KsRecord::RaceTitle, 34, 56},
        {&KsRecord::WinPayout, 376, 8},     {&KsRecord::PlacePayout1, 406, 8},
        {&KsRecord::PlacePayout2, 416, 8},  {&KsRecord::PlacePayout3, 426, 8},
        {&KsRecord::BracketCombo, 455, 3},  {&KsRecord::BracketPayout, 458, 8},
        {&KsRecord::QuinellaCombo, 491, 5}, {&KsRecord::QuinellaPayout, 496, 8}};
    for (const auto& [read, offset, width] : ks)
        EXPECT_EQ((With<KsRecord>(offset, width).*read)(), Text(width)) << offset;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(With<KsRecord>(92 + 40 * i, 2).Place(i).HorseNo, Text(2));
        EXPECT_EQ(With<KsRecord>(94 + 40 * i, 18).Place(i).HorseName, Text(18));
    }
}

TEST(Records, PairOrders) {
    for (int runners : {18, 16, 5}) {
        int k = 0;  // quinella: 1-2, 1-3, ..., 1-N, 2-3, ..., (N-1)-N
        for (int a = 1; a < runners; ++a)
            for (int b = a + 1; b <= runners; ++b)
                EXPECT_EQ(UoRecord::PairOfEntry(k++, runners), std::pair(a, b)) << runners;
    }
    int t = 0;  // brackets: 1-1, 1-2, ..., 1-8, 2-2, ..., 8-8
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b) EXPECT_EQ(ZoRecord::BracketPairOfEntry(t++), std::pair(a, b));
}

TEST(Records, RunnerCountEndsAtTheFirstBlankHorseNumber) {
    RecordBuilder zo = ZoBuilder();
    EXPECT_EQ(Of<ZoRecord>(zo).RunnerCount(), 0);
    for (int h = 0; h < 18; ++h) zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1));
    EXPECT_EQ(Of<ZoRecord>(zo).RunnerCount(), 18);
    EXPECT_EQ(Of<ZoRecord>(zo.set(ZoLayout::HorseNo(12), "")).RunnerCount(), 12);
    EXPECT_EQ(Of<ZoRecord>(zo.set(ZoLayout::HorseNo(5), "")).RunnerCount(), 5);
    // One blank and a digit is a horse number.
    EXPECT_EQ(Of<ZoRecord>(ZoBuilder().setBytes(143, " 1").setBytes(161, "2 ")).RunnerCount(), 2);
}

TEST(Cp932, ControlBytesAndCutCharacters) {
    // Control bytes stand for themselves (ICU would swap 1A, 1C and 7F).
    const QByteArray bytes("\x1a\x1c\x7f\x00\x0a\x94\x6e", 7);
    EXPECT_EQ(DecodeCp932(bytes), QStringLiteral("\x1a\x1c\x7f\0\n馬"));
    EXPECT_EQ(EncodeCp932(QStringLiteral("\x1a\x1c\x7f\0\n馬")), bytes);
    // A character cut by the end of its field gives U+FFFD in that field alone:
    // 馬 (94 6E) split between WinOdds(0) and PlaceOddsLow(0).
    const auto zo = Of<ZoRecord>(ZoBuilder().setBytes(145, QByteArray(" 1.2\x94n 1.5", 10)));
    EXPECT_EQ(zo.Horse(0).WinOdds, QStringLiteral(" 1.2\uFFFD"));
    EXPECT_EQ(zo.Horse(0).PlaceOddsLow, QStringLiteral("n 1.5"));
    bool ok = true;
    EXPECT_EQ(EncodeCp932(QStringLiteral("馬😀"), &ok), QByteArray("\x94\x6e?", 3));
    EXPECT_FALSE(ok);
}

}  // namespace
