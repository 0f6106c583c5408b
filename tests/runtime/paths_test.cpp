#include "runtime/paths.h"
#include "runtime/platform.h"
#include "support/directory_state.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace netedit {
namespace {

using testing::DirectoryState;
using testing::LayDirectoryState;
using testing::ReadDirectoryState;
using testing::TempDir;

// C:\データ\表\OBN.NET in code page 932; 表 is 0x95 0x5C, whose second byte is "\" in ASCII.
const std::string DataDir = "C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C\\";
const std::string DataPath = DataDir + "OBN.NET";

struct PartsRow {
    std::string path;
    PathStyle style;
    std::string dir;
    std::string name;
};

TEST(PathParts, SplitAtTheLastSeparatorOfTheStyle) {
    const PartsRow rows[] = {
        {DataPath, PathStyle::Windows, DataDir, "OBN.NET"},
        {"OBN.NET", PathStyle::Windows, "", "OBN.NET"},
        {"A:OBN.NET", PathStyle::Windows, "A:", "OBN.NET"},
        {"C:\\TOOLS\\", PathStyle::Windows, "C:\\TOOLS\\", ""},
        {"C:/net/OBN.NET", PathStyle::Windows, "C:/net/", "OBN.NET"},
        {"\\\\server\\share\\OBN.NET", PathStyle::Windows, "\\\\server\\share\\", "OBN.NET"},
        {"\x95\x5C", PathStyle::Windows, "", "\x95\x5C"},
        {"\x95", PathStyle::Windows, "", "\x95"}, // a lead byte cut off by the end
        {"a\\\x95", PathStyle::Windows, "a\\", "\x95"},
        {"", PathStyle::Windows, "", ""},
        {"/home/u/OBN.NET", PathStyle::Posix, "/home/u/", "OBN.NET"},
        {"C:\\TOOLS\\OBN.NET", PathStyle::Posix, "", "C:\\TOOLS\\OBN.NET"},
        {"/", PathStyle::Posix, "/", ""},
        {"/data/\x95\x5C/x", PathStyle::Posix, "/data/\x95\x5C/", "x"},
        {"C:\\" + std::string(256, 'n'), PathStyle::Windows, "C:\\",
         std::string(255, 'n')},                                                // cut to 255 bytes
        {"/home/Michał/.config", PathStyle::Posix, "/home/Michał/", ".config"}, // UTF-8: "ł" ends in 0x82
        {"C:\\ぁ\\n.exe", PathStyle::WindowsUtf8, "C:\\ぁ\\", "n.exe"}, // "ぁ" ends in 0x81, a lead byte
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.path));
        EXPECT_EQ(DirPart(row.path, row.style), row.dir);
        EXPECT_EQ(NamePart(row.path, row.style), row.name);
    }
    // The edges of the lead byte ranges: a lead byte takes the "\" after it, no other byte does.
    for (const char lead : {'\x81', '\x9F', '\xE0', '\xFC'}) {
        EXPECT_EQ(DirPart(std::string("a\\") + lead + "\\", PathStyle::Windows), "a\\") << +lead;
    }
    for (const char other : {'\x80', '\xA0', '\xDF', '\xFD'}) {
        const std::string path = std::string("a\\") + other + "\\";
        EXPECT_EQ(DirPart(path, PathStyle::Windows), path) << +other;
    }
}

TEST(PathParts, ReplaceExtUsesTheLastDotOfTheName) {
    struct Row {
        std::string path;
        PathStyle style;
        std::string result;
    };
    const auto W = PathStyle::Windows;
    const Row rows[] = {
        // clang-format off
        {"C:\\TOOLS\\EDIT.EXE", W, "C:\\TOOLS\\EDIT.INI"}, {"C:\\A.B\\EDIT", W, "C:\\A.B\\EDIT.INI"}, {"EDIT.TAR.GZ", W, "EDIT.TAR.INI"},
        {"EDIT.", W, "EDIT.INI"}, {"A.B:EDIT", W, "A.B:EDIT.INI"}, {"", W, ".INI"}, {DataDir + "OBN", W, DataDir + "OBN.INI"},
        {"/opt/net.edit/netedit", PathStyle::Posix, "/opt/net.edit/netedit.INI"}, {"/opt/netedit.bin", PathStyle::Posix, "/opt/netedit.INI"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReplaceExt(row.path, ".INI", row.style), row.result) << row.path;
    }
}

