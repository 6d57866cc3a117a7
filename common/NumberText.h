#pragma once

#include <QString>
#include <optional>

// Number texts as the user types them and as the data files hold them.
//
// A text is numeric when the whole text, blanks at either end ignored, reads as
// a number: an optional sign, digits with optional digit-group commas, at most
// one decimal point, and an optional exponent. The empty text, "." and "-" are
// not numeric, and neither is a number too large to hold.

bool IsNumeric(QStringView text);

// The value of a numeric text; nullopt for a text that is not numeric.
std::optional<double> NumericValue(QStringView text);

// A number in general form: at most 15 significant digits, no digit grouping,
// no trailing zeros, no decimal point for whole numbers (1200, 13250, 2.5);
// every result is a numeric text.
QString FormatGeneral(double value);

// Figures of money and rates, as the settlement, the ledger and the command line show them.
QString YenText(qint64 amount);  // "1,200円", "-800円"
// 回収率 = 払戻 ÷ 購入 × 100, one decimal, rounded half up: "123.4%"; "-" without stake.
QString RateText(qint64 payout, qint64 stake);
QString PercentOf(int part, int whole);  // "33.3%"; "-" for a whole of 0
