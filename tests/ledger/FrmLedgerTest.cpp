#include <gtest/gtest.h>

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "common/SaveFile.h"
#include "ledger/Frm_Ledger.h"
#include "ledger/TaxFigures.h"
#include "support/Fixtures.h"
#include "tests/ledger/LedgerBets.h"

namespace {

BetLine Bet(const QString& date, const QString& place, int race, const QString& type, qint64 stake,
            const QString& outcome, qint64 payout) {
    return {date, place, race, type, u"1-2"_qs, stake, outcome, payout, payout - stake};
}

// Texts of a table's rows, the first `columns` cells of each joined by '|'.
QStringList Texts(QTableView* table, int columns = 99) {
    QStringList rows;
    const QAbstractItemModel* m = table->model();
    for (int row = 0; row < m->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < std::min(columns, m->columnCount()); ++column)
            cells << m->index(row, column).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

QPoint CellCentre(QTableView* table, int row) {
    return table->visualRect(table->model()->index(row, 0)).center();
}

class LedgerWindowTest : public ::testing::Test {
protected:
    LedgerWindowTest() {
        SetLedgerPath(dir.file(u"ledger.sqlite"_qs));
        const std::vector<BetLine> bets{
            Bet(u"2025/05/04"_qs, u"京都"_qs, 11, u"単勝"_qs, 1000, u"不的中"_qs, 0),
            Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, 1000, u"的中"_qs, 5400),
            Bet(u"2026/11/01"_qs, u"東京"_qs, 12, u"枠連"_qs, 500, u"不的中"_qs, 0),
            Bet(u"2026/12/06"_qs, u"中山"_qs, 1, u"馬連"_qs, 600, u"不的中"_qs, 0)};
        Ledger ledger;
        EXPECT_TRUE(ledger.open() && ledger.record(LedgerBets(bets)).ok);
    }
    ~LedgerWindowTest() override {
        delete window;
        SetLedgerPath({});
        SetSaveFileDialog({});
    }

    void open() {
        Frm_Ledger::Show(window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void record(const std::vector<BetLine>& bets) {
        Ledger ledger;
        ASSERT_TRUE(ledger.open() && ledger.record(LedgerBets(bets)).ok);
    }
    // The save dialog answers `file` in the test's folder; the names it proposed pile up.
    QString saveTo(const QString& file) {
        SetSaveFileDialog([this, file](QWidget*, const QString& name, const QString&) {
            proposed << name;
            return dir.file(file);
        });
        return dir.file(file);
    }

    TempDir dir;
    MessageRecorder messages;
    QPointer<Frm_Ledger> window;
    QStringList proposed;
};

TEST_F(LedgerWindowTest, ShowsTheLatestYearAndEveryPeriodAndSavesItsBets) {
    saveTo(u"2026.csv"_qs);
    open();
    EXPECT_EQ(window->windowTitle(), u"収支台帳"_qs);
    QComboBox* years = Find<QComboBox>(window, u"Cmb_Year"_qs);
    QTableView* grid = Find<QTableView>(window, u"Grd_Ledger"_qs);
    QStringList periods;
    for (int i = 0; i < years->count(); ++i) periods << years->itemText(i);
    EXPECT_EQ(periods, QStringList({u"2026年"_qs, u"2025年"_qs, u"全期間"_qs}));
    EXPECT_EQ(years->currentText(), u"2026年"_qs);
    QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"月"_qs);
    EXPECT_EQ(Texts(grid), QStringList({u"11月|1,500円|5,400円|3,900円|360.0%|50.0%|2"_qs,
                                        u"12月|600円|0円|-600円|0.0%|0.0%|1"_qs,
                                        u"合計|2,100円|5,400円|3,300円|257.1%|33.3%|3"_qs}));
    // A balance below zero in red, one above not; the total bold.
    const auto color = [&](int row) { return model->index(row, 3).data(Qt::ForegroundRole); };
    EXPECT_EQ(color(1).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_FALSE(color(0).isValid());
    EXPECT_TRUE(model->index(2, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(Texts(Find<QTableView>(window, u"Grd_Type"_qs), 4),
              QStringList({u"馬連|1,600円|5,400円|3,800円"_qs, u"枠連|500円|0円|-500円"_qs}));
    EXPECT_EQ(Texts(Find<QTableView>(window, u"Grd_Place"_qs), 1),
              QStringList({u"東京"_qs, u"中山"_qs}));
    Click(Find<QPushButton>(window, u"Cmd_Save"_qs));
    EXPECT_EQ(proposed, QStringList({u"収支台帳_2026年.csv"_qs}));
    Ledger ledger;
    ASSERT_TRUE(ledger.open());
    EXPECT_EQ(ledger.bets(2026).size(), 3u);
    EXPECT_EQ(dir.read(u"2026.csv"_qs), BetsCsv(ledger.bets(2026)));

    // 全期間 by the keyboard: a line a year, and a year's line opens that year.
    years->setFocus();
    QTest::keyClick(years, Qt::Key_End);
    EXPECT_EQ(years->currentText(), u"全期間"_qs);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"年"_qs);
    EXPECT_EQ(Texts(grid, 4),
              QStringList({u"2025年|1,000円|0円|-1,000円"_qs, u"2026年|2,100円|5,400円|3,300円"_qs,
                           u"合計|3,100円|5,400円|2,300円"_qs}));
    const QPoint at = CellCentre(grid, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(years->currentText(), u"2025年"_qs);
    EXPECT_EQ(Texts(grid, 1), QStringList({u"5月"_qs, u"合計"_qs}));
    EXPECT_TRUE(messages.shown.empty());

    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window && window->isVisible());
}

// What is on screen after 2026年 → 全期間 → 2025年 is the chart of 2025 alone,
// as a chart drawn afresh shows it: nothing of the earlier charts is left.
TEST_F(LedgerWindowTest, ChangingThePeriodLeavesNothingOfTheEarlierChart) {
    open();
    // What is on screen comes to equal the chart drawn afresh; a mark left
    // from an earlier period never would.
    QWidget* chart = Find<QWidget>(window, "Cht_Ledger");
    const auto settlesOnFresh = [&] {
        return QTest::qWaitFor([&] {
            const QPoint at = chart->mapToGlobal(QPoint(0, 0));
            const QImage shown =
                window->screen()
                    ->grabWindow(0, at.x(), at.y(), chart->width(), chart->height())
                    .toImage();
            return !shown.isNull() &&
                   shown == chart->grab().toImage().convertToFormat(shown.format());
        });
    };
    EXPECT_TRUE(settlesOnFresh());
    QComboBox* years = Find<QComboBox>(window, "Cmb_Year");
    years->setCurrentIndex(years->count() - 1);  // 全期間
    EXPECT_TRUE(settlesOnFresh());
    years->setCurrentIndex(1);  // 2025年
    EXPECT_TRUE(settlesOnFresh());
}

TEST_F(LedgerWindowTest, ShowsWhatWasRecordedMeanwhileOnReturn) {
    open();
    QWidget other;
    ShowAndWait(&other);
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.isActiveWindow(); }));
    // Recorded through a connection of its own, as another window or another ZEM.
    record({Bet(u"2026/12/13"_qs, u"阪神"_qs, 11, u"単勝"_qs, 400, u"的中"_qs, 1000)});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isActiveWindow(); }));
    EXPECT_EQ(Texts(Find<QTableView>(window, "Grd_Ledger"), 3).value(1),
              u"12月|1,000円|1,000円"_qs);
}

