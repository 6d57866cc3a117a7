#include <gtest/gtest.h>

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLogValueAxis>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "TrendFiles.h"
#include "common/RaceSelection.h"
#include "common/SaveFile.h"
#include "racedata/AppState.h"
#include "racedata/OddsWatcher.h"
#include "support/Fixtures.h"
#include "trend/Frm_Trend.h"

namespace {

const QDateTime T1420 = QDateTime(QDate(2026, 12, 6), QTime(14, 20));

// The trend window of 東京 11R on a data directory whose odds file was
// downloaded at 14:20, 14:35 and (in the same minute) 14:35:30.
class FrmTrend : public ::testing::Test {
protected:
    FrmTrend() : selection(&place, &type, &race) {
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        FillSelectionLists(&place, &type, &race);
        place.setCurrentText(u"東京"_qs);
        race.setCurrentIndex(10);
        state.DataDir = data.path();
        Frm_Trend::ForgetChosenRows();
    }
    ~FrmTrend() override {
        delete window;
        OddsWatcher::instance().watch({});
        SetSaveFileDialog({});
        SetOddsHistoryPath({});
    }

    // A download of 東京 11R, or of the race of that race character.
    void download(const std::map<QString, QString>& quinella, const std::map<QString, QString>& win,
                  const QDateTime& at, const QString& race = u"b"_qs) {
        const QString uo = data.file(u"uo-58"_qs + race + u".jra"_qs);
        const QString zo = data.file(u"zo-58"_qs + race + u".jra"_qs);
        ASSERT_TRUE(WriteAt(uo, UoBytes(u"20261206"_qs, 6, quinella), at));
        ASSERT_TRUE(WriteAt(zo, ZoBytes(u"20261206"_qs, 6, win), at));
        RecordSnapshot(uo);
        RecordSnapshot(zo);
    }
    void open() {
        Frm_Trend::Show(window, state, selection);
        ASSERT_TRUE(window);
        grid = Find<QTableView>(window, u"Grd_Trend"_qs);
    }
    QString cell(int row, int column) const {
        return grid->model()->index(row, column).data().toString();
    }
    QStringList chosenRows() const {
        QStringList keys;
        for (const QModelIndex& index : grid->selectionModel()->selectedRows())
            keys << index.data().toString();
        keys.sort();
        return keys;
    }

