#include "recommend/Frm_Special.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <cmath>
#include <optional>

#include "common/Colours.h"
#include "common/Fonts.h"
#include "common/NumberText.h"
#include "common/RaceDate.h"
#include "common/Twips.h"
#include "common/WindowActivation.h"
#include "racedata/AppState.h"
#include "common/Brackets.h"

namespace {

// The width is free as long as disclaimer_ (ending at 4920 twips) fits.
constexpr int ClientWidthTwips = 5040;

const QColor FirstColour{255, 0, 0};
const QColor SecondColour{255, 128, 128};
const QColor ThirdColour{255, 255, 192};

// The window's three fonts, made once: every window shares them.
const QFont& fontOf(double pointSize) {
    static const QFont small = UiFont(8), normal = UiFont(9), large = UiFont(11);
    return pointSize < 9 ? small : pointSize > 9 ? large : normal;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, double pointSize,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(fontOf(pointSize));
    label->setAlignment(alignment);
    return label;
}

// The rows' names and numbers, made once.
struct RowTexts {
    std::array<QString, MarkRowCount> no, mark, number;
    RowTexts() {
        for (int i = 0; i < MarkRowCount; ++i) {
            no[i] = QStringLiteral("Lbl_No(%1)").arg(i);
            mark[i] = QStringLiteral("Lbl_Mark(%1)").arg(i);
            number[i] = QString::number(i + 1);
        }
    }
};
const RowTexts& rowTexts() {
    static const RowTexts texts;
    return texts;
}

// A finishing position's horse number; nullopt when the field is blank or not a
// whole number.
std::optional<int> finisherNo(const QString& field) {
    const auto value = NumericValue(field);
    if (!value || *value != std::floor(*value)) return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

Frm_Special::Frm_Special(AppState& state, const RaceSelection& selection, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      state_(state),
      selection_(selection) {
    setObjectName(QStringLiteral("Frm_Special"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("おすすめ"));
    setFont(fontOf(9));

    raceTitle_ = makeLabel(this, QStringLiteral("Label3"), TwRect(135, 0, 4725, 255), 9);
    raceTitle_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    raceDate_ = makeLabel(this, QStringLiteral("Lbl_Date"), TwRect(90, 360, 1680, 240), 9);
    racecourse_ = makeLabel(this, QStringLiteral("Lbl_Place"), TwRect(90, 720, 645, 285), 11);
    raceNumber_ = makeLabel(this, QStringLiteral("Lbl_Race"), TwRect(855, 720, 510, 285), 11,
                            Qt::AlignRight | Qt::AlignVCenter);
    raceNumberSuffix_ = makeLabel(this, QStringLiteral("Label4"), TwRect(1350, 720, 375, 285), 11);
    raceNumberSuffix_->setText(QStringLiteral("R"));
    disclaimer_ = makeLabel(this, QStringLiteral("Label1"), TwRect(3330, 765, 1590, 960), 8,
                            Qt::AlignLeft | Qt::AlignTop);
    disclaimer_->setWordWrap(true);
    disclaimer_->setText(
        QStringLiteral("※オッズを元に出されたお奨め馬です。　馬券購入は自己責任でお願いします。"));

    const QString tip = QStringLiteral("Ｓ：かなりの信頼度のある馬");
    const RowTexts& rows = rowTexts();
    for (int i = 0; i < MarkRowCount; ++i) {
        horseNumbers_[i] =
            makeLabel(this, rows.no[i], TwRect(2205, 360 + 270 * i, 330, 240), 9, Qt::AlignCenter);
        horseNumbers_[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        horseNumbers_[i]->setText(rows.number[i]);
        marks_[i] = makeLabel(this, rows.mark[i], TwRect(2610, 360 + 270 * i, 510, 240), 9,
                              Qt::AlignCenter);
        marks_[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        marks_[i]->setToolTip(tip);
    }

    Form_Load();
}

void Frm_Special::Form_Load() {
    const auto horses = HorseEntries(state_.ZoData);

    const auto marks = RankMarks(horses);
    for (int i = 0; i < MarkRowCount; ++i) marks_[i]->setText(marks[i]);

    runners_ = state_.ZoData.RunnerCount();
    fitHeight();

    // Each number's colours go in one palette: setting a palette is the
    // dearest step of a row. A bracket's palette is made once and shared by
    // its horses, as is the plain one.
    std::array<std::optional<QPalette>, MaxBracket + 1> palettes;  // by bracket, 0 for none
    for (int i = 0; i < MarkRowCount; ++i) {
        const int bracket = BracketOf(i + 1, runners_);
        std::optional<QPalette>& palette = palettes[size_t(bracket)];
        if (!palette) {
            palette = horseNumbers_[i]->palette();
            palette->setColor(QPalette::WindowText, Colours::Black);
            if (bracket != 0) {
                palette->setColor(QPalette::Window, BracketColour(bracket));
                palette->setColor(QPalette::WindowText, BracketText(bracket));
            }
        }
        if (bracket != 0) horseNumbers_[i]->setAutoFillBackground(true);
        horseNumbers_[i]->setPalette(*palette);
    }
    for (int i = runners_; i < MarkRowCount; ++i) {
        horseNumbers_[i]->hide();
        marks_[i]->hide();
    }

    raceDate_->setText(RaceDateDisplay(state_.ZoData.RaceDate()));
    shown_ = selection_.race();
    shown_.date = RecordDate(state_.ZoData.RaceDate());
    racecourse_->setText(selection_.placeText());
    raceNumber_->setText(shown_.number > 0 ? QString::number(shown_.number) : QString());
    raceTitle_->setText(state_.ZoData.RaceTitle());

    if (!state_.KsData.HasResult()) return;
    std::array<std::optional<int>, 3> top;
    for (int finisher = 0; finisher < 3; ++finisher) {
        top[finisher] = finisherNo(state_.KsData.Place(finisher).HorseNo);
    }
    // The marks share four palettes, each made once.
    const auto shade = [this](const QColor& colour) {
        QPalette palette = marks_[0]->palette();
        palette.setColor(QPalette::Window, colour);
        return palette;
    };
    const QPalette first = shade(FirstColour), second = shade(SecondColour),
                   third = shade(ThirdColour), other = shade(Colours::White);
    for (int i = 0; i < MarkRowCount; ++i) {
        const int horse = i + 1;
        marks_[i]->setPalette(horse == top[0]   ? first
                              : horse == top[1] ? second
                              : horse == top[2] ? third
                                                : other);
        marks_[i]->setAutoFillBackground(true);
    }
}

// The outer height is fixed by the runner count; the client area is what is
// left after the frame. The frame is known only once the window system has
// framed the window (none at all offscreen), so this runs again on showing,
// moving and activation.
void Frm_Special::fitHeight() {
    const int frame = frameGeometry().height() - geometry().height();
    const QSize size(Tw(ClientWidthTwips), Tw(OuterHeightTwips(runners_)) - frame);
    if (size != minimumSize() || size != maximumSize()) setFixedSize(size);
}

bool Frm_Special::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
            fitHeight();
            break;
        case QEvent::WindowActivate:
            fitHeight();
            if (ActivatedFromOwnWindow(this)) Form_Activate();
            break;
        default:
            break;
    }
    return handled;
}

void Frm_Special::Form_Activate() {
    Race selected = selection_.race();
    selected.date = shown_.date;
    if (selected == shown_) return;
    Reopen();
}

void Frm_Special::Reopen() {
    auto* replacement = new Frm_Special(state_, selection_, parentWidget());
    replacement->move(pos());
    emit reopened(replacement);
    close();
    replacement->show();
    replacement->activateWindow();
}
