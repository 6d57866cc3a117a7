#pragma once

#include <QString>

class QLabel;
class QWidget;
class RaceSelection;
struct AppState;

// The heading of the odds windows: date, racecourse, race number and "R" on
// the top line, the race title in a bordered box under it.
struct RaceHeading {
    QLabel* Lbl_Date;
    QLabel* Lbl_Place;
    QLabel* Lbl_Race;
    QLabel* Label4;
    QLabel* Label3;
};

// Height in twips that the heading takes from its top.
inline constexpr int RaceHeadingHeight = 690;

// Creates the heading's labels across `width` twips.
RaceHeading MakeRaceHeading(QWidget* window, int left, int top, int width);

// Fills the heading: the date field YYYYMMDD as "yyyy年mm月dd日" (empty when it
// is not a valid date), the racecourse and race number of the selection, and
// the title as stored.
void FillRaceHeading(const RaceHeading& heading, const QString& dateField,
                     const RaceSelection& selection, const QString& title);

// The date field that heads a window: UoData's for 馬連, ZoData's otherwise.
QString HeadingDateField(const AppState& state, const RaceSelection& selection);
