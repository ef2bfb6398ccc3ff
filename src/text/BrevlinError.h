#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace brevlin {

// A failure carries an error number and a description, as the user sees them, and may
// carry a detail: which file, which line, what was found there. The texts are UTF-8.
class BrevlinError : public std::runtime_error {
public:
    BrevlinError(std::uint32_t number, const std::string& description, std::string detail = {})
        : std::runtime_error(description), m_number(number), m_detail(std::move(detail)) {}

    std::uint32_t Number() const { return m_number; }
    std::string Description() const { return what(); }
    // Shown after the description where there is room for it (the command line, a message
    // box's second text); empty when the description says it all.
    const std::string& Detail() const { return m_detail; }

private:
    std::uint32_t m_number;
    std::string m_detail;
};

namespace errors {
constexpr std::uint32_t InvalidKey = 0x800407D0;      // "キー不正"
constexpr std::uint32_t CreateKeyFailed = 0x800407D1; // "RegCreateKeyEx のエラー"
constexpr std::uint32_t DuplicateName = 0x800407D2;   // "Name重複"
constexpr std::uint32_t SubscriptOutOfRange = 9;
constexpr std::uint32_t InvalidPattern = 5017;
constexpr std::uint32_t RegexFailure = 5020;
constexpr std::uint32_t FileNotFound = 53;
constexpr std::uint32_t FileFormat = 0x800407E0;
constexpr std::uint32_t InputOutput = 57;
constexpr std::uint32_t TypeMismatch = 13;
// Settings: argument, number range, file access, absent registry value or key, refused
// registry deletion, settings file that cannot be parsed.
constexpr std::uint32_t InvalidArgument = 5;
constexpr std::uint32_t Overflow = 6;
constexpr std::uint32_t PathFileAccess = 75;
constexpr std::uint32_t RegistryNotFound = 0x80070002;
constexpr std::uint32_t RegistryAccessDenied = 0x80070005;
constexpr std::uint32_t SettingsFormat = 0x800407E1;
} // namespace errors

// Raised for a 1-based position outside 1..Count.
[[noreturn]] void ThrowSubscriptOutOfRange();

} // namespace brevlin
