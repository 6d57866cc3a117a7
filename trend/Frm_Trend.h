#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>

#include "racedata/OddsHistory.h"
#include "trend/TrendTable.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class RaceSelection;
class TrendModel;
struct AppState;

// オッズ推移: the odds of the race selected in the main window over every
// download the program has seen, a row per horse or pair and a column per
// download, the change from first to last, and the chosen rows as a chart.
// Modeless; it shows the race on the day in force (the day chosen, else the
// race's newest), follows the main window's race and day (followRace) and new
// downloads of its race while it is open. The rows chosen for the chart are
// kept for each race, day and kind for the run.
class Frm_Trend : public QWidget {
    Q_OBJECT
public:
    // Reads state.DataDir and the selection when it loads.
    Frm_Trend(const AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);
    ~Frm_Trend() override;

    // Opens the window for the race selected now, or brings the open one
    // forward loaded afresh for it.
    static void Show(QPointer<Frm_Trend>& window, const AppState& state,
                     const RaceSelection& selection);

    // Takes the race and bet type from the main window, records the race's
    // current odds files and fills the window from the history.
    void Form_Load();

    // Forgets the rows chosen for every race (as at the start of a run).
    static void ForgetChosenRows();

    const Race& race() const { return race_; }
    BetType kind() const;
    const TrendModel* model() const { return model_; }

signals:
    // The table has been filled (on loading, a kind chosen or a new download).
    void Filled();

public slots:
    // Loads the main window's race on the day in force, keeping the kind
    // shown; nothing when that is the race shown already.
    void followRace();
    void Cmb_Kind_Change();
    void Cmd_Save_Click();

private:
    // Loads the main window's race; opening takes the kind from the main
    // window's bet type and tells the history's trouble, following keeps both.
    void load(bool opening);
    void rememberRows();
    void fill();
    void showChart();
    void snapshotsAdded(const QList<Race>& races);

    const AppState& state_;
    const RaceSelection& selection_;
    Race race_;
    Race shownRace_;  // the race the table was last filled with
    QString racecourseName_;
    TrendModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QString csvName_;
    bool filling_ = false;
    std::optional<BetType> shownKind_;  // the kind the table was last filled with
    QLabel* Lbl_Race = nullptr;
    QComboBox* Cmb_Kind = nullptr;
    // The chart's odds axis in powers of ten; on for 馬連 when a kind is chosen.
    QCheckBox* Chk_Log = nullptr;
    QTableView* Grd_Trend = nullptr;
    QLabel* Lbl_Note = nullptr;
    QWidget* Cht_Trend = nullptr;
    QPushButton* Cmd_Save = nullptr;
    QPushButton* Cmd_Close = nullptr;
};
