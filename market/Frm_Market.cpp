#include "market/Frm_Market.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/SaveFile.h"
#include "common/WindowActivation.h"
#include "market/MarketChart.h"
#include "market/MarketTable.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceOdds.h"
#include "settings/BacktestFolders.h"

namespace {

// The usual words for odds that have not been fetched, with the file named.
QString missingText(const QString& file) {
    return QStringLiteral("%1 ファイルがありません。").arg(file) +
           QString::fromUtf16(MsgOddsMissing);
}

QTableView* makeGrid(QWidget* parent, const char* name, TextTableModel* model) {
    return ReadOnlyGrid(parent, QLatin1String(name), model, true);
}

}  // namespace

Frm_Market::Frm_Market(const AppState& state, const RaceSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), selection_(selection) {
    setObjectName(QStringLiteral("Frm_Market"));
    setWindowTitle(QStringLiteral("オッズ分析"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    resize(980, 760);

    Lbl_Title = PlainLabel(this, QStringLiteral("Lbl_Title"), QRect());
    Lbl_Missing = PlainLabel(this, QStringLiteral("Lbl_Missing"), QRect());
    SetForeground(Lbl_Missing, Colours::Red);
    Lbl_Missing->setWordWrap(true);

    horses_ = new TextTableModel(this);
    brackets_ = new TextTableModel(this);
    Grd_Horses = makeGrid(this, "Grd_Horses", horses_);
    Grd_Brackets = makeGrid(this, "Grd_Brackets", brackets_);
    Cht_Market = MakeMarketChart(this, QStringLiteral("Cht_Market"));
    Cht_Market->setMinimumSize(320, 240);
    Lst_Dominated = new QListWidget(this);
    Lst_Dominated->setObjectName(QStringLiteral("Lst_Dominated"));
    Lst_Value = new QListWidget(this);
    Lst_Value->setObjectName(QStringLiteral("Lst_Value"));
    Lbl_Payout = PlainLabel(this, QStringLiteral("Lbl_Payout"), QRect());
    Lbl_Payout->setWordWrap(true);
    Lbl_Beta = PlainLabel(this, QStringLiteral("Lbl_Beta"), QRect());
    Lbl_Beta->setWordWrap(true);
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Market::Cmd_Save_Click);

    auto* upper = new QHBoxLayout;
    upper->addWidget(Grd_Horses, 3);
    upper->addWidget(Cht_Market, 2);
    auto* dominatedBox = new QVBoxLayout;
    dominatedBox->addWidget(PlainLabel(this, QStringLiteral("Label1"), QRect(), Qt::AlignLeft,
                                       QStringLiteral("枠連の方が高い馬連")));
    dominatedBox->addWidget(Lst_Dominated, 1);
    auto* valueBox = new QVBoxLayout;
    valueBox->addWidget(PlainLabel(this, QStringLiteral("Label2"), QRect(), Qt::AlignLeft,
                                   QStringLiteral("期待値の高い組")));
    valueBox->addWidget(Lst_Value, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(Grd_Brackets, 3);
    lower->addLayout(dominatedBox, 2);
    lower->addLayout(valueBox, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_Save);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Title);
    layout->addWidget(Lbl_Missing);
    layout->addLayout(upper, 3);
    layout->addLayout(lower, 2);
    layout->addWidget(Lbl_Payout);
    layout->addWidget(Lbl_Beta);
    layout->addLayout(buttons);

    // A new download of the race shown is read at once; one of another day is not.
    connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, this,
            [this](const QList<Race>& races) {
                if (race_ && ConcernsShownRace(*race_, races, state_.Day.isValid()))
                    raceFilesChanged();
            });
    EscapeCloses(this);
    Form_Load();
}

Race Frm_Market::selectedRace() const {
    return ShownRace(state_, selection_.race());
}

void Frm_Market::Form_Load() {
    const Race race = selectedRace();
    if (race.course < 0 || race.number <= 0) return;
    read(race);
}

void Frm_Market::Form_Activate() {
    if (race_ == selectedRace()) return;
    Form_Load();
}

void Frm_Market::raceFilesChanged() {
    if (!race_) return;
    // The race's day in force again: a newer day of it may have arrived.
    Race race = *race_;
    race.date = ShownRaceDay(state_, {QDate(), race.course, race.number});
    read(race);
}

void Frm_Market::read(const Race& race) {
    race_ = race;
    const RaceOddsRead files = ReadRaceOdds(state_.DataDir, race);
    analysis_ = AnalyseMarket(files.odds);

    Lbl_Title->setText(QStringLiteral("%1 %2R　%3　%4")
                           .arg(race.placeName())
                           .arg(race.number)
                           .arg(files.raceDate, files.raceTitle.trimmed()));
    QStringList missing;
    if (files.uoMissing) missing << missingText(QStringLiteral("馬連（uo-）"));
    if (files.zoMissing) missing << missingText(QStringLiteral("単勝・複勝・枠連（zo-）"));
    Lbl_Missing->setText(missing.join(u'\n'));
    Lbl_Missing->setVisible(!missing.isEmpty());

    // β of the last calibration of the user's races, read anew: it may have
    // been fitted since.
    const ValueBasis basis = BasisOfFit(StoredCalibration());
    value_ = ValueOfRace(files.odds, analysis_, basis.beta);

    TextTable horses = HorsesTable(analysis_);
    AddValueColumns(horses, value_);
    horses_->setRows(std::move(horses));
    brackets_->setRows(BracketsTable(analysis_));
    Grd_Horses->resizeColumnsToContents();
    Grd_Brackets->resizeColumnsToContents();
    Lst_Dominated->clear();
    for (const DominatedPair& pair : analysis_.dominated)
        Lst_Dominated->addItem(DominatedText(pair));
    Lst_Value->clear();
    for (const ValueBet& bet : value_.bets) Lst_Value->addItem(ValueBetText(bet));
    Lbl_Payout->setText(PayoutLine(analysis_.payout));
    Lbl_Beta->setText(basis.line);
    ShowMarket(Cht_Market, analysis_);
    emit Loaded();
}

void Frm_Market::Cmd_Save_Click() {
    SaveThroughDialog(
        this, lastCsv_,
        [this] {
            return std::optional(TablesCsv({horses_->table(), brackets_->table()}));
        },
        CsvFile(race_ ? QStringLiteral("オッズ分析_%1.csv").arg(race_->fileLabel())
                      : QStringLiteral("オッズ分析.csv")));
}

bool Frm_Market::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && ActivatedFromOwnWindow(this)) Form_Activate();
    return handled;
}
