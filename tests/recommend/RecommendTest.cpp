#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "common/Brackets.h"
#include "common/Colours.h"
#include "common/Twips.h"
#include "racedata/AppState.h"
#include "recommend/Frm_Special.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

const QString Title = u"第１２回　テストステークス（Ｇ３）"_qs;
const QString Example =
    u"2.1/1.1/1.2 5.6/1.5/2.3 9.8/2.0/3.1 35.2/3.5/4.6 48.0/4.2/5.0 "
    u"12.5/2.8/3.9 ﾄﾘｹｼ//"_qs;  // the worked example

// An odds record of horses 1, 2, ... from "W/L/H" texts separated by blanks.
QByteArray Odds(const QString& odds, const char* date = "20261206") {
    RecordBuilder zo = ZoBuilder().set(ZoLayout::RaceDate, date).set(ZoLayout::RaceTitle, Title);
    const QStringList horses = odds.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < horses.size(); ++i) {
        const QStringList o = (QString::number(i + 1) + u'/' + horses[i]).split(u'/');
        zo.setRight(ZoLayout::HorseNo(i), o[0]).setRight(ZoLayout::WinOdds(i), o[1]);
        zo.setRight(ZoLayout::PlaceOddsLow(i), o[2]).setRight(ZoLayout::PlaceOddsHigh(i), o[3]);
    }
    return zo.bytes();
}

// The marks of the horses, joined with "|".
QString Marks(const QString& odds) {
    ZoRecord zo;
    zo.assign(Odds(odds));
    const auto marks = RankMarks(HorseEntries(zo));
    return QStringList(marks.begin(), marks.begin() + zo.RunnerCount()).join(u'|');
}

TEST(Ranking, WorkedExampleAndEdgeCases) {
    EXPECT_EQ(Marks(Example), u"◎|○||△|★|▲|"_qs);

    // Two short-odds and two long-odds horses that take the four rank marks
    // (R 1.0, 2.0, 4.0, 5.0) and leave the allowance of stars untouched.
    const QString base = u"2.0/1.6/2.4 4.0/2.0/2.0 20.0/5.0/5.0 30.0/6.0/6.0 "_qs;
    const std::pair<QString, const char16_t*> cases[] = {
        {base + "43.5/5.0/5.0", u"◎|○|▲|△|★"},  // ratio 8.7 earns a star
        {base + "53.0/5.0/5.0", u"◎|○|▲|△|"},   // 10.6 does not
        {"10.5/5.0/5.0", u"◎"},                 // short odds
        {"10.6/5.0/5.0", u"▲"},                 // long odds
        {base + "10.0/1.5/1.9", u"◎|○|▲|△|★"},  // L 1.5 with H 1.9 earns a star
        {base + "10.0/1.5/2.0", u"◎|○|▲|△|"},   // with H 2.0 not
        {base + "10.0/1.6/1.7", u"◎|○|▲|△|"},   // nor with L 1.6
        {base + "45.0/5.0/5.0 45.0/5.0/5.0 45.0/5.0/5.0", u"◎|○|▲|△|★|★|"},  // no third star
        {base + "15.3/1.5/1.9 45.0/5.0/5.0", u"◎|○|▲|△|★|"},  // one horse uses up both stars
        // Equal ratios: the lower number first; no long-odds horse.
        {"4.0/2.0/2.0 4.0/2.0/2.0 4.0/2.0/2.0", u"◎|○|"},
        {"4.0/2.0/2.0 6.0/2.0/2.0 2.0/2.0/2.0", u"○||◎"},  // a better ratio moves the first down
        {"2.1/1.1/1.2 20.0/5.0/5.0", u"○|▲"},              // a single short-odds horse with a star
        // Without a star of its own ○ goes to the first starred horse, if any.
        {"5.0/2.5/2.5 45.0/5.0/5.0 20.0/5.0/5.0 30.0/6.0/6.0", u"◎|○|▲|△"},
        {"5.0/2.5/2.5 20.0/5.0/5.0", u"◎|▲"},
        // Horses whose odds are not numbers, or 0 or less, are not rated.
        {"ﾄﾘｹｼ/1.1/1.2 2.0//2.4 2.0/1.6/*.* 4.0/2.0/2.0", u"|||◎"},
        {"0.0/1.6/2.4 2.0/0/2.4 2.0/1.6/-1 4.0/2.0/2.0", u"|||◎"},
        {"76.9/20.0/20.0 38.4/10.0/10.0", u"▲|△"},  // 3.845 rounds to 3.84, ties, stays second
    };
    for (const auto& [odds, marks] : cases)
        EXPECT_EQ(Marks(odds), QString::fromUtf16(marks)) << odds.toStdString();
}

