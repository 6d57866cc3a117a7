#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "OddsTestData.h"
#include "odds/Frm_Odds3.h"
#include "support/Fixtures.h"

namespace {

QLabel* Label(QWidget* window, const char* name, int h) {
    return Find<QLabel>(window, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(h));
}

}  // namespace

TEST(WinPlaceWindow, ShowsAllEighteenRowsAsStored) {
    SelectionLists lists;
    lists.select(QStringLiteral("小倉"), WinPlace, 12);
    AppState state;
    // A 10-runner race: entries 11 to 18 hold blanks and still show.
    RecordBuilder zo = BracketRecord([](int) { return "12.0"; });
    for (int h = 10; h < 18; ++h) {
        zo.set(ZoLayout::HorseNo(h), "").set(ZoLayout::WinOdds(h), "");
        zo.set(ZoLayout::PlaceOddsLow(h), "").set(ZoLayout::PlaceOddsHigh(h), "");
    }
    zo.set(ZoLayout::WinOdds(0), "  2.3");
    state.ZoData.assign(zo.bytes());

    Frm_Odds3 window(state, lists.selection);
    ShowAndWait(&window);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("単・複"));
    EXPECT_EQ(Find<QLabel>(&window, "Lbl_Date")->text(), QStringLiteral("2026年12月06日"));
    EXPECT_EQ(Find<QLabel>(&window, "Lbl_Place")->text(), QStringLiteral("小倉"));
    EXPECT_EQ(Find<QLabel>(&window, "Lbl_Race")->text(), QStringLiteral("12"));
    EXPECT_EQ(Label(&window, "Lbl_Odds_T", 0)->text(), QStringLiteral("  2.3"));
    EXPECT_TRUE(Label(&window, "Lbl_Odds_T", 0)->alignment() & Qt::AlignRight);
    for (int h = 0; h < 18; ++h) {
        SCOPED_TRACE(h);
        const HorseEntry horse = state.ZoData.Horse(h);
        EXPECT_EQ(Label(&window, "Label1", h)->text(), QString::number(h + 1));
        EXPECT_EQ(Label(&window, "Lbl_Odds_F1", h)->text(), horse.PlaceOddsLow);
        EXPECT_EQ(Label(&window, "Label2", h)->text(), QStringLiteral("-"));
        EXPECT_EQ(Label(&window, "Lbl_Odds_F2", h)->text(), horse.PlaceOddsHigh);
        EXPECT_TRUE(Label(&window, "Lbl_Odds_T", h)->isVisible());
    }
    EXPECT_EQ(Label(&window, "Lbl_Odds_T", 12)->text(), QStringLiteral("     "));
    EXPECT_EQ(Label(&window, "Lbl_Odds_F1", 3)->text(), QStringLiteral("  4.0"));

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(WinPlaceWindow, CancelClosesAndEnterDoesNot) {
    SelectionLists lists;
    AppState state;
    Frm_Odds3 window(state, lists.selection);
    ShowAndWait(&window);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    Click(Find<QPushButton>(&window, "Cmd_Cancel"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}
