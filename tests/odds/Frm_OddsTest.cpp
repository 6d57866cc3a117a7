#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "OddsTestData.h"
#include "common/Colours.h"
#include "odds/Frm_Odds.h"
#include "support/Fixtures.h"

namespace {

QString CellName(int a, int b) {
    return QStringLiteral("Lbl_Uma(%1)").arg(QuinellaCell(a, b));
}

class QuinellaWindow : public testing::Test {
protected:
    void open(const RecordBuilder& record) {
        state.UoData.assign(record.bytes());
        window = std::make_unique<Frm_Odds>(state, lists.selection, picks.sink());
        ShowAndWait(window.get());
    }
    QLabel* cell(int a, int b) { return Find<QLabel>(window.get(), CellName(a, b)); }
    void click(int a, int b) { Click(cell(a, b)); }
    void press(const char* button) { Click(Find<QPushButton>(window.get(), button)); }

    SelectionLists lists;
    AppState state;
    PickRecorder picks;
    MessageRecorder messages;
    std::unique_ptr<Frm_Odds> window;
};

}  // namespace

TEST_F(QuinellaWindow, ShowsThePairsOfTheRunnersInTheirFixedCells) {
    for (int n : {18, 16, 5}) {
        SCOPED_TRACE(n);
        open(QuinellaRecord(QStringLiteral("%1").arg(n, 2), n, PairOdds));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("馬連"));
        for (int i = 0; i < QuinellaCellCount; ++i) {
            const auto [a, b] = QuinellaPair(i);
            auto* uma = Find<QLabel>(window.get(), QStringLiteral("Lbl_Uma(%1)").arg(i));
            auto* second = Find<QLabel>(window.get(), QStringLiteral("Label2(%1)").arg(i));
            EXPECT_EQ(uma->isHidden(), b > n) << i;
            EXPECT_EQ(second->isHidden(), b > n) << i;
            EXPECT_EQ(second->text(), QString::number(b));
            if (b <= n) {
                EXPECT_EQ(uma->text(), QStringLiteral("%1").arg(PairOdds(a, b), 6)) << i;
                EXPECT_TRUE(uma->alignment() & Qt::AlignRight);
            }
        }
        for (int a = 1; a <= 17; ++a) {
            auto* header = Find<QLabel>(window.get(), QStringLiteral("Label1(%1)").arg(a - 1));
            EXPECT_EQ(header->text(), QString::number(a));
            EXPECT_EQ(header->isHidden(), a >= n) << a;
        }
    }
}

TEST_F(QuinellaWindow, RunnersOutsideTheGridStillOpenTheWindow) {
    const std::pair<const char*, int> cases[] = {{"19", 153}, {"ab", 0}, {" 1", 0}, {"  ", 0}};
    for (const auto& [runners, shown] : cases) {
        SCOPED_TRACE(runners);
        open(QuinellaRecord(QLatin1String(runners), 18, PairOdds));
        const auto cells = window->findChildren<QLabel*>(QRegularExpression("^Lbl_Uma"));
        const auto headers = window->findChildren<QLabel*>(QRegularExpression("^Label1"));
        EXPECT_EQ(std::count_if(cells.begin(), cells.end(), [](auto* c) { return !c->isHidden(); }),
                  shown);
        EXPECT_EQ(
            std::count_if(headers.begin(), headers.end(), [](auto* c) { return !c->isHidden(); }),
            shown ? 17 : 0);
    }
}

TEST_F(QuinellaWindow, HeadingShowsDateRaceAndTitle) {
    lists.select(QStringLiteral("東京"), Quinella, 11);
    open(QuinellaRecord("18", 18, PairOdds));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Date")->text(), QStringLiteral("1999年04月05日"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Place")->text(), QStringLiteral("東京"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Race")->text(), QStringLiteral("11"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Label4")->text(), QStringLiteral("R"));
    // The title as stored: 21 double-byte characters and the field's 14 blanks.
    const QString title = QStringLiteral("第５９回皐月賞（ＧⅠ）　サラ系３歳オープン");
    EXPECT_EQ(Find<QLabel>(window.get(), "Label3")->text(), title + QString(56 - 42, u' '));

    open(QuinellaRecord("18", 18, PairOdds).set(UoLayout::RaceDate, "19991340"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Date")->text(), QString());
}

TEST_F(QuinellaWindow, ScratchedPairShowsItsMarkAndCannotBePicked) {
    open(QuinellaRecord("18", 18, PairOdds)
             .set(UoLayout::QuinellaOdds(QuinellaEntryIndex(3, 7, 18)), QStringLiteral("  ﾄﾘｹｼ")));
    EXPECT_EQ(cell(3, 7)->text(), QStringLiteral("ﾄﾘｹｼ"));
    EXPECT_EQ(Background(cell(3, 7)), Colours::White);
    click(3, 7);
    EXPECT_EQ(Background(cell(3, 7)), Colours::White);
    press("Cmd_OK");
    EXPECT_TRUE(picks.picks.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(QuinellaWindow, ColoursFollowOddsAndSelection) {
    open(QuinellaRecord("18", 18, [](int a, int) { return a == 1 ? "9.9" : "10.0"; }));
    for (auto [b, colour] : {std::pair{2, Colours::LightCyan}, {3, Colours::LightCyan}}) {
        EXPECT_EQ(Background(cell(1, b)), colour);
    }
    EXPECT_EQ(Background(cell(2, 3)), Colours::White);
    click(1, 2);
    click(2, 3);
    EXPECT_EQ(Background(cell(1, 2)), Colours::Red);
    EXPECT_EQ(Background(cell(2, 3)), Colours::Red);
    click(1, 2);
    click(2, 3);
    EXPECT_EQ(Background(cell(1, 2)), Colours::LightCyan);
    EXPECT_EQ(Background(cell(2, 3)), Colours::White);
}

TEST_F(QuinellaWindow, OkHandsPicksBackInCellOrder) {
    open(QuinellaRecord("18", 18, PairOdds));
    click(2, 3);
    click(1, 2);
    click(5, 9);
    click(5, 9);  // deselected again
    press("Cmd_OK");
    EXPECT_EQ(picks.picks, (std::vector<Pick>{{0, "  22.2", "1", "2"}, {1, "  43.3", "2", "3"}}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(QuinellaWindow, NinthPickIsRefusedAndTheEightKept) {
    open(QuinellaRecord("18", 18, PairOdds));
    for (int b = 2; b <= 9; ++b) click(1, b);
    click(1, 10);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("選択は８通りまでです。"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_NE(Background(cell(1, 10)), Colours::Red);
    press("Cmd_OK");
    ASSERT_EQ(picks.picks.size(), 8u);
    EXPECT_EQ(picks.picks.back(), (Pick{7, QStringLiteral("%1").arg(PairOdds(1, 9), 6), "1", "9"}));
}

TEST_F(QuinellaWindow, OkWithNothingAndEveryWayOutWithoutOkHandBackNothing) {
    open(QuinellaRecord("18", 18, PairOdds));
    press("Cmd_OK");
    EXPECT_EQ(window->result(), QDialog::Accepted);

    const std::function<void(QDialog*)> leave[] = {
        [](QDialog* w) { Click(Find<QPushButton>(w, "Cmd_Cancel")); },
        [](QDialog* w) { QTest::keyClick(w, Qt::Key_Escape); }, [](QDialog* w) { w->close(); }};
    for (const auto& how : leave) {
        open(QuinellaRecord("18", 18, PairOdds));
        click(1, 2);
        how(window.get());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), QDialog::Rejected);
    }
    EXPECT_TRUE(picks.picks.empty());
}
