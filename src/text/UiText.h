#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brevlin {

// The texts that the libraries without Qt show the user, error descriptions above all. Their
// source is the system's own Japanese; a program that speaks another language sets a
// translator at start-up, before any other thread runs. lupdate collects the texts from
// Translate's calls, whose context and text must therefore be string literals.
class UiText {
public:
    // Returns the translation of `text` (UTF-8) in `context`, or an empty text for none.
    using Translator = std::string (*)(const char* context, const char* text);

    static void SetTranslator(Translator translator);

    // `text` of `context` in the language the program speaks.
    static std::string Translate(const char* context, const char* text);

    // `text` with %1 to %9 replaced by the arguments, in one pass: an argument that holds
    // "%2" stays as it is, and so does a number without an argument.
    static std::string Fill(std::string_view text,
                            std::initializer_list<std::string_view> arguments);
};

} // namespace brevlin
