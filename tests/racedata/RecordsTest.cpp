#include <gtest/gtest.h>

#include <functional>

#include "racedata/Cp932.h"
#include "racedata/Records.h"
#include "tools/RecordBuilder.h"

namespace {

// A text of exactly `width` CP932 bytes mixing kanji and half-width kana, led
// by the last digit of its tag so that neighbouring fields differ.
QString FieldText(int tag, int width) {
    static const QString tokens[] = {QStringLiteral("馬"), QStringLiteral("ｳ"),
                                     QStringLiteral("連"), QStringLiteral("ﾏ"),
                                     QStringLiteral("枠"), QStringLiteral("ﾄﾞ")};
    QString text = QString::number(tag % 10);
    for (int i = tag;; ++i) {
        const QString& token = tokens[i % 6];
        if (EncodeCp932(text + token).size() > width) break;
        text += token;
    }
    while (EncodeCp932(text).size() < width) text += QStringLiteral("ｰ");
    return text;
}

struct FieldCase {
    QString name;
    int offset;
    int width;
    std::function<QString()> read;
};

// Writes every case's text at its offset into a record otherwise filled with
// '#', so that a field read at a wrong offset or width shows.
RecordBuilder Fill(int length, const std::vector<FieldCase>& cases) {
    RecordBuilder builder(length);
    builder.setBytes(0, QByteArray(length, '#'));
    for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
        builder.set({cases[i].offset, cases[i].width}, FieldText(i, cases[i].width));
    }
    return builder;
}

void ExpectFields(const std::vector<FieldCase>& cases) {
    for (int i = 0; i < static_cast<int>(cases.size()); ++i) {
        EXPECT_EQ(cases[i].read(), FieldText(i, cases[i].width))
            << cases[i].name.toStdString() << " at " << cases[i].offset;
    }
}

TEST(RecordLayoutTest, UoRecordFieldsAtTheirOffsets) {
    UoRecord uo;
    std::vector<FieldCase> cases = {
        {"RaceDate", 0, 8, [&] { return uo.RaceDate(); }},
        {"RaceTitle", 48, 56, [&] { return uo.RaceTitle(); }},
        {"Runners", 140, 2, [&] { return uo.Runners(); }},
    };
    for (int k = 0; k < 153; ++k) {
        cases.push_back({QStringLiteral("QuinellaOdds(%1)").arg(k), 143 + 12 * k + 5, 7,
                         [&uo, k] { return uo.Quinella(k).QuinellaOdds; }});
    }
    const RecordBuilder built = Fill(1979, cases);
    ASSERT_EQ(UoRecord::Length, 1979);
    uo.assign(built.bytes());
    ExpectFields(cases);
    EXPECT_EQ(uo.raw(), built.bytes());  // the runs nothing reads are kept as they are
}

TEST(RecordLayoutTest, ZoRecordFieldsAtTheirOffsets) {
    ZoRecord zo;
    std::vector<FieldCase> cases = {
        {"RaceDate", 0, 8, [&] { return zo.RaceDate(); }},
        {"RaceTitle", 48, 56, [&] { return zo.RaceTitle(); }},
    };
    for (int h = 0; h < 18; ++h) {
        const int entry = 142 + 18 * h;
        cases.push_back({QStringLiteral("HorseNo(%1)").arg(h), entry + 1, 2,
                         [&zo, h] { return zo.Horse(h).HorseNo; }});
        cases.push_back({QStringLiteral("WinOdds(%1)").arg(h), entry + 3, 5,
                         [&zo, h] { return zo.Horse(h).WinOdds; }});
        cases.push_back({QStringLiteral("PlaceOddsLow(%1)").arg(h), entry + 8, 5,
                         [&zo, h] { return zo.Horse(h).PlaceOddsLow; }});
        cases.push_back({QStringLiteral("PlaceOddsHigh(%1)").arg(h), entry + 13, 5,
                         [&zo, h] { return zo.Horse(h).PlaceOddsHigh; }});
    }
    for (int t = 0; t < 36; ++t) {
        cases.push_back({QStringLiteral("BracketOdds(%1)").arg(t), 466 + 10 * t + 5, 5,
                         [&zo, t] { return zo.Bracket(t).BracketOdds; }});
    }
    const RecordBuilder built = Fill(826, cases);
    ASSERT_EQ(ZoRecord::Length, 826);
    zo.assign(built.bytes());
    ExpectFields(cases);
    EXPECT_EQ(zo.raw(), built.bytes());
}

