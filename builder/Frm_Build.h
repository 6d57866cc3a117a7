#pragma once

#include <QSet>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "builder/BetBuilder.h"
#include "common/BetSlip.h"
#include "common/DistributionSheet.h"
#include "common/Race.h"
#include "common/RaceSelection.h"
#include "racedata/FallMarks.h"
#include "racedata/Value.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct AppState;

// 買い目作成: bets made from a form (通常, ボックス, 流し, フォーメーション) over
// the latest odds of the main window's race, a budget spread over them in one
// of the SpreadModes, トリガミ shown. Modeless; it follows the main window's
// race and day; OK hands the bets with a stake (betsAccepted) to whoever opened
// it, which appends them to its memo as the distribution's OK does.
class Frm_Build : public QWidget {
    Q_OBJECT
public:
    static constexpr int Numbers = 18;  // number buttons under each box

    // Reads only state.DataDir and state.Day.
    Frm_Build(const AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

    // The race shown, dated with the day of its odds; nullopt before one is read.
    const std::optional<Race>& race() const { return race_; }
    const DistributionSheet& sheet() const { return sheet_; }

signals:
    void betsAccepted(const BetSlip& slip);

public slots:
    // Reads the main window's race when it or its day differs from the race shown.
    void Form_Activate();

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void read(const Race& race);
    Race selectedRace() const;
    BetType kind() const;
    BetForm form() const;
    SpreadMode mode() const;
    // The bankroll and fraction take part only in ケリー, the budget in the others.
    void showMode();
    // The controls that depend on the kind and form: captions, number buttons.
    // Records the files read in the odds history and marks the bets whose odds fell.
    void markFalls();
    void showForm();
    void showButtons();
    // Builds the bets from the boxes again, then spreads.
    void rebuild();
    void respread();
    void showBets();
    void toggleNumber(QLineEdit* box, int number);
    void Grd_Bets_Changed(int row, int column);
    void Cmd_Trigami_Click();
    void Cmd_OK_Click();
    void Cmd_Save_Click();

    const AppState& state_;
    RaceSelection selection_;
    std::optional<Race> race_;
    RaceOddsRead read_;
    BuildField field_;
    std::vector<BuiltBet> bets_;
    QStringList notes_;
    QString refusal_;
    QSet<QString> removed_;  // bets taken out by トリガミを除く, until the bets change
    DistributionSheet sheet_;
    SpreadResult spread_;
    FallMarks falls_;
    std::optional<RaceChances> chances_;  // ケリー: the race's chances from its win odds
    ValueBasis basis_;
    QString lastCsv_;
    bool filling_ = false;
    bool bracketNumbers_ = false;
    bool painted_ = false;  // the boxes hold bracket numbers

    QLabel* Lbl_Title = nullptr;
    QComboBox* Cmb_Kind = nullptr;
    QComboBox* Cmb_Form = nullptr;
    QCheckBox* Chk_Zorome = nullptr;
    QLabel* Lbl_First = nullptr;
    QLineEdit* Txt_First = nullptr;
    std::array<QPushButton*, Numbers> Cmd_First{};
    QLabel* Lbl_Second = nullptr;
    QLineEdit* Txt_Second = nullptr;
    std::array<QPushButton*, Numbers> Cmd_Second{};
    QLabel* Lbl_Refusal = nullptr;
    QLabel* Lbl_Note = nullptr;
    QLabel* Lbl_Count = nullptr;
    QLineEdit* Txt_Budget = nullptr;
    QComboBox* Cmb_Mode = nullptr;
    QLineEdit* Txt_Bank = nullptr;
    QComboBox* Cmb_Fraction = nullptr;
    QLabel* Lbl_Basis = nullptr;
    QPushButton* Cmd_Trigami = nullptr;
    QTableWidget* Grd_Bets = nullptr;
    QLabel* Lbl_Total = nullptr;
    QLabel* Lbl_Message = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_Save = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
};
