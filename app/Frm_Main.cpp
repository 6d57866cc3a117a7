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
#include "odds/OddsPicker.h"
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
#include "racedata/OddsWatcher.h"

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

    racecourseList_ = new QComboBox(central);
    betTypeList_ = new QComboBox(central);
    raceList_ = new QComboBox(central);
    racecourseList_->setObjectName(QStringLiteral("Cmb_Place"));
    betTypeList_->setObjectName(QStringLiteral("Cmb_Type"));
    raceList_->setObjectName(QStringLiteral("Cmb_Race"));
    for (QComboBox* list : {racecourseList_, betTypeList_, raceList_}) list->setFont(font);
    racecourseList_->setToolTip(QStringLiteral("競馬場"));
    betTypeList_->setToolTip(QStringLiteral("馬券の種類"));
    raceList_->setToolTip(QStringLiteral("レース"));
    selection_ = RaceSelection(racecourseList_, betTypeList_, raceList_);

    resultButton_ = pictureButton(central, "Cmd_Result", QStringLiteral(":/app/images/result.png"),
                                  QStringLiteral("競争成績を表示します"), QSize(32, 32));
    recommendButton_ =
        pictureButton(central, "Cmd_Special", QStringLiteral(":/app/images/special.png"),
                      QStringLiteral("オッズを元におすすめの馬を表示します"), QSize(32, 32));
    distributeButton_ =
        pictureButton(central, "Cmd_Separate", QStringLiteral(":/app/images/separate.png"),
                      QStringLiteral("資金配分を行います"), QSize(192, 40));
    for (QPushButton* b : {resultButton_, recommendButton_}) b->setFixedSize(48, 44);
    distributeButton_->setFixedHeight(52);
    connect(resultButton_, &QPushButton::clicked, this, &Frm_Main::Cmd_Result_Click);
    connect(recommendButton_, &QPushButton::clicked, this, &Frm_Main::Cmd_Special_Click);
    connect(distributeButton_, &QPushButton::clicked, this, &Frm_Main::Cmd_Separate_Click);

    memo_ = new QPlainTextEdit(central);
    memo_->setObjectName(QStringLiteral("Txt_Main"));
    memo_->setFont(font);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setTabStopDistance(memo_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    memoCommands_ = std::make_unique<MemoCommands>(memo_);

    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(racecourseList_, 3);
    firstRow->addWidget(betTypeList_, 4);
    firstRow->addWidget(raceList_, 3);
    firstRow->addWidget(resultButton_);
    firstRow->addWidget(recommendButton_);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(5);
    layout->addLayout(firstRow);
    layout->addWidget(distributeButton_);
    layout->addWidget(memo_, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    dayPanel_ = new QLabel(this);
    dayPanel_->setObjectName(QStringLiteral("Panel1"));
    clockPanel_ = new QLabel(this);
    clockPanel_->setObjectName(QStringLiteral("Panel2"));
    clockPanel_->setAlignment(Qt::AlignCenter);
    clockPanel_->setMinimumWidth(Tw(2400));
    statusBar()->addWidget(dayPanel_, 1);
    statusBar()->addPermanentWidget(clockPanel_);
    // A double-click on the day opens the day chooser.
    dayPanel_->setToolTip(QStringLiteral("ダブルクリックで開催日を選びます"));
    dayPanel_->installEventFilter(this);

    buildMenus();

    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("Timer1"));
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &Frm_Main::showTime);

    // The client area (everything under the menu bar) is 6600 x 5205 twips.
    const QSize client = TwSize(6600, 5205);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());

    SetHelpRequest(this, [this](QWidget* from) { memoCommands_->mokuji_Click(from); });

    Form_Load();
    clock_->start();
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
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル"));
    fileMenu_->setObjectName(QStringLiteral("File"));
    openAction_ =
        item(fileMenu_, QStringLiteral("開く..."), QStringLiteral("Open"), &Frm_Main::Open_Click);
    saveAction_ = item(fileMenu_, QStringLiteral("保存"), QStringLiteral("Save"));
    fileSeparator_ = fileMenu_->addSeparator();
    fileSeparator_->setObjectName(QStringLiteral("dummy2"));
    printAction_ = item(fileMenu_, QStringLiteral("印刷"), QStringLiteral("Print"));
    quitAction_ =
        item(fileMenu_, QStringLiteral("終了"), QStringLiteral("End"), &Frm_Main::End_Click);

    toolMenu_ = menuBar()->addMenu(QStringLiteral("ツール"));
    toolMenu_->setObjectName(QStringLiteral("Tool"));
    optionAction_ = item(toolMenu_, QStringLiteral("オプション"), QStringLiteral("Option"),
                         &Frm_Main::Option_Click);
    settleAction_ = item(toolMenu_, QStringLiteral("収支計算"), QStringLiteral("Settle"),
                         &Frm_Main::Settle_Click);
    ledgerAction_ = item(toolMenu_, QStringLiteral("収支台帳"), QStringLiteral("Ledger"),
                         &Frm_Main::Ledger_Click);
    trendAction_ = item(toolMenu_, QStringLiteral("オッズ推移"), QStringLiteral("Trend"),
                        &Frm_Main::Trend_Click);
    marketAction_ = item(toolMenu_, QStringLiteral("オッズ分析"), QStringLiteral("Market"),
                         &Frm_Main::Market_Click);
    backtestAction_ = item(toolMenu_, QStringLiteral("回収率分析"), QStringLiteral("Backtest"),
                           &Frm_Main::Backtest_Click);
    buildAction_ = item(toolMenu_, QStringLiteral("買い目作成"), QStringLiteral("Build"),
                        &Frm_Main::Build_Click);
    toolMenu_->addSeparator();
    dayAction_ =
        item(toolMenu_, QStringLiteral("開催日..."), QStringLiteral("Day"), &Frm_Main::Day_Click);

    helpMenu_ = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    helpMenu_->setObjectName(QStringLiteral("Help"));
    helpContentsAction_ = helpMenu_->addAction(QStringLiteral("目次"));
    helpContentsAction_->setObjectName(QStringLiteral("mokuji"));
    // F1 opens the help from every window of the program, modal ones too: the
    // application-wide keys handle it (a shortcut of this window would be
    // blocked by a modal window). The menu shows the key; its shortcut acts
    // only while the menu itself has the focus.
    helpContentsAction_->setShortcut(QKeySequence(Qt::Key_F1));
    helpContentsAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(saveAction_, &QAction::triggered, this, &Frm_Main::Save_Click);
    connect(printAction_, &QAction::triggered, this, &Frm_Main::Print_Click);
    connect(helpContentsAction_, &QAction::triggered, this, &Frm_Main::mokuji_Click);
}

