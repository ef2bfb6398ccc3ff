#pragma once

#include "platform/registry/RegistryTree.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brevlin::platform {

// The text form of a stored registry tree, in the style of a registry export, UTF-8:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Morvane\Brevlin\1]
//   @="Tiny"
//   "StartTag"="<b>"
//   "IgnoreCase"=dword:00000000
//   "Keywords"=str(7):"if\0int\0return\0"
//
// Strings escape \\ and \" as a registry export does, and also line breaks (\r, \n) and
// other control characters or unpaired surrogates (\uXXXX), so every text survives whole.
// In str(7) every element is followed by \0. Other value types are kept as hex(N):.
// Keys are written in tree order, values in the order they were first written.
class RegFile {
public:
    class ParseError : public std::runtime_error {
    public:
        ParseError(std::size_t line, const std::string& reason)
            : std::runtime_error(reason), m_line(line) {}
        std::size_t Line() const { return m_line; }

    private:
        std::size_t m_line;
    };

    static RegistryTree Parse(std::string_view text);
    static std::string Serialize(const RegistryTree& tree);

    static const char* RootName(RegistryRoot root);
    // UTF-8 of a text; an unpaired surrogate becomes U+FFFD.
    static std::string Utf8(std::u16string_view text);
};

} // namespace brevlin::platform
