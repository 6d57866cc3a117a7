#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringEncoder>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "app/MemoCommands.h"
#include "app/frmSplash.h"
#include "common/Clock.h"
#include "common/ProgramDir.h"
#include "common/SystemText.h"
#include "ledger/Frm_Ledger.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/OddsHistory.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceFiles.h"
#include "recommend/Frm_Special.h"
#include "results/Frm_Result.h"
#include "settle/Frm_Settle.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"
#include "trend/Frm_Trend.h"

namespace {

// The main window on a data directory, at 2026/12/06 9:05:03, with a save
// dialog that answers with the queued file names.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock([this] { return now; });
        state.DataDir = data.path();
        window = std::make_unique<Frm_Main>(state);
        ShowAndWait(window.get());
        SetSaveFileDialog([this](QWidget* parent, const QString& fileName, const QString&) {
            EXPECT_EQ(parent, window.get());
            offered << fileName;
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        });
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (QStringList({"Frm_Special", "Frm_Result", "Frm_Settle", "Frm_Ledger", "Frm_Trend"})
                    .contains(w->metaObject()->className()))
                delete w;
        SetClock({});
        SetSaveFileDialog({});
        SetSystemEncoding(nullptr);
    }

    void select(const char* place, int race) {
        control<QComboBox>("Cmb_Place")->setCurrentText(QString::fromUtf8(place));
        control<QComboBox>("Cmb_Race")->setCurrentIndex(race - 1);
    }
    template <typename T>
    T* control(const char* name) const {
        return Find<T>(window.get(), name);
    }
    void trigger(const char* action) const { Find<QAction>(window.get(), action)->trigger(); }
    static void activate(QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w; }));
    }
    // Clicks a job button in the active main window and returns the window that
    // comes to the front (not one that closes on the way).
    template <typename W>
    W* press(QPushButton* button) {
        activate(window.get());
        Click(button);
        W* shown = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return (shown = qobject_cast<W*>(qApp->activeWindow())) && shown->isVisible();
        }));
        return shown;
    }
    static int openWindows() {
        const QWidgetList all = QApplication::topLevelWidgets();
        return int(std::count_if(all.begin(), all.end(), std::mem_fn(&QWidget::isVisible)));
    }

    // A result file of 中山, and an odds file of 東京 on 2026/12/06 from "win low high" odds.
    void writeResult(int race) {
        ASSERT_TRUE(KsBuilder()
                        .set(KsLayout::RaceDate, QStringLiteral("20261227"))
                        .set(KsLayout::CourseName, QStringLiteral("中山"))
                        .setRight(KsLayout::RaceNo, QString::number(race))
                        .set(KsLayout::RaceTitle, QStringLiteral("第%1競走").arg(race))
                        .writeTo(data.file("ks-6121" + RaceChar(race) + ".jra")));
    }
    void writeOdds(int race, const QStringList& odds) {
        RecordBuilder zo = ZoBuilder().set(ZoLayout::RaceDate, u"20261206"_qs);
        for (int h = 0; h < odds.size(); ++h) {
            const QStringList o = odds[h].split(' ');
            zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
                .setRight(ZoLayout::WinOdds(h), o[0])
                .setRight(ZoLayout::PlaceOddsLow(h), o[1])
                .setRight(ZoLayout::PlaceOddsHigh(h), o[2]);
        }
        ASSERT_TRUE(zo.writeTo(data.file("zo-52" + RaceChar(race) + ".jra")));
    }

    QDateTime now{QDate(2026, 12, 6), QTime(9, 5, 3)};
    MessageRecorder messages;
    ModalDriver modal;
    TempDir data;
    AppState state;
    std::unique_ptr<Frm_Main> window;
    QStringList chosen, offered;  // the save dialog's answers (none left is Cancel) and offers
};

}  // namespace

TEST(Splash, ClosesOnceByItsTimerACharacterKeyOrAClickOnTheFrame) {
    for (int how : {0, 1, 2}) {
        SCOPED_TRACE(how);
        QPointer<frmSplash> splash = new frmSplash;
        QSignalSpy finished(splash.data(), &frmSplash::finished);
        ShowAndWait(splash);
        QTest::keyClick(splash, Qt::Key_F5);        // a key without a character
        Click(Find<QLabel>(splash, "lblVersion"));  // a label, not the frame's background
        if (how == 1) QTest::keyClick(splash, Qt::Key_A);
        if (how == 2)
            QTest::mouseClick(Find<QFrame>(splash, "Frame1"), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(finished.count(), how ? 1 : 0);  // at once
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 3000));
        EXPECT_EQ(finished.count(), 1);
    }
}

