#include <gtest/gtest.h>

#include <QStringEncoder>

#include "racedata/Cp932.h"
#include "settle/BetCsv.h"
#include "settle/Settlement.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

// A day's memo against its results, each bet as its line of the CSV file saved
// from the table, and the day's totals.
TEST(SettleDay, EveryBetAgainstItsResultAsItsCsvLineAndTheTotals) {
    TempDir dir;
    // 東京11R: 7, 3, 12 home of 14 runners; the third place payout blank.
    KsFields tokyo11 = QuinellaResult();
    tokyo11.place = {u"180"_qs, u"240"_qs, QString()};
    tokyo11.bracketCombo = u"3-3"_qs;
    tokyo11.bracketPayout = u"1,450"_qs;
    // 中山1R: horse 5 scratched; 1, 2, 3 home; the win payout unreadable.
    KsFields nakayama1{
        .finish = {1, 2, 3}, .win = u"不明"_qs, .place = {u"110"_qs, u"150"_qs, u"200"_qs}};
    nakayama1.quinellaCombo = u" 1- 2"_qs;
    nakayama1.quinellaPayout = u"870"_qs;
    KsFields noDate = tokyo11;
    noDate.date = u"        "_qs;
    ASSERT_TRUE(WriteResult(dir, 5, 11, tokyo11) && WriteOdds(dir, 5, 11, 14) &&
                WriteResult(dir, 6, 1, nakayama1) && WriteOdds(dir, 6, 1, 10, {5}) &&
                WriteResult(dir, 9, 6, noDate));  // 阪神6R undated, 5R no file
    const Settlement s = SettleMemo(
        u"東京\t11R\t馬連\r\n\t7-3\t800\r\n\t3-12\t500\r\n\r\n東京\t11R\t枠連\r\n\t3-3\t300\r\n"
        u"\t3-4\t200\r\n\r\n東京\t11R\t単・複勝\r\n\t7\t400\r\n\t3\t100\r\n\r\n"
        u"東京\t11R\t複勝\r\n\t3\t200\r\n\t12\t300\r\n\t5\t100\r\n\r\n"
        u"中山\t1R\t馬連\r\n\t5-2\t1000\r\n\t1-2\t500\r\n\r\n中山\t1R\t単・複勝\r\n\t5\t300\r\n"
        u"\t1\t200\r\n\r\n阪神\t5R\t馬連\r\n\t1-2\t600\r\n\r\n阪神\t6R\t複勝\r\n\t1\t100\r\n"_qs,
        dir.path());
    // clang-format off
    const QByteArray csv = BetsCsv(s.rows());
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(csv.mid(3)).split(u"\r\n"_qs), QStringList({
        u"日付,競馬場,レース,券種,買い目,番号1,番号2,購入,結果,払戻,収支,備考"_qs,
        u"2026/12/06,東京,11R,馬連,馬連 3-7,3,7,800,的中,18480,17680,"_qs,  // u"7-3"_qs against u"03-07"_qs
        u"2026/12/06,東京,11R,馬連,馬連 3-12,3,12,500,不的中,0,-500,"_qs,
        u"2026/12/06,東京,11R,枠連,枠連 3-3,3,3,300,的中,4350,4050,"_qs,  // a pair within one bracket
        u"2026/12/06,東京,11R,枠連,枠連 3-4,3,4,200,不的中,0,-200,"_qs,
        u"2026/12/06,東京,11R,単勝,単勝 7,7,,400,的中,2240,1840,単勝として計算"_qs,  // 単・複勝 settled as 単勝
        u"2026/12/06,東京,11R,単勝,単勝 3,3,,100,不的中,0,-100,単勝として計算"_qs,
        u"2026/12/06,東京,11R,複勝,複勝 3,3,,200,的中,480,280,"_qs,
        u"2026/12/06,東京,11R,複勝,複勝 12,12,,300,払戻不明,,,結果の複勝3着の払戻金が読めません"_qs,
        u"2026/12/06,東京,11R,複勝,複勝 5,5,,100,不的中,0,-100,"_qs,
        u"2026/12/06,中山,1R,馬連,馬連 2-5,2,5,1000,返還,1000,0,"_qs,  // pair reads ﾄﾘｹｼ
        u"2026/12/06,中山,1R,馬連,馬連 1-2,1,2,500,的中,4350,3850,"_qs,
        u"2026/12/06,中山,1R,単勝,単勝 5,5,,300,返還,300,0,単勝として計算"_qs,  // no win odds
        u"2026/12/06,中山,1R,単勝,単勝 1,1,,200,払戻不明,,,単勝として計算、結果の払戻金が読めません"_qs,
        u",阪神,5R,馬連,馬連 1-2,1,2,600,未確定,,,結果がまだありません"_qs,  // no file
        u",阪神,6R,複勝,複勝 1,1,,100,未確定,,,結果がまだありません"_qs,    // result without a date
        u""_qs}));
    // clang-format on
    // Settled: 東京 2,600 staked for 25,550; 中山 1,800 for 5,650 (two refunds, one hit);
    // the 東京11R blocks gather in one race.
    const Totals& t = s.totals;
    EXPECT_EQ(std::tuple(t.stake, t.payout, t.balance()), std::tuple(4400, 31200, 26800));
    EXPECT_EQ(HitText(t), u"レース 2/2 (100.0%)　買い目 5/9 (55.6%)"_qs);
    EXPECT_EQ(PendingText(t), u"4件 1,200円"_qs);  // 払戻不明 300 and 200, 未確定 600 and 100
}

