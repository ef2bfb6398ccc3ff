#include "settings/IniDocument.h"

#include "settings/CaseFolding.h"

namespace brevlin {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\x1A';
}

TextView Trim(TextView text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

Text Fold(TextView name) {
    return CaseFolding::Fold(Trim(name));
}

// The name of a section header line, or nothing when the line is not one.
std::optional<TextView> SectionName(TextView line) {
    const TextView trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != u'[')
        return std::nullopt;
    const std::size_t close = trimmed.rfind(u']');
    if (close == TextView::npos || close == 0)
        return std::nullopt;
    return Trim(trimmed.substr(1, close - 1));
}

} // namespace

IniDocument::Line IniDocument::ParseKeyLine(Text text) {
    const std::size_t equals = text.find(u'=');
    Line line;
    if (equals != Text::npos) {
        line.key = Fold(TextView(text).substr(0, equals));
        line.valueAt = equals + 1;
        line.isKey = true;
    }
    line.text = std::move(text);
    return line;
}

IniDocument IniDocument::Parse(TextView text) {
    IniDocument document;
    std::size_t start = 0;
    while (start < text.size()) {
        // CR LF, LF or a lone CR ends a line: a value never holds a line break, so every
        // value read can be written again.
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == TextView::npos)
            end = text.size();
        const TextView raw = text.substr(start, end - start);
        start = end;
        if (start < text.size() && text[start] == u'\r')
            ++start;
        if (start < text.size() && text[start] == u'\n')
            ++start;

        if (const auto name = SectionName(raw)) {
            document.AddSection(Text(raw), *name);
            continue;
        }
        Line line = ParseKeyLine(Text(raw));
        if (document.m_sections.empty()) {
            document.m_preamble.push_back(std::move(line));
            continue;
        }
        Section& section = document.m_sections.back();
        if (line.isKey)
            section.keys.emplace(line.key, section.lines.size()); // keeps the first
        section.lines.push_back(std::move(line));
    }
    return document;
}

IniDocument::Section& IniDocument::AddSection(Text header, TextView name) {
    m_sectionIndex.emplace(Fold(name), m_sections.size()); // keeps the first
    Section section;
    section.header = std::move(header);
    m_sections.push_back(std::move(section));
    return m_sections.back();
}

std::optional<TextView> IniDocument::Find(TextView section, TextView key) const {
    const auto s = m_sectionIndex.find(Fold(section));
    if (s == m_sectionIndex.end())
        return std::nullopt;
    const Section& found = m_sections[s->second];
    const auto k = found.keys.find(Fold(key));
    if (k == found.keys.end())
        return std::nullopt;
    const Line& line = found.lines[k->second];
    return TextView(line.text).substr(line.valueAt);
}

std::optional<std::size_t> IniDocument::LineOf(TextView section, TextView key) const {
    const auto s = m_sectionIndex.find(Fold(section));
    if (s == m_sectionIndex.end())
        return std::nullopt;
    std::size_t line = m_preamble.size() + 1;
    for (std::size_t i = 0; i < s->second; ++i)
        line += 1 + m_sections[i].lines.size();
    const Section& found = m_sections[s->second];
    if (Trim(key).empty())
        return line;
    const auto k = found.keys.find(Fold(key));
    if (k == found.keys.end())
        return std::nullopt;
    return line + 1 + k->second;
}

void IniDocument::Set(TextView section, TextView key, TextView value) {
    Text text = Text(Trim(key)) + u'=' + Text(value);
    Line line = ParseKeyLine(std::move(text));

    const auto s = m_sectionIndex.find(Fold(section));
    Section* target = nullptr;
    if (s == m_sectionIndex.end()) {
        target = &AddSection(u"[" + Text(Trim(section)) + u"]", section);
    } else {
        target = &m_sections[s->second];
        const auto k = target->keys.find(line.key);
        if (k != target->keys.end()) {
            // The key keeps the spelling it has in the file.
            Line& existing = target->lines[k->second];
            const TextView name = Trim(TextView(existing.text).substr(0, existing.valueAt - 1));
            existing = ParseKeyLine(Text(name) + u'=' + Text(value));
            return;
        }
    }
    // A new key goes after the section's last key line, before any blank lines that follow.
    std::size_t place = target->lines.size();
    while (place > 0 && Trim(target->lines[place - 1].text).empty())
        --place;
    if (place < target->lines.size()) {
        for (auto& entry : target->keys) {
            if (entry.second >= place)
                ++entry.second;
        }
    }
    target->keys.emplace(line.key, place);
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(place),
                         std::move(line));
}

void IniDocument::Clear() {
    *this = IniDocument();
}

Text IniDocument::Serialize() const {
    Text out;
    const auto append = [&out](const Text& line) {
        out += line;
        out += u"\r\n";
    };
    for (const Line& line : m_preamble)
        append(line.text);
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.lines)
            append(line.text);
    }
    return out;
}

} // namespace brevlin
