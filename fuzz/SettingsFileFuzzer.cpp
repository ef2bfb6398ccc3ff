// The settings file parser on arbitrary bytes: it either refuses them with a ParseError or
// gives a tree that is written and read back to the same tree.

#include "platform/registry/RegFile.h"

#include <cstdio>
#include <cstdlib>

using brevlin::platform::RegFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string written;
    try {
        written = RegFile::Serialize(RegFile::Parse(bytes));
    } catch (const RegFile::ParseError&) {
        return 0;
    }
    std::string again;
    try {
        again = RegFile::Serialize(RegFile::Parse(written));
    } catch (const RegFile::ParseError& error) {
        std::fprintf(stderr, "a written settings file does not read back: line %zu: %s\n",
                     error.Line(), error.what());
        std::abort();
    }
    if (again != written) {
        std::fprintf(stderr, "a settings file changes when written again\n");
        std::abort();
    }
    return 0;
}
