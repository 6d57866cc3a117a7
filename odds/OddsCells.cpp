#include "odds/OddsCells.h"

#include <QLabel>
#include <QPushButton>

#include "common/Colours.h"
#include "odds/CellRules.h"

QLabel* OddsLabel(QWidget* window, const QString& name, const QRect& geometry,
                  Qt::Alignment align) {
    auto* label = new QLabel(window);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void SetShade(QLabel* cell, CellShade shade) {
    const QColor& colour = shade == CellShade::Red         ? Colours::Red
                           : shade == CellShade::LightCyan ? Colours::LightCyan
                                                           : Colours::White;
    if (!cell->autoFillBackground() || Background(cell) != colour) SetBackground(cell, colour);
}

QPushButton* OddsButton(QWidget* window, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}
