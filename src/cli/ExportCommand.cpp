#include "ExportCommand.h"

#include "ArgumentList.h"
#include "StoredSettings.h"
#include "UsageError.h"
#include "settings/LanguageSet.h"

#include "platform/FilePath.h"

namespace brevlin::cli {

const char* ExportCommand::Usage() {
    return "usage: brevlin export NAME [FILE]\n";
}

int ExportCommand::Run(const std::vector<std::string>& arguments) {
    const std::vector<std::string> operands = ArgumentList(arguments).Operands();
    if (operands.empty() || operands.size() > 2)
        throw UsageError("export needs NAME and at most one FILE");

    StoredSettings settings;
    settings.Load();
    const Language& language = settings.Find(operands[0]);
    const std::string path =
        operands.size() == 2 ? operands[1]
                             : ToUtf8(LanguageSet::StripFileNameChars(language.Name()) + u".bvl");
    LanguageSet::ExportLanguage(language, platform::FilePath::FromUtf8(path));
    return 0;
}

} // namespace brevlin::cli
