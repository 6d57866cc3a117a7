#include "ledger/Frm_Ledger.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/SaveFile.h"
#include "ledger/LedgerTables.h"
#include "settle/BalanceChart.h"
#include "settle/Settlement.h"

namespace {

const QString Title = QStringLiteral("収支台帳");
const QString AllPeriods = QStringLiteral("全期間");

// The stretched column takes the room the others leave (see fitColumns).
QTableView* figuresView(QWidget* parent, const QString& name, FiguresTable* model,
                        int stretched = 0) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(stretched, QHeaderView::Stretch);
    return table;
}

FiguresTable* groupTable(QObject* parent, const QString& first) {
    return new FiguresTable(FigureHeadings(first), {Qt::AlignLeft}, parent);
}

// Amounts as wide as they need, measured once the table is filled.
void fitColumns(QTableView* table) {
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        if (table->horizontalHeader()->sectionResizeMode(column) != QHeaderView::Stretch)
            table->resizeColumnToContents(column);
    }
}

void fillLines(QTableView* table, FiguresTable* model, std::vector<FiguresLine> lines) {
    table->clearSelection();
    model->SetLines(std::move(lines));
    fitColumns(table);
}

QLabel* caption(QWidget* parent, const QString& text) {
    return PlainLabel(parent, QString(), QRect(), Qt::AlignLeft, text);
}

}  // namespace

Frm_Ledger::Frm_Ledger(QWidget* parent)
    : QWidget(parent, Qt::Window),
      ledger_(std::make_unique<Ledger>()),
      periods_(groupTable(this, QStringLiteral("期間"))),
      types_(groupTable(this, QStringLiteral("券種"))),
      places_(groupTable(this, QStringLiteral("競馬場"))) {
    setObjectName(QStringLiteral("Frm_Ledger"));
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);

    Cmb_Year = new QComboBox(this);
    Cmb_Year->setObjectName(QStringLiteral("Cmb_Year"));
    Cmb_Year->setMinimumWidth(110);
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    Cmd_Close = PlainButton(this, QStringLiteral("Cmd_Close"), QStringLiteral("閉じる"), QRect());
    Grd_Ledger = figuresView(this, QStringLiteral("Grd_Ledger"), periods_);
    Grd_Type = figuresView(this, QStringLiteral("Grd_Type"), types_);
    Grd_Place = figuresView(this, QStringLiteral("Grd_Place"), places_);
    Grd_Ledger->setToolTip(
        QStringLiteral("月の行をダブルクリックすると、その月のレースを表示します"));
    Cht_Ledger = MakeBalanceChart(this, QStringLiteral("Cht_Ledger"));

    auto* top = new QHBoxLayout;
    top->addWidget(caption(this, QStringLiteral("期間")));
    top->addWidget(Cmb_Year);
    top->addStretch(1);
    top->addWidget(Cmd_Save);
    top->addWidget(Cmd_Close);
    auto* left = new QVBoxLayout;
    left->addWidget(Grd_Ledger, 3);
    left->addWidget(Cht_Ledger, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(caption(this, QStringLiteral("券種別")));
    right->addWidget(Grd_Type, 1);
    right->addWidget(caption(this, QStringLiteral("競馬場別")));
    right->addWidget(Grd_Place, 2);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    resize(1180, 720);

    connect(Cmb_Year, &QComboBox::currentIndexChanged, this, &Frm_Ledger::Cmb_Year_Change);
    connect(Grd_Ledger, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Grd_Ledger_DblClick(index.row()); });
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Ledger::Cmd_Save_Click);
    connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
    EscapePresses(this, Cmd_Close);
}

Frm_Ledger::~Frm_Ledger() = default;

void Frm_Ledger::Show(QPointer<Frm_Ledger>& window) {
    if (!window) window = new Frm_Ledger;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    // Filled once it is on screen, so that a message about the file has a window.
    window->Reload();
}

int Frm_Ledger::chosenYear() const {
    return Cmb_Year->currentData().toInt();
}

void Frm_Ledger::Reload() {
    ledger_ = std::make_unique<Ledger>();
    if (!ledger_->open()) {
        ShowMessage(this, ledger_->error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
    } else if (!ledger_->notice().isEmpty()) {
        ShowMessage(this, ledger_->notice(), MsgIcon::Information, MsgButtons::Ok, Title);
    }
    fill();
}

void Frm_Ledger::fill() {
    const int shown = Cmb_Year->count() > 0 ? chosenYear() : -1;
    const std::vector<int> years = ledger_->isOpen() ? ledger_->years() : std::vector<int>();
    {
        const QSignalBlocker quiet(Cmb_Year);
        Cmb_Year->clear();
        for (int year : years) Cmb_Year->addItem(QStringLiteral("%1年").arg(year), year);
        Cmb_Year->addItem(AllPeriods, AllYears);
        const int at = Cmb_Year->findData(shown);
        Cmb_Year->setCurrentIndex(at >= 0 ? at : 0);
    }
    Cmb_Year_Change();
}

bool Frm_Ledger::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && ledger_->isOpen() &&
        ledger_->dataVersion() != shownVersion_) {
        fill();
    }
    return QWidget::event(event);
}

