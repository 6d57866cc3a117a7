#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "common/Colours.h"
#include "common/RaceSelection.h"
#include "distribution/Distribution.h"
#include "distribution/Frm_Separate.h"
#include "odds/PairNumbering.h"
#include "racedata/AppState.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

QString at(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(name).arg(i);
}

// Quinella odds of pair (a,b) in a record of n runners: below 10 for horse 1.
QString QuinellaOdds(int a, int b) {
    return QStringLiteral("%1.%2").arg(a == 1 ? b : a * 10 + b).arg(b % 10);
}

class OddsButton : public testing::Test {
protected:
    void SetUp() override {
        FillSelectionLists(&place, &type, &race);
        state.DataDir = data.path();
    }
    void select(const QString& placeName, int raceNo, BetType betType) {
        place.setCurrentIndex(place.findText(placeName));
        race.setCurrentIndex(race.findData(raceNo));
        type.setCurrentIndex(type.findData(int(betType)));
    }
    // An 18-runner uo- file and a zo- file for the given file name ending.
    void writeFiles(const QString& uoName, const QString& zoName) {
        RecordBuilder uo = UoBuilder();
        uo.set(UoLayout::RaceDate, "19990405").setRight(UoLayout::Runners, "18");
        for (int a = 1; a < 18; ++a) {
            for (int b = a + 1; b <= 18; ++b) {
                uo.set(UoLayout::QuinellaOdds(QuinellaEntryIndex(a, b, 18)),
                       QStringLiteral("%1").arg(QuinellaOdds(a, b), 6));
            }
        }
        if (!uoName.isEmpty()) {
            ASSERT_TRUE(uo.writeTo(data.file(uoName)));
        }
        RecordBuilder zo = ZoBuilder();
        zo.set(ZoLayout::RaceDate, "20261206");
        for (int t = 0; t < BracketCellCount; ++t) {
            zo.setRight(ZoLayout::BracketOdds(t), QStringLiteral("%1.5").arg(t + 3));
        }
        if (!zoName.isEmpty()) {
            ASSERT_TRUE(zo.writeTo(data.file(zoName)));
        }
    }
    Frm_Separate& open() {
        window = std::make_unique<Frm_Separate>(state, selection, &memo);
        ShowAndWait(window.get());
        return *window;
    }
    QLineEdit* box(const char* name, int i) { return Find<QLineEdit>(window.get(), at(name, i)); }
    QString row(int i) {
        return box("Txt_Buy1", i)->text() + "|" + box("Txt_Buy2", i)->text() + "|" +
               box("Txt_Odds", i)->text();
    }
    QString label(const QString& name) { return Find<QLabel>(window.get(), name)->text(); }
    void pressOdds() { Click(window->Command1); }

    // A step that clicks the given cells of a picker, then presses the button.
    static ModalDriver::Step pick(const char* cell, std::vector<int> cells, const char* button) {
        return [=](QDialog& picker) {
            for (int i : cells) Click(Find<QLabel>(&picker, at(cell, i)));
            Click(Find<QPushButton>(&picker, button));
        };
    }

    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    TempDir data;
    AppState state;
    QPlainTextEdit memo;
    MessageRecorder messages;
    ModalDriver modal;
    std::unique_ptr<Frm_Separate> window;
};

}  // namespace

