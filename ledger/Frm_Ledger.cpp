#include "ledger/Frm_Ledger.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/SaveFile.h"
#include "common/TableLook.h"
#include "ledger/LedgerTables.h"
#include "ledger/TaxFigures.h"
#include "chart/BalanceChart.h"
#include "common/NumberText.h"
#include "common/Outcome.h"

namespace {

const QString Title = QStringLiteral("収支台帳");
const QString AllPeriods = QStringLiteral("全期間");
// The ledger's tables: a balance below zero red, the total bold.
const TableLook LedgerLook{QColor(255, 0, 0), QColor(), QColor(), true};
static_assert(AllYears == 0, "PeriodCsvName takes 0 for every year");

// Columns as wide as their contents (see fitColumns); arrow keys move inside
// the table and Tab leaves it.
QTableView* figuresView(QWidget* parent, const QString& name, FiguresTable* model) {
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(new TableLookProxy(LedgerLook, model, table));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    return table;
}

FiguresTable* groupTable(QObject* parent, const QString& first) {
    return new FiguresTable(FigureHeadings(first), {Qt::AlignLeft}, parent);
}

// Every column as wide as its texts, measured once the table is filled.
void fitColumns(QTableView* table) {
    table->resizeColumnsToContents();
}

void fillLines(QTableView* table, FiguresTable* model, std::vector<FiguresLine> lines) {
    table->clearSelection();
    model->setRows(std::move(lines));
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
      racecourses_(groupTable(this, QStringLiteral("競馬場"))) {
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
    Grd_Place = figuresView(this, QStringLiteral("Grd_Place"), racecourses_);
    Grd_Ledger->setToolTip(
        QStringLiteral("月の行をダブルクリックすると、その月のレースを表示します"));
    Grd_Ledger->setToolTip(Grd_Ledger->toolTip() +
                           QStringLiteral("（Enter キーでも表示します）"));
    Cht_Ledger = MakeBalanceChart(this, QStringLiteral("Cht_Ledger"));
    Cht_Ledger->setFocusPolicy(Qt::NoFocus);  // a picture, not a control
    Lbl_State = PlainLabel(this, QStringLiteral("Lbl_State"), QRect(), Qt::AlignLeft);
    Lbl_State->setWordWrap(true);
    Lbl_State->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the path can be copied
    SetForeground(Lbl_State, QColor(200, 0, 0));
    Lbl_State->hide();
    Grd_Tax = new QTableWidget(0, 2, this);
    Grd_Tax->setObjectName(QStringLiteral("Grd_Tax"));
    Grd_Tax->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("金額")});
    Grd_Tax->verticalHeader()->hide();
    Grd_Tax->horizontalHeader()->setStretchLastSection(true);
    Grd_Tax->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Tax->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Tax->setSelectionMode(QAbstractItemView::SingleSelection);
    Grd_Tax->setTabKeyNavigation(false);
    // Every line of the estimate in view, rows as high as the other tables'.
    Grd_Tax->verticalHeader()->setDefaultSectionSize(Grd_Tax->fontMetrics().height() + 6);
    Grd_Tax->setFixedHeight(Grd_Tax->verticalHeader()->defaultSectionSize() * 7 +
                            Grd_Tax->horizontalHeader()->sizeHint().height() +
                            2 * Grd_Tax->frameWidth() + 2);
    Grd_Tax->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grd_Tax->setToolTip(
        QStringLiteral("台帳の記録から計算した目安です。税務上の助言ではありません"));
    Lbl_Unrecorded = PlainLabel(this, QStringLiteral("Lbl_Unrecorded"), QRect(), Qt::AlignLeft);
    Lbl_Unrecorded->setWordWrap(true);
    Lbl_Unrecorded->hide();
    Grd_Unrecorded = new QTableWidget(0, int(UnrecordedHeadings().size()), this);
    Grd_Unrecorded->setObjectName(QStringLiteral("Grd_Unrecorded"));
    Grd_Unrecorded->setHorizontalHeaderLabels(UnrecordedHeadings());
    Grd_Unrecorded->verticalHeader()->hide();
    Grd_Unrecorded->verticalHeader()->setDefaultSectionSize(Grd_Tax->fontMetrics().height() + 6);
    Grd_Unrecorded->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Unrecorded->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Unrecorded->setSelectionMode(QAbstractItemView::SingleSelection);
    Grd_Unrecorded->setTabKeyNavigation(false);
    Grd_Unrecorded->hide();
    Lbl_Tax = PlainLabel(this, QStringLiteral("Lbl_Tax"), QRect(), Qt::AlignLeft);
    Lbl_Tax->setWordWrap(true);
    Cmd_TaxSave =
        PlainButton(this, QStringLiteral("Cmd_TaxSave"), QStringLiteral("目安のCSV保存"), QRect());

