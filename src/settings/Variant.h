#pragma once

#include "text/Text.h"

#include <cstdint>
#include <variant>
#include <vector>

namespace brevlin {

// A tagged value as clsRegistry reads and writes it: empty, text, 16- or 32-bit integer,
// byte, boolean or list of text. The conversions raise errors::TypeMismatch ("型が一致しま
// せん。") or errors::Overflow ("オーバーフローしました。") where the value does not convert.
class Variant {
public:
    enum class Kind { Empty, String, Integer, Long, Byte, Boolean, TextList };

    Variant() = default;
    Variant(Text text) : m_value(std::move(text)) {}
    Variant(const char16_t* text) : m_value(Text(text)) {}
    static Variant Integer(std::int16_t value) { return Variant(Storage(value)); }
    static Variant Long(std::int32_t value) { return Variant(Storage(value)); }
    static Variant Byte(std::uint8_t value) { return Variant(Storage(value)); }
    static Variant Boolean(bool value) { return Variant(Storage(value)); }
    static Variant List(std::vector<Text> value) { return Variant(Storage(std::move(value))); }

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
    bool IsEmpty() const { return GetKind() == Kind::Empty; }

    // Empty gives "", numbers their decimal digits, booleans "True" or "False".
    Text ToText() const;
    // Empty gives 0, true -1; text must be a number; fractions round half to even.
    std::int32_t ToLong() const;
    // Empty gives false, numbers are true unless 0; text "True"/"False" or a number.
    bool ToBoolean() const;
    // The list itself; any other kind is a type mismatch.
    const std::vector<Text>& ToList() const;

    bool operator==(const Variant&) const = default;

private:
    using Storage = std::variant<std::monostate, Text, std::int16_t, std::int32_t, std::uint8_t,
                                 bool, std::vector<Text>>;
    explicit Variant(Storage value) : m_value(std::move(value)) {}

    Storage m_value;
};

} // namespace brevlin
