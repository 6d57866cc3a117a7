#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "racedata/Value.h"
#include "common/Race.h"
#include "common/RaceSelection.h"
#include "racedata/Market.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class TextTableModel;
struct AppState;

// オッズ分析: what the odds of the selected race say about each horse and which
// bet type pays more for the same outcome. Modeless; it reads the race's uo-
// and zo- files of the day in force (the day chosen, else the race's newest)
// into records of its own, shows each bet's 期待値 at the last calibration of
// the user's races (回収率分析), follows the main window's race and day (Form_Activate,
// on its activation from another window of the program and when the main window
// says so) and reads the files again when a new download of them is recorded.
class Frm_Market : public QWidget {
    Q_OBJECT
public:
    // Reads only state.DataDir and state.Day (anew at each reading).
    Frm_Market(const AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

    const MarketAnalysis& analysis() const { return analysis_; }
    const RaceValue& value() const { return value_; }
    // The race shown, dated with the day shown (null when no file tells it);
    // nullopt before a race is read.
    const std::optional<Race>& race() const { return race_; }

    TextTableModel* horsesModel() const { return horses_; }
    TextTableModel* bracketsModel() const { return brackets_; }

signals:
    // The window has read the race's files and shows them.
    void Loaded();

public slots:
    // Reads the race selected in the main window.
    void Form_Load();
    // Reads the race when the selection or its day differs from the race shown.
    void Form_Activate();
    // Reads the shown race's files again (they have changed).
    void raceFilesChanged();
    void Cmd_Save_Click();

protected:
    bool event(QEvent* event) override;

private:
    void read(const Race& race);
    // The main window's race, dated with its day in force.
    Race selectedRace() const;

    const AppState& state_;
    RaceSelection selection_;
    std::optional<Race> race_;
    MarketAnalysis analysis_;
    RaceValue value_;
    TextTableModel* horses_ = nullptr;
    TextTableModel* brackets_ = nullptr;
    QString lastCsv_;

    QLabel* Lbl_Title = nullptr;
    QLabel* Lbl_Missing = nullptr;
    QTableView* Grd_Horses = nullptr;
    QTableView* Grd_Brackets = nullptr;
    QListWidget* Lst_Dominated = nullptr;
    QListWidget* Lst_Value = nullptr;
    QLabel* Lbl_Payout = nullptr;
    QLabel* Lbl_Beta = nullptr;
    QWidget* Cht_Market = nullptr;
    QPushButton* Cmd_Save = nullptr;
};
