#pragma once

#include "text/Text.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace brevlin {

// The lines of an INI file with an index for lookups. Section and key names match without
// regard to letter case; the first of several equal sections or keys is the one that counts.
// Lines it does not change are kept as they were (comments, blank lines, spelling of names).
class IniDocument {
public:
    static IniDocument Parse(TextView text);

    // The text after "=" of the key, untrimmed, or nothing.
    std::optional<TextView> Find(TextView section, TextView key) const;
    // Replaces the key's value in place, appends a new key to its section, or appends a new
    // section at the end.
    void Set(TextView section, TextView key, TextView value);
    // The 1-based line of the key as the text was parsed (of the section's header for an
    // empty key), or nothing when there is none.
    std::optional<std::size_t> LineOf(TextView section, TextView key) const;
    void Clear();
    // The lines, each ended by CR LF.
    Text Serialize() const;

private:
    struct Line {
        Text text;
        Text key;            // folded name, when the line is a key line
        std::size_t valueAt; // position after "=", when it is one
        bool isKey = false;
    };
    struct Section {
        Text header;
        std::vector<Line> lines;
        std::unordered_map<Text, std::size_t> keys;
    };

    static Line ParseKeyLine(Text text);
    Section& AddSection(Text header, TextView name);

    std::vector<Line> m_preamble; // lines before the first section: no section reaches them
    std::vector<Section> m_sections;
    std::unordered_map<Text, std::size_t> m_sectionIndex;
};

} // namespace brevlin
