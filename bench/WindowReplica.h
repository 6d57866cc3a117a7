#pragma once

// The floor of a job window: a copy made only of stock Qt widgets (labels,
// buttons, boxes, frames) with the same names, geometry, fonts, colours, frames
// and texts as the real window had once filled, but no handlers, no lookups,
// no file access and no computation: its texts are fixed.

#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

struct WidgetShot {
    enum class Kind {
        Plain,
        Frame,
        Label,
        PushButton,
        ToolButton,
        LineEdit,
        ComboBox,
        CheckBox,
        Table,
        Dialog
    };
    Kind kind = Kind::Plain;
    QString name;
    QRect geometry;
    bool hidden = false;
    bool enabled = true;
    std::optional<QFont> font;        // only when set on the widget itself
    std::optional<QPalette> palette;  // likewise
    bool autoFillBackground = false;
    QString toolTip;
    Qt::FocusPolicy focusPolicy = Qt::NoFocus;
    // Frames and labels
    int frameStyle = 0;
    int lineWidth = 1;
    // Labels, buttons and boxes
    QString text;
    Qt::Alignment alignment;
    Qt::TextFormat textFormat = Qt::AutoText;
    bool wordWrap = false;
    int indent = -1;
    QPixmap pixmap;
    QIcon icon;
    QSize iconSize;
    bool autoDefault = false;
    Qt::ArrowType arrowType = Qt::NoArrow;
    int maxLength = 32767;
    // Combo boxes (the entry shown) and check boxes
    bool checked = false;
    // Tables: the column headings and widths
    QStringList headings;
    std::vector<int> widths;
    // Windows
    Qt::WindowFlags flags;
    QString title;
    QSize minimumSize, maximumSize;
    bool deleteOnClose = false;

    std::vector<WidgetShot> children;
};

// Records a window and every widget in it as they are now.
WidgetShot TakeShot(const QWidget* window);

// Builds the copy of a recorded window; a window of a dialog becomes a QDialog.
QWidget* BuildReplica(const WidgetShot& shot, QWidget* parent = nullptr);

class QAbstractItemModel;
struct BalancePoint;

// The floor of the settlement window: what it draws, filled from figures
// prepared beforehand (no memo, no file, no settling): a table over the given
// model with the window's column widths, the six totals as fixed texts, the
// balance chart of the given points, the list of lines not read and the three
// buttons, laid out as the window lays them out.
QWidget* BuildSettleReplica(QAbstractItemModel* table, const QStringList& totals,
                            const std::vector<BalancePoint>& points);
