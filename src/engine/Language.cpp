#include "engine/Language.h"

#include "engine/TextRoutines.h"

namespace brevlin {

Text Language::CreateWordSeperatePattern() const {
    return CreateWordSeperatePattern([](const Comment&) { return true; });
}

Text BuildWordSeperatePattern(const std::vector<const Comment*>& rules) {
    Text pattern;
    const auto append = [&pattern](const Text& alternative) {
        pattern += alternative;
        pattern += u'|';
    };
    // Line rules first, then block rules, each in collection order; the fixed
    // alternatives last, so every position of the text matches something.
    for (const Comment* rule : rules) {
        if (!rule->ClauseEnd().empty())
            continue;
        const Text s = EscapeRegExp(rule->ClauseStart());
        append(rule->MatchWord() ? u"\\b" + s + u"\\s*[^\\r\\n]*" : s + u"[^\\r\\n]*");
    }
    for (const Comment* rule : rules) {
        const Text& end = rule->ClauseEnd();
        if (end.empty())
            continue;
        const Text s = EscapeRegExp(rule->ClauseStart());
        const Text e = EscapeRegExp(end);
        if (end.size() == 1) {
            Text escapePair;
            if (!rule->EscapeChar().empty())
                escapePair = u"(" + EscapeRegExp(rule->EscapeChar()) + e + u")|";
            append(s + u"(" + escapePair + u"[^" + e + u"])*" + e);
        } else {
            const Text f = EscapeRegExp(end.substr(0, 1));
            const Text r = EscapeRegExp(end.substr(1, 1));
            append(s + u"([^" + f + u"]" + r + u"|[^" + r + u"])*" + e);
        }
    }
    pattern += u"[";
    pattern += u"\\w#";
    pattern += u"]+|\\s+|[^";
    pattern += u"\\w#";
    pattern += u"]";
    return pattern;
}

} // namespace brevlin
