#include "odds/Frm_Odds2.h"

#include <QKeyEvent>
#include <QPushButton>

#include "common/Colours.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/NumberText.h"
#include "common/RaceSelection.h"
#include "common/Twips.h"
#include "odds/CellRules.h"
#include "odds/ClickLabel.h"
#include "odds/OddsCells.h"
#include "racedata/AppState.h"

namespace {

// Grid geometry in twips.
constexpr int Margin = 120;
constexpr int NumberWidth = 450;  // Label2, the second bracket
constexpr int CellWidth = 1050;   // Lbl_Odds
constexpr int ColumnPitch = 1620;
constexpr int RowPitch = 360;
constexpr int RowHeight = 345;
constexpr int LowerGap = 90;
constexpr int GridWidth = BracketColumns * ColumnPitch - (ColumnPitch - NumberWidth - CellWidth);
constexpr int GridTop = Margin + RaceHeadingHeight + 120;
constexpr int GridRows = Brackets + 3;  // 9 cells and two headers in a column
constexpr int BottomTop = GridTop + GridRows * RowPitch + LowerGap + 120;
constexpr int ButtonWidth = 1125;
constexpr int ButtonHeight = 375;

const QColor HeaderColour{128, 255, 128};
const QColor NumberColour{192, 255, 192};

int rowTop(int row, bool lower) {
    return GridTop + row * RowPitch + (lower ? LowerGap : 0);
}

}  // namespace

Frm_Odds2::Frm_Odds2(const AppState& state, const RaceSelection& selection, PickSink sink,
                     QWidget* parent, PickSummary summary)
    : QDialog(parent), sink_(std::move(sink)), summary_(std::move(summary)) {
    setObjectName(QStringLiteral("Frm_Odds2"));
    setWindowTitle(QStringLiteral("枠連"));
    setFont(UiFont(12));

    heading_ = MakeRaceHeading(this, Margin, Margin, GridWidth);

    for (int a = 1; a <= Brackets; ++a) {
        const BlockPlace place = BracketBlockPlace(a);
        const int left = Margin + place.column * ColumnPitch;
        QLabel* header = PlainLabel(
            this, ElementName("Label1", a - 1),
            TwRect(left, rowTop(place.headerRow, place.lower), NumberWidth + CellWidth, RowHeight),
            Qt::AlignHCenter);
        header->setText(QString::number(a));
        header->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetBackground(header, HeaderColour);
        Label1[a - 1] = header;

        for (int b = a; b <= Brackets; ++b) {
            const int t = BracketCell(a, b);
            const int top = rowTop(place.headerRow + 1 + b - a, place.lower);
            QLabel* number =
                PlainLabel(this, ElementName("Label2", t),
                           TwRect(left, top, NumberWidth, RowHeight), Qt::AlignHCenter);
            number->setText(QString::number(b));
            SetBackground(number, NumberColour);
            Label2[t] = number;

            auto* cell = new ClickLabel(this);
            cell->setObjectName(ElementName("Lbl_Odds", t));
            cell->setGeometry(TwRect(left + NumberWidth, top, CellWidth, RowHeight));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setTextFormat(Qt::PlainText);
            cell->setIndent(Tw(60));
            connect(cell, &ClickLabel::clicked, this, [this, t] { Lbl_Odds_Click(t); });
            Lbl_Odds[t] = cell;
        }
    }

    Label5 = PlainLabel(this, QStringLiteral("Label5"),
                        TwRect(Margin, BottomTop, 3300, ButtonHeight), Qt::AlignLeft);
    Label5->setFont(UiFont(9));
    ShowPicks();
    const int buttonsTop = BottomTop;
    const int right = Margin + GridWidth;
    Cmd_OK =
        PlainButton(this, QStringLiteral("Cmd_OK"), QStringLiteral("OK"),
                    TwRect(right - 2 * ButtonWidth - 120, buttonsTop, ButtonWidth, ButtonHeight));
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                             TwRect(right - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight));
    Cmd_OK->setFont(UiFont(9));
    Cmd_Cancel->setFont(UiFont(9));
    connect(Cmd_OK, &QPushButton::clicked, this, &Frm_Odds2::Cmd_OK_Click);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &Frm_Odds2::Cmd_Cancel_Click);
    EscapePresses(this, Cmd_Cancel);

    setFixedSize(TwSize(GridWidth + 2 * Margin, buttonsTop + ButtonHeight + Margin));
    Form_Load(state, selection);
}

void Frm_Odds2::Form_Load(const AppState& state, const RaceSelection& selection) {
    FillRaceHeading(heading_, HeadingDateField(state, selection), selection,
                    state.ZoData.RaceTitle());
    for (int t = 0; t < BracketCellCount; ++t) {
        const QString odds = state.ZoData.Bracket(t).BracketOdds;
        Lbl_Odds[t]->setText(odds);
        SetShade(Lbl_Odds[t], OddsShade(odds, false));
    }
}

void Frm_Odds2::Lbl_Odds_Click(int index) {
    const Toggle result = ToggleSelection(Sel_Flag, index, IsNumeric(Lbl_Odds[index]->text()));
    if (result == Toggle::Ignored) return;
    if (result == Toggle::Refused) ShowMessage(this, QString::fromUtf16(MsgTooManyPicks));
    RepaintCells();
    ShowPicks();
}

void Frm_Odds2::RepaintCells() {
    for (int t = 0; t < BracketCellCount; ++t) {
        SetShade(Lbl_Odds[t], OddsShade(Lbl_Odds[t]->text(), Sel_Flag[t]));
    }
}

void Frm_Odds2::ShowPicks() {
    ::ShowPicks(Label5, Lbl_Odds, Sel_Flag, summary_);
}

void Frm_Odds2::Cmd_OK_Click() {
    int row = 0;
    for (int t = 0; t < BracketCellCount; ++t) {
        if (!Sel_Flag[t]) continue;
        const Pair pair = BracketPair(t);
        if (sink_) {
            sink_(row, Lbl_Odds[t]->text(), QString::number(pair.first),
                  QString::number(pair.second));
        }
        ++row;
    }
    accept();
}

void Frm_Odds2::Cmd_Cancel_Click() {
    reject();
}
