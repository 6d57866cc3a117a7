#include "common/BetType.h"

QString BetTypeName(BetType type) {
    switch (type) {
        case Quinella:
            return QStringLiteral("馬連");
        case BracketQuinella:
            return QStringLiteral("枠連");
        case WinPlace:
            return QStringLiteral("単・複勝");
        case Win:
            return QStringLiteral("単勝");
        case Place:
            return QStringLiteral("複勝");
    }
    return {};
}

std::optional<BetType> BetTypeFromCode(int code) {
    if (code < Quinella || code > Place) return std::nullopt;
    return BetType(code);
}

std::optional<BetType> BetTypeOf(QStringView name) {
    for (int code = Quinella; code <= Place; ++code) {
        if (name == BetTypeName(BetType(code))) return BetType(code);
    }
    return std::nullopt;
}
