#include "engine/RegExp.h"

#include "text/BrevlinError.h"
#include "text/UiText.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace brevlin {

namespace {

// Large enough for tokens of many megabytes: the JIT needs about 32 bytes per character
// of a block comment. Pages are only touched when used.
constexpr std::size_t kJitStackMax = std::size_t{1} << 30;

std::string Pcre2Message(int code) {
    PCRE2_UCHAR16 buffer[256];
    const int n = pcre2_get_error_message(code, buffer, 256);
    if (n < 0)
        return "PCRE2 error " + std::to_string(code);
    return ToUtf8(TextView(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n)));
}

} // namespace

struct RegExp::Impl {
    pcre2_code* code = nullptr;
    pcre2_match_data* matchData = nullptr;
    pcre2_match_context* matchContext = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    bool jit = false;

    ~Impl() { Reset(); }
    void Reset() {
        if (matchData)
            pcre2_match_data_free(matchData);
        if (matchContext)
            pcre2_match_context_free(matchContext);
        if (jitStack)
            pcre2_jit_stack_free(jitStack);
        if (code)
            pcre2_code_free(code);
        code = nullptr;
        matchData = nullptr;
        matchContext = nullptr;
        jitStack = nullptr;
        jit = false;
    }
};

RegExp::RegExp() : m_impl(std::make_unique<Impl>()) {}
RegExp::~RegExp() = default;

void RegExp::SetPattern(Text pattern) {
    if (pattern == m_pattern && m_impl->code)
        return;
    m_pattern = std::move(pattern);
    m_impl->Reset();
}

void RegExp::SetIgnoreCase(bool value) {
    if (value == m_ignoreCase)
        return;
    m_ignoreCase = value;
    m_impl->Reset();
}

void RegExp::Compile() {
    if (m_impl->code)
        return;
    uint32_t options = PCRE2_DOLLAR_ENDONLY;
    if (m_ignoreCase)
        options |= PCRE2_CASELESS;
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, PCRE2_NEWLINE_LF);
    // \b, \w, \s follow ASCII without PCRE2_UCP; the default tables give \s as the six
    // ASCII spaces.
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    m_impl->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR16>(m_pattern.data()), m_pattern.size(),
                                 options, &errorCode, &errorOffset, context);
    pcre2_compile_context_free(context);
    if (!m_impl->code) {
        throw BrevlinError(
            errors::InvalidPattern,
            UiText::Fill(
                UiText::Translate("RegExp", "正規表現の構文が正しくありません: %1 (%2, %3)"),
                {ToUtf8(m_pattern), Pcre2Message(errorCode), std::to_string(errorOffset)}));
    }
    m_impl->matchData = pcre2_match_data_create_from_pattern(m_impl->code, nullptr);
    m_impl->matchContext = pcre2_match_context_create(nullptr);
    if (pcre2_jit_compile(m_impl->code, PCRE2_JIT_COMPLETE) == 0) {
        m_impl->jitStack = pcre2_jit_stack_create(32 * 1024, kJitStackMax, nullptr);
        if (m_impl->jitStack) {
            pcre2_jit_stack_assign(m_impl->matchContext, nullptr, m_impl->jitStack);
            m_impl->jit = true;
        }
    }
}

long RegExp::Search(TextView subject, std::size_t start, RegExpMatch& match) {
    Compile();
    const auto* data = reinterpret_cast<PCRE2_SPTR16>(subject.data());
    const int rc = m_impl->jit ? pcre2_jit_match(m_impl->code, data, subject.size(), start, 0,
                                                 m_impl->matchData, m_impl->matchContext)
                               : pcre2_match(m_impl->code, data, subject.size(), start, 0,
                                             m_impl->matchData, m_impl->matchContext);
    if (rc == PCRE2_ERROR_NOMATCH)
        return -1;
    if (rc < 0) {
        throw BrevlinError(
            errors::RegexFailure,
            UiText::Fill(UiText::Translate("RegExp", "正規表現の照合に失敗しました: %1 (%2)"),
                         {Pcre2Message(rc), ToUtf8(m_pattern.substr(0, 200))}));
    }
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_impl->matchData);
    match.FirstIndex = ovector[0];
    match.Length = ovector[1] - ovector[0];
    return static_cast<long>(match.Length);
}

std::vector<RegExpMatch> RegExp::Execute(TextView subject) {
    std::vector<RegExpMatch> matches;
    std::size_t start = 0;
    RegExpMatch match;
    while (start <= subject.size() && Search(subject, start, match) >= 0) {
        matches.push_back(match);
        if (!m_global)
            break;
        start = match.FirstIndex + (match.Length > 0 ? match.Length : 1);
    }
    return matches;
}

bool RegExp::Test(TextView subject) {
    RegExpMatch match;
    return Search(subject, 0, match) >= 0;
}

bool RegExp::FindFrom(TextView subject, std::size_t start, RegExpMatch& match) {
    return start <= subject.size() && Search(subject, start, match) >= 0;
}

Text RegExp::Replace(TextView subject, TextView replacement) {
    Text out;
    std::size_t copied = 0;
    for (const RegExpMatch& m : Execute(subject)) {
        out.append(subject.substr(copied, m.FirstIndex - copied));
        out.append(replacement);
        copied = m.FirstIndex + m.Length;
    }
    out.append(subject.substr(copied));
    return out;
}

} // namespace brevlin
