#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The bet types. The first three are the entries of the main window's Cmb_Type
// with their ItemData codes; a memo block may also be headed 単勝 or 複勝 alone.
// The codes are stored in the ledger: never renumber them.
enum class BetType : int { Quinella = 0, BracketQuinella = 1, WinPlace = 2, Win = 3, Place = 4 };

// "馬連", "枠連", "単・複勝", "単勝", "複勝".
QString BetTypeName(BetType type);
// The type of a name as BetTypeName writes it; nullopt for any other text.
std::optional<BetType> BetTypeOf(QStringView name);
// A code read back from a store or an ItemData; nullopt when it is none.
std::optional<BetType> BetTypeFromCode(int code);

// A bet of two numbers (馬連, 枠連) rather than one horse.
inline bool IsPairType(BetType type) {
    return type == BetType::Quinella || type == BetType::BracketQuinella;
}
// The type a bet is settled as: a 単・複勝 block's bets are 単勝 bets.
inline BetType SettledType(BetType type) {
    return type == BetType::WinPlace ? BetType::Win : type;
}