    auto* top = new QHBoxLayout;
    top->addWidget(caption(this, QStringLiteral("期間")));
    top->addWidget(Cmb_Year);
    top->addStretch(1);
    top->addWidget(Cmd_Save);
    top->addWidget(Cmd_Close);
    auto* left = new QVBoxLayout;
    left->addWidget(Grd_Ledger, 3);
    left->addWidget(Cht_Ledger, 2);
    // On the right, a page of the breakdowns and a page of the estimate, which
    // is worked out only while its page is shown: it reads every bet of the year.
    Tab_Right = new QTabWidget(this);
    Tab_Right->setObjectName(QStringLiteral("Tab_Right"));
    auto* breakdown = new QWidget(Tab_Right);
    auto* right = new QVBoxLayout(breakdown);
    right->addWidget(caption(breakdown, QStringLiteral("券種別")));
    right->addWidget(Grd_Type, 1);
    right->addWidget(caption(breakdown, QStringLiteral("競馬場別")));
    right->addWidget(Grd_Place, 2);
    auto* taxPage = new QWidget(Tab_Right);
    auto* tax = new QVBoxLayout(taxPage);
    auto* taxTop = new QHBoxLayout;
    taxTop->addWidget(caption(taxPage, QStringLiteral("一時所得の目安")));
    taxTop->addStretch(1);
    taxTop->addWidget(Cmd_TaxSave);
    tax->addLayout(taxTop);
    tax->addWidget(Grd_Tax);
    tax->addWidget(Lbl_Unrecorded);
    tax->addWidget(Grd_Unrecorded, 8);
    tax->addWidget(Lbl_Tax);
    tax->addStretch(1);
    Tab_Right->addTab(breakdown, QStringLiteral("券種別・競馬場別"));
    Tab_Right->addTab(taxPage, QStringLiteral("税金の目安"));
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addWidget(Tab_Right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Lbl_State);
    layout->addLayout(body, 1);
    resize(1180, 720);
    // Reading order: the period and the buttons beside it, the months, then
    // the tables on the right.
    SetTabOrder({Cmb_Year, Cmd_Save, Cmd_Close, Grd_Ledger, Tab_Right, Grd_Type, Grd_Place,
                 Cmd_TaxSave, Grd_Tax, Grd_Unrecorded});

    connect(Cmb_Year, &QComboBox::currentIndexChanged, this, &Frm_Ledger::Cmb_Year_Change);
    connect(Grd_Ledger, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Grd_Ledger_DblClick(index.row()); });
    // Enter on a chosen row opens it as a double-click does.
    OnKeys(Grd_Ledger, {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] {
        if (Grd_Ledger->selectionModel()->hasSelection())
            Grd_Ledger_DblClick(Grd_Ledger->currentIndex().row());
    });
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Ledger::Cmd_Save_Click);
    connect(Cmd_Close, &QPushButton::clicked, this, &QWidget::close);
    connect(Cmd_TaxSave, &QPushButton::clicked, this, &Frm_Ledger::Cmd_TaxSave_Click);
    connect(Tab_Right, &QTabWidget::currentChanged, this, [this] {
        if (taxStale_ && Tab_Right->currentIndex() == TaxPage) fillTax(chosenYear());
    });
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
    // What the messages said stays in the window: a ledger that could not be
    // opened is not an empty one.
    const QString state = ledger_->isOpen() ? ledger_->notice() : ledger_->error();
    Lbl_State->setText(state);
    Lbl_State->setVisible(!state.isEmpty());
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
    periods_->setHeading(0, year == AllYears ? QStringLiteral("年") : QStringLiteral("月"));
    fillLines(Grd_Ledger, periods_,
              GroupLines(summary.lines, ledger_->isOpen() ? &summary.total : nullptr));
    fillLines(Grd_Type, types_, GroupLines(types, nullptr));
    fillLines(Grd_Place, racecourses_, GroupLines(places, nullptr));
    std::vector<BalancePoint> points;
    points.reserve(series.size());
    for (const LedgerPoint& p : series) points.push_back({p.label, p.balance});
    ShowBalance(Cht_Ledger, points,
                ledger_->isOpen() ? QStringLiteral("この期間の記録はありません")
                                  : QStringLiteral("台帳を開けませんでした"));
    taxStale_ = true;
    if (Tab_Right->currentIndex() == TaxPage) fillTax(year);
}

