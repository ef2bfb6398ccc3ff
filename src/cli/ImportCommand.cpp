#include "cli/ImportCommand.h"

#include "cli/ArgumentList.h"
#include "cli/StoredSettings.h"
#include "cli/UsageError.h"
#include "settings/LanguageSet.h"
#include "text/BrevlinError.h"

#include "platform/FilePath.h"
#include "text/UiText.h"

namespace brevlin::cli {

const char* ImportCommand::Usage() {
    return "usage: brevlin import FILE [--replace]\n";
}

int ImportCommand::Run(const std::vector<std::string>& arguments) {
    ArgumentList args(arguments);
    const bool replace = args.TakeFlag("--replace");
    const std::vector<std::string> operands = args.Operands();
    if (operands.size() != 1)
        throw UsageError("import needs one FILE");

    StoredSettings settings;
    // A damaged store is reported here rather than saved over below.
    settings.Load();
    // From loading to saving, no other writer comes between.
    clsRegistry::Batch batch(settings.registry, platform::RegistryStore::BatchMode::Write);
    settings.Load();
    Text existing;
    const auto result = LanguageSet::ImportLanguage(
        settings.languages, platform::FilePath::FromUtf8(operands[0]), [&](const Text& name) {
            existing = name;
            return replace;
        });
    if (!result.language)
        throw BrevlinError(
            errors::DuplicateName,
            UiText::Fill(UiText::Translate("ImportCommand",
                                           "言語設定「%1」は既に存在します。置き換"
                                           "えるには --replace を指定してください。"),
                         {ToUtf8(existing)}));
    settings.Save();
    batch.Commit();
    return 0;
}

} // namespace brevlin::cli
