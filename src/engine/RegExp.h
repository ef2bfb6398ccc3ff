#pragma once

#include "text/Text.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace brevlin {

struct RegExpMatch {
    std::size_t FirstIndex = 0; // in UTF-16 code units
    std::size_t Length = 0;
};

// The regular-expression object: ECMAScript-like dialect on PCRE2 (16-bit, not UTF, so
// indices are code units; "$" only at the very end; "." excludes only LF; ASCII \w \s \b).
// The pattern is compiled once per change of Pattern or IgnoreCase and reused.
class RegExp {
public:
    RegExp();
    ~RegExp();
    RegExp(const RegExp&) = delete;
    RegExp& operator=(const RegExp&) = delete;

    const Text& Pattern() const { return m_pattern; }
    void SetPattern(Text pattern);
    bool IgnoreCase() const { return m_ignoreCase; }
    void SetIgnoreCase(bool value);
    bool Global() const { return m_global; }
    void SetGlobal(bool value) { m_global = value; }

    // All matches (Global) or the first one; an empty match advances by one code unit.
    std::vector<RegExpMatch> Execute(TextView subject);
    bool Test(TextView subject);
    // Replaces the first match (every match when Global) by the literal replacement.
    Text Replace(TextView subject, TextView replacement);

    // The first match at or after `start`; false when there is none.
    bool FindFrom(TextView subject, std::size_t start, RegExpMatch& match);

private:
    struct Impl;
    void Compile();
    long Search(TextView subject, std::size_t start, RegExpMatch& match);

    Text m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    std::unique_ptr<Impl> m_impl;
};

} // namespace brevlin
