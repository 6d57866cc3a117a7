#include "common/Colours.h"

#include <QPalette>

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetForeground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

QColor Foreground(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }
