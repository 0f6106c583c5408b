#include "editor/program_files.h"

#include "runtime/failure.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/safe_save.h"

namespace netedit {

namespace {

// A path from the root, or on Windows from a drive ("C:\") or a server ("\\server").
bool IsAbsolute(const std::string& path, PathStyle style) {
    if (style == PathStyle::Posix) {
        return path.starts_with('/');
    }
    const bool fromDrive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return fromDrive || path.starts_with("\\\\") || path.starts_with('/');
}

// A folder's path goes on in its own style: Windows takes "/" as well as "\".
std::string InFolder(const std::string& folder, const std::string& name, PathStyle style) {
    if (!folder.empty() && DirPart(folder, style).size() == folder.size()) {
        return folder + name;
    }
    const bool backslashes = style != PathStyle::Posix && folder.find('/') == std::string::npos;
    return folder + (backslashes ? '\\' : '/') + name;
}

} // namespace

ProgramFiles ProgramFilesFor(const ProgramSurroundings& surroundings) {
    const PathStyle style = surroundings.style;
    const std::string programFolder = DirPart(surroundings.programPath, style);
    ProgramFiles files{.settings = ReplaceExt(surroundings.programPath, ".INI", style),
                       .settingsFolder = {},
                       .helpFile = ReplaceExt(surroundings.programPath, ".HLP", style),
                       .helpPage = surroundings.helpPage};
    // Even root, who may write anywhere, leaves the package's folder as the package made it.
    const bool portable = surroundings.programFolderWritable && programFolder != surroundings.installedFolder;
    if (portable) {
        return files;
    }
    // A relative $XDG_CONFIG_HOME is no configuration folder, and is ignored.
    std::string configHome = surroundings.configHome;
    if (!IsAbsolute(configHome, style)) {
        if (!IsAbsolute(surroundings.home, style)) {
            return files; // nowhere else to go: the write will say what went wrong beside the program
        }
        configHome = InFolder(surroundings.home, ".config", style);
    }
    files.settingsFolder = InFolder(InFolder(configHome, "netedit", style), "", style);
    files.settings = files.settingsFolder + NamePart(files.settings, style);
    return files;
}

ProgramFiles ThisProgramsFiles() {
    const std::string program = platform::ExecutablePath();
    ProgramSurroundings surroundings;
    surroundings.programPath = program;
    surroundings.programFolderWritable = platform::MayCreateIn(DirPart(program, OwnPathStyle));
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
    return platform::KindOfPath(files.helpFile, platform::Names::Own) == platform::PathKind::File
               ? files.helpFile
               : files.helpPage;
}

std::string ThisProgramsHelp() {
    return HelpToShow(ThisProgramsFiles());
}

bool KeepOwnFile(const std::string& file, std::string_view bytes) {
    using platform::IoResult;
    using platform::Names;
    if (std::string held; platform::ReadWholeFile(file, held, Names::Own) == IoResult::Ok && held == bytes) {
        return true;
    }
    if (platform::MakeFolders(DirPart(file, OwnPathStyle)) != IoResult::Ok) {
        return false;
    }
    try {
        NewFile written(
            file, [bytes](const TextSink& sink) { sink(bytes); }, Naming::Own, {}, Names::Own);
        written.PutInPlace();
        return true;
    } catch (const Failure&) {
        return false;
    }
}

} // namespace netedit