TEST(ProgramTitle, IsTheNameUpToItsFirstDotLowerCasedAfterTheFirstByte) {
    struct Row {
        std::string path;
        PathStyle style;
        std::string title;
    };
    const auto W = PathStyle::Windows;
    const Row rows[] = {
        // clang-format off
        {"C:\\TOOLS\\EDITOR.EXE", W, "Editor"}, {"netedit.exe", W, "netedit"}, {"netedit", PathStyle::Posix, "netedit"},
        {"/usr/bin/NetEdit", PathStyle::Posix, "Netedit"}, {"AAZ", W, "Aaz"}, {"C:\\A\\NET.EDIT.EXE", W, "Net"}, {".HIDDEN", W, ""},
        // Double-byte characters keep both bytes, also a trail byte in the range of "A" to "Z".
        {"C:\\\x83\x41\x83\x43X.EXE", W, "\x83\x41\x83\x43x"}, {"X\x83\x41Y", W, "X\x83\x41y"}, {"\xB1\xB2Z", W, "\xB1\xB2z"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TitleFromProgramPath(row.path, row.style), row.title) << row.path;
    }
}

TEST(ProgramPath, NamesTheRunningExecutableAndTheFolderItRunsIn) {
#ifdef _WIN32
    GTEST_SKIP() << "/proc is Linux's; the Windows platform tests check the path";
#endif
    const std::string path = platform::ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));
    EXPECT_EQ(ProgramTitle(), TitleFromProgramPath(path));
    TempDir dir; // deeper than a first guess of the folder name's length
    const std::filesystem::path deep = dir.path() / std::string(150, 'a') / std::string(150, 'b');
    std::filesystem::create_directories(deep);
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(deep);
    const std::string folder = platform::CurrentFolder();
    std::filesystem::current_path(cwd);
    EXPECT_EQ(folder, deep.string());
}

// A name given on the command line must compare with the save dialog's full path of the folder.
TEST(FullPath, ResolvesStepsByNameFromTheFolder) {
    const auto P = PathStyle::Posix;
    const auto W = PathStyle::Windows;
    const struct {
        std::string path, folder;
        PathStyle style;
        std::string full;
    } rows[] = {
        // clang-format off
        {"OBN.NET", "/data", P, "/data/OBN.NET"}, {"./net//OBN.NET", "/data/", P, "/data/net/OBN.NET"},
        {"../OBN.NET", "/data/net", P, "/data/OBN.NET"}, {"/a/../../b/./\x95\x5C.NET", "/ignored", P, "/b/\x95\x5C.NET"}, {"..", "/", P, "/"},
        // On Windows a path starts at a drive, at a server's share or at the root of the folder's drive.
        {"OBN.NET", "C:\\NET", W, "C:\\NET\\OBN.NET"}, {"..\\\x95\x5C\\OBN.NET", "C:\\NET\\SUB", W, "C:\\NET\\\x95\x5C\\OBN.NET"},
        {"\\OBN.NET", "D:\\NET", W, "D:\\OBN.NET"}, {"C:OBN.NET", "D:\\X", W, "C:\\OBN.NET"}, {"D:\\..", "C:\\", W, "D:\\"},
        {"\\\\\x95\x5C\\share\\..\\OBN.NET", "C:\\", W, "\\\\\x95\x5C\\share\\OBN.NET"}, {"C:/net/./OBN.NET", "D:\\", W, "C:/net/OBN.NET"}, {"C:\\net/OBN.NET", "D:\\", W, "C:\\net\\OBN.NET"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FullPath(row.path, row.folder, row.style), row.full) << row.path;
    }
}

TEST(RenameNoReplace, MovesButNeverReplaces) {
    TempDir dir;
    const DirectoryState before{{"old", "old bytes"}, {"taken", "taken bytes"}};
    LayDirectoryState(dir.path(), before);
    for (const auto& [from, to] : {std::pair{"old", "taken"}, {"missing", "new"}, {"old", "no-dir/new"}}) {
        EXPECT_NE(platform::RenameNoReplace(dir.file(from), dir.file(to)), platform::IoResult::Ok) << to;
    }
    EXPECT_EQ(ReadDirectoryState(dir.path()), before);
    EXPECT_EQ(platform::RenameNoReplace(dir.file("old"), dir.file("new")), platform::IoResult::Ok);
    EXPECT_EQ(ReadDirectoryState(dir.path()),
              (DirectoryState{{"new", "old bytes"}, {"taken", "taken bytes"}}));
}

} // namespace
} // namespace netedit
