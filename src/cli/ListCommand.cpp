#include "ListCommand.h"

#include "ArgumentList.h"
#include "FileIO.h"
#include "StoredSettings.h"
#include "UsageError.h"

namespace brevlin::cli {

const char* ListCommand::Usage() {
    return "usage: brevlin list\n";
}

int ListCommand::Run(const std::vector<std::string>& arguments) {
    if (!ArgumentList(arguments).Operands().empty())
        throw UsageError("list takes no operands");
    StoredSettings settings;
    settings.Load();
    std::string names;
    for (const auto& language : settings.languages)
        names += ToUtf8(language->Name()) + "\n";
    FileIO::WriteStandardOutput(names);
    return 0;
}

} // namespace brevlin::cli
