#include <gtest/gtest.h>

#include "racedata/Cp932.h"
#include "settle/BetCsv.h"
#include "settle/Settlement.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

namespace {

// 東京11R: 7, 3, 12 home; the third place is not paid (a blank payout).
KsFields Tokyo11() {
    KsFields f;
    f.finish = {7, 3, 12};
    f.win = QStringLiteral("560");
    f.place = {QStringLiteral("180"), QStringLiteral("240"), QString()};
    f.bracketCombo = QStringLiteral("3-3");
    f.bracketPayout = QStringLiteral("1,450");
    f.quinellaCombo = QStringLiteral("03-07");
    f.quinellaPayout = QStringLiteral("2,310");
    return f;
}

// 中山1R: horse 5 scratched; 1, 2, 3 home; the win payout unreadable.
KsFields Nakayama1() {
    KsFields f;
    f.finish = {1, 2, 3};
    f.win = QStringLiteral("不明");
    f.place = {QStringLiteral("110"), QStringLiteral("150"), QStringLiteral("200")};
    f.quinellaCombo = QStringLiteral(" 1- 2");
    f.quinellaPayout = QStringLiteral("870");
    return f;
}

const char* const Day =
    "東京\t11R\t馬連\r\n\t7-3\t800\r\n\t3-12\t500\r\n\r\n"
    "東京\t11R\t枠連\r\n\t3-3\t300\r\n\t3-4\t200\r\n\r\n"
    "東京\t11R\t単・複勝\r\n\t7\t400\r\n\t3\t100\r\n\r\n"
    "東京\t11R\t複勝\r\n\t3\t200\r\n\t12\t300\r\n\t5\t100\r\n\r\n"
    "中山\t1R\t馬連\r\n\t5-2\t1000\r\n\t1-2\t500\r\n\r\n"
    "中山\t1R\t単・複勝\r\n\t5\t300\r\n\t1\t200\r\n\r\n"
    "阪神\t5R\t馬連\r\n\t1-2\t600\r\n\r\n"
    "阪神\t6R\t複勝\r\n\t1\t100\r\n\r\n";

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << QString::fromUtf8(text);
    return list;
}

class SettleDay : public ::testing::Test {
protected:
    SettleDay() {
        EXPECT_TRUE(WriteResult(dir, 5, 11, Tokyo11()));
        EXPECT_TRUE(WriteOdds(dir, 5, 11, 14));
        EXPECT_TRUE(WriteResult(dir, 6, 1, Nakayama1()));
        EXPECT_TRUE(WriteOdds(dir, 6, 1, 10, 5));
        KsFields noDate = Tokyo11();
        noDate.date = QStringLiteral("        ");
        EXPECT_TRUE(WriteResult(dir, 9, 6, noDate));  // 阪神5R has no file at all
    }
    TempDir dir;
};

}  // namespace

// Each bet against its result, as its line of the CSV file saved from the table.
TEST_F(SettleDay, EveryBetAgainstItsResultAsItsCsvLine) {
    const Settlement s = SettleMemo(QString::fromUtf8(Day), dir.path());
    const QByteArray csv = BetsCsv(s.rows());
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(
        QString::fromUtf8(csv.mid(3)).split(u"\r\n"_qs),
        Texts({"日付,競馬場,レース,券種,買い目,番号1,番号2,購入,結果,払戻,収支,備考",
               "2026/12/06,東京,11R,馬連,馬連 3-7,3,7,800,的中,18480,17680,",  // "7-3" against "03-07"
               "2026/12/06,東京,11R,馬連,馬連 3-12,3,12,500,不的中,0,-500,",
               "2026/12/06,東京,11R,枠連,枠連 3-3,3,3,300,的中,4350,4050,",  // a pair within one bracket
               "2026/12/06,東京,11R,枠連,枠連 3-4,3,4,200,不的中,0,-200,",
               "2026/12/06,東京,11R,単勝,単勝 7,7,,400,的中,2240,1840,",  // 単・複勝 settled as 単勝
               "2026/12/06,東京,11R,単勝,単勝 3,3,,100,不的中,0,-100,",
               "2026/12/06,東京,11R,複勝,複勝 3,3,,200,的中,480,280,",
               "2026/12/06,東京,11R,複勝,複勝 12,12,,300,不的中,0,-300,",  // third, third place not paid
               "2026/12/06,東京,11R,複勝,複勝 5,5,,100,不的中,0,-100,",
               "2026/12/06,中山,1R,馬連,馬連 2-5,2,5,1000,返還,1000,0,",  // pair reads ﾄﾘｹｼ
               "2026/12/06,中山,1R,馬連,馬連 1-2,1,2,500,的中,4350,3850,",
               "2026/12/06,中山,1R,単勝,単勝 5,5,,300,返還,300,0,",  // no win odds
               "2026/12/06,中山,1R,単勝,単勝 1,1,,200,払戻不明,,,",
               ",阪神,5R,馬連,馬連 1-2,1,2,600,未確定,,,",  // no file
               ",阪神,6R,複勝,複勝 1,1,,100,未確定,,,",    // result without a date
               ""}));
    ASSERT_EQ(s.races.size(), 4u);  // the 東京11R blocks gather in one race
    EXPECT_TRUE(s.races[0].bets[4].asWin);
    EXPECT_FALSE(s.races[0].bets[6].asWin);
}

