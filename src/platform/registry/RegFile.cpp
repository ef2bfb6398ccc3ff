#include "platform/registry/RegFile.h"

#include "text/BrevlinError.h"
#include "text/HexDigit.h"
#include "text/Surrogates.h"
#include "text/UiText.h"
#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace brevlin::platform {

namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";

// ---- writing -------------------------------------------------------------------------------

// Text as UTF-8, with what a line of the file cannot hold escaped.
void AppendEscaped(std::string& out, std::u16string_view text) {
    char hex[8];
    std::size_t run = 0; // the first character not yet written
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (surrogates::IsPairAt(text, i)) {
            ++i;
            continue;
        }
        const char* escape = c == u'\\'   ? "\\\\"
                             : c == u'"'  ? "\\\""
                             : c == u'\r' ? "\\r"
                             : c == u'\n' ? "\\n"
                                          : nullptr;
        const bool control = (c < 0x20 && c != u'\t') || c == 0x7F || surrogates::IsSurrogate(c);
        if (escape == nullptr && !control)
            continue;
        Utf8::Append(out, text.substr(run, i - run));
        if (escape != nullptr) {
            out += escape;
        } else {
            std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
            out += hex;
        }
        run = i + 1;
    }
    Utf8::Append(out, text.substr(run));
}

void AppendQuoted(std::string& out, std::u16string_view text) {
    out += '"';
    AppendEscaped(out, text);
    out += '"';
}

void AppendValue(std::string& out, const std::u16string& name, const RegistryValue& value) {
    if (name.empty())
        out += '@';
    else
        AppendQuoted(out, name);
    out += '=';
    char buffer[16];
    switch (value.type) {
    case RegistryValue::String:
        AppendQuoted(out, value.text);
        break;
    case RegistryValue::Dword:
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(value.number));
        out += buffer;
        break;
    case RegistryValue::MultiString:
        out += "str(7):\"";
        for (const std::u16string& element : value.list) {
            AppendEscaped(out, element);
            out += "\\0";
        }
        out += '"';
        break;
    default:
        if (value.type == 3)
            out += "hex:";
        else {
            std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
            out += buffer;
        }
        for (std::size_t i = 0; i < value.bytes.size(); ++i) {
            std::snprintf(buffer, sizeof buffer, i ? ",%02x" : "%02x",
                          static_cast<unsigned>(value.bytes[i]));
            out += buffer;
        }
        break;
    }
    out += '\n';
}

void AppendKey(std::string& out, const RegistryKey& key, const std::u16string& path, bool isRoot) {
    // A key shows as a section when it has values, or when nothing below it would show it.
    if (!key.Values().empty() || (!isRoot && key.Subkeys().empty())) {
        out += "\n[";
        Utf8::Append(out, path); // key names hold no control characters and no lone surrogates
        out += "]\n";
        for (const auto& [name, value] : key.Values())
            AppendValue(out, name, value);
    }
    for (const auto& [folded, subkey] : key.Subkeys())
        AppendKey(out, subkey, path + u'\\' + subkey.Name(), false);
}

// ---- reading -------------------------------------------------------------------------------

