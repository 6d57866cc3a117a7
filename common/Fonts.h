#pragma once

#include <QFont>

// The font of the windows: "ＭＳ Ｐゴシック" where it exists, else a Japanese
// Gothic font. Naming the Japanese Noto face keeps a Chinese locale from
// picking Chinese glyph shapes.
QFont UiFont(double pointSize, bool bold = false);
