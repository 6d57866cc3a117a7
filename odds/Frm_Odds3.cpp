#include "odds/Frm_Odds3.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "common/Colours.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/RaceSelection.h"
#include "common/Twips.h"
#include "odds/OddsCells.h"
#include "racedata/AppState.h"
#include "racedata/FallMarks.h"

namespace {

// Geometry in twips: two columns of nine rows, each row reading horse number,
// win odds, place lower bound, "-", place upper bound.
constexpr int Margin = 120;
constexpr int NumberWidth = 450;
constexpr int OddsWidth = 900;
constexpr int DashWidth = 240;
constexpr int ColumnWidth = NumberWidth + 60 + OddsWidth + 120 + OddsWidth + DashWidth + OddsWidth;
constexpr int ColumnGap = 360;
constexpr int Width = 2 * ColumnWidth + ColumnGap;
constexpr int RowPitch = 360;
constexpr int RowHeight = 345;
constexpr int TableTop = Margin + RaceHeadingHeight + 120;
constexpr int ButtonTop = TableTop + 9 * RowPitch + 120;
constexpr int ButtonWidth = 1125;
constexpr int ButtonHeight = 375;

const QColor NumberColour{128, 255, 255};

}  // namespace

Frm_Odds3::Frm_Odds3(const AppState& state, const RaceSelection& selection, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_Odds3"));
    setWindowTitle(QStringLiteral("単・複"));
    setFont(UiFont(12));

    heading_ = MakeRaceHeading(this, Margin, Margin, Width);

    for (int h = 0; h < Rows; ++h) {
        int left = Margin + (h / 9) * (ColumnWidth + ColumnGap);
        const int top = TableTop + (h % 9) * RowPitch;
        auto place = [&](int width, int gapAfter) {
            const QRect rect = TwRect(left, top, width, RowHeight);
            left += width + gapAfter;
            return rect;
        };
        horseNumbers_[h] =
            PlainLabel(this, ElementName("Label1", h), place(NumberWidth, 60), Qt::AlignHCenter);
        horseNumbers_[h]->setText(QString::number(h + 1));
        horseNumbers_[h]->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetBackground(horseNumbers_[h], NumberColour);
        Lbl_Odds_T[h] =
            PlainLabel(this, ElementName("Lbl_Odds_T", h), place(OddsWidth, 120), Qt::AlignRight);
        Lbl_Odds_F1[h] =
            PlainLabel(this, ElementName("Lbl_Odds_F1", h), place(OddsWidth, 0), Qt::AlignRight);
        dashes_[h] =
            PlainLabel(this, ElementName("Label2", h), place(DashWidth, 0), Qt::AlignHCenter);
        dashes_[h]->setText(QStringLiteral("-"));
        Lbl_Odds_F2[h] =
            PlainLabel(this, ElementName("Lbl_Odds_F2", h), place(OddsWidth, 0), Qt::AlignRight);
    }

    Cmd_Cancel =
        PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                    TwRect(Margin + Width - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight));
    Cmd_Cancel->setFont(UiFont(9));
    connect(Cmd_Cancel, &QPushButton::clicked, this, &Frm_Odds3::Cmd_Cancel_Click);
    EscapePresses(this, Cmd_Cancel);

    // Below everything the window had: the win odds' falls since the previous download.
    const int trendTop = ButtonTop + ButtonHeight + 60;
    Lbl_Trend = MakeTrendLine(this, TwRect(Margin, trendTop, Width, TrendLineHeight));

    setFixedSize(TwSize(Width + 2 * Margin, trendTop + TrendLineHeight + Margin));
    Form_Load(state, selection);
}

void Frm_Odds3::Form_Load(const AppState& state, const RaceSelection& selection) {
    FillRaceHeading(heading_, HeadingDateField(state, selection), selection,
                    state.ZoData.RaceTitle());
    for (int h = 0; h < Rows; ++h) {
        const HorseEntry horse = state.ZoData.Horse(h);
        Lbl_Odds_T[h]->setText(horse.WinOdds);
        Lbl_Odds_F1[h]->setText(horse.PlaceOddsLow);
        Lbl_Odds_F2[h]->setText(horse.PlaceOddsHigh);
    }
    // 単勝 falls in the line; 単勝 and 複勝 (by its lower bound) marked.
    const std::vector<FallMarks> marks = FallMarksOf(
        selection.race(), OddsFile::Zo, state.ZoData.raw(), {BetType::Win, BetType::Place});
    const FallMarks& win = marks[0];
    const FallMarks& place = marks[1];
    ShowTrendLine(Lbl_Trend, win.line);
    for (int h = 0; h < Rows; ++h) {
        const QString key = QString::number(h + 1);
        if (const auto fall = win.byKey.constFind(key); fall != win.byKey.constEnd())
            MarkFall(Lbl_Odds_T[h], FallTip(*fall));
        if (const auto fall = place.byKey.constFind(key); fall != place.byKey.constEnd())
            MarkFall(Lbl_Odds_F1[h], FallTip(*fall));
    }
}

void Frm_Odds3::Cmd_Cancel_Click() {
    reject();
}
