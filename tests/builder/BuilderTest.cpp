#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <random>

#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "builder/BetBuilder.h"
#include "builder/Frm_Build.h"
#include "common/Colours.h"
#include "common/Controls.h"
#include "common/DistributionSheet.h"
#include "common/Kelly.h"
#include "common/Memo.h"
#include "common/MemoFormat.h"
#include "common/SaveFile.h"
#include "distribution/Frm_Separate.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/Market.h"
#include "racedata/OddsHistory.h"
#include "racedata/OddsWatcher.h"
#include "racedata/Value.h"
#include "settings/BacktestFolders.h"
#include "settle/SettleFiles.h"
#include "settle/Settlement.h"
#include "support/Fixtures.h"
#include "trend/TrendFallMarks.h"
#include "trend/TrendFiles.h"

namespace {

// A field of `runners` horses from records built from field values: win odds
// 10.0 unless given ("" scratches a horse), every pair at 50.0 unless given,
// 枠連 odds 20.0 for every pair the brackets make unless given ("" not on sale).
BuildField Field(int runners, const std::map<QString, QString>& win = {},
                 const std::map<QString, QString>& pairs = {},
                 const std::map<QString, QString>& brackets = {}) {
    UoRecord uo;
    ZoRecord zo;
    uo.assign(UoBytes(u"20261206"_qs, runners, pairs));
    zo.assign(ZoBytes(u"20261206"_qs, runners, win, [&](RecordBuilder& b) {
        for (int t = 0; t < ZoLayout::BracketCount; ++t) {
            const auto [x, y] = ZoRecord::BracketPairOfEntry(t);
            const auto it = brackets.find(QStringLiteral("%1-%2").arg(x).arg(y));
            b.setRight(ZoLayout::BracketOdds(t), it == brackets.end() ? u"20.0"_qs : it->second);
        }
    }));
    return BuildFieldOf(RaceOddsOf(&uo, &zo));
}

QStringList Keys(const BuiltBets& built) {
    QStringList keys;
    for (const BuiltBet& bet : built.bets) keys << bet.key();
    return keys;
}

// Nine starters: horses 1 to 7 alone in brackets 1 to 7, horses 8 and 9 in bracket 8.
const BuildField& NineStarters() {
    static const BuildField field = Field(9, {}, {}, {{u"2-3"_qs, u""_qs}});
    return field;
}

const BuildField& Eighteen() {
    static const BuildField field = Field(18, {{u"5"_qs, u""_qs}});
    return field;
}

// Each form's bets, in order (keys joined by spaces), and a note it must give.
TEST(BetBuilder, FormsMakeTheirBets) {
    const BuildField& nine = NineStarters();
    const BuildField& eighteen = Eighteen();
    const struct {
        const BuildField& field;
        BetType kind;
        BetForm form;
        QString first, second;
        bool zorome;
        QString bets, note;
    } cases[] = {
        // clang-format off
        {eighteen, BetType::Quinella, BetForm::Box, u"1 2 3"_qs, {}, false, u"1-2 1-3 2-3"_qs, {}},
        {eighteen, BetType::Quinella, BetForm::Axis, u"7"_qs, u"3, 11, 14, 15"_qs, false, u"3-7 7-11 7-14 7-15"_qs, {}},
        {eighteen, BetType::Quinella, BetForm::Formation, u"7,14"_qs, u"3 7 11"_qs, false, u"3-7 3-14 7-11 7-14 11-14"_qs, {}},
        {eighteen, BetType::Quinella, BetForm::Single, u"3-7　１１－３"_qs, {}, false, u"3-7 3-11"_qs, {}},
        {eighteen, BetType::Win, BetForm::Single, u"１１、3，7"_qs, {}, false, u"3 7 11"_qs, {}},
        {eighteen, BetType::Place, BetForm::Box, u"2 4"_qs, {}, false, u"2 4"_qs, {}},
        {nine, BetType::BracketQuinella, BetForm::Box, u"1 8"_qs, {}, false, u"1-8"_qs, {}},
        // bracket 1 has one starter: 8-8 only
        {nine, BetType::BracketQuinella, BetForm::Box, u"1 8"_qs, {}, true, u"1-8 8-8"_qs, {}},
        {nine, BetType::BracketQuinella, BetForm::Axis, u"8"_qs, u"1 8"_qs, false, u"1-8 8-8"_qs, {}},
        {nine, BetType::BracketQuinella, BetForm::Axis, u"1"_qs, u"1 4"_qs, false, u"1-4"_qs, u"1枠は出走が1頭のため 1-1 を除きました。"_qs},
        {nine, BetType::BracketQuinella, BetForm::Box, u"2 3 4"_qs, {}, false, u"2-4 3-4"_qs, u"発売のない枠連（2-3）を除きました。"_qs},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bets.toStdString());
        const BuiltBets built = BuildBets(c.field, c.kind, c.form, c.first, c.second, c.zorome);
        EXPECT_EQ(built.refusal, QString());
        EXPECT_EQ(Keys(built).join(u' '), c.bets);
        EXPECT_TRUE(c.note.isEmpty() || built.notes.contains(c.note))
            << built.notes.join(u'|').toStdString();
    }
    // A box of n horses makes n(n-1)/2 bets (5 is scratched and left out).
    for (int n = 2; n <= 18; ++n) {
        QStringList numbers;
        for (int h = 1; h <= n; ++h)
            if (h != 5) numbers << QString::number(h);
        const int m = int(numbers.size());
        EXPECT_EQ(
            int(BuildBets(eighteen, BetType::Quinella, BetForm::Box, numbers.join(u' '), {}, false)
                    .bets.size()),
            m * (m - 1) / 2);
    }
}

