#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "backtest/Backtest.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class TextTableModel;
struct AppState;

// 回収率分析: the returns by odds band and by 人気 of every race the data
// directory and the remembered archive folders hold (with the odds history's
// last downloads), and the calibration of the odds. Modeless. The files are
// read in a worker thread, so the window is painted and answers at once; the
// reading shows its progress and can be stopped.
class Frm_Backtest : public QWidget {
    Q_OBJECT
public:
    // Reads state.DataDir when the reading starts.
    explicit Frm_Backtest(const AppState& state, QWidget* parent = nullptr);
    ~Frm_Backtest() override;

    // Opens the window (a new one when there is none), brings it forward.
    static void Show(QPointer<Frm_Backtest>& window, const AppState& state);
    // Run by the reading thread at each progress report, before it looks
    // whether the reading was cancelled; none unless set (tests hold a reading
    // there). An empty function removes it.
    static void SetProgressHook(std::function<void()> hook);

    const BacktestAnalysis& analysis() const { return analysis_; }
    // The folders read: the data directory, then the archive folders.
    QStringList folders() const;
    bool reading() const { return worker_.joinable() && !finished_; }

signals:
    // A reading has ended (finished or stopped) and its outcome is shown.
    void Loaded();

public slots:
    // Reads every folder again.
    void Form_Load();
    void Cmd_Cancel_Click();
    void Cmd_Folder_Click();
    void Cmd_Save_Click();

private:
    struct Outcome;
    void stopReading();
    void showProgress(int generation, int done, int total);
    void showOutcome(int generation, std::shared_ptr<Outcome> outcome);

    const AppState& state_;
    QStringList archive_;
    BacktestAnalysis analysis_;
    TextTableModel* band_ = nullptr;
    TextTableModel* popularity_ = nullptr;
    TextTableModel* quinella_ = nullptr;
    TextTableModel* reliability_ = nullptr;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool finished_ = true;
    int generation_ = 0;
    QString lastCsv_;
    QLabel* Lbl_Folders = nullptr;
    QLabel* Lbl_Status = nullptr;
    QLabel* Lbl_Model = nullptr;
    QTableView* Grd_Band = nullptr;
    QTableView* Grd_Popularity = nullptr;
    QTableView* Grd_Quinella = nullptr;
    QTableView* Grd_Reliability = nullptr;
    QWidget* Cht_Calibration = nullptr;
    QProgressBar* Prg_Read = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
    QPushButton* Cmd_Folder = nullptr;
    QPushButton* Cmd_Save = nullptr;
};
