#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/Frm_Main.h"
#include "common/Colours.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "recommend/Frm_Special.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

struct Odds {
    const char* win;
    const char* low;
    const char* high;
};

// The odds of the worked example: ◎ 1, ○ 2, △ 4, ★ 5, ▲ 6.
const std::vector<Odds> Example = {
    {"2.1", "1.1", "1.2"},  {"5.6", "1.5", "2.3"},  {"9.8", "2.0", "3.1"}, {"35.2", "3.5", "4.6"},
    {"48.0", "4.2", "5.0"}, {"12.5", "2.8", "3.9"}, {"ﾄﾘｹｼ", "", ""}};
// Another race: ◎ 3, ○ 1, ▲ 2.
const std::vector<Odds> Other = {
    {"6.0", "2.0", "2.0"}, {"20.0", "5.0", "5.0"}, {"3.0", "2.0", "2.0"}, {"", "", ""}};

class Recommendation : public ::testing::Test {
protected:
    void SetUp() override {
        state.DataDir = data.path();
        window = std::make_unique<Frm_Main>(state);
        window->move(120, 90);
        ShowAndWait(window.get());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Select(QStringLiteral("東京"), 11);
    }
    void TearDown() override {
        for (Frm_Special* w : Windows()) delete w;
        window.reset();
    }

    void Select(const QString& place, int race) {
        window->Cmb_Place->setCurrentText(place);
        window->Cmb_Race->setCurrentIndex(race - 1);
    }

    // An odds file of 東京 (course 5) for race character raceChar.
    void WriteOdds(const QString& raceChar, const std::vector<Odds>& odds) {
        RecordBuilder zo = ZoBuilder();
        zo.set(ZoLayout::RaceDate, QStringLiteral("20261206"))
            .set(ZoLayout::RaceTitle, QStringLiteral("テスト特別"));
        for (std::size_t i = 0; i < odds.size(); ++i) {
            const int h = int(i);
            zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
                .setRight(ZoLayout::WinOdds(h), QString::fromUtf8(odds[i].win))
                .setRight(ZoLayout::PlaceOddsLow(h), QString::fromUtf8(odds[i].low))
                .setRight(ZoLayout::PlaceOddsHigh(h), QString::fromUtf8(odds[i].high));
        }
        ASSERT_TRUE(zo.writeTo(data.file(QStringLiteral("zo-52%1.jra").arg(raceChar))));
    }
    // A result file of 東京 race 11 with horses 3, 7 and 1 first, second and third.
    void WriteResult(const TempDir& dir, const QString& date = QStringLiteral("20261206")) {
        RecordBuilder ks = KsBuilder();
        ks.set(KsLayout::RaceDate, date)
            .setRight(KsLayout::FinisherHorseNo(0), QStringLiteral("3"))
            .setRight(KsLayout::FinisherHorseNo(1), QStringLiteral("7"))
            .setRight(KsLayout::FinisherHorseNo(2), QStringLiteral("1"));
        ASSERT_TRUE(ks.writeTo(dir.file(QStringLiteral("ks-5261b.jra"))));
    }

    // The recommendation windows that are open.
    static std::vector<Frm_Special*> Windows() {
        std::vector<Frm_Special*> found;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* special = qobject_cast<Frm_Special*>(w);
            if (special && special->isVisible()) found.push_back(special);
        }
        return found;
    }
    static QString Mark(Frm_Special* w, int row) {
        return Find<QLabel>(w, QStringLiteral("Lbl_Mark(%1)").arg(row))->text();
    }

    TempDir data;
    AppState state;
    MessageRecorder messages;
    std::unique_ptr<Frm_Main> window;
};

}  // namespace

TEST_F(Recommendation, OpensAtTheMainWindowWithMarksAndResult) {
    WriteOdds(QStringLiteral("b"), Example);
    WriteResult(data);
    Click(window->Cmd_Special);

    ASSERT_EQ(Windows().size(), 1u);
    Frm_Special* w = Windows().front();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w->pos(), window->pos());
    EXPECT_EQ(state.ZoStem, QStringLiteral("zo-52"));
    EXPECT_EQ(Mark(w, 0), QStringLiteral("◎"));
    EXPECT_EQ(Mark(w, 4), QStringLiteral("★"));
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Place")->text(), QStringLiteral("東京"));
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Race")->text(), QStringLiteral("11"));
    EXPECT_EQ(Background(Find<QLabel>(w, "Lbl_Mark(2)")), QColor(255, 0, 0));  // result read
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_EQ(Windows().size(), 1u);  // its own activation changes nothing
}

