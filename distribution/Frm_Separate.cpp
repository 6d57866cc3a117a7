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

#include "common/Clock.h"
#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/NumberText.h"
#include "common/RaceDate.h"
#include "common/Twips.h"
#include "distribution/Distribution.h"
#include "distribution/EntryControls.h"
#include "odds/Frm_Odds.h"
#include "odds/Frm_Odds2.h"
#include "odds/Frm_Odds3.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "trend/OddsWatcher.h"
#include "trend/TrendTable.h"

namespace {

// Key codes of the row boxes' key handling.
constexpr qint16 KeyReturn = 13;
constexpr qint16 KeyUp = 38;
constexpr qint16 KeyDown = 40;

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
    Lbl_Update =
        PlainLabel(this, QStringLiteral("Lbl_Update"), TwRect(120, boxTop, 2400, BoxHeight),
                   Qt::AlignRight | Qt::AlignVCenter);
    Cmd_Update = PlainButton(this, QStringLiteral("Cmd_Update"), QStringLiteral("最新オッズ"),
                             TwRect(2640, UpdateTop, 1215, ButtonHeight));
    Cmd_Update->setToolTip(QStringLiteral("組番が最新のオッズにある行に、そのオッズを入れます"));
    Cmd_Update->setEnabled(false);
    QWidget::setTabOrder(Cmd_Target, Cmd_Update);
    connect(Cmd_Update, &QPushButton::clicked, this, &Frm_Separate::Cmd_Update_Click);

    const std::optional<int> type = selection_.typeCode();
    if (type == int(BetType::Quinella)) followed_ = BetType::Quinella;
    if (type == int(BetType::BracketQuinella)) followed_ = BetType::BracketQuinella;
    Lbl_Update->setVisible(followed_.has_value());
    Cmd_Update->setVisible(followed_.has_value());
    if (!followed_) return;
    // The race on the day in force, whose odds the rows were read from; while
    // no file tells the day, the history's latest of the race.
    const Race race = selection_.race();
    race_ = {DateKeyOf(ShownRaceDay(state_, race)), race.course, race.number};
    OddsHistory* history = OpenedOddsHistory();
    if (race_.date == 0 && !state_.Day.isValid() && history)
        race_.date = history->latestDate(race.course, race.number);
    oddsAsOf_ = Now();
    connect(&OddsWatcher::instance(), &OddsWatcher::snapshotsAdded, this,
            &Frm_Separate::snapshotsAdded);
    // Odds read or typed into a row are as of now: a download written before
    // is no longer newer (no query on every keystroke).
    for (int i = 0; i < Rows; ++i) {
        connect(Txt_Odds[i], &QLineEdit::textChanged, this, [this] {
            if (updating_) return;
            oddsAsOf_ = Now();
            if (!newer_ || newer_->modified > oddsAsOf_) return;
            newer_.reset();
            Lbl_Update->clear();
            Cmd_Update->setEnabled(false);
        });
    }
}

void Frm_Separate::snapshotsAdded(const QList<TrendRace>& races) {
    // A download of another day of the race (last week's file rewritten) is not this one's.
    for (const TrendRace& race : races) {
        if (ConcernsShownRace(race_, race, state_.Day.isValid())) race_ = race;
    }
    showUpdate();
}

void Frm_Separate::showUpdate() {
    newer_.reset();
    OddsHistory* history = OpenedOddsHistory();
    if (followed_ && race_.valid() && history)
        newer_ = history->latest(race_, FileOf(*followed_), oddsAsOf_);
    Lbl_Update->setText(newer_
                            ? QStringLiteral("オッズ更新 ") +
                                  newer_->modified.toLocalTime().toString(QStringLiteral("HH:mm"))
                            : QString());
    Cmd_Update->setEnabled(newer_.has_value());
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
        if (found != odds.constEnd()) Txt_Odds[i]->setText(*found);
    }
    updating_ = false;
    oddsAsOf_ = latest.modified;
    showUpdate();
}