TEST(BetBuilder, RefusesANumberNamingIt) {
    const struct {
        BetType kind;
        BetForm form;
        QString first, second;
        QString refusal;
    } cases[] = {
        {BetType::Quinella, BetForm::Box, u"3 5 7"_qs, {}, u"5番は出走取消です。"_qs},
        {BetType::Win, BetForm::Single, u"19"_qs, {}, u"19番は出走していません（18頭立て）。"_qs},
        {BetType::Quinella, BetForm::Box, u"3 7 ３"_qs, {}, u"3番が重複しています。"_qs},
        {BetType::Quinella, BetForm::Box, u"3 x"_qs, {}, u"「x」は番号ではありません。"_qs},
        {BetType::Quinella, BetForm::Axis, u"7"_qs, u"3 7"_qs, u"7番は軸と重複しています。"_qs},
        {BetType::Quinella, BetForm::Axis, u"7 8"_qs, u"3"_qs, u"軸は1つだけ入力してください。"_qs},
        {BetType::Quinella, BetForm::Single, u"3-7 7-3"_qs, {}, u"3-7が重複しています。"_qs},
        {BetType::Quinella, BetForm::Single, u"3-5"_qs, {}, u"5番は出走取消です。"_qs},
        {BetType::BracketQuinella, BetForm::Box, u"1 9"_qs, {}, u"9枠はありません。"_qs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.toStdString());
        const BuiltBets built = BuildBets(Eighteen(), c.kind, c.form, c.first, c.second, false);
        EXPECT_EQ(built.refusal, c.refusal);
        EXPECT_TRUE(built.bets.empty());
    }
}

DistributionSheet SheetOf(const std::vector<QString>& odds, qint64 budget) {
    DistributionSheet sheet;
    for (const QString& o : odds) {
        const int row = sheet.addRow();
        sheet.setFirst(row, QString::number(row + 1));
        sheet.setSecond(row, QString::number(row + 2));
        sheet.setOdds(row, o);
    }
    sheet.setBudget(std::optional<double>(double(budget)));
    return sheet;
}

std::vector<qint64> Stakes(const DistributionSheet& sheet) {
    std::vector<qint64> stakes;
    for (const SheetRow& row : sheet.rows()) stakes.push_back(row.stake.value_or(0));
    return stakes;
}

