#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "common/Colours.h"
#include "common/Memo.h"
#include "common/MemoFormat.h"
#include "distribution/Frm_Separate.h"
#include "odds/OddsPicker.h"
#include "odds/PairNumbering.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "support/Fixtures.h"
#include "racedata/OddsWatcher.h"
#include "trend/TrendFiles.h"

namespace {

// The distribution window for 東京 11R, with a data directory for odds files,
// and an odds history that records the files the lookups read, as in the program.
class SeparateTest : public testing::Test {
protected:
    SeparateTest() {
        FillSelectionLists(&place, &type, &race), state.DataDir = data.path();
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        SetOddsFileRead([](const QString& path) { OddsWatcher::instance().record(path); });
    }
    ~SeparateTest() override {
        OddsWatcher::instance().watch({}), SetOddsFileRead({}), SetOddsHistoryPath({});
    }
    void open(BetType betType = BetType::Quinella) {
        place.setCurrentText(QStringLiteral("東京")), race.setCurrentIndex(10);
        type.setCurrentIndex(int(betType));
        window = std::make_unique<Frm_Separate>(state, selection);
        // As the main window does: OK's bets appended to the memo.
        QObject::connect(window.get(), &Frm_Separate::betsAccepted, [this](const BetSlip& slip) {
            AppendToMemo(&memo, WriteMemoEntry(MemoText(&memo), slip));
        });
        QObject::connect(window.get(), &Frm_Separate::oddsPickerWanted,
                         [this](const RaceSelection& picked, const PickSink& sink) {
                             RunOddsPicker(state, picked, sink, window.get());
                         });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    static QString at(const char* name, int i) { return QStringLiteral("%1(%2)").arg(name).arg(i); }
    QLineEdit* box(const QString& name) { return Find<QLineEdit>(window.get(), name); }
    QLineEdit* budget() { return box("Txt_Total_Pay"); }
    QLineEdit* buy1(int i) { return box(at("Txt_Buy1", i)); }
    QLineEdit* odds(int i) { return box(at("Txt_Odds", i)); }
    QString text(const QString& name) { return Find<QLabel>(window.get(), name)->text(); }
    QColor colour(int i) { return Foreground(Find<QLabel>(window.get(), at("Lbl_Income", i))); }
    QPushButton* button(const char* name) { return Find<QPushButton>(window.get(), name); }
    void press(const char* name) { Click(button(name)); }
    void arrow(int i, const char* which) {
        Click(Find<QToolButton>(Find<QWidget>(window.get(), at("Upd_Pay", i)), which));
    }
    // Clicks into a box, which selects its whole text, and types over it; each
    // further text goes into the next box after a Tab.
    void enter(QLineEdit* first, std::initializer_list<const char*> texts) {
        Click(first);
        for (int i = 0; const char* typed : texts) {
            if (i++) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), typed);
        }
    }
    // The rows up to the last one not empty as "stake/payout", then "= total".
    std::string rows() {
        QStringList shown;
        for (int i = 0; i < 8; ++i)
            shown << text(at("Lbl_Pay", i)) + '/' + text(at("Lbl_Income", i));
        while (!shown.isEmpty() && shown.last() == "/") shown.removeLast();
        return (shown.join(' ') + " = " + text("Lbl_Real_Pay")).toStdString();
    }
    // "first-second:odds stake" of every row with a first number.
    std::string bets() {
        QStringList shown;
        for (int i = 0; i < 8; ++i)
            if (!buy1(i)->text().isEmpty())
                shown << buy1(i)->text() + '-' + box(at("Txt_Buy2", i))->text() + ':' +
                             odds(i)->text() + ' ' + text(at("Lbl_Pay", i));
        return shown.join(", ").toStdString();
    }
    // The line under the buttons as "composite|returns|profit", "!" when the profit is red.
    std::string spread() {
        const bool red = Foreground(Find<QLabel>(window.get(), "Lbl_Profit_Range")) == Colours::Red;
        return (text("Lbl_Synth") + '|' + text("Lbl_Return_Range") + '|' +
                text("Lbl_Profit_Range") + (red ? "!" : ""))
            .toStdString();
    }
    // Picks the cells in the picker Command1 opens; its bottom line is noted.
    void pick(const char* cell, std::vector<int> cells) {
        modal.then([=, this](QDialog& picker) {
            for (int i : cells) Click(Find<QLabel>(&picker, at(cell, i)));
            lines << Find<QLabel>(&picker, "Label5")->text();
            Click(Find<QPushButton>(&picker, "Cmd_OK"));
        });
        press("Command1");
    }
    // Notes the races of the snapshots the watcher adds from now on.
    void noteSnapshots() {
        QObject::connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, window.get(),
                         [this](const QList<Race>& races) { signalled << races; });
    }
    // A download of PAT95: the odds file written at the given time.
    void download(const char* name, const QByteArray& bytes, const QDateTime& time) {
        ASSERT_TRUE(WriteAt(data.file(name), bytes, time));
    }

    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    TempDir data, store;
    AppState state;
    QPlainTextEdit memo;
    QStringList lines;
    QList<Race> signalled;
    MessageRecorder messages;
    ModalDriver modal;
    std::unique_ptr<Frm_Separate> window;
};