TEST_F(MainWindow, ListsHoldTheirEntriesAndStartOnNakayamaQuinellaRace1) {
    QStringList items;
    for (QComboBox* list : {control<QComboBox>("Cmb_Place"), control<QComboBox>("Cmb_Type"),
                            control<QComboBox>("Cmb_Race")})
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i) + '=' + list->itemData(i).toString();
    EXPECT_EQ(items.join(','), QStringLiteral("札幌=1,函館=2,福島=3,新潟=4,東京=5,中山=6,中京=7,"
                                              "京都=8,阪神=9,小倉=0,馬連=0,枠連=1,単・複勝=2, 1R=1,"
                                              " 2R=2, 3R=3, 4R=4, 5R=5, 6R=6, 7R=7, 8R=8, 9R=9,"
                                              "10R=10,11R=11,12R=12"));
    EXPECT_EQ(control<QComboBox>("Cmb_Place")->currentText() +
                  control<QComboBox>("Cmb_Type")->currentText() +
                  control<QComboBox>("Cmb_Race")->currentText(),
              QStringLiteral("中山馬連 1R"));
}

TEST_F(MainWindow, IncompleteSelectionIsNamedAndReadsNothingMissingOddsOpenNothing) {
    writeResult(1);  // 中山 1R, read were the selection not checked
    // clang-format off
    const struct { QComboBox* empty; QPushButton* button; const char16_t* text; } cases[] = {
        {control<QComboBox>("Cmb_Type"), control<QPushButton>("Cmd_Result"), u"馬券の種類を選択してください。"},
        {control<QComboBox>("Cmb_Place"), control<QPushButton>("Cmd_Separate"), u"場名を選択してください。"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        messages.clear();
        c.empty->setCurrentIndex(-1);
        Click(c.button);
        EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf16(c.text)});
        EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::None);
        EXPECT_TRUE(c.empty->hasFocus());
        c.empty->setCurrentIndex(0);
    }
    EXPECT_TRUE(modal.opened.isEmpty());
    EXPECT_EQ(state.KsData.RaceTitle().trimmed(), QString());
    // Complete, but the race has no odds: the result is read and nothing opens.
    messages.clear();
    select("中山", 1);
    Click(control<QPushButton>("Cmd_Special"));
    EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf16(MsgOddsMissing)});
    EXPECT_EQ(state.KsData.RaceDate(), u"20261227"_qs);
    EXPECT_EQ(openWindows(), 1);
    control<QComboBox>("Cmb_Race")->setCurrentIndex(-1);  // the race is not checked
    EXPECT_TRUE(window->selectionComplete());
}

TEST_F(MainWindow, ModalWindowsOpenOnWhatItHoldsTheClockRunsAndEndClosesEverything) {
    modal.then(
        [&](QDialog& dlg) { EXPECT_EQ(Find<QLineEdit>(&dlg, "Text1")->text(), data.path()); });
    trigger("Option");

    select("東京", 11);
    modal.then([&](QDialog& dlg) {
        EXPECT_EQ(Find<QLabel>(&dlg, "Lbl_Place")->text() + Find<QLabel>(&dlg, "Lbl_Race")->text(),
                  QStringLiteral("東京11"));
    });
    Click(control<QPushButton>("Cmd_Separate"));
    EXPECT_EQ(modal.opened, QStringList({"Frm_Option", "Frm_Separate"}));

    EXPECT_EQ(control<QLabel>("Panel2")->text(), QStringLiteral("2026/12/06 9:05:03"));
    now = now.addSecs(1);
    QDialog dialog(window.get());
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return control<QLabel>("Panel2")->text().endsWith("4"); }, 3000));
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(control<QLabel>("Panel2")->text(), QStringLiteral("2026/12/06 9:05:04"));

    QWidget other;
    ShowAndWait(&other);
    trigger("End");
    EXPECT_FALSE(other.isVisible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, RecommendationFollowsAnotherRaceOnActivationOnly) {
    const QStringList oddsA = {"3.0 2.0 2.0", "6.0 2.0 2.0", "20.0 5.0 5.0"};  // ◎ horse 1
    const QStringList oddsB = {"6.0 2.0 2.0", "20.0 5.0 5.0", "3.0 2.0 2.0"};  // ◎ horse 3
    writeOdds(11, oddsA);
    writeOdds(3, oddsB);
    select("東京", 11);
    QPointer<Frm_Special> first = press<Frm_Special>(control<QPushButton>("Cmd_Special"));
    ASSERT_TRUE(first);

    // The same race again, new odds on disk: brought forward as it was, to the main window.
    writeOdds(11, oddsB);
    window->move(window->pos() + QPoint(40, 30));
    EXPECT_EQ(press<Frm_Special>(control<QPushButton>("Cmd_Special")), first);
    EXPECT_EQ(first->pos(), window->pos());
    EXPECT_EQ(Find<QLabel>(first, "Lbl_Mark(0)")->text(), QStringLiteral("◎"));

    // Another race picked and the window clicked: rebuilt, and the button follows it.
    activate(window.get());
    select("東京", 3);
    first->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    auto* second = qobject_cast<Frm_Special*>(QApplication::activeWindow());
    ASSERT_TRUE(second);
    EXPECT_EQ(
        Find<QLabel>(second, "Lbl_Race")->text() + Find<QLabel>(second, "Lbl_Mark(2)")->text(),
        QStringLiteral("3◎"));
    EXPECT_EQ(press<Frm_Special>(control<QPushButton>("Cmd_Special")), second);
}