TEST(BetBuilder, SpreadModesKeepTheirPromises) {
    const std::vector<QString> odds{u"34.3"_qs, u"40.5"_qs, u"56.2"_qs, u"9.4"_qs, u"25.6"_qs};
    const LeftOut none(odds.size(), false);
    struct {
        SpreadMode mode;
        qint64 budget;
        std::vector<qint64> stakes;
        QString message;
    } cases[] = {
        // clang-format off
        // The distribution's spread goes over by 100 and says so.
        {SpreadMode::EqualPayout, 2000, {300, 200, 200, 1000, 400}, u"予算を 100円 超えています"_qs},
        // Rounded down (200 200 100 900 300), the 300 left to the largest remainders.
        {SpreadMode::WithinBudget, 2000, {300, 200, 200, 1000, 300}, {}},
        {SpreadMode::Even, 2400, {400, 400, 400, 400, 400}, {}},
        {SpreadMode::WithinBudget, 400, {0, 0, 0, 0, 0}, u"予算 400円 では 5点 を買えません（1点 100円 で 500円 必要です）。"_qs},
        {SpreadMode::Even, 499, {0, 0, 0, 0, 0}, u"予算 499円 では 5点 を買えません（1点 100円 で 500円 必要です）。"_qs},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SpreadModeName(c.mode).toStdString() + " " + std::to_string(c.budget));
        DistributionSheet sheet = SheetOf(odds, c.budget);
        EXPECT_EQ(SpreadBy(c.mode, sheet, none).message, c.message);
        EXPECT_EQ(Stakes(sheet), c.stakes);
    }
    // Odds at the cap take no share of the modes in proportion to 1 / odds.
    DistributionSheet capped = SheetOf({u"999.9"_qs, u"4.0"_qs}, 1000);
    SpreadWithinBudget(capped, {true, false});
    EXPECT_EQ(Stakes(capped), (std::vector<qint64>{0, 1000}));
    SpreadEqualPayout(capped, {true, false});
    EXPECT_EQ(Stakes(capped), (std::vector<qint64>{0, 1000}));
    SpreadEven(capped, {true, false});
    EXPECT_EQ(Stakes(capped), (std::vector<qint64>{500, 500}));
    // Cmb_Mode's entries come from the modes.
    QStringList names;
    for (SpreadMode mode : SpreadModes) names << SpreadModeName(mode);
    EXPECT_EQ(names, (QStringList{u"同額払戻"_qs, u"予算内"_qs, u"均等"_qs, u"ケリー"_qs}));
}

