#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <vector>

#include "common/Colours.h"
#include "common/RaceSelection.h"
#include "common/Twips.h"
#include "racedata/AppState.h"
#include "recommend/Frm_Special.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

struct Odds {
    const char* win;
    const char* low;
    const char* high;
};

const std::vector<Odds> WorkedExample = {
    {"2.1", "1.1", "1.2"},  {"5.6", "1.5", "2.3"},  {"9.8", "2.0", "3.1"}, {"35.2", "3.5", "4.6"},
    {"48.0", "4.2", "5.0"}, {"12.5", "2.8", "3.9"}, {"ﾄﾘｹｼ", "", ""}};

const QString Title = QStringLiteral("第１２回　テストステークス（Ｇ３）");

// An odds record of horses 1..runners; horses beyond the odds given have none.
QByteArray ZoRecordBytes(int runners, const std::vector<Odds>& odds,
                         const QString& date = QStringLiteral("20261206")) {
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, date).set(ZoLayout::RaceTitle, Title);
    for (int i = 0; i < runners; ++i) zo.setRight(ZoLayout::HorseNo(i), QString::number(i + 1));
    for (std::size_t i = 0; i < odds.size(); ++i) {
        zo.setRight(ZoLayout::WinOdds(int(i)), QString::fromUtf8(odds[i].win))
            .setRight(ZoLayout::PlaceOddsLow(int(i)), QString::fromUtf8(odds[i].low))
            .setRight(ZoLayout::PlaceOddsHigh(int(i)), QString::fromUtf8(odds[i].high));
    }
    return zo.bytes();
}

QByteArray KsRecordBytes(const QString& first, const QString& second, const QString& third) {
    RecordBuilder ks = KsBuilder();
    ks.set(KsLayout::RaceDate, QStringLiteral("20261206"));
    const QString numbers[] = {first, second, third};
    for (int place = 0; place < 3; ++place) {
        ks.setRight(KsLayout::FinisherHorseNo(place), numbers[place]);
    }
    return ks.bytes();
}

// The main window's selection lists without the main window.
class SpecialTest : public ::testing::Test {
protected:
    SpecialTest() {
        FillSelectionLists(&place, &type, &race);
        place.setCurrentText(QStringLiteral("東京"));
        race.setCurrentIndex(10);  // 11R
    }
    ~SpecialTest() override {
        for (auto& w : opened) delete w.data();
    }

    Frm_Special* Open(int runners, const std::vector<Odds>& odds) {
        state.ZoData.assign(ZoRecordBytes(runners, odds));
        auto* window = new Frm_Special(state, selection);
        opened.push_back(window);
        return window;
    }

    AppState state;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    std::vector<QPointer<Frm_Special>> opened;
};

QStringList MarkTexts(Frm_Special* w) {
    QStringList marks;
    for (int i = 0; i < MarkRowCount; ++i)
        marks << Find<QLabel>(w, QStringLiteral("Lbl_Mark(%1)").arg(i))->text();
    return marks;
}

}  // namespace

TEST_F(SpecialTest, ShowsTheWorkedExample) {
    Frm_Special* w = Open(7, WorkedExample);
    ShowAndWait(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("おすすめ"));
    EXPECT_EQ(MarkTexts(w).mid(0, 7).join(u'|'), QStringLiteral("◎|○||△|★|▲|"));
    EXPECT_EQ(w->frameGeometry().height(), Tw(2790));
    for (int i = 0; i < MarkRowCount; ++i) {
        SCOPED_TRACE(i);
        auto* no = Find<QLabel>(w, QStringLiteral("Lbl_No(%1)").arg(i));
        auto* mark = Find<QLabel>(w, QStringLiteral("Lbl_Mark(%1)").arg(i));
        EXPECT_EQ(no->text(), QString::number(i + 1));
        EXPECT_EQ(no->isVisible(), i < 7);
        EXPECT_EQ(mark->isVisible(), i < 7);
        EXPECT_FALSE(mark->autoFillBackground());  // no result loaded
        EXPECT_EQ(mark->toolTip(), QStringLiteral("Ｓ：かなりの信頼度のある馬"));
    }
    const QColor brackets[] = {{255, 255, 255}, {0, 0, 0},   {255, 0, 0},    {0, 0, 255},
                               {255, 255, 0},   {0, 255, 0}, {255, 192, 128}};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        auto* no = Find<QLabel>(w, QStringLiteral("Lbl_No(%1)").arg(i));
        EXPECT_EQ(Background(no), brackets[i]);
        EXPECT_EQ(Foreground(no), i == 1 ? Colours::White : Colours::Black);
    }
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Date")->text(), QStringLiteral("2026年12月06日"));
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Place")->text(), QStringLiteral("東京"));
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Race")->text(), QStringLiteral("11"));
    EXPECT_EQ(Find<QLabel>(w, "Label4")->text(), QStringLiteral("R"));
    EXPECT_EQ(Find<QLabel>(w, "Label3")->text(),
              Title.leftJustified(56 - 17));  // 17 kanji take 2 bytes
    EXPECT_EQ(
        Find<QLabel>(w, "Label1")->text(),
        QStringLiteral("※オッズを元に出されたお奨め馬です。　馬券購入は自己責任でお願いします。"));
}