[[noreturn]] void Fail(std::size_t line, const std::string& reason) {
    throw RegFile::ParseError(line, reason);
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted string starting at text[pos] == '"'; in a list, \0 ends an element.
std::u16string ReadQuoted(std::u16string_view text, std::size_t& pos, std::size_t line,
                          std::vector<std::u16string>* list) {
    std::u16string out;
    ++pos;
    while (true) {
        if (pos >= text.size())
            Fail(line, UiText::Translate("RegFile", "閉じる \" がありません"));
        const char16_t c = text[pos++];
        if (c == u'"')
            break;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (pos >= text.size())
            Fail(line, UiText::Translate("RegFile", "閉じる \" がありません"));
        const char16_t e = text[pos++];
        switch (e) {
        case u'\\':
        case u'"':
            out += e;
            break;
        case u'r':
            out += u'\r';
            break;
        case u'n':
            out += u'\n';
            break;
        case u't':
            out += u'\t';
            break;
        case u'0':
            if (list) {
                list->push_back(std::move(out));
                out.clear();
            } else {
                out += u'\0';
            }
            break;
        case u'u': {
            unsigned code = 0;
            for (int k = 0; k < 4; ++k) {
                const int d = pos < text.size() ? chars::HexDigit(text[pos]) : -1;
                if (d < 0)
                    Fail(line, UiText::Translate("RegFile", "\\u の後に 16 進数 4 桁がありません"));
                code = code * 16 + static_cast<unsigned>(d);
                ++pos;
            }
            out += static_cast<char16_t>(code);
            break;
        }
        default:
            Fail(line, UiText::Translate("RegFile", "不明なエスケープです"));
        }
    }
    if (list && !out.empty())
        list->push_back(std::move(out)); // an element without its closing \0
    return out;
}

std::vector<unsigned char> ReadHexBytes(std::u16string_view data, std::size_t line) {
    std::vector<unsigned char> bytes;
    std::size_t pos = 0;
    while (pos < data.size()) {
        while (pos < data.size() && (data[pos] == u' ' || data[pos] == u'\t'))
            ++pos;
        if (pos >= data.size())
            break;
        const int high = chars::HexDigit(data[pos]);
        const int low = pos + 1 < data.size() ? chars::HexDigit(data[pos + 1]) : -1;
        if (high < 0 || low < 0)
            Fail(line, UiText::Translate("RegFile", "hex の値が不正です"));
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
        pos += 2;
        while (pos < data.size() && (data[pos] == u' ' || data[pos] == u'\t'))
            ++pos;
        if (pos < data.size()) {
            if (data[pos] != u',')
                Fail(line, UiText::Translate("RegFile", "hex の値が不正です"));
            ++pos;
        }
    }
    return bytes;
}

std::vector<std::u16string> Utf16List(const std::vector<unsigned char>& bytes) {
    std::vector<std::u16string> list;
    std::u16string element;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c != 0) {
            element += c;
            continue;
        }
        if (element.empty())
            break; // an empty element ends the list
        list.push_back(std::move(element));
        element.clear();
    }
    if (!element.empty())
        list.push_back(std::move(element));
    return list;
}

RegistryValue ReadData(std::u16string_view data, std::size_t line) {
    const auto startsWith = [&](std::u16string_view prefix) {
        return data.substr(0, prefix.size()) == prefix;
    };
    const auto endOfLine = [&](std::size_t pos) {
        while (pos < data.size() && (data[pos] == u' ' || data[pos] == u'\t'))
            ++pos;
        if (pos != data.size())
            Fail(line, UiText::Translate("RegFile", "値の後に余分な文字があります"));
    };
    if (startsWith(u"\"")) {
        std::size_t pos = 0;
        RegistryValue value = RegistryValue::FromText(ReadQuoted(data, pos, line, nullptr));
        endOfLine(pos);
        return value;
    }
    if (startsWith(u"dword:")) {
        const std::u16string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8)
            Fail(line, UiText::Translate("RegFile", "dword の値が不正です"));
        std::uint32_t number = 0;
        for (const char16_t c : digits) {
            const int d = chars::HexDigit(c);
            if (d < 0)
                Fail(line, UiText::Translate("RegFile", "dword の値が不正です"));
            number = number * 16 + static_cast<std::uint32_t>(d);
        }
        return RegistryValue::FromDword(number);
    }
    if (startsWith(u"str(7):\"")) {
        std::size_t pos = 7;
        std::vector<std::u16string> list;
        ReadQuoted(data, pos, line, &list);
        endOfLine(pos);
        return RegistryValue::FromList(std::move(list));
    }
    if (startsWith(u"hex")) {
        std::size_t pos = 3;
        std::uint32_t type = 3; // REG_BINARY
        if (pos < data.size() && data[pos] == u'(') {
            const std::size_t close = data.find(u')', pos);
            if (close == std::u16string_view::npos || close == pos + 1 || close > pos + 9)
                Fail(line, UiText::Translate("RegFile", "hex の型が不正です"));
            type = 0;
            for (std::size_t k = pos + 1; k < close; ++k) {
                const int d = chars::HexDigit(data[k]);
                if (d < 0)
                    Fail(line, UiText::Translate("RegFile", "hex の型が不正です"));
                type = type * 16 + static_cast<std::uint32_t>(d);
            }
            pos = close + 1;
        }
        if (pos >= data.size() || data[pos] != u':')
            Fail(line, UiText::Translate("RegFile", "hex の値が不正です"));
        const std::vector<unsigned char> bytes = ReadHexBytes(data.substr(pos + 1), line);
        if (type == RegistryValue::MultiString)
            return RegistryValue::FromList(Utf16List(bytes));
        if (type == RegistryValue::Dword && bytes.size() == 4)
            return RegistryValue::FromDword(static_cast<std::uint32_t>(
                bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (bytes[3] << 24)));
        RegistryValue value;
        value.type = type;
        value.bytes = bytes;
        return value;
    }
    if (data == u"-")
        Fail(line, UiText::Translate("RegFile", "値の削除 (=-) は使えません"));
    Fail(line, UiText::Translate("RegFile", "値の形式が不正です"));
}

