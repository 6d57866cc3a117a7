#include "odds/OddsCells.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include "common/Colours.h"
#include "common/Controls.h"
#include "common/Fonts.h"
#include "odds/CellRules.h"

namespace {

// The triangle of a fall: dark violet, clear on the white, light cyan and red
// of the cells.
class FallMark : public QWidget {
public:
    explicit FallMark(QWidget* cell) : QWidget(cell) {
        setObjectName(QStringLiteral("Mrk_Fall"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, Side, Side);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(110, 0, 150));
        painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(Side, 0), QPoint(0, Side)}));
    }

private:
    static constexpr int Side = 7;
};

}  // namespace

void SetShade(QLabel* cell, CellShade shade) {
    const QColor& colour = shade == CellShade::Red         ? Colours::Red
                           : shade == CellShade::LightCyan ? Colours::LightCyan
                                                           : Colours::White;
    if (!cell->autoFillBackground() || Background(cell) != colour) SetBackground(cell, colour);
}

void ShowPickLine(QLabel* line, const QStringList& pickedOdds, const PickSummary& summary) {
    const QString text = summary ? summary(pickedOdds) : QString();
    line->setText(text.isEmpty() ? QStringLiteral("・選択したオッズが赤くなります。") : text);
}

QLabel* MakeTrendLine(QWidget* parent, const QRect& geometry) {
    QLabel* line =
        PlainLabel(parent, QStringLiteral("Lbl_Trend"), geometry, Qt::AlignLeft | Qt::AlignTop);
    line->setFont(UiFont(9));
    return line;
}

void ShowTrendLine(QLabel* line, const QStringList& falls) {
    const QFontMetrics metrics(line->font());
    const QString gap = QStringLiteral("　");
    QStringList lines;
    for (const QString& fall : falls) {
        if (!lines.isEmpty() &&
            metrics.horizontalAdvance(lines.last() + gap + fall) <= line->contentsRect().width()) {
            lines.last() += gap + fall;
        } else {
            lines << fall;
        }
    }
    line->setText(lines.join(QLatin1Char('\n')));
}

void MarkFall(QLabel* cell, const QString& tip) {
    if (!cell->findChild<FallMark*>()) new FallMark(cell);
    cell->setToolTip(tip);
}
