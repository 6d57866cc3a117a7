#include "common/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace {

// The families in order of preference, less those that are not installed:
// asking for a missing family sends every new size and weight through the
// font configuration's search for a substitute, a fifth of the start-up time
// here. When none of them is installed the whole list stays, and the font
// system substitutes as it can.
QStringList preferredFamilies() {
    const QStringList wanted{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                             QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                             QStringLiteral("Yu Gothic UI")};
    if (!QGuiApplication::instance()) return wanted;  // no font database yet
    static const QStringList installed = [&wanted] {
        const QStringList families = QFontDatabase::families();
        QStringList found;
        for (const QString& family : wanted) {
            if (families.contains(family, Qt::CaseInsensitive)) found.append(family);
        }
        return found.isEmpty() ? wanted : found;
    }();
    return installed;
}

}  // namespace

QFont UiFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies(preferredFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