TEST_F(MainWindow, SavesInTheSystemEncodingWithCrLfAfterAskingWhatWouldBeLost) {
    control<QPlainTextEdit>("Txt_Main")->setPlainText(QStringLiteral("メモ"));
    trigger("Save");  // cancelled: nothing is written
    EXPECT_TRUE(QDir(data.path()).isEmpty());
    // The system's encoding as a Japanese Windows has it (nullptr: this UTF-8 Linux).
    const char* cp932 = "windows-31j";
    // clang-format off
    const struct { const char* encoding; const char16_t* memo; const char* old; MsgAnswer answer;
                   const char16_t* asked; const char* saved; } cases[] = {
        {cp932, u"東京\t11R\n\t3-7\t800", nullptr, MsgAnswer::Ok, nullptr,
         "\x93\x8c\x8b\x9e\t11R\r\n\t3-7\t800\r\n"},
        {cp932, u"新しい", "old\r\n", MsgAnswer::No, u"置き換えますか", "old\r\n"},
        {cp932, u"新しい", "old\r\n", MsgAnswer::Yes, u"置き換えますか", "\x90\x56\x82\xb5\x82\xa2\r\n"},
        {cp932, u"目標 \U0001F600", nullptr, MsgAnswer::Cancel, u"文字コード（シフトJIS）", ""},
        {cp932, u"目標 \U0001F600", nullptr, MsgAnswer::Ok, u"文字コード（シフトJIS）",
         "\x96\xda\x95\x57 ?\r\n"},
        {nullptr, u"東京\t11R\n目標 \U0001F600", nullptr, MsgAnswer::Ok, nullptr,
         "\xe6\x9d\xb1\xe4\xba\xac\t11R\r\n\xe7\x9b\xae\xe6\xa8\x99 \xf0\x9f\x98\x80\r\n"},
        {nullptr, u"馬\xD800", nullptr, MsgAnswer::Ok, u"文字コード（UTF-8）", "\xe9\xa6\xac?\r\n"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetSystemEncoding(c.encoding);
        QFile::remove(data.file("memo.txt"));
        ASSERT_TRUE(!c.old || data.write("memo.txt", c.old));
        control<QPlainTextEdit>("Txt_Main")->setPlainText(QString::fromUtf16(c.memo));
        messages.clear();
        messages.answers = {c.answer};
        chosen << data.file("memo.txt");
        trigger("Save");
        EXPECT_EQ(messages.shown.size(), c.asked ? 1u : 0u);
        EXPECT_TRUE(!c.asked || messages.texts().value(0).contains(QString::fromUtf16(c.asked)));
        EXPECT_EQ(data.read("memo.txt"), QByteArray(c.saved));
    }
    EXPECT_EQ(offered.mid(0, 3), QStringList({QString(), QString(), data.file("memo.txt")}));
}

TEST_F(MainWindow, FailedSaveIsReportedWithItsReasonAndKeepsTheOldFile) {
    ASSERT_TRUE(QDir(data.path()).mkpath("locked/folder"));
    ASSERT_TRUE(data.write("locked/memo.txt", "old\r\n"));
    ASSERT_TRUE(QFile::setPermissions(data.file("locked"), QFile::ReadOwner | QFile::ExeOwner));
    control<QPlainTextEdit>("Txt_Main")->setPlainText(QStringLiteral("新しい"));
    // clang-format off
    const struct { const char* target; const char16_t* reason; } cases[] = {
        {"locked/folder", u"同じ名前のフォルダーがあります。"},
        {"missing/memo.txt", u"保存先のフォルダーがありません。"},
        {"locked/memo.txt", u""}};  // a read-only directory; replacing is confirmed
    // clang-format on
    for (const auto& c : cases) {
        if (geteuid() == 0 && c.reason[0] == 0) continue;  // permissions do not stop root
        SCOPED_TRACE(c.target);
        messages.clear();
        chosen << data.file(QLatin1String(c.target));
        trigger("Save");
        const QString said = messages.texts().join('|');
        EXPECT_TRUE(said.contains(u"ファイルを保存できませんでした。"_qs + '\n'))
            << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf16(c.reason)));
    }
    QFile::setPermissions(data.file("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(data.read("locked/memo.txt"), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(data.file("locked")).entryList(QDir::Files), QStringList({"memo.txt"}));
    EXPECT_EQ(control<QPlainTextEdit>("Txt_Main")->toPlainText(), QStringLiteral("新しい"));
}

TEST_F(MainWindow, PrintsOnlyWhenConfirmedWrappingAndRunningOnToFurtherPages) {
    // clang-format off
    const struct { const char* pdf; bool ok; QString text; int minPages, maxPages; } cases[] = {
        {"cancel.pdf", false, QStringLiteral("東京"), 0, 0},
        {"short.pdf", true, QStringLiteral("東京\t11R\t馬連\n\t3-7\t800\n"), 1, 1},
        {"wide.pdf", true, QString(6000, QChar(0x99AC)), 2, 10},
        {"missing/out.pdf", true, QStringLiteral("東京"), 0, 0}};  // cannot be written
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pdf);
        control<QPlainTextEdit>("Txt_Main")->setPlainText(c.text);
        window->memoCommands().printer()->setOutputFormat(QPrinter::PdfFormat);
        window->memoCommands().printer()->setOutputFileName(data.file(QLatin1String(c.pdf)));
        if (c.ok) modal.then([](QDialog& dialog) { dialog.accept(); });
        messages.clear();
        trigger("Print");
        const QString pdf = QString::fromLatin1(data.read(QLatin1String(c.pdf)));
        const qsizetype pages = pdf.count(QRegularExpression("/Type\\s*/Page\\b"));
        EXPECT_TRUE(pages >= c.minPages && pages <= c.maxPages) << pages;
        EXPECT_EQ(messages.texts().join("").startsWith(u"印刷できませんでした。"_qs),
                  c.ok && !pages);
    }
}

