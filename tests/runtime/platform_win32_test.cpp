// The Windows platform's own rules: share modes, the attributes a save keeps and the names that
// reach the system; the read-only attribute and the codes of refusals are the shared tables'.

#include "editor/program_files.h"
#include "editor/settings_file.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/safe_save.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace netedit::testing {
namespace {

namespace fs = std::filesystem;
using namespace platform;

// Replaces `path` with `text` by the safe save: the failure's message, if any.
std::string Replace(const std::string& path, const std::string& text, const std::string& model = {}) {
    return FailureOf([&] {
        SaveStream(
            path, [&](const TextSink& sink) { sink(text); }, model);
    });
}

DWORD AttributesOf(const fs::path& path) {
    // The archive bit comes with every written file.
    return ::GetFileAttributesW(path.c_str()) &
           ~(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

// A path of more than 260 characters makes its folders, saves, replaces and reads as a short one.
TEST(Win32Platform, LongPathsWorkAsShortOnes) {
    TempDir dir;
    std::string folder = dir.file("");
    while (folder.size() < 300) {
        folder += std::string(40, 'd') + "\\";
    }
    ASSERT_EQ(MakeFolders(folder), 0);
    const std::string path = folder + "OBN.NET";
    EXPECT_EQ(Replace(path, "old"), "<no failure>");
    EXPECT_EQ(Replace(path, "new"), "<no failure>");
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), 0);
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(KindOfPath(path), PathKind::File);
    EXPECT_TRUE(SameFolder(folder, DirPart(FullPath(path))));
}

// A whole file is read only while no other program has it open, even only to read it.
TEST(Win32Platform, AWholeFileIsReadUnshared) {
    TempDir dir;
    WriteFileBytes(dir.path() / "OBN.NET", "x");
    const HANDLE other =
        ::CreateFileW((dir.path() / "OBN.NET").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(dir.file("OBN.NET"), bytes), 32);
    Handle handle = -1;
    EXPECT_EQ(OpenToOverwrite(dir.file("OBN.NET"), handle), 32) << "nor is it written over";
    ::CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(dir.file("OBN.NET"), bytes), 0);
}