TEST_F(SettleDay, TotalsRateAndHitRate) {
    const Totals t = SettleMemo(QString::fromUtf8(Day), dir.path()).totals;
    // Settled: 東京 2,900 staked for 25,550; 中山 1,800 for 5,650 (two refunds, one hit).
    EXPECT_EQ(std::tuple(t.stake, t.payout, t.balance()), std::tuple(4700, 31200, 26500));
    EXPECT_EQ(RateText(t.payout, t.stake), u"663.8%"_qs);
    EXPECT_EQ(HitText(t), u"レース 2/2 (100.0%)　買い目 5/10 (50.0%)"_qs);
    EXPECT_EQ(PendingText(t), u"3件 900円"_qs);  // 払戻不明 200, 未確定 600 and 100
}

TEST(SettleTexts, AmountsAndRates) {
    EXPECT_EQ(YenText(0), u"0円"_qs);
    EXPECT_EQ(YenText(-1200), u"-1,200円"_qs);
    EXPECT_EQ(YenText(123456789012), u"123,456,789,012円"_qs);
    EXPECT_EQ(RateText(0, 1000), u"0.0%"_qs);
    EXPECT_EQ(RateText(2, 3), u"66.7%"_qs);
    EXPECT_EQ(RateText(1, 2000), u"0.1%"_qs);  // 0.05 rounds up
    EXPECT_EQ(RateText(500, 0), u"-"_qs);
}

TEST(ReadMemo, HandEditedForms) {
    const struct {
        const char* memo;
        const char* place;
        int race;
        BetType kind;
        int first, second;
        qint64 stake;
    } cases[] = {
        {"東京　１１Ｒ　馬連\n　７－３　１，２００円\n", "東京", 11, Quinella, 7, 3, 1200},
        {"東京 11 枠連\r\n 07-03 1,200円\r\n", "東京", 11, BracketQuinella, 7, 3, 1200},
        {"小倉  ９r  複勝\n\t12\t\t300\n", "小倉", 9, Place, 12, 0, 300},
        {"阪神\t12R\t単勝\n 3 \t 100円 ", "阪神", 12, Win, 3, 0, 100},
        {"中京 1R 馬連\n 3 − 7 ¥500\n", "中京", 1, Quinella, 3, 7, 500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo);
        const MemoReading r = ReadMemo(QString::fromUtf8(c.memo));
        EXPECT_TRUE(r.skipped.empty()) << r.skipped.front().reason.toStdString();
        ASSERT_EQ(r.blocks.size(), 1u);
        const MemoBlock& b = r.blocks[0];
        ASSERT_EQ(b.bets.size(), 1u);
        const MemoBet& bet = b.bets[0];
        EXPECT_EQ(
            std::tuple(b.place, b.race, b.kind, bet.first, bet.second, bet.stake, bet.line),
            std::tuple(QString::fromUtf8(c.place), c.race, c.kind, c.first, c.second, c.stake, 2));
    }
}

TEST(ReadMemo, LinesNotReadAreListedWithTheirNumbers) {
    const char* memo =
        "今日の予定\n"       // 1
        "東京\t11R\t馬連\n"  // 2
        "\t3-7\t800\n"       // 3 read
        "\t3-19\t500\n"      // 4
        "\t3-3\t500\n"       // 5
        "\t2-5\t550\n"       // 6
        "\t2-5\t0\n"         // 7
        "\t2-5\n"            // 8
        "\n"
        "東京\t11R\t枠連\n"  // 10
        "\t3-9\t200\n"       // 11
        "\n"
        "大井\t11R\t馬連\n"  // 13
        "\t1-2\t100\n"       // 14
        "\n"
        "東京\t13R\t単勝\n"  // 16
        "\n"
        "東京\t12R\t単勝\n"  // 18
        "\t3-7\t100\n"       // 19
        "\t十\t100\n"        // 20
        "\n"
        "中山\t1R\t馬連\n"  // 22, no bets
        "\n";
    const MemoReading r = ReadMemo(QString::fromUtf8(memo));
    QStringList skipped;
    for (const auto& line : r.skipped) skipped << QString::number(line.line) + ':' + line.reason;
    EXPECT_EQ(skipped, Texts({
                           "1:見出し（競馬場・レース・券種）の下にない行です",
                           "4:馬番「19」が 1～18 ではありません",
                           "5:馬連の買い目「3-3」が同じ馬番の組です",
                           "6:金額が 100 円単位ではありません",
                           "7:金額が 0 円です",
                           "8:買い目と金額の行ではありません",
                           "11:枠番「9」が 1～8 ではありません",
                           "13:競馬場「大井」がわかりません",
                           "14:見出しが読めない組の行です",
                           "16:レース番号が 1～12 ではありません",
                           "19:単勝・複勝の買い目「3-7」が馬番ひとつではありません",
                           "20:馬番「十」が 1～18 ではありません",
                           "22:見出しの後に買い目がありません",
                       }));
    ASSERT_EQ(r.blocks.size(), 1u);
    EXPECT_EQ(r.blocks[0].bets.size(), 1u);
}

TEST(DecodeMemoFile, Utf8OrCp932) {
    const QString text = u"東京\t11R\t馬連\r\n"_qs;
    EXPECT_EQ(DecodeMemoFile(text.toUtf8()), text);
    EXPECT_EQ(DecodeMemoFile("\xEF\xBB\xBF" + text.toUtf8()), text);
    EXPECT_EQ(DecodeMemoFile(EncodeCp932(text)), text);
}
