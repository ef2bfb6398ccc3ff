#pragma once

#include "platform/SaveFile.h"

#include <memory>
#include <optional>
#include <string>

namespace brevlin::cli {

// Where a conversion's bytes go, piece by piece: standard output, or a file that is replaced
// only when Commit is reached (a temporary file beside it, put in its place). Without a
// Commit the old file stays as it was.
class HtmlOutput {
public:
    explicit HtmlOutput(const std::optional<std::string>& path);
    HtmlOutput(const HtmlOutput&) = delete;
    HtmlOutput& operator=(const HtmlOutput&) = delete;

    void Write(const char* data, std::size_t size);
    void Commit();

private:
    std::string m_path;
    std::unique_ptr<platform::SaveFile> m_file;
};

} // namespace brevlin::cli