TEST_F(MainWindow, HelpOpensAtItsContentsWhateverTheCurrentDirectoryAndOverEveryModalWindow) {
    SetProgramDir(data.path());  // without the help file
    trigger("mokuji");
    SetProgramDir({});
    QPointer<Frm_Help> first = window->memoCommands().helpWindow();
    ASSERT_TRUE(first);
    EXPECT_TRUE(Find<QTextBrowser>(first, "Txt_Help")
                    ->toPlainText()
                    .contains(u"ヘルプファイルが見つかりません。"_qs));

    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(data.path()));
    for (int i = 0; i < 2; ++i) {  // again after reading further down: the same window, at the top
        activate(window.get());
        QTest::keyClick(control<QPlainTextEdit>("Txt_Main"), Qt::Key_F1);
        EXPECT_EQ(window->memoCommands().helpWindow(), first);
        EXPECT_EQ(Find<QTextBrowser>(first, "Txt_Help")->documentTitle(),
                  QStringLiteral("ZEM ヘルプ"));
        EXPECT_EQ(Find<QTextBrowser>(first, "Txt_Help")->verticalScrollBar()->value(), 0);
        Find<QTextBrowser>(first, "Txt_Help")->setSource(QUrl(QStringLiteral("#memo")));
        EXPECT_GT(Find<QTextBrowser>(first, "Txt_Help")->verticalScrollBar()->value(), 0);
    }
    QDir::setCurrent(before);

    // F1 over every modal window, the help being open already.
    ASSERT_TRUE(UoBuilder().setRight(UoLayout::Runners, "18").writeTo(data.file("uo-51b.jra")) &&
                ZoBuilder().writeTo(data.file("zo-51b.jra")));
    select("東京", 11);
    QStringList helped;
    auto f1 = [&](QDialog& dlg) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dlg; }));
        QWidget* focus = QApplication::focusWidget();
        // Keys through the window system, which holds them back from a window
        // that a modal window blocks.
        QTest::keyClick(dlg.windowHandle(), Qt::Key_F1);
        QPointer<Frm_Help> help = window->memoCommands().helpWindow();
        ASSERT_TRUE(help && (!first || help == first));  // the open one comes to the front
        ASSERT_TRUE(QTest::qWaitFor([&] { return help->isActiveWindow(); }));
        const QString section =
            Find<QTextBrowser>(help, "Txt_Help")->source().fragment();  // the window's section
        for (Qt::Key key : {Qt::Key_End, Qt::Key_Home, Qt::Key_Tab, Qt::Key_Return})  // a link
            QTest::keyClick(help->windowHandle(), key);
        if (Find<QTextBrowser>(help, "Txt_Help")->source().fragment() == "main")
            helped << dlg.objectName() + '#' + section;
        QTest::keyClick(help->windowHandle(), Qt::Key_Escape);  // Esc closes the help
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return QApplication::activeWindow() == &dlg && QApplication::focusWidget() == focus;
        }));
    };
    modal.then([&](QDialog& options) {
        f1(options);
        modal.then(f1);
        Click(Find<QPushButton>(&options, "Command1"));  // the directory chooser
    });
    trigger("Option");
    modal.then(f1);
    trigger("Day");
    for (int type = 0; type < 3; ++type) {
        control<QComboBox>("Cmb_Type")->setCurrentIndex(type);
        modal.then([&](QDialog& separate) {
            f1(separate);
            modal.then(f1);
            Click(Find<QPushButton>(&separate, "Command1"));  // the odds window
        });
        activate(window.get());
        control<QPushButton>("Cmd_Separate")
            ->setFocus(Qt::TabFocusReason);  // Enter on the focused button
        QTest::keyClick(control<QPushButton>("Cmd_Separate"), Qt::Key_Return);
    }
    EXPECT_EQ(helped.join(' '), "Frm_Option#option Dialog#option Frm_Day#day Frm_Separate#separate "
                                "Frm_Odds#odds Frm_Separate#separate Frm_Odds2#odds "
                                "Frm_Separate#separate Frm_Odds3#odds");
}

