#include "odds/Frm_Odds.h"

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
constexpr int NumberWidth = 300;  // Label2, the second horse
constexpr int CellWidth = 780;    // Lbl_Uma
constexpr int ColumnPitch = 1170;
constexpr int RowPitch = 270;
constexpr int RowHeight = 255;  // a thin gap between rows keeps the cells apart
constexpr int LowerGap = 90;    // between the upper and the lower block of a column
constexpr int GridWidth = QuinellaColumns * ColumnPitch - (ColumnPitch - NumberWidth - CellWidth);
constexpr int GridTop = Margin + RaceHeadingHeight + 120;
constexpr int GridRows = QuinellaHorses + 1;  // 17 cells and two headers in a column
constexpr int BottomTop = GridTop + GridRows * RowPitch + LowerGap + 120;
constexpr int ButtonWidth = 1125;
constexpr int ButtonHeight = 375;

const QColor HeaderColour{255, 255, 128};
const QColor NumberColour{255, 255, 192};

int rowTop(int row, bool lower) {
    return GridTop + row * RowPitch + (lower ? LowerGap : 0);
}

}  // namespace

Frm_Odds::Frm_Odds(const AppState& state, const RaceSelection& selection, PickSink sink,
                   QWidget* parent, PickSummary summary)
    : QDialog(parent), sink_(std::move(sink)), summary_(std::move(summary)) {
    setObjectName(QStringLiteral("Frm_Odds"));
    setWindowTitle(QStringLiteral("馬連"));
    setFont(UiFont(9));

    heading_ = MakeRaceHeading(this, Margin, Margin, GridWidth);

    for (int a = 1; a <= QuinellaBlockCount; ++a) {
        const BlockPlace place = QuinellaBlockPlace(a);
        const int left = Margin + place.column * ColumnPitch;
        QLabel* header = PlainLabel(
            this, ElementName("Label1", a - 1),
            TwRect(left, rowTop(place.headerRow, place.lower), NumberWidth + CellWidth, RowHeight),
            Qt::AlignHCenter);
        header->setText(QString::number(a));
        header->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetBackground(header, HeaderColour);
        Label1[a - 1] = header;

        for (int b = a + 1; b <= QuinellaHorses; ++b) {
            const int i = QuinellaCell(a, b);
            const int top = rowTop(place.headerRow + b - a, place.lower);
            QLabel* number =
                PlainLabel(this, ElementName("Label2", i),
                           TwRect(left, top, NumberWidth, RowHeight), Qt::AlignHCenter);
            number->setText(QString::number(b));
            SetBackground(number, NumberColour);
            Label2[i] = number;

            auto* cell = new ClickLabel(this);
            cell->setObjectName(ElementName("Lbl_Uma", i));
            cell->setGeometry(TwRect(left + NumberWidth, top, CellWidth, RowHeight));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setTextFormat(Qt::PlainText);
            cell->setIndent(Tw(45));
            SetBackground(cell, Colours::White);
            connect(cell, &ClickLabel::clicked, this, [this, i] { Lbl_Uma_Click(i); });
            Lbl_Uma[i] = cell;
        }
    }

    Label5 = PlainLabel(this, QStringLiteral("Label5"),
                        TwRect(Margin, BottomTop, 4500, ButtonHeight), Qt::AlignLeft);
    ShowPicks();
    const int right = Margin + GridWidth;
    Cmd_OK =
        PlainButton(this, QStringLiteral("Cmd_OK"), QStringLiteral("OK"),
                    TwRect(right - 2 * ButtonWidth - 120, BottomTop, ButtonWidth, ButtonHeight));
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                             TwRect(right - ButtonWidth, BottomTop, ButtonWidth, ButtonHeight));
    connect(Cmd_OK, &QPushButton::clicked, this, &Frm_Odds::Cmd_OK_Click);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &Frm_Odds::Cmd_Cancel_Click);
    EscapePresses(this, Cmd_Cancel);

    setFixedSize(TwSize(GridWidth + 2 * Margin, BottomTop + ButtonHeight + Margin));
    Form_Load(state, selection);
}

void Frm_Odds::Form_Load(const AppState& state, const RaceSelection& selection) {
    const UoRecord& uo = state.UoData;
    const int n = ShownRunners(uo.Runners());
    FillRaceHeading(heading_, uo.RaceDate(), selection, uo.RaceTitle());

    for (int a = 1; a < n; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            const QString caption =
                QuinellaCaption(uo.Quinella(QuinellaEntryIndex(a, b, n)).QuinellaOdds);
            ClickLabel* cell = Lbl_Uma[QuinellaCell(a, b)];
            cell->setText(caption);
            SetShade(cell, OddsShade(caption, false));
        }
    }
    // Pairs with a horse beyond the runners, and the blocks of first horses
    // from n on, do not exist in this race.
    for (int i = 0; i < QuinellaCellCount; ++i) {
        if (QuinellaPair(i).second > n) {
            Lbl_Uma[i]->hide();
            Label2[i]->hide();
        }
    }
    for (int a = std::max(n, 1); a <= QuinellaBlockCount; ++a) Label1[a - 1]->hide();
}

void Frm_Odds::Lbl_Uma_Click(int index) {
    const Toggle result = ToggleSelection(Sel_Flag, index, IsNumeric(Lbl_Uma[index]->text()));
    if (result == Toggle::Ignored) return;
    if (result == Toggle::Refused) ShowMessage(this, QString::fromUtf16(MsgTooManyPicks));
    RepaintCells();
    ShowPicks();
}

void Frm_Odds::RepaintCells() {
    for (int i = 0; i < QuinellaCellCount; ++i) {
        SetShade(Lbl_Uma[i], OddsShade(Lbl_Uma[i]->text(), Sel_Flag[i]));
    }
}

void Frm_Odds::ShowPicks() {
    ::ShowPicks(Label5, Lbl_Uma, Sel_Flag, summary_);
}

void Frm_Odds::Cmd_OK_Click() {
    int row = 0;
    for (int i = 0; i < QuinellaCellCount; ++i) {
        if (!Sel_Flag[i]) continue;
        const Pair pair = QuinellaPair(i);
        if (sink_) {
            sink_(row, Lbl_Uma[i]->text(), QString::number(pair.first),
                  QString::number(pair.second));
        }
        ++row;
    }
    accept();
}

void Frm_Odds::Cmd_Cancel_Click() {
    reject();
}
