#include "builder/Frm_Build.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/NumberText.h"
#include "common/SaveFile.h"
#include "common/WindowActivation.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/Market.h"
#include "racedata/OddsWatcher.h"
#include "settings/BacktestFolders.h"

namespace {

enum Column { ColBet, ColOdds, ColStake, ColPayout, ColProfit, ColFall, Columns };

const QColor Red = Colours::Red;

QLabel* caption(QWidget* parent, const char* name, const QString& text) {
    return PlainLabel(parent, QLatin1String(name), QRect(), Qt::AlignLeft, text);
}

}  // namespace

Frm_Build::Frm_Build(const AppState& state, const RaceSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), selection_(selection) {
    setObjectName(QStringLiteral("Frm_Build"));
    setWindowTitle(QStringLiteral("買い目作成"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(UiFont(9));
    resize(720, 760);
    buildControls();
    EscapeCloses(this);

    // A new download of the race shown is read at once.
    connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, this,
            [this](const QList<Race>& races) {
                if (race_ && ConcernsShownRace(*race_, races, state_.Day.isValid())) {
                    read(selectedRace());
                    rebuild();
                }
            });

    const int kindAt = Cmb_Kind->findData(static_cast<int>(BuildKindOf(selection_.betType())));
    {
        // The form is shown once, below, for the race read.
        const QSignalBlocker quiet(Cmb_Kind);
        Cmb_Kind->setCurrentIndex(std::max(kindAt, 0));
    }
    bracketNumbers_ = kind() == BetType::BracketQuinella;
    const Race race = selectedRace();
    if (race.course >= 0 && race.number > 0) read(race);
    showForm();
}

void Frm_Build::buildControls() {
    Lbl_Title = caption(this, "Lbl_Title", QString());

    Cmb_Kind = new QComboBox(this);
    Cmb_Kind->setObjectName(QStringLiteral("Cmb_Kind"));
    for (BetType kind : BuildKinds) Cmb_Kind->addItem(BetTypeName(kind), static_cast<int>(kind));
    Cmb_Form = new QComboBox(this);
    Cmb_Form->setObjectName(QStringLiteral("Cmb_Form"));
    for (BetForm form : BetForms) Cmb_Form->addItem(BetFormName(form), static_cast<int>(form));
    Chk_Zorome = new QCheckBox(QStringLiteral("ゾロ目を含む"), this);
    Chk_Zorome->setObjectName(QStringLiteral("Chk_Zorome"));

    Lbl_First = caption(this, "Lbl_First", QString());
    Txt_First = new QLineEdit(this);
    Txt_First->setObjectName(QStringLiteral("Txt_First"));
    Lbl_Second = caption(this, "Lbl_Second", QString());
    Txt_Second = new QLineEdit(this);
    Txt_Second->setObjectName(QStringLiteral("Txt_Second"));
    const auto numberRow = [this](std::array<QPushButton*, Numbers>& buttons, const char* name,
                                  QLineEdit* box) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        for (int n = 1; n <= Numbers; ++n) {
            QPushButton* b = PlainButton(this, ElementName(name, n), QString::number(n), QRect());
            b->setCheckable(true);
            b->setFixedSize(30, 24);
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QPushButton::clicked, this, [this, box, n] { toggleNumber(box, n); });
            buttons[size_t(n - 1)] = b;
            row->addWidget(b);
        }
        row->addStretch(1);
        return row;
    };

    Lbl_Refusal = caption(this, "Lbl_Refusal", QString());
    SetForeground(Lbl_Refusal, Red);
    Lbl_Note = caption(this, "Lbl_Note", QString());
    Lbl_Note->setWordWrap(true);
    Lbl_Count = caption(this, "Lbl_Count", QStringLiteral("0点"));
    QFont countFont = Lbl_Count->font();
    countFont.setBold(true);
    Lbl_Count->setFont(countFont);
    Lbl_Count->setMinimumWidth(QFontMetrics(countFont).horizontalAdvance(u"000点"_qs) + 4);
    Txt_Budget = new QLineEdit(this);
    Txt_Budget->setObjectName(QStringLiteral("Txt_Budget"));
    Txt_Budget->setMaxLength(9);
    Txt_Budget->setFixedWidth(90);
    Txt_Budget->setAlignment(Qt::AlignRight);
    Cmb_Mode = new QComboBox(this);
    Cmb_Mode->setObjectName(QStringLiteral("Cmb_Mode"));
    for (SpreadMode m : SpreadModes) Cmb_Mode->addItem(SpreadModeName(m), static_cast<int>(m));
    Txt_Bank = new QLineEdit(this);
    Txt_Bank->setObjectName(QStringLiteral("Txt_Bank"));
    Txt_Bank->setMaxLength(11);
    Txt_Bank->setFixedWidth(100);
    Txt_Bank->setAlignment(Qt::AlignRight);
    Txt_Bank->setEnabled(false);
    Cmb_Fraction = new QComboBox(this);
    Cmb_Fraction->setObjectName(QStringLiteral("Cmb_Fraction"));
    for (int divisor : KellyDivisors) Cmb_Fraction->addItem(KellyFractionName(divisor), divisor);
    Cmb_Fraction->setEnabled(false);
    Lbl_Basis = caption(this, "Lbl_Basis", QString());
    Lbl_Basis->setWordWrap(true);
    Cmd_Trigami =
        PlainButton(this, QStringLiteral("Cmd_Trigami"), QStringLiteral("トリガミを除く"), QRect());

    Grd_Bets = new QTableWidget(0, Columns, this);
    Grd_Bets->setObjectName(QStringLiteral("Grd_Bets"));
    Grd_Bets->setHorizontalHeaderLabels({QStringLiteral("買い目"), QStringLiteral("オッズ"),
                                         QStringLiteral("金額"), QStringLiteral("払戻"),
                                         QStringLiteral("収支"), QStringLiteral("急落")});
    Grd_Bets->verticalHeader()->setVisible(false);
    Grd_Bets->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    Grd_Bets->horizontalHeader()->setStretchLastSection(true);
    Grd_Bets->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grd_Bets->setTabKeyNavigation(false);
    Grd_Bets->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    for (int c = 0; c < Columns; ++c) Grd_Bets->setColumnWidth(c, c == ColFall ? 120 : 96);

    Lbl_Total = caption(this, "Lbl_Total", QString());
    Lbl_Message = caption(this, "Lbl_Message", QString());
    SetForeground(Lbl_Message, Red);
    Cmd_OK = PlainButton(this, QStringLiteral("Cmd_OK"), QStringLiteral("OK"), QRect());
    Cmd_Save = PlainButton(this, QStringLiteral("Cmd_Save"), QStringLiteral("CSV保存"), QRect());
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("閉じる"), QRect());

    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(caption(this, "Label1", QStringLiteral("券種")));
    kindRow->addWidget(Cmb_Kind);
    kindRow->addSpacing(12);
    kindRow->addWidget(caption(this, "Label2", QStringLiteral("形式")));
    kindRow->addWidget(Cmb_Form);
    kindRow->addSpacing(12);
    kindRow->addWidget(Chk_Zorome);
    kindRow->addStretch(1);
    auto* numbers = new QGridLayout;
    numbers->addWidget(Lbl_First, 0, 0);
    numbers->addWidget(Txt_First, 0, 1);
    numbers->addLayout(numberRow(Cmd_First, "Cmd_First", Txt_First), 1, 1);
    numbers->addWidget(Lbl_Second, 2, 0);
    numbers->addWidget(Txt_Second, 2, 1);
    numbers->addLayout(numberRow(Cmd_Second, "Cmd_Second", Txt_Second), 3, 1);
    auto* budgetRow = new QHBoxLayout;
    budgetRow->addWidget(Lbl_Count);
    budgetRow->addSpacing(16);
    budgetRow->addWidget(caption(this, "Label3", QStringLiteral("予算")));
    budgetRow->addWidget(Txt_Budget);
    budgetRow->addWidget(caption(this, "Label4", QStringLiteral("円")));
    budgetRow->addSpacing(12);
    budgetRow->addWidget(caption(this, "Label5", QStringLiteral("配分")));
    budgetRow->addWidget(Cmb_Mode);
    budgetRow->addSpacing(12);
    budgetRow->addWidget(caption(this, "Label6", QStringLiteral("資金")));
    budgetRow->addWidget(Txt_Bank);
    budgetRow->addWidget(caption(this, "Label7", QStringLiteral("円")));
    budgetRow->addWidget(Cmb_Fraction);
    budgetRow->addStretch(1);
    budgetRow->addWidget(Cmd_Trigami);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Cmd_OK);
    buttons->addWidget(Cmd_Save);
    buttons->addWidget(Cmd_Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_Title);
    layout->addLayout(kindRow);
    layout->addLayout(numbers);
    layout->addWidget(Lbl_Refusal);
    layout->addWidget(Lbl_Note);
    layout->addLayout(budgetRow);
    layout->addWidget(Grd_Bets, 1);
    layout->addWidget(Lbl_Total);
    layout->addWidget(Lbl_Message);
    layout->addWidget(Lbl_Basis);
    layout->addLayout(buttons);

    connect(Cmb_Kind, &QComboBox::currentIndexChanged, this, [this] {
        // Brackets and horses are other numbers: the boxes start again.
        const bool bracket = kind() == BetType::BracketQuinella;
        if (bracket != bracketNumbers_) {
            bracketNumbers_ = bracket;
            const QSignalBlocker first(Txt_First), second(Txt_Second);
            Txt_First->clear();
            Txt_Second->clear();
        }
        falls_ = {};
        if (race_) read(*race_);
        showForm();
    });
    connect(Cmb_Form, &QComboBox::currentIndexChanged, this, &Frm_Build::showForm);
    connect(Chk_Zorome, &QCheckBox::toggled, this, &Frm_Build::rebuild);
    connect(Txt_First, &QLineEdit::textChanged, this, &Frm_Build::rebuild);
    connect(Txt_Second, &QLineEdit::textChanged, this, &Frm_Build::rebuild);
    connect(Txt_Budget, &QLineEdit::textChanged, this, &Frm_Build::respread);
    connect(Cmb_Mode, &QComboBox::currentIndexChanged, this, &Frm_Build::showMode);
    connect(Txt_Bank, &QLineEdit::textChanged, this, &Frm_Build::respread);
    connect(Cmb_Fraction, &QComboBox::currentIndexChanged, this, &Frm_Build::respread);
    connect(Grd_Bets, &QTableWidget::cellChanged, this, &Frm_Build::Grd_Bets_Changed);
    connect(Cmd_Trigami, &QPushButton::clicked, this, &Frm_Build::Cmd_Trigami_Click);
    connect(Cmd_OK, &QPushButton::clicked, this, &Frm_Build::Cmd_OK_Click);
    connect(Cmd_Save, &QPushButton::clicked, this, &Frm_Build::Cmd_Save_Click);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &QWidget::close);
    SetTabOrder({Cmb_Kind, Cmb_Form, Chk_Zorome, Txt_First, Txt_Second, Txt_Budget, Cmb_Mode,
                 Txt_Bank, Cmb_Fraction, Cmd_Trigami, Grd_Bets, Cmd_OK, Cmd_Save, Cmd_Cancel});
}

