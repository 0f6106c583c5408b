#include "editor/program_files.h"

#include <gtest/gtest.h>

namespace netedit::testing {
namespace {

TEST(ProgramFiles, SettingsStayBesideAWritableCopyElseGoToTheUsersConfigFolder) {
    const struct {
        const char* what;
        std::string program;
        bool writable;
        std::string configHome, home;
        std::string settings, folder; // folder "": nothing to make
    } rows[] = {
        // clang-format off
        {"portable copy", "/opt/tools/netedit", true, "/cfg", "/home/u", "/opt/tools/netedit.INI", ""},
        {"installed, even for root", "/usr/bin/netedit", true, "", "/root/", "/root/.config/netedit/netedit.INI", "/root/.config/netedit/"},
        {"folder not writable", "/srv/netedit", false, "/cfg/", "/home/u", "/cfg/netedit/netedit.INI", "/cfg/netedit/"},
        {"relative XDG_CONFIG_HOME", "/srv/netedit", false, "cfg", "/home/u", "/home/u/.config/netedit/netedit.INI", "/home/u/.config/netedit/"},
        {"no home at all", "/srv/netedit", false, "", "", "/srv/netedit.INI", ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        const ProgramFiles files = ProgramFilesFor({.programPath = row.program,
                                                    .programFolderWritable = row.writable,
                                                    .installedFolder = "/usr/bin/",
                                                    .configHome = row.configHome,
                                                    .home = row.home,
                                                    .helpPage = "/usr/share/netedit/help.html"});
        EXPECT_EQ(files.settings, row.settings) << row.what;
        EXPECT_EQ(files.settingsFolder, row.folder) << row.what;
        EXPECT_EQ(files.helpFile, row.program + ".HLP") << row.what;
    }
}

} // namespace
} // namespace netedit::testing
