#include "cli/ArgumentList.h"

#include "cli/UsageError.h"

namespace brevlin::cli {

ArgumentList::ArgumentList(std::vector<std::string> arguments)
    : m_arguments(std::move(arguments)) {}

bool ArgumentList::TakeFlag(const std::string& name) {
    bool found = false;
    for (auto it = m_arguments.begin(); it != m_arguments.end();) {
        if (*it == "--")
            break;
        if (*it == name) {
            it = m_arguments.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found;
}

std::optional<std::string> ArgumentList::TakeValue(const std::string& name) {
    std::optional<std::string> value;
    for (auto it = m_arguments.begin(); it != m_arguments.end();) {
        if (*it == "--")
            break;
        if (*it == name) {
            if (it + 1 == m_arguments.end())
                throw UsageError("option " + name + " needs a value");
            value = *(it + 1);
            it = m_arguments.erase(it, it + 2);
        } else if (it->rfind(name + "=", 0) == 0) {
            value = it->substr(name.size() + 1);
            it = m_arguments.erase(it);
        } else {
            ++it;
        }
    }
    return value;
}

std::vector<std::string> ArgumentList::Operands() const {
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (const std::string& argument : m_arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.size() > 1 && argument[0] == '-')
            throw UsageError("unknown option " + argument);
        operands.push_back(argument);
    }
    return operands;
}

} // namespace brevlin::cli
