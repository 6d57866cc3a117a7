#include "odds/CellRules.h"

#include <algorithm>
#include <cmath>

#include "common/NumberText.h"

QString QuinellaCaption(QStringView oddsField) {
    const QStringView shown = oddsField.left(6);
    if (shown == u"  ﾄﾘｹｼ") return shown.mid(2).toString();
    return shown.toString();
}

int ShownRunners(QStringView runnersField) {
    const auto value = NumericValue(runnersField);
    if (!value || *value < 2) return 0;
    if (*value > 18) return 18;
    return static_cast<int>(std::floor(*value));
}

CellShade OddsShade(QStringView caption, bool selected) {
    if (selected) return CellShade::Red;
    const auto value = NumericValue(caption);
    return value && *value < 10 ? CellShade::LightCyan : CellShade::White;
}

Toggle ToggleSelection(std::span<bool> flags, int index, bool numericCaption) {
    if (!numericCaption) return Toggle::Ignored;
    bool& flag = flags[static_cast<size_t>(index)];
    if (flag) {
        flag = false;
        return Toggle::Deselected;
    }
    if (std::count(flags.begin(), flags.end(), true) >= MaxPicks) return Toggle::Refused;
    flag = true;
    return Toggle::Selected;
}
