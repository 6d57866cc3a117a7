#include "settle/Frm_Settle.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/Memo.h"
#include "common/SaveFile.h"
#include "common/WindowActivation.h"
#include "racedata/AppState.h"
#include "racedata/RaceFiles.h"
#include "settle/SettleLook.h"
#include "chart/BalanceChart.h"
#include "common/BetCsv.h"

namespace {

const QColor NegativeText{220, 0, 0};

// A result file that appears or changes is settled this long after the last
// change seen, so that a burst of writes costs one rebuild.
constexpr int SettleDelayMs = 300;

QLabel* valueLabel(QWidget* parent, const char* name) {
    QLabel* label = PlainLabel(parent, QLatin1String(name), QRect(), Qt::AlignRight);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(120);
    return label;
}

}  // namespace

Frm_Settle::Frm_Settle(const AppState& state, const QTextDocument* memo, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), memo_(memo) {
    setObjectName(QStringLiteral("Frm_Settle"));
    setWindowTitle(QStringLiteral("収支"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    resize(900, 720);

    Grd_Settle = new QTableView(this);
    Grd_Settle->setObjectName(QStringLiteral("Grd_Settle"));
    Grd_Settle->setModel(new TableLookProxy(SettleLook, &table_, Grd_Settle));
    Grd_Settle->verticalHeader()->hide();
    Grd_Settle->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    Grd_Settle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Settle->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Settle->setWordWrap(false);
    // Arrow keys move between cells; Tab leaves the table for the next control.
    Grd_Settle->setTabKeyNavigation(false);
    const int widths[ColumnCount] = {80, 60, 50, 60, 60, 90, 70, 100, 100, 120};
    for (int c = 0; c < ColumnCount; ++c) Grd_Settle->setColumnWidth(c, widths[c]);
    Grd_Settle->horizontalHeader()->setStretchLastSection(true);

    auto* totals = new QGridLayout;
    const struct {
        const char16_t* caption;
        QLabel** label;
        const char* name;
    } figures[] = {{u"購入", &Lbl_Stake, "Lbl_Stake"},       {u"払戻", &Lbl_Return, "Lbl_Return"},
                   {u"収支", &Lbl_Balance, "Lbl_Balance"},   {u"回収率", &Lbl_Rate, "Lbl_Rate"},
                   {u"未確定", &Lbl_Pending, "Lbl_Pending"}, {u"的中率", &Lbl_Hit, "Lbl_Hit"}};
    // Three figures a row; 的中率, the longest, on a row of its own across the
    // width, so that large counts are never cut off.
    for (int i = 0; i < 6; ++i) {
        const bool hit = i == 5;
        const int row = hit ? 2 : i / 3, column = hit ? 0 : (i % 3) * 2;
        totals->addWidget(PlainLabel(this, ElementName("Label1", i), QRect(), Qt::AlignRight,
                                     QString::fromUtf16(figures[i].caption)),
                          row, column);
        *figures[i].label = valueLabel(this, figures[i].name);
        totals->addWidget(*figures[i].label, row, column + 1, 1, hit ? 5 : 1);
    }
    Lbl_Hit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Lbl_Hit->setMinimumWidth(0);  // as wide as its text needs at least
    for (int c : {1, 3, 5}) totals->setColumnStretch(c, 1);

    Cht_Balance = MakeBalanceChart(this, QStringLiteral("Cht_Balance"));
    Cht_Balance->setMinimumHeight(220);
    Cht_Balance->setFocusPolicy(Qt::NoFocus);  // a picture, not a control
    Lst_Skipped = new QListWidget(this);
    Lst_Skipped->setObjectName(QStringLiteral("Lst_Skipped"));
    Lst_Skipped->setWordWrap(true);
    auto* skippedBox = new QVBoxLayout;
    skippedBox->addWidget(PlainLabel(this, QStringLiteral("Label2"), QRect(), Qt::AlignLeft,
                                     QStringLiteral("読めなかった行")));
    skippedBox->addWidget(Lst_Skipped, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(Cht_Balance, 3);
    lower->addLayout(skippedBox, 2);

    Cmd_Refresh =
        PlainButton(this, QStringLiteral("Cmd_Refresh"), QStringLiteral("再計算"), QRect());
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    Cmd_Record =
        PlainButton(this, QStringLiteral("Cmd_Record"), QStringLiteral("台帳に記録"), QRect());
    connect(Cmd_Refresh, &QPushButton::clicked, this, &Frm_Settle::Cmd_Refresh_Click);
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Settle::Cmd_Save_Click);
    connect(Cmd_Record, &QPushButton::clicked, this, &Frm_Settle::RecordRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_Refresh);
    buttons->addWidget(Cmd_Save);
    buttons->addWidget(Cmd_Record);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grd_Settle, 3);
    layout->addLayout(totals);
    layout->addLayout(lower, 2);
    layout->addLayout(buttons);

    // Reading order: the table, the lines not read, then the buttons.
    SetTabOrder({Grd_Settle, Lst_Skipped, Cmd_Refresh, Cmd_Save, Cmd_Record});
    EscapeCloses(this);

    settleLater_.setSingleShot(true);
    settleLater_.setInterval(SettleDelayMs);
    connect(&settleLater_, &QTimer::timeout, this, &Frm_Settle::filesChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settleLater_,
            qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settleLater_,
            qOverload<>(&QTimer::start));
    watchLater_.setSingleShot(true);
    watchLater_.setInterval(0);
    connect(&watchLater_, &QTimer::timeout, this, &Frm_Settle::startWatch);

    Form_Load();
}

void Frm_Settle::Form_Load() {
    settlement_ = SettleMemo(MemoText(memo_), state_.DataDir, state_.Day);
    table_.setRows(settlement_);
    fillSkipped();
    fillTotals();
    fillChart();
    watchFiles();
    emit Rebuilt();
}

void Frm_Settle::fillSkipped() {
    Lst_Skipped->clear();
    for (const SkippedLine& line : settlement_.skipped) {
        QString text = QStringLiteral("%1行目：%2").arg(line.line).arg(line.reason);
        const QString shown = line.text.simplified();
        if (!shown.isEmpty()) text += QStringLiteral("「%1」").arg(shown);
        Lst_Skipped->addItem(text);
    }
}

void Frm_Settle::fillTotals() {
    const Totals& t = settlement_.totals;
    Lbl_Stake->setText(YenText(t.stake));
    Lbl_Return->setText(YenText(t.payout));
    Lbl_Balance->setText(YenText(t.balance()));
    SetForeground(Lbl_Balance,
                  t.balance() < 0 ? NegativeText : palette().color(QPalette::WindowText));
    Lbl_Rate->setText(RateText(t.payout, t.stake));
    Lbl_Hit->setText(HitText(t));
    Lbl_Pending->setText(PendingText(t));
}

void Frm_Settle::fillChart() {
    std::vector<BalancePoint> points;
    qint64 balance = 0;
    // A memo of several days names each race with its day: 東京11R of two days
    // are two points.
    const bool days = std::any_of(settlement_.races.begin(), settlement_.races.end(),
                                  [&](const SettledRace& r) {
                                      return r.date != settlement_.races.front().date;
                                  });
    for (const SettledRace& race : settlement_.races) {
        if (!race.settled()) continue;
        balance += race.payout - race.stake;
        points.push_back({days ? race.labelWithDay() : race.label(), balance});
    }
    ShowBalance(Cht_Balance, points, QStringLiteral("確定したレースはまだありません"));
}

QStringList Frm_Settle::resultFileState(bool lookAgain) const {
    QStringList files;
    // Looked for again, all races from one listing of the directory.
    const RaceDirectory directory(lookAgain ? state_.DataDir : QString());
    for (const SettledRace& race : settlement_.races) {
        const QStringList paths =
            lookAgain ? directory.findAll(QStringLiteral("ks-"), 7, race.racecourse.code, race.race)
                      : race.resultFiles;
        files << QString();  // the race, so that a file moving to another race counts
        for (const QString& path : paths) {
            const FileStamp stamp = FileStampOf(path);
            files << QStringLiteral("%1|%2|%3").arg(path).arg(stamp.size).arg(stamp.modified);
        }
    }
    return files;
}

void Frm_Settle::watchFiles() {
    watchedState_ = resultFileState(false);
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    watchPending_ = true;
    if (painted_) watchLater_.start();
}

void Frm_Settle::startWatch() {
    watchPending_ = false;
    if (settlement_.races.empty() || state_.DataDir.isEmpty() || !QFileInfo(state_.DataDir).isDir())
        return;
    watcher_.addPath(state_.DataDir);  // files that appear or are replaced
    QStringList files;
    for (const QString& entry : std::as_const(watchedState_)) {
        if (!entry.isEmpty()) files << entry.section(QLatin1Char('|'), 0, 0);
    }
    if (!files.isEmpty()) watcher_.addPaths(files);  // files rewritten in place
    // A file that changed before the watch began is not told of.
    if (resultFileState(true) != watchedState_) settleLater_.start();
}

void Frm_Settle::filesChanged() {
    if (resultFileState(true) != watchedState_) {
        Form_Load();
    } else {
        watchFiles();  // a replaced file is no longer watched under its name
    }
}

void Frm_Settle::Cmd_Refresh_Click() {
    Form_Load();
}

void Frm_Settle::Cmd_Save_Click() {
    const std::vector<BetLine> rows = settlement_.rows();
    SaveThroughDialog(
        this, lastCsv_, [&] { return std::optional(BetsCsv(rows)); }, CsvFile(DayCsvName(rows)));
}

bool Frm_Settle::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The watch of a settlement made before the window first painted begins
    // once it has.
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        if (watchPending_) watchLater_.start();
    }
    if (event->type() == QEvent::WindowActivate) {
        // The first activation is the opening, which has just settled.
        if (firstActivation_) {
            firstActivation_ = false;
        } else if (ActivatedFromOwnWindow(this)) {
            Form_Load();
        }
    }
    return handled;
}
