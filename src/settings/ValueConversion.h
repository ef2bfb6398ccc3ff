#pragma once

#include "text/Text.h"

#include <cstdint>
#include <optional>

namespace brevlin {

// The conversions that stored texts go through: numbers, switches and the version of a
// language file. They follow the conversion rules of the settings the system exchanges.
class ValueConversion {
public:
    // The decimal number at the start of the text ("." as the decimal point, blanks skipped);
    // 0 when the text does not start with one.
    static double Val(TextView text);

    // The whole text as a number (blanks around it allowed), or nothing.
    static std::optional<double> ToNumber(TextView text);

    // A number rounded half to even into 32 bits, or nothing (no number, or out of range).
    static std::optional<std::int32_t> ToLong(TextView text);
    static std::optional<std::int32_t> RoundToLong(double value);

    // "True"/"False" in any letter case, or a number (0 false, anything else true).
    static std::optional<bool> ToBoolean(TextView text);

    // Decimal digits with a leading "-" when negative.
    static Text FromLong(std::int64_t value);
    // "True" or "False".
    static Text FromBoolean(bool value);
};

} // namespace brevlin