BetType Frm_Build::kind() const {
    return BetTypeFromCode(Cmb_Kind->currentData().toInt()).value_or(BetType::Quinella);
}

BetForm Frm_Build::form() const {
    return IsPairType(kind()) ? static_cast<BetForm>(Cmb_Form->currentData().toInt())
                              : BetForm::Single;
}

SpreadMode Frm_Build::mode() const {
    return static_cast<SpreadMode>(Cmb_Mode->currentData().toInt());
}

void Frm_Build::showMode() {
    const bool kelly = mode() == SpreadMode::Kelly;
    Txt_Budget->setEnabled(!kelly);
    Txt_Bank->setEnabled(kelly);
    Cmb_Fraction->setEnabled(kelly);
    respread();
}

Race Frm_Build::selectedRace() const {
    return ShownRace(state_, selection_.race());
}

void Frm_Build::Form_Activate() {
    const Race race = selectedRace();
    if (race.course < 0 || race.number <= 0 || (race_ && *race_ == race)) return;
    read(race);
    rebuild();
}

void Frm_Build::read(const Race& race) {
    race_ = race;
    read_ = ReadRaceOdds(state_.DataDir, race);
    field_ = BuildFieldOf(read_.odds);
    chances_.reset();  // figured when ケリー needs them
    if (read_.day.isValid()) race_->date = read_.day;
    falls_ = {};
    // Before the first paint the table is empty: the falls wait for it.
    if (painted_) markFalls();
    QString title = QStringLiteral("%1 %2R").arg(race.placeName()).arg(race.number);
    if (race_->date.isValid())
        title += u'　' + race_->date.toString(QStringLiteral("yyyy年MM月dd日"));
    if (!read_.raceTitle.isEmpty()) title += u'　' + read_.raceTitle.trimmed();
    Lbl_Title->setText(title);
    showButtons();
}