    TempDir store, data;
    QComboBox place, type, race;
    RaceSelection selection;
    AppState state;
    QPointer<Frm_Trend> window;
    QTableView* grid = nullptr;
};

TEST_F(FrmTrend, DownloadsAreColumnsWithFallsRedRisesBlueAndTheLargestFallsCharted) {
    download({{u"3-5"_qs, u"31.5"_qs}, {u"1-2"_qs, u"10.0"_qs}, {u"4-5"_qs, u"7710.3"_qs}},
             {{u"4"_qs, u"15.2"_qs}}, T1420);
    download({{u"3-5"_qs, u"25.2"_qs},
              {u"1-2"_qs, u"12.0"_qs},
              {u"2-6"_qs, u"ﾄﾘｹｼ"_qs},
              {u"4-5"_qs, u"9999.9"_qs}},
             {{u"4"_qs, u"6.1"_qs}}, T1420.addSecs(900));
    download({{u"3-5"_qs, u"12.0"_qs},
              {u"1-2"_qs, u"11.0"_qs},
              {u"4-6"_qs, u"45.0"_qs},
              {u"4-5"_qs, u"9999.9"_qs}},
             {{u"4"_qs, u"6.1"_qs}, {u"1"_qs, u"9.0"_qs}}, T1420.addSecs(930));
    open();
    QStringList headers;
    for (int c = 0; c < 5; ++c) headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{u"組番"_qs, u"14:20"_qs, u"14:35:00"_qs, u"14:35:30"_qs,
                                    u"変化（最初→最新）"_qs}));
    EXPECT_TRUE(grid->model()
                    ->headerData(4, Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .contains(u"赤は前回の取得から20%以上の下落、青は20%以上の上昇"_qs));
    // 4-5 (row 12) at the cap: "at least", no colour, no change.
    EXPECT_EQ(cell(12, 2), u"9999.9以上"_qs);
    EXPECT_EQ(cell(12, 4), QString());
    const auto colour = [&](int row, int column) {
        return grid->model()->index(row, column).data(Qt::ForegroundRole).value<QColor>();
    };
    // 3-5 (row 10): 31.5 -> 25.2 is exactly -20 %, red.
    // 1-2 (row 0): +20 % blue, then -8 % plain.
    EXPECT_FALSE(colour(12, 2).isValid());
    EXPECT_EQ(colour(10, 2), QColor(220, 0, 0));
    EXPECT_EQ(cell(10, 4), u"−62%"_qs);
    EXPECT_EQ(colour(0, 2), QColor(0, 70, 220));
    EXPECT_FALSE(colour(0, 3).isValid());
    EXPECT_EQ(cell(8, 2), u"ﾄﾘｹｼ"_qs);  // 2-6 keeps its text
    // The rows that fell from first to last are charted at first (1-2 rose).
    EXPECT_EQ(chosenRows(), (QStringList{u"3-5"_qs, u"4-6"_qs}));

    // Sorting by the change puts the largest fall first.
    grid->horizontalHeader()->setSortIndicator(4, Qt::AscendingOrder);
    EXPECT_EQ(cell(0, 0), u"3-5"_qs);

    Find<QComboBox>(window, u"Cmb_Kind"_qs)->setCurrentText(u"単勝"_qs);
    EXPECT_EQ(chosenRows(), (QStringList{u"1"_qs, u"4"_qs}));

    // CSV as the settlement writes it: UTF-8 with BOM, CR LF.
    QString proposed;
    SetSaveFileDialog([&](QWidget*, const QString& name, const QString& filter) {
        proposed = QFileInfo(name).fileName() + u' ' + filter;
        return store.file(u"trend.csv"_qs);
    });
    Click(Find<QPushButton>(window, u"Cmd_Save"_qs));
    EXPECT_TRUE(proposed.startsWith(u"オッズ推移_"_qs) &&
                proposed.endsWith(u"R_単勝.csv CSV (*.csv)"_qs))
        << proposed.toStdString();
    const QByteArray csv = store.read(u"trend.csv"_qs);
    EXPECT_TRUE(
        csv.startsWith("\xEF\xBB\xBF"
                       "単勝,14:20,14:35:00,14:35:30,変化（%）\r\n"
                       "1,10.0,10.0,9.0,-10.0\r\n"))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n4,15.2,6.1,6.1,-59.9\r\n"));
}

// With one download the note says the next one shows movement; a download
// while the window is open is shown at once.
TEST_F(FrmTrend, OneSnapshotIsNotedAndNewDownloadsAreFollowedWhileOpen) {
    download({}, {{u"2"_qs, u"4.0"_qs}}, T1420);
    type.setCurrentIndex(int(BetType::WinPlace));
    open();
    EXPECT_EQ(grid->model()->columnCount(), 3);
    EXPECT_TRUE(
        Find<QLabel>(window, u"Lbl_Note"_qs)->text().contains(u"次にオッズを取得すると"_qs));
    EXPECT_TRUE(
        Find<QLabel>(window, u"Lbl_Race"_qs)->text().startsWith(u"2026年12月06日 東京 11R"_qs));

    QTest::qWait(OddsWatcher::DelayMs * 3);  // its first look at the directory
    bool filled = false;
    QObject::connect(window, &Frm_Trend::Filled, [&] { filled = true; });
    ASSERT_TRUE(WriteAt(data.file(u"zo-58b.jra"_qs),
                        ZoBytes(u"20261206"_qs, 6, {{u"2"_qs, u"3.0"_qs}}), T1420.addSecs(600)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return filled; }, 5000));
    EXPECT_EQ(grid->model()->columnCount(), 4);
    EXPECT_EQ(cell(1, 2), u"3.0"_qs);
    ShowAndWait(window);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
}

