#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/BetCsv.h"
#include "common/SaveFile.h"
#include "racedata/AppState.h"
#include "settle/Frm_Settle.h"
#include "support/Fixtures.h"
#include "support/Spreadsheet.h"
#include "tests/settle/SettleFiles.h"

namespace {

// A memo of two races, 東京11R with its result and 中山2R without, beside a
// stand-in main window; the held records belong to another race.
class SettleWindow : public ::testing::Test {
protected:
    SettleWindow() {
        EXPECT_TRUE(WriteResult(data, 5, 11, QuinellaResult()));
        state.DataDir = data.path();
        state.KsData.assign(KsBuilder().set(KsLayout::RaceDate, u"20261205"_qs).bytes());
        state.UoData.assign(UoBuilder().set(UoLayout::RaceTitle, u"held"_qs).bytes());
        memo->setPlainText(
            u"メモ\n東京\t11R\t馬連\n\t7-3\t800\n\t3-12\t500\n\n中山\t2R\t馬連\n\t1-2\t300\n\n"_qs);
        main.show();
        window = new Frm_Settle(state, memo->document());
        ShowAndWait(window);
    }
    ~SettleWindow() override {
        delete window;
        SetSaveFileDialog({});
    }

    QVariant cell(int row, int column, int role = Qt::DisplayRole) const {
        return Find<QTableView>(window, "Grd_Settle")->model()->index(row, column).data(role);
    }
    QString text(int row, int column) const { return cell(row, column).toString(); }
    QColor colour(int row, int column, int role) const {
        return cell(row, column, role).value<QBrush>().color();
    }
    int rowCount() const { return Find<QTableView>(window, "Grd_Settle")->model()->rowCount(); }

    TempDir data;
    AppState state;
    QWidget main;
    QPlainTextEdit* memo = new QPlainTextEdit(&main);
    QPointer<Frm_Settle> window;
};

}  // namespace

// The table, a row a bet then the race's subtotal: amounts red below zero, a
// hit's row and the subtotal shaded; the totals below it, wide enough for large
// counts, and the lines not read.
TEST_F(SettleWindow, TableTotalsAndSkippedLines) {
    EXPECT_EQ(window->windowTitle(), u"収支"_qs);
    QStringList rows;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < Frm_Settle::ColumnCount; ++c) cells << text(r, c);
        rows << cells.join('|');
    }
    // The date is the race's; 中山2R has neither odds nor a result to tell it.
    EXPECT_EQ(rows, QStringList({u"2026/12/06|東京|11R|馬連|3-7|800円|的中|18,480円|17,680円|"_qs,
                                 u"2026/12/06|東京|11R|馬連|3-12|500円|不的中|0円|-500円|"_qs,
                                 u"2026/12/06|東京|11R|小計||1,300円||18,480円|17,180円|"_qs,
                                 u"|中山|2R|馬連|1-2|300円|未確定|||結果がまだありません"_qs,
                                 u"|中山|2R|小計|||未確定|||"_qs}));
    EXPECT_EQ(colour(0, 0, Qt::BackgroundRole), QColor(255, 240, 170));  // a hit
    EXPECT_FALSE(cell(1, 0, Qt::BackgroundRole).isValid());
    EXPECT_EQ(colour(2, 8, Qt::BackgroundRole), QColor(232, 232, 232));  // the subtotal
    EXPECT_EQ(colour(1, Frm_Settle::ColBalance, Qt::ForegroundRole), QColor(220, 0, 0));

    QStringList totals;
    for (QLabel* label : {Find<QLabel>(window, "Lbl_Stake"), Find<QLabel>(window, "Lbl_Return"),
                          Find<QLabel>(window, "Lbl_Balance"), Find<QLabel>(window, "Lbl_Rate"),
                          Find<QLabel>(window, "Lbl_Pending"), Find<QLabel>(window, "Lbl_Hit")})
        totals << label->text();
    EXPECT_EQ(totals.join('|'),
              u"1,300円|18,480円|17,180円|1421.5%|1件 300円|"
              u"レース 1/1 (100.0%)　買い目 1/2 (50.0%)"_qs);
    QLabel* hit = Find<QLabel>(window, "Lbl_Hit");
    hit->setText(
        HitText({.hitBets = 348, .decidedBets = 70084, .hitRaces = 3612, .decidedRaces = 36000}));
    QTest::qWait(1);  // laid out again
    EXPECT_GE(hit->contentsRect().width(), hit->fontMetrics().horizontalAdvance(hit->text()));
    ASSERT_EQ(Find<QListWidget>(window, "Lst_Skipped")->count(), 1);
    EXPECT_TRUE(
        Find<QListWidget>(window, "Lst_Skipped")->item(0)->text().startsWith(u"1行目："_qs));

    // Neither the memo nor the records the other windows hold have changed.
    EXPECT_TRUE(memo->toPlainText().startsWith(u"メモ\n東京\t11R"_qs));
    EXPECT_EQ(state.KsData.RaceDate(), u"20261205"_qs);
    EXPECT_EQ(state.UoData.RaceTitle().trimmed(), u"held"_qs);
}