// ケリー stakes the bets of one pool from their chances and the bank: the
// core's stakes on the rows that have a chance, 見送り elsewhere, and a
// message where nothing can be staked.
TEST(BetBuilder, KellyStakesFromChancesAndTheBank) {
    const std::vector<QString> odds{u"4.0"_qs, u"5.0"_qs, u"8.0"_qs, u"999.9"_qs};
    const std::vector<std::optional<double>> chances{0.3, 0.2, 0.1, 0.05};
    const LeftOut capped{false, false, false, true};
    struct {
        std::optional<qint64> bank;
        double fraction;
        std::vector<std::optional<double>> chances;
        std::vector<qint64> stakes;
        QString message;
    } cases[] = {
        // clang-format off
        {110000, 1.0 / 2, chances, {4000, 1000, 0, 0}, {}},
        {110000, 1.0, chances, {8000, 2000, 0, 0}, {}},
        {std::nullopt, 1.0 / 2, chances, {0, 0, 0, 0}, u"資金を入力してください。"_qs},
        {1000, 1.0 / 4, chances, {0, 0, 0, 0}, u"賭け金が 100円 に満たないため、すべて見送りです。"_qs},
        {110000, 1.0 / 2, {0.2, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, u"期待値が見合う買い目がないため、すべて見送りです。"_qs},
        {110000, 1.0 / 2, {std::nullopt, std::nullopt, std::nullopt, std::nullopt}, {0, 0, 0, 0},
         u"確率のわかる買い目がありません（複勝はケリーで配分できません）。"_qs},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        DistributionSheet sheet = SheetOf(odds, 0);
        const SpreadResult result = SpreadBy(SpreadMode::Kelly, sheet,
                                             SpreadInputs(capped, {c.chances, c.bank, c.fraction}));
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(Stakes(sheet), c.stakes);
    }
    DistributionSheet empty;
    EXPECT_TRUE(SpreadKelly(empty, {}, {{}, std::nullopt, 0.5}).message.isEmpty());
}

// 予算内 over random odds and budgets: never above the budget, every bet at
// least 100, whole hundreds, and the 同額払戻 stakes wherever those fit the
// budget exactly.
TEST(BetBuilder, WithinBudgetNeverExceedsItAndMatchesEqualPayoutWhereThatFits) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> count(1, 40), tenths(11, 3000), hundreds(1, 500);
    int matched = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<QString> odds(size_t(count(random)));
        for (QString& o : odds) o = QString::number(tenths(random) / 10.0, 'f', 1);
        const qint64 budget = qint64(hundreds(random)) * 100 + (round % 3 == 0 ? 50 : 0);
        const LeftOut none(odds.size(), false);
        DistributionSheet within = SheetOf(odds, budget);
        const SpreadResult result = SpreadWithinBudget(within, none);
        if (qint64(odds.size()) * 100 > budget) {
            EXPECT_TRUE(!result.message.isEmpty() && within.stakeSum() == 0) << round;
            continue;
        }
        ASSERT_LE(within.stakeSum(), budget) << round;
        EXPECT_GT(within.stakeSum(), budget - qint64(odds.size()) * 100) << round;
        for (qint64 stake : Stakes(within)) ASSERT_TRUE(stake >= 100 && stake % 100 == 0);

        DistributionSheet equal = SheetOf(odds, budget);
        SpreadEqualPayout(equal, none);
        // Where no stake was raised to the 100 minimum and the total is the budget.
        bool fits = equal.stakeSum() == budget;
        for (qint64 stake : Stakes(equal)) fits = fits && stake >= 200;
        if (fits) {
            EXPECT_EQ(Stakes(within), Stakes(equal)) << round;
            ++matched;
        }
    }
    EXPECT_GT(matched, 50);
}

TEST(BetBuilder, TrigamiMarksTheBetsThatLoseOnAHit) {
    DistributionSheet sheet = SheetOf({u"3.1"_qs, u"50.0"_qs, u"8.0"_qs}, 3000);
    SpreadEven(sheet, LeftOut(3, false));  // 1,000 each: a hit of 3.1 pays 3,100 of 3,000
    EXPECT_FALSE(IsTrigami(sheet, 0));
    sheet.setStake(1, 1100);  // total 3,100
    EXPECT_FALSE(IsTrigami(sheet, 0));
    sheet.setStake(2, 1100);  // total 3,200: the 3.1 hit pays 3,100
    EXPECT_TRUE(IsTrigami(sheet, 0) && !IsTrigami(sheet, 1) && !IsTrigami(sheet, 2));
    const TotalLine line = TotalLineOf(sheet);
    EXPECT_EQ(line.text,
              u"合計 3,200円　合成オッズ 2.13倍　払戻 3,100〜55,000円　収支 -100〜+51,800円"_qs);
    EXPECT_TRUE(line.loss);
}