void Frm_Build::markFalls() {
    if (!race_) return;
    // The odds history keeps what the windows read; the falls come from it.
    for (const QString& path : {read_.uoPath, read_.zoPath})
        if (!path.isEmpty()) TellOddsFileRead(path);
    const BetType k = kind();
    const bool uo = k == BetType::Quinella;
    falls_ =
        FallMarksOf(*race_, uo ? OddsFile::Uo : OddsFile::Zo, uo ? read_.uoRaw : read_.zoRaw, k);
    if (!bets_.empty()) showBets();
}

void Frm_Build::showForm() {
    const BetType k = kind();
    const bool pair = IsPairType(k);
    const bool bracket = k == BetType::BracketQuinella;
    const BetForm f = form();
    Cmb_Form->setEnabled(pair);
    Chk_Zorome->setEnabled(bracket && f == BetForm::Box);
    const bool second = pair && (f == BetForm::Axis || f == BetForm::Formation);
    const QString unit = bracket ? QStringLiteral("枠") : QStringLiteral("頭");
    switch (f) {
        case BetForm::Single:
            Lbl_First->setText(pair ? QStringLiteral("組番") : QStringLiteral("馬番"));
            break;
        case BetForm::Box:
            Lbl_First->setText(bracket ? QStringLiteral("枠番") : QStringLiteral("馬番"));
            break;
        case BetForm::Axis:
            Lbl_First->setText(QStringLiteral("軸"));
            Lbl_Second->setText(QStringLiteral("相手"));
            break;
        case BetForm::Formation:
            Lbl_First->setText(QStringLiteral("1%1目").arg(unit));
            Lbl_Second->setText(QStringLiteral("2%1目").arg(unit));
            break;
    }
    if (!second) Lbl_Second->setText(QString());
    Txt_Second->setEnabled(second);
    for (QPushButton* b : Cmd_Second) b->setVisible(second && b->isEnabled());
    // Pairs typed "3-7" take no number buttons.
    for (QPushButton* b : Cmd_First) b->setVisible(!(pair && f == BetForm::Single));
    showButtons();
    rebuild();
}