// The keyboard reaches every control; Enter on a month opens its races, where
// Delete and 削除 ask before a race is taken out of the ledger.
TEST_F(LedgerWindowTest, MonthRacesByKeyboardAndDeletingOneAfterConfirmation) {
    open();
    const QString tabs = Find<QTabWidget>(window, "Tab_Right")->tabBar()->objectName();
    EXPECT_EQ(TabWalk(Find<QComboBox>(window, "Cmb_Year"), 7),
              QStringList({u"Cmd_Save"_qs, u"Cmd_Close"_qs, u"Grd_Ledger"_qs, tabs, u"Grd_Type"_qs,
                           u"Grd_Place"_qs, u"Cmb_Year"_qs}));
    QTableView* grid = Find<QTableView>(window, "Grd_Ledger");

    ModalDriver modal;
    modal.then([&](QDialog& month) {
        EXPECT_EQ(month.windowTitle(), u"2026年11月のレース"_qs);
        auto* races = Find<QTableView>(&month, u"Grd_Races"_qs);
        auto* remove = Find<QPushButton>(&month, u"Cmd_Delete"_qs);
        ASSERT_EQ(Texts(races).size(), 2);
        EXPECT_EQ(Texts(races).first(),
                  u"2026/11/01|東京|11R|1,000円|5,400円|4,400円|540.0%|100.0%"_qs);
        EXPECT_FALSE(remove->isEnabled());
        races->setFocus();
        QTest::keyClick(races, Qt::Key_Down);
        QTest::keyClick(races, Qt::Key_Up);  // chooses the first race
        EXPECT_EQ(Texts(Find<QTableView>(&month, u"Grd_Bets"_qs)),
                  QStringList({u"馬連|1-2|1,000円|的中|5,400円|4,400円"_qs}));
        EXPECT_EQ(TabWalk(races, 5), QStringList({u"Grd_Bets"_qs, u"Cmd_Save"_qs, u"Cmd_Delete"_qs,
                                                  u"Cmd_Close"_qs, u"Grd_Races"_qs}));
        messages.answers = {MsgAnswer::No};
        QTest::keyClick(races, Qt::Key_Delete);  // answered No: nothing deleted
        EXPECT_EQ(Texts(races).size(), 2);
        QTest::mouseClick(races->viewport(), Qt::LeftButton, {}, CellCentre(races, 1));
        Click(remove);  // answered Yes
        EXPECT_EQ(Texts(races, 3), QStringList({u"2026/11/01|東京|11R"_qs}));
    });
    TabWalk(Find<QComboBox>(window, "Cmb_Year"), 3);  // to Grd_Ledger
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Up);  // 11月
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(modal.opened, QStringList({u"Frm_LedgerMonth"_qs}));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, u"2026/11/01 東京12R の記録を台帳から削除しますか？"_qs);
    EXPECT_EQ(messages.shown[1].buttons, MsgButtons::YesNo);
    // The window shows the ledger without the race.
    EXPECT_EQ(Texts(grid, 3).value(0), u"11月|1,000円|5,400円"_qs);
}

