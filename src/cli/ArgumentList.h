#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brevlin::cli {

// The arguments of one command: options are taken out by name, what remains are operands.
class ArgumentList {
public:
    explicit ArgumentList(std::vector<std::string> arguments);

    // "--name" present (removed when found).
    bool TakeFlag(const std::string& name);
    // "--name VALUE" or "--name=VALUE"; a missing value is a usage error.
    std::optional<std::string> TakeValue(const std::string& name);
    // The operands left; an unknown option among them is a usage error.
    std::vector<std::string> Operands() const;

private:
    std::vector<std::string> m_arguments;
};

} // namespace brevlin::cli
