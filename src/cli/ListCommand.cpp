#include "cli/ListCommand.h"

#include "cli/ArgumentList.h"
#include "cli/FileIO.h"
#include "cli/StoredSettings.h"
#include "cli/UsageError.h"
#include "text/UiText.h"

#include <cstdio>

namespace brevlin::cli {

const char* ListCommand::Usage() {
    return "usage: brevlin list\n";
}

int ListCommand::Run(const std::vector<std::string>& arguments) {
    if (!ArgumentList(arguments).Operands().empty())
        throw UsageError("list takes no operands");
    StoredSettings settings;
    settings.Load();
    if (settings.languages.Count() == 0) {
        // Standard output stays empty, so that scripts reading the names find none.
        const std::string message =
            UiText::Translate("ListCommand", "言語設定がありません。brevlin import FILE で言語設定"
                                             "ファイル (.bvl) を取り込めます。");
        std::fprintf(stderr, "brevlin: %s\n", message.c_str());
        return 0;
    }
    std::string names;
    for (const auto& language : settings.languages)
        names += ToUtf8(language->Name()) + "\n";
    FileIO::WriteStandardOutput(names);
    return 0;
}

} // namespace brevlin::cli