// 東京1R, 単勝 13 for 1,000円, against the "ks-" files beside each other: only
// the result of the odds' date counts, and one that cannot be read leaves the
// bet 未確定 with the reason.
TEST(SettleResults, OnlyAWholeResultOfTheOddsDateCounts) {
    struct Ks {
        const char *stem, *date;
        int winner = 13;
        int size = KsLayout::Length;  // bytes of the file; 0 for all zero bytes
    };
    // clang-format off
    const struct { bool odds; std::vector<Ks> ks; const char *date, *outcome, *note; } cases[] = {
        // with odds of 2026/12/06 or without odds; the result files; the bet's date and outcome
        {true, {{"082", "20251116"}}, "2026/12/06", "未確定", "結果の日付が違います 2025/11/16"},
        {true, {{"081", "20251116"}, {"082", "20261206", 5}}, "2026/12/06", "不的中", ""},
        {false, {{"082", "20251116"}}, "2025/11/16", "的中", ""},
        {true, {{"081", "20261206", 13, 100}}, "2026/12/06", "未確定", "結果ファイルが壊れています"},
        {true, {{"081", "20261206", 13, 0}}, "2026/12/06", "未確定", "結果の日付が読めません"},
        {false, {{"081", "2025111 "}}, "", "未確定", "結果の日付が読めません"},
        {false, {{"081", "20260230"}}, "", "未確定", "結果の日付が読めません"},
        {true, {{"081", "20261206", 0}}, "2026/12/06", "未確定", "結果の1着の馬番が読めません"},
        {true, {}, "2026/12/06", "未確定", "結果がまだありません"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        TempDir dir;
        ASSERT_TRUE(!c.odds || WriteOdds(dir, 5, 1, 14));
        for (const Ks& ks : c.ks) {
            const KsFields f{.date = QString::fromLatin1(ks.date),
                             .finish = {ks.winner, 1, 2},
                             .win = u"1,100"_qs};
            ASSERT_TRUE(
                dir.write(KsName(5, 1, ks.stem), ks.size ? ResultRecord(1, f).bytes().left(ks.size)
                                                         : QByteArray(KsLayout::Length, '\0')));
        }
        const Settlement s = SettleMemo(u"東京 1R 単勝\n 13 1000\n"_qs, dir.path());
        ASSERT_EQ(s.races.size(), 1u);
        const BetLine& row = s.races[0].bets[0].row;
        EXPECT_EQ(std::tuple(s.races[0].date, row.date, row.outcome, row.note, s.totals.stake),
                  std::tuple(QString::fromUtf8(c.date), QString::fromUtf8(c.date),
                             QString::fromUtf8(c.outcome), QString::fromUtf8(c.note),
                             row.outcome == u"未確定"_qs ? 0 : 1000));
    }
}

// 東京11R on two days, their files side by side: 2026/11/29 (stems 7 and 507,
// 10 runners, horse 3 scratched, 5 won at 900) and 2026/12/06 (stems 8 and
// 508, 14 runners, 7 won at 560). A block settles against the day of the date
// line above it, else the day chosen, else the race's newest day.
TEST(SettleDays, EachBlockAgainstItsDaysFiles) {
    TempDir dir;
    KsFields before{.date = u"20261129"_qs, .finish = {5, 1, 2}, .win = u"900"_qs};
    KsFields today = QuinellaResult();
    ASSERT_TRUE(WriteOdds(dir, 5, 11, 10, {3}, u"20261129"_qs, true, '7') &&
                WriteResult(dir, 5, 11, before, "507") && WriteOdds(dir, 5, 11, 14) &&
                WriteResult(dir, 5, 11, today, "508"));
    const QString bets = u"東京 11R 単勝\n 7 1000\n 3 500\n 12 100\n"_qs;
    const QStringList on1129{u"2026/11/29 7 不的中"_qs, u"2026/11/29 3 返還"_qs};
    const QStringList on1206{u"2026/12/06 7 的中"_qs, u"2026/12/06 3 不的中"_qs,
                             u"2026/12/06 12 不的中"_qs};
    const QString misdated = u"未確定 結果の日付が違います 2026/11/29"_qs;
    const QDate chosen(2026, 11, 29);
    // clang-format off
    const struct { QString memo; QDate day; QStringList rows; int races, skipped; } cases[] = {
        {u"2026/11/29\n"_qs + bets + u" 2026年12月06日 \n"_qs + bets, {}, on1129 + on1206, 2, 1},
        {bets, {}, on1206, 1, 0},
        {bets, chosen, on1129, 1, 1},
        {u"2026/12/06\n"_qs + bets, chosen, on1206, 1, 0},
        {u"2026/11/22\n"_qs + bets, {}, {u"2026/11/22 7 "_qs + misdated, u"2026/11/22 3 "_qs + misdated,
                                         u"2026/11/22 12 "_qs + misdated}, 1, 0}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo.toStdString() + c.day.toString().toStdString());
        const Settlement s = SettleMemo(c.memo, dir.path(), c.day);
        QStringList rows;
        for (const BetLine& row : s.rows())
            rows << QStringList{row.date, row.bet, row.outcome, row.note}.join(u' ').trimmed();
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(std::tuple(int(s.races.size()), int(s.skipped.size())),
                  std::tuple(c.races, c.skipped));
        // 12 was never on sale in a race of 10.
        if (c.skipped) {
            EXPECT_EQ(s.skipped[0].reason, u"馬番 12 は出走していません（10頭立て）"_qs);
        }
    }
    // 5,600 back of 1,600 on 2026/12/06; 500 refunded of 1,000 + 500 on 2026/11/29.
    const Totals& t = SettleMemo(cases[0].memo, dir.path()).totals;
    EXPECT_EQ(std::tuple(t.stake, t.payout, t.hitRaces, t.decidedRaces),
              std::tuple(3100, 6100, 1, 2));
}