TEST_F(MainWindow, ResultFollowsTheRaceReadLastButNotWhenComingBackFromOutside) {
    writeResult(3);
    writeResult(4);
    ASSERT_TRUE(ZoBuilder()
                    .set(ZoLayout::RaceDate, QStringLiteral("20261227"))
                    .writeTo(data.file("zo-62" + RaceChar(4) + ".jra")));
    select("中山", 4);
    QPointer<Frm_Result> first = press<Frm_Result>(control<QPushButton>("Cmd_Result"));
    ASSERT_TRUE(first);
    select("中山", 3);
    QPointer<Frm_Result> result = press<Frm_Result>(control<QPushButton>("Cmd_Result"));
    ASSERT_TRUE(result);
    EXPECT_EQ(Find<QLabel>(result, "Label3")->text().trimmed(), QStringLiteral("第3競走"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    EXPECT_EQ(press<Frm_Result>(control<QPushButton>("Cmd_Result")),
              result);  // the pointer followed

    select("中山", 4);
    QPointer<Frm_Special> special =
        press<Frm_Special>(control<QPushButton>("Cmd_Special"));  // reads 4R's result
    ASSERT_TRUE(special);
    // The user goes to another program, as the platform reports it (no window of
    // ours is active, the recommendation window is still open), and comes back.
    emit qApp->focusWindowChanged(nullptr);
    activate(result);
    EXPECT_EQ(Find<QLabel>(result, "Lbl_Race")->text(), QStringLiteral(" 3"));
    // From the recommendation window, which is closed before the result window is clicked.
    activate(special);
    special->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return special.isNull(); }));
    result->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.isNull(); }));
    auto* followed = qobject_cast<Frm_Result*>(QApplication::activeWindow());
    ASSERT_TRUE(followed);
    EXPECT_EQ(Find<QLabel>(followed, "Lbl_Race")->text(), QStringLiteral(" 4"));
}