// The bets under a chosen race are those recorded last: a memo recorded again
// replaces them. The month's CSV carries every bet of the month.
TEST_F(LedgerWindowTest, MonthShowsTheChosenRacesBetsAfterAReplacement) {
    BetLine place = Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"複勝"_qs, 300, u"返還"_qs, 300);
    place.bet = u"5"_qs;
    record({Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, 2000, u"不的中"_qs, 0), place});
    saveTo(u"11.csv"_qs);
    open();
    ModalDriver modal;
    modal.then([&](QDialog& month) {
        auto* races = Find<QTableView>(&month, u"Grd_Races"_qs);
        auto* bets = Find<QTableView>(&month, u"Grd_Bets"_qs);
        EXPECT_TRUE(Texts(bets).isEmpty());  // no race chosen yet
        // The race recorded again comes after 12R, in recording order.
        QTest::mouseClick(races->viewport(), Qt::LeftButton, {}, CellCentre(races, 1));
        EXPECT_EQ(Texts(bets), QStringList({u"馬連|1-2|2,000円|不的中|0円|-2,000円"_qs,
                                            u"複勝|5|300円|返還|300円|0円"_qs}));
        EXPECT_EQ(bets->model()->index(0, 5).data(Qt::ForegroundRole).value<QBrush>().color(),
                  QColor(255, 0, 0));
        QTest::mouseClick(races->viewport(), Qt::LeftButton, {}, CellCentre(races, 0));
        EXPECT_EQ(Texts(bets), QStringList({u"枠連|1-2|500円|不的中|0円|-500円"_qs}));
        Click(Find<QPushButton>(&month, u"Cmd_Save"_qs));
    });
    QTableView* months = Find<QTableView>(window, "Grd_Ledger");
    const QPoint november = CellCentre(months, 0);
    QTest::mouseClick(months->viewport(), Qt::LeftButton, {}, november);
    QTest::mouseDClick(months->viewport(), Qt::LeftButton, {}, november);
    EXPECT_EQ(modal.opened, QStringList({u"Frm_LedgerMonth"_qs}));
    EXPECT_EQ(proposed, QStringList({u"収支台帳_2026年11月.csv"_qs}));
    Ledger ledger;
    ASSERT_TRUE(ledger.open());
    EXPECT_EQ(ledger.monthBets(2026, 11).size(), 3u);
    EXPECT_EQ(dir.read(u"11.csv"_qs), BetsCsv(ledger.monthBets(2026, 11)));
}

