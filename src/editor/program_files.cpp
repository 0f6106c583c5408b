#include "editor/program_files.h"

#include "runtime/paths.h"
#include "runtime/platform.h"

namespace netedit {

namespace {

// A path from the root, or on Windows from a drive ("C:\") or a server ("\\server").
bool IsAbsolute(const std::string& path) {
    if (NativePathStyle == PathStyle::Posix) {
        return path.starts_with('/');
    }
    const bool fromDrive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return fromDrive || path.starts_with("\\\\") || path.starts_with('/');
}

bool EndsWithSeparator(const std::string& folder) {
    return !folder.empty() && DirPart(folder).size() == folder.size();
}

// A folder's path goes on in its own style: Windows takes "/" as well as "\".
char SeparatorOf(const std::string& folder) {
    return NativePathStyle == PathStyle::Windows && folder.find('/') == std::string::npos ? '\\' : '/';
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return EndsWithSeparator(folder) ? folder + name : folder + SeparatorOf(folder) + name;
}

} // namespace

ProgramFiles ProgramFilesFor(const ProgramSurroundings& surroundings) {
    const std::string programFolder = DirPart(surroundings.programPath);
    ProgramFiles files{.settings = ReplaceExt(surroundings.programPath, ".INI"),
                       .settingsFolder = {},
                       .helpFile = ReplaceExt(surroundings.programPath, ".HLP"),
                       .helpPage = surroundings.helpPage};
    // Even root, who may write anywhere, leaves the package's folder as the package made it.
    const bool portable = surroundings.programFolderWritable && programFolder != surroundings.installedFolder;
    if (portable) {
        return files;
    }
    // A relative $XDG_CONFIG_HOME is no configuration folder, and is ignored.
    std::string configHome = surroundings.configHome;
    if (!IsAbsolute(configHome)) {
        if (!IsAbsolute(surroundings.home)) {
            return files; // nowhere else to go: the write will say what went wrong beside the program
        }
        configHome = InFolder(surroundings.home, ".config");
    }
    files.settingsFolder = InFolder(InFolder(configHome, "netedit"), "");
    files.settings = files.settingsFolder + NamePart(files.settings);
    return files;
}

ProgramFiles ThisProgramsFiles() {
    const std::string program = ProgramPath();
    ProgramSurroundings surroundings;
    surroundings.programPath = program;
    surroundings.programFolderWritable = platform::MayCreateIn(DirPart(program));
#ifdef _WIN32
    // Nothing is installed on Windows: the program's folder is the user's choice, and a copy the
    // user may not write beside keeps its settings in the user's roaming application data. The
    // help page travels inside the program.
    surroundings.configHome = platform::EnvironmentValue("APPDATA");
    surroundings.home = platform::EnvironmentValue("USERPROFILE");
    surroundings.helpPage = BuiltInHelpPage;
#else
    surroundings.installedFolder = NETEDIT_INSTALLED_BINDIR "/";
    surroundings.configHome = platform::EnvironmentValue("XDG_CONFIG_HOME");
    surroundings.home = platform::EnvironmentValue("HOME");
    surroundings.helpPage = NETEDIT_HELP_PAGE;
#endif
    return ProgramFilesFor(surroundings);
}

std::string HelpToShow(const ProgramFiles& files) {
    return platform::IsOwnFile(files.helpFile) ? files.helpFile : files.helpPage;
}

std::string ThisProgramsHelp() {
    return HelpToShow(ThisProgramsFiles());
}

} // namespace netedit