void Frm_Ledger::fillTax(int year) {
    taxStale_ = false;
    Grd_Tax->setRowCount(0);
    Grd_Unrecorded->setRowCount(0);
    Lbl_Unrecorded->hide();
    Grd_Unrecorded->hide();
    const bool shown = ledger_->isOpen() && year != AllYears;
    Cmd_TaxSave->setEnabled(shown);
    if (!shown) {
        Lbl_Tax->setText(ledger_->isOpen()
                             ? QStringLiteral("年を選ぶと、その年の一時所得の目安を表示します。")
                             : QString());
        return;
    }
    const std::vector<TaxMonth> months = ledger_->taxMonths(year);
    std::vector<BetLine> unrecorded;
    if (ledger_->error().isEmpty()) unrecorded = ledger_->unrecorded(year);
    if (!ledger_->error().isEmpty()) {
        Lbl_Tax->setText(ledger_->error());
        return;
    }
    const std::vector<TaxRow> rows = TaxRows(EstimateTax(months));
    Grd_Tax->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        auto* label = new QTableWidgetItem(rows[size_t(i)].label);
        auto* amount = new QTableWidgetItem(rows[size_t(i)].amount);
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (rows[size_t(i)].result) {
            QFont bold = Grd_Tax->font();
            bold.setBold(true);
            label->setFont(bold);
            amount->setFont(bold);
        }
        Grd_Tax->setItem(i, 0, label);
        Grd_Tax->setItem(i, 1, amount);
    }
    Grd_Tax->resizeColumnToContents(0);
    if (!unrecorded.empty()) {
        Lbl_Unrecorded->setText(UnrecordedLine(unrecorded));
        Grd_Unrecorded->setRowCount(int(unrecorded.size()));
        for (int i = 0; i < int(unrecorded.size()); ++i) {
            const QStringList cells = UnrecordedCells(unrecorded[size_t(i)]);
            for (int c = 0; c < int(cells.size()); ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (c == 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);  // 購入
                Grd_Unrecorded->setItem(i, c, item);
            }
        }
        Grd_Unrecorded->resizeColumnsToContents();
        Lbl_Unrecorded->show();
        Grd_Unrecorded->show();
    }
    Lbl_Tax->setText(TaxNote());
}