// 税金の目安 for a year with a large hit, checked by hand: 5,400 + 1,234,500 =
// 1,239,900 in; the hits' stakes 1,000 + 1,000; 1,237,900 less 500,000 is
// 737,900, half of it 368,950. The bets not recorded are counted and named
// under it and are in none of its figures. 全期間 shows no estimate.
TEST_F(LedgerWindowTest, TaxPanelOfAYearWithALargeHit) {
    record({Bet(u"2026/12/06"_qs, u"中山"_qs, 11, u"馬連"_qs, 1000, u"的中"_qs, 1234500),
            {u"2026/12/06"_qs, u"中山"_qs, 12, u"馬連"_qs, u"3-7"_qs, 700, u"未確定"_qs, {}, {}},
            {u"2026/12/06"_qs, u"中山"_qs, 12, u"馬連"_qs, u"1-2"_qs, 500, u"未確定"_qs, {}, {}},
            {u"2026/11/01"_qs, u"東京"_qs, 11, u"複勝"_qs, u"5"_qs, 500, u"払戻不明"_qs, {}, {}}});
    saveTo(u"tax.csv"_qs);
    open();
    QTableView* tax = Find<QTableWidget>(window, "Grd_Tax");
    EXPECT_TRUE(Texts(tax).isEmpty());  // worked out when its page is shown
    QTabBar* tabs = Find<QTabWidget>(window, "Tab_Right")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Frm_Ledger::TaxPage).center());
    EXPECT_EQ(TabWalk(Find<QTableView>(window, "Grd_Ledger"), 5),
              QStringList({tabs->objectName(), u"Cmd_TaxSave"_qs, u"Grd_Tax"_qs,
                           u"Grd_Unrecorded"_qs, u"Cmb_Year"_qs}));
    EXPECT_EQ(Texts(tax),
              QStringList({u"総収入（的中の払戻。返還は含めない）|1,239,900円"_qs,
                           u"収入を得るために支出した金額（的中した馬券の購入額）|2,000円"_qs,
                           u"特別控除（最高50万円）|500,000円"_qs, u"一時所得の金額|737,900円"_qs,
                           u"課税対象（一時所得の金額の2分の1。他の所得と合算）|368,950円"_qs,
                           u"参考: 外れ馬券の購入額（差し引かない）|1,100円"_qs,
                           u"参考: 返還（収入に含めない）|0円"_qs}));
    EXPECT_TRUE(Find<QLabel>(window, "Lbl_Tax")->text().contains(u"税務上の助言ではありません"_qs));
    EXPECT_TRUE(Find<QLabel>(window, "Lbl_Tax")->text().contains(u"未確定・払戻不明"_qs));
    EXPECT_EQ(Find<QLabel>(window, "Lbl_Unrecorded")->text(),
              u"記録されていない馬券：未確定 2 件 1,200円、払戻不明 1 件 500円"
              u"（税金の目安に含めていません）"_qs);
    EXPECT_EQ(Texts(Find<QTableWidget>(window, "Grd_Unrecorded")),
              QStringList({u"2026/11/01|東京11R|複勝|5|500円|払戻不明"_qs,
                           u"2026/12/06|中山12R|馬連|3-7|700円|未確定"_qs,
                           u"2026/12/06|中山12R|馬連|1-2|500円|未確定"_qs}));
    Click(Find<QPushButton>(window, "Cmd_TaxSave"));
    EXPECT_EQ(proposed, QStringList({u"税金の目安_2026年.csv"_qs}));
    Ledger ledger;
    ASSERT_TRUE(ledger.open());
    EXPECT_EQ(dir.read(u"tax.csv"_qs),
              TaxCsv(2026, ledger.taxMonths(2026), ledger.unrecorded(2026)));

    const auto unrecordedShown = [&] {
        return Find<QLabel>(window, "Lbl_Unrecorded")->isVisible() ||
               Find<QTableWidget>(window, "Grd_Unrecorded")->isVisible();
    };
    EXPECT_TRUE(unrecordedShown());
    QComboBox* years = Find<QComboBox>(window, "Cmb_Year");
    years->setCurrentIndex(years->count() - 1);  // 全期間
    EXPECT_TRUE(Texts(tax).isEmpty());
    EXPECT_FALSE(Find<QPushButton>(window, "Cmd_TaxSave")->isEnabled());
    EXPECT_FALSE(unrecordedShown());
    years->setCurrentIndex(1);  // 2025年: one losing bet, none unrecorded
    EXPECT_EQ(Texts(tax).value(3), u"一時所得の金額|0円"_qs);
    EXPECT_FALSE(unrecordedShown());
}

