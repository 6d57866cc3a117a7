#include "app/Frm_Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Frm_Day.h"
#include "app/MemoCommands.h"
#include "backtest/Frm_Backtest.h"
#include "builder/Frm_Build.h"
#include "common/AppKeys.h"
#include "common/Controls.h"
#include "common/Clock.h"
#include "common/Fonts.h"
#include "common/Memo.h"
#include "common/RaceDate.h"
#include "common/MemoFormat.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/Twips.h"
#include "distribution/Frm_Separate.h"
#include "ledger/Frm_Ledger.h"
#include "ledger/RecordCommand.h"
#include "market/Frm_Market.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/RaceDays.h"
#include "recommend/Frm_Special.h"
#include "results/Frm_Result.h"
#include "settings/Frm_Option.h"
#include "settle/Frm_Settle.h"
#include "trend/Frm_Trend.h"
#include "trend/OddsWatcher.h"

namespace {

QPushButton* pictureButton(QWidget* parent, const char* name, const QString& image,
                           const QString& tooltip, const QSize& iconSize) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(PngIcon(image));
    button->setIconSize(iconSize);
    button->setToolTip(tooltip);
    button->setAccessibleName(tooltip);
    return button;
}

}  // namespace

Frm_Main::Frm_Main(AppState& state, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      state_(state),
      selection_(nullptr, nullptr, nullptr) {
    setObjectName(QStringLiteral("Frm_Main"));
    setWindowTitle(QStringLiteral("ZEM"));
    setWindowIcon(PngIcon(QStringLiteral(":/app/images/zem.png")));

    auto* central = new QWidget(this);
    const QFont font = UiFont(12);

    Cmb_Place = new QComboBox(central);
    Cmb_Type = new QComboBox(central);
    Cmb_Race = new QComboBox(central);
    Cmb_Place->setObjectName(QStringLiteral("Cmb_Place"));
    Cmb_Type->setObjectName(QStringLiteral("Cmb_Type"));
    Cmb_Race->setObjectName(QStringLiteral("Cmb_Race"));
    for (QComboBox* list : {Cmb_Place, Cmb_Type, Cmb_Race}) list->setFont(font);
    Cmb_Place->setToolTip(QStringLiteral("競馬場"));
    Cmb_Type->setToolTip(QStringLiteral("馬券の種類"));
    Cmb_Race->setToolTip(QStringLiteral("レース"));
    selection_ = RaceSelection(Cmb_Place, Cmb_Type, Cmb_Race);

    Cmd_Result = pictureButton(central, "Cmd_Result", QStringLiteral(":/app/images/result.png"),
                               QStringLiteral("競争成績を表示します"), QSize(32, 32));
    Cmd_Special =
        pictureButton(central, "Cmd_Special", QStringLiteral(":/app/images/special.png"),
                      QStringLiteral("オッズを元におすすめの馬を表示します"), QSize(32, 32));
    Cmd_Separate =
        pictureButton(central, "Cmd_Separate", QStringLiteral(":/app/images/separate.png"),
                      QStringLiteral("資金配分を行います"), QSize(192, 40));
    for (QPushButton* b : {Cmd_Result, Cmd_Special}) b->setFixedSize(48, 44);
    Cmd_Separate->setFixedHeight(52);
    connect(Cmd_Result, &QPushButton::clicked, this, &Frm_Main::Cmd_Result_Click);
    connect(Cmd_Special, &QPushButton::clicked, this, &Frm_Main::Cmd_Special_Click);
    connect(Cmd_Separate, &QPushButton::clicked, this, &Frm_Main::Cmd_Separate_Click);

    Txt_Main = new QPlainTextEdit(central);
    Txt_Main->setObjectName(QStringLiteral("Txt_Main"));
    Txt_Main->setFont(font);
    Txt_Main->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txt_Main->setTabStopDistance(Txt_Main->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    memoCommands_ = std::make_unique<MemoCommands>(Txt_Main);

    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(Cmb_Place, 3);
    firstRow->addWidget(Cmb_Type, 4);
    firstRow->addWidget(Cmb_Race, 3);
    firstRow->addWidget(Cmd_Result);
    firstRow->addWidget(Cmd_Special);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(5);
    layout->addLayout(firstRow);
    layout->addWidget(Cmd_Separate);
    layout->addWidget(Txt_Main, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new QLabel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setMinimumWidth(Tw(2400));
    statusBar()->addWidget(Panel1, 1);
    statusBar()->addPermanentWidget(Panel2);
    // A double-click on the day opens the day chooser.
    Panel1->setToolTip(QStringLiteral("ダブルクリックで開催日を選びます"));
    Panel1->installEventFilter(this);

    buildMenus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Frm_Main::Timer1_Timer);

    // The client area (everything under the menu bar) is 6600 x 5205 twips.
    const QSize client = TwSize(6600, 5205);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());

    SetHelpRequest(this, [this](QWidget* from) { memoCommands_->mokuji_Click(from); });

    Form_Load();
    Timer1->start();
}

Frm_Main::~Frm_Main() = default;

void Frm_Main::buildMenus() {
    // A menu item named as its control, and its handler when it has one here.
    const auto item = [this](QMenu* menu, const QString& text, const QString& name,
                             void (Frm_Main::*handler)() = nullptr) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (handler) connect(action, &QAction::triggered, this, handler);
        return action;
    };
    File = menuBar()->addMenu(QStringLiteral("ファイル"));
    File->setObjectName(QStringLiteral("File"));
    Open = item(File, QStringLiteral("開く..."), QStringLiteral("Open"), &Frm_Main::Open_Click);
    Save = item(File, QStringLiteral("保存"), QStringLiteral("Save"));
    dummy2 = File->addSeparator();
    dummy2->setObjectName(QStringLiteral("dummy2"));
    Print = item(File, QStringLiteral("印刷"), QStringLiteral("Print"));
    End = item(File, QStringLiteral("終了"), QStringLiteral("End"), &Frm_Main::End_Click);

    Tool = menuBar()->addMenu(QStringLiteral("ツール"));
    Tool->setObjectName(QStringLiteral("Tool"));
    Option =
        item(Tool, QStringLiteral("オプション"), QStringLiteral("Option"), &Frm_Main::Option_Click);
    Settle =
        item(Tool, QStringLiteral("収支計算"), QStringLiteral("Settle"), &Frm_Main::Settle_Click);
    Ledger =
        item(Tool, QStringLiteral("収支台帳"), QStringLiteral("Ledger"), &Frm_Main::Ledger_Click);
    Trend =
        item(Tool, QStringLiteral("オッズ推移"), QStringLiteral("Trend"), &Frm_Main::Trend_Click);
    Market =
        item(Tool, QStringLiteral("オッズ分析"), QStringLiteral("Market"), &Frm_Main::Market_Click);
    Backtest = item(Tool, QStringLiteral("回収率分析"), QStringLiteral("Backtest"),
                    &Frm_Main::Backtest_Click);
    Build = item(Tool, QStringLiteral("買い目作成"), QStringLiteral("Build"), &Frm_Main::Build_Click);
    Tool->addSeparator();
    Day = item(Tool, QStringLiteral("開催日..."), QStringLiteral("Day"), &Frm_Main::Day_Click);

    Help = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    Help->setObjectName(QStringLiteral("Help"));
    mokuji = Help->addAction(QStringLiteral("目次"));
    mokuji->setObjectName(QStringLiteral("mokuji"));
    // F1 opens the help from every window of the program, modal ones too: the
    // application-wide keys handle it (a shortcut of this window would be
    // blocked by a modal window). The menu shows the key; its shortcut acts
    // only while the menu itself has the focus.
    mokuji->setShortcut(QKeySequence(Qt::Key_F1));
    mokuji->setShortcutContext(Qt::WidgetShortcut);
    connect(Save, &QAction::triggered, this, &Frm_Main::Save_Click);
    connect(Print, &QAction::triggered, this, &Frm_Main::Print_Click);
    connect(mokuji, &QAction::triggered, this, &Frm_Main::mokuji_Click);
}

