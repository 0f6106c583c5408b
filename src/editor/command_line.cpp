#include "editor/command_line.h"

namespace netedit {

namespace {

constexpr const char* Usage =
    "Usage: netedit [OPTION]... [FILE]\n"
    "Choose and reorder the entries of a net data file; with FILE, start with it open.\n"
    "\n"
    "  -h, --help     show this help and exit (on Windows /? as well)\n"
    "      --version  show the version and exit\n"
    "      --         end of the options: FILE may begin with \"-\"\n";
constexpr int MisuseStatus = 2;

// Windows users ask a program for its usage with "/?"; elsewhere that names a file in the root.
bool AsksForHelp(const std::string& argument) {
#ifdef _WIN32
    if (argument == "/?") {
        return true;
    }
#endif
    return argument == "--help" || argument == "-h";
}

CommandLine Printed(std::string text) {
    return {.opensWindow = false,
            .file = {},
            .exitStatus = 0,
            .standardOutput = std::move(text),
            .standardError = {}};
}

CommandLine Misuse(const std::string& problem) {
    return {.opensWindow = false,
            .file = {},
            .exitStatus = MisuseStatus,
            .standardOutput = {},
            .standardError = "netedit: " + problem + "\n" + Usage};
}

} // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && AsksForHelp(argument)) {
            return Printed(Usage);
        } else if (options && argument == "--version") {
            return Printed("netedit " NETEDIT_VERSION "\n");
        } else if (options && argument.size() > 1 && argument.starts_with('-')) {
            return Misuse("unknown option '" + argument + "'");
        } else if (argument.empty()) {
            return Misuse("an empty argument names no file");
        } else if (!command.file.empty()) {
            return Misuse("only one file can be opened");
        } else {
            command.file.push_back(argument);
        }
    }
    return command;
}

} // namespace netedit
