#pragma once

#include "runtime/paths.h"

#include <string>
#include <string_view>

namespace netedit {

// The files the program keeps for itself, apart from the user's net data, by their own names
// (see platform.h): code page 932 need not hold them.
struct ProgramFiles {
    std::string settings;       // the settings file
    std::string settingsFolder; // made on the first write when the settings live apart from the program
    std::string helpFile;       // the ".HLP" file beside the program, shown when it stands there
    std::string helpPage;       // the help page installed with the program, or BuiltInHelpPage
};

// The help page of a program that carries it inside itself, as on Windows, where nothing is
// installed beside the program: the window writes it out where the browser can open it.
inline constexpr std::string_view BuiltInHelpPage{};

// What decides where those files are, as the system tells it (own names).
struct ProgramSurroundings {
    PathStyle style = OwnPathStyle;
    std::string programPath;
    bool programFolderWritable = false;
    std::string installedFolder; // where the package puts the program, ending with "/"
    std::string configHome;      // $XDG_CONFIG_HOME
    std::string home;            // $HOME
    std::string helpPage;
};

// A copy in a folder of its own keeps its settings beside itself; the installed program, or one
// whose folder the user may not write, keeps them in the user's configuration folder under the
// same name.
ProgramFiles ProgramFilesFor(const ProgramSurroundings& surroundings);
ProgramFiles ThisProgramsFiles();

// The help to show: the ".HLP" file when one stands beside the program, else the program's page.
std::string HelpToShow(const ProgramFiles& files);
// The help this program shows, for the help button of its boxes as of its window.
std::string ThisProgramsHelp();

// Makes the program's own file `file` (an own name) hold `bytes`: written by the safe save, with
// the folders on its way, when it is missing or holds other bytes, and left alone, time stamp and
// all, when it holds these. False when it could not be written there.
bool KeepOwnFile(const std::string& file, std::string_view bytes);

} // namespace netedit