void Frm_Build::showButtons() {
    const bool bracket = kind() == BetType::BracketQuinella;
    const BetForm f = form();
    const bool pairs = IsPairType(kind()) && f == BetForm::Single;
    const bool second = IsPairType(kind()) && (f == BetForm::Axis || f == BetForm::Formation);
    const std::vector<int> firstNumbers = NumbersIn(Txt_First->text());
    const std::vector<int> secondNumbers = NumbersIn(Txt_Second->text());
    const int count = bracket ? 8 : field_.runners();
    for (int n = 1; n <= Numbers; ++n) {
        const bool exists = n <= count;
        const bool runs =
            exists && (bracket ? field_.starters(n) > 0 : !field_.scratched[size_t(n - 1)]);
        for (int row = 0; row < 2; ++row) {
            QPushButton* b = (row == 0 ? Cmd_First : Cmd_Second)[size_t(n - 1)];
            const std::vector<int>& chosen = row == 0 ? firstNumbers : secondNumbers;
            b->setVisible(exists && (row == 0 ? !pairs : second));
            b->setEnabled(runs);
            b->setChecked(std::find(chosen.begin(), chosen.end(), n) != chosen.end());
            b->setToolTip(runs ? QString() : QStringLiteral("出走取消"));
        }
    }
}

void Frm_Build::toggleNumber(QLineEdit* box, int number) {
    std::vector<int> numbers = NumbersIn(box->text());
    const auto at = std::find(numbers.begin(), numbers.end(), number);
    if (at != numbers.end())
        numbers.erase(at);
    else
        numbers.push_back(number);
    std::sort(numbers.begin(), numbers.end());
    QStringList texts;
    for (int n : numbers) texts << QString::number(n);
    box->setText(texts.join(u' '));
}

