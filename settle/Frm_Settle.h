#pragma once

#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "settle/SettleTable.h"
#include "settle/Settlement.h"

class QLabel;
class QListWidget;
class QTextDocument;
class QPushButton;
class QTableView;
struct AppState;

// 収支: the memo's bets settled against the race results, with the totals, a
// chart of the balance race by race, the lines that could not be read, and the
// bets as CSV. Modeless; rebuilt from the memo and the files when it opens,
// when the user switches to it from another window of the program, by 再計算,
// and by itself when a result file of a race in the memo appears or changes.
class Frm_Settle : public QWidget {
    Q_OBJECT
public:
    // Reads only state.DataDir and state.Day (anew at each rebuild) and the memo's text
    // (the main window's memo document).
    Frm_Settle(const AppState& state, const QTextDocument* memo, QWidget* parent = nullptr);

    const Settlement& settlement() const { return settlement_; }

    // Columns of Grd_Settle.
    using Column = SettleTable::Column;
    using enum SettleTable::Column;

signals:
    // The window has been rebuilt from the memo and the files.
    void Rebuilt();
    // 台帳に記録 (Cmd_Record) was pressed: whoever opened the window keeps
    // settlement().rows() in the ledger.
    void RecordRequested();

public slots:
    void Form_Load();
    void Cmd_Refresh_Click();
    void Cmd_Save_Click();

protected:
    bool event(QEvent* event) override;

private:
    void fillSkipped();
    void fillTotals();
    void fillChart();
    // Takes the result files' state now and watches them from the next turn of
    // the event loop, so that the window paints first; a change in between is
    // found by looking again once the watch is set.
    void watchFiles();
    void startWatch();
    // The result files of the memo's races: as the last settlement found them,
    // or as the directory holds them now.
    QStringList resultFileState(bool lookAgain) const;
    void filesChanged();

    const AppState& state_;
    const QTextDocument* memo_;
    Settlement settlement_;
    SettleTable table_{settlement_};
    QString lastCsv_;
    bool firstActivation_ = true;
    QFileSystemWatcher watcher_;
    QTimer settleLater_;
    QTimer watchLater_;
    bool painted_ = false;
    bool watchPending_ = false;
    QStringList watchedState_;  // result files of the memo's races when last settled
    QTableView* Grd_Settle = nullptr;
    QLabel* Lbl_Stake = nullptr;
    QLabel* Lbl_Return = nullptr;
    QLabel* Lbl_Balance = nullptr;
    QLabel* Lbl_Rate = nullptr;
    QLabel* Lbl_Hit = nullptr;
    QLabel* Lbl_Pending = nullptr;
    QListWidget* Lst_Skipped = nullptr;
    QWidget* Cht_Balance = nullptr;
    QPushButton* Cmd_Refresh = nullptr;
    QPushButton* Cmd_Save = nullptr;
    QPushButton* Cmd_Record = nullptr;
};
