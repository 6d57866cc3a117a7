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
