#pragma once

#include <QDate>
#include <QWidget>
#include <array>

#include "common/RaceSelection.h"
#include "recommend/Ranking.h"

class QLabel;
struct AppState;

// The recommendation window "おすすめ": the horses of the race as numbered rows
// coloured by bracket, the marks of the ranking, and the finishing order when
// the result is known. Everything is filled once, when the window is built,
// from the held odds and result records and the main window's selection.
// Modeless; deleted when closed.
class Frm_Special : public QWidget {
    Q_OBJECT
public:
    Frm_Special(AppState& state, const RaceSelection& selection, QWidget* parent = nullptr);

    // Outer height (title bar and borders included) for a number of runners.
    static int OuterHeightTwips(int runners) { return 900 + 270 * runners; }

    // The race day of the odds shown (null when their date is no date).
    QDate day() const { return shown_.date; }
    // Closes this window and opens a new one in its place, built from the
    // records held now.
    void Reopen();

signals:
    // The activation check has closed this window and opened the replacement,
    // which the owner should keep instead.
    void reopened(Frm_Special* replacement);

public slots:
    // The activation check: when the racecourse or race shown differs from the
    // main window's selection, closes this window and opens a new one in its
    // place, built from the records held now.
    void Form_Activate();

protected:
    bool event(QEvent* event) override;

private:
    void Form_Load();
    void fitHeight();

    AppState& state_;
    RaceSelection selection_;
    int runners_ = 0;
    Race shown_;  // the race shown, dated with the day of its odds

    QLabel* raceTitle_;                               // Label3
    QLabel* raceDate_;                                // Lbl_Date
    QLabel* racecourse_;                              // Lbl_Place
    QLabel* raceNumber_;                              // Lbl_Race
    QLabel* raceNumberSuffix_;                        // Label4: "R"
    QLabel* disclaimer_;                              // Label1
    std::array<QLabel*, MarkRowCount> horseNumbers_;  // Lbl_No, coloured by bracket
    std::array<QLabel*, MarkRowCount> marks_;         // Lbl_Mark
};
