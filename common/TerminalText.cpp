#include "common/TerminalText.h"

#include <algorithm>

int DisplayWidth(const QString& text) {
    int width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        width += (u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFF9F)) ? 2 : 1;
    }
    return width;
}

QString Padded(const QString& text, int width, bool right) {
    const QString blanks(std::max(0, width - DisplayWidth(text)), QLatin1Char(' '));
    return right ? blanks + text : text + blanks;
}
