#include "common/Fonts.h"

#include <QStringList>

QFont UiFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Yu Gothic UI")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