const char* const notNumber = "数値を入力してください。";
const char* const notPositive = "０以上で入力してください。";

}  // namespace
TEST_F(SeparateTest, TitleTabOrderAndKeyMoves) {
    open();
    EXPECT_EQ(text("Lbl_Place") + text("Lbl_Type") + text("Lbl_Race") + text("Label1"),
              QStringLiteral("東京馬連11R"));
    QStringList chain, expected{"Txt_Total_Pay"};
    for (QWidget* w = QApplication::focusWidget(); chain.size() < 38; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
    for (int i = 0; i < 8; ++i)
        expected << at("Txt_Buy1", i) << at("Txt_Buy2", i) << at("Txt_Odds", i);
    expected << QStringList{"Cmd_Add", "Cmd_Cancel", "Command1"};
    for (int i = 0; i < 8; ++i) expected << at("Upd_Pay", i);
    expected << QStringList{"Txt_Target", "Cmd_Target"};
    EXPECT_EQ(chain.join(' ').toStdString(), expected.join(' ').toStdString());  // tab order
    for (int i = 0; i < 8; ++i) buy1(i)->setText("1"), odds(i)->setText("2");
    for (const char* column : {"Txt_Buy1", "Txt_Buy2", "Txt_Odds"}) {
        for (auto [row, step] : {std::pair{0, -1}, {0, 1}, {7, -1}, {7, 1}}) {
            Click(box(at(column, row)));  // Up and Down, none beyond the first and last row
            QTest::keyClick(box(at(column, row)), step < 0 ? Qt::Key_Up : Qt::Key_Down);
            QLineEdit* to = box(at(column, std::clamp(row + step, 0, 7)));
            EXPECT_EQ(QApplication::focusWidget(), to) << column << row << step;
            EXPECT_EQ(to->selectedText(), to->text());
        }
    }
    Click(buy1(0));  // Enter goes on box by box and stops at the last odds
    for (int i = 2; i < 27; ++i) {
        QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Enter : Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), expected[std::min(i, 24)]);
    }
    // Enter pressed neither OK nor Cancel.
    EXPECT_TRUE(messages.shown.empty() && window->isVisible());
}

// The window shows what the sheet holds after each edit; the arithmetic is the sheet's.
TEST_F(SeparateTest, TypingAndArrowsShowStakesPayoutsColoursAndTheSpreadLine) {
    open();
    enter(odds(0), {"2.5", "", "", "", "", "", "4.0", "", "", "10.0"});
    enter(budget(), {"10000"});
    EXPECT_EQ(rows(), "5300/13250 / 3300/13200 1300/13000 = 9900");
    EXPECT_EQ(colour(3), Colours::Black);
    budget()->setText("1001");
    ASSERT_EQ(rows(), "500/1250 / 300/1200 100/1000 = 900");
    EXPECT_EQ(colour(3), Colours::Red);
    arrow(3, "Up");
    arrow(0, "Down");
    EXPECT_EQ(colour(3), Colours::Black);
    EXPECT_EQ(rows(), "400/1000 / 300/1200 200/2000 = 900");
    EXPECT_EQ(colour(0), Colours::Red);
    budget()->clear();  // without a budget the stakes stay and the colour too
    EXPECT_EQ(rows(), "400/1000 / 300/1200 200/2000 = 0");
    EXPECT_EQ(colour(0), Colours::Red);
}

