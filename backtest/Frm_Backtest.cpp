#include "backtest/Frm_Backtest.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "settings/BacktestFolders.h"
#include "backtest/CalibrationChart.h"
#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/SaveFile.h"
#include "common/TextTable.h"
#include "racedata/AppState.h"
#include "settings/Dialog.h"

struct Frm_Backtest::Outcome {
    RaceReading reading;
    BacktestAnalysis analysis;
};

namespace {

QTableView* makeGrid(QWidget* parent, const char* name, TextTableModel* model) {
    return ReadOnlyGrid(parent, QLatin1String(name), model, false);
}

// A table of a fixed number of rows shown whole.
void fitRows(QTableView* grid, int rows) {
    const int header = grid->fontMetrics().height() + 10;
    grid->setMinimumHeight(header + rows * grid->verticalHeader()->defaultSectionSize() +
                           2 * grid->frameWidth() + 2);
}

QLabel* heading(QWidget* parent, const char* name, const QString& text) {
    return PlainLabel(parent, QLatin1String(name), QRect(), Qt::AlignLeft, text);
}

}  // namespace

Frm_Backtest::Frm_Backtest(const AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), archive_(ArchiveFolders()) {
    setObjectName(QStringLiteral("Frm_Backtest"));
    setWindowTitle(QStringLiteral("回収率分析"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    resize(1100, 820);

    Lbl_Folders = PlainLabel(this, QStringLiteral("Lbl_Folders"), QRect());
    Lbl_Folders->setWordWrap(true);
    Lbl_Status = PlainLabel(this, QStringLiteral("Lbl_Status"), QRect());
    Lbl_Status->setWordWrap(true);
    Lbl_Model = PlainLabel(this, QStringLiteral("Lbl_Model"), QRect());
    Lbl_Model->setWordWrap(true);

    band_ = new TextTableModel(this);
    popularity_ = new TextTableModel(this);
    quinella_ = new TextTableModel(this);
    reliability_ = new TextTableModel(this);
    Grd_Band = makeGrid(this, "Grd_Band", band_);
    Grd_Popularity = makeGrid(this, "Grd_Popularity", popularity_);
    Grd_Quinella = makeGrid(this, "Grd_Quinella", quinella_);
    Grd_Reliability = makeGrid(this, "Grd_Reliability", reliability_);
    fitRows(Grd_Band, 8);
    fitRows(Grd_Quinella, 6);
    fitRows(Grd_Reliability, 6);
    Cht_Calibration = MakeCalibrationChart(this, QStringLiteral("Cht_Calibration"));
    Cht_Calibration->setMinimumSize(320, 240);

    Prg_Read = new QProgressBar(this);
    Prg_Read->setObjectName(QStringLiteral("Prg_Read"));
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("中止"), QRect());
    Cmd_Folder =
        PlainButton(this, QStringLiteral("Cmd_Folder"), QStringLiteral("フォルダ追加..."), QRect());
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    connect(Cmd_Cancel, &QPushButton::clicked, this, &Frm_Backtest::Cmd_Cancel_Click);
    connect(Cmd_Folder, &QPushButton::clicked, this, &Frm_Backtest::Cmd_Folder_Click);
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Backtest::Cmd_Save_Click);

    auto* grids = new QGridLayout;
    grids->addWidget(heading(this, "Label1", QStringLiteral("単勝 オッズ帯別")), 0, 0);
    grids->addWidget(Grd_Band, 1, 0);
    grids->addWidget(heading(this, "Label2", QStringLiteral("馬連 オッズ帯別")), 0, 1);
    grids->addWidget(Grd_Quinella, 1, 1);
    grids->addWidget(heading(this, "Label3", QStringLiteral("単勝 人気別")), 2, 0);
    grids->addWidget(Grd_Popularity, 3, 0);
    auto* calibration = new QVBoxLayout;
    calibration->addWidget(Grd_Reliability);
    calibration->addWidget(Cht_Calibration, 1);
    grids->addWidget(heading(this, "Label4", QStringLiteral("予測勝率と実際の勝率")), 2, 1);
    grids->addLayout(calibration, 3, 1);
    grids->setRowStretch(3, 1);
    grids->setColumnStretch(0, 3);
    grids->setColumnStretch(1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Prg_Read, 1);
    buttons->addWidget(Cmd_Cancel);
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Folder);
    buttons->addWidget(Cmd_Save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Folders);
    layout->addWidget(Lbl_Status);
    layout->addWidget(Lbl_Model);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);

    EscapeCloses(this);
    Form_Load();
}

Frm_Backtest::~Frm_Backtest() {
    stopReading();
}

