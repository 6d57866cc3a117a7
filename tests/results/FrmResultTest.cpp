#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "racedata/AppState.h"
#include "results/Frm_Result.h"
#include "results/ResultCheck.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

// A 中山 result record as the files hold it: numbers right-aligned, the fifth
// place, the third place payout and the bracket-quinella fields blank.
QByteArray Result(int raceNo) {
    RecordBuilder b = KsBuilder();
    const char16_t* names[] = {u"ドウデュース", u"スターズオンアース", u"桜花賞馬"};
    for (int k = 0; k < 3; ++k) {
        b.setRight(KsLayout::FinisherHorseNo(k), QString::number(k * k + 5))  // 5, 6, 9
            .set(KsLayout::FinisherHorseName(k), QString::fromUtf16(names[k]));
    }
    return b.set(KsLayout::RaceDate, u"20261227"_qs)
        .set(KsLayout::CourseName, u"中山"_qs)
        .setRight(KsLayout::RaceNo, QString::number(raceNo))
        .set(KsLayout::RaceTitle, u"第７１回有馬記念（Ｇ１）"_qs)
        .setRight(KsLayout::WinPayout, u"1,230"_qs)
        .setRight(KsLayout::PlacePayout1, u"280"_qs)
        .setRight(KsLayout::PlacePayout2, u"1,040"_qs)
        .setRight(KsLayout::QuinellaCombo, u"02-05"_qs)
        .setRight(KsLayout::QuinellaPayout, u"12,950"_qs)
        .bytes();
}

// A stand-in main window with the three lists (中山 selected), and the result window.
class ResultWindowTest : public ::testing::Test {
protected:
    ResultWindowTest() { FillSelectionLists(place, type, race); }
    ~ResultWindowTest() override { delete window; }

    // The user goes from the main window to the result window: by the result
    // button (which shows the held record) or by clicking the window.
    void switchToResult(bool byButton) {
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return main.isActiveWindow(); }));
        byButton ? Frm_Result::Show(window, state, selection, &main) : window->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window && window->isActiveWindow(); }));
    }

    AppState state;
    QWidget main;
    QComboBox *place = new QComboBox(&main), *type = new QComboBox(&main),
              *race = new QComboBox(&main);
    RaceSelection selection{place, type, race};
    QPointer<Frm_Result> window;
};

}  // namespace

TEST_F(ResultWindowTest, ShowsTheRecordAsStoredWithBlanksAsBlanks) {
    state.KsData.assign(Result(11));
    Frm_Result w(state, selection);
    EXPECT_EQ(Find<QLabel>(&w, "Label3")->text(),
              u"第７１回有馬記念（Ｇ１）"_qs + QString(32, u' '));
    // clang-format off
    const char* fields[][2] = {
        {"Lbl_Date", "2026年12月27日"}, {"Lbl_Place", "中山"}, {"Lbl_Race", "11"},
        {"Lbl_No(0)", " 5"}, {"Lbl_Name(0)", "ドウデュース      "}, {"Lbl_No(2)", " 9"},
        {"Lbl_Name(1)", "スターズオンアース"}, {"Lbl_Name(2)", "桜花賞馬          "},
        {"Lbl_Name(4)", "                  "}, {"Lbl_Tan", "   1,230"}, {"Lbl_Fuku(0)", "     280"},
        {"Lbl_Fuku(1)", "   1,040"}, {"Lbl_Fuku(2)", "        "}, {"Lbl_WakuNo", "   "},
        {"Lbl_Waku", "        "}, {"Lbl_UmaNo", "02-05"}, {"Lbl_Uma", "  12,950"}};
    // clang-format on
    for (const auto& f : fields)
        EXPECT_EQ(Find<QLabel>(&w, QLatin1String(f[0]))->text(), QString::fromUtf8(f[1])) << f[0];
}

TEST(ResultCheck, TheRaceTheRecordNames) {
    // clang-format off
    const struct { const char16_t *place, *race; int course, number; } cases[] = {
        {u"中山", u"11", 6, 11}, {u"東京", u" 9", 5, 9}, {u"中 ", u" 9", -1, 9},
        {u"中山", u"  ", 6, 0}, {u"中山", u"１", 6, 0}, {u"中山", u"13", 6, 0}};
    // clang-format on
    for (const auto& c : cases) {
        KsRecord ks;
        ks.assign(KsBuilder()
                      .set(KsLayout::RaceDate, u"20261227"_qs)
                      .set(KsLayout::CourseName, QString::fromUtf16(c.place))
                      .set(KsLayout::RaceNo, QString::fromUtf16(c.race))
                      .bytes());
        EXPECT_EQ(RaceOfResult(ks), (Race{QDate(2026, 12, 27), c.course, c.number}))
            << (&c - cases);
    }
}

TEST_F(ResultWindowTest, FollowsTheSelectionOnActivationButReopensAtMostOnce) {
    state.KsData.assign(Result(3));
    race->setCurrentIndex(2);
    switchToResult(true);
    QPointer<Frm_Result> first = window;
    const QPoint where = first->pos() + QPoint(50, 40);  // moved by the user
    first->move(where);
    switchToResult(true);  // the same race: kept as it is
    EXPECT_EQ(window, first);

    // Race 4 has no result file: its lookup only blanks the held title. One
    // reopening shows the held record; it names race 3, and stays.
    race->setCurrentIndex(3);
    state.KsData.BlankRaceTitle();
    switchToResult(false);
    EXPECT_NE(window, first);
    EXPECT_EQ(Find<QLabel>(window, "Lbl_Race")->text(), QStringLiteral(" 3"));
    EXPECT_EQ(Find<QLabel>(window, "Label3")->text(), QString(56, u' '));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    QPointer<Frm_Result> reopened = window;
    for (int i = 0; i < 3; ++i) switchToResult(false);
    EXPECT_EQ(window, reopened);

    // Race 4 read by another command: clicking the window shows it, in its place.
    state.KsData.assign(Result(4));
    switchToResult(false);
    ASSERT_TRUE(window);
    EXPECT_NE(window, reopened);
    EXPECT_EQ(Find<QLabel>(window, "Lbl_Race")->text(), QStringLiteral(" 4"));
    EXPECT_EQ(window->pos(), where);
}
