#include "common/Odds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/NumberText.h"

namespace {

// The digits and exponent of a text already known to be a positive number
// (blanks, sign, digits with commas, a point, digits, an exponent); nullopt
// when it has more significant digits than 18.
std::optional<ExactDecimal> exactDigits(QStringView text) {
    ExactDecimal decimal;
    bool fraction = false;
    bool full = false;  // no further significant digit fits
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'e' || c == u'E') break;
        if (c == u'.') fraction = true;
        if (c < u'0' || c > u'9') continue;
        const int digit = c.digitValue();
        if (!full && decimal.digits <= (std::numeric_limits<qint64>::max() - 9) / 10) {
            decimal.digits = decimal.digits * 10 + digit;
            if (fraction) --decimal.exponent;
            continue;
        }
        if (digit != 0) return std::nullopt;
        full = true;
        if (!fraction) ++decimal.exponent;
    }
    if (i < text.size()) {
        // The exponent, clamped far beyond any that a text of reasonable length
        // can balance with its digits.
        bool negative = false;
        int exponent = 0;
        for (++i; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == u'-') negative = true;
            if (c >= u'0' && c <= u'9') exponent = std::min(exponent * 10 + c.digitValue(), 100000);
        }
        decimal.exponent += negative ? -exponent : exponent;
    }
    return decimal;
}

// 1 / value in single precision, when that is finite and not 0.
std::optional<float> reciprocalOf(double value) {
    const float reciprocal = static_cast<float>(1.0 / value);
    if (!std::isfinite(reciprocal) || reciprocal == 0.0f) return std::nullopt;
    return reciprocal;
}

}  // namespace

std::optional<float> OddsReciprocal(QStringView odds) {
    const std::optional<double> value = NumericValue(odds);
    if (!value || *value <= 0) return std::nullopt;
    return reciprocalOf(*value);
}

std::optional<ExactDecimal> ExactDecimalOf(QStringView text) {
    const std::optional<double> value = NumericValue(text);
    if (!value || *value <= 0) return std::nullopt;
    return exactDigits(text);
}

OddsReading ReadOdds(QStringView text) {
    OddsReading reading;
    if (text.isEmpty()) return reading;
    const std::optional<double> value = NumericValue(text);
    if (!value) {
        reading.refusal = OddsRefusal::NotNumber;
        return reading;
    }
    if (*value <= 0) {
        reading.refusal = OddsRefusal::NotPositive;
        return reading;
    }
    const std::optional<float> reciprocal = reciprocalOf(*value);
    if (!reciprocal) {
        reading.refusal = OddsRefusal::Unusable;
        return reading;
    }
    reading.refusal = OddsRefusal::None;
    reading.odds = Odds{text.toString(), *value, *reciprocal, exactDigits(text)};
    return reading;
}

std::optional<qint64> OddsHundredths(QStringView text) {
    text = text.trimmed();
    if (const qsizetype dash = text.indexOf(u'-'); dash > 0) text = text.first(dash);  // 複勝
    qint64 whole = 0;
    int decimals = -1;
    int digits = 0;
    for (const QChar c : text) {
        if (c == u'.' && decimals < 0) {
            decimals = 0;
        } else if (c.isDigit() && c.unicode() < 0x80 && decimals < 2 && digits < 12) {
            whole = whole * 10 + (c.unicode() - u'0');
            ++digits;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    for (int d = std::max(decimals, 0); d < 2; ++d) whole *= 10;
    return whole;
}

std::optional<double> UsableOdds(QStringView text) {
    const OddsReading reading = ReadOdds(text);
    if (!reading.odds) return std::nullopt;
    return reading.odds->value;
}
