#pragma once

#include <QDate>
#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "common/RaceSelection.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class Frm_Special;
class Frm_Result;
class Frm_Settle;
class Frm_Ledger;
class Frm_Trend;
class Frm_Market;
class Frm_Backtest;
class Frm_Build;
struct BetSlip;
class MemoCommands;
struct AppState;

// The main window: the race selection, the three job buttons, the memo, the
// menus and the status-bar clock. It lives until the program ends.
class Frm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Frm_Main(AppState& state, QWidget* parent = nullptr);
    ~Frm_Main() override;

    const RaceSelection& selection() const { return selection_; }
    AppState& state() { return state_; }
    MemoCommands& memoCommands() { return *memoCommands_; }
    Frm_Result* resultWindow() const;
    Frm_Settle* settleWindow() const;
    Frm_Ledger* ledgerWindow() const;
    Frm_Trend* trendWindow() const;
    Frm_Market* marketWindow() const;
    Frm_Build* buildWindow() const;

    // The day shown for the selected race, as the status bar's first panel says it.
    QDate shownDay() const { return shownDay_; }

signals:
    // The racecourse, the race or the chosen day changed.
    void shownRaceChanged();

public slots:
    // True when a racecourse and a bet type are chosen; otherwise the user is
    // told which is missing and it gets the focus.
    bool selectionComplete();
    void Cmd_Separate_Click();
    void Cmd_Result_Click();
    void Cmd_Special_Click();
    void End_Click();
    void Option_Click();
    void Settle_Click();
    void Ledger_Click();
    void Trend_Click();
    void Market_Click();
    void Day_Click();
    // Makes the day the one every lookup takes (null: each race on its newest day).
    void chooseDay(const QDate& day);
    void Open_Click();
    void Backtest_Click();
    void Build_Click();
    void Save_Click();
    void Print_Click();
    void mokuji_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void Form_Load();
    // Writes the race day into the status bar's first panel; the folder's days
    // are read again only when the directory changed (or always when asked).
    void showDay(bool rereadFolder = false);
    // Asks to save a memo with changes not saved; false when the user cancels
    // (or the save did not happen), and the memo must stay.
    bool memoMayGo();
    // Appends a planned set of bets to the memo, with the date line of its day when needed.
    void appendSlip(const BetSlip& slip);

    // Holds the recommendation window, and its replacement when it rebuilds itself.
    void keepSpecial(Frm_Special* window);

    AppState& state_;
    RaceSelection selection_;
    std::unique_ptr<MemoCommands> memoCommands_;
    QPointer<Frm_Result> result_;
    QPointer<Frm_Special> special_;
    QPointer<Frm_Settle> settle_;
    QPointer<Frm_Ledger> ledger_;
    QPointer<Frm_Trend> trend_;
    QPointer<Frm_Market> market_;
    QDate shownDay_;
    QDate folderNewest_;
    QDateTime folderStamp_;  // the directory's modification time when folderNewest_ was read
    QString folderRead_;     // the directory folderNewest_ belongs to
    QPointer<Frm_Backtest> backtest_;
    QPointer<Frm_Build> build_;

    // Writes the date and time into the status bar's clock panel, and reads the
    // day again when the data directory changed.
    void showTime();

    QComboBox* racecourseList_;      // Cmb_Place
    QComboBox* betTypeList_;         // Cmb_Type
    QComboBox* raceList_;            // Cmb_Race
    QPushButton* resultButton_;      // Cmd_Result: 競争成績
    QPushButton* recommendButton_;   // Cmd_Special: おすすめ
    QPushButton* distributeButton_;  // Cmd_Separate: 資金配分
    QPlainTextEdit* memo_;           // Txt_Main
    QLabel* dayPanel_;               // Panel1: the race day shown
    QLabel* clockPanel_;             // Panel2: the date and time
    QTimer* clock_;                  // Timer1

    QMenu* fileMenu_;              // File
    QMenu* toolMenu_;              // Tool
    QMenu* helpMenu_;              // Help
    QAction* openAction_;          // Open
    QAction* saveAction_;          // Save
    QAction* fileSeparator_;       // dummy2
    QAction* printAction_;         // Print
    QAction* quitAction_;          // End
    QAction* optionAction_;        // Option
    QAction* settleAction_;        // Settle
    QAction* ledgerAction_;        // Ledger
    QAction* trendAction_;         // Trend
    QAction* marketAction_;        // Market
    QAction* dayAction_;           // Day
    QAction* backtestAction_;      // Backtest
    QAction* buildAction_;         // Build
    QAction* helpContentsAction_;  // mokuji: 目次
};
