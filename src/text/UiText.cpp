#include "text/UiText.h"

namespace brevlin {

namespace {

UiText::Translator g_translator = nullptr;

} // namespace

void UiText::SetTranslator(Translator translator) {
    g_translator = translator;
}

std::string UiText::Translate(const char* context, const char* text) {
    if (g_translator != nullptr) {
        std::string translated = g_translator(context, text);
        if (!translated.empty())
            return translated;
    }
    return text;
}

std::string UiText::Fill(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < arguments.size()) {
                filled += arguments.begin()[index];
                ++i;
                continue;
            }
        }
        filled += c;
    }
    return filled;
}

} // namespace brevlin
