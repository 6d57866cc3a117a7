#include "odds/PairGrid.h"

#include <QPushButton>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/NumberText.h"
#include "common/Twips.h"
#include "odds/CellRules.h"
#include "odds/ClickLabel.h"
#include "odds/OddsCells.h"

namespace {

constexpr int Margin = 120;
constexpr int LowerGap = 90;  // between the upper and the lower block of a column
constexpr int GridTop = Margin + RaceHeadingHeight + 120;
constexpr int ButtonWidth = 1125;
constexpr int ButtonHeight = 375;

}  // namespace

PairGrid::PairGrid(const PairGridShape& shape, PickSink sink, PickSummary summary, QWidget* parent)
    : QDialog(parent),
      shape_(shape),
      sink_(std::move(sink)),
      summary_(std::move(summary)),
      picked_(shape.numbering.cellCount, false),
      cells_(size_t(shape.numbering.cellCount)),
      cellNumbers_(size_t(shape.numbering.cellCount)),
      blockHeaders_(size_t(shape.numbering.blockCount())) {
    setObjectName(QLatin1String(shape.name));
    setWindowTitle(QString::fromUtf16(shape.caption));
    setFont(UiFont(shape.fontPoints));

    const GridNumbering& numbering = shape.numbering;
    // Every column holds two blocks' headers and the same number of cells.
    const int gridRows = 2 + numbering.cellCount / numbering.columns;
    const int gridWidth = numbering.columns * shape.columnPitch -
                          (shape.columnPitch - shape.numberWidth - shape.cellWidth);
    const int bottomTop = GridTop + gridRows * shape.rowPitch + LowerGap + 120;
    const auto rowTop = [&](int row, bool lower) {
        return GridTop + row * shape.rowPitch + (lower ? LowerGap : 0);
    };

    heading_ = MakeRaceHeading(this, Margin, Margin, gridWidth);

    for (int a = 1; a <= numbering.blockCount(); ++a) {
        const BlockPlace place = numbering.blockPlace(a);
        const int left = Margin + place.column * shape.columnPitch;
        QLabel* header = PlainLabel(this, ElementName("Label1", a - 1),
                                    TwRect(left, rowTop(place.headerRow, place.lower),
                                           shape.numberWidth + shape.cellWidth, shape.rowHeight),
                                    Qt::AlignHCenter);
        header->setText(QString::number(a));
        header->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetBackground(header, QColor(shape.headerColour));
        blockHeaders_[size_t(a - 1)] = header;

        const int first = numbering.firstPartner(a);
        for (int b = first; b <= numbering.highest; ++b) {
            const int i = numbering.cell(a, b);
            const int top = rowTop(place.headerRow + 1 + b - first, place.lower);
            QLabel* number =
                PlainLabel(this, ElementName("Label2", i),
                           TwRect(left, top, shape.numberWidth, shape.rowHeight), Qt::AlignHCenter);
            number->setText(QString::number(b));
            SetBackground(number, QColor(shape.numberColour));
            cellNumbers_[size_t(i)] = number;

            auto* cell = new ClickLabel(this);
            cell->setObjectName(ElementName(shape.cellName, i));
            cell->setGeometry(
                TwRect(left + shape.numberWidth, top, shape.cellWidth, shape.rowHeight));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setTextFormat(Qt::PlainText);
            cell->setIndent(Tw(shape.cellIndent));
            SetBackground(cell, Colours::White);
            connect(cell, &ClickLabel::clicked, this, [this, i] { Cell_Click(i); });
            cells_[size_t(i)] = cell;
        }
    }

    pickLine_ =
        PlainLabel(this, QStringLiteral("Label5"),
                   TwRect(Margin, bottomTop, shape.pickLineWidth, ButtonHeight), Qt::AlignLeft);
    pickLine_->setFont(UiFont(9));
    ShowPicks();
    const int right = Margin + gridWidth;
    Cmd_OK =
        PlainButton(this, QStringLiteral("Cmd_OK"), QStringLiteral("OK"),
                    TwRect(right - 2 * ButtonWidth - 120, bottomTop, ButtonWidth, ButtonHeight));
    Cmd_Cancel = PlainButton(this, QStringLiteral("Cmd_Cancel"), QStringLiteral("Cancel"),
                             TwRect(right - ButtonWidth, bottomTop, ButtonWidth, ButtonHeight));
    Cmd_OK->setFont(UiFont(9));
    Cmd_Cancel->setFont(UiFont(9));
    connect(Cmd_OK, &QPushButton::clicked, this, &PairGrid::Cmd_OK_Click);
    connect(Cmd_Cancel, &QPushButton::clicked, this, &PairGrid::Cmd_Cancel_Click);
    EscapePresses(this, Cmd_Cancel);

    // Below everything the window had: the falls since the previous download.
    const int trendTop = bottomTop + ButtonHeight + 60;
    Lbl_Trend = MakeTrendLine(this, TwRect(Margin, trendTop, gridWidth, TrendLineHeight));

    setFixedSize(TwSize(gridWidth + 2 * Margin, trendTop + TrendLineHeight + Margin));
}

void PairGrid::ShowOdds(int index, const QString& caption) {
    ClickLabel* cell = cells_[size_t(index)];
    cell->setText(caption);
    SetShade(cell, OddsShade(caption, false));
}

void PairGrid::HideCell(int index) {
    cells_[size_t(index)]->hide();
    cellNumbers_[size_t(index)]->hide();
}

void PairGrid::HideBlock(int a) {
    blockHeaders_[size_t(a - 1)]->hide();
}

void PairGrid::ShowFalls(const FallMarks& marks) {
    ShowTrendLine(Lbl_Trend, marks.line);
    if (marks.byKey.isEmpty()) return;
    for (int i = 0; i < shape_.numbering.cellCount; ++i) {
        const Pair pair = shape_.numbering.pair(i);
        const auto fall =
            marks.byKey.constFind(QStringLiteral("%1-%2").arg(pair.first).arg(pair.second));
        if (fall != marks.byKey.constEnd()) MarkFall(cells_[size_t(i)], FallTip(*fall));
    }
}

void PairGrid::Cell_Click(int index) {
    const Toggle result = ToggleSelection(std::span<bool>(picked_.data(), picked_.size()), index,
                                          IsNumeric(cells_[size_t(index)]->text()));
    if (result == Toggle::Ignored) return;
    if (result == Toggle::Refused) ShowMessage(this, QString::fromUtf16(MsgTooManyPicks));
    RepaintCells();
    ShowPicks();
}

void PairGrid::RepaintCells() {
    for (int i = 0; i < shape_.numbering.cellCount; ++i) {
        SetShade(cells_[size_t(i)], OddsShade(cells_[size_t(i)]->text(), picked_[i]));
    }
}

void PairGrid::ShowPicks() {
    QStringList odds;
    for (int i = 0; i < shape_.numbering.cellCount; ++i) {
        if (picked_[i]) odds << cells_[size_t(i)]->text();
    }
    ShowPickLine(pickLine_, odds, summary_);
}

void PairGrid::Cmd_OK_Click() {
    int row = 0;
    for (int i = 0; i < shape_.numbering.cellCount; ++i) {
        if (!picked_[i]) continue;
        const Pair pair = shape_.numbering.pair(i);
        if (sink_) {
            sink_(row, cells_[size_t(i)]->text(), QString::number(pair.first),
                  QString::number(pair.second));
        }
        ++row;
    }
    accept();
}

void PairGrid::Cmd_Cancel_Click() {
    reject();
}