TEST_F(MainWindow, ToolMenuOpensSettlementTrendAndLedgerOnceEachNotModalWithF1) {
    TempDir home;
    SetOddsHistoryPath(home.file(u"odds-history.sqlite"_qs));
    SetLedgerPath(home.file(u"ledger.sqlite"_qs));
    writeOdds(11, {"5.2 1.0 1.0", "3.1 1.0 1.0"});
    select("東京", 11);
    control<QComboBox>("Cmb_Type")->setCurrentIndex(int(BetType::WinPlace));
    control<QPlainTextEdit>("Txt_Main")->setPlainText(u"東京\t11R\t単勝\n\t1\t800\n"_qs);
    auto settle = [&] {
        messages.clear();  // the settlement window, on the memo, records into the ledger
        Click(Find<QPushButton>(window->settleWindow(), u"Cmd_Record"_qs));
        EXPECT_EQ(messages.texts(),
                  QStringList{u"記録できる馬券がありません。\n"
                              u"記録しなかった馬券：未確定 1 件、払戻不明 0 件"_qs});
    };
    auto ledger = [&] { EXPECT_TRUE(QFileInfo::exists(home.file(u"ledger.sqlite"_qs))); };
    // clang-format off
    const struct { const char* name; const char16_t* text; const char* grid;
                   std::function<QWidget*()> shown; std::function<void()> check; } items[] = {
        {"Settle", u"収支計算", "Grd_Settle", [&] { return window->settleWindow(); }, settle},
        {"Trend", u"オッズ推移", "Grd_Trend", [&] { return window->trendWindow(); }, [] {}},
        {"Ledger", u"収支台帳", "Grd_Ledger", [&] { return window->ledgerWindow(); }, ledger}};
    // clang-format on
    for (const auto& item : items) {  // triggered twice: one window, active and not modal
        SCOPED_TRACE(item.name);
        QAction* action = window->findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_TRUE(action && action->text() == QString::fromUtf16(item.text) &&
                    control<QMenu>("Tool")->actions().contains(action));
        action->trigger();
        QPointer<QWidget> shown = item.shown();
        ASSERT_TRUE(shown && QTest::qWaitFor([&] { return shown->isActiveWindow(); }));
        EXPECT_FALSE(shown->isModal());
        action->trigger();
        EXPECT_EQ(item.shown(), shown);
        item.check();
        QTest::keyClick(Find<QWidget>(shown, QString::fromLatin1(item.grid)), Qt::Key_F1);
        Frm_Help* help = window->memoCommands().helpWindow();
        ASSERT_TRUE(help && help->isVisible());
        help->close();
        shown->close();
        activate(window.get());
    }
    // The stores live outside the data directory.
    EXPECT_EQ(QDir(data.path()).entryList(QDir::Files), QStringList{u"zo-52b.jra"_qs});
    OddsWatcher::instance().watch({});
    SetOddsHistoryPath({});
    SetLedgerPath({});
}