TEST_F(SeparateTest, RefusedEntriesAreKeptSelectedAndFocused) {
    // Typed into the first odds, message, text|selection left, row 0 afterwards:
    // only the accepted keystrokes recalculate. The budget's box checks alike.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"0", notPositive, "0|0", "500/2000"},
        {"12a", notNumber, "12a|12a", "200/2400"},  // as after "12"
        {"-5", notNumber, "5|", "400/2000"}};       // "-" refused, "5" typed over it
    for (const auto& [typed, message, left, row0] : cases) {
        open();
        enter(budget(), {"1000", "", "", "4", "", "", "4", ""});
        messages.clear();
        enter(odds(0), {typed});
        EXPECT_EQ(messages.texts().join('|').toStdString(), message) << typed;
        EXPECT_EQ((odds(0)->text() + "|" + odds(0)->selectedText()).toStdString(), left);
        EXPECT_EQ(QApplication::focusWidget(), odds(0));
        EXPECT_EQ(rows().substr(0, 8), row0);
    }
}

TEST_F(SeparateTest, OkChecksInOrderThenAppendsTheBlock) {
    open();
    auto ok = [&](const char* message, QLineEdit* focus) {
        messages.clear();
        press("Cmd_Add");
        EXPECT_EQ(messages.texts().join('|').toStdString(), message);
        EXPECT_EQ(QApplication::focusWidget(), focus);
    };
    ok("数値を入力してください。", budget());
    enter(budget(), {"0"});
    ok("総購入金額を入力してください。", budget());
    enter(budget(), {"1300"});
    enter(buy1(5), {"3"});
    ok("最低一件以上入力してください。", buy1(0));
    enter(odds(5), {"12a"});  // refused and left standing
    ok("オッズを入力してください。", odds(5));
    // 3-7 at 5 and 3-9 at 8, and two incomplete bets at long odds that take no stake.
    enter(buy1(0), {"3", "7", "5", "3", "9", "8", "4", "", "999", "", "8", "999"});
    buy1(5)->clear();  // odds without a number: accepted, not written
    press("Cmd_Add");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(MemoText(&memo), u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\t3-9\t500\r\n\r\n"_qs);
}

TEST_F(SeparateTest, EscCancelAndEnterOnCancelWriteNothingAndReopeningStartsEmpty) {
    const std::function<void()> ways[] = {
        [&] { QTest::keyClick(odds(0), Qt::Key_Escape); }, [&] { press("Cmd_Cancel"); },
        [&] {
            button("Cmd_Cancel")->setFocus(), QTest::keyClick(button("Cmd_Cancel"), Qt::Key_Return);
        }};
    for (const auto& leave : ways) {
        open();
        EXPECT_EQ(bets() + rows() + budget()->text().toStdString(), " = ");
        enter(budget(), {"1000", "1", "2", "3"});
        leave();
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(memo.toPlainText().isEmpty());
}

TEST_F(SeparateTest, OddsButtonPicksAndLatestOddsFollowTheRows) {
    for (BetType t : {BetType::Quinella, BetType::BracketQuinella, BetType::WinPlace}) open(t), press("Command1");
    EXPECT_EQ(messages.shown.size(), 3u);  // no odds files: a message each and no picker
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, u"20261206"_qs);
    for (int t = 0; t < 36; ++t) zo.setRight(ZoLayout::BracketOdds(t), u"%1.5"_qs.arg(t + 3));
    ASSERT_TRUE(zo.writeTo(data.file("zo-51b.jra")));
    download("uo-51b.jra", UoBytes("20261206", 18, {{"1-2", "10.0"}, {"3-7", "31.5"}}),
             QDateTime::currentDateTime().addSecs(-600));
    open();
    OddsWatcher::instance().watch(data.path());
    enter(budget(), {"10000"});
    // Typed rows: 9-4 the numbers either way round, 17-17 no pair of the record.
    enter(buy1(2), {"9", "4", "50", "17", "17", "30"});
    pick("Lbl_Uma", {QuinellaCell(3, 7), QuinellaCell(1, 2)});
    const std::string before = "1-2:  10.0 5400, 3-7:  31.5 1700, 9-4:50 1100, 17-17:30 1800";
    EXPECT_EQ(bets(), before);  // the picks in cell order, recalculated at once

    // PAT95 downloads again: 1-2 is scratched, 3-7 and 4-9 fell.
    const QDateTime later = QDateTime::currentDateTime().addSecs(60);
    download("uo-51b.jra",
             UoBytes("20261206", 18, {{"1-2", "ﾄﾘｹｼ"}, {"3-7", "12.0"}, {"4-9", "40.0"}}), later);
    ASSERT_TRUE(QTest::qWaitFor([this] { return button("Cmd_Update")->isEnabled(); }, 10000));
    EXPECT_EQ(text("Lbl_Update"), u"オッズ更新 "_qs + later.toString(u"HH:mm"_qs));
    EXPECT_EQ(bets(), before);
    messages.clear();
    press("Cmd_Update");
    // Each as if typed: the scratched pair is refused as typed text is, and
    // the stakes are spread again over the rows that take a share.
    EXPECT_EQ(messages.texts(), QStringList{u"数値を入力してください。"_qs});
    EXPECT_EQ(bets(), "1-2:ﾄﾘｹｼ , 3-7:12.0 5900, 9-4:40.0 1800, 17-17:30 2400");
    EXPECT_TRUE(text("Lbl_Update").isEmpty() && !button("Cmd_Update")->isEnabled());

    open(BetType::BracketQuinella);
    pick("Lbl_Odds", {BracketCell(8, 8), BracketCell(3, 3)});
    EXPECT_EQ(bets(), "3-3: 18.5 , 8-8: 38.5 ");  // without a budget no stakes
    EXPECT_EQ(lines, (QStringList{"選択 2点 合成オッズ 7.59倍", "選択 2点 合成オッズ 12.49倍"}));
}

TEST_F(SeparateTest, WinAndPlaceTakesOneNumberAndIsNeverFollowed) {
    download("zo-51b.jra", ZoBytes("20261206", 18), QDateTime::currentDateTime().addSecs(-600));
    open(BetType::WinPlace);
    OddsWatcher::instance().watch(data.path());
    enter(budget(), {"1000", "5"});
    QTest::keyClick(buy1(0), Qt::Key_Return);  // on to the odds
    QTest::keyClicks(QApplication::focusWidget(), "2");
    // Odds without a number share the budget and are not written; Tab skips the hidden boxes.
    enter(odds(1), {"2", "12", "4"});
    arrow(2, "Up");  // written as shown
    EXPECT_TRUE(button("Cmd_Update")->isHidden());
    noteSnapshots();
    download("zo-51b.jra", ZoBytes("20261206", 18, {{"5", "3.0"}}),
             QDateTime::currentDateTime().addSecs(60));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !signalled.isEmpty(); }, 10000));
    EXPECT_FALSE(button("Cmd_Update")->isEnabled());
    EXPECT_EQ(odds(0)->text(), u"2"_qs);
    press("Cmd_Add");
    const QString block = u"東京\t11R\t単・複勝\r\n\t5\t400\r\n\t12\t300\r\n\r\n"_qs;
    EXPECT_EQ(MemoText(&memo), u"2026/12/06\r\n"_qs + block);

    // A date line above a block of another day only: a second block of the
    // race's day; then one of last week's odds, read with that day chosen.
    const QString last = u"東京\t11R\t単・複勝\r\n\t3\t1000\r\n\r\n"_qs;
    ASSERT_TRUE(WriteAt(data.file("zo-50b.jra"), ZoBytes("20261129", 16),
                        QDateTime::currentDateTime().addSecs(-600)));
    for (const QDate day : {QDate(), QDate(2026, 11, 29)}) {
        state.Day = day;
        open(BetType::WinPlace);
        if (day.isValid()) {
            press("Command1");  // reads the odds; the picker closed at once
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        state.Day = {};  // the odds read decide, not the day chosen now
        enter(budget(), {"1000", "3", "2"});
        press("Cmd_Add");
    }
    EXPECT_EQ(MemoText(&memo), u"2026/12/06\r\n"_qs + block + last + u"2026/11/29\r\n"_qs + last);
}

