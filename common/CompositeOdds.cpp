#include "common/CompositeOdds.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "common/NumberText.h"
#include "common/Odds.h"

std::optional<double> CompositeOdds(std::span<const QString> odds) {
    double inverseSum = 0;
    bool any = false;
    for (const QString& text : odds) {
        if (!OddsReciprocal(text)) continue;
        inverseSum += 1.0 / *NumericValue(text);
        any = true;
    }
    if (!any) return std::nullopt;
    return 1.0 / inverseSum;
}

QString CompositeText(double composite) {
    // Hundredths rounded down; a product within a hair of a whole number is
    // that number, so that a single 1.15 does not show as 1.14.
    const double hundredths = composite * 100;
    const double nearest = std::round(hundredths);
    const double shown = std::abs(hundredths - nearest) <= 1e-9 * std::max(1.0, nearest)
                             ? nearest
                             : std::floor(hundredths);
    return QString::number(shown / 100, 'f', 2) + u'倍';
}

QString PicksLine(const QStringList& picked) {
    if (picked.isEmpty()) return {};
    QString line = QStringLiteral("選択 %1点").arg(picked.size());
    if (const std::optional<double> composite =
            CompositeOdds(std::span(picked.constData(), size_t(picked.size())))) {
        line += QStringLiteral(" 合成オッズ ") + CompositeText(*composite);
    }
    return line;
}