std::optional<RegistryRoot> RootByName(std::u16string_view name) {
    std::u16string upper(name);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - 32);
    }
    if (upper == u"HKEY_CLASSES_ROOT" || upper == u"HKCR")
        return RegistryRoot::ClassesRoot;
    if (upper == u"HKEY_CURRENT_USER" || upper == u"HKCU")
        return RegistryRoot::CurrentUser;
    if (upper == u"HKEY_LOCAL_MACHINE" || upper == u"HKLM")
        return RegistryRoot::LocalMachine;
    return std::nullopt;
}

} // namespace

const char* RegFile::RootName(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case RegistryRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::CurrentUser:
        break;
    }
    return "HKEY_CURRENT_USER";
}

std::string RegFile::Utf8(std::u16string_view text) {
    return brevlin::Utf8::Encode(text);
}

std::string RegFile::Serialize(const RegistryTree& tree) {
    std::string out(Header);
    out += '\n';
    for (const RegistryKey* root : {&tree.classesRoot, &tree.currentUser, &tree.localMachine})
        AppendKey(out, *root, root->Name(), true);
    return out;
}

RegistryTree RegFile::Parse(std::string_view text) {
    RegistryTree tree;
    if (text.starts_with(Utf8::ByteOrderMark))
        text.remove_prefix(Utf8::ByteOrderMark.size());
    RegistryKey* section = nullptr;
    bool seenContent = false;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        const std::size_t lineNumber = ++number;

        // hex data may go on over lines that end in "\"
        std::string joined;
        if (!raw.empty() && raw.back() == '\\' && raw.find("=hex") != std::string_view::npos) {
            joined = raw;
            while (!joined.empty() && joined.back() == '\\' && start < text.size()) {
                joined.pop_back();
                end = text.find('\n', start);
                if (end == std::string_view::npos)
                    end = text.size();
                joined += TrimBlanks(text.substr(start, end - start));
                start = end + 1;
                ++number;
            }
            raw = joined;
        }

        if (raw.empty() || raw.front() == ';')
            continue;
        const auto decoded =
            brevlin::Utf8::Decode(raw); // strict: a file in another encoding is reported
        if (!decoded)
            Fail(lineNumber, UiText::Translate("RegFile", "UTF-8 として読めません"));
        const std::u16string_view line = *decoded;

        if (!seenContent) {
            seenContent = true;
            if (raw == Header || raw == "REGEDIT4")
                continue;
        }
        if (line.front() == u'[') {
            if (line.back() != u']' || line.size() < 3)
                Fail(lineNumber, UiText::Translate("RegFile", "キーの行が不正です"));
            const std::u16string_view path = line.substr(1, line.size() - 2);
            if (path.front() == u'-')
                Fail(lineNumber, UiText::Translate("RegFile", "キーの削除 ([-...]) は使えません"));
            const std::size_t slash = path.find(u'\\');
            const auto root = RootByName(path.substr(0, slash));
            if (!root)
                Fail(lineNumber, UiText::Translate("RegFile", "不明なルートキーです"));
            section = &tree.Root(*root);
            if (static_cast<std::size_t>(std::count(path.begin(), path.end(), u'\\')) >
                RegistryKey::MaxDepth)
                Fail(lineNumber,
                     UiText::Fill(UiText::Translate("RegFile", "キーの階層が深すぎます (%1 まで)"),
                                  {std::to_string(RegistryKey::MaxDepth)}));
            if (slash != std::u16string_view::npos) {
                try {
                    section = &section->Create(path.substr(slash + 1));
                } catch (const BrevlinError&) {
                    Fail(lineNumber, UiText::Translate("RegFile", "キーの名前が不正です"));
                }
            }
            continue;
        }
        if (!section)
            Fail(lineNumber, UiText::Translate("RegFile", "キーの行より前に値があります"));

        std::u16string name;
        std::size_t pos = 0;
        if (line.front() == u'@') {
            pos = 1;
        } else if (line.front() == u'"') {
            name = ReadQuoted(line, pos, lineNumber, nullptr);
        } else {
            Fail(lineNumber, UiText::Translate("RegFile", "値の名前がありません"));
        }
        while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t'))
            ++pos;
        if (pos >= line.size() || line[pos] != u'=')
            Fail(lineNumber, UiText::Translate("RegFile", "= がありません"));
        ++pos;
        while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t'))
            ++pos;
        section->SetValue(name, ReadData(line.substr(pos), lineNumber));
    }
    return tree;
}

} // namespace brevlin::platform
