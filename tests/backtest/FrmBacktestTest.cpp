#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <future>

#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "backtest/Frm_Backtest.h"
#include "common/SaveFile.h"
#include "racedata/AppState.h"
#include "racedata/OddsHistory.h"
#include "settings/BacktestFolders.h"
#include "support/Fixtures.h"
#include "tools/SampleSeason.h"

namespace {

Frm_Backtest* openWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Frm_Backtest*>(w)) return window;
    }
    return nullptr;
}

bool waitRead(Frm_Backtest* window) {
    return QTest::qWaitFor([&] { return !window->reading(); }, 20000);
}

class BacktestWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetBacktestSettingsPath(config.file(u"backtest.ini"_qs));
        SetOddsHistoryPath(config.file(u"odds-history.sqlite"_qs));  // none: not read
        ASSERT_TRUE(WriteSampleSeason(data.path(), 2, SampleSeasonBeta, 3));
        state.DataDir = data.path();
    }
    void TearDown() override {
        delete openWindow();
        SetBacktestSettingsPath({});
        SetOddsHistoryPath({});
        SetSaveFileDialog({});
    }

    MessageRecorder messages;
    ModalDriver modal;
    TempDir data, archive, config;
    AppState state;
};

}  // namespace

// ツール → 回収率分析 opens one window over the data directory; Cmd_Folder adds
// an archive folder, which is read at once and remembered for the next window;
// Cmd_Save writes the tables as CSV; F1 finds its section; Esc closes it.
TEST_F(BacktestWindow, OpensFromTheToolMenuAddsAnArchiveFolderAndSavesCsv) {
    Frm_Main main(state);
    ShowAndWait(&main);
    QAction* item = main.findChild<QAction*>(u"Backtest"_qs);
    ASSERT_TRUE(item && item->text() == u"回収率分析"_qs &&
                Find<QMenu>(&main, "Tool")->actions().contains(item));
    item->trigger();
    Frm_Backtest* window = openWindow();
    ASSERT_TRUE(window && waitRead(window));
    EXPECT_EQ(Find<QLabel>(window, "Lbl_Status")->text(), u"レース 48　結果のないレース 0"_qs);
    // The fit's line, then its score.
    const QString model = Find<QLabel>(window, "Lbl_Model")->text();
    EXPECT_TRUE(model.contains(u"（48 レース）\n"_qs) && model.contains(u"300 レース未満"_qs));
    auto* band = Find<QTableView>(window, u"Grd_Band"_qs);
    EXPECT_EQ(band->model()->rowCount(), 8);

    // An archive of two more days, chosen in the program's directory chooser.
    ASSERT_TRUE(WriteSampleSeason(archive.path(), 2, SampleSeasonBeta, 4, QDate(2024, 12, 7)));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(archive.path()));
    modal.then([](QDialog& chooser) { Click(Find<QPushButton>(&chooser, u"OKButton"_qs)); });
    Click(Find<QPushButton>(window, "Cmd_Folder"));
    QDir::setCurrent(before);
    EXPECT_EQ(modal.opened, QStringList{u"Dialog"_qs});
    ASSERT_TRUE(waitRead(window));
    EXPECT_EQ(window->analysis().races, 96);
    EXPECT_EQ(ArchiveFolders(), QStringList{archive.path()});
    // The fit is kept for オッズ分析.
    const std::optional<CalibrationFit> kept = StoredCalibration();
    ASSERT_TRUE(kept && kept->races == 96);
    EXPECT_EQ(kept->beta, window->analysis().fit.beta);

    SetSaveFileDialog(
        [&](QWidget*, const QString&, const QString&) { return config.file(u"returns.csv"_qs); });
    Click(Find<QPushButton>(window, "Cmd_Save"));
    const QByteArray csv = config.read(u"returns.csv"_qs);
    EXPECT_TRUE(
        csv.startsWith("\xEF\xBB\xBFオッズ帯,頭数,勝ち,勝率,市場の勝率,単勝回収率,複勝回収率\r\n"));
    EXPECT_TRUE(csv.endsWith("（96 レース）\r\n"));

    item->trigger();  // the open window again
    EXPECT_EQ(openWindow(), window);
    EXPECT_EQ(HelpSection(window), u"backtest"_qs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isActiveWindow(); }));
    QPointer<Frm_Backtest> watched = window;
    QTest::keyClick(band, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.isNull(); }));

    item->trigger();  // a new window reads the remembered archive too
    window = openWindow();
    ASSERT_TRUE(window && waitRead(window));
    EXPECT_EQ(window->analysis().races, 96);
    EXPECT_TRUE(messages.shown.empty());
}

// Cmd_Cancel stops a reading: the window says so and keeps its tables empty; a
// folder that cannot be read is named in red beside the races of the others.
TEST_F(BacktestWindow, CancelsAReadingAndNamesAnUnreadableFolder) {
    TempDir season;
    ASSERT_TRUE(WriteSampleSeason(season.path(), 15, SampleSeasonBeta, 5));
    state.DataDir = season.path();
    // The reading is held at its first progress report until 中止 is clicked.
    std::promise<void> clicked;
    Frm_Backtest::SetProgressHook(
        [held = clicked.get_future().share()] { held.wait_for(std::chrono::seconds(30)); });
    Frm_Backtest window(state);
    ASSERT_TRUE(window.reading() && Find<QPushButton>(&window, "Cmd_Cancel")->isEnabled());
    window.show();
    Click(Find<QPushButton>(&window, "Cmd_Cancel"));
    clicked.set_value();
    ASSERT_TRUE(waitRead(&window));
    Frm_Backtest::SetProgressHook({});
    EXPECT_EQ(Find<QLabel>(&window, "Lbl_Status")->text(), u"読み込みを中止しました"_qs);
    EXPECT_EQ(Find<QTableView>(&window, "Grd_Band")->model()->rowCount(), 0);

    const QString missing = data.file(u"gone"_qs);
    ASSERT_TRUE(SaveArchiveFolders({missing}).isEmpty());
    state.DataDir = data.path();
    Frm_Backtest named(state);
    ASSERT_TRUE(waitRead(&named));
    EXPECT_EQ(Find<QLabel>(&named, "Lbl_Status")->text(),
              u"レース 48　結果のないレース 0　読めないフォルダ "_qs + missing);
    EXPECT_EQ(Find<QLabel>(&named, "Lbl_Status")->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
}
