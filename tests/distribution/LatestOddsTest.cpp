#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "distribution/Frm_Separate.h"
#include "odds/PairNumbering.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "support/Fixtures.h"
#include "trend/OddsWatcher.h"
#include "trend/TrendFiles.h"

namespace {

// The distribution window for 東京 11R while the odds history follows its data
// directory, as in the program: the files the lookups read and the downloads
// the watcher sees are recorded.
class LatestOddsTest : public testing::Test {
protected:
    LatestOddsTest() {
        FillSelectionLists(&place, &type, &race);
        state.DataDir = data.path();
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        SetOddsFileRead([](const QString& path) { OddsWatcher::instance().record(path); });
    }
    ~LatestOddsTest() override {
        OddsWatcher::instance().watch({});
        SetOddsFileRead({});
        SetOddsHistoryPath({});
    }
    void open(int betType) {
        place.setCurrentText(u"東京"_qs), race.setCurrentIndex(10), type.setCurrentIndex(betType);
        window = std::make_unique<Frm_Separate>(state, selection);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        OddsWatcher::instance().watch(data.path());
    }
    // A download of PAT95: the file rewritten in place, written at the given time.
    void download(const QString& name, const QByteArray& bytes, const QDateTime& at) {
        ASSERT_TRUE(WriteAt(data.file(name), bytes, at));
    }
    QLineEdit* box(const char* name, int i) {
        return Find<QLineEdit>(window.get(), QStringLiteral("%1(%2)").arg(name).arg(i));
    }
    void row(int i, const QString& a, const QString& b, const QString& odds) {
        box("Txt_Buy1", i)->setText(a), box("Txt_Buy2", i)->setText(b);
        Click(box("Txt_Odds", i)), QTest::keyClicks(box("Txt_Odds", i), odds);
    }
    // "first-second:odds stake" for every row with a bet.
    std::string rows() {
        QStringList shown;
        for (int i = 0; i < Frm_Separate::Rows; ++i) {
            if (box("Txt_Buy1", i)->text().isEmpty()) continue;
            shown << box("Txt_Buy1", i)->text() + '-' + box("Txt_Buy2", i)->text() + ':' +
                         box("Txt_Odds", i)->text().trimmed() + ' ' +
                         Find<QLabel>(window.get(), QStringLiteral("Lbl_Pay(%1)").arg(i))->text();
        }
        return shown.join(u", "_qs).toStdString();
    }
    QString update() { return Find<QLabel>(window.get(), u"Lbl_Update"_qs)->text(); }
    QPushButton* button() { return Find<QPushButton>(window.get(), u"Cmd_Update"_qs); }

    TempDir store;
    TempDir data;
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    AppState state;
    MessageRecorder messages;
    ModalDriver modal;
    std::unique_ptr<Frm_Separate> window;
};

const QDateTime Earlier = QDateTime::currentDateTime().addSecs(-600);

}  // namespace

TEST_F(LatestOddsTest, PickedAndTypedRowsTakeTheNewerDownload) {
    const std::string Before = "1-2:10.0 5400, 3-7:31.5 1700, 9-4:50 1100, 17-17:30 1800";
    download(u"uo-51b.jra"_qs,
             UoBytes(u"20261206"_qs, 18, {{u"1-2"_qs, u"10.0"_qs}, {u"3-7"_qs, u"31.5"_qs}}),
             Earlier);
    open(Quinella);
    Find<QLineEdit>(window.get(), u"Txt_Total_Pay"_qs)->setText(u"10000"_qs);
    modal.then([](QDialog& picker) {
        for (int cell : {QuinellaCell(1, 2), QuinellaCell(3, 7)})
            Click(Find<QLabel>(&picker, QStringLiteral("Lbl_Uma(%1)").arg(cell)));
        Click(Find<QPushButton>(&picker, u"Cmd_OK"_qs));
    });
    Click(Find<QPushButton>(window.get(), u"Command1"_qs));
    row(2, u"9"_qs, u"4"_qs, u"50"_qs);    // typed, the numbers either way round
    row(3, u"17"_qs, u"17"_qs, u"30"_qs);  // no such pair in the record: left alone
    EXPECT_EQ(rows(), Before);
    EXPECT_EQ(update(), QString());
    EXPECT_FALSE(button()->isEnabled());

    // PAT95 downloads again: 1-2 is scratched, 3-7 and 4-9 fell.
    const QDateTime later = QDateTime::currentDateTime().addSecs(60);
    download(u"uo-51b.jra"_qs,
             UoBytes(u"20261206"_qs, 18,
                     {{u"1-2"_qs, u"ﾄﾘｹｼ"_qs}, {u"3-7"_qs, u"12.0"_qs}, {u"4-9"_qs, u"40.0"_qs}}),
             later);
    ASSERT_TRUE(QTest::qWaitFor([this] { return button()->isEnabled(); }, 10000));
    EXPECT_EQ(update(), u"オッズ更新 "_qs + later.toString(u"HH:mm"_qs));
    EXPECT_EQ(rows(), Before);

    Click(button());
    // Each as if typed: the scratched pair is refused as typed text is, and
    // the stakes are spread again over the rows that take a share.
    EXPECT_EQ(messages.texts(), QStringList{u"数値を入力してください。"_qs});
    EXPECT_EQ(rows(), "1-2:ﾄﾘｹｼ , 3-7:12.0 5900, 9-4:40.0 1800, 17-17:30 2400");
    EXPECT_EQ(update(), QString());
    EXPECT_FALSE(button()->isEnabled());
}

TEST_F(LatestOddsTest, WinPlaceRowsAreNeverFollowed) {
    download(u"zo-51b.jra"_qs, ZoBytes(u"20261206"_qs, 18), Earlier);
    open(WinPlace);
    row(0, u"7"_qs, QString(), u"6.1"_qs);
    EXPECT_TRUE(button()->isHidden());
    QList<TrendRace> signalled;
    QObject::connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, window.get(),
                     [&](const QList<TrendRace>& races) { signalled << races; });
    download(u"zo-51b.jra"_qs, ZoBytes(u"20261206"_qs, 18, {{u"7"_qs, u"3.0"_qs}}),
             QDateTime::currentDateTime().addSecs(60));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !signalled.isEmpty(); }, 10000));
    EXPECT_FALSE(button()->isEnabled());
    EXPECT_EQ(box("Txt_Odds", 0)->text(), u"6.1"_qs);
}