TEST(RecordLayoutTest, KsRecordFieldsAtTheirOffsets) {
    KsRecord ks;
    std::vector<FieldCase> cases = {
        {"RaceDate", 0, 8, [&] { return ks.RaceDate(); }},
        {"CourseName", 8, 4, [&] { return ks.CourseName(); }},
        {"RaceNo", 20, 2, [&] { return ks.RaceNo(); }},
        {"RaceTitle", 34, 56, [&] { return ks.RaceTitle(); }},
        {"WinPayout", 376, 8, [&] { return ks.WinPayout(); }},
        {"PlacePayout1", 406, 8, [&] { return ks.PlacePayout1(); }},
        {"PlacePayout2", 416, 8, [&] { return ks.PlacePayout2(); }},
        {"PlacePayout3", 426, 8, [&] { return ks.PlacePayout3(); }},
        {"BracketCombo", 455, 3, [&] { return ks.BracketCombo(); }},
        {"BracketPayout", 458, 8, [&] { return ks.BracketPayout(); }},
        {"QuinellaCombo", 491, 5, [&] { return ks.QuinellaCombo(); }},
        {"QuinellaPayout", 496, 8, [&] { return ks.QuinellaPayout(); }},
    };
    for (int i = 0; i < 5; ++i) {
        cases.push_back({QStringLiteral("Finisher(%1).HorseNo").arg(i), 90 + 40 * i + 2, 2,
                         [&ks, i] { return ks.Place(i).HorseNo; }});
        cases.push_back({QStringLiteral("Finisher(%1).HorseName").arg(i), 90 + 40 * i + 4, 18,
                         [&ks, i] { return ks.Place(i).HorseName; }});
    }
    const RecordBuilder built = Fill(504, cases);
    ASSERT_EQ(KsRecord::Length, 504);
    ks.assign(built.bytes());
    ExpectFields(cases);
    EXPECT_EQ(ks.raw(), built.bytes());
}

TEST(RecordLayoutTest, BlankingTouchesOnlyItsField) {
    const QByteArray hashes(1979, '#');
    struct Case {
        const char* name;
        FixedRecord* record;
        std::function<void()> blank;
        int offset, width;
    };
    UoRecord uo;
    ZoRecord zo;
    KsRecord ks;
    const Case cases[] = {
        {"Uo RaceTitle", &uo, [&] { uo.BlankRaceTitle(); }, 48, 56},
        {"Zo RaceTitle", &zo, [&] { zo.BlankRaceTitle(); }, 48, 56},
        {"Ks RaceTitle", &ks, [&] { ks.BlankRaceTitle(); }, 34, 56},
        {"Ks RaceDate", &ks, [&] { ks.BlankRaceDate(); }, 0, 8},
    };
    for (const Case& c : cases) {
        c.record->assign(hashes);
        c.blank();
        QByteArray expected = hashes.left(c.record->length());
        expected.replace(c.offset, c.width, QByteArray(c.width, ' '));
        EXPECT_EQ(c.record->raw(), expected) << c.name;
    }
}

TEST(RecordLayoutTest, KsRaceDateOfBlanksMeansNoResult) {
    KsRecord ks;
    EXPECT_FALSE(ks.HasResult());
    ks.assign(KsBuilder().set(KsLayout::RaceDate, QStringLiteral("20261206")).bytes());
    EXPECT_TRUE(ks.HasResult());
    ks.BlankRaceDate();
    EXPECT_FALSE(ks.HasResult());
}