TEST_F(SettleWindow, RebuildsWhenAResultAppearsOnRefreshAndOnActivation) {
    // Today's odds of 中山2R and last week's result beside them: still 未確定.
    ASSERT_TRUE(WriteOdds(data, 6, 2, 14));
    KsFields lastWeek = QuinellaResult(" 1- 2", "9,990");
    lastWeek.date = u"20261129"_qs;
    ASSERT_TRUE(WriteResult(data, 6, 2, lastWeek, "071"));
    const auto note = [&] { return text(3, Frm_Settle::ColNote); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return note() == u"結果の日付が違います 2026/11/29"_qs; }));
    // PAT95 writes today's result of 中山2R under a stem named after last
    // week's: settled without a click.
    ASSERT_TRUE(WriteResult(data, 6, 2, QuinellaResult(" 1- 2", "450")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(3, Frm_Settle::ColOutcome) == u"的中"_qs; }));
    EXPECT_EQ(Find<QLabel>(window, "Lbl_Balance")->text(), u"18,230円"_qs);

    // The day chosen in the main window: 中山2R on last week's result, 東京11R
    // without one of that day.
    state.Day = QDate(2026, 11, 29);
    Click(Find<QPushButton>(window, "Cmd_Refresh"));
    EXPECT_EQ(
        QStringList({text(0, Frm_Settle::ColDate), text(0, Frm_Settle::ColNote),
                     text(3, Frm_Settle::ColPayout)}),
        QStringList({u"2026/11/29"_qs, u"結果の日付が違います 2026/12/06"_qs, u"29,970円"_qs}));
    state.Day = {};

    // A bet added to the memo: 再計算, or coming back from another window.
    memo->appendPlainText(u"中山\t2R\t単勝\n\t7\t100"_qs);
    Click(Find<QPushButton>(window, "Cmd_Refresh"));
    EXPECT_EQ(rowCount(), 6);
    memo->appendPlainText(u"中山\t2R\t複勝\n\t3\t100"_qs);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.isActiveWindow(); }));
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowCount() == 7; }));
}

// Saved under the result's day in the folder last chosen; opened in
// LibreOffice Calc in a Japanese locale, every bet stays the text it is
// ("3-12" alone turns into March 12) and its numbers are numbers.
TEST_F(SettleWindow, SavesTheCsvThatOpensInASpreadsheetWithTheBetsAsText) {
    QString proposed;
    SetSaveFileDialog([&](QWidget*, const QString& name, const QString&) {
        proposed = name;
        return data.file(u"収支"_qs);  // typed without an extension
    });
    Click(Find<QPushButton>(window, "Cmd_Save"));
    EXPECT_EQ(proposed, u"収支_2026-12-06.csv"_qs);
    EXPECT_EQ(data.read(u"収支.csv"_qs), BetsCsv(window->settlement().rows()));
    MessageRecorder messages;  // replacing the file is confirmed
    Click(Find<QPushButton>(window, "Cmd_Save"));
    EXPECT_EQ(proposed, data.file(u"収支_2026-12-06.csv"_qs));

    if (!HaveSpreadsheet()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QString why;
    const auto cells = SpreadsheetCells(data.file(u"収支.csv"_qs), &why);
    ASSERT_TRUE(cells) << why.toStdString();
    ASSERT_EQ(cells->size(), 4);
    QStringList columns;
    for (const QStringList& row : *cells) columns << row.mid(3, 4).join(u'|');
    EXPECT_EQ(columns, QStringList({u"券種|買い目|番号1|番号2"_qs, u"馬連|馬連 3-7|#3|#7"_qs,
                                    u"馬連|馬連 3-12|#3|#12"_qs, u"馬連|馬連 1-2|#1|#2"_qs}));
    EXPECT_EQ(cells->at(3).mid(8),
              QStringList({u"未確定"_qs, u"#"_qs, u"#"_qs, u"結果がまだありません"_qs}));
}

// Tab through every control in reading order; arrows move in the
// table; Escape closes the window.
TEST_F(SettleWindow, KeyboardTabOrderArrowsAndEscape) {
    QTableView* grid = Find<QTableView>(window, "Grd_Settle");
    EXPECT_EQ(TabWalk(grid, 5), QStringList({u"Lst_Skipped"_qs, u"Cmd_Refresh"_qs, u"Cmd_Save"_qs,
                                             u"Cmd_Record"_qs, u"Grd_Settle"_qs}));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
}
