#pragma once

#include <QByteArray>
#include <QDate>
#include <QPointer>
#include <QWidget>
#include <array>

#include "common/Race.h"
#include "common/RaceSelection.h"

class QLabel;
struct AppState;

// 結果: the first five finishers and the payouts of the result record held in
// KsData, shown as stored. Modeless; it follows the main window's selection
// when the user switches to it from another window of the program.
class Frm_Result : public QWidget {
    Q_OBJECT
public:
    Frm_Result(AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

    // Shows the result held in KsData: opens the window, or brings the open one
    // to the front and activates it, which runs its activation check. `window`
    // is the owner's pointer to the open window; it follows the window through
    // its reopenings for as long as the owner exists.
    static void Show(QPointer<Frm_Result>& window, AppState& state, const RaceSelection& selection,
                     QWidget* owner);

    // The race day of the result shown (null when its date is no date).
    QDate day() const { return shown_.date; }
    // Closes this window and shows the held record in a new one in its place.
    void Reopen();

signals:
    // This window has closed and `successor` shows the held record in its place.
    void Replaced(Frm_Result* successor);

public slots:
    void Form_Load();
    void Form_Activate();

protected:
    bool event(QEvent* event) override;

private:
    AppState& state_;
    RaceSelection selection_;
    QByteArray shownRecord_;  // the record as it was when the labels were filled
    Race shown_;              // the race of that record, dated with its day

    QLabel* raceTitle_ = nullptr;               // Label3
    QLabel* raceDate_ = nullptr;                // Lbl_Date
    QLabel* racecourse_ = nullptr;              // Lbl_Place
    QLabel* raceNumber_ = nullptr;              // Lbl_Race
    QLabel* raceNumberSuffix_ = nullptr;        // Label4: "R"
    std::array<QLabel*, 5> finishHeadings_{};   // Label1: "1着" ...
    std::array<QLabel*, 5> finisherNumbers_{};  // Lbl_No
    std::array<QLabel*, 5> finisherNames_{};    // Lbl_Name
    std::array<QLabel*, 4> payoutHeadings_{};   // Label2: 単勝, 複勝, 枠連, 馬連
    QLabel* winPayout_ = nullptr;               // Lbl_Tan
    std::array<QLabel*, 3> placePayouts_{};     // Lbl_Fuku
    QLabel* bracketPair_ = nullptr;             // Lbl_WakuNo
    QLabel* bracketPayout_ = nullptr;           // Lbl_Waku
    QLabel* quinellaPair_ = nullptr;            // Lbl_UmaNo
    QLabel* quinellaPayout_ = nullptr;          // Lbl_Uma
};