TEST(PairOrderTest, QuinellaEntriesRunThroughThePairsOfTheRunners) {
    for (int runners : {18, 16, 5}) {
        int k = 0;
        for (int a = 1; a < runners; ++a) {
            for (int b = a + 1; b <= runners; ++b, ++k) {
                EXPECT_EQ(UoRecord::PairOfEntry(k, runners), std::make_pair(a, b))
                    << "N " << runners << " entry " << k;
                EXPECT_EQ(UoRecord::EntryOfPair(a, b, runners), k);
            }
        }
        EXPECT_EQ(k, runners * (runners - 1) / 2);
        // The entries past the pairs belong to no pair.
        for (; k < 153; ++k) EXPECT_EQ(UoRecord::PairOfEntry(k, runners), std::make_pair(0, 0));
    }
    EXPECT_EQ(UoRecord::PairOfEntry(119, 16), std::make_pair(15, 16));
    EXPECT_EQ(UoRecord::PairOfEntry(152, 18), std::make_pair(17, 18));
    EXPECT_EQ(UoRecord::EntryOfPair(2, 1, 18), -1);
    EXPECT_EQ(UoRecord::EntryOfPair(3, 3, 18), -1);
    EXPECT_EQ(UoRecord::EntryOfPair(1, 17, 16), -1);
    EXPECT_EQ(UoRecord::EntryOfPair(0, 2, 18), -1);
}

TEST(PairOrderTest, BracketEntriesIncludeThePairsWithinABracket) {
    const char* expected[] = {"1-1", "1-2", "1-3", "1-4", "1-5", "1-6", "1-7", "1-8", "2-2",
                              "2-3", "2-4", "2-5", "2-6", "2-7", "2-8", "3-3", "3-4", "3-5",
                              "3-6", "3-7", "3-8", "4-4", "4-5", "4-6", "4-7", "4-8", "5-5",
                              "5-6", "5-7", "5-8", "6-6", "6-7", "6-8", "7-7", "7-8", "8-8"};
    for (int t = 0; t < 36; ++t) {
        const auto [a, b] = ZoRecord::BracketPairOfEntry(t);
        EXPECT_EQ(QStringLiteral("%1-%2").arg(a).arg(b), QLatin1String(expected[t])) << t;
        EXPECT_EQ(ZoRecord::EntryOfBracketPair(a, b), t);
    }
    EXPECT_EQ(ZoRecord::BracketPairOfEntry(36), std::make_pair(0, 0));
    EXPECT_EQ(ZoRecord::EntryOfBracketPair(2, 1), -1);
    EXPECT_EQ(ZoRecord::EntryOfBracketPair(1, 9), -1);
}

TEST(RunnerCountTest, FirstBlankHorseNumberEndsTheField) {
    auto withHorses = [](std::initializer_list<int> blankEntries) {
        RecordBuilder builder = ZoBuilder();
        for (int h = 0; h < 18; ++h) builder.setRight(ZoLayout::HorseNo(h), QString::number(h + 1));
        for (int h : blankEntries) builder.set(ZoLayout::HorseNo(h), QString());
        ZoRecord zo;
        zo.assign(builder.bytes());
        return zo.RunnerCount();
    };
    EXPECT_EQ(withHorses({}), 18);
    EXPECT_EQ(withHorses({12, 13, 14, 15, 16, 17}), 12);
    EXPECT_EQ(withHorses({12}), 12);  // numbers after the first blank do not count
    EXPECT_EQ(withHorses({5, 12}), 5);
    EXPECT_EQ(withHorses({0}), 0);
    EXPECT_EQ(ZoRecord().RunnerCount(), 0);

    // One blank and a digit is a horse number, not the end of the field.
    ZoRecord zo;
    zo.assign(ZoBuilder().setBytes(143, " 1").setBytes(161, "2 ").bytes());
    EXPECT_EQ(zo.RunnerCount(), 2);
}

