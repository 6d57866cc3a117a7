#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <map>

#include "common/RaceSelection.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

const QString OddsMissing =
    QStringLiteral("オッズが取得されていないか、ディレクトリの指定が間違っています。");
const QString ResultMissing =
    QStringLiteral("競争成績が取得されていないか、ディレクトリの指定が間違っています。");

QByteArray UoFile(const QString& title) {
    return UoBuilder()
        .set(UoLayout::RaceDate, "20261206")
        .set(UoLayout::RaceTitle, title)
        .setRight(UoLayout::Runners, "18")
        .setRight(UoLayout::QuinellaOdds(0), "12.3 ")
        .bytes();
}
QByteArray ZoFile(const QString& title) {
    return ZoBuilder()
        .set(ZoLayout::RaceDate, "20261206")
        .set(ZoLayout::RaceTitle, title)
        .setRight(ZoLayout::WinOdds(0), "2.5")
        .bytes();
}
QByteArray KsFile(const QString& title) {
    return KsBuilder()
        .set(KsLayout::RaceDate, "20261206")
        .set(KsLayout::CourseName, QStringLiteral("中山"))
        .set(KsLayout::RaceTitle, title)
        .setRight(KsLayout::FinisherHorseNo(0), "7")
        .set(KsLayout::FinisherHorseName(0), QStringLiteral("サクラﾛｰｽﾞ"))
        .bytes();
}

// Records that a lookup left in state before the lookup under test.
template <typename Record>
Record Held(const QByteArray& bytes) {
    Record record;
    record.assign(bytes);
    return record;
}

class LookupsTest : public ::testing::Test {
protected:
    TempDir dir;
    AppState state;
    MessageRecorder messages;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    std::map<QString, std::pair<QByteArray, QDateTime>> before;

    void SetUp() override {
        FillSelectionLists(&place, &type, &race);
        state.DataDir = dir.path();
        // 中山 11R has every file, 10R only odds, 12R only a result; 小倉 1R and 12R have all.
        write("uo-68b.jra", UoFile(QStringLiteral("有馬記念 uo")));
        write("zo-68b.jra", ZoFile(QStringLiteral("有馬記念 zo")));
        write("ks-6508b.jra", KsFile(QStringLiteral("有馬記念 ks")));
        write("uo-68a.jra", UoFile(QStringLiteral("グッドラックＨ uo")));
        write("zo-68a.jra", ZoFile(QStringLiteral("グッドラックＨ zo")));
        write("ks-6508c.jra", KsFile(QStringLiteral("中山１２Ｒ ks")));
        for (const char* name : {"uo-081.jra", "zo-081.jra", "uo-08c.jra", "zo-08c.jra"}) {
            write(name, name[0] == 'u' ? UoFile(QLatin1String(name)) : ZoFile(QLatin1String(name)));
        }
        write("ks-02081.jra", KsFile("ks-02081"));
        write("ks-0208c.jra", KsFile("ks-0208c"));
        for (const QFileInfo& info : QDir(dir.path()).entryInfoList(QDir::Files)) {
            before[info.fileName()] = {dir.read(info.fileName()), info.lastModified()};
        }
        // What earlier lookups left in the held records.
        state.UoData = Held<UoRecord>(UoFile(QStringLiteral("前のレース uo")));
        state.ZoData = Held<ZoRecord>(ZoFile(QStringLiteral("前のレース zo")));
        state.KsData = Held<KsRecord>(KsFile(QStringLiteral("前のレース ks")));
    }