// 複勝 bet by bet, 7, 3 and 6 home: a placed horse with its payout is
// paid, one whose payout is blank is 払戻不明 naming the place, an unplaced one
// lost; below eight starters the third is not placed.
TEST(SettleResults, EachPlaceBetOnItsOwn) {
    // clang-format off
    const struct { int runners; std::array<const char16_t*, 3> payouts; QStringList outcomes; } cases[] = {
        {14, {u"180", u"", u"300"}, {u"7 的中 1800"_qs, u"3 払戻不明 結果の複勝2着の払戻金が読めません"_qs,
                                      u"6 的中 3000"_qs, u"5 不的中 0"_qs}},
        {14, {u"180", u"240", u" "}, {u"7 的中 1800"_qs, u"3 的中 2400"_qs,
                                       u"6 払戻不明 結果の複勝3着の払戻金が読めません"_qs, u"5 不的中 0"_qs}},
        {7, {u"180", u"240", u""}, {u"7 的中 1800"_qs, u"3 的中 2400"_qs, u"6 不的中 0"_qs,
                                     u"5 不的中 0"_qs}}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runners);
        TempDir dir;
        KsFields f = QuinellaResult();
        f.finish = {7, 3, 6};
        for (int i = 0; i < 3; ++i) f.place[i] = QString::fromUtf16(c.payouts[i]);
        ASSERT_TRUE(WriteOdds(dir, 5, 11, c.runners) && WriteResult(dir, 5, 11, f));
        const Settlement s =
            SettleMemo(u"東京 11R 複勝\n 7 1000\n 3 1000\n 6 1000\n 5 1000\n"_qs, dir.path());
        QStringList outcomes;
        for (const BetLine& row : s.rows()) {
            outcomes << QStringList{row.bet, row.outcome,
                                    row.payout ? QString::number(*row.payout) : row.note}
                            .join(u' ');
        }
        EXPECT_EQ(outcomes, c.outcomes);
    }
}