void Frm_Separate::buildControls() {
    const QFont titleFont = UiFont(11, true);
    Lbl_Place =
        PlainLabel(this, QStringLiteral("Lbl_Place"), TwRect(120, 120, 1200, 360), Qt::AlignCenter);
    Lbl_Type =
        PlainLabel(this, QStringLiteral("Lbl_Type"), TwRect(1440, 120, 1560, 360), Qt::AlignCenter);
    Lbl_Race = PlainLabel(this, QStringLiteral("Lbl_Race"), TwRect(3120, 120, 600, 360),
                          Qt::AlignRight | Qt::AlignVCenter);
    Label1 = PlainLabel(this, QStringLiteral("Label1"), TwRect(3720, 120, 300, 360), Qt::AlignLeft,
                        QStringLiteral("R"));
    for (QLabel* label : {Lbl_Place, Lbl_Type, Lbl_Race, Label1}) label->setFont(titleFont);

    Label3 = PlainLabel(this, QStringLiteral("Label3"), TwRect(120, 660, 600, BoxHeight),
                        Qt::AlignLeft, QStringLiteral("予算"));
    auto* budget = new EntryBox(this);
    Txt_Total_Pay = budget;
    Txt_Total_Pay->setObjectName(QStringLiteral("Txt_Total_Pay"));
    Txt_Total_Pay->setGeometry(TwRect(720, 660, 1320, BoxHeight));
    Txt_Total_Pay->setMaxLength(BudgetLength);
    Txt_Total_Pay->setToolTip(QStringLiteral("購入予算を入力してください"));
    Label7 = PlainLabel(this, QStringLiteral("Label7"), TwRect(2100, 660, 300, BoxHeight),
                        Qt::AlignLeft, QStringLiteral("円"));
    Command1 =
        PlainButton(this, QStringLiteral("Command1"), QString(), TwRect(4410, 600, 870, 495));
    Command1->setIcon(QIcon(oddsPicture()));
    Command1->setIconSize(QSize(52, 29));
    Command1->setToolTip(QStringLiteral("取得されているオッズを表示します"));

    Label10 = PlainLabel(this, QStringLiteral("Label10"), TwRect(120, 1200, 1080, 240),
                         Qt::AlignCenter, QStringLiteral("買い目"));
    Label4 = PlainLabel(this, QStringLiteral("Label4"), TwRect(1320, 1200, 900, 240),
                        Qt::AlignCenter, QStringLiteral("オッズ"));
    Label6 = PlainLabel(this, QStringLiteral("Label6"), TwRect(2340, 1200, 1080, 240),
                        Qt::AlignCenter, QStringLiteral("金額"));
    Label9 = PlainLabel(this, QStringLiteral("Label9"), TwRect(3780, 1200, 1500, 240),
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
        Txt_Buy1[i] = entry("Txt_Buy1", 120, 435, 2);
        Label2[i] = new QLabel(QStringLiteral("-"), this);
        Label2[i]->setObjectName(ElementName("Label2", i));
        Label2[i]->setGeometry(TwRect(555, top, 210, BoxHeight));
        Label2[i]->setAlignment(Qt::AlignCenter);
        Txt_Buy2[i] = entry("Txt_Buy2", 765, 435, 2);
        Txt_Odds[i] = entry("Txt_Odds", 1320, 900, 6);

        Lbl_Pay[i] = new QLabel(this);
        MakeResultBox(Lbl_Pay[i], ElementName("Lbl_Pay", i), TwRect(2340, top, 1080, BoxHeight));
        Upd_Pay[i] = new UpDown(this);
        Upd_Pay[i]->setObjectName(ElementName("Upd_Pay", i));
        Upd_Pay[i]->setGeometry(TwRect(3435, top, 255, BoxHeight));
        Lbl_Income[i] = new QLabel(this);
        MakeResultBox(Lbl_Income[i], ElementName("Lbl_Income", i),
                      TwRect(3780, top, 1500, BoxHeight));

        connect(Txt_Buy1[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { sheet_.setFirst(i, text); });
        connect(Txt_Buy2[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { sheet_.setSecond(i, text); });
        connect(Txt_Odds[i], &QLineEdit::textChanged, this, [this, i] { Txt_Odds_Change(i); });
        connect(Upd_Pay[i], &UpDown::upClicked, this, [this, i] { Upd_Pay_UpClick(i); });
        connect(Upd_Pay[i], &UpDown::downClicked, this, [this, i] { Upd_Pay_DownClick(i); });
    }

    Label5 = PlainLabel(this, QStringLiteral("Label5"), TwRect(1620, 4770, 600, BoxHeight),
                        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("合計"));
    Lbl_Real_Pay = new QLabel(this);
    MakeResultBox(Lbl_Real_Pay, QStringLiteral("Lbl_Real_Pay"),
                  TwRect(2340, 4770, 1080, BoxHeight));
    Label8 = PlainLabel(this, QStringLiteral("Label8"), TwRect(3480, 4770, 300, BoxHeight),
                        Qt::AlignLeft, QStringLiteral("円"));

    Cmd_Add = PlainButton(this, QStringLiteral("Cmd_Add"), QStringLiteral("OK"),
                          TwRect(2640, 5250, 1215, 375));
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                             TwRect(4065, 5250, 1215, 375));

    buildSpreadLines();

    connect(Txt_Total_Pay, &QLineEdit::textChanged, this, &Frm_Separate::Txt_Total_Pay_Change);
    connect(Cmd_Add, &QPushButton::clicked, this, &Frm_Separate::Cmd_Add_Click);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &Frm_Separate::Cmd_Cancel_Click);
    EscapePresses(this, Cmd_Cancel);
    connect(Command1, &QPushButton::clicked, this, &Frm_Separate::Command1_Click);

    // Budget, the rows box by box, the buttons, then the up-down controls.
    QWidget* previous = Txt_Total_Pay;
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 0; i < Rows; ++i) {
        chain(Txt_Buy1[i]);
        chain(Txt_Buy2[i]);
        chain(Txt_Odds[i]);
    }
    chain(Cmd_Add);
    chain(Cmd_Cancel);
    chain(Command1);
    for (UpDown* upDown : Upd_Pay) chain(upDown);
    chain(Txt_Target);
    chain(Cmd_Target);
    Txt_Total_Pay->setFocus();
}

