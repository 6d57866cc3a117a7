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

    QComboBox* Cmb_Place;
    QComboBox* Cmb_Type;
    QComboBox* Cmb_Race;
    QPushButton* Cmd_Result;
    QPushButton* Cmd_Special;
    QPushButton* Cmd_Separate;
    QPlainTextEdit* Txt_Main;
    QLabel* Panel1;
    QLabel* Panel2;
    QTimer* Timer1;

    QMenu* File;
    QMenu* Tool;
    QMenu* Help;
    QAction* Open;
    QAction* Save;
    QAction* dummy2;
    QAction* Print;
    QAction* End;
    QAction* Option;
    QAction* Settle;
    QAction* Ledger;
    QAction* Trend;
    QAction* Market;
    QAction* Day;
    QAction* Backtest;
    QAction* Build;
    QAction* mokuji;

    // The day shown for the selected race, as the status bar's first panel says it.
    QDate shownDay() const { return shownDay_; }

signals:
    // The racecourse, the race or the chosen day changed.
    void shownRaceChanged();

public slots:
    // True when the selection is incomplete; the user has then been told.
    bool Err_Check();
    void Cmd_Separate_Click();
    void Cmd_Result_Click();
    void Cmd_Special_Click();
    void Timer1_Timer();
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
};
