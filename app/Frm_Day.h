#pragma once

#include <QDate>
#include <QDialog>
#include <optional>
#include <vector>

#include "racedata/RaceDays.h"

class QLabel;
class QListWidget;
class QPushButton;

// The race-day chooser: "最新" (each race on its newest day) and every day the
// data directory holds, newest first, with its racecourses. OK (or Enter or a
// double-click on a day) chooses; キャンセル or Esc leaves the day as it was.
class Frm_Day : public QDialog {
    Q_OBJECT
public:
    // days as ListRaceDays gives them; current is the day chosen now (null: 最新).
    Frm_Day(const std::vector<FolderDay>& days, const QDate& current, QWidget* parent = nullptr);

    // After OK: the day chosen, null for 最新; nullopt when cancelled.
    std::optional<QDate> chosen() const { return chosen_; }

private:
    void accept() override;

    QListWidget* Lst_Day;
    QLabel* Lbl_Note;
    QPushButton* Cmd_OK;
    QPushButton* Cmd_Cancel;
    std::optional<QDate> chosen_;
};
