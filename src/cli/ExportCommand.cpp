#include "ExportCommand.h"

#include "ArgumentList.h"
#include "StoredSettings.h"
#include "UsageError.h"
#include "settings/LanguageSet.h"

#include <QString>

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
    const QString path =
        operands.size() == 2
            ? QString::fromStdString(operands[1])
            : QString::fromStdU16String(LanguageSet::StripFileNameChars(language.Name()) + u".bvl");
    LanguageSet::ExportLanguage(language, path);
    return 0;
}

} // namespace brevlin::cli