void Frm_Backtest::Show(QPointer<Frm_Backtest>& window, const AppState& state) {
    if (!window) window = new Frm_Backtest(state);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

QStringList Frm_Backtest::folders() const {
    QStringList all;
    if (!state_.DataDir.isEmpty()) all << state_.DataDir;
    for (const QString& folder : archive_) {
        if (!all.contains(folder)) all << folder;
    }
    return all;
}

namespace {

std::function<void()>& progressHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void Frm_Backtest::SetProgressHook(std::function<void()> hook) {
    progressHook() = std::move(hook);
}

void Frm_Backtest::stopReading() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void Frm_Backtest::Form_Load() {
    stopReading();
    cancel_ = false;
    finished_ = false;
    const int generation = ++generation_;
    const RaceSources sources{folders(), true, {}, {}};
    Lbl_Folders->setText(QStringLiteral("読むフォルダ：") + sources.folders.join(u"、"));
    Lbl_Status->setText(QStringLiteral("読み込み中…"));
    SetForeground(Lbl_Status, Colours::Black);
    Prg_Read->setRange(0, 0);
    Prg_Read->show();
    Cmd_Cancel->show();
    Cmd_Cancel->setEnabled(true);
    // The worker posts its progress and its outcome to this window's thread;
    // the destructor stops and joins it, so it never outlives the window.
    worker_ = std::thread([this, sources, generation, hook = progressHook()] {
        auto outcome = std::make_shared<Outcome>();
        outcome->reading = ReadRaces(sources, [this, generation, &hook](int done, int total) {
            if (hook) hook();
            QMetaObject::invokeMethod(
                this, [this, generation, done, total] { showProgress(generation, done, total); },
                Qt::QueuedConnection);
            return !cancel_;
        });
        if (!outcome->reading.cancelled) outcome->analysis = Analyse(outcome->reading);
        QMetaObject::invokeMethod(
            this, [this, generation, outcome] { showOutcome(generation, outcome); },
            Qt::QueuedConnection);
    });
}

void Frm_Backtest::showProgress(int generation, int done, int total) {
    if (generation != generation_ || finished_) return;
    Prg_Read->setRange(0, std::max(total, 1));
    Prg_Read->setValue(done);
}

void Frm_Backtest::showOutcome(int generation, std::shared_ptr<Outcome> outcome) {
    if (generation != generation_) return;
    finished_ = true;
    Prg_Read->hide();
    Cmd_Cancel->hide();
    const RaceReading& reading = outcome->reading;
    QStringList status;
    QString storeFailure;
    if (reading.cancelled) {
        status << QStringLiteral("読み込みを中止しました");
    } else {
        analysis_ = std::move(outcome->analysis);
        band_->setRows(BandTable(analysis_));
        popularity_->setRows(PopularityTable(analysis_));
        quinella_->setRows(QuinellaTable(analysis_));
        reliability_->setRows(ReliabilityTable(analysis_));
        for (QTableView* grid : {Grd_Band, Grd_Popularity, Grd_Quinella, Grd_Reliability})
            grid->resizeColumnsToContents();
        ShowCalibration(Cht_Calibration, analysis_);
        Lbl_Model->setText(BetaLine(analysis_.fit) + u'\n' + ScoreLine(analysis_.fit));
        status << QStringLiteral("レース %1").arg(CountText(analysis_.races))
               << WithoutResultLine(analysis_.withoutResult);
        if (reading.fromHistory > 0)
            status << QStringLiteral("オッズ履歴の最終オッズ %1").arg(reading.fromHistory);
        // オッズ分析 takes β from here without reading every race again.
        storeFailure = StoreCalibration(analysis_.fit);
        if (!storeFailure.isEmpty()) status << storeFailure;
    }
    for (const QString& folder : reading.unreadable)
        status << QStringLiteral("読めないフォルダ %1").arg(folder);
    Lbl_Status->setText(status.join(u"　"));
    SetForeground(Lbl_Status, reading.unreadable.isEmpty() && storeFailure.isEmpty()
                                  ? Colours::Black
                                  : Colours::Red);
    emit Loaded();
}

void Frm_Backtest::Cmd_Cancel_Click() {
    cancel_ = true;
    Cmd_Cancel->setEnabled(false);
}

void Frm_Backtest::Cmd_Folder_Click() {
    Dialog chooser(this);
    RunModal(chooser);
    const std::optional<QString> chosen = chooser.chosen();
    if (!chosen || chosen->isEmpty() || folders().contains(*chosen)) return;
    archive_ << *chosen;
    if (const QString failure = SaveArchiveFolders(archive_); !failure.isEmpty())
        ShowMessage(this, failure, MsgIcon::Exclamation);
    Form_Load();
}

void Frm_Backtest::Cmd_Save_Click() {
    SaveThroughDialog(
        this, lastCsv_, [this] { return std::optional(AnalysisCsv(analysis_)); },
        CsvFile(QStringLiteral("回収率分析.csv")));
}
