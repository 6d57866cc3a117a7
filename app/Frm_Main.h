#pragma once

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
    QAction* Save;
    QAction* dummy2;
    QAction* Print;
    QAction* End;
    QAction* Option;
    QAction* Settle;
    QAction* Ledger;
    QAction* Trend;
    QAction* Market;
    QAction* Backtest;
    QAction* mokuji;

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
    void Backtest_Click();
    void Save_Click();
    void Print_Click();
    void mokuji_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void Form_Load();

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
    QPointer<Frm_Backtest> backtest_;
};
