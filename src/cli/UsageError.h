#pragma once

#include <stdexcept>
#include <string>

namespace brevlin::cli {

// A command line that cannot be understood; reported with exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace brevlin::cli