TEST_F(SpecialTest, HeightAndRowsFollowTheRunners) {
    for (int runners : {0, 7, 18}) {
        SCOPED_TRACE(runners);
        Frm_Special* w = Open(runners, {});
        ShowAndWait(w);
        EXPECT_EQ(w->frameGeometry().height(), Tw(900 + 270 * runners));
        int shown = 0;
        for (int i = 0; i < MarkRowCount; ++i) {
            shown += Find<QLabel>(w, QStringLiteral("Lbl_No(%1)").arg(i))->isVisible();
            EXPECT_EQ(Find<QLabel>(w, QStringLiteral("Lbl_Mark(%1)").arg(i))->isVisible(),
                      i < runners);
        }
        EXPECT_EQ(shown, runners);
        w->close();
    }
    EXPECT_EQ(Frm_Special::OuterHeightTwips(18), 5760);
}

TEST_F(SpecialTest, FewRunnersAreNotColouredAndNineEndInPink) {
    Frm_Special* four = Open(4, {});
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Find<QLabel>(four, QStringLiteral("Lbl_No(%1)").arg(i))->autoFillBackground());
    }
    Frm_Special* nine = Open(9, {});
    for (int i : {7, 8}) {
        EXPECT_EQ(Background(Find<QLabel>(nine, QStringLiteral("Lbl_No(%1)").arg(i))),
                  QColor(255, 192, 192));
    }
}

TEST_F(SpecialTest, ResultColoursTheFirstThree) {
    const QColor red(255, 0, 0), lightRed(255, 128, 128), lightYellow(255, 255, 192);
    const struct {
        const char* name;
        const char* first;
        const char* second;
        const char* third;
        std::vector<std::pair<int, QColor>> coloured;  // rows other than these are white
    } cases[] = {
        {"3 / 7 / 1", "3", "7", "1", {{2, red}, {6, lightRed}, {0, lightYellow}}},
        {"blank first place is skipped", "", "7", "1", {{6, lightRed}, {0, lightYellow}}},
        {"second place not a number is skipped", "3", "ｱ", "1", {{2, red}, {0, lightYellow}}},
        {"a dead heat colours as the better place", "3", "3", "1", {{2, red}, {0, lightYellow}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state.KsData.assign(KsRecordBytes(QString::fromUtf8(c.first), QString::fromUtf8(c.second),
                                          QString::fromUtf8(c.third)));
        Frm_Special* w = Open(7, WorkedExample);
        for (int i = 0; i < MarkRowCount; ++i) {
            SCOPED_TRACE(i);
            QColor expected = Colours::White;
            for (const auto& [row, colour] : c.coloured) {
                if (row == i) expected = colour;
            }
            auto* mark = Find<QLabel>(w, QStringLiteral("Lbl_Mark(%1)").arg(i));
            EXPECT_TRUE(mark->autoFillBackground());
            EXPECT_EQ(Background(mark), expected);
        }
    }
}

TEST_F(SpecialTest, DateThatIsNotADateShowsEmpty) {
    state.ZoData.assign(ZoRecordBytes(7, WorkedExample, QStringLiteral("20261340")));
    auto* w = new Frm_Special(state, selection);
    opened.push_back(w);
    EXPECT_EQ(Find<QLabel>(w, "Lbl_Date")->text(), QString());
    EXPECT_EQ(MarkTexts(w).mid(0, 7).join(u'|'), QStringLiteral("◎|○||△|★|▲|"));
}
