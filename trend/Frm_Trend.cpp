#include "trend/Frm_Trend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/RaceDate.h"
#include "common/RaceSelection.h"
#include "common/SaveFile.h"
#include "racedata/AppState.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceFiles.h"
#include "trend/TrendChart.h"
#include "trend/TrendModel.h"

namespace {

const QString Title = QStringLiteral("オッズ推移");

constexpr BetType Kinds[] = {BetType::Win, BetType::Place, BetType::BracketQuinella,
                             BetType::Quinella};

// The kind first shown for the main window's bet type.
BetType kindOfBetType(std::optional<int> type) {
    if (type == int(BetType::BracketQuinella)) return BetType::BracketQuinella;
    if (type == int(BetType::WinPlace)) return BetType::Win;
    return BetType::Quinella;
}

// The rows chosen for the chart, by race, day and kind, for the run.
QHash<QString, QStringList>& chosenRows() {
    static QHash<QString, QStringList> rows;
    return rows;
}

QString chosenKey(const Race& race, BetType kind) {
    return QStringLiteral("%1/%2/%3/%4")
        .arg(DateKeyOf(race.date))
        .arg(race.course)
        .arg(race.number)
        .arg(static_cast<int>(kind));
}

}  // namespace

Frm_Trend::Frm_Trend(const AppState& state, const RaceSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), selection_(selection) {
    setObjectName(QStringLiteral("Frm_Trend"));
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    resize(900, 680);

    Lbl_Race = PlainLabel(this, QStringLiteral("Lbl_Race"), QRect());
    Cmb_Kind = new QComboBox(this);
    Cmb_Kind->setObjectName(QStringLiteral("Cmb_Kind"));
    for (BetType kind : Kinds) Cmb_Kind->addItem(BetTypeName(kind), static_cast<int>(kind));
    Chk_Log = new QCheckBox(QStringLiteral("対数目盛"), this);
    Chk_Log->setObjectName(QStringLiteral("Chk_Log"));
    Chk_Log->setToolTip(QStringLiteral(
        "グラフのオッズの軸を 1, 10, 100… の目盛にし、人気馬の動きも見えるようにします"));

    model_ = new TrendModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(TrendModel::SortRole);
    Grd_Trend = new QTableView(this);
    Grd_Trend->setObjectName(QStringLiteral("Grd_Trend"));
    Grd_Trend->setModel(sorted_);
    Grd_Trend->verticalHeader()->hide();
    Grd_Trend->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Wide enough for odds at the record's cap ("9999.9以上").
    Grd_Trend->horizontalHeader()->setDefaultSectionSize(
        std::max(64, fontMetrics().horizontalAdvance(QStringLiteral("9999.9以上")) + 12));
    Grd_Trend->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Trend->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Trend->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grd_Trend->setWordWrap(false);
    Grd_Trend->setTabKeyNavigation(false);  // arrows move inside, Tab leaves the table
    Grd_Trend->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    Grd_Trend->setSortingEnabled(true);
    Grd_Trend->setToolTip(QStringLiteral("選んだ行をグラフに表示します（Ctrl＋クリックで複数）"));

    Lbl_Note = PlainLabel(this, QStringLiteral("Lbl_Note"), QRect());
    Lbl_Note->setWordWrap(true);
    Cht_Trend = MakeTrendChart(this, QStringLiteral("Cht_Trend"));
    Cht_Trend->setMinimumHeight(240);
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    Cmd_Close = PlainButton(this, QStringLiteral("Cmd_Close"), QStringLiteral("閉じる"), QRect());

    auto* top = new QHBoxLayout;
    top->addWidget(Lbl_Race, 1);
    top->addWidget(PlainLabel(this, QStringLiteral("Label1"), QRect(), Qt::AlignRight,
                              QStringLiteral("券種")));
    top->addWidget(Cmb_Kind);
    top->addWidget(Chk_Log);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Save);
    buttons->addWidget(Cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grd_Trend, 3);
    layout->addWidget(Lbl_Note);
    layout->addWidget(Cht_Trend, 2);
    layout->addLayout(buttons);

    connect(Cmb_Kind, &QComboBox::currentIndexChanged, this, &Frm_Trend::Cmb_Kind_Change);
    connect(Chk_Log, &QCheckBox::toggled, this, [this] { showChart(); });
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Trend::Cmd_Save_Click);
    connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
    connect(Grd_Trend->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { showChart(); });
    connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, this,
            &Frm_Trend::snapshotsAdded);
    EscapeCloses(this);
}