// A ledger of a newer version is shown and said read-only; one that cannot be
// opened is said, with its path, in a message and in the window, and is left
// as it was.
TEST_F(LedgerWindowTest, ANewerOrBrokenLedgerIsSaidInTheWindow) {
    {
        Ledger ledger;
        ASSERT_TRUE(ledger.open());
        QSqlQuery(ledger.connection()).exec(u"PRAGMA user_version = 9"_qs);
    }
    open();
    QLabel* state = Find<QLabel>(window, u"Lbl_State"_qs);
    EXPECT_TRUE(state->isVisible() && state->text().contains(u"新しい版"_qs))
        << state->text().toStdString();
    EXPECT_EQ(Texts(Find<QTableView>(window, "Grd_Ledger"), 3).value(0),
              u"11月|1,500円|5,400円"_qs);
    delete window;
    messages.clear();

    ASSERT_TRUE(dir.write(u"ledger.sqlite"_qs, "not a database"));
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(dir.file(u"ledger.sqlite"_qs)));
    state = Find<QLabel>(window, u"Lbl_State"_qs);
    EXPECT_TRUE(state->isVisible() && state->text() == messages.shown[0].text);
    EXPECT_TRUE(state->text().contains(u"台帳のデータベースではありません"_qs));
    EXPECT_TRUE(Texts(Find<QTableView>(window, "Grd_Ledger")).isEmpty());  // no 0円 total
    Click(Find<QPushButton>(window, u"Cmd_Save"_qs));
    EXPECT_EQ(dir.read(u"ledger.sqlite"_qs), QByteArray("not a database"));
}

}  // namespace