TEST_F(Recommendation, WithoutAnOddsFileNoWindowButTheResultIsReloaded) {
    const struct {
        const char* name;
        bool resultFile;
        bool raceSelected;
    } cases[] = {{"result file present", true, true},
                 {"no result file: the old result is blanked", false, true},
                 {"no race selected", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;  // no odds file in it
        state.DataDir = dir.path();
        if (c.resultFile) WriteResult(dir, QStringLiteral("20261205"));
        // A result of another race is held from an earlier load.
        state.KsData.assign(
            KsBuilder().set(KsLayout::RaceDate, QStringLiteral("19990101")).bytes());
        if (!c.raceSelected) window->Cmb_Race->setCurrentIndex(-1);
        messages.clear();

        Click(window->Cmd_Special);

        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf16(MsgOddsMissing));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
        EXPECT_TRUE(Windows().empty());
        EXPECT_EQ(state.KsData.RaceDate(), c.resultFile && c.raceSelected
                                               ? QStringLiteral("20261205")
                                               : QStringLiteral("        "));
        window->Cmb_Race->setCurrentIndex(10);
    }
}

TEST_F(Recommendation, IncompleteSelectionReadsNothing) {
    WriteOdds(QStringLiteral("b"), Example);
    window->Cmb_Place->setCurrentIndex(-1);
    state.KsData.assign(KsBuilder().set(KsLayout::RaceDate, QStringLiteral("19990101")).bytes());
    Click(window->Cmd_Special);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("場名を選択してください。")});
    EXPECT_EQ(state.KsData.RaceDate(), QStringLiteral("19990101"));
    EXPECT_TRUE(Windows().empty());
}

TEST_F(Recommendation, PressingAgainForTheSameRaceKeepsTheDisplay) {
    WriteOdds(QStringLiteral("b"), Example);
    Click(window->Cmd_Special);
    ASSERT_EQ(Windows().size(), 1u);
    QPointer<Frm_Special> first = Windows().front();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));

    // New odds on disk, the main window moved and active again.
    WriteOdds(QStringLiteral("b"), Other);
    window->move(200, 150);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Click(window->Cmd_Special);

    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(Windows().front(), first.data());
    EXPECT_EQ(first->pos(), window->pos());
    EXPECT_EQ(Mark(first, 0), QStringLiteral("◎"));                     // as it was
    EXPECT_EQ(state.ZoData.Horse(2).WinOdds, QStringLiteral("  3.0"));  // though read again
}

TEST_F(Recommendation, AnotherRaceRebuildsOnActivationAndTheButtonFollows) {
    WriteOdds(QStringLiteral("b"), Example);
    WriteOdds(QStringLiteral("3"), Other);
    Click(window->Cmd_Special);
    ASSERT_EQ(Windows().size(), 1u);
    QPointer<Frm_Special> first = Windows().front();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    Select(QStringLiteral("東京"), 3);
    Click(window->Cmd_Special);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    ASSERT_EQ(Windows().size(), 1u);
    QPointer<Frm_Special> second = Windows().front();
    EXPECT_EQ(Find<QLabel>(second, "Lbl_Race")->text(), QStringLiteral("3"));
    EXPECT_EQ(Mark(second, 2), QStringLiteral("◎"));
    EXPECT_EQ(second->pos(), window->pos());

    // The main window now holds the new window: pressing again reuses it.
    ASSERT_TRUE(QTest::qWaitForWindowActive(second));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Click(window->Cmd_Special);
    ASSERT_TRUE(QTest::qWaitForWindowActive(second));
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(Windows().front(), second.data());

    // Another racecourse picked and the window clicked, without the button:
    // rebuilt from the records held, with the new name.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Select(QStringLiteral("京都"), 3);
    second->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.isNull(); }));
    ASSERT_EQ(Windows().size(), 1u);
    EXPECT_EQ(Find<QLabel>(Windows().front(), "Lbl_Place")->text(), QStringLiteral("京都"));
    EXPECT_EQ(Mark(Windows().front(), 2), QStringLiteral("◎"));
}