// What OK writes, read back by the settlement: a 30-bet 馬連 block and a 複勝
// block of the race's day, settled against its result.
TEST(BetBuilder, MemoBlocksAreSettled) {
    TempDir data;
    const int course = CourseCodeOf(u"東京");
    const QString tail = QString::number(course) + u"8b.jra"_qs;
    ASSERT_TRUE(data.write(u"uo-"_qs + tail, UoBytes(u"20261206"_qs, 13)));
    ASSERT_TRUE(data.write(u"zo-"_qs + tail, ZoBytes(u"20261206"_qs, 13)));
    KsFields result = QuinellaResult("03-07", "2,310");
    result.place = {u"150"_qs, u"210"_qs, u"330"_qs};  // 7, 3, 12
    ASSERT_TRUE(WriteResult(data, course, 11, result));

    const RaceOddsRead read = ReadRaceOdds(data.path(), {QDate(), course, 11});
    const BuildField field = BuildFieldOf(read.odds);
    const Race race{read.day, course, 11};
    QString memo;
    const auto append = [&](BetType kind, BetForm form, const QString& first, const QString& second,
                            qint64 budget) {
        const BuiltBets built = BuildBets(field, kind, form, first, second, false);
        DistributionSheet sheet = SheetOf({}, budget);
        for (const BuiltBet& bet : built.bets) {
            const int row = sheet.addRow();
            sheet.setFirst(row, QString::number(bet.first));
            sheet.setSecond(row, bet.second ? QString::number(bet.second) : QString());
            sheet.setOdds(row, bet.odds);
        }
        SpreadWithinBudget(sheet, LeftOut(size_t(sheet.size()), false));
        memo += WriteMemoEntry(memo, BuiltSlip(sheet, race, kind));
    };
    append(BetType::Quinella, BetForm::Formation, u"1 2 3"_qs, u"4 5 6 7 8 9 10 11 12 13"_qs,
           30000);
    append(BetType::Place, BetForm::Single, u"7 5"_qs, {}, 1000);
    EXPECT_TRUE(memo.startsWith(u"2026/12/06\r\n東京\t11R\t馬連\r\n"_qs)) << memo.toStdString();
    EXPECT_TRUE(memo.contains(u"\r\n東京\t11R\t複勝\r\n\t5\t500\r\n\t7\t500\r\n"_qs));

    const Settlement settled = SettleMemo(memo, data.path());
    EXPECT_TRUE(settled.skipped.empty());
    ASSERT_EQ(settled.races.size(), 1u);
    const std::vector<SettledBet>& bets = settled.races[0].bets;
    ASSERT_EQ(bets.size(), 32u);
    EXPECT_EQ(settled.totals.stake, 31000);
    EXPECT_EQ(settled.totals.hitBets, 2);  // 3-7 and 複勝 7
    EXPECT_EQ(settled.totals.payout, 1000 / 100 * 2310 + 500 / 100 * 150);
}

// The window, opened from the main window's tool menu for 東京 11R.
class BuildWindow : public testing::Test {
protected:
    void SetUp() override {
        state.DataDir = data.path();
        const int course = CourseCodeOf(u"東京");
        const QString tail = QString::number(course) + u"8b.jra"_qs;
        // As the program does: the files read are kept in the odds history,
        // which holds the download before (3-7 at 31.5).
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        SetOddsFileRead([](const QString& path) { OddsWatcher::instance().record(path); });
        SetFallMarksSource(TrendFallMarks);
        SetBacktestSettingsPath(store.file(u"backtest.ini"_qs));  // no calibration: β = 1
        const QString uo = data.file(u"uo-"_qs + tail);
        const QDateTime now = QDateTime::currentDateTime();
        ASSERT_TRUE(
            WriteAt(uo, UoBytes(u"20261206"_qs, 14, {{u"3-7"_qs, u"31.5"_qs}}), now.addSecs(-900)));
        ASSERT_TRUE(RecordSnapshot(uo).stored);
        // Now 3-7 pays 3.1, 7-11 8.0, the other pairs 50.0.
        ASSERT_TRUE(WriteAt(
            uo, UoBytes(u"20261206"_qs, 14, {{u"3-7"_qs, u"3.1"_qs}, {u"7-11"_qs, u"8.0"_qs}}),
            now));
        ASSERT_TRUE(
            data.write(u"zo-"_qs + tail,
                       ZoBytes(u"20261206"_qs, 14, {{u"9"_qs, u""_qs}}, [](RecordBuilder& b) {
                           for (int t = 0; t < ZoLayout::BracketCount; ++t)
                               b.setRight(ZoLayout::BracketOdds(t), u"20.0"_qs);
                       })));
        main = std::make_unique<Frm_Main>(state);
        Find<QComboBox>(main.get(), u"Cmb_Place"_qs)->setCurrentText(u"東京"_qs);
        Find<QComboBox>(main.get(), u"Cmb_Race"_qs)->setCurrentIndex(10);
        ShowAndWait(main.get());
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == main.get(); }));
        QAction* item = main->findChild<QAction*>(u"Build"_qs);
        ASSERT_TRUE(item && item->text() == u"買い目作成"_qs &&
                    Find<QMenu>(main.get(), u"Tool"_qs)->actions().contains(item));
        item->trigger();
        window = main->buildWindow();
        ASSERT_TRUE(window && QTest::qWaitFor([&] { return window->isActiveWindow(); }));
    }
    void TearDown() override {
        delete window.data();
        SetOddsFileRead({});
        SetFallMarksSource({});
        SetOddsHistoryPath({});
        SetBacktestSettingsPath({});
    }

    template <typename T>
    T* find(const char* name) {
        return Find<T>(window, QString::fromLatin1(name));
    }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    void choose(const char* combo, int steps) {
        auto* box = find<QComboBox>(combo);
        box->setFocus();
        for (int i = 0; i < steps; ++i) QTest::keyClick(box, Qt::Key_Down);
    }
    void type(const char* box, const char* text) {
        auto* edit = find<QLineEdit>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QStringList column(int c) {
        auto* grid = find<QTableWidget>("Grd_Bets");
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r) texts << grid->item(r, c)->text();
        return texts;
    }

    MessageRecorder messages;
    TempDir data, store;
    AppState state;
    std::unique_ptr<Frm_Main> main;
    QPointer<Frm_Build> window;
};

