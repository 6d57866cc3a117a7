#pragma once

#include <QByteArray>
#include <QDate>
#include <QPointer>
#include <QWidget>
#include <array>

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

    QLabel* Label3 = nullptr;
    QLabel* Lbl_Date = nullptr;
    QLabel* Lbl_Place = nullptr;
    QLabel* Lbl_Race = nullptr;
    QLabel* Label4 = nullptr;
    std::array<QLabel*, 5> Label1{};
    std::array<QLabel*, 5> Lbl_No{};
    std::array<QLabel*, 5> Lbl_Name{};
    std::array<QLabel*, 4> Label2{};
    QLabel* Lbl_Tan = nullptr;
    std::array<QLabel*, 3> Lbl_Fuku{};
    QLabel* Lbl_WakuNo = nullptr;
    QLabel* Lbl_Waku = nullptr;
    QLabel* Lbl_UmaNo = nullptr;
    QLabel* Lbl_Uma = nullptr;

    // The race day of the result shown (null when its date is no date).
    QDate day() const { return day_; }
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
    QByteArray shown_;  // the record as it was when the labels were filled
    QDate day_;
};