void Frm_Build::rebuild() {
    removed_.clear();
    const BuiltBets built = BuildBets(field_, kind(), form(), Txt_First->text(), Txt_Second->text(),
                                      Chk_Zorome->isChecked());
    bets_ = built.bets;
    notes_ = built.notes;
    refusal_ = built.refusal;
    if (race_ && read_.uoPath.isEmpty() && kind() == BetType::Quinella)
        notes_.prepend(QStringLiteral("馬連のオッズ（uo-）が取得されていません。"));
    if (race_ && read_.zoPath.isEmpty() && kind() != BetType::Quinella)
        notes_.prepend(QStringLiteral("単勝・複勝・枠連のオッズ（zo-）が取得されていません。"));
    showButtons();
    respread();
}

void Frm_Build::respread() {
    std::erase_if(bets_, [this](const BuiltBet& bet) { return removed_.contains(bet.key()); });
    sheet_ = DistributionSheet();
    LeftOut leftOut;
    for (const BuiltBet& bet : bets_) {
        const int row = sheet_.addRow();
        sheet_.setFirst(row, QString::number(bet.first));
        sheet_.setSecond(row, bet.second ? QString::number(bet.second) : QString());
        sheet_.setOdds(row, bet.odds);
        leftOut.push_back(bet.capped);
    }
    sheet_.setBudget(QStringView(Txt_Budget->text()));
    KellyInputs kelly;
    if (mode() == SpreadMode::Kelly) {
        if (!chances_) {
            basis_ = BasisOfFit(StoredCalibration());
            chances_ = ChancesOfRace(read_.odds, AnalyseMarket(read_.odds), basis_.beta);
        }
        for (const BuiltBet& bet : bets_)
            kelly.chances.push_back(chances_->of(kind(), bet.first, bet.second));
        const std::optional<double> bank = NumericValue(Txt_Bank->text());
        if (bank && *bank >= 0 && *bank < double(MaxAmount)) kelly.bank = qint64(*bank);
        kelly.fraction = 1.0 / Cmb_Fraction->currentData().toInt();
    }
    spread_ = SpreadBy(mode(), sheet_, SpreadInputs(leftOut, kelly));
    showBets();
}

void Frm_Build::showBets() {
    filling_ = true;
    Grd_Bets->setUpdatesEnabled(false);
    Grd_Bets->setRowCount(int(bets_.size()));
    const qint64 total = sheet_.stakeSum();
    const auto cell = [this](int row, int column, const QString& text, bool red,
                             Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
        QTableWidgetItem* item = Grd_Bets->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            Grd_Bets->setItem(row, column, item);
        }
        item->setText(text);
        item->setTextAlignment(align);
        item->setForeground(red ? QBrush(Red) : QBrush());
        if (column != ColStake) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        return item;
    };
    for (int i = 0; i < int(bets_.size()); ++i) {
        const BuiltBet& bet = bets_[size_t(i)];
        const std::optional<qint64> payout = RowPayout(sheet_, i);
        const bool trigami = IsTrigami(sheet_, i);
        cell(i, ColBet, bet.key(), false, Qt::AlignCenter);
        cell(i, ColOdds, bet.shown, false);
        const bool skipped = mode() == SpreadMode::Kelly && !sheet_.row(i).stake;
        cell(i, ColStake, skipped ? QStringLiteral("見送り") : StakeText(sheet_.row(i).stake),
             false);
        cell(i, ColPayout, payout ? GroupedYen(*payout) : QString(), false);
        cell(i, ColProfit, payout ? GroupedYen(*payout - total, true) : QString(), trigami);
        const auto fall = falls_.byKey.constFind(bet.key());
        QTableWidgetItem* mark = cell(i, ColFall,
                                      fall == falls_.byKey.cend()
                                          ? QString()
                                          : QStringLiteral("▼急落 %1%").arg(qRound(fall->percent)),
                                      true, Qt::AlignLeft | Qt::AlignVCenter);
        mark->setToolTip(fall == falls_.byKey.cend() ? QString() : FallTip(*fall));
    }
    Grd_Bets->setUpdatesEnabled(true);
    filling_ = false;

    Lbl_Count->setText(QStringLiteral("%1点").arg(bets_.size()));
    Lbl_Refusal->setText(refusal_);
    Lbl_Note->setText(notes_.join(u'\n'));
    Lbl_Note->setVisible(!notes_.isEmpty());
    const TotalLine line = TotalLineOf(sheet_);
    Lbl_Total->setText(line.text);
    SetForeground(Lbl_Total, line.loss ? Red : Colours::Black);
    // Over the budget however the stakes came (a spread or a stake typed).
    QString message = spread_.over ? QString() : spread_.message;
    const std::optional<double> budget = BudgetValue(sheet_.budget());
    if (mode() != SpreadMode::Kelly && budget && double(total) > *budget)
        message = QStringLiteral("予算を %1円 超えています")
                      .arg(GroupedYen(qint64(std::ceil(double(total) - *budget))));
    Lbl_Message->setText(message);
    Lbl_Basis->setVisible(mode() == SpreadMode::Kelly);
    if (mode() == SpreadMode::Kelly) {
        const std::optional<double> bank = NumericValue(Txt_Bank->text());
        QString share;
        if (bank && *bank > 0 && total > 0)
            share = QStringLiteral("資金の %1% を賭けます。")
                        .arg(QString::number(100.0 * double(total) / *bank, 'f', 1));
        Lbl_Basis->setText(QStringLiteral("ケリー %1：%2確率は単勝オッズから求めた推定で、"
                                          "利益を約束するものではありません。\n%3")
                               .arg(Cmb_Fraction->currentText(), share, basis_.line));
    }
}

