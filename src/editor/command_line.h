#pragma once

#include <string>
#include <vector>

namespace netedit {

// What the program's arguments ask for: "-h" or "--help" (on Windows "/?" too) and "--version"
// show their text and end the program, "--" ends the options, and one file may be named; anything
// else is a misuse, told with the usage and exit status 2. Linux prints on standard output and
// standard error; Windows, which gives a windowed program neither, shows them in a box. The
// toolkit takes no options of its own.
struct CommandLine {
    bool opensWindow = true;
    std::vector<std::string> file; // for the window: the one file to open, if any (as given)
    int exitStatus = 0;            // without the window
    std::string standardOutput;
    std::string standardError;
};

// `arguments` as the system gave them, the program's name left out.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

} // namespace netedit
