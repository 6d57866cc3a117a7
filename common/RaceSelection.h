#pragma once

#include <QString>
#include <optional>

#include "common/BetType.h"
#include "common/Race.h"

class QComboBox;

// Fills the racecourse, bet-type and race lists with their entries and item
// data, and selects 中山, 馬連 and " 1R".
void FillSelectionLists(QComboBox* Cmb_Place, QComboBox* Cmb_Type, QComboBox* Cmb_Race);

// The race selection as the main window's three lists hold it. Windows keep a
// RaceSelection and read the lists through it whenever they need them, so they
// always see the current selection.
class RaceSelection {
public:
    RaceSelection(const QComboBox* place, const QComboBox* type, const QComboBox* race)
        : place_(place), type_(type), race_(race) {}

    QString placeText() const;           // racecourse name, "" when none is selected
    std::optional<int> courseCode() const;  // 0..9
    QString typeText() const;            // "馬連", "枠連", "単・複勝"
    std::optional<int> typeCode() const;    // BetType
    std::optional<int> raceNo() const;      // 1..12
    // The selected race (no date; course -1 or number 0 where nothing is
    // selected) and bet type (馬連 where nothing is selected).
    Race race() const;
    BetType betType() const;

private:
    const QComboBox* place_;
    const QComboBox* type_;
    const QComboBox* race_;
};
