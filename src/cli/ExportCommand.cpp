#include "cli/ExportCommand.h"

#include "cli/ArgumentList.h"
#include "cli/OutputGuard.h"
#include "cli/StoredSettings.h"
#include "cli/UsageError.h"
#include "settings/LanguageSet.h"

#include "platform/FilePath.h"
#include "text/UiText.h"

namespace brevlin::cli {

namespace {

bool NamesFolder(const std::string& path) {
    if (!path.empty() && (path.back() == '/' || path.back() == '\\'))
        return true;
    std::error_code error;
    return std::filesystem::is_directory(platform::FilePath::FromUtf8(path), error);
}

} // namespace

const char* ExportCommand::Usage() {
    return "usage: brevlin export NAME [FILE | FOLDER/]\n";
}

int ExportCommand::Run(const std::vector<std::string>& arguments) {
    const std::vector<std::string> operands = ArgumentList(arguments).Operands();
    if (operands.empty() || operands.size() > 2)
        throw UsageError("export needs NAME and at most one FILE");

    StoredSettings settings;
    settings.Load();
    const Language& language = settings.Find(operands[0]);
    const std::string fileName = ToUtf8(LanguageSet::StripFileNameChars(language.Name()) + u".bvl");
    std::filesystem::path path = platform::FilePath::FromUtf8(fileName);
    std::string shown = fileName;
    if (operands.size() == 2) {
        shown = operands[1];
        path = platform::FilePath::FromUtf8(operands[1]);
        if (NamesFolder(operands[1])) {
            path /= platform::FilePath::FromUtf8(fileName);
            shown = platform::FilePath::ToUtf8(path);
        }
    }
    // The file is replaced whole: over the settings file, every stored language would go.
    if (const auto store = settings.File())
        OutputGuard(shown, path).Refuse(*store, UiText::Translate("OutputGuard", "設定ファイル"));
    LanguageSet::ExportLanguage(language, path);
    return 0;
}

} // namespace brevlin::cli