TEST_F(MainWindow, StatusBarNamesTheRaceDayAndTheChooserSwitchesEveryLookup) {
    // 東京 11R on 2026/11/29 (its stem sorts first) and on 2026/12/06; 中山 only on 11/29.
    const std::pair<const char*, const char*> files[] = {
        {"zo-57b.jra", "20261129"}, {"zo-58b.jra", "20261206"}, {"ks-5507b.jra", "20261129"},
        {"ks-5508b.jra", "20261206"}, {"ks-6507b.jra", "20261129"}};
    for (const auto& [name, date] : files)
        ASSERT_TRUE(RecordBuilder(name[0] == 'z' ? 826 : 504)
                        .setBytes(0, date)
                        .writeTo(data.file(name)));
    trigger("Option");  // the folder read again, as after choosing it
    QSignalSpy changed(window.get(), &Frm_Main::shownRaceChanged);
    select("東京", 11);
    EXPECT_EQ(control<QLabel>("Panel1")->text(), "開催日 2026年12月06日");
    select("中山", 11);  // only last week's files: said in red
    EXPECT_EQ(control<QLabel>("Panel1")->text(), "開催日 2026年11月29日 前の開催");
    EXPECT_TRUE(control<QLabel>("Panel1")->styleSheet().contains("255, 0, 0"));
    EXPECT_EQ(changed.count(), 3);  // the racecourse, the race, the racecourse

    // Today's result open; chosen by the menu (the list names each day with its
    // racecourses; Down, Down, Enter), the open window shows last week's.
    select("東京", 11);
    QPointer<Frm_Result> result = press<Frm_Result>(control<QPushButton>("Cmd_Result"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->day(), QDate(2026, 12, 6));
    QStringList listed;
    modal.then([&](QDialog& dlg) {
        auto* list = Find<QListWidget>(&dlg, "Lst_Day");
        for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    trigger("Day");
    EXPECT_EQ(listed.mid(1), QStringList({"2026/12/06 東京", "2026/11/29 東京・中山"}));
    EXPECT_EQ(state.Day, QDate(2026, 11, 29));
    EXPECT_EQ(control<QLabel>("Panel1")->text(), "開催日 2026年11月29日（選択中） 前の開催");
    EXPECT_EQ(changed.count(), 5);
    ASSERT_TRUE(window->resultWindow());
    EXPECT_EQ(window->resultWindow()->day(), QDate(2026, 11, 29));
    EXPECT_EQ(state.KsData.RaceDate(), "20261129");

    // A double-click on the panel opens it too; Esc keeps the day, 最新 returns
    // to the default, and the button shows today's result again.
    modal.then([](QDialog& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); });
    QTest::mouseDClick(control<QLabel>("Panel1"), Qt::LeftButton);
    EXPECT_EQ(state.Day, QDate(2026, 11, 29));
    modal.then([](QDialog& dlg) {
        Find<QListWidget>(&dlg, "Lst_Day")->setCurrentRow(0);
        Click(Find<QPushButton>(&dlg, "Cmd_OK"));
    });
    QTest::mouseDClick(control<QLabel>("Panel1"), Qt::LeftButton);
    EXPECT_FALSE(state.Day.isValid());
    EXPECT_EQ(modal.opened, QStringList({"Frm_Option", "Frm_Day", "Frm_Day", "Frm_Day"}));
    EXPECT_EQ(window->resultWindow()->day(), QDate(2026, 12, 6));
}

TEST_F(MainWindow, MemoOpensDecodedAndIsNotLostOnExit) {
    QString asked;
    SetOpenFileDialog([&](QWidget*, const QString&, const QString&) { return asked; });
    const QString memo = QStringLiteral("2026/12/06\n東京\t11R\t馬連\n\t3-7\t800");
    // One Shift JIS file: the decoding of each encoding is DecodeMemoFile's test.
    ASSERT_TRUE(data.write("sjis.txt", QStringEncoder("windows-31j").encode(memo + "\r\n")));
    asked = data.file("sjis.txt");
    trigger("Open");
    EXPECT_EQ(control<QPlainTextEdit>("Txt_Main")->toPlainText(), memo);
    EXPECT_FALSE(control<QPlainTextEdit>("Txt_Main")->document()->isModified());
    // A change not saved: キャンセル keeps the program open (and the memo), いいえ
    // ends it; はい saves first, and a cancelled save keeps it open.
    QTest::keyClicks(control<QPlainTextEdit>("Txt_Main"), "x");
    const std::tuple<MsgAnswer, const char*, bool> exits[] = {
        {MsgAnswer::Cancel, nullptr, true}, {MsgAnswer::Yes, nullptr, true},
        {MsgAnswer::Yes, "saved.txt", false}};
    for (const auto& [answer, saveAs, staysOpen] : exits) {
        messages.clear();
        messages.answers = {answer};
        if (saveAs) chosen << data.file(saveAs);
        trigger("End");
        EXPECT_EQ(messages.texts(), QStringList{"メモが保存されていません。保存しますか？"});
        EXPECT_EQ(window->isVisible(), staysOpen);
    }
    EXPECT_EQ(QString::fromUtf8(data.read("saved.txt")),
              QString("x" + memo).replace("\n", "\r\n") + "\r\n");
    // Opened again and closed unchanged: nothing asked; いいえ after a change ends at once.
    ShowAndWait(window.get());
    asked = data.file("saved.txt");
    trigger("Open");
    messages.clear();
    trigger("End");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window->isVisible());
    ShowAndWait(window.get());
    QTest::keyClicks(control<QPlainTextEdit>("Txt_Main"), "y");
    messages.answers = {MsgAnswer::No};
    window->close();
    EXPECT_FALSE(window->isVisible());
    SetOpenFileDialog({});
}