void Frm_Build::Grd_Bets_Changed(int row, int column) {
    if (filling_ || column != ColStake || row < 0 || row >= sheet_.size()) return;
    const QString text = Grd_Bets->item(row, column)->text().trimmed();
    std::optional<qint64> stake;
    bool set = true;
    if (!text.isEmpty()) {
        const std::optional<double> value = NumericValue(text);
        set = value && *value == std::floor(*value) && sheet_.setStake(row, qint64(*value));
    } else {
        sheet_.setStake(row, std::nullopt);
    }
    if (!set) ShowMessage(this, QStringLiteral("金額は 100円単位で入力してください。"));
    // Shown after the edit has closed: the table is rewritten.
    QMetaObject::invokeMethod(this, &Frm_Build::showBets, Qt::QueuedConnection);
}

void Frm_Build::Cmd_Trigami_Click() {
    QStringList gone;
    for (int i = 0; i < sheet_.size(); ++i)
        if (IsTrigami(sheet_, i)) gone << bets_[size_t(i)].key();
    if (gone.isEmpty()) return;
    for (const QString& key : gone) removed_.insert(key);
    notes_ << QStringLiteral("トリガミの %1 を除きました。").arg(gone.join(QStringLiteral(", ")));
    respread();
}

void Frm_Build::Cmd_OK_Click() {
    if (!refusal_.isEmpty()) {
        ShowMessage(this, refusal_);
        Txt_First->setFocus();
        return;
    }
    if (bets_.empty()) {
        ShowMessage(this, QStringLiteral("買い目を入力してください。"));
        Txt_First->setFocus();
        return;
    }
    if (!race_) return;
    const BetSlip slip = BuiltSlip(sheet_, *race_, kind());
    if (slip.bets.empty()) {
        const bool kelly = mode() == SpreadMode::Kelly;
        ShowMessage(this,
                    kelly ? QStringLiteral("金額の入った買い目がありません（すべて見送りです）。")
                          : QStringLiteral("予算を入力してください。"));
        (kelly ? Txt_Bank : Txt_Budget)->setFocus();
        return;
    }
    emit betsAccepted(slip);
}

void Frm_Build::Cmd_Save_Click() {
    const QString name =
        race_ ? QStringLiteral("買い目_%1_%2.csv").arg(race_->fileLabel(), BetTypeName(kind()))
              : QStringLiteral("買い目.csv");
    SaveThroughDialog(
        this, lastCsv_, [this] { return std::optional(BuiltCsv(sheet_, bets_, kind())); },
        CsvFile(name));
}

bool Frm_Build::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &Frm_Build::markFalls);
    }
    if (event->type() == QEvent::WindowActivate && ActivatedFromOwnWindow(this)) Form_Activate();
    return handled;
}