void Frm_Ledger::Cmb_Year_Change() {
    const int year = chosenYear();
    LedgerSummary summary;
    std::vector<LedgerLine> types, places;
    std::vector<LedgerPoint> series;
    if (ledger_->isOpen()) {
        shownVersion_ = ledger_->dataVersion();
        // The first query that fails is said; the others show what they can.
        QString error;
        const auto keep = [&] {
            if (error.isEmpty()) error = ledger_->error();
        };
        summary = ledger_->summary(year);
        keep();
        types = ledger_->byType(year);
        keep();
        places = ledger_->byPlace(year);
        keep();
        series = ledger_->balanceSeries(year);
        keep();
        if (!error.isEmpty()) {
            ShowMessage(this, error, MsgIcon::Exclamation, MsgButtons::Ok, Title);
        }
    }
    periods_->SetHeading(0, year == AllYears ? QStringLiteral("年") : QStringLiteral("月"));
    fillLines(Grd_Ledger, periods_, GroupLines(summary.lines, &summary.total));
    fillLines(Grd_Type, types_, GroupLines(types, nullptr));
    fillLines(Grd_Place, places_, GroupLines(places, nullptr));
    std::vector<BalancePoint> points;
    points.reserve(series.size());
    for (const LedgerPoint& p : series) points.push_back({p.label, p.balance});
    ShowBalance(Cht_Ledger, points, QStringLiteral("この期間の記録はありません"));
}

void Frm_Ledger::Grd_Ledger_DblClick(int row) {
    const std::optional<int> key = periods_->Key(row);
    if (!key) return;  // the total line
    const int year = chosenYear();
    if (year == AllYears) {
        // A year of 全期間 opens that year's months.
        Cmb_Year->setCurrentIndex(Cmb_Year->findData(*key));
        return;
    }
    Frm_LedgerMonth month(*ledger_, year, *key, this);
    RunModal(month);
    if (month.deleted()) fill();
}

void Frm_Ledger::Cmd_Save_Click() {
    if (!ledger_->isOpen()) return;
    SaveThroughDialog(this, csvName_, [this]() -> std::optional<QByteArray> {
        const std::vector<BetLine> rows = ledger_->bets(chosenYear());
        if (!ledger_->error().isEmpty()) {
            ShowMessage(this, ledger_->error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
            return std::nullopt;
        }
        return BetsCsv(rows);
    });
}

Frm_LedgerMonth::Frm_LedgerMonth(Ledger& ledger, int year, int month, QWidget* parent)
    : QDialog(parent),
      ledger_(ledger),
      races_(new FiguresTable(
          {QStringLiteral("日付"), QStringLiteral("競馬場"), QStringLiteral("レース"),
           QStringLiteral("購入"), QStringLiteral("払戻"), QStringLiteral("収支"),
           QStringLiteral("回収率"), QStringLiteral("的中率")},
          {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight}, this)),
      year_(year),
      month_(month) {
    setObjectName(QStringLiteral("Frm_LedgerMonth"));
    setWindowTitle(QStringLiteral("%1年%2月のレース").arg(year).arg(month));
    Grd_Races = figuresView(this, QStringLiteral("Grd_Races"), races_, 7);
    Cmd_Delete = PlainButton(this, QStringLiteral("Cmd_Delete"), QStringLiteral("削除"), QRect());
    Cmd_Close = PlainButton(this, QStringLiteral("Cmd_Close"), QStringLiteral("閉じる"), QRect());
    Cmd_Delete->setEnabled(false);  // until a race is chosen

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Delete);
    buttons->addWidget(Cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grd_Races, 1);
    layout->addLayout(buttons);
    resize(760, 480);

    connect(Grd_Races->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        Cmd_Delete->setEnabled(!ledger_.readOnly() && Grd_Races->selectionModel()->hasSelection());
    });
    connect(Cmd_Delete, &QPushButton::clicked, this, &Frm_LedgerMonth::Cmd_Delete_Click);
    connect(Cmd_Close, &QPushButton::clicked, this, &QDialog::reject);
    EscapePresses(this, Cmd_Close);
    fill();
}

void Frm_LedgerMonth::fill() {
    shown_ = ledger_.races(year_, month_);
    fillLines(Grd_Races, races_, RaceLines(shown_));
}

void Frm_LedgerMonth::Cmd_Delete_Click() {
    const int row = Grd_Races->currentIndex().row();
    if (row < 0 || row >= int(shown_.size())) return;
    const LedgerRace race = shown_[size_t(row)];
    const QString what = QStringLiteral("%1 %2%3R").arg(race.date, race.place).arg(race.race);
    if (ShowMessage(this, QStringLiteral("%1 の記録を台帳から削除しますか？").arg(what),
                    MsgIcon::Question, MsgButtons::YesNo, Title) != MsgAnswer::Yes) {
        return;
    }
    if (!ledger_.deleteRace(race.date, race.place, race.race)) {
        ShowMessage(this, ledger_.error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
        return;
    }
    deleted_ = true;
    fill();
}
