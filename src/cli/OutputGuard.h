#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <string>

namespace brevlin::cli {

// Keeps a command from writing over a file it reads: the output would replace the very
// bytes it came from. Files are told apart by what they are (device and file number, or
// volume and file index), not by their names, so another spelling, a link or a hard link
// of an input is caught too. Only a regular file counts: /dev/null may be read and written.
class OutputGuard {
public:
    // `output` is the file that is to be written (UTF-8, as given on the command line).
    explicit OutputGuard(const std::string& output);
    OutputGuard(const std::string& output, const std::filesystem::path& path);

    // Raise an error naming the output and `what` (the kind of input, for the message) when
    // the output is that file.
    void Refuse(const std::filesystem::path& input, const std::string& what) const;
    void RefuseStandardInput() const;

private:
    void Refuse(const platform::FileSystem::Stamp& input, const std::string& what) const;

    std::string m_name;
    platform::FileSystem::Stamp m_output;
};

} // namespace brevlin::cli
