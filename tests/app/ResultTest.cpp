#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/Frm_Main.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "results/Frm_Result.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

class MainWindowResult : public ::testing::Test {
protected:
    void SetUp() override {
        state.DataDir = data.path();
        window = std::make_unique<Frm_Main>(state);
        ShowAndWait(window.get());
        activateMain();
    }
    void TearDown() override {
        delete window->resultWindow();
        window.reset();
    }

    // The main window comes to the front (qWaitForWindowActive would also
    // accept an open window of its own).
    void activateMain() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
    }

    void select(const QString& place, int race) {
        window->Cmb_Place->setCurrentText(place);
        window->Cmb_Race->setCurrentIndex(race - 1);
    }

    // A result file of 中山 (course 6) for the race, titled by its number.
    void writeResult(int race) {
        RecordBuilder ks = KsBuilder();
        ks.set(KsLayout::RaceDate, QStringLiteral("20261227"))
            .set(KsLayout::CourseName, QStringLiteral("中山"))
            .setRight(KsLayout::RaceNo, QString::number(race))
            .set(KsLayout::RaceTitle, QStringLiteral("第%1競走").arg(race))
            .setRight(KsLayout::FinisherHorseNo(0), QStringLiteral("5"))
            .set(KsLayout::FinisherHorseName(0), QStringLiteral("ドウデュース"));
        const QString raceChar = QString(QLatin1String("123456789abc").at(race - 1));
        ASSERT_TRUE(ks.writeTo(data.file(QStringLiteral("ks-6121%1.jra").arg(raceChar))));
    }

    // A click on the result button, and the activation that follows when the
    // result was read.
    void pressResult() {
        activateMain();
        const std::size_t shown = messages.shown.size();
        Click(window->Cmd_Result);
        if (messages.shown.size() == shown) {
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return window->resultWindow() &&
                       QApplication::activeWindow() == window->resultWindow();
            }));
        }
    }

    MessageRecorder messages;
    TempDir data;
    AppState state;
    std::unique_ptr<Frm_Main> window;
};

}  // namespace

TEST_F(MainWindowResult, ShowsTheResultAndFollowsTheNextRace) {
    writeResult(9);
    writeResult(11);
    select(QStringLiteral("中山"), 9);
    pressResult();
    QPointer<Frm_Result> first = window->resultWindow();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->Label3->text().trimmed(), QStringLiteral("第9競走"));
    EXPECT_EQ(first->Lbl_Name[0]->text().trimmed(), QStringLiteral("ドウデュース"));

    select(QStringLiteral("中山"), 11);
    pressResult();
    ASSERT_TRUE(window->resultWindow());
    EXPECT_NE(window->resultWindow(), first.data());
    EXPECT_EQ(window->resultWindow()->Label3->text().trimmed(), QStringLiteral("第11競走"));
    EXPECT_EQ(window->resultWindow()->Lbl_Race->text(), QStringLiteral("11"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowResult, NoFileAndIncompleteSelectionOpenNoWindow) {
    writeResult(2);
    select(QStringLiteral("中山"), 2);
    ASSERT_TRUE(LoadRaceResult(state, window->selection(), nullptr));  // a title is held
    select(QStringLiteral("東京"), 1);                                 // no ks-5 file
    pressResult();
    EXPECT_EQ(window->resultWindow(), nullptr);
    EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::Exclamation);
    EXPECT_EQ(state.KsData.RaceTitle(), QString(56, u' '));
    EXPECT_EQ(state.KsData.CourseName(), QStringLiteral("中山"));  // the rest is kept
    EXPECT_EQ(messages.texts(),
              QStringList({QStringLiteral(
                  "競争成績が取得されていないか、ディレクトリの指定が間違っています。")}));

    messages.clear();
    writeResult(1);
    select(QStringLiteral("中山"), 1);  // its file is there, but no bet type is chosen
    window->Cmb_Type->setCurrentIndex(-1);
    pressResult();
    EXPECT_EQ(window->resultWindow(), nullptr);
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("馬券の種類を選択してください。")}));
}

TEST_F(MainWindowResult, EndClosesTheResultWindow) {
    writeResult(1);
    select(QStringLiteral("中山"), 1);
    pressResult();
    QPointer<Frm_Result> result = window->resultWindow();
    ASSERT_TRUE(result);
    window->End->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.isNull(); }));
}