// Last week's file (stem uo-50) beside today's: on the day chosen, a new
// download of today's file is another day's, and only one of last week's is offered.
TEST_F(SeparateTest, LatestOddsFollowOnlyTheDayInForce) {
    const QDateTime now = QDateTime::currentDateTime();
    download("uo-50b.jra", UoBytes("20261129", 18, {{"3-7", "31.5"}}), now.addSecs(-600));
    download("uo-51b.jra", UoBytes("20261206", 18, {{"3-7", "25.0"}}), now.addSecs(-600));
    state.Day = QDate(2026, 11, 29);
    open();
    OddsWatcher::instance().watch(data.path());
    noteSnapshots();
    download("uo-51b.jra", UoBytes("20261206", 18, {{"3-7", "12.0"}}), now.addSecs(60));
    ASSERT_TRUE(QTest::qWaitFor([this] { return signalled.contains(Race{QDate(2026, 12, 6), 5, 11}); }, 10000));
    EXPECT_FALSE(button("Cmd_Update")->isEnabled());
    download("uo-50b.jra", UoBytes("20261129", 18, {{"3-7", "20.0"}}), now.addSecs(120));
    ASSERT_TRUE(QTest::qWaitFor([this] { return button("Cmd_Update")->isEnabled(); }, 10000));
    EXPECT_EQ(text("Lbl_Update"), u"オッズ更新 "_qs + now.addSecs(120).toString(u"HH:mm"_qs));
}

