#pragma once

#include <QDialog>
#include <array>

#include "odds/RaceHeading.h"

class QLabel;
class QPushButton;
class RaceSelection;
struct AppState;

// 単・複: the win odds and the place-odds range of the 18 horse entries of the
// race, read only.
class Frm_Odds3 : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 18;

    Frm_Odds3(const AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

public slots:
    void Cmd_Cancel_Click();

private:
    void Form_Load(const AppState& state, const RaceSelection& selection);

    std::array<QLabel*, Rows> horseNumbers_{};  // Label1
    std::array<QLabel*, Rows> Lbl_Odds_T{};
    std::array<QLabel*, Rows> Lbl_Odds_F1{};
    std::array<QLabel*, Rows> dashes_{};  // Label2: "-"
    std::array<QLabel*, Rows> Lbl_Odds_F2{};
    QLabel* Lbl_Trend = nullptr;
    RaceHeading heading_{};
    QPushButton* Cmd_Cancel = nullptr;
};