TEST(Cp932Test, DecodesWholeFields) {
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"  12.3", QStringLiteral("  12.3")},
        {QByteArray("\x92\x86\x8e\x52", 4), QStringLiteral("中山")},
        {QByteArray("  \xc4\xd8\xb9\xbc", 6), QStringLiteral("  ﾄﾘｹｼ")},
        {QByteArray("\x97\x4c\x94\x6e\x8b\x4c\x94\x4f", 8), QStringLiteral("有馬記念")},
        {QByteArray("\xbb\xb8\xd7 ", 4), QStringLiteral("ｻｸﾗ ")},
        {QByteArray(), QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeCp932(c.bytes), c.text) << c.bytes.toHex().toStdString();
        EXPECT_EQ(EncodeCp932(c.text), c.bytes);
    }
}

TEST(Cp932Test, CharacterCutByTheFieldEndIsReplacedInThatFieldAlone) {
    // "馬" is 94 6E: its first byte ends the win odds, its second begins the
    // lower place odds.
    const QByteArray bytes = QByteArray(" 1.2\x94", 5) + QByteArray("n 1.5", 5);
    EXPECT_EQ(DecodeCp932(QByteArrayView(bytes).first(5)), QStringLiteral(" 1.2\uFFFD"));
    EXPECT_EQ(DecodeCp932(QByteArrayView(bytes).sliced(5)), QStringLiteral("n 1.5"));

    // The same through a record, with a kanji cut by the end of the race title.
    ZoRecord zo;
    zo.assign(ZoBuilder()
                  .set(ZoLayout::RaceTitle, QString(27, QChar(u'中')) + QStringLiteral("a馬"))
                  .setBytes(104, "Z")
                  .bytes());
    EXPECT_EQ(zo.RaceTitle(), QString(27, QChar(u'中')) + QStringLiteral("a\uFFFD"));
    EXPECT_EQ(zo.raw().at(103), '\x94');
    EXPECT_EQ(zo.raw().at(104), 'Z');
}

TEST(Cp932Test, BytesThatAreNoCharacterAreReplaced) {
    // 81 20: a first byte followed by a byte that cannot be its second.
    const QString text = DecodeCp932(QByteArray("A\x81 B", 4));
    EXPECT_TRUE(text.startsWith(u'A'));
    EXPECT_TRUE(text.endsWith(u'B'));
    EXPECT_TRUE(text.contains(QChar::ReplacementCharacter));
}

TEST(Cp932Test, ControlBytesStandForThemselves) {
    const QByteArray bytes("\x1a\x1c\x7f\x00\x0a\x94\x6e", 7);
    const QString text = QString(QChar(0x1A)) + QChar(0x1C) + QChar(0x7F) + QChar(0x00) +
                         QChar(0x0A) + QStringLiteral("馬");
    EXPECT_EQ(DecodeCp932(bytes), text);
    EXPECT_EQ(EncodeCp932(text), bytes);
    // A control byte after the first byte of a character cuts that character.
    EXPECT_EQ(DecodeCp932(QByteArray("A\x81\x01"
                                     "B",
                                     4)),
              QStringLiteral("A\uFFFD") + QChar(0x01) + QStringLiteral("B"));
}

TEST(Cp932Test, EncodingReportsCharactersWithoutACp932Form) {
    bool ok = true;
    EXPECT_EQ(EncodeCp932(QStringLiteral("馬😀"), &ok), QByteArray("\x94\x6e?", 3));
    EXPECT_FALSE(ok);
    EncodeCp932(QStringLiteral("ﾄﾘｹｼ取消"), &ok);
    EXPECT_TRUE(ok);
}

}  // namespace
