#include "settings/StyleSheet.h"

#include "settings/BundledStyleSheet.h"
#include "settings/CssReader.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "text/UiText.h"

#include <algorithm>
#include <functional>

namespace brevlin {

namespace {

// Used where the sheet names no font for <pre>: common monospace faces of Windows, macOS and
// Linux, then the generic family, which some mail programs do not know on its own.
const Text DefaultFont = u"Consolas, Menlo, 'DejaVu Sans Mono', 'Courier New', monospace";

// The cascade over the rules whose selectors `matches` accepts: of the declarations of one
// property, an important one beats a normal one, then the higher specificity, then the later
// one. The properties keep the order in which they first appear.
std::vector<StyleSheet::Declaration>
Cascade(const std::vector<StyleSheet::Rule>& rules,
        const std::function<bool(const StyleSheet::Selector&)>& matches) {
    struct Applied {
        int specificity;
        std::size_t order;
        const StyleSheet::Rule* rule;
    };
    std::vector<Applied> applied;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        int best = -1;
        for (const StyleSheet::Selector& selector : rules[i].selectors)
            if (matches(selector))
                best = std::max(best, selector.Specificity());
        if (best >= 0)
            applied.push_back({best, i, &rules[i]});
    }
    std::stable_sort(applied.begin(), applied.end(), [](const Applied& a, const Applied& b) {
        return a.specificity < b.specificity;
    });
    std::vector<StyleSheet::Declaration> result;
    for (const Applied& rule : applied) {
        for (const StyleSheet::Declaration& declaration : rule.rule->declarations) {
            auto found = std::find_if(result.begin(), result.end(), [&](const auto& d) {
                return d.property == declaration.property;
            });
            if (found == result.end())
                result.push_back(declaration);
            else if (declaration.important || !found->important)
                *found = declaration;
        }
    }
    return result;
}

bool Has(const std::vector<StyleSheet::Declaration>& declarations, TextView property) {
    return std::any_of(declarations.begin(), declarations.end(),
                       [&](const auto& d) { return d.property == property; });
}

} // namespace

int StyleSheet::Selector::Specificity() const {
    // Classes count above element names, as in CSS (no selector here has an id).
    return static_cast<int>(classes.size()) * 256 + (element.empty() ? 0 : 1) + (insidePre ? 1 : 0);
}

Text StyleSheet::StyleText(const std::vector<Declaration>& declarations) {
    Text style;
    for (const Declaration& declaration : declarations) {
        if (!style.empty())
            style += u"; ";
        style += declaration.property + u": " + declaration.value;
    }
    return style;
}

std::vector<StyleSheet::Declaration>
StyleSheet::StyleOf(TextView element, const std::vector<TextView>& classes) const {
    return Cascade(rules, [&](const Selector& selector) {
        if (selector.classes.empty())
            return false;
        if (!selector.element.empty() && selector.element != element)
            return false;
        return std::all_of(selector.classes.begin(), selector.classes.end(), [&](const Text& name) {
            return std::find(classes.begin(), classes.end(), name) != classes.end();
        });
    });
}

std::vector<StyleSheet::Declaration> StyleSheet::PreStyle() const {
    std::vector<Declaration> style = Cascade(rules, [](const Selector& selector) {
        return selector.classes.empty() && !selector.insidePre && selector.element == u"pre";
    });
    if (!Has(style, u"color"))
        style.push_back({u"color", u"#000000", false});
    if (!Has(style, u"font-family") && !Has(style, u"font"))
        style.push_back({u"font-family", DefaultFont, false});
    std::erase_if(style, [](const Declaration& d) { return d.property == u"white-space"; });
    style.push_back({u"white-space", u"pre-wrap", false});
    return style;
}

std::shared_ptr<const StyleSheet> StyleSheet::Bundled() {
    static const std::shared_ptr<const StyleSheet> bundled =
        std::make_shared<const StyleSheet>(CssReader::Read(kBundledStyleSheet));
    return bundled;
}

std::shared_ptr<const StyleSheet> StyleSheet::Load(const std::filesystem::path& file) {
    const std::string name = platform::FilePath::ToUtf8(file);
    std::string bytes;
    try {
        bytes = platform::FileSystem::ReadWhole(file, MaxFileSize, true);
    } catch (const platform::FileSystem::Error& error) {
        throw BrevlinError(errors::FileNotFound,
                           UiText::Translate("StyleSheet", "スタイルシートを読めません: ") + name,
                           error.what());
    }
    try {
        return std::make_shared<const StyleSheet>(CssReader::Read(bytes));
    } catch (const BrevlinError& error) {
        throw BrevlinError(error.Number(),
                           UiText::Translate("StyleSheet", "スタイルシートとして読めません: ") +
                               name,
                           error.Description());
    }
}

std::shared_ptr<const StyleSheet> StyleSheet::LoadOrBundled(const std::filesystem::path& file,
                                                            std::optional<BrevlinError>* trouble) {
    if (!file.empty()) {
        try {
            return Load(file);
        } catch (const BrevlinError& error) {
            if (trouble != nullptr)
                *trouble = error;
        }
    }
    return Bundled();
}

} // namespace brevlin
