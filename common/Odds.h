#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

// Odds as a text travels (typed, picked or read from a record) read once into
// the values the distribution works with.

// Why an odds text takes no share, in the order the distribution window checks.
enum class OddsRefusal {
    None,
    Empty,        // nothing typed: no message, the row takes no share
    NotNumber,    // "数値を入力してください。"
    NotPositive,  // "０以上で入力してください。"
    Unusable,     // a positive number whose reciprocal is 0 or not finite in single
                  // precision: no message, the row takes no share
};

// A positive decimal as digits x 10^exponent, exactly.
struct ExactDecimal {
    qint64 digits = 0;
    int exponent = 0;
};

struct Odds {
    QString text;          // as given
    double value = 0;      // its value in the system's number format
    float reciprocal = 0;  // 1 / value in single precision, as the distribution spreads
    // The text as an exact decimal; nullopt when it has more than 18
    // significant digits.
    std::optional<ExactDecimal> exact;
};

struct OddsReading {
    std::optional<Odds> odds;  // set exactly when refusal is None
    OddsRefusal refusal = OddsRefusal::Empty;
};

OddsReading ReadOdds(QStringView text);

// The reciprocal of an odds text as the distribution uses it, rounded to single
// precision; nullopt when the row takes no share: the text is not a positive
// number, or its reciprocal is not finite or is 0 in single precision. The
// same as ReadOdds(odds).odds->reciprocal, without the rest.
std::optional<float> OddsReciprocal(QStringView odds);

// A positive number text as an exact decimal; nullopt when it is not a
// positive number or has more than 18 significant digits.
std::optional<ExactDecimal> ExactDecimalOf(QStringView text);

// Odds in hundredths, exactly: "31.5" is 3150. Nothing for a text that is no
// odds (blank, "ﾄﾘｹｼ"); 複勝 is valued by its lower bound.
std::optional<qint64> OddsHundredths(QStringView text);

// The value of an odds text when the distribution would use it (ReadOdds
// reads odds), else nullopt (not a number, 0 or less, ﾄﾘｹｼ, blank).
std::optional<double> UsableOdds(QStringView text);
