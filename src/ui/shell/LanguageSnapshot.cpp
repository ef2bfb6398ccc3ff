#include "LanguageSnapshot.h"

namespace brevlin::shell {

std::shared_ptr<const Language> LanguageSnapshot::Of(const Language& language) {
    auto copy = std::make_shared<Language>();
    copy->SetIndex(language.Index());
    copy->SetName(language.Name());
    copy->SetIgnoreCase(language.IgnoreCase());
    copy->SetStartTag(language.StartTag());
    copy->SetEndTag(language.EndTag());
    copy->SetReplaceTab(language.ReplaceTab());
    copy->SetTabColumns(language.TabColumns());

    // Same keywords in the same order: an in-place edit may have left the list unsorted,
    // and the pattern follows the order.
    const Keywords& keywords = language.Keywords();
    for (int i = 1; i <= keywords.Count(); ++i)
        copy->Keywords().Add(keywords.Item(i));
    for (int i = 1; i <= keywords.Count(); ++i) {
        if (copy->Keywords().Item(i) != keywords.Item(i))
            copy->Keywords().SetItem(i, keywords.Item(i));
    }

    for (const auto& rule : language.Comments()) {
        Comment& target = copy->Comments().Add();
        target.SetClauseStart(rule->ClauseStart());
        target.SetClauseEnd(rule->ClauseEnd());
        target.SetEscapeChar(rule->EscapeChar());
        target.SetMatchWord(rule->MatchWord());
        target.SetStartTag(rule->StartTag());
        target.SetEndTag(rule->EndTag());
    }
    return copy;
}

} // namespace brevlin::shell
