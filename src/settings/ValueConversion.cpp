#include "settings/ValueConversion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace brevlin {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads [sign] digits [. digits] [e|d [sign] digits] from `pos`; blanks inside are skipped
// when `skipBlanks`. Returns the text of the number (ASCII) and moves `pos` past it.
std::string ScanNumber(TextView text, std::size_t& pos, bool skipBlanks) {
    std::string number;
    const auto skip = [&] {
        while (skipBlanks && pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    const auto digits = [&] {
        bool any = false;
        skip();
        while (pos < text.size() && IsDigit(text[pos])) {
            number += static_cast<char>(text[pos++]);
            any = true;
            skip();
        }
        return any;
    };
    skip();
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        number += static_cast<char>(text[pos++]);
    bool any = digits();
    if (pos < text.size() && text[pos] == u'.') {
        number += '.';
        ++pos;
        any = digits() || any;
    }
    if (!any)
        return {};
    const std::size_t beforeExponent = pos;
    const std::size_t numberLength = number.size();
    if (pos < text.size() &&
        (text[pos] == u'e' || text[pos] == u'E' || text[pos] == u'd' || text[pos] == u'D')) {
        number += 'e';
        ++pos;
        skip();
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
            number += static_cast<char>(text[pos++]);
        if (!digits()) {
            // Not an exponent after all: the number ends before the letter.
            pos = beforeExponent;
            number.resize(numberLength);
        }
    }
    return number;
}

// Locale-independent: a program with a German locale still reads "2.0" as two.
double ParseScanned(std::string number) {
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.erase(0, 1);
    }
    if (number.empty())
        return 0.0;
    if (number[0] == '.')
        number.insert(0, "0");
    const std::size_t point = number.find('.');
    if (point != std::string::npos && (point + 1 == number.size() || number[point + 1] == 'e'))
        number.insert(point + 1, "0");
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        const bool tiny = number.find("e-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        value = 0.0;
    }
    (void)end;
    return negative ? -value : value;
}

bool EqualsIgnoringCase(TextView text, TextView word) {
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != word[i])
            return false;
    }
    return true;
}

TextView Trimmed(TextView text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

double ValueConversion::Val(TextView text) {
    std::size_t pos = 0;
    return ParseScanned(ScanNumber(text, pos, true));
}

std::optional<double> ValueConversion::ToNumber(TextView text) {
    const TextView trimmed = Trimmed(text);
    std::size_t pos = 0;
    const std::string number = ScanNumber(trimmed, pos, false);
    if (number.empty() || pos != trimmed.size())
        return std::nullopt;
    const double value = ParseScanned(number);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ValueConversion::RoundToLong(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> ValueConversion::ToLong(TextView text) {
    const auto number = ToNumber(text);
    if (!number)
        return std::nullopt;
    return RoundToLong(*number);
}

std::optional<bool> ValueConversion::ToBoolean(TextView text) {
    const TextView trimmed = Trimmed(text);
    if (EqualsIgnoringCase(trimmed, u"true"))
        return true;
    if (EqualsIgnoringCase(trimmed, u"false"))
        return false;
    const auto number = ToNumber(trimmed);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

Text ValueConversion::FromLong(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return Text(digits.begin(), digits.end());
}

Text ValueConversion::FromBoolean(bool value) {
    return value ? u"True" : u"False";
}

} // namespace brevlin