TEST_F(BuildWindow, FormationSpreadTrigamiRemovedStakeTypedAndOkWritesTheMemo) {
    EXPECT_EQ(window->windowTitle(), u"買い目作成"_qs);
    EXPECT_EQ(find<QComboBox>("Cmb_Kind")->currentText(), u"馬連"_qs);  // the main window's type
    EXPECT_TRUE(label("Lbl_Title").startsWith(u"東京 11R　2026年12月06日"_qs));
    choose("Cmb_Form", 3);  // フォーメーション
    type("Txt_First", "7,14");
    for (int n : {3, 7, 11}) Click(Find<QPushButton>(window, ElementName("Cmd_Second", n)));
    EXPECT_EQ(find<QLineEdit>("Txt_Second")->text(), u"3 7 11"_qs);
    EXPECT_TRUE(Find<QPushButton>(window, ElementName("Cmd_Second", 7))->isChecked());
    EXPECT_FALSE(
        Find<QPushButton>(window, ElementName("Cmd_Second", 9))->isEnabled());  // scratched
    EXPECT_EQ(label("Lbl_Count"), u"5点"_qs);
    EXPECT_EQ(column(0), (QStringList{u"3-7"_qs, u"3-14"_qs, u"7-11"_qs, u"7-14"_qs, u"11-14"_qs}));
    // The falls since the download before (3-7 from 31.5, 7-11 from 50.0) are marked.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !column(5).join(QString()).isEmpty(); }));
    EXPECT_EQ(column(5), (QStringList{u"▼急落 -90%"_qs, {}, u"▼急落 -84%"_qs, {}, {}}));
    EXPECT_EQ(find<QTableWidget>("Grd_Bets")->item(0, 5)->toolTip().left(7), u"前回 31.5"_qs);

    type("Txt_Budget", "5000");
    choose("Cmb_Mode", 2);  // 均等
    EXPECT_EQ(column(2), QStringList(5, u"1000"_qs));
    EXPECT_EQ(column(3).first(), u"3,100"_qs);
    EXPECT_EQ(column(4).first(), u"-1,900"_qs);
    auto* grid = find<QTableWidget>("Grd_Bets");
    EXPECT_EQ(grid->item(0, 4)->foreground().color(), Colours::Red);
    EXPECT_NE(grid->item(1, 4)->foreground().color(), Colours::Red);
    EXPECT_EQ(label("Lbl_Total"),
              u"合計 5,000円　合成オッズ 1.97倍　払戻 3,100〜50,000円　収支 -1,900〜+45,000円"_qs);

    Click(find<QPushButton>("Cmd_Trigami"));
    EXPECT_EQ(label("Lbl_Count"), u"4点"_qs);
    EXPECT_EQ(column(2), QStringList(4, u"1200"_qs));
    EXPECT_TRUE(label("Lbl_Note").contains(u"トリガミの 3-7 を除きました。"_qs));

    // A stake typed in the table: the totals follow, and the window says it is over.
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    // The first key opens the editor, which takes the others.
    for (char c : std::string("2000")) QTest::keyClick(QApplication::focusWidget(), c);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return label("Lbl_Total").startsWith(u"合計 5,600円"_qs); }));
    EXPECT_EQ(label("Lbl_Message"), u"予算を 600円 超えています"_qs);

    Click(find<QPushButton>("Cmd_OK"));
    const MemoReading memo = ReadMemo(MemoText(Find<QPlainTextEdit>(main.get(), u"Txt_Main"_qs)));
    ASSERT_EQ(memo.blocks.size(), 1u);
    EXPECT_EQ(memo.blocks[0].day, QDate(2026, 12, 6));
    EXPECT_EQ(memo.blocks[0].kind, BetType::Quinella);
    ASSERT_EQ(memo.blocks[0].bets.size(), 4u);
    EXPECT_EQ(memo.blocks[0].bets[0].stake, 2000);
    EXPECT_TRUE(messages.shown.empty());

    SetSaveFileDialog(
        [&](QWidget*, const QString&, const QString&) { return data.file(u"bets.csv"_qs); });
    Click(find<QPushButton>("Cmd_Save"));
    SetSaveFileDialog({});
    const QByteArray csv = data.read(u"bets.csv"_qs);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF券種,買い目,第1,第2,オッズ,金額,払戻,収支\r\n"));
    EXPECT_TRUE(csv.contains("\r\n馬連,馬連 3-14,3,14,50.0,2000,100000,94400\r\n")) << csv.data();

    EXPECT_EQ(HelpSection(window), u"build"_qs);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
}