// The rows chosen for the chart belong to their race for the run: 10R shows
// its own largest falls, never 11R's choice, and 11R its choice again, also
// after the window was closed. Tab leaves the table for the next control
// (arrows move inside it). The chart's odds axis is logarithmic for 馬連 at
// first, linear for 単勝, and the box switches it.
TEST_F(FrmTrend, ChosenRowsAreKeptForEachRaceAndQuinellaIsChartedOnALogScale) {
    download({{u"3-5"_qs, u"31.5"_qs}, {u"1-2"_qs, u"2000.0"_qs}}, {}, T1420);
    download({{u"3-5"_qs, u"3.0"_qs}, {u"1-2"_qs, u"900.0"_qs}}, {}, T1420.addSecs(900));
    download({{u"2-4"_qs, u"40.0"_qs}}, {}, T1420, u"a"_qs);
    download({{u"2-4"_qs, u"20.0"_qs}}, {}, T1420.addSecs(900), u"a"_qs);
    open();
    ShowAndWait(window);
    EXPECT_EQ(chosenRows(), (QStringList{u"1-2"_qs, u"3-5"_qs}));
    const auto axis = [&]() -> QAbstractAxis* {
        auto* view = qobject_cast<QChartView*>(Find<QWidget>(window, "Cht_Trend"));
        const auto axes = view ? view->chart()->axes(Qt::Vertical) : QList<QAbstractAxis*>();
        return axes.isEmpty() ? nullptr : axes.first();
    };
    QCheckBox* log = Find<QCheckBox>(window, u"Chk_Log"_qs);
    auto* logAxis = qobject_cast<QLogValueAxis*>(axis());
    ASSERT_TRUE(logAxis);
    EXPECT_EQ(logAxis->min(), 1.0);  // 3.0 to 2000.0 within whole powers of ten
    EXPECT_EQ(logAxis->max(), 10000.0);
    Click(log);
    ASSERT_TRUE(axis());
    EXPECT_EQ(axis()->type(), QAbstractAxis::AxisTypeValue);
    Find<QComboBox>(window, u"Cmb_Kind"_qs)->setCurrentText(u"単勝"_qs);
    EXPECT_FALSE(log->isChecked());
    Find<QComboBox>(window, u"Cmb_Kind"_qs)->setCurrentText(u"馬連"_qs);
    EXPECT_TRUE(log->isChecked());

    QTest::keyClick(grid, Qt::Key_Down);
    const QStringList walk = TabWalk(grid, 3);
    EXPECT_NE(walk.value(0), u"Grd_Trend"_qs);
    EXPECT_TRUE(walk.contains(u"Cmd_Close"_qs)) << walk.join(u' ').toStdString();

    const auto choose = [&](const QString& key) {
        const QModelIndexList found =
            grid->model()->match(grid->model()->index(0, 0), Qt::DisplayRole, key);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->visualRect(found.front()).center());
    };
    choose(u"1-6"_qs);
    EXPECT_EQ(chosenRows(), QStringList{u"1-6"_qs});

    race.setCurrentIndex(9);  // 10R, as the main window tells the window
    window->followRace();
    EXPECT_EQ(window->race(), (Race{QDate(2026, 12, 6), 5, 10}));
    EXPECT_EQ(chosenRows(), QStringList{u"2-4"_qs});
    race.setCurrentIndex(10);
    window->followRace();
    EXPECT_EQ(chosenRows(), QStringList{u"1-6"_qs});

    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    open();
    EXPECT_EQ(chosenRows(), QStringList{u"1-6"_qs});
}

}  // namespace
