#include "cli/ConvertCommand.h"

#include "cli/ArgumentList.h"
#include "cli/FileIO.h"
#include "cli/HtmlOutput.h"
#include "cli/OutputGuard.h"
#include "cli/StandalonePage.h"
#include "cli/StoredSettings.h"
#include "cli/TextCodec.h"
#include "cli/UsageError.h"
#include "engine/Highlighter.h"
#include "settings/InlineStyles.h"
#include "settings/LanguageFile.h"
#include "settings/ProductName.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "text/UiText.h"
#include "text/Utf8.h"

#include <cstdio>

namespace brevlin::cli {

const char* ConvertCommand::Usage() {
    return "usage: brevlin convert (--bvl FILE | --language NAME)\n"
           "                       [--optimize-tags | --no-optimize-tags] [--raw]\n"
           "                       [--encoding utf-8|cp932] [--engine fast|regex]\n"
           "                       [--standalone | --inline-styles [--stylesheet FILE]]\n"
           "                       [-o OUTPUT] [INPUT]\n";
}

int ConvertCommand::Run(const std::vector<std::string>& arguments) {
    ArgumentList args(arguments);
    const std::optional<std::string> bvl = args.TakeValue("--bvl");
    const std::optional<std::string> languageName = args.TakeValue("--language");
    const bool optimizeOn = args.TakeFlag("--optimize-tags");
    const bool optimizeOff = args.TakeFlag("--no-optimize-tags");
    const bool raw = args.TakeFlag("--raw");
    const bool standalone = args.TakeFlag("--standalone");
    const bool inlineStyles = args.TakeFlag("--inline-styles");
    const std::optional<std::string> stylesheet = args.TakeValue("--stylesheet");
    const std::string encodingName = args.TakeValue("--encoding").value_or("utf-8");
    const std::string engineName = args.TakeValue("--engine").value_or("fast");
    std::optional<std::string> output = args.TakeValue("-o");
    if (!output)
        output = args.TakeValue("--output");
    const std::vector<std::string> operands = args.Operands();

    if (bvl.has_value() == languageName.has_value())
        throw UsageError("convert needs either --bvl FILE or --language NAME");
    if (optimizeOn && optimizeOff)
        throw UsageError("--optimize-tags and --no-optimize-tags exclude each other");
    if (operands.size() > 1)
        throw UsageError("convert takes at most one INPUT");
    if (standalone && inlineStyles)
        throw UsageError("--standalone and --inline-styles exclude each other");
    if (stylesheet && !inlineStyles)
        throw UsageError("--stylesheet needs --inline-styles");
    InputEncoding encoding;
    if (encodingName == "utf-8" || encodingName == "utf8" || encodingName == "UTF-8")
        encoding = InputEncoding::Utf8;
    else if (encodingName == "cp932" || encodingName == "CP932")
        encoding = InputEncoding::Cp932;
    else
        throw UsageError("unknown encoding " + encodingName + " (utf-8 or cp932)");
    HighlightOptions options;
    if (engineName == "fast")
        options.Engine = HighlightEngine::Fast;
    else if (engineName == "regex")
        options.Engine = HighlightEngine::Regex;
    else
        throw UsageError("unknown engine " + engineName + " (fast or regex)");

    // Load the language first: a refused file wastes no reading of a big input.
    std::unique_ptr<Language> fromFile;
    std::optional<StoredSettings> stored;
    const Language* language = nullptr;
    bool optimizeTags = optimizeOn;
    if (bvl) {
        fromFile = LanguageFile::Load(platform::FilePath::FromUtf8(*bvl));
        language = fromFile.get();
    } else {
        stored.emplace();
        stored->Load();
        language = &stored->Find(*languageName);
        // The stored switch, unless the command line says otherwise.
        optimizeTags = optimizeOn || (!optimizeOff && stored->optimizeTags);
    }
    std::shared_ptr<const StyleSheet> sheet;
    if (stylesheet) {
        sheet = StyleSheet::Load(platform::FilePath::FromUtf8(*stylesheet));
    } else if (inlineStyles) {
        // The sheet chosen in the options, as the tray program's paste uses it; one that
        // cannot be read does not stop the conversion.
        std::optional<BrevlinError> trouble;
        sheet = StyleSheet::LoadOrBundled(
            stored ? platform::FilePath::FromUtf8(ToUtf8(stored->pasteStyleSheet))
                   : std::filesystem::path(),
            &trouble);
        if (trouble) {
            const std::string message = UiText::Fill(
                UiText::Translate("ConvertCommand", "%1: %2; 同梱のスタイルシートを使います"),
                {trouble->what(), trouble->Detail()});
            std::fprintf(stderr, "brevlin: %s\n", message.c_str());
        }
    }

    const bool fromStandardInput = operands.empty() || operands[0] == "-";
    if (output && *output != "-") {
        // The output replaces its file whole: over a file that is read, that file is lost.
        const OutputGuard guard(*output);
        if (fromStandardInput)
            guard.RefuseStandardInput();
        else
            guard.Refuse(platform::FilePath::FromUtf8(operands[0]),
                         UiText::Translate("OutputGuard", "入力ファイル"));
        if (bvl)
            guard.Refuse(platform::FilePath::FromUtf8(*bvl),
                         UiText::Translate("OutputGuard", "言語設定ファイル"));
        else if (const auto store = stored->File())
            guard.Refuse(*store, UiText::Translate("OutputGuard", "設定ファイル"));
        if (stylesheet)
            guard.Refuse(platform::FilePath::FromUtf8(*stylesheet),
                         UiText::Translate("OutputGuard", "スタイルシート"));
    }

    Text text;
    {
        // The bytes go as soon as they are decoded: a big input is not held twice.
        const std::string input =
            fromStandardInput ? FileIO::ReadStandardInput() : FileIO::ReadFile(operands[0]);
        text = TextCodec::Decode(input, encoding, !raw);
    }

    options.OptimizeTags = optimizeTags;
    HtmlOutput out(output);
    if (standalone) {
        // The input's name, read as the command line's other paths are.
        const Text title = fromStandardInput ? FromUtf8(ProductName) : FromUtf8(operands[0]);
        const std::string head = StandalonePage::Head(title);
        out.Write(head.data(), head.size());
    }
    std::optional<InlineStyles> styles;
    if (sheet) {
        styles.emplace(sheet);
        std::string head;
        Utf8::Append(head, styles->Head(), false);
        out.Write(head.data(), head.size());
    }
    // The result comes in pieces; a CR at the end of one is held back until the next piece
    // shows whether an LF follows (CR LF becomes LF).
    std::string bytes;
    bool heldCr = false;
    const auto write = [&](TextView piece) {
        if (piece.empty())
            return;
        bytes.clear();
        if (heldCr && piece.front() != u'\n')
            bytes += '\r';
        heldCr = !raw && piece.back() == u'\r';
        if (heldCr)
            piece.remove_suffix(1);
        Utf8::Append(bytes, piece, !raw);
        out.Write(bytes.data(), bytes.size());
    };
    Text styled;
    HighlightTextTo(*language, text, options, [&](TextView piece) {
        if (!styles) {
            write(piece);
            return;
        }
        styled.clear();
        styles->Append(piece, styled);
        write(styled);
    });
    if (styles) {
        styled.clear();
        styles->Finish(styled);
        write(styled);
    }
    if (heldCr)
        out.Write("\r", 1);
    if (styles) {
        const std::string tail = ToUtf8(InlineStyles::Tail());
        out.Write(tail.data(), tail.size());
    }
    if (standalone) {
        const std::string tail = StandalonePage::Tail();
        out.Write(tail.data(), tail.size());
    }
    out.Commit();
    return 0;
}

} // namespace brevlin::cli
