#include "ConvertCommand.h"
#include "UsageError.h"
#include "engine/BrevlinError.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* kHelp =
    "brevlin - highlight source code as HTML with your Brevlin Glosser languages\n"
    "\n"
    "usage: brevlin convert --bvl FILE [--optimize-tags] [--raw]\n"
    "                       [--encoding utf-8|cp932] [--engine fast|regex]\n"
    "                       [-o OUTPUT] [INPUT]\n"
    "       brevlin --help | --version\n"
    "\n"
    "convert   reads INPUT (standard input when absent or -), converts it with the\n"
    "          language of FILE and writes the HTML in UTF-8 to standard output or\n"
    "          OUTPUT (replaced whole).\n"
    "  --optimize-tags   neighbouring keywords share one pair of tags\n"
    "  --raw             no line-end translation (LF <-> CR LF)\n"
    "  --encoding        encoding of INPUT, utf-8 (default) or cp932\n"
    "  --engine          fast (default) or regex, the reference matcher, for comparison\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("brevlin");
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty())
            throw brevlin::cli::UsageError("a command is needed; see brevlin --help");
        const std::string command = args.front();
        args.erase(args.begin());
        if (command == "--help" || command == "-h" || command == "help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (command == "--version") {
            std::printf("brevlin %s\n", BREVLIN_VERSION);
            return 0;
        }
        if (command == "convert")
            return brevlin::cli::ConvertCommand::Run(args);
        throw brevlin::cli::UsageError("unknown command " + command + "; see brevlin --help");
    } catch (const brevlin::cli::UsageError& error) {
        std::fprintf(stderr, "brevlin: %s\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brevlin: %s\n", error.what());
        return 1;
    }
}