TEST_F(BuildWindow, RefusalsBracketsAndTheMainWindowsRace) {
    type("Txt_First", "3 9");  // ボックス is not chosen: 通常 takes pairs
    EXPECT_EQ(label("Lbl_Refusal"),
              u"「3」は組番ではありません（3-7 のように入力してください）。"_qs);
    choose("Cmb_Form", 1);
    EXPECT_EQ(label("Lbl_Refusal"), u"9番は出走取消です。"_qs);
    EXPECT_EQ(label("Lbl_Count"), u"0点"_qs);
    Click(find<QPushButton>("Cmd_OK"));
    EXPECT_EQ(messages.texts(), QStringList{u"9番は出走取消です。"_qs});

    // 枠連 ボックス of brackets 1, 7, 8 (14 runners: 7 and 8 have two each).
    find<QComboBox>("Cmb_Kind")->setFocus();
    QTest::keyClick(find<QComboBox>("Cmb_Kind"), Qt::Key_Up);
    EXPECT_EQ(find<QComboBox>("Cmb_Kind")->currentText(), u"枠連"_qs);
    type("Txt_First", "1 7 8");
    EXPECT_EQ(label("Lbl_Count"), u"3点"_qs);
    Click(find<QWidget>("Chk_Zorome"));
    EXPECT_EQ(label("Lbl_Count"), u"5点"_qs);  // 7-7 and 8-8
    EXPECT_EQ(column(0), (QStringList{u"1-7"_qs, u"1-8"_qs, u"7-7"_qs, u"7-8"_qs, u"8-8"_qs}));

    // Another race in the main window: the window follows it.
    Find<QComboBox>(main.get(), u"Cmb_Race"_qs)->setCurrentIndex(9);
    EXPECT_TRUE(label("Lbl_Title").startsWith(u"東京 10R"_qs));
    EXPECT_EQ(label("Lbl_Count"), u"0点"_qs);
}