void Frm_Main::Form_Load() {
    Timer1_Timer();
    FillSelectionLists(Cmb_Place, Cmb_Type, Cmb_Race);
    for (QComboBox* list : {Cmb_Place, Cmb_Race}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            showDay();
            emit shownRaceChanged();
        });
    }
    // The folder's days are read once the window has painted, so that start-up
    // does not wait for them.
    Panel2->installEventFilter(this);
}

void Frm_Main::Timer1_Timer() {
    Panel2->setText(GeneralDateTime(Now()));
    // A download that adds a file changes the directory: the day is read again.
    if (!folderRead_.isEmpty() &&
        QFileInfo(folderRead_).lastModified() != folderStamp_)
        showDay();
}

void Frm_Main::showDay(bool rereadFolder) {
    const QFileInfo folder(state_.DataDir);
    const QDateTime stamp = folder.lastModified();
    if (rereadFolder || folderRead_ != state_.DataDir || stamp != folderStamp_) {
        folderNewest_ = NewestFolderDay(state_.DataDir);
        folderRead_ = state_.DataDir;
        folderStamp_ = stamp;
    }
    const Race race = selection_.race();
    shownDay_ = race.course >= 0 && race.number > 0 ? ShownRaceDay(state_, race) : state_.Day;
    if (!shownDay_.isValid()) shownDay_ = state_.Day.isValid() ? state_.Day : folderNewest_;
    const DayCaption caption = RaceDayCaption(shownDay_, state_.Day.isValid(), folderNewest_);
    Panel1->setText(caption.text);
    Panel1->setStyleSheet(caption.earlier ? QStringLiteral("color: rgb(255, 0, 0);") : QString());
}

