#include "settings/Variant.h"

#include "settings/ValueConversion.h"
#include "text/BrevlinError.h"
#include "text/UiText.h"

namespace brevlin {

namespace {

[[noreturn]] void TypeMismatch() {
    throw BrevlinError(errors::TypeMismatch, UiText::Translate("Variant", "型が一致しません。"));
}
[[noreturn]] void Overflow() {
    throw BrevlinError(errors::Overflow, UiText::Translate("Variant", "オーバーフローしました。"));
}

} // namespace

Text Variant::ToText() const {
    switch (GetKind()) {
    case Kind::Empty:
        return {};
    case Kind::String:
        return std::get<Text>(m_value);
    case Kind::Integer:
        return ValueConversion::FromLong(std::get<std::int16_t>(m_value));
    case Kind::Long:
        return ValueConversion::FromLong(std::get<std::int32_t>(m_value));
    case Kind::Byte:
        return ValueConversion::FromLong(std::get<std::uint8_t>(m_value));
    case Kind::Boolean:
        return ValueConversion::FromBoolean(std::get<bool>(m_value));
    case Kind::TextList:
        break;
    }
    TypeMismatch();
}

std::int32_t Variant::ToLong() const {
    switch (GetKind()) {
    case Kind::Empty:
        return 0;
    case Kind::String: {
        const Text& text = std::get<Text>(m_value);
        const auto number = ValueConversion::ToNumber(text);
        if (!number)
            TypeMismatch();
        const auto value = ValueConversion::RoundToLong(*number);
        if (!value)
            Overflow();
        return *value;
    }
    case Kind::Integer:
        return std::get<std::int16_t>(m_value);
    case Kind::Long:
        return std::get<std::int32_t>(m_value);
    case Kind::Byte:
        return std::get<std::uint8_t>(m_value);
    case Kind::Boolean:
        return std::get<bool>(m_value) ? -1 : 0;
    case Kind::TextList:
        break;
    }
    TypeMismatch();
}

bool Variant::ToBoolean() const {
    switch (GetKind()) {
    case Kind::Empty:
        return false;
    case Kind::String: {
        const auto value = ValueConversion::ToBoolean(std::get<Text>(m_value));
        if (!value)
            TypeMismatch();
        return *value;
    }
    case Kind::Boolean:
        return std::get<bool>(m_value);
    case Kind::TextList:
        TypeMismatch();
    default:
        return ToLong() != 0;
    }
}

const std::vector<Text>& Variant::ToList() const {
    if (GetKind() != Kind::TextList)
        TypeMismatch();
    return std::get<std::vector<Text>>(m_value);
}

} // namespace brevlin