// ケリー in the window: the bank and fraction replace the budget, the stakes
// are the core's from the race's chances, 見送り shown, only staked bets written.
TEST_F(BuildWindow, KellyStakesTheBankOnTheRacesChances) {
    // Horses 3 and 7 favoured: pairs with 3 at 50.0 are worth more than they cost.
    const QString zo = data.file(u"zo-"_qs + QString::number(CourseCodeOf(u"東京")) + u"8b.jra"_qs);
    ASSERT_TRUE(WriteAt(zo,
                        ZoBytes(u"20261206"_qs, 14,
                                {{u"3"_qs, u"2.0"_qs}, {u"7"_qs, u"3.0"_qs}, {u"9"_qs, u""_qs}}),
                        QDateTime::currentDateTime()));
    auto* races = Find<QComboBox>(main.get(), u"Cmb_Race"_qs);
    races->setCurrentIndex(9);
    races->setCurrentIndex(10);  // the window reads the race again
    choose("Cmb_Form", 1);
    type("Txt_First", "3 7 11 14");
    type("Txt_Budget", "100");  // a budget left from another mode plays no part
    choose("Cmb_Mode", 3);
    EXPECT_FALSE(find<QLineEdit>("Txt_Budget")->isEnabled());
    EXPECT_EQ(label("Lbl_Message"), u"資金を入力してください。"_qs);
    type("Txt_Bank", "100000");
    EXPECT_EQ(label("Lbl_Message"), QString());

    const RaceOddsRead read =
        ReadRaceOdds(data.path(), Race{QDate(2026, 12, 6), CourseCodeOf(u"東京"), 11});
    const RaceChances chances = ChancesOfRace(read.odds, AnalyseMarket(read.odds), 1.0);
    const QStringList bets = column(0);
    const auto expected = [&](double fraction) {
        std::vector<KellyBet> kelly;
        for (const QString& bet : bets) {
            const int a = bet.section(u'-', 0, 0).toInt(), b = bet.section(u'-', 1, 1).toInt();
            kelly.push_back(
                {*chances.of(BetType::Quinella, a, b), read.odds.quinellaOf(a, b).toDouble()});
        }
        QStringList texts;
        for (qint64 stake : KellyStakes(kelly, 100000, fraction))
            texts << (stake ? QString::number(stake) : u"見送り"_qs);
        return texts;
    };
    EXPECT_EQ(column(2), expected(0.5));
    // 3-7 at 3.1 is not worth it; two bets staked at least.
    const qsizetype skipped = column(2).count(u"見送り"_qs);
    EXPECT_TRUE(skipped >= 1 && skipped + 2 <= column(2).size())
        << column(2).join(u' ').toStdString();
    EXPECT_TRUE(find<QLabel>("Lbl_Basis")->isVisible() && label("Lbl_Basis").contains(u"推定"_qs) &&
                label("Lbl_Basis").contains(u"β = 1"_qs));
    choose("Cmb_Fraction", 2);  // 1/4
    EXPECT_EQ(column(2), expected(0.25));

    Click(find<QPushButton>("Cmd_OK"));
    const MemoReading memo = ReadMemo(MemoText(Find<QPlainTextEdit>(main.get(), u"Txt_Main"_qs)));
    ASSERT_EQ(memo.blocks.size(), 1u);
    EXPECT_EQ(memo.blocks[0].bets.size(), size_t(column(2).size() - skipped));
}

// 資金配分 says when its total goes over the budget, under the total.
TEST(SeparateOver, TheLineUnderTheTotalSaysByHowMuch) {
    QComboBox place, type, race;
    FillSelectionLists(&place, &type, &race);
    AppState state;
    Frm_Separate window(state, RaceSelection(&place, &type, &race));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* over = Find<QLabel>(&window, u"Lbl_Over"_qs);
    const auto enter = [&](const QString& name, const char* text) {
        auto* box = Find<QLineEdit>(&window, name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    };
    const char* odds[] = {"34.3", "40.5", "56.2", "9.4", "25.6"};
    for (int i = 0; i < 5; ++i) enter(ElementName("Txt_Odds", i), odds[i]);
    enter(u"Txt_Total_Pay"_qs, "2000");
    EXPECT_EQ(Find<QLabel>(&window, u"Lbl_Real_Pay"_qs)->text(), u"2100"_qs);
    EXPECT_EQ(over->text(), u"予算超過 100円"_qs);
    EXPECT_EQ(Foreground(over), Colours::Red);
    enter(u"Txt_Total_Pay"_qs, "2100");
    EXPECT_EQ(over->text(), QString());
}

}  // namespace