// A result whose winner or combination for the bet's type cannot be read
// leaves the bet 未確定, never 不的中.
TEST(SettleResults, UnreadableFieldsOfTheBetsTypeLeaveItPending) {
    TempDir dir;
    KsFields f = QuinellaResult(" 3- x", "2,310");
    f.place = {u"180"_qs, u"240"_qs, u"300"_qs};
    f.finish = {7, 0, 12};
    f.bracketCombo = u"  -"_qs;
    ASSERT_TRUE(WriteResult(dir, 5, 11, f));
    const Settlement s = SettleMemo(
        u"東京 11R 馬連\n 3-7 100\n\n東京 11R 枠連\n 3-5 100\n\n東京 11R 複勝\n 5 100\n\n"
        u"東京 11R 単勝\n 7 100\n"_qs,
        dir.path());
    QStringList outcomes;
    for (const SettledBet& bet : s.races.at(0).bets) outcomes << bet.row.outcome + bet.row.note;
    EXPECT_EQ(outcomes, QStringList({u"未確定結果の馬連の組番が読めません"_qs,
                                     u"未確定結果の枠連の組番が読めません"_qs,
                                     u"未確定結果の複勝の着順が読めません"_qs, u"的中"_qs}));
}

// With the race's odds files, a bet that was never on sale (a horse beyond
// the runners, a bracket pair without 枠連 odds) is listed and counted
// nowhere; without them it is settled as any other.
TEST(SettleResults, BetsNotOnSaleAreListedNotCounted) {
    TempDir dir;
    ASSERT_TRUE(WriteOdds(dir, 5, 11, 14) && WriteResult(dir, 5, 11, QuinellaResult()) &&
                WriteOdds(dir, 6, 1, 10, {}, u"20261206"_qs, false) &&
                WriteResult(dir, 6, 1, QuinellaResult()) &&
                WriteResult(dir, 9, 5, QuinellaResult()));
    const Settlement s = SettleMemo(
        u"東京 11R 単勝\n 16 1000\n 3 100\n\n"       // 1-4
        u"東京 11R 馬連\n 9-17 1000\n 9-14 100\n\n"  // 5-8
        u"中山 1R 枠連\n 2-3 1000\n\n"               // 9-11
        u"阪神 5R 単勝\n 16 100\n"_qs,               // 12-13
        dir.path());
    QStringList skipped;
    for (const SkippedLine& line : s.skipped)
        skipped << QStringLiteral("%1:%2:%3").arg(line.line).arg(line.text.trimmed(), line.reason);
    EXPECT_EQ(skipped, QStringList({u"2:16 1000:馬番 16 は出走していません（14頭立て）"_qs,
                                    u"6:9-17 1000:馬番 17 は出走していません（14頭立て）"_qs,
                                    u"10:2-3 1000:枠連 2-3 は発売されていません"_qs}));
    ASSERT_EQ(s.races.size(), 2u);  // 中山1R had no bet on sale
    EXPECT_EQ(std::tuple(s.races[0].bets.size(), s.races[1].bets.at(0).row.outcome, s.totals.stake,
                         s.totals.decidedBets),
              std::tuple(2u, u"不的中"_qs, 300, 3));
}

