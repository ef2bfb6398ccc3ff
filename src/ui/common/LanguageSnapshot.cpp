#include "ui/common/LanguageSnapshot.h"

namespace brevlin {

std::shared_ptr<const Language> LanguageSnapshot::Of(const Language& language) {
    auto copy = std::make_shared<Language>();
    copy->SetIndex(language.Index());
    copy->SetName(language.Name());
    copy->SetIgnoreCase(language.IgnoreCase());
    copy->SetStartTag(language.StartTag());
    copy->SetEndTag(language.EndTag());
    copy->SetReplaceTab(language.ReplaceTab());
    copy->SetTabColumns(language.TabColumns());
    copy->SetPreviewSample(language.PreviewSample());

    // The same list in the same order with its pattern, copied whole: an in-place edit may
    // have left it unsorted, and adding keyword by keyword rebuilds the pattern each time.
    copy->Keywords() = language.Keywords();

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

} // namespace brevlin
