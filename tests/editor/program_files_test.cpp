#include "editor/program_files.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace netedit::testing {
namespace {

TEST(ProgramFiles, SettingsStayBesideAWritableCopyElseGoToTheUsersConfigFolder) {
    const auto P = PathStyle::Posix;
    const auto W = PathStyle::WindowsUtf8; // the system's names, not code page 932
    const struct {
        const char* what;
        PathStyle style;
        std::string program;
        bool writable;
        std::string configHome, home;
        std::string settings, folder; // folder "": nothing to make
    } rows[] = {
        // clang-format off
        {"portable copy", P, "/opt/tools/netedit", true, "/cfg", "/home/u", "/opt/tools/netedit.INI", ""},
        {"installed, even for root", P, "/usr/bin/netedit", true, "", "/root/", "/root/.config/netedit/netedit.INI", "/root/.config/netedit/"},
        {"folder not writable", P, "/srv/netedit", false, "/cfg/", "/home/u", "/cfg/netedit/netedit.INI", "/cfg/netedit/"},
        {"relative XDG_CONFIG_HOME", P, "/srv/netedit", false, "cfg", "/home/u", "/home/u/.config/netedit/netedit.INI", "/home/u/.config/netedit/"},
        {"no home at all", P, "/srv/netedit", false, "", "", "/srv/netedit.INI", ""},
        {"Windows, APPDATA", W, "C:\\Café ぁ\\netedit.exe", false, "C:\\Users\\Renée 𠮷\\AppData\\Roaming", "C:\\Users\\Renée 𠮷", "C:\\Users\\Renée 𠮷\\AppData\\Roaming\\netedit\\netedit.INI", "C:\\Users\\Renée 𠮷\\AppData\\Roaming\\netedit\\"},
        // clang-format on
    };
    for (const auto& row : rows) {
        const ProgramFiles files = ProgramFilesFor({.style = row.style,
                                                    .programPath = row.program,
                                                    .programFolderWritable = row.writable,
                                                    .installedFolder = "/usr/bin/",
                                                    .configHome = row.configHome,
                                                    .home = row.home,
                                                    .helpPage = "/usr/share/netedit/help.html"});
        EXPECT_EQ(files.settings, row.settings) << row.what;
        EXPECT_EQ(files.settingsFolder, row.folder) << row.what;
        EXPECT_EQ(files.helpFile, ReplaceExt(row.program, ".HLP", row.style)) << row.what;
    }
}

#ifdef NETEDIT_HELP_PAGES
// Each system's help page, made from the one page both share, tells that system's facts (where
// the settings file goes, how the command line answers) and none of the other's.
TEST(HelpPages, EachSystemsPageTellsItsOwnFacts) {
    const struct {
        const char* system;
        std::vector<std::string> has, hasNot;
    } rows[] = {
        {"windows",
         {"%APPDATA%", "/?", "ドロップ"},
         {"XDG_CONFIG_HOME", "~/.config", "標準出力", "<!--linux", "<!--/windows"}},
        {"linux",
         {"XDG_CONFIG_HOME", "~/.config", "標準出力"},
         {"%APPDATA%", "/?", "ドロップ", "<!--windows", "<!--/linux"}},
    };
    for (const auto& row : rows) {
        const std::string page =
            ReadFileBytes(std::string(NETEDIT_HELP_PAGES) + "/" + row.system + "/help.html");
        for (const std::string& text : row.has) {
            EXPECT_NE(page.find(text), std::string::npos) << row.system << " lacks " << text;
        }
        for (const std::string& text : row.hasNot) {
            EXPECT_EQ(page.find(text), std::string::npos) << row.system << " tells " << text;
        }
    }
}
#endif

// The program's own file is written, its folder made, only when it differs from what stands.
TEST(ProgramFiles, AnOwnFileIsWrittenOnlyWhenItDiffers) {
    TempDir dir;
    const std::string file = dir.file("netedit/help.html");
    EXPECT_TRUE(KeepOwnFile(file, "a"));
    EXPECT_EQ(ReadFileBytes(file), "a");
    const auto old = std::filesystem::last_write_time(file) - std::chrono::hours(24);
    std::filesystem::last_write_time(file, old);
    EXPECT_TRUE(KeepOwnFile(file, "a"));
    EXPECT_EQ(std::filesystem::last_write_time(file), old) << "an equal file is left alone";
    EXPECT_TRUE(KeepOwnFile(file, "b"));
    EXPECT_EQ(ReadFileBytes(file), "b");
    WriteFileBytes(dir.file("plain"), "x");
    EXPECT_FALSE(KeepOwnFile(dir.file("plain/help.html"), "a"));
}

} // namespace
} // namespace netedit::testing