// 枠連 (14 runners: brackets 1 and 2 of one horse, 3 to 8 of two) is refunded
// when a bracket of the pair has no starter left, a ゾロ目 when its bracket has
// fewer than two.
TEST(SettleResults, BracketPairsRefundedByTheirStartersLeft) {
    // clang-format off
    const struct { std::initializer_list<int> scratched; const char *bet, *outcome; } cases[] = {
        {{1}, "1-3", "返還"},   {{1}, "3-4", "不的中"},  {{3}, "3-3", "返還"},
        {{3}, "3-4", "不的中"}, {{3, 4}, "4-3", "返還"}, {{}, "3-3", "不的中"}};
    // clang-format on
    KsFields f = QuinellaResult();
    f.bracketCombo = u"5-6"_qs;
    f.bracketPayout = u"1,230"_qs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bet);
        TempDir dir;
        ASSERT_TRUE(WriteOdds(dir, 5, 11, 14, c.scratched) && WriteResult(dir, 5, 11, f));
        const Settlement s =
            SettleMemo(u"東京 11R 枠連\n "_qs + QLatin1String(c.bet) + u" 500\n"_qs, dir.path());
        EXPECT_EQ(s.races.at(0).bets.at(0).row.outcome, QString::fromUtf8(c.outcome));
    }
}

TEST(SettleTexts, AmountsAndRates) {
    EXPECT_EQ(YenText(-1200) + YenText(123456789012), u"-1,200円123,456,789,012円"_qs);
    // 0.05 rounds up; no stake, no rate.
    EXPECT_EQ(QStringList({RateText(0, 1000), RateText(2, 3), RateText(1, 2000), RateText(500, 0)}),
              QStringList({u"0.0%"_qs, u"66.7%"_qs, u"0.1%"_qs, u"-"_qs}));
}

TEST(ReadMemo, HandEditedForms) {
    // clang-format off
    const struct {
        const char *memo, *place; int race; BetType kind; int first, second; qint64 stake;
    } cases[] = {
        {"東京　１１Ｒ　馬連\n　７－３　１，２００円\n", "東京", 11, BetType::Quinella, 7, 3, 1200},
        {"東京 11 枠連\r\n 07-03 1,200円\r\n", "東京", 11, BetType::BracketQuinella, 7, 3, 1200},
        {"小倉  ９r  複勝\n\t12\t\t300\n", "小倉", 9, BetType::Place, 12, 0, 300},
        {"中京 1R 馬連\n 3 − 7 ¥500\n", "中京", 1, BetType::Quinella, 3, 7, 500},
        {"新潟 2R 馬連\n 3-7 1,200 円\n", "新潟", 2, BetType::Quinella, 3, 7, 1200}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo);
        const MemoReading r = ReadMemo(QString::fromUtf8(c.memo));
        EXPECT_TRUE(r.skipped.empty()) << r.skipped.front().reason.toStdString();
        ASSERT_TRUE(r.blocks.size() == 1 && r.blocks[0].bets.size() == 1);
        const MemoBlock& b = r.blocks[0];
        const MemoBet& bet = b.bets[0];
        EXPECT_EQ(
            std::tuple(b.place, b.race, b.kind, bet.first, bet.second, bet.stake, bet.line),
            std::tuple(QString::fromUtf8(c.place), c.race, c.kind, c.first, c.second, c.stake, 2));
    }
}

