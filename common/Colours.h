#pragma once

#include <QColor>
#include <QWidget>

namespace Colours {
inline const QColor White{255, 255, 255};
inline const QColor Black{0, 0, 0};
inline const QColor Red{255, 0, 0};
inline const QColor LightCyan{192, 255, 255};  // odds below 10 in the pickers
inline const QColor LightGrey{224, 224, 224};  // result boxes of the distribution window
}  // namespace Colours

// Background and text colour of a label or other plain widget.
void SetBackground(QWidget* widget, const QColor& colour);
void SetForeground(QWidget* widget, const QColor& colour);
QColor Background(const QWidget* widget);
QColor Foreground(const QWidget* widget);