TEST_F(OddsButton, EachBetTypeOpensItsOwnWindow) {
    writeFiles(QStringLiteral("uo-11a.jra"), QStringLiteral("zo-11a.jra"));
    const std::pair<BetType, const char*> cases[] = {
        {Quinella, "Frm_Odds"}, {BracketQuinella, "Frm_Odds2"}, {WinPlace, "Frm_Odds3"}};
    for (const auto& [betType, name] : cases) {
        select(QStringLiteral("札幌"), 10, betType);
        modal.opened.clear();
        QString shownDate;
        modal.then([&](QDialog& picker) { shownDate = Find<QLabel>(&picker, "Lbl_Date")->text(); });
        open();
        pressOdds();
        EXPECT_EQ(modal.opened, QStringList{QLatin1String(name)});
        EXPECT_EQ(shownDate, betType == Quinella ? QStringLiteral("1999年04月05日")
                                                 : QStringLiteral("2026年12月06日"));
        for (int i = 0; i < 8; ++i) EXPECT_EQ(row(i), "||");
    }
    EXPECT_EQ(state.UoStem, QStringLiteral("uo-11"));
    EXPECT_EQ(state.ZoStem, QStringLiteral("zo-11"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OddsButton, MissingFilesShowTheirMessagesAndOpenNothing) {
    const std::pair<BetType, MsgIcon> cases[] = {{Quinella, MsgIcon::Exclamation},
                                                 {BracketQuinella, MsgIcon::None},
                                                 {WinPlace, MsgIcon::None}};
    for (const auto& [betType, icon] : cases) {
        select(QStringLiteral("東京"), 11, betType);
        messages.clear();
        open();
        pressOdds();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(
            messages.shown[0].text,
            QStringLiteral("オッズが取得されていないか、ディレクトリの指定が間違っています。"));
        EXPECT_EQ(messages.shown[0].icon, icon);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    }
    EXPECT_TRUE(modal.opened.isEmpty());
}

TEST_F(OddsButton, PicksWithABudgetFillTheRowsAndDistributeAtOnce) {
    writeFiles(QStringLiteral("uo-51b.jra"), {});
    select(QStringLiteral("東京"), 11, Quinella);
    open();
    QTest::keyClicks(window->Txt_Total_Pay, "10000");
    for (const char* name : {"Txt_Buy1", "Txt_Buy2"}) box(name, 5)->setText("9");
    box("Txt_Odds", 5)->setText("30");
    modal.then(
        pick("Lbl_Uma", {QuinellaCell(2, 3), QuinellaCell(1, 2), QuinellaCell(5, 9)}, "Cmd_OK"));
    pressOdds();

    EXPECT_EQ(row(0), QStringLiteral("1|2|   2.2"));
    EXPECT_EQ(row(1), QStringLiteral("2|3|  23.3"));
    EXPECT_EQ(row(2), QStringLiteral("5|9|  59.9"));
    EXPECT_EQ(row(5), QStringLiteral("9|9|30"));  // earlier rows keep their bets
    for (int i : {3, 4, 6, 7}) EXPECT_EQ(row(i), "||");
    const Distribution expected =
        Distribute(u"10000", {"   2.2", "  23.3", "  59.9", "", "", "30", "", ""});
    for (int i = 0; i < 8; ++i) EXPECT_EQ(label(at("Lbl_Pay", i)), expected.rows[i].stake) << i;
    EXPECT_FALSE(label("Lbl_Pay(0)").isEmpty());
    EXPECT_EQ(label("Lbl_Real_Pay"), expected.total);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OddsButton, PicksWithoutABudgetLeaveTheStakesEmpty) {
    writeFiles({}, QStringLiteral("zo-51b.jra"));
    select(QStringLiteral("東京"), 11, BracketQuinella);
    open();
    modal.then(pick("Lbl_Odds", {35, 15}, "Cmd_OK"));
    pressOdds();
    EXPECT_EQ(row(0), QStringLiteral("3|3| 18.5"));
    EXPECT_EQ(row(1), QStringLiteral("8|8| 38.5"));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(label(at("Lbl_Pay", i)), QString()) << i;
    EXPECT_EQ(label("Lbl_Real_Pay"), QStringLiteral("0"));
}

TEST_F(OddsButton, CancelWritesNothingAndReopeningStartsUnselected) {
    writeFiles(QStringLiteral("uo-51b.jra"), QStringLiteral("zo-51b.jra"));
    select(QStringLiteral("東京"), 11, Quinella);
    open();
    modal.then(pick("Lbl_Uma", {0, 1}, "Cmd_Cancel"));
    QColor reopened;
    modal.then(
        [&](QDialog& picker) { reopened = Background(Find<QLabel>(&picker, "Lbl_Uma(0)")); });
    pressOdds();
    pressOdds();
    EXPECT_EQ(reopened, Colours::LightCyan);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(row(i), "||");

    select(QStringLiteral("東京"), 11, WinPlace);
    modal.then([](QDialog& picker) { Click(Find<QPushButton>(&picker, "Cmd_Cancel")); });
    pressOdds();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(row(i), "||");
    EXPECT_EQ(modal.opened, (QStringList{"Frm_Odds", "Frm_Odds", "Frm_Odds3"}));
}
