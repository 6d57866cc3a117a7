#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "MarketRace.h"
#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "app/MemoCommands.h"
#include "common/SaveFile.h"
#include "market/Frm_Market.h"
#include "market/MarketTable.h"
#include "racedata/AppState.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "trend/OddsWatcher.h"

namespace {

// The main window on a data directory with the nine-starter race as 中山 1R.
class MarketWindow : public ::testing::Test {
protected:
    void SetUp() override {
        state.DataDir = data.path();
        writeRace(1, NineStarters());
        main = std::make_unique<Frm_Main>(state);
        ShowAndWait(main.get());
    }
    void TearDown() override {
        delete main->marketWindow();
        SetSaveFileDialog({});
    }

    void writeRace(int raceNo, const MarketRace& race) {
        ASSERT_TRUE(data.write("uo-60" + RaceChar(raceNo) + ".jra", race.uo()));
        ASSERT_TRUE(data.write("zo-60" + RaceChar(raceNo) + ".jra", race.zo()));
    }
    void activateMain() {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == main.get(); }));
    }
    Frm_Market* open() {
        activateMain();
        main->findChild<QAction*>(u"Market"_qs)->trigger();
        Frm_Market* market = main->marketWindow();
        EXPECT_TRUE(market && QTest::qWaitFor([&] { return market->isActiveWindow(); }));
        return market;
    }
    static QString cell(const QTableView* grid, int row, int column) {
        return grid->model()->index(row, column).data().toString();
    }

    MessageRecorder messages;
    TempDir data;
    AppState state;
    std::unique_ptr<Frm_Main> main;
};

TEST_F(MarketWindow, OpensFromTheToolMenuOnceWithBothTablesChartAndPayoutAndSavesCsv) {
    QAction* item = main->findChild<QAction*>(u"Market"_qs);
    ASSERT_TRUE(item && item->text() == u"オッズ分析"_qs && main->Tool->actions().contains(item));
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    EXPECT_FALSE(market->isModal());
    EXPECT_EQ(market->windowTitle(), u"オッズ分析"_qs);
    auto* horses = Find<QTableView>(market, u"Grd_Horses"_qs);
    ASSERT_TRUE(horses);
    EXPECT_EQ(cell(horses, 1, 8), u"総流し"_qs);
    EXPECT_EQ(Find<QTableView>(market, u"Grd_Brackets"_qs)->model()->rowCount(), 29);
    EXPECT_EQ(Find<QListWidget>(market, u"Lst_Dominated"_qs)->item(0)->text(),
              u"1-2 10.0 < 枠連 1-2 12.0"_qs);
    EXPECT_EQ(Find<QLabel>(market, u"Lbl_Payout"_qs)->text(),
              u"単勝 74.3%　枠連 61.9%　馬連 66.7%"_qs);
    EXPECT_TRUE(Find<QLabel>(market, u"Lbl_Missing"_qs)->isHidden());
    // The chart module was found and drew the chart (no stand-in label).
    QWidget* chart = Find<QWidget>(market, u"Cht_Market"_qs);
    EXPECT_TRUE(chart && chart->inherits("QChartView") && !chart->property("zemChartMissing").toBool());

    // Both tables in one CSV file, a blank line between them.
    SetSaveFileDialog([&](QWidget*, const QString&, const QString&) {
        return data.file(u"market.csv"_qs);
    });
    Click(Find<QPushButton>(market, u"Cmd_Save"_qs));
    const QByteArray csv = data.read(u"market.csv"_qs);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(u"\r\n"_qs);
    ASSERT_EQ(lines.size(), 1 + 9 + 1 + 1 + 29 + 1);
    EXPECT_EQ(lines[0], u"馬番,枠,単勝,支持率,複勝,馬連支持率,差,総流し,有利"_qs);
    EXPECT_EQ(lines[2], u"2,2,3.5,21.2,1.3-1.8,9.2,-12.1,3.63,総流し"_qs);
    EXPECT_EQ(lines[11], u"枠連,オッズ,馬連,合成オッズ,有利"_qs);
    EXPECT_TRUE(lines.contains(u"枠連 1-8,4.8,\"1-8, 1-9\",5.00,馬連"_qs));

    main->Market->trigger();  // the open window again
    EXPECT_EQ(main->marketWindow(), market);
    EXPECT_EQ(HelpSection(market), u"market"_qs);
    QTest::keyClick(horses, Qt::Key_F1);
    Frm_Help* help = main->memoCommands().helpWindow();
    ASSERT_TRUE(help && help->isVisible());
    help->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return market->isActiveWindow(); }));
    QPointer<Frm_Market> watched = market;
    QTest::keyClick(horses, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }));
}

TEST_F(MarketWindow, MissingZoFileIsNamedAndQuinellaFiguresStay) {
    QFile::remove(data.file(u"zo-601.jra"_qs));
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    const QString missing = market->Lbl_Missing->text();
    EXPECT_FALSE(market->Lbl_Missing->isHidden());
    EXPECT_TRUE(missing.contains(u"zo-") && !missing.contains(u"uo-")) << missing.toStdString();
    EXPECT_TRUE(missing.contains(u"オッズが取得されていないか、ディレクトリの指定が間違っています。"));
    EXPECT_EQ(cell(market->Grd_Horses, 0, 5), u"26.7"_qs);
    EXPECT_EQ(cell(market->Grd_Horses, 0, 3), QString());
    EXPECT_EQ(market->Grd_Brackets->model()->rowCount(), 0);
    EXPECT_EQ(market->Lbl_Payout->text(), u"単勝 －　枠連 －　馬連 66.7%"_qs);
    EXPECT_TRUE(messages.shown.empty());
}

// Switching to the window after the main window's race changed shows that
// race; a new download of the shown race recorded in the odds history reads
// its files again.
TEST_F(MarketWindow, FollowsTheSelectionAndRereadsChangedFiles) {
    MarketRace five = FiveAtFive();
    writeRace(2, five);
    Frm_Market* market = open();
    ASSERT_TRUE(market);
    ASSERT_EQ(market->Grd_Horses->model()->rowCount(), 9);

    activateMain();
    main->Cmb_Race->setCurrentIndex(1);
    market->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return market->isActiveWindow(); }));
    EXPECT_EQ(market->Grd_Horses->model()->rowCount(), 5);
    EXPECT_EQ(market->race()->number, 2);
    EXPECT_EQ(cell(market->Grd_Horses, 0, 6), u"+3.0"_qs);
    EXPECT_EQ(market->Grd_Horses->model()->index(0, 6).data(Qt::ForegroundRole).value<QColor>(),
              QColor(255, 0, 0));

    five.win[0] = u"2.5"_qs;
    writeRace(2, five);
    activateMain();
    main->Cmb_Race->setCurrentIndex(0);  // the selection moves on; the shown race is read
    TempDir store;
    SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
    OddsWatcher::instance().record(data.file(u"zo-602.jra"_qs));  // as a download of 中山 2R
    SetOddsHistoryPath({});
    EXPECT_EQ(market->race()->number, 2);
    EXPECT_EQ(cell(market->Grd_Horses, 0, 2), u"2.5"_qs);
    EXPECT_EQ(cell(market->Grd_Horses, 0, 3), u"33.3"_qs);  // 0.4 / 1.2
}

}  // namespace
