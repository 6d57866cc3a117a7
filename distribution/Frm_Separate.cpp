#include "distribution/Frm_Separate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "common/Clock.h"
#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/NumberText.h"
#include "common/RaceDate.h"
#include "common/Twips.h"
#include "common/Distribution.h"
#include "distribution/EntryControls.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/OddsWatcher.h"
#include "racedata/RaceOdds.h"

namespace {

constexpr int RowTop = 1485;  // twips, top of row 0
constexpr int RowStep = 405;  // twips between rows
constexpr int BoxHeight = 330;

const QString MsgNotNumber = QStringLiteral("数値を入力してください。");
const QString MsgNotPositive = QStringLiteral("０以上で入力してください。");
const QString MsgNoBudget = QStringLiteral("総購入金額を入力してください。");
const QString MsgNoBets = QStringLiteral("最低一件以上入力してください。");
const QString MsgNoOdds = QStringLiteral("オッズを入力してください。");
const QString MsgTargetTooLarge = QStringLiteral("目標払戻が大きすぎます。");

// The lines under OK and Cancel, twips: two lines of figures, then the target.
// The window ends as far below 逆算 as it used to end below OK.
constexpr int SpreadTop = 5850;
constexpr int TargetTop = SpreadTop + 2 * RowStep;
constexpr int ButtonHeight = 375;
constexpr int BottomMargin = 105;
// 馬連 and 枠連: the line of 最新オッズ under 逆算; the window grows by it.
constexpr int UpdateTop = TargetTop + ButtonHeight + 60;

// The picture of the odds button: a small tote board with odds figures.
QPixmap oddsPicture() {
    QPixmap picture(52, 29);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient board(0, 0, 0, 29);
    board.setColorAt(0, QColor(30, 90, 60));
    board.setColorAt(1, QColor(10, 50, 30));
    painter.setPen(QPen(QColor(200, 170, 60), 1.5));
    painter.setBrush(board);
    painter.drawRoundedRect(QRectF(1, 1, 50, 27), 4, 4);

    QFont font = UiFont(7, true);
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(255, 220, 80));
    painter.drawText(QRectF(4, 2, 44, 12), Qt::AlignCenter, QStringLiteral("オッズ"));
    // Three columns of odds figures under the heading.
    font.setPixelSize(8);
    painter.setFont(font);
    painter.setPen(QColor(120, 255, 160));
    const char* figures[] = {"2.5", "4.0", "10"};
    for (int i = 0; i < 3; ++i) {
        painter.drawText(QRectF(3 + i * 15.5, 14, 15, 11), Qt::AlignCenter,
                         QString::fromLatin1(figures[i]));
    }
    return picture;
}

}  // namespace