    void TearDown() override {
        // No lookup writes, renames or touches a data file.
        for (const QFileInfo& info : QDir(dir.path()).entryInfoList(QDir::Files)) {
            const auto it = before.find(info.fileName());
            ASSERT_NE(it, before.end()) << "new file " << info.fileName().toStdString();
            EXPECT_EQ(dir.read(info.fileName()), it->second.first) << info.fileName().toStdString();
            EXPECT_EQ(info.lastModified(), it->second.second) << info.fileName().toStdString();
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), static_cast<int>(before.size()));
    }

    void write(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(dir.write(name, bytes));
    }

    void select(const QString& placeName, int raceNo, int typeCode = Quinella) {
        place.setCurrentIndex(place.findText(placeName));
        race.setCurrentIndex(race.findData(raceNo));
        type.setCurrentIndex(type.findData(typeCode));
    }

    void expectOneMessage(const QString& text, MsgIcon icon) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, text);
        EXPECT_EQ(messages.shown[0].title, "Error");
        EXPECT_EQ(messages.shown[0].icon, icon);
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    }
};

TEST_F(LookupsTest, RaceResultReadsTheKsFile) {
    struct Case {
        const char* place;
        int race;
        QString title;
    };
    const Case cases[] = {{"中山", 11, QStringLiteral("有馬記念 ks")},
                          {"中山", 12, QStringLiteral("中山１２Ｒ ks")},
                          {"小倉", 1, "ks-02081"},
                          {"小倉", 12, "ks-0208c"}};
    for (const Case& c : cases) {
        select(QString::fromUtf8(c.place), c.race);
        EXPECT_TRUE(LoadRaceResult(state, selection, nullptr));
        EXPECT_EQ(state.KsData.RaceTitle().trimmed(), c.title);
        EXPECT_EQ(state.KsData.Place(0).HorseName.trimmed(), QStringLiteral("サクラﾛｰｽﾞ"));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LookupsTest, MissingResultShowsM2AndLeavesABlankTitle) {
    select(QStringLiteral("中山"), 11);
    ASSERT_TRUE(LoadRaceResult(state, selection, nullptr));
    const KsRecord loaded = state.KsData;

    select(QStringLiteral("中山"), 10);
    EXPECT_FALSE(LoadRaceResult(state, selection, nullptr));
    expectOneMessage(ResultMissing, MsgIcon::Exclamation);
    // The old record stays, with a blank title.
    KsRecord expected = loaded;
    expected.BlankRaceTitle();
    EXPECT_EQ(state.KsData.raw(), expected.raw());
    EXPECT_EQ(state.KsData.RaceTitle(), QString(56, u' '));
}

TEST_F(LookupsTest, RecommendationReadsResultAndOdds) {
    select(QStringLiteral("中山"), 11, WinPlace);
    EXPECT_TRUE(LoadRecommendation(state, selection, nullptr));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(state.KsData.HasResult());
    EXPECT_EQ(state.KsData.RaceTitle().trimmed(), QStringLiteral("有馬記念 ks"));
    EXPECT_EQ(state.ZoData.RaceTitle().trimmed(), QStringLiteral("有馬記念 zo"));
    EXPECT_EQ(state.ZoStem, "zo-68");
}

TEST_F(LookupsTest, RecommendationWithoutResultGoesOnSilently) {
    select(QStringLiteral("中山"), 10);
    const KsRecord held = state.KsData;
    EXPECT_TRUE(LoadRecommendation(state, selection, nullptr));
    EXPECT_TRUE(messages.shown.empty());
    // Only the date is blanked: it marks that no result is loaded.
    KsRecord expected = held;
    expected.BlankRaceDate();
    EXPECT_EQ(state.KsData.raw(), expected.raw());
    EXPECT_FALSE(state.KsData.HasResult());
    EXPECT_EQ(state.ZoData.RaceTitle().trimmed(), QStringLiteral("グッドラックＨ zo"));
}

TEST_F(LookupsTest, RecommendationWithoutOddsShowsM1AfterReadingTheResult) {
    select(QStringLiteral("中山"), 12);
    const ZoRecord held = state.ZoData;
    EXPECT_FALSE(LoadRecommendation(state, selection, nullptr));
    expectOneMessage(OddsMissing, MsgIcon::Exclamation);
    EXPECT_EQ(state.KsData.RaceTitle().trimmed(), QStringLiteral("中山１２Ｒ ks"));
    EXPECT_EQ(state.ZoData.raw(), held.raw());  // the title is blanked only before a read
    EXPECT_EQ(state.ZoStem, "zo-68");
}

TEST_F(LookupsTest, DistributionReadsTheOddsFileOfTheBetType) {
    struct Case {
        int type;
        bool quinella;
    };
    for (const Case c :
         {Case{Quinella, true}, Case{BracketQuinella, false}, Case{WinPlace, false}}) {
        state.UoData = Held<UoRecord>(UoFile(QStringLiteral("前のレース uo")));
        state.ZoData = Held<ZoRecord>(ZoFile(QStringLiteral("前のレース zo")));
        select(QStringLiteral("中山"), 11, c.type);
        EXPECT_TRUE(LoadDistributionOdds(state, selection, nullptr));
        // Both titles are blanked; the file read fills one of them again.
        if (c.quinella) {
            EXPECT_EQ(state.UoData.RaceTitle().trimmed(), QStringLiteral("有馬記念 uo"));
            EXPECT_EQ(state.ZoData.RaceTitle(), QString(56, u' '));
            EXPECT_EQ(state.ZoData.RaceDate(), "20261206");
            EXPECT_EQ(state.UoStem, "uo-68");
        } else {
            EXPECT_EQ(state.ZoData.RaceTitle().trimmed(), QStringLiteral("有馬記念 zo"));
            EXPECT_EQ(state.UoData.RaceTitle(), QString(56, u' '));
            EXPECT_EQ(state.UoData.Quinella(0).QuinellaOdds, "  12.3 ");
            EXPECT_EQ(state.ZoStem, "zo-68");
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LookupsTest, DistributionWithoutOddsShowsM1) {
    struct Case {
        int type;
        MsgIcon icon;
    };
    for (const Case c : {Case{Quinella, MsgIcon::Exclamation}, Case{BracketQuinella, MsgIcon::None},
                         Case{WinPlace, MsgIcon::None}}) {
        messages.clear();
        state.DataDir = dir.path();
        select(QStringLiteral("東京"), 11, c.type);
        const UoRecord uo = state.UoData;
        const ZoRecord zo = state.ZoData;
        EXPECT_FALSE(LoadDistributionOdds(state, selection, nullptr));
        expectOneMessage(OddsMissing, c.icon);
        EXPECT_EQ(state.UoData.raw(), uo.raw());
        EXPECT_EQ(state.ZoData.raw(), zo.raw());
        EXPECT_EQ(c.type == Quinella ? state.UoStem : state.ZoStem, QString());
    }
}

TEST_F(LookupsTest, FailedReadKeepsTheBlankedFields) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop reads";
    const QString ks = dir.file("ks-6508b.jra"), zo = dir.file("zo-68b.jra");
    ASSERT_TRUE(QFile::setPermissions(ks, QFileDevice::Permissions()));
    ASSERT_TRUE(QFile::setPermissions(zo, QFileDevice::Permissions()));
    select(QStringLiteral("中山"), 11);
    const KsRecord heldKs = state.KsData;
    const ZoRecord heldZo = state.ZoData;

    // The file is there but cannot be read: the caller goes on as after a read.
    EXPECT_TRUE(LoadRaceResult(state, selection, nullptr));
    KsRecord expectedKs = heldKs;
    expectedKs.BlankRaceTitle();
    EXPECT_EQ(state.KsData.raw(), expectedKs.raw());

    EXPECT_TRUE(LoadRecommendation(state, selection, nullptr));
    expectedKs.BlankRaceDate();
    EXPECT_EQ(state.KsData.raw(), expectedKs.raw());
    ZoRecord expectedZo = heldZo;
    expectedZo.BlankRaceTitle();
    EXPECT_EQ(state.ZoData.raw(), expectedZo.raw());
    EXPECT_TRUE(messages.shown.empty());

    for (const QString& path : {ks, zo}) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

}  // namespace
