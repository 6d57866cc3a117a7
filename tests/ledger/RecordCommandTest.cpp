#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include "ledger/RecordCommand.h"
#include "racedata/AppState.h"
#include "settle/Frm_Settle.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

namespace {

// The settlement window on a memo of 2026/12/06: 東京11R (its result present: 7-3 hits at
// 2,310 a hundred yen; the 複勝 payouts blank, so 複勝 3 is 払戻不明) and 中山2R
// (no result yet), its 台帳に記録 connected to the ledger as the main window
// connects it.
class RecordWindow : public ::testing::Test {
protected:
    RecordWindow() {
        SetLedgerPath(home.file(u"ledger.sqlite"_qs));
        EXPECT_TRUE(WriteResult(data, 5, 11, QuinellaResult()));
        state.DataDir = data.path();
        memo.setPlainText(Memo(800, 200));
        window = new Frm_Settle(state, memo.document());
        QObject::connect(window, &Frm_Settle::RecordRequested, window,
                         [this] { RecordBets(window, LedgerBetsOf(window->settlement())); });
        ShowAndWait(window);
        record = Find<QPushButton>(window, u"Cmd_Record"_qs);
    }
    static QString Memo(int quinella, int place) {
        const QString text =
            u"2026/12/06\n東京\t11R\t馬連\n\t7-3\t%1\n\t3-12\t500\n\n"
            u"東京\t11R\t複勝\n\t3\t%2\n\n中山\t2R\t馬連\n\t1-2\t300\n"_qs;
        return text.arg(quinella).arg(place);
    }
    // The bets the ledger keeps apart, unrecorded, a line each.
    static QStringList Unrecorded() {
        Ledger ledger;
        EXPECT_TRUE(ledger.open());
        QStringList rows;
        for (const BetLine& bet : ledger.unrecorded(2026)) rows << UnrecordedCells(bet).join(u'|');
        return rows;
    }
    ~RecordWindow() override {
        delete window;
        SetLedgerPath({});
    }

    TempDir data, home;
    AppState state;
    QPlainTextEdit memo;
    QPointer<Frm_Settle> window;
    QPushButton* record = nullptr;
    MessageRecorder messages;
};

// A race recorded before for its day is replaced only after a question:
// いいえ keeps its rows and records the others, はい replaces it. The bets not
// recorded are kept apart with their race: gone once it is recorded with its
// result, kept by いいえ, replaced by はい.
TEST_F(RecordWindow, RecordsTheSettledBetsAndAsksBeforeReplacingARace) {
    EXPECT_EQ(record->text(), u"台帳に記録"_qs);
    Click(record);
    ASSERT_EQ(messages.texts(),
              QStringList({u"台帳に 2 件記録しました（1 レース）。\n"
                           u"記録しなかった馬券：未確定 1 件、払戻不明 1 件"_qs}));
    EXPECT_EQ(Unrecorded(), QStringList({u"2026/12/06|東京11R|複勝|3|200円|払戻不明"_qs,
                                         u"2026/12/06|中山2R|馬連|1-2|300円|未確定"_qs}));
    // 中山2R's result comes in (1-2 at 870) and the 東京11R stakes change.
    ASSERT_TRUE(WriteResult(data, 6, 2, QuinellaResult("01-02", "870")));
    memo.setPlainText(Memo(1000, 400));
    Click(Find<QPushButton>(window, u"Cmd_Refresh"_qs));
    // clang-format off
    const struct { MsgAnswer answer; const char16_t* question; qint64 stake, payout; int place; } cases[] = {
        {MsgAnswer::No, u"記録済みのレースがあります：東京11R（2026/12/06）… 置き換えますか？",
         1300 + 300, 18480 + 2610, 200},
        {MsgAnswer::Yes, u"記録済みのレースがあります：東京11R（2026/12/06）、中山2R（2026/12/06）… "
                         u"置き換えますか？", 1500 + 300, 23100 + 2610, 400}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.answer));
        messages.clear();
        messages.answers = {c.answer};
        Click(record);
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(std::tuple(messages.shown[0].text, messages.shown[0].buttons),
                  std::tuple(QString::fromUtf16(c.question), MsgButtons::YesNo));
        // The outcome names the race kept as it was.
        EXPECT_EQ(messages.shown[1].text.contains(u"記録済みのまま残したレース：1 レース"_qs),
                  c.answer == MsgAnswer::No);
        Ledger ledger;
        ASSERT_TRUE(ledger.open());
        const LedgerFigures t = ledger.summary(2026).total;
        EXPECT_EQ(std::tuple(t.stake, t.payout, t.bets, t.races),
                  std::tuple(c.stake, c.payout, 3, 2));
        EXPECT_EQ(ledger.races(2026, 12).front().race.date, QDate(2026, 12, 6));
        EXPECT_EQ(Unrecorded(),
                  QStringList({u"2026/12/06|東京11R|複勝|3|%1円|払戻不明"_qs.arg(c.place)}));
    }
}

// A ledger of a newer version refuses the bets, says why and is left as it was.
TEST_F(RecordWindow, AFailureLeavesTheLedgerAsItWasAndSaysWhy) {
    {
        Ledger ledger;
        ASSERT_TRUE(ledger.open());
        QSqlQuery(ledger.connection()).exec(u"PRAGMA user_version = 9"_qs);
    }
    const QByteArray before = home.read(u"ledger.sqlite"_qs);
    Click(record);
    const QString shown = messages.texts().join(u'/');
    EXPECT_TRUE(shown.startsWith(u"台帳に記録できませんでした。台帳は記録前のままです。"_qs) &&
                shown.contains(u"新しい版の ZEM で書かれた台帳です（台帳の版 9"_qs) &&
                shown.contains(home.file(u"ledger.sqlite"_qs)) && messages.shown.size() == 1)
        << shown.toStdString();
    EXPECT_EQ(home.read(u"ledger.sqlite"_qs), before);
}

}  // namespace