void Frm_Ledger::Cmd_TaxSave_Click() {
    const int year = chosenYear();
    if (!ledger_->isOpen() || year == AllYears) return;
    SaveThroughDialog(
        this, taxCsvName_,
        [this, year]() -> std::optional<QByteArray> {
            const std::vector<TaxMonth> months = ledger_->taxMonths(year);
            std::vector<BetLine> unrecorded;
            if (ledger_->error().isEmpty()) unrecorded = ledger_->unrecorded(year);
            if (!ledger_->error().isEmpty()) {
                ShowMessage(this, ledger_->error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
                return std::nullopt;
            }
            return TaxCsv(year, months, unrecorded);
        },
        CsvFile(TaxCsvName(year)));
}

void Frm_Ledger::Grd_Ledger_DblClick(int row) {
    const std::optional<int> key = periods_->key(row);
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
    }, CsvFile(PeriodCsvName(chosenYear())));
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
    Grd_Races = figuresView(this, QStringLiteral("Grd_Races"), races_);
    bets_ = new BetsTable(this);
    Grd_Bets = new QTableView(this);
    Grd_Bets->setObjectName(QStringLiteral("Grd_Bets"));
    Grd_Bets->setModel(new TableLookProxy(LedgerLook, bets_, Grd_Bets));
    Grd_Bets->verticalHeader()->hide();
    Grd_Bets->verticalHeader()->setDefaultSectionSize(Grd_Bets->fontMetrics().height() + 6);
    Grd_Bets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grd_Bets->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Bets->setSelectionMode(QAbstractItemView::SingleSelection);
    Grd_Bets->setTabKeyNavigation(false);
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    Cmd_Delete = PlainButton(this, QStringLiteral("Cmd_Delete"), QStringLiteral("削除"), QRect());
    Cmd_Close = PlainButton(this, QStringLiteral("Cmd_Close"), QStringLiteral("閉じる"), QRect());
    Cmd_Delete->setEnabled(false);  // until a race is chosen
    // Delete on a chosen race asks as the button does.
    OnKeys(Grd_Races, {QKeySequence(Qt::Key_Delete)}, [this] {
        if (Cmd_Delete->isEnabled()) Cmd_Delete_Click();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_Save);
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Delete);
    buttons->addWidget(Cmd_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grd_Races, 3);
    layout->addWidget(caption(this, QStringLiteral("選んだレースの馬券")));
    layout->addWidget(Grd_Bets, 2);
    layout->addLayout(buttons);
    resize(760, 600);
    SetTabOrder({Grd_Races, Grd_Bets, Cmd_Save, Cmd_Delete, Cmd_Close});

    connect(Grd_Races->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        Cmd_Delete->setEnabled(!ledger_.readOnly() && Grd_Races->selectionModel()->hasSelection());
        showBets();
    });
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_LedgerMonth::Cmd_Save_Click);
    connect(Cmd_Delete, &QPushButton::clicked, this, &Frm_LedgerMonth::Cmd_Delete_Click);
    connect(Cmd_Close, &QPushButton::clicked, this, &QDialog::reject);
    EscapePresses(this, Cmd_Close);
    fill();
}

void Frm_LedgerMonth::fill() {
    shown_ = ledger_.races(year_, month_);
    fillLines(Grd_Races, races_, RaceLines(shown_));
    showBets();
}

void Frm_LedgerMonth::showBets() {
    const QModelIndexList chosen = Grd_Races->selectionModel()->selectedRows();
    const int row = chosen.isEmpty() ? -1 : chosen.first().row();
    if (row < 0 || row >= int(shown_.size())) {
        bets_->setRows({});
        return;
    }
    const LedgerRace& race = shown_[size_t(row)];
    bets_->setRows(ledger_.raceBets(race.race));
    Grd_Bets->resizeColumnsToContents();
}

void Frm_LedgerMonth::Cmd_Save_Click() {
    SaveThroughDialog(
        this, csvName_,
        [this]() -> std::optional<QByteArray> {
            const std::vector<BetLine> rows = ledger_.monthBets(year_, month_);
            if (!ledger_.error().isEmpty()) {
                ShowMessage(this, ledger_.error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
                return std::nullopt;
            }
            return BetsCsv(rows);
        },
        CsvFile(QStringLiteral("収支台帳_%1年%2月.csv").arg(year_).arg(month_)));
}

void Frm_LedgerMonth::Cmd_Delete_Click() {
    const int row = Grd_Races->currentIndex().row();
    if (row < 0 || row >= int(shown_.size())) return;
    const LedgerRace race = shown_[size_t(row)];
    const QString what =
        QStringLiteral("%1 %2%3R")
            .arg(race.race.date.toString(QStringLiteral("yyyy/MM/dd")), race.race.placeName())
            .arg(race.race.number);
    if (ShowMessage(this, QStringLiteral("%1 の記録を台帳から削除しますか？").arg(what),
                    MsgIcon::Question, MsgButtons::YesNo, Title) != MsgAnswer::Yes) {
        return;
    }
    if (!ledger_.deleteRace(race.race)) {
        ShowMessage(this, ledger_.error(), MsgIcon::Exclamation, MsgButtons::Ok, Title);
        return;
    }
    deleted_ = true;
    fill();
}
