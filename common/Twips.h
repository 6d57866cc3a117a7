#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

// Window geometry is designed in twips (1/1440 inch); at 96 dpi a pixel is 15 twips.
constexpr int TwipsPerPixel = 15;

constexpr int Tw(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

constexpr QRect TwRect(int left, int top, int width, int height) {
    return QRect(Tw(left), Tw(top), Tw(width), Tw(height));
}

constexpr QSize TwSize(int width, int height) { return QSize(Tw(width), Tw(height)); }
