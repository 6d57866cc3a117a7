#pragma once

#include <QDateTime>
#include <QDialog>
#include <array>
#include <optional>

#include "common/BetSlip.h"
#include "common/PickSink.h"
#include "common/RaceSelection.h"
#include "common/DistributionSheet.h"
#include "racedata/OddsHistory.h"

class QLabel;
class QLineEdit;
class QPushButton;
class UpDown;
struct AppState;

// 配分: spreads a budget over up to eight bets of the race selected in the main
// window. Every accepted change of the budget or of an odds box recalculates
// the stakes; OK hands the bets and their stakes (betsAccepted) to whoever
// opened the window, which appends them to its memo.
// Built anew on each opening, so every opening starts empty.
class Frm_Separate : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 8;

    Frm_Separate(AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

signals:
    // OK passed its checks: the race's bets with their odds and stakes, just
    // before the window closes; the race's date is the day of the odds read by
    // the odds button, else the day the race is shown on (null when no file
    // tells it).
    void betsAccepted(const BetSlip& slip);
    // The odds button read the race's odds into the state: whoever opened the
    // window shows the picker of the selection's bet type, modally, and hands
    // its picks to sink, which writes them into the rows as if typed.
    void oddsPickerWanted(const RaceSelection& selection, const PickSink& sink);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void Txt_Total_Pay_Change();
    void Txt_Odds_Change(int index);
    void Upd_Pay_UpClick(int index);
    void Upd_Pay_DownClick(int index);
    void Cmd_Add_Click();
    void Cmd_Cancel_Click();
    void pickFromOdds();
    void Txt_Target_Change();
    void Cmd_Target_Click();
    void Cmd_Update_Click();

private:
    // Focus moves of the row boxes for a key (Return, Up, Down; other keys do
    // nothing): Up and Down move within the column, Return on to the next box.
    void moveFromFirst(int index, Qt::Key key);
    void moveFromSecond(int index, Qt::Key key);
    void moveFromOdds(int index, Qt::Key key);
    void buildControls();
    void buildSpreadLines();
    void Form_Load();
    // Spreads the budget again; a spread that set the rows rewrites them all.
    void Recalculate();
    // Accepts an empty text or a positive number; anything else is refused
    // with its message, kept, selected and focused.
    bool acceptEntry(QLineEdit* box);
    void refuse(QLineEdit* box, const QString& message);
    // A row's stake and payout as the sheet holds them, the payout red when
    // it is below the budget (black when it reaches it).
    void showRow(int index);
    void showTotal();
    // The composite odds and the payout and profit ranges of the rows as they stand.
    void showSpread();
    void buildUpdateLine();
    // New snapshots of some races: the newest of this one, when it was written
    // after the rows' odds were read or typed, shows Lbl_Update and enables Cmd_Update.
    void snapshotsAdded(const QList<Race>& races);
    void showUpdate();

    // Under the total, red: how far the total exceeds the budget; empty otherwise.
    QLabel* Lbl_Over = nullptr;

    AppState& state_;
    RaceSelection selection_;
    // The bets, odds, stakes and budget; the captions only show them.
    DistributionSheet sheet_{Rows};
    // What 最新オッズ follows (馬連 or 枠連 races only).
    std::optional<BetType> followed_;
    Race race_;      // on the day in force; dated once a snapshot of it is seen
    QDateTime oddsAsOf_;  // when the rows' odds were last read or typed
    QDate oddsDay_;       // the date of the odds the odds button read; null before
    std::optional<OddsSnapshot> newer_;
    bool updating_ = false;

    // Title line
    QLabel* racecourse_;        // Lbl_Place
    QLabel* betType_;           // Lbl_Type
    QLabel* raceNumber_;        // Lbl_Race
    QLabel* raceNumberSuffix_;  // Label1: "R"
    // Budget line
    QLabel* budgetCaption_;    // Label3: "予算"
    QLineEdit* budget_;        // Txt_Total_Pay
    QLabel* budgetYen_;        // Label7: "円"
    QPushButton* oddsButton_;  // Command1: opens the odds window of the bet type
    // Column headings
    QLabel* betHeading_;     // Label10: "買い目"
    QLabel* oddsHeading_;    // Label4: "オッズ"
    QLabel* stakeHeading_;   // Label6: "金額"
    QLabel* payoutHeading_;  // Label9: "配当"
    // Bet rows, row 0 at the top
    std::array<QLineEdit*, Rows> firstNumbers_;   // Txt_Buy1
    std::array<QLabel*, Rows> dashes_;            // Label2: "-"
    std::array<QLineEdit*, Rows> secondNumbers_;  // Txt_Buy2
    std::array<QLineEdit*, Rows> odds_;           // Txt_Odds
    std::array<QLabel*, Rows> stakes_;            // Lbl_Pay
    std::array<UpDown*, Rows> stakeSteppers_;     // Upd_Pay
    std::array<QLabel*, Rows> payouts_;           // Lbl_Income
    // Total line
    QLabel* totalCaption_;  // Label5: "合計"
    QLabel* total_;         // Lbl_Real_Pay
    QLabel* totalYen_;      // Label8: "円"
    // Buttons
    QPushButton* okButton_;      // Cmd_Add
    QPushButton* cancelButton_;  // Cmd_Cancel
    // What the bets promise, under the buttons
    QLabel* compositeCaption_;  // Label11: "合成オッズ"
    QLabel* compositeOdds_;     // Lbl_Synth
    QLabel* returnCaption_;     // Label12: "払戻"
    QLabel* returnRange_;       // Lbl_Return_Range
    QLabel* profitCaption_;     // Label13: "収支"
    QLabel* profitRange_;       // Lbl_Profit_Range
    // Stakes worked back from a target payout
    QLabel* targetCaption_;      // Label14: "目標払戻"
    QLineEdit* target_;          // Txt_Target
    QLabel* targetYen_;          // Label15: "円"
    QPushButton* targetButton_;  // Cmd_Target: "逆算"
    // 馬連 and 枠連: a newer download of the race's odds, and the button that
    // writes it into the rows
    QLabel* updateNote_;         // Lbl_Update: "オッズ更新 14:35"
    QPushButton* updateButton_;  // Cmd_Update: "最新オッズ"
};
