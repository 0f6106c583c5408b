#include "editor/program_files.h"

#include "runtime/paths.h"
#include "runtime/platform.h"

namespace netedit {

namespace {

bool IsAbsolute(const std::string& path) {
    return path.starts_with('/');
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
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
    files.settingsFolder = InFolder(configHome, "netedit/");
    files.settings = files.settingsFolder + NamePart(files.settings);
    return files;
}

ProgramFiles ThisProgramsFiles() {
    const std::string program = ProgramPath();
    return ProgramFilesFor({.programPath = program,
                            .programFolderWritable = platform::MayCreateIn(DirPart(program)),
                            .installedFolder = NETEDIT_INSTALLED_BINDIR "/",
                            .configHome = platform::EnvironmentValue("XDG_CONFIG_HOME"),
                            .home = platform::EnvironmentValue("HOME"),
                            .helpPage = NETEDIT_HELP_PAGE});
}

std::string HelpToShow(const ProgramFiles& files) {
    return platform::KindOfPath(files.helpFile) == platform::PathKind::File ? files.helpFile : files.helpPage;
}

} // namespace netedit