void Frm_Main::Day_Click() {
    Frm_Day dialog(ListRaceDays(state_.DataDir), state_.Day, this);
    if (RunModal(dialog) != QDialog::Accepted || !dialog.chosen()) return;
    chooseDay(*dialog.chosen());
}

void Frm_Main::chooseDay(const QDate& day) {
    state_.Day = day;
    showDay(true);
    emit shownRaceChanged();
    // The result and recommendation windows open show the race on the new day,
    // as their buttons would.
    if (result_ && result_->isVisible()) Cmd_Result_Click();
    if (special_ && special_->isVisible()) Cmd_Special_Click();
}

bool Frm_Main::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::MouseButtonDblClick) {
        Day_Click();
        return true;
    }
    if (watched == Panel2 && event->type() == QEvent::Paint) {
        Panel2->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (folderRead_.isEmpty()) showDay(true);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Frm_Main::Err_Check() {
    if (Cmb_Place->currentText().isEmpty()) {
        ShowMessage(this, QStringLiteral("場名を選択してください。"));
        Cmb_Place->setFocus();
        return true;
    }
    if (Cmb_Type->currentText().isEmpty()) {
        ShowMessage(this, QStringLiteral("馬券の種類を選択してください。"));
        Cmb_Type->setFocus();
        return true;
    }
    return false;
}

void Frm_Main::Cmd_Separate_Click() {
    if (Err_Check()) return;
    Frm_Separate dlg(state(), selection(), this);
    connect(&dlg, &Frm_Separate::betsAccepted, this, &Frm_Main::appendSlip);
    RunModal(dlg);
}

void Frm_Main::appendSlip(const BetSlip& slip) {
    AppendToMemo(Txt_Main, WriteMemoEntry(MemoText(Txt_Main), slip));
}

Frm_Build* Frm_Main::buildWindow() const {
    return build_;
}

void Frm_Main::Build_Click() {
    if (Err_Check()) return;
    // A window of its own beside the main window, following its race and day;
    // its OK appends to the memo as the distribution's does.
    if (!build_) {
        build_ = new Frm_Build(state_, selection_);
        connect(build_, &Frm_Build::betsAccepted, this, &Frm_Main::appendSlip);
        connect(this, &Frm_Main::shownRaceChanged, build_, &Frm_Build::Form_Activate);
    } else {
        build_->Form_Activate();
    }
    build_->setWindowState(build_->windowState() & ~Qt::WindowMinimized);
    build_->show();
    build_->raise();
    build_->activateWindow();
}

void Frm_Main::Cmd_Result_Click() {
    if (Err_Check()) return;
    if (ShowFailure(this, LoadRaceResult(state_, selection_.race()))) return;
    // The same race on another day is another race: the open window shows it.
    if (result_ && result_->day() != RecordDate(state_.KsData.RaceDate())) result_->Reopen();
    Frm_Result::Show(result_, state_, selection_, this);
}

Frm_Result* Frm_Main::resultWindow() const {
    return result_;
}

void Frm_Main::Cmd_Special_Click() {
    if (Err_Check()) return;
    if (ShowFailure(this, LoadRecommendation(state_, selection_.race()))) return;
    // A window of its own, not kept above the main window; it opens at the
    // main window's top-left corner. An open window is only brought forward:
    // its activation check rebuilds it when the race has changed.
    if (!special_) keepSpecial(new Frm_Special(state_, selection_));
    else if (special_->day() != RecordDate(state_.ZoData.RaceDate())) special_->Reopen();
    special_->move(pos());
    special_->show();
    special_->raise();
    special_->activateWindow();
}

void Frm_Main::keepSpecial(Frm_Special* window) {
    special_ = window;
    connect(window, &Frm_Special::reopened, this, &Frm_Main::keepSpecial);
}

void Frm_Main::Option_Click() {
    Frm_Option dialog(state_.DataDir, this);
    RunModal(dialog);
    showDay(true);
    // A watch already running follows a changed directory.
    if (!OddsWatcher::instance().directory().isEmpty())
        OddsWatcher::instance().watch(state_.DataDir);
}

Frm_Settle* Frm_Main::settleWindow() const {
    return settle_;
}

void Frm_Main::Settle_Click() {
    // A window of its own beside the main window. An open one is rebuilt: by
    // its activation from this window, or here when it is the active one.
    if (!settle_) {
        settle_ = new Frm_Settle(state_, Txt_Main->document());
        // The settlement knows no ledger: 台帳に記録 is connected here.
        connect(settle_, &Frm_Settle::RecordRequested, settle_, [window = settle_.data()] {
            RecordBets(window, LedgerBetsOf(window->settlement()));
        });
    } else if (settle_->isActiveWindow()) {
        settle_->Form_Load();
    }
    settle_->setWindowState(settle_->windowState() & ~Qt::WindowMinimized);
    settle_->show();
    settle_->raise();
    settle_->activateWindow();
}

Frm_Ledger* Frm_Main::ledgerWindow() const {
    return ledger_;
}

void Frm_Main::Ledger_Click() {
    Frm_Ledger::Show(ledger_);
}

Frm_Trend* Frm_Main::trendWindow() const {
    return trend_;
}

void Frm_Main::Trend_Click() {
    Frm_Trend::Show(trend_, state_, selection_);
    connect(this, &Frm_Main::shownRaceChanged, trend_, &Frm_Trend::followRace,
            Qt::UniqueConnection);
}

Frm_Market* Frm_Main::marketWindow() const {
    return market_;
}

void Frm_Main::Backtest_Click() {
    Frm_Backtest::Show(backtest_, state_);
}

void Frm_Main::Market_Click() {
    if (Err_Check()) return;
    // A window of its own beside the main window; an open one reads the
    // selected race's files again.
    if (!market_) {
        market_ = new Frm_Market(state_, selection_);
        connect(this, &Frm_Main::shownRaceChanged, market_, &Frm_Market::Form_Activate);
    } else {
        market_->Form_Load();
    }
    market_->setWindowState(market_->windowState() & ~Qt::WindowMinimized);
    market_->show();
    market_->raise();
    market_->activateWindow();
}

void Frm_Main::Open_Click() {
    if (!memoMayGo()) return;
    memoCommands_->Open_Click();
}

void Frm_Main::Save_Click() {
    memoCommands_->Save_Click();
}

bool Frm_Main::memoMayGo() {
    if (!Txt_Main->document()->isModified() || Txt_Main->document()->isEmpty()) return true;
    switch (ShowMessage(this, QStringLiteral("メモが保存されていません。保存しますか？"),
                        MsgIcon::Exclamation, MsgButtons::YesNoCancel, QStringLiteral("確認"))) {
        case MsgAnswer::Yes: return memoCommands_->Save_Click();
        case MsgAnswer::No: return true;
        default: return false;
    }
}

void Frm_Main::Print_Click() {
    memoCommands_->Print_Click();
}

void Frm_Main::mokuji_Click() {
    memoCommands_->mokuji_Click();
}

void Frm_Main::End_Click() {
    close();
}

void Frm_Main::closeEvent(QCloseEvent* event) {
    // A memo with changes not saved is not lost without a word.
    if (!memoMayGo()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program: every other window goes with it.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->isVisible()) window->close();
    }
    event->accept();
    QCoreApplication::quit();
}