Frm_Trend::~Frm_Trend() {
    rememberRows();
}

void Frm_Trend::Show(QPointer<Frm_Trend>& window, const AppState& state,
                     const RaceSelection& selection) {
    if (!window) window = new Frm_Trend(state, selection);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    // Loaded once it is on screen, so that a message about the history has a window.
    window->Form_Load();
}

BetType Frm_Trend::kind() const {
    return static_cast<BetType>(Cmb_Kind->currentData().toInt());
}

void Frm_Trend::Form_Load() {
    load(true);
}

void Frm_Trend::followRace() {
    const int course = selection_.courseCode().value_or(-1);
    const int raceNo = selection_.raceNo().value_or(0);
    if (course >= 0 && raceNo > 0 && selection_.placeText() == racecourseName_) {
        const QDate day = state_.Day.isValid()
                              ? state_.Day
                              : RaceFileSet(state_.DataDir, course, raceNo).newestDay();
        if (Race{day, course, raceNo} == race_) return;
    }
    load(false);
}

void Frm_Trend::load(bool opening) {
    const int course = selection_.courseCode().value_or(-1);
    const int raceNo = selection_.raceNo().value_or(0);
    racecourseName_ = selection_.placeText();
    const BetType first = opening ? kindOfBetType(selection_.typeCode()) : kind();

    // The history's trouble is told when the window is opened, not at each race followed.
    OddsHistory& history = SharedOddsHistory();
    if (opening && !history.isOpen()) {
        ShowMessage(this, history.error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
    } else if (opening && !history.notice().isEmpty()) {
        ShowMessage(this, history.notice(), MsgIcon::Information, MsgButtons::Ok, Title);
    }
    OddsWatcher& watcher = OddsWatcher::instance();
    watcher.watch(state_.DataDir);

    // The race's files of the day in force as they are now are snapshots too;
    // the date of the file of the kind shown decides the race.
    race_ = {};
    if (course >= 0 && raceNo > 0) {
        const RaceFileSet files(state_.DataDir, course, raceNo);
        for (const char* prefix : {"uo-", "zo-"}) {
            const RaceFile file = files.find(QLatin1String(prefix), 5, state_.Day);
            if (file.path.isEmpty()) continue;
            const SnapshotOutcome outcome = watcher.record(file.path);
            if (outcome.race.valid() && (!race_.valid() || outcome.file == FileOf(first)))
                race_ = outcome.race;
        }
        // Without a file of the day, the history may still hold the race.
        if (!race_.valid()) {
            race_ = {state_.Day.isValid() ? state_.Day : history.latestDate(course, raceNo), course,
                     raceNo};
        }
    }

    filling_ = true;
    Cmb_Kind->setCurrentIndex(Cmb_Kind->findData(static_cast<int>(first)));
    filling_ = false;
    fill();
}

void Frm_Trend::Cmb_Kind_Change() {
    if (!filling_) fill();
}

void Frm_Trend::ForgetChosenRows() {
    chosenRows().clear();
}

void Frm_Trend::rememberRows() {
    if (!shownKind_) return;
    QStringList shown;
    for (const QModelIndex& index : Grd_Trend->selectionModel()->selectedRows())
        shown << sorted_->data(index).toString();
    chosenRows().insert(chosenKey(shownRace_, *shownKind_), shown);
}

void Frm_Trend::fill() {
    // The rows chosen for the chart are kept for the race, day and kind shown
    // until now; those kept for the ones shown next are chosen again.
    rememberRows();
    if (shownKind_ != kind()) {
        // Each kind opens on its own scale: 馬連 spans 1 to 10,000.
        const QSignalBlocker quiet(Chk_Log);
        Chk_Log->setChecked(kind() == BetType::Quinella);
    }
    shownKind_ = kind();
    shownRace_ = race_;
    QStringList chosen = chosenRows().value(chosenKey(race_, kind()));

    std::vector<OddsSnapshot> snapshots;
    if (race_.date.isValid()) snapshots = SharedOddsHistory().snapshots(race_, FileOf(kind()));
    QString heading = QStringLiteral("%1 %2R").arg(racecourseName_).arg(race_.number);
    if (race_.date.isValid()) {
        heading.prepend(RaceDateDisplay(race_.date.toString(QStringLiteral("yyyyMMdd"))) +
                        QLatin1Char(' '));
    }
    if (!snapshots.empty()) {
        FixedRecord record(snapshots.back().file == OddsFile::Uo ? UoLayout::Length
                                                                 : ZoLayout::Length);
        record.assign(snapshots.back().raw);
        heading += QStringLiteral("　") + record.text(UoLayout::RaceTitle).trimmed();
    }
    Lbl_Race->setText(heading);

    TrendTable table = BuildTrendTable(snapshots, kind());
    if (chosen.isEmpty()) {
        for (int row : LargestFalls(table, 3)) chosen << table.keys[row];
    }
    Grd_Trend->setUpdatesEnabled(false);
    model_->setRows(std::move(table), kind());
    Grd_Trend->horizontalHeader()->resizeSection(0, 56);
    // The change column shows its whole heading.
    const int change = model_->changeColumn();
    Grd_Trend->horizontalHeader()->resizeSection(
        change, std::max(Grd_Trend->horizontalHeader()->defaultSectionSize(),
                         fontMetrics().horizontalAdvance(
                             model_->headerData(change, Qt::Horizontal).toString()) +
                             16));
    QItemSelection selection;
    for (int r = 0; r < sorted_->rowCount(); ++r) {
        if (chosen.contains(sorted_->index(r, 0).data().toString()))
            selection.select(sorted_->index(r, 0), sorted_->index(r, sorted_->columnCount() - 1));
    }
    Grd_Trend->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    Grd_Trend->setUpdatesEnabled(true);

    if (snapshots.empty()) {
        Lbl_Note->setText(QStringLiteral("このレースの%1オッズはまだ記録されていません。")
                              .arg(BetTypeName(kind())));
    } else if (snapshots.size() == 1) {
        Lbl_Note->setText(QStringLiteral(
            "記録されたオッズは1回分です。次にオッズを取得すると、その動きが表示されます。"));
    } else {
        Lbl_Note->setText(
            QStringLiteral("%1回分のオッズ。赤は前回から20%以上の下落、青は20%以上の上昇です。")
                .arg(snapshots.size()));
    }
    showChart();
    emit Filled();
}

void Frm_Trend::showChart() {
    const TrendTable& table = model_->table();
    std::vector<ChartLine> lines;
    QModelIndexList rows = Grd_Trend->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& index : rows) {
        const int r = sorted_->mapToSource(index).row();
        ChartLine line{table.keys[r], {}};
        for (const QString& text : table.cells[r]) {
            const auto odds = OddsHundredths(text);
            line.values.push_back(odds ? static_cast<double>(*odds) / 100.0 : NAN);
        }
        lines.push_back(std::move(line));
    }
    ShowTrendLines(
        Cht_Trend, table.headings, lines,
        table.rows() == 0 ? QString() : QStringLiteral("表の行を選ぶとグラフに表示します"),
        Chk_Log->isChecked());
}

void Frm_Trend::snapshotsAdded(const QList<Race>& races) {
    if (races.contains(race_)) {
        fill();
    } else if (ConcernsShownRace(race_, races, state_.Day.isValid())) {
        load(false);  // a newer day of the race: its newest day now
    }
}

void Frm_Trend::Cmd_Save_Click() {
    const Race race = race_;
    SaveThroughDialog(
        this, csvName_, [this] { return std::optional(TrendCsv(model_->table(), kind())); },
        CsvFile(QStringLiteral("オッズ推移_%1_%2.csv").arg(race.fileLabel(), BetTypeName(kind()))));
}