Frm_Separate::Frm_Separate(AppState& state, const RaceSelection& selection, QWidget* parent)
    : QDialog(parent), state_(state), selection_(selection) {
    setObjectName(QStringLiteral("Frm_Separate"));
    setWindowTitle(QStringLiteral("配分"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFont(UiFont(9));
    buildControls();
    Form_Load();
    buildUpdateLine();
    setFixedSize(TwSize(5430, (followed_ ? UpdateTop : TargetTop) + ButtonHeight + BottomMargin));
}

void Frm_Separate::buildUpdateLine() {
    const int boxTop = UpdateTop + (ButtonHeight - BoxHeight) / 2;
    updateNote_ =
        PlainLabel(this, QStringLiteral("Lbl_Update"), TwRect(120, boxTop, 2400, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter);
    updateButton_ = PlainButton(this, QStringLiteral("Cmd_Update"), QStringLiteral("最新オッズ"),
                                TwRect(2640, UpdateTop, 1215, ButtonHeight));
    updateButton_->setToolTip(QStringLiteral("組番が最新のオッズにある行に、そのオッズを入れます"));
    updateButton_->setEnabled(false);
    QWidget::setTabOrder(targetButton_, updateButton_);
    connect(updateButton_, &QPushButton::clicked, this, &Frm_Separate::Cmd_Update_Click);

    const std::optional<int> type = selection_.typeCode();
    if (type == int(BetType::Quinella)) followed_ = BetType::Quinella;
    if (type == int(BetType::BracketQuinella)) followed_ = BetType::BracketQuinella;
    updateNote_->setVisible(followed_.has_value());
    updateButton_->setVisible(followed_.has_value());
    if (!followed_) return;
    // The race on the day in force, whose odds the rows were read from; while
    // no file tells the day, the history's latest of the race.
    const Race race = selection_.race();
    race_ = {ShownRaceDay(state_, race), race.course, race.number};
    OddsHistory* history = OpenedOddsHistory();
    if (!race_.date.isValid() && !state_.Day.isValid() && history)
        race_.date = history->latestDate(race.course, race.number);
    oddsAsOf_ = Now();
    connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, this,
            &Frm_Separate::snapshotsAdded);
    // Odds read or typed into a row are as of now: a download written before
    // is no longer newer (no query on every keystroke).
    for (int i = 0; i < Rows; ++i) {
        connect(odds_[i], &QLineEdit::textChanged, this, [this] {
            if (updating_) return;
            oddsAsOf_ = Now();
            if (!newer_ || newer_->modified > oddsAsOf_) return;
            newer_.reset();
            updateNote_->clear();
            updateButton_->setEnabled(false);
        });
    }
}

void Frm_Separate::snapshotsAdded(const QList<Race>& races) {
    // A download of another day of the race (last week's file rewritten) is not this one's.
    for (const Race& race : races) {
        if (ConcernsShownRace(race_, race, state_.Day.isValid())) race_ = race;
    }
    showUpdate();
}

void Frm_Separate::showUpdate() {
    newer_.reset();
    OddsHistory* history = OpenedOddsHistory();
    if (followed_ && race_.valid() && history)
        newer_ = history->latest(race_, FileOf(*followed_), oddsAsOf_);
    updateNote_->setText(newer_
                             ? QStringLiteral("オッズ更新 ") +
                                   newer_->modified.toLocalTime().toString(QStringLiteral("HH:mm"))
                             : QString());
    updateButton_->setEnabled(newer_.has_value());
}

void Frm_Separate::Cmd_Update_Click() {
    if (!newer_ || !followed_) return;
    const OddsSnapshot latest = *newer_;
    QHash<QString, QString> odds;
    for (const OddsEntry& entry : OddsEntries(latest.file, latest.raw, *followed_))
        odds.insert(entry.key, entry.text);
    updating_ = true;
    for (int i = 0; i < Rows; ++i) {
        bool firstOk = false, secondOk = false;
        const int a = sheet_.row(i).first.trimmed().toInt(&firstOk);
        const int b = sheet_.row(i).second.trimmed().toInt(&secondOk);
        if (!firstOk || !secondOk) continue;
        const auto found =
            odds.constFind(QStringLiteral("%1-%2").arg(std::min(a, b)).arg(std::max(a, b)));
        // Written as if typed: the odds check and the recalculation run.
        if (found != odds.constEnd()) odds_[i]->setText(*found);
    }
    updating_ = false;
    oddsAsOf_ = latest.modified;
    showUpdate();
}

void Frm_Separate::buildControls() {
    const QFont titleFont = UiFont(11, true);
    racecourse_ =
        PlainLabel(this, QStringLiteral("Lbl_Place"), TwRect(120, 120, 1200, 360), Qt::AlignCenter);
    betType_ =
        PlainLabel(this, QStringLiteral("Lbl_Type"), TwRect(1440, 120, 1560, 360), Qt::AlignCenter);
    raceNumber_ = PlainLabel(this, QStringLiteral("Lbl_Race"), TwRect(3120, 120, 600, 360),
                             Qt::AlignRight | Qt::AlignVCenter);
    raceNumberSuffix_ = PlainLabel(this, QStringLiteral("Label1"), TwRect(3720, 120, 300, 360),
                                   Qt::AlignLeft, QStringLiteral("R"));
    for (QLabel* label : {racecourse_, betType_, raceNumber_, raceNumberSuffix_})
        label->setFont(titleFont);

    budgetCaption_ = PlainLabel(this, QStringLiteral("Label3"), TwRect(120, 660, 600, BoxHeight),
                                Qt::AlignLeft, QStringLiteral("予算"));
    auto* budget = new EntryBox(this);
    budget_ = budget;
    budget_->setObjectName(QStringLiteral("Txt_Total_Pay"));
    budget_->setGeometry(TwRect(720, 660, 1320, BoxHeight));
    budget_->setMaxLength(BudgetLength);
    budget_->setToolTip(QStringLiteral("購入予算を入力してください"));
    budgetYen_ = PlainLabel(this, QStringLiteral("Label7"), TwRect(2100, 660, 300, BoxHeight),
                            Qt::AlignLeft, QStringLiteral("円"));
    oddsButton_ =
        PlainButton(this, QStringLiteral("Command1"), QString(), TwRect(4410, 600, 870, 495));
    oddsButton_->setIcon(QIcon(oddsPicture()));
    oddsButton_->setIconSize(QSize(52, 29));
    oddsButton_->setToolTip(QStringLiteral("取得されているオッズを表示します"));

    betHeading_ = PlainLabel(this, QStringLiteral("Label10"), TwRect(120, 1200, 1080, 240),
                             Qt::AlignCenter, QStringLiteral("買い目"));
    oddsHeading_ = PlainLabel(this, QStringLiteral("Label4"), TwRect(1320, 1200, 900, 240),
                              Qt::AlignCenter, QStringLiteral("オッズ"));
    stakeHeading_ = PlainLabel(this, QStringLiteral("Label6"), TwRect(2340, 1200, 1080, 240),
                               Qt::AlignCenter, QStringLiteral("金額"));
    payoutHeading_ = PlainLabel(this, QStringLiteral("Label9"), TwRect(3780, 1200, 1500, 240),
                                Qt::AlignCenter, QStringLiteral("配当"));

    for (int i = 0; i < Rows; ++i) {
        const int top = RowTop + i * RowStep;
        auto entry = [&](const char* name, int left, int width, int maxLength) {
            QLineEdit* box = new EntryBox(this);
            box->setObjectName(ElementName(name, i));
            box->setGeometry(TwRect(left, top, width, BoxHeight));
            box->setMaxLength(maxLength);
            box->installEventFilter(this);
            return box;
        };
        firstNumbers_[i] = entry("Txt_Buy1", 120, 435, 2);
        dashes_[i] = new QLabel(QStringLiteral("-"), this);
        dashes_[i]->setObjectName(ElementName("Label2", i));
        dashes_[i]->setGeometry(TwRect(555, top, 210, BoxHeight));
        dashes_[i]->setAlignment(Qt::AlignCenter);
        secondNumbers_[i] = entry("Txt_Buy2", 765, 435, 2);
        odds_[i] = entry("Txt_Odds", 1320, 900, 6);

        stakes_[i] = new QLabel(this);
        MakeResultBox(stakes_[i], ElementName("Lbl_Pay", i), TwRect(2340, top, 1080, BoxHeight));
        stakeSteppers_[i] = new UpDown(this);
        stakeSteppers_[i]->setObjectName(ElementName("Upd_Pay", i));
        stakeSteppers_[i]->setGeometry(TwRect(3435, top, 255, BoxHeight));
        payouts_[i] = new QLabel(this);
        MakeResultBox(payouts_[i], ElementName("Lbl_Income", i),
                      TwRect(3780, top, 1500, BoxHeight));

        connect(firstNumbers_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { sheet_.setFirst(i, text); });
        connect(secondNumbers_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { sheet_.setSecond(i, text); });
        connect(odds_[i], &QLineEdit::textChanged, this, [this, i] { Txt_Odds_Change(i); });
        connect(stakeSteppers_[i], &UpDown::upClicked, this, [this, i] { Upd_Pay_UpClick(i); });
        connect(stakeSteppers_[i], &UpDown::downClicked, this, [this, i] { Upd_Pay_DownClick(i); });
    }

    totalCaption_ = PlainLabel(this, QStringLiteral("Label5"), TwRect(1620, 4770, 600, BoxHeight),
                               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("合計"));
    total_ = new QLabel(this);
    MakeResultBox(total_, QStringLiteral("Lbl_Real_Pay"), TwRect(2340, 4770, 1080, BoxHeight));
    totalYen_ = PlainLabel(this, QStringLiteral("Label8"), TwRect(3480, 4770, 300, BoxHeight),
                           Qt::AlignLeft, QStringLiteral("円"));
    // Left of the buttons, under the total.
    Lbl_Over = PlainLabel(this, QStringLiteral("Lbl_Over"), TwRect(120, 5250, 2400, BoxHeight),
                          Qt::AlignRight | Qt::AlignVCenter);
    SetForeground(Lbl_Over, Colours::Red);

    okButton_ = PlainButton(this, QStringLiteral("Cmd_Add"), QStringLiteral("OK"),
                            TwRect(2640, 5250, 1215, 375));
    cancelButton_ = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                                TwRect(4065, 5250, 1215, 375));

    buildSpreadLines();

    connect(budget_, &QLineEdit::textChanged, this, &Frm_Separate::Txt_Total_Pay_Change);
    connect(okButton_, &QPushButton::clicked, this, &Frm_Separate::Cmd_Add_Click);
    connect(cancelButton_, &QPushButton::clicked, this, &Frm_Separate::Cmd_Cancel_Click);
    EscapePresses(this, cancelButton_);
    connect(oddsButton_, &QPushButton::clicked, this, &Frm_Separate::pickFromOdds);

    // Budget, the rows box by box, the buttons, then the up-down controls.
    QWidget* previous = budget_;
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 0; i < Rows; ++i) {
        chain(firstNumbers_[i]);
        chain(secondNumbers_[i]);
        chain(odds_[i]);
    }
    chain(okButton_);
    chain(cancelButton_);
    chain(oddsButton_);
    for (UpDown* upDown : stakeSteppers_) chain(upDown);
    chain(target_);
    chain(targetButton_);
    budget_->setFocus();
}

