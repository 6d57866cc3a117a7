#include "common/BetType.h"

QString BetTypeName(BetType type) {
    switch (type) {
        case BetType::Quinella:
            return QStringLiteral("馬連");
        case BetType::BracketQuinella:
            return QStringLiteral("枠連");
        case BetType::WinPlace:
            return QStringLiteral("単・複勝");
        case BetType::Win:
            return QStringLiteral("単勝");
        case BetType::Place:
            return QStringLiteral("複勝");
    }
    return {};
}

std::optional<BetType> BetTypeFromCode(int code) {
    if (code < int(BetType::Quinella) || code > int(BetType::Place)) return std::nullopt;
    return BetType(code);
}

std::optional<BetType> BetTypeOf(QStringView name) {
    for (int code = int(BetType::Quinella); code <= int(BetType::Place); ++code) {
        if (name == BetTypeName(BetType(code))) return BetType(code);
    }
    return std::nullopt;
}