void Frm_Main::Form_Load() {
    showTime();
    FillSelectionLists(racecourseList_, betTypeList_, raceList_);
    for (QComboBox* list : {racecourseList_, raceList_}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            showDay();
            emit shownRaceChanged();
        });
    }
    // The folder's days are read once the window has painted, so that start-up
    // does not wait for them.
    clockPanel_->installEventFilter(this);
}

void Frm_Main::showTime() {
    clockPanel_->setText(GeneralDateTime(Now()));
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
    dayPanel_->setText(caption.text);
    dayPanel_->setStyleSheet(caption.earlier ? QStringLiteral("color: rgb(255, 0, 0);")
                                             : QString());
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
    if (watched == dayPanel_ && event->type() == QEvent::MouseButtonDblClick) {
        Day_Click();
        return true;
    }
    if (watched == clockPanel_ && event->type() == QEvent::Paint) {
        clockPanel_->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            if (folderRead_.isEmpty()) showDay(true);
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Frm_Main::selectionComplete() {
    if (racecourseList_->currentText().isEmpty()) {
        ShowMessage(this, QStringLiteral("場名を選択してください。"));
        racecourseList_->setFocus();
        return false;
    }
    if (betTypeList_->currentText().isEmpty()) {
        ShowMessage(this, QStringLiteral("馬券の種類を選択してください。"));
        betTypeList_->setFocus();
        return false;
    }
    return true;
}

void Frm_Main::Cmd_Separate_Click() {
    if (!selectionComplete()) return;
    Frm_Separate dlg(state(), selection(), this);
    connect(&dlg, &Frm_Separate::betsAccepted, this, &Frm_Main::appendSlip);
    connect(&dlg, &Frm_Separate::oddsPickerWanted, this,
            [this, &dlg](const RaceSelection& picked, const PickSink& sink) {
                RunOddsPicker(state(), picked, sink, &dlg);
            });
    RunModal(dlg);
}

void Frm_Main::appendSlip(const BetSlip& slip) {
    AppendToMemo(memo_, WriteMemoEntry(MemoText(memo_), slip));
}

Frm_Build* Frm_Main::buildWindow() const {
    return build_;
}

void Frm_Main::Build_Click() {
    if (!selectionComplete()) return;
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
    if (!selectionComplete()) return;
    if (ShowFailure(this, LoadRaceResult(state_, selection_.race()))) return;
    // The same race on another day is another race: the open window shows it.
    if (result_ && result_->day() != RecordDate(state_.KsData.RaceDate())) result_->Reopen();
    Frm_Result::Show(result_, state_, selection_, this);
}

Frm_Result* Frm_Main::resultWindow() const {
    return result_;
}

void Frm_Main::Cmd_Special_Click() {
    if (!selectionComplete()) return;
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
    if (const std::optional<QString> directory = dialog.chosen()) state_.DataDir = *directory;
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
        settle_ = new Frm_Settle(state_, memo_->document());
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
    if (!selectionComplete()) return;
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
    if (!memo_->document()->isModified() || memo_->document()->isEmpty()) return true;
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