void Frm_Separate::buildSpreadLines() {
    const int second = SpreadTop + RowStep;
    Label11 = PlainLabel(this, QStringLiteral("Label11"), TwRect(120, SpreadTop, 1080, BoxHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("合成オッズ"));
    Lbl_Synth = new QLabel(this);
    MakeResultBox(Lbl_Synth, QStringLiteral("Lbl_Synth"), TwRect(1320, SpreadTop, 900, BoxHeight));
    Label12 = PlainLabel(this, QStringLiteral("Label12"), TwRect(2340, SpreadTop, 600, BoxHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("払戻"));
    Lbl_Return_Range = new QLabel(this);
    MakeResultBox(Lbl_Return_Range, QStringLiteral("Lbl_Return_Range"),
                  TwRect(3000, SpreadTop, 2280, BoxHeight));
    Label13 = PlainLabel(this, QStringLiteral("Label13"), TwRect(2340, second, 600, BoxHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("収支"));
    Lbl_Profit_Range = new QLabel(this);
    MakeResultBox(Lbl_Profit_Range, QStringLiteral("Lbl_Profit_Range"),
                  TwRect(3000, second, 2280, BoxHeight));

    const int boxTop = TargetTop + (ButtonHeight - BoxHeight) / 2;
    Label14 = PlainLabel(this, QStringLiteral("Label14"), TwRect(120, boxTop, 1080, BoxHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("目標払戻"));
    Txt_Target = new EntryBox(this);
    Txt_Target->setObjectName(QStringLiteral("Txt_Target"));
    Txt_Target->setGeometry(TwRect(1320, boxTop, 900, BoxHeight));
    Txt_Target->setMaxLength(BudgetLength);
    Txt_Target->setToolTip(QStringLiteral("当たったときに受け取りたい払戻金を入力してください"));
    Label15 = PlainLabel(this, QStringLiteral("Label15"), TwRect(2280, boxTop, 300, BoxHeight),
                         Qt::AlignLeft, QStringLiteral("円"));
    Cmd_Target = PlainButton(this, QStringLiteral("Cmd_Target"), QStringLiteral("逆算"),
                             TwRect(2640, TargetTop, 1215, ButtonHeight));
    Cmd_Target->setToolTip(QStringLiteral("どれが当たっても目標払戻に届く金額を各行に入れます"));

    connect(Txt_Target, &QLineEdit::textChanged, this, &Frm_Separate::Txt_Target_Change);
    connect(Cmd_Target, &QPushButton::clicked, this, &Frm_Separate::Cmd_Target_Click);
}

void Frm_Separate::Form_Load() {
    const bool oneNumber = selection_.typeCode() == int(BetType::WinPlace);
    for (int i = 0; i < Rows; ++i) {
        Txt_Buy2[i]->setHidden(oneNumber);
        Label2[i]->setHidden(oneNumber);
    }
    Lbl_Place->setText(selection_.placeText());
    Lbl_Type->setText(selection_.typeText());
    const std::optional<int> race = selection_.raceNo();
    Lbl_Race->setText(race ? QString::number(*race) : QString());
}

bool Frm_Separate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        qint16 code = 0;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) code = KeyReturn;
        if (key == Qt::Key_Up) code = KeyUp;
        if (key == Qt::Key_Down) code = KeyDown;
        for (int i = 0; code != 0 && i < Rows; ++i) {
            if (watched == Txt_Buy1[i]) Move_Buy1(i, code);
            if (watched == Txt_Buy2[i]) Move_Buy2(i, code);
            if (watched == Txt_Odds[i]) Move_Odds(i, code);
        }
    }
    return QDialog::eventFilter(watched, event);  // the box still gets the key
}

void Frm_Separate::Move_Buy1(qint16 index, qint16 keyCode) {
    if (index < 0 || index >= Rows) return;
    if (keyCode == KeyUp && index > 0) Txt_Buy1[index - 1]->setFocus();
    if (keyCode == KeyDown && index < Rows - 1) Txt_Buy1[index + 1]->setFocus();
    if (keyCode == KeyReturn) {
        // With one number per bet the second box is hidden: go on to the odds.
        if (Txt_Buy2[index]->isHidden()) {
            Txt_Odds[index]->setFocus();
        } else {
            Txt_Buy2[index]->setFocus();
        }
    }
}

void Frm_Separate::Move_Buy2(qint16 index, qint16 keyCode) {
    if (index < 0 || index >= Rows) return;
    if (keyCode == KeyUp && index > 0) Txt_Buy2[index - 1]->setFocus();
    if (keyCode == KeyDown && index < Rows - 1) Txt_Buy2[index + 1]->setFocus();
    if (keyCode == KeyReturn) Txt_Odds[index]->setFocus();
}

void Frm_Separate::Move_Odds(qint16 index, qint16 keyCode) {
    if (index < 0 || index >= Rows) return;
    if (keyCode == KeyUp && index > 0) Txt_Odds[index - 1]->setFocus();
    if (keyCode == KeyDown && index < Rows - 1) Txt_Odds[index + 1]->setFocus();
    if (keyCode == KeyReturn && index < Rows - 1) Txt_Buy1[index + 1]->setFocus();
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
    sheet_.setBudget(Txt_Total_Pay->text());
    if (acceptEntry(Txt_Total_Pay)) Recalculate();
}

void Frm_Separate::Txt_Odds_Change(int index) {
    switch (sheet_.setOdds(index, Txt_Odds[index]->text())) {
        case OddsRefusal::NotNumber:
            return refuse(Txt_Odds[index], MsgNotNumber);
        case OddsRefusal::NotPositive:
            return refuse(Txt_Odds[index], MsgNotPositive);
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
    Lbl_Pay[index]->setText(StakeText(row.stake));
    Lbl_Income[index]->setText(PayoutText(row.payout));
    if (const std::optional<bool> shortOfBudget = sheet_.payoutShort(index)) {
        SetForeground(Lbl_Income[index], *shortOfBudget ? Colours::Red : Colours::Black);
    }
}

void Frm_Separate::showTotal() {
    Lbl_Real_Pay->setText(StakeText(sheet_.total()));
    const Spread spread = SpreadOf(sheet_);
    Lbl_Synth->setText(spread.composite);
    Lbl_Return_Range->setText(spread.returns);
    Lbl_Profit_Range->setText(spread.profit);
    SetForeground(Lbl_Profit_Range, spread.loss ? Colours::Red : Colours::Black);
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
            Txt_Total_Pay->setFocus();
            return;
        case EntryProblem::BudgetMissing:
            ShowMessage(this, MsgNoBudget);
            Txt_Total_Pay->setFocus();
            return;
        case EntryProblem::NoBets:
            ShowMessage(this, MsgNoBets);
            Txt_Buy1[0]->setFocus();
            return;
        case EntryProblem::OddsMissing:
            ShowMessage(this, MsgNoOdds);
            Txt_Odds[check.row]->setFocus();
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

void Frm_Separate::Command1_Click() {
    if (ShowFailure(this, LoadDistributionOdds(state_, selection_.race(), selection_.betType())))
        return;
    const bool quinella = selection_.betType() == BetType::Quinella;
    oddsDay_ = RecordDate(quinella ? state_.UoData.RaceDate() : state_.ZoData.RaceDate());
    // A picker hands back row by row: the odds, then the two numbers, each an
    // ordinary change of its box, so the odds check and Recalculate run.
    const PickSink sink = [this](int row, const QString& odds, const QString& first,
                                 const QString& second) {
        Txt_Odds[row]->setText(odds);
        Txt_Buy1[row]->setText(first);
        Txt_Buy2[row]->setText(second);
    };
    switch (selection_.betType()) {
        case BetType::Quinella: {
            Frm_Odds picker(state_, selection_, sink, this, PicksLine);
            RunModal(picker);
            break;
        }
        case BetType::BracketQuinella: {
            Frm_Odds2 picker(state_, selection_, sink, this, PicksLine);
            RunModal(picker);
            break;
        }
        default: {
            Frm_Odds3 picker(state_, selection_, this);
            RunModal(picker);
            break;
        }
    }
}

void Frm_Separate::Txt_Target_Change() {
    acceptEntry(Txt_Target);
}

void Frm_Separate::Cmd_Target_Click() {
    const DistributionSheet::WorkedBack worked = sheet_.workBack(Txt_Target->text());
    switch (worked.problem) {
        case TargetProblem::TargetNotNumber:
            return refuse(Txt_Target, MsgNotNumber);
        case TargetProblem::TargetNotPositive:
            return refuse(Txt_Target, MsgNotPositive);
        case TargetProblem::TooLarge:
            return refuse(Txt_Target, MsgTargetTooLarge);
        case TargetProblem::NoBets:
            return refuse(Txt_Buy1[0], MsgNoBets);
        case TargetProblem::OddsMissing:
            return refuse(Txt_Odds[worked.row], MsgNoOdds);
        case TargetProblem::None:
            break;
    }
    {
        // The sum stands as the budget without being spread again, so that
        // the payout colours compare every payout with it.
        const QSignalBlocker noRecalculation(Txt_Total_Pay);
        Txt_Total_Pay->setText(StakeText(sheet_.total()));
    }
    for (int i = 0; i < Rows; ++i) showRow(i);
    showTotal();
}

void Frm_Separate::Cmd_Cancel_Click() {
    reject();
}