TEST(ReadMemo, LinesNotReadAreListedWithTheirNumbers) {
    // clang-format off
    const MemoReading r = ReadMemo(QString::fromUtf8(
        "今日の予定\n東京\t11R\t馬連\n"               // 1, 2
        "\t3-7\t800\n\t3-19\t500\n\t3-3\t500\n"       // 3 read, 4, 5
        "\t2-5\t550\n\t2-5\t0\n\t2-5\n\n"             // 6, 7, 8
        "東京\t11R\t枠連\n\t3-9\t200\n\n"             // 10, 11
        "大井\t11R\t馬連\n\t1-2\t100\n\n"             // 13, 14
        "東京\t13R\t単勝\n\n"                         // 16
        "東京\t12R\t単勝\n\t3-7\t100\n\t十\t100\n\n"  // 18, 19, 20
        "中山\t1R\t馬連\n\n"                          // 22, no bets
        "東京\t11R\t馬連\n\t3-7\t100\n"               // 24, 25 read
        "中山 1R 三連単\n\t3-7\t200\n\n"              // 26 ends the block, 27
        "5R 三連単\n\t3-7\t200\n"));                  // 29, 30
    QStringList skipped;
    for (const auto& line : r.skipped) skipped << QString::number(line.line) + ':' + line.reason;
    EXPECT_EQ(skipped, QStringList({
        u"1:見出し（競馬場・レース・券種）の下にない行です"_qs, u"4:馬番「19」が 1～18 ではありません"_qs,
        u"5:馬連の買い目「3-3」が同じ馬番の組です"_qs, u"6:金額が 100 円単位ではありません"_qs,
        u"7:金額が 0 円です"_qs, u"8:買い目と金額の行ではありません"_qs,
        u"11:枠番「9」が 1～8 ではありません"_qs, u"13:競馬場「大井」がわかりません"_qs,
        u"14:見出しが読めない組の行です"_qs, u"16:レース番号が 1～12 ではありません"_qs,
        u"19:単勝・複勝の買い目「3-7」が馬番ひとつではありません"_qs, u"20:馬番「十」が 1～18 ではありません"_qs,
        u"22:見出しの後に買い目がありません"_qs, u"26:見出し（競馬場・レース・券種）が読めません"_qs,
        u"27:見出しが読めない組の行です"_qs, u"29:見出し（競馬場・レース・券種）が読めません"_qs,
        u"30:見出しが読めない組の行です"_qs}));
    // clang-format on
    ASSERT_EQ(r.blocks.size(), 2u);
    EXPECT_EQ(std::tuple(r.blocks[0].bets.size(), r.blocks[1].bets.size()), std::tuple(1u, 1u));
}

// A line holding only a date sets the day of the blocks under it and ends the
// block above; one that is no calendar date is listed and changes nothing.
TEST(ReadMemo, DateLinesSetTheDayOfTheBlocksUnderThem) {
    const MemoReading r =
        ReadMemo(QString::fromUtf8("東京 1R 単勝\n 1 100\n 2026/12/06 \n"    // 1-3
                                   "東京 2R 単勝\n 1 100\n2026年11月29日\n"  // 4-6
                                   " 2 100\n２０２６／１２／０７\n"          // 7, 8
                                   "東京 3R 単勝\n 1 100\n2026/13/01\n"      // 9-11
                                   "東京 4R 単勝\n 1 100\n"));               // 12, 13
    QStringList days, skipped;
    for (const MemoBlock& block : r.blocks) days << block.day.toString(u"yyyyMMdd"_qs);
    for (const auto& line : r.skipped) skipped << QString::number(line.line) + ':' + line.reason;
    EXPECT_EQ(days, QStringList({{}, u"20261206"_qs, u"20261207"_qs, u"20261207"_qs}));
    EXPECT_EQ(skipped, QStringList({u"7:見出し（競馬場・レース・券種）の下にない行です"_qs,
                                    u"11:日付「2026/13/01」は暦にありません"_qs}));
}

// UTF-16 after its byte-order mark, UTF-8 with or without one, else CP932.
TEST(DecodeMemoFile, Utf8Cp932OrUtf16) {
    const QString text = u"東京\t11R\t馬連\r\n"_qs;
    const auto withBom = [&](QStringConverter::Encoding encoding) -> QByteArray {
        return QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text);
    };
    for (const QByteArray& bytes :
         {withBom(QStringConverter::Utf16LE), withBom(QStringConverter::Utf16BE),
          withBom(QStringConverter::Utf8), text.toUtf8(), EncodeCp932(text)})
        EXPECT_EQ(DecodeMemoFile(bytes), text) << bytes.toHex().toStdString();
}