TEST_F(SeparateTest, TargetSaysWhatIsMissingOrWorksTheStakesBackWithoutSpreadingThem) {
    // Odds of rows 0.., target typed, messages of typing and of 逆算, box focused.
    const std::tuple<QStringList, const char*, std::string, const char*> cases[] = {
        {{"2.5"}, "", notNumber, "Txt_Target"},
        {{"2.5"}, "0", std::string(notPositive) + '|' + notPositive, "Txt_Target"},
        {{}, "1000", "最低一件以上入力してください。", "Txt_Buy1(0)"},
        {{"", "", "12a"}, "1000", "オッズを入力してください。", "Txt_Odds(2)"},
        {{"1.1", "2"}, "999999", "目標払戻が大きすぎます。", "Txt_Target"}};
    for (const auto& [oddsTexts, target, shown, focus] : cases) {
        open();
        enter(budget(), {"1000"});
        for (int i = 0; i < oddsTexts.size(); ++i) odds(i)->setText(oddsTexts[i]);
        const std::string before = rows() + budget()->text().toStdString();
        messages.clear();
        enter(box("Txt_Target"), {target});
        press("Cmd_Target");
        EXPECT_EQ(messages.texts().join('|').toStdString(), shown) << target;
        auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(focused);
        EXPECT_EQ(focused->objectName(), focus);
        EXPECT_EQ(focused->selectedText(), focused->text());
        EXPECT_EQ(rows() + budget()->text().toStdString(), before);
    }
    // Worked back: each hit pays the target at least; the budget becomes their sum.
    open();
    enter(buy1(0), {"1", "2", "1.8", "1", "3", "2", "1", "4", "20"});
    enter(box("Txt_Target"), {"1000"});
    press("Cmd_Target");
    EXPECT_EQ(rows(), "600/1080 500/1000 100/2000 = 1200");
    EXPECT_EQ(budget()->text(), "1200");
    EXPECT_EQ(spread(), "0.90倍|1,000〜2,000円|-200〜+800円!");
    budget()->setText("10000");  // a new budget spreads again
    EXPECT_EQ(rows(), "5000/9000 4500/9000 500/10000 = 10000");
}