void Frm_Separate::buildSpreadLines() {
    const int second = SpreadTop + RowStep;
    compositeCaption_ =
        PlainLabel(this, QStringLiteral("Label11"), TwRect(120, SpreadTop, 1080, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("合成オッズ"));
    compositeOdds_ = new QLabel(this);
    MakeResultBox(compositeOdds_, QStringLiteral("Lbl_Synth"),
                  TwRect(1320, SpreadTop, 900, BoxHeight));
    returnCaption_ =
        PlainLabel(this, QStringLiteral("Label12"), TwRect(2340, SpreadTop, 600, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("払戻"));
    returnRange_ = new QLabel(this);
    MakeResultBox(returnRange_, QStringLiteral("Lbl_Return_Range"),
                  TwRect(3000, SpreadTop, 2280, BoxHeight));
    profitCaption_ =
        PlainLabel(this, QStringLiteral("Label13"), TwRect(2340, second, 600, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("収支"));
    profitRange_ = new QLabel(this);
    MakeResultBox(profitRange_, QStringLiteral("Lbl_Profit_Range"),
                  TwRect(3000, second, 2280, BoxHeight));

    const int boxTop = TargetTop + (ButtonHeight - BoxHeight) / 2;
    targetCaption_ =
        PlainLabel(this, QStringLiteral("Label14"), TwRect(120, boxTop, 1080, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("目標払戻"));
    target_ = new EntryBox(this);
    target_->setObjectName(QStringLiteral("Txt_Target"));
    target_->setGeometry(TwRect(1320, boxTop, 900, BoxHeight));
    target_->setMaxLength(BudgetLength);
    target_->setToolTip(QStringLiteral("当たったときに受け取りたい払戻金を入力してください"));
    targetYen_ = PlainLabel(this, QStringLiteral("Label15"), TwRect(2280, boxTop, 300, BoxHeight),
                            Qt::AlignLeft, QStringLiteral("円"));
    targetButton_ = PlainButton(this, QStringLiteral("Cmd_Target"), QStringLiteral("逆算"),
                                TwRect(2640, TargetTop, 1215, ButtonHeight));
    targetButton_->setToolTip(QStringLiteral("どれが当たっても目標払戻に届く金額を各行に入れます"));

    connect(target_, &QLineEdit::textChanged, this, &Frm_Separate::Txt_Target_Change);
    connect(targetButton_, &QPushButton::clicked, this, &Frm_Separate::Cmd_Target_Click);
}

void Frm_Separate::Form_Load() {
    const bool oneNumber = selection_.typeCode() == int(BetType::WinPlace);
    for (int i = 0; i < Rows; ++i) {
        secondNumbers_[i]->setHidden(oneNumber);
        dashes_[i]->setHidden(oneNumber);
    }
    racecourse_->setText(selection_.placeText());
    betType_->setText(selection_.typeText());
    const std::optional<int> race = selection_.raceNo();
    raceNumber_->setText(race ? QString::number(*race) : QString());
}

bool Frm_Separate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto key = static_cast<Qt::Key>(static_cast<QKeyEvent*>(event)->key());
        if (key == Qt::Key_Enter) key = Qt::Key_Return;
        for (int i = 0; i < Rows; ++i) {
            if (watched == firstNumbers_[i]) moveFromFirst(i, key);
            if (watched == secondNumbers_[i]) moveFromSecond(i, key);
            if (watched == odds_[i]) moveFromOdds(i, key);
        }
    }
    return QDialog::eventFilter(watched, event);  // the box still gets the key
}

void Frm_Separate::moveFromFirst(int index, Qt::Key key) {
    if (index < 0 || index >= Rows) return;
    if (key == Qt::Key_Up && index > 0) firstNumbers_[index - 1]->setFocus();
    if (key == Qt::Key_Down && index < Rows - 1) firstNumbers_[index + 1]->setFocus();
    if (key == Qt::Key_Return) {
        // With one number per bet the second box is hidden: go on to the odds.
        if (secondNumbers_[index]->isHidden()) {
            odds_[index]->setFocus();
        } else {
            secondNumbers_[index]->setFocus();
        }
    }
}

void Frm_Separate::moveFromSecond(int index, Qt::Key key) {
    if (index < 0 || index >= Rows) return;
    if (key == Qt::Key_Up && index > 0) secondNumbers_[index - 1]->setFocus();
    if (key == Qt::Key_Down && index < Rows - 1) secondNumbers_[index + 1]->setFocus();
    if (key == Qt::Key_Return) odds_[index]->setFocus();
}

void Frm_Separate::moveFromOdds(int index, Qt::Key key) {
    if (index < 0 || index >= Rows) return;
    if (key == Qt::Key_Up && index > 0) odds_[index - 1]->setFocus();
    if (key == Qt::Key_Down && index < Rows - 1) odds_[index + 1]->setFocus();
    if (key == Qt::Key_Return && index < Rows - 1) firstNumbers_[index + 1]->setFocus();
}

bool Frm_Separate::acceptEntry(QLineEdit* box) {
    const QString text = box->text();
    if (text.isEmpty()) return true;
    const std::optional<double> value = NumericValue(text);
    if (value && *value > 0) return true;
    refuse(box, value ? MsgNotPositive : MsgNotNumber);
    return false;
}

void Frm_Separate::refuse(QLineEdit* box, const QString& message) {
    ShowMessage(this, message);
    box->selectAll();
    box->setFocus();
}

void Frm_Separate::Txt_Total_Pay_Change() {
    sheet_.setBudget(budget_->text());
    if (acceptEntry(budget_)) Recalculate();
}

void Frm_Separate::Txt_Odds_Change(int index) {
    switch (sheet_.setOdds(index, odds_[index]->text())) {
        case OddsRefusal::NotNumber:
            return refuse(odds_[index], MsgNotNumber);
        case OddsRefusal::NotPositive:
            return refuse(odds_[index], MsgNotPositive);
        default:
            return Recalculate();
    }
}

void Frm_Separate::Recalculate() {
    if (sheet_.spread() != SpreadOutcome::Kept) {
        for (int i = 0; i < Rows; ++i) showRow(i);
    }
    showTotal();
}

void Frm_Separate::showRow(int index) {
    const SheetRow& row = sheet_.row(index);
    stakes_[index]->setText(StakeText(row.stake));
    payouts_[index]->setText(PayoutText(row.payout));
    if (const std::optional<bool> shortOfBudget = sheet_.payoutShort(index)) {
        SetForeground(payouts_[index], *shortOfBudget ? Colours::Red : Colours::Black);
    }
}

void Frm_Separate::showTotal() {
    total_->setText(StakeText(sheet_.total()));
    const std::optional<double> budget = BudgetValue(sheet_.budget());
    const double over = budget ? double(sheet_.total()) - *budget : 0;
    const QString overText = GroupedYen(qint64(std::ceil(over)));
    Lbl_Over->setText(over > 0 ? QStringLiteral("予算超過 %1円").arg(overText) : QString());
    const Spread spread = SpreadOf(sheet_);
    compositeOdds_->setText(spread.composite);
    returnRange_->setText(spread.returns);
    profitRange_->setText(spread.profit);
    SetForeground(profitRange_, spread.loss ? Colours::Red : Colours::Black);
}

void Frm_Separate::Upd_Pay_UpClick(int index) {
    if (sheet_.stakeUp(index)) showRow(index);
    showTotal();
}

void Frm_Separate::Upd_Pay_DownClick(int index) {
    if (sheet_.stakeDown(index)) showRow(index);
    showTotal();
}

void Frm_Separate::Cmd_Add_Click() {
    const EntryCheck check = sheet_.checkEntries();
    switch (check.problem) {
        case EntryProblem::BudgetNotNumber:
            ShowMessage(this, MsgNotNumber);
            budget_->setFocus();
            return;
        case EntryProblem::BudgetMissing:
            ShowMessage(this, MsgNoBudget);
            budget_->setFocus();
            return;
        case EntryProblem::NoBets:
            ShowMessage(this, MsgNoBets);
            firstNumbers_[0]->setFocus();
            return;
        case EntryProblem::OddsMissing:
            ShowMessage(this, MsgNoOdds);
            odds_[check.row]->setFocus();
            return;
        case EntryProblem::None:
            break;
    }
    BetSlip slip = sheet_.slip(selection_.race(), selection_.betType());
    // The race's day: of the odds read here, else the day the race is shown on.
    slip.race.date = oddsDay_.isValid() ? oddsDay_ : ShownRaceDay(state_, slip.race);
    emit betsAccepted(slip);
    accept();
}

void Frm_Separate::pickFromOdds() {
    if (ShowFailure(this, LoadDistributionOdds(state_, selection_.race(), selection_.betType())))
        return;
    const bool quinella = selection_.betType() == BetType::Quinella;
    oddsDay_ = RecordDate(quinella ? state_.UoData.RaceDate() : state_.ZoData.RaceDate());
    // A picker hands back row by row: the odds, then the two numbers, each an
    // ordinary change of its box, so the odds check and Recalculate run.
    const PickSink sink = [this](int row, const QString& odds, const QString& first,
                                 const QString& second) {
        odds_[row]->setText(odds);
        firstNumbers_[row]->setText(first);
        secondNumbers_[row]->setText(second);
    };
    emit oddsPickerWanted(selection_, sink);
}

void Frm_Separate::Txt_Target_Change() {
    acceptEntry(target_);
}

void Frm_Separate::Cmd_Target_Click() {
    const DistributionSheet::WorkedBack worked = sheet_.workBack(target_->text());
    switch (worked.problem) {
        case TargetProblem::TargetNotNumber:
            return refuse(target_, MsgNotNumber);
        case TargetProblem::TargetNotPositive:
            return refuse(target_, MsgNotPositive);
        case TargetProblem::TooLarge:
            return refuse(target_, MsgTargetTooLarge);
        case TargetProblem::NoBets:
            return refuse(firstNumbers_[0], MsgNoBets);
        case TargetProblem::OddsMissing:
            return refuse(odds_[worked.row], MsgNoOdds);
        case TargetProblem::None:
            break;
    }
    {
        // The sum stands as the budget without being spread again, so that
        // the payout colours compare every payout with it.
        const QSignalBlocker noRecalculation(budget_);
        budget_->setText(StakeText(sheet_.total()));
    }
    for (int i = 0; i < Rows; ++i) showRow(i);
    showTotal();
}

void Frm_Separate::Cmd_Cancel_Click() {
    reject();
}