TEST(Brackets, TableByRunners) {
    QStringList shown;  // horses 1 to N + 1, 0 for none
    for (int runners : {0, 4, 5, 9, 16, 18}) {
        shown << QString();
        for (int horse = 1; horse <= runners + 1; ++horse)
            shown.last() += QString::number(BracketOf(horse, runners));
    }
    EXPECT_EQ(shown.join(u' '), "0 00000 123450 1234567880 11223344556677880 1122334455667778880");
}

// The window for 中山 1R, as the main window's lists start.
class Special : public ::testing::Test {
protected:
    void open(const QString& odds, const char* date = "20261206", const QStringList& top = {}) {
        FillSelectionLists(&place, &type, &race);
        state.ZoData.assign(Odds(odds, date));
        RecordBuilder ks = KsBuilder().set(KsLayout::RaceDate, top.isEmpty() ? "" : "20261206");
        for (int i = 0; i < top.size(); ++i) ks.setRight(KsLayout::FinisherHorseNo(i), top[i]);
        state.KsData.assign(ks.bytes());
        window = std::make_unique<Frm_Special>(state, selection);
        ShowAndWait(window.get());
    }
    QLabel* label(const QString& name) { return Find<QLabel>(window.get(), name); }
    QLabel* label(const char* name, int i) { return label(QString("%1(%2)").arg(name).arg(i)); }

    AppState state;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    std::unique_ptr<Frm_Special> window;
};

// The worked example's marks, brackets and race; then a result colours the rows
// of its first three horses, with a date that is not a date, which shows empty.
TEST_F(Special, ShowsTheMarksBracketsRaceAndResultOfTheWorkedExample) {
    open(Example);
    const QColor brackets[] = {Colours::White, Colours::Black, {255, 0, 0},    {0, 0, 255},
                               {255, 255, 0},  {0, 255, 0},    {255, 192, 128}};
    QStringList marks;
    for (int i = 0; i < MarkRowCount; ++i) {
        QLabel *no = label("Lbl_No", i), *mark = label("Lbl_Mark", i);
        marks << no->text() + mark->text();
        // Bracket 2 is black with white text; no result is loaded.
        EXPECT_TRUE(mark->toolTip() == u"Ｓ：かなりの信頼度のある馬"_qs &&
                    !mark->autoFillBackground() &&
                    (i >= 7 || (Background(no) == brackets[i] &&
                                Foreground(no) == (i == 1 ? Colours::White : Colours::Black))))
            << i;
    }
    EXPECT_EQ(marks.join(u' '), u"1◎ 2○ 3 4△ 5★ 6▲ 7 8 9 10 11 12 13 14 15 16 17 18"_qs);
    QStringList texts{window->windowTitle()};
    for (const char* name : {"Lbl_Date", "Lbl_Place", "Lbl_Race", "Label4", "Label3", "Label1"})
        texts << label(name)->text();
    EXPECT_EQ(texts.join(u'|'),
              u"おすすめ|2026年12月06日|中山|1|R|"_qs + Title + QString(22, u' ') +
                  u"|※オッズを元に出されたお奨め馬です。　馬券購入は自己責任でお願いします。"_qs);
    // Red, light red, light yellow or white for each row.
    const QColor colours[] = {{255, 0, 0}, {255, 128, 128}, {255, 255, 192}, Colours::White};
    const std::pair<QStringList, const char*> cases[] = {
        {{"3", "7", "1"}, "y-R---r"},
        {{"", "7", "1"}, "y-----r"},   // a blank place is skipped,
        {{"3", "ｱ", "1"}, "y-R----"},  // and one that is not a number
    };
    for (const auto& [top, rows] : cases) {
        open(Example, "20261340", top);
        EXPECT_EQ(label("Lbl_Date")->text(), QString());
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Background(label("Lbl_Mark", i)), colours[QString("Rry-").indexOf(rows[i])])
                << rows << " row " << i;
    }
}

TEST_F(Special, HeightAndRowsFollowTheRunners) {
    for (int runners : {0, 7, 18, 9}) {
        open(QString("// ").repeated(runners));
        int shown = 0;
        for (int i = 0; i < MarkRowCount; ++i)
            shown += label("Lbl_Mark", i)->isVisible() + label("Lbl_No", i)->isVisible();
        EXPECT_EQ(std::pair(window->frameGeometry().height(), shown),
                  std::pair(Tw(900 + 270 * runners), 2 * runners));
    }
    EXPECT_EQ(Background(label("Lbl_No", 8)), QColor(255, 192, 192));  // bracket 8 of nine runners
}
