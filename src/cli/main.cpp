#include "cli/ConvertCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ListCommand.h"
#include "cli/MessageCatalog.h"
#include "cli/UsageError.h"
#include "text/BrevlinError.h"

#include "platform/ConsoleProgram.h"
#include "settings/ProductName.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// After the first line, which names the product.
const char* kHelp =
    "\n"
    "usage: brevlin convert (--bvl FILE | --language NAME)\n"
    "                       [--optimize-tags | --no-optimize-tags] [--raw]\n"
    "                       [--encoding utf-8|cp932] [--engine fast|regex]\n"
    "                       [--standalone | --inline-styles [--stylesheet FILE]]\n"
    "                       [-o OUTPUT] [INPUT]\n"
    "       brevlin list\n"
    "       brevlin import FILE [--replace]\n"
    "       brevlin export NAME [FILE | FOLDER/]\n"
    "       brevlin --help | --version\n"
    "\n"
    "convert   reads INPUT (standard input when absent or -), converts it with the\n"
    "          language of FILE or the stored language NAME (letter case counts only\n"
    "          where two names differ in nothing else) and writes the HTML in UTF-8 to\n"
    "          standard output or OUTPUT (replaced whole; never a file that is read).\n"
    "  --optimize-tags     neighbouring keywords share one pair of tags (with\n"
    "  --no-optimize-tags  --language the stored switch is the default)\n"
    "  --raw               no line-end translation (LF <-> CR LF)\n"
    "  --encoding          encoding of INPUT, utf-8 (default) or cp932; INPUT that\n"
    "                      starts with a UTF-16 byte-order mark is read as UTF-16\n"
    "  --engine            fast (default) or regex, the reference matcher, for comparison\n"
    "  --standalone        a whole HTML page, the code inside <pre> with the bundled\n"
    "                      style sheet inlined, for a look in a browser\n"
    "  --inline-styles     the fragment that the tray program's rich paste carries: the\n"
    "                      style sheet's rules as style attributes, inside a styled\n"
    "                      <pre>, for mail and documents that keep no classes; the sheet\n"
    "                      is FILE, else (with --language) the one chosen in the options,\n"
    "                      else the bundled one\n"
    "list      prints the stored languages in order, one name a line; with none,\n"
    "          says so on standard error.\n"
    "import    adds the language of FILE to the stored languages; a language of\n"
    "          the same name is replaced in place only with --replace. A .txt\n"
    "          FILE is a keyword list, one keyword a line: it becomes a language\n"
    "          named after the file, or with --replace the keywords of that one.\n"
    "export    writes the stored language NAME to FILE, by default the name\n"
    "          without \\ / : , ; * ? \" < > | and with .bvl, in this folder or in\n"
    "          FOLDER.\n"
    "\n"
    "Settings live in $XDG_CONFIG_HOME/Morvane/Brevlin/settings.reg (default\n"
    "~/.config/...), or in the file named by BREVLIN_SETTINGS.\n";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = brevlin::platform::ConsoleProgram::Start(argc, argv);
    brevlin::cli::MessageCatalog::Install(brevlin::platform::ConsoleProgram::ProgramFile());
    try {
        if (args.empty())
            throw brevlin::cli::UsageError("a command is needed; see brevlin --help");
        const std::string command = args.front();
        args.erase(args.begin());
        if (command == "--help" || command == "-h" || command == "help") {
            std::printf("brevlin - highlight source code as HTML with your %s languages\n",
                        brevlin::ProductName);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (command == "--version") {
            std::printf("brevlin %s\n", BREVLIN_VERSION);
            return 0;
        }
        if (command == "convert")
            return brevlin::cli::ConvertCommand::Run(args);
        if (command == "list")
            return brevlin::cli::ListCommand::Run(args);
        if (command == "import")
            return brevlin::cli::ImportCommand::Run(args);
        if (command == "export")
            return brevlin::cli::ExportCommand::Run(args);
        throw brevlin::cli::UsageError("unknown command " + command + "; see brevlin --help");
    } catch (const brevlin::cli::UsageError& error) {
        std::fprintf(stderr, "brevlin: %s\n", error.what());
        return 2;
    } catch (const brevlin::BrevlinError& error) {
        // The system's message first, then which file and what in it.
        if (error.Detail().empty())
            std::fprintf(stderr, "brevlin: %s\n", error.what());
        else
            std::fprintf(stderr, "brevlin: %s: %s\n", error.what(), error.Detail().c_str());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brevlin: %s\n", error.what());
        return 1;
    }
}
