#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/Frm_Main.h"
#include "common/Clock.h"
#include "racedata/AppState.h"
#include "support/Fixtures.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock([this] { return now; });
        window = std::make_unique<Frm_Main>(state);
        ShowAndWait(window.get());
    }
    void TearDown() override {
        window.reset();
        SetClock({});
    }

    QDateTime now{QDate(2026, 12, 6), QTime(9, 5, 3)};
    AppState state;
    std::unique_ptr<Frm_Main> window;
};

QStringList entries(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << QStringLiteral("%1=%2").arg(list->itemText(i)).arg(list->itemData(i).toInt());
    }
    return out;
}

}  // namespace

TEST_F(MainWindow, ListsHoldTheirEntriesAndStartOnNakayamaQuinellaRace1) {
    auto* place = Find<QComboBox>(window.get(), "Cmb_Place");
    auto* type = Find<QComboBox>(window.get(), "Cmb_Type");
    auto* race = Find<QComboBox>(window.get(), "Cmb_Race");
    EXPECT_EQ(
        entries(place).join(' '),
        QStringLiteral("札幌=1 函館=2 福島=3 新潟=4 東京=5 中山=6 中京=7 京都=8 阪神=9 小倉=0"));
    EXPECT_EQ(entries(type).join(' '), QStringLiteral("馬連=0 枠連=1 単・複勝=2"));
    EXPECT_EQ(entries(race).join('|'),
              QStringLiteral(
                  " 1R=1| 2R=2| 3R=3| 4R=4| 5R=5| 6R=6| 7R=7| 8R=8| 9R=9|10R=10|11R=11|12R=12"));
    EXPECT_EQ(place->currentText(), QStringLiteral("中山"));
    EXPECT_EQ(type->currentText(), QStringLiteral("馬連"));
    EXPECT_EQ(race->currentText(), QStringLiteral(" 1R"));
    EXPECT_FALSE(place->isEditable());

    const RaceSelection& sel = window->selection();
    EXPECT_EQ(sel.courseCode(), 6);
    EXPECT_EQ(sel.typeCode(), 0);
    EXPECT_EQ(sel.raceNo(), 1);

    // Picking with the keyboard changes what the other windows read.
    place->setFocus();
    QTest::keyClick(place, Qt::Key_Up);
    EXPECT_EQ(sel.placeText(), QStringLiteral("東京"));
    EXPECT_EQ(sel.courseCode(), 5);
}

TEST_F(MainWindow, ControlsCaptionsTooltipsAndMenus) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ZEM"));
    EXPECT_EQ(Find<QPushButton>(window.get(), "Cmd_Result")->toolTip(),
              QStringLiteral("競争成績を表示します"));
    EXPECT_EQ(Find<QPushButton>(window.get(), "Cmd_Special")->toolTip(),
              QStringLiteral("オッズを元におすすめの馬を表示します"));
    EXPECT_EQ(Find<QPushButton>(window.get(), "Cmd_Separate")->toolTip(),
              QStringLiteral("資金配分を行います"));
    for (const char* name : {"Cmd_Result", "Cmd_Special", "Cmd_Separate"}) {
        auto* button = Find<QPushButton>(window.get(), name);
        EXPECT_TRUE(button->text().isEmpty()) << name;
        EXPECT_FALSE(button->icon().isNull()) << name;
    }
    EXPECT_NE(Find<QPlainTextEdit>(window.get(), "Txt_Main"), nullptr);
    EXPECT_NE(Find<QStatusBar>(window.get(), "StatusBar1"), nullptr);
    EXPECT_EQ(Find<QTimer>(window.get(), "Timer1")->interval(), 1000);

    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << (item->isSeparator() ? QStringLiteral("-") : item->text()) + "/" +
                         item->objectName();
        }
        menus << menu->text() + "[" + items.join(',') + "]";
    }
    EXPECT_EQ(menus.join(' '), QStringLiteral("ファイル[保存/Save,-/dummy2,印刷/Print,終了/End] "
                                              "ツール[オプション/Option] ヘルプ[目次/mokuji]"));
    // Fixed size: the client area under the menu bar is 6600 x 5205 twips.
    EXPECT_EQ(window->centralWidget()->width(), 440);
    EXPECT_EQ(window->height() - window->menuBar()->height(), 347);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(MainWindow, ErrCheckNamesTheMissingListAndFocusesIt) {
    MessageRecorder messages;
    EXPECT_FALSE(window->Err_Check());
    EXPECT_TRUE(messages.shown.empty());

    // The race list is not checked.
    window->Cmb_Race->setCurrentIndex(-1);
    EXPECT_FALSE(window->Err_Check());

    window->Cmb_Type->setCurrentIndex(-1);
    Click(window->Cmd_Result);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("馬券の種類を選択してください。"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(window->Cmb_Type->hasFocus());

    window->Cmb_Place->setCurrentIndex(-1);
    Click(window->Cmd_Special);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("場名を選択してください。"));
    EXPECT_TRUE(window->Cmb_Place->hasFocus());

    Click(window->Cmd_Separate);
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_TRUE(QApplication::topLevelWidgets().contains(window.get()));
}

TEST_F(MainWindow, ClockShowsTheTimeAndRunsWhileAModalWindowIsOpen) {
    auto* panel = Find<QLabel>(window.get(), "Panel2");
    EXPECT_EQ(panel->text(), QStringLiteral("2026/12/06 9:05:03"));
    now = now.addSecs(1);

    QDialog modal(window.get());
    bool advanced = false;
    QTimer::singleShot(0, &modal, [&] {
        advanced = QTest::qWaitFor(
            [&] { return panel->text() == QStringLiteral("2026/12/06 9:05:04"); }, 3000);
        modal.reject();
    });
    modal.exec();
    EXPECT_TRUE(advanced);
}

TEST_F(MainWindow, EndClosesEveryOtherWindow) {
    QWidget other;
    ShowAndWait(&other);
    window->End->trigger();
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, OptionOpensTheOptionsWindowOnTheDataDirectory) {
    state.DataDir = QStringLiteral("/srv/pat95");
    ModalDriver modal;
    QString shown;
    modal.then([&](QDialog& dialog) {
        shown = Find<QLineEdit>(&dialog, "Text1")->text();
        Click(Find<QPushButton>(&dialog, "Command3"));
    });
    window->Option->trigger();
    EXPECT_EQ(modal.opened, QStringList{"Frm_Option"});
    EXPECT_EQ(shown, QStringLiteral("/srv/pat95"));
    EXPECT_EQ(state.DataDir, QStringLiteral("/srv/pat95"));
}