// The new file keeps the attributes of the one it replaces, or of the model for a new one,
// except read-only; nothing but the target stands afterwards.
TEST(Win32Platform, TheSafeReplaceKeepsTheAttributes) {
    const struct {
        DWORD target, model, after; // target 0: none stands
    } rows[] = {
        {FILE_ATTRIBUTE_HIDDEN, 0, FILE_ATTRIBUTE_HIDDEN},
        {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_HIDDEN, 0},
        {0, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_SYSTEM},
    };
    for (const auto& row : rows) {
        TempDir dir;
        if (row.target != 0) {
            WriteFileBytes(dir.path() / "T.NET", "old");
            ::SetFileAttributesW((dir.path() / "T.NET").c_str(), row.target);
        }
        WriteFileBytes(dir.path() / "M.NET", "model");
        ::SetFileAttributesW((dir.path() / "M.NET").c_str(), row.model);
        EXPECT_EQ(Replace(dir.file("T.NET"), "new", dir.file("M.NET")), "<no failure>");
        EXPECT_EQ(ReadFileBytes(dir.path() / "T.NET"), "new");
        EXPECT_EQ(AttributesOf(dir.path() / "T.NET"), row.after) << row.target;
        ::SetFileAttributesW((dir.path() / "M.NET").c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
        ::SetFileAttributesW((dir.path() / "T.NET").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Names are code page 932 bytes on any system locale; one that is no text of the code page, that
// would end early at a NUL or that Windows would trim names no file and is refused, never altered.
TEST(Win32Platform, NamesCrossAsCodePage932OrAreRefused) {
    TempDir dir;
    const std::string japanese = dir.file("") + "\x95\x5C\x83\x65\x83\x58\x83\x67.NET"; // 表テスト.NET
    EXPECT_EQ(Replace(japanese, "x"), "<no failure>");
    EXPECT_EQ(ReadFileBytes(dir.path() / L"\u8868\u30C6\u30B9\u30C8.NET"), "x");
    EXPECT_EQ(KindOfPath(japanese), PathKind::File);
    const std::string bad[] = {"Z\xFFrich.NET", "\xFD.NET", std::string("A\0B.NET", 7),
                               "\x81.NET",      "\xA0.NET", "OBN.NET.",
                               "OBN.NET ",      "OBN?.NET", "a<b.NET",
                               "sub.\\OBN.NET"};
    for (const std::string& name : bad) {
        Handle handle = -1;
        EXPECT_EQ(CreateForWriting(dir.file("") + name, handle), 3) << name;
        EXPECT_EQ(Replace(dir.file("") + name, "x"), Message(msg::CannotCreate, dir.file("") + name)) << name;
        EXPECT_EQ(KindOfPath(dir.file("") + name), PathKind::Missing) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// One folder by any spelling Windows takes for it; a file named on the command line comes out
// as the open dialog would give it, "Z:name" taken from drive Z's own current folder.
TEST(Win32Platform, OneFolderByAnyOfItsNames) {
    TempDir dir;
    WriteFileBytes(dir.path() / "OBN.NET", "x");
    const std::string folder = dir.file("");
    std::string lower = folder;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    ASSERT_NE(lower, folder);
    EXPECT_TRUE(SameFolder(lower, folder));
    EXPECT_FALSE(SameFolder(lower, folder + "..\\"));
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_TRUE(SameFolder(DirPart(FullPath(folder.substr(0, 2) + "NEW.NET")), folder)) << "not there yet";
    for (const std::string& given : {lower + "obn.net", folder.substr(0, 2) + "obn.net"}) {
        const std::string full = FullPath(given);
        EXPECT_EQ(NamePart(full), "OBN.NET") << given;
        EXPECT_TRUE(SameFolder(DirPart(full), folder)) << given;
    }
    fs::current_path(previous);
}

// The program's own files stand beside the .exe, with its drive and its "\".
TEST(Win32Platform, TheProgramsFilesFollowItsOwnFullName) {
    const std::string program = ProgramPath();
    EXPECT_TRUE(fs::equivalent(fs::path(program), fs::path(__argv[0]).replace_extension(".exe"))) << program;
    EXPECT_EQ(program.substr(1, 2), ":\\");
    EXPECT_EQ(ProgramTitle(), "core_tests");
    const ProgramFiles files = ThisProgramsFiles();
    EXPECT_EQ(files.settings, ReplaceExt(program, ".INI"));
    EXPECT_EQ(files.helpFile, ReplaceExt(program, ".HLP"));
    EXPECT_EQ(HelpToShow(files), BuiltInHelpPage) << "no help file beside the program: its own page";
    EXPECT_TRUE(fs::equivalent(CurrentFolder(), fs::current_path()));
}

// The program's own files go by the system's names, under folders code page 932 cannot name.
TEST(Win32Platform, OwnFilesLiveUnderAnyFolderName) {
    // From a drive's root, so that every folder on the way is made.
    const fs::path top = L"C:\\netedit-test-" + std::to_wstring(::GetCurrentProcessId());
    const std::u8string name = u8"\\Renée 𠮷\\netedit\\";
    const std::string folder = top.string() + std::string(name.begin(), name.end());
    ASSERT_EQ(MakeFolders(folder), 0);
    EXPECT_TRUE(fs::is_directory(top / name.substr(1)));
    EXPECT_TRUE(MayCreateIn(folder));
    EXPECT_TRUE(fs::is_empty(top / name.substr(1))) << "the probe is gone";
    WriteSettings(folder + "netedit.INI", {.source = "C:\\OBN.NET", .destination = {}});
    RememberedPaths read;
    ReadSettings(folder + "netedit.INI", read);
    EXPECT_EQ(read.source, "C:\\OBN.NET");
    EXPECT_TRUE(IsOwnFile(folder + "netedit.INI"));
    EXPECT_FALSE(IsOwnFile(folder));
    ::SetEnvironmentVariableW(L"NETEDIT_HOME", L"C:\\Users\\Renée 𠮷");
    EXPECT_EQ(EnvironmentValue("NETEDIT_HOME"), "C:\\Users\\Renée 𠮷");
    fs::remove_all(top);
}

} // namespace
} // namespace netedit::testing
