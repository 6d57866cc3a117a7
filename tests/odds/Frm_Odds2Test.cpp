#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "OddsTestData.h"
#include "common/Colours.h"
#include "odds/Frm_Odds2.h"
#include "support/Fixtures.h"

namespace {

QString BracketOddsOf(int t) {
    return QStringLiteral("%1.%2").arg(t + 10).arg(t % 10);
}

class BracketWindow : public testing::Test {
protected:
    void open(const RecordBuilder& zo) {
        state.ZoData.assign(zo.bytes());
        window = std::make_unique<Frm_Odds2>(state, lists.selection, picks.sink());
        ShowAndWait(window.get());
    }
    QLabel* cell(int t) {
        return Find<QLabel>(window.get(), QStringLiteral("Lbl_Odds(%1)").arg(t));
    }
    void press(const char* button) { Click(Find<QPushButton>(window.get(), button)); }

    SelectionLists lists;
    AppState state;
    PickRecorder picks;
    MessageRecorder messages;
    std::unique_ptr<Frm_Odds2> window;
};

}  // namespace

TEST_F(BracketWindow, ShowsAllPairsAsStored) {
    lists.select(QStringLiteral("阪神"), BracketQuinella, 3);
    open(BracketRecord(BracketOddsOf));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("枠連"));
    for (int t = 0; t < BracketCellCount; ++t) {
        EXPECT_EQ(cell(t)->text(), BracketOddsOf(t).rightJustified(5)) << t;
        EXPECT_FALSE(cell(t)->isHidden());
        EXPECT_EQ(Find<QLabel>(window.get(), QStringLiteral("Label2(%1)").arg(t))->text(),
                  QString::number(BracketPair(t).second));
    }
    for (int a = 1; a <= 8; ++a) {
        EXPECT_EQ(Find<QLabel>(window.get(), QStringLiteral("Label1(%1)").arg(a - 1))->text(),
                  QString::number(a));
    }
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Date")->text(), QStringLiteral("2026年12月06日"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Place")->text(), QStringLiteral("阪神"));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Race")->text(), QStringLiteral("3"));

    // With the quinella type selected the date comes from UoData.
    lists.select(QStringLiteral("阪神"), Quinella, 3);
    state.UoData.assign(UoBuilder().set(UoLayout::RaceDate, "19990405").bytes());
    open(BracketRecord(BracketOddsOf));
    EXPECT_EQ(Find<QLabel>(window.get(), "Lbl_Date")->text(), QStringLiteral("1999年04月05日"));
}

TEST_F(BracketWindow, ColoursAndBlankCells) {
    open(BracketRecord([](int t) { return t == 0 ? "9.9" : t == 1 ? "10.0" : t == 2 ? "" : "5"; }));
    EXPECT_EQ(Background(cell(0)), Colours::LightCyan);
    EXPECT_EQ(Background(cell(1)), Colours::White);
    EXPECT_EQ(Background(cell(2)), Colours::White);
    for (int t : {0, 1, 2}) Click(cell(t));
    EXPECT_EQ(Background(cell(0)), Colours::Red);
    EXPECT_EQ(Background(cell(1)), Colours::Red);
    EXPECT_EQ(Background(cell(2)), Colours::White);  // blank: not selectable
    Click(cell(0));
    EXPECT_EQ(Background(cell(0)), Colours::LightCyan);
}

TEST_F(BracketWindow, PicksComeBackInCellOrderWithBracketNumbers) {
    open(BracketRecord(BracketOddsOf));
    Click(cell(15));  // 3-3
    press("Cmd_OK");
    EXPECT_EQ(picks.picks, (std::vector<Pick>{{0, " 25.5", "3", "3"}}));

    picks.picks.clear();
    open(BracketRecord(BracketOddsOf));
    for (int t : {35, 0, 20}) Click(cell(t));
    press("Cmd_OK");
    EXPECT_EQ(picks.picks,
              (std::vector<Pick>{
                  {0, " 10.0", "1", "1"}, {1, " 30.0", "3", "8"}, {2, " 45.5", "8", "8"}}));
}

TEST_F(BracketWindow, CancelAndEscHandNothingBack) {
    open(BracketRecord(BracketOddsOf));
    Click(cell(4));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_FALSE(window->isVisible());

    open(BracketRecord(BracketOddsOf));
    Click(cell(4));
    press("Cmd_Cancel");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(picks.picks.empty());
}
