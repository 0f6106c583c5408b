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
#include <functional>
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which these need.
#include <sddl.h>

namespace netedit::testing {
namespace {

namespace fs = std::filesystem;
using namespace platform;

// Replaces `path` with `text` by the safe save: the failure's message, if any.
std::string Replace(const std::string& path, const std::string& text, const std::string& model = {}) {
    return FailureOf([&] {
        NewFile file(
            path, [&](const TextSink& sink) { sink(text); }, Naming::Chosen, model);
        file.PutInPlace();
    });
}

// The name of the event a child holding a new file sets once it holds it.
std::wstring HeldEventName(const std::string& path) {
    return L"netedit-test-held-" + std::to_wstring(std::hash<std::string>{}(path));
}

// Started with NETEDIT_TEST_HOLD_NEW naming a file, this test program is a child that creates it
// as a save does, says so and waits to be ended, before any test runs.
const bool ranAsHoldingChild = [] {
    const std::string path = EnvironmentValue("NETEDIT_TEST_HOLD_NEW");
    Handle handle = -1;
    if (path.empty() || CreateNew(path, handle) != IoResult::Ok) {
        return false;
    }
    ::SetEvent(::OpenEventW(EVENT_MODIFY_STATE, FALSE, HeldEventName(path).c_str()));
    ::Sleep(60000);
    ::ExitProcess(1);
}();

std::ptrdiff_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Who may do what with a file, as the system's text of its access list.
std::wstring RightsOf(const fs::path& path) {
    DWORD size = 0;
    ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<BYTE> descriptor(size);
    LPWSTR text = nullptr;
    if (size == 0 ||
        !::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) ||
        !::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                                DACL_SECURITY_INFORMATION, &text, nullptr)) {
        return L"<none>";
    }
    std::wstring rights = text;
    ::LocalFree(text);
    return rights;
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
    ASSERT_EQ(MakeFolders(folder), IoResult::Ok);
    const std::string path = folder + "OBN.NET";
    EXPECT_EQ(Replace(path, "old"), "<no failure>");
    EXPECT_EQ(Replace(path, "new"), "<no failure>");
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), IoResult::Ok);
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
    EXPECT_EQ(ReadWholeFile(dir.file("OBN.NET"), bytes), IoResult::InUse);
    Handle handle = -1;
    EXPECT_EQ(OpenToOverwrite(dir.file("OBN.NET"), 1, true, handle), IoResult::InUse)
        << "nor is it written over";
    ::CloseHandle(other);
    EXPECT_EQ(ReadWholeFile(dir.file("OBN.NET"), bytes), IoResult::Ok);
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
        EXPECT_EQ(CreateForWriting(dir.file("") + name, handle), IoResult::BadPath) << name;
        EXPECT_EQ(Replace(dir.file("") + name, "x"), Message(msg::CannotCreate, dir.file("") + name)) << name;
        EXPECT_EQ(KindOfPath(dir.file("") + name), PathKind::Missing) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// What the save and the program's own files are told when the system would do the wrong thing:
// a rename never replaces a read-only file, a file is no folder, a name no file bears is no file.
TEST(Win32Platform, RefusalsSayWhy) {
    TempDir dir;
    WriteFileBytes(dir.path() / "RO.NET", "kept");
    WriteFileBytes(dir.path() / "NEW.NET", "new");
    ::SetFileAttributesW((dir.path() / "RO.NET").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(RenameReplacing(dir.file("NEW.NET"), dir.file("RO.NET")), IoResult::Denied);
    ::SetFileAttributesW((dir.path() / "RO.NET").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(dir.path() / "RO.NET"), "kept");
    EXPECT_EQ(MakeFolders(dir.file("NEW.NET")), IoResult::Denied);
    EXPECT_EQ(KindOfPath(dir.file("") + "\xFF.HLP", Names::Own), PathKind::Missing);
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
    const std::string program = ExecutablePath();
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
    // From a drive's root, so that every folder on the way is made, and none else: the drive
    // is no folder "C" in the current one.
    const fs::path top = L"C:\\netedit-test-" + std::to_wstring(::GetCurrentProcessId());
    const std::u8string name = u8"\\Renée 𠮷\\netedit\\";
    const std::string folder = top.string() + std::string(name.begin(), name.end());
    TempDir current;
    const fs::path previous = fs::current_path();
    fs::current_path(current.path());
    ASSERT_EQ(MakeFolders(folder), IoResult::Ok);
    EXPECT_TRUE(fs::is_empty(current.path()));
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_directory(top / name.substr(1)));
    EXPECT_TRUE(MayCreateIn(folder));
    EXPECT_TRUE(fs::is_empty(top / name.substr(1))) << "the probe is gone";
    WriteSettings(folder + "netedit.INI", {.source = "C:\\OBN.NET", .destination = {}});
    RememberedPaths read;
    ReadSettings(folder + "netedit.INI", read);
    EXPECT_EQ(read.source, "C:\\OBN.NET");
    EXPECT_EQ(KindOfPath(folder + "netedit.INI", Names::Own), PathKind::File);
    EXPECT_EQ(KindOfPath(folder, Names::Own), PathKind::Other);
    ::SetEnvironmentVariableW(L"NETEDIT_HOME", L"C:\\Users\\Renée 𠮷");
    EXPECT_EQ(EnvironmentValue("NETEDIT_HOME"), "C:\\Users\\Renée 𠮷");
    fs::remove_all(top);
}

// A file made for a save vanishes when its handle closes, leaving its name free, unless kept.
TEST(Win32Platform, ANewFileVanishesUnlessKept) {
    for (const bool keep : {false, true}) {
        TempDir dir;
        const std::string path = dir.file("~T.NET.abcdef");
        Handle handle = -1;
        ASSERT_EQ(CreateNew(path, handle), IoResult::Ok);
        Handle again = -1;
        EXPECT_EQ(CreateNew(path, again), IoResult::Exists);
        EXPECT_EQ(WriteAll(handle, "new", 3), IoResult::Ok);
        EXPECT_EQ(keep ? KeepNew(handle) : IoResult::Ok, IoResult::Ok);
        EXPECT_EQ(CloseHandle(handle), IoResult::Ok);
        EXPECT_EQ(FilesIn(dir.path()), keep ? 1 : 0) << keep;
        if (keep) {
            EXPECT_EQ(ReadFileBytes(dir.path() / "~T.NET.abcdef"), "new");
            continue;
        }
        Discard(path); // what a failed save does next: harmless
        ASSERT_EQ(CreateNew(path, handle), IoResult::Ok) << "the name is free again";
        EXPECT_EQ(CloseHandle(handle), IoResult::Ok);
    }
}

// A program ended by the system while it writes a save leaves no file behind.
TEST(Win32Platform, ANewFileVanishesWithAnEndedProgram) {
    TempDir dir;
    const std::string path = dir.file("~T.NET.abcdef");
    const HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, HeldEventName(path).c_str());
    std::wstring command = L"\"" + fs::path(ExecutablePath()).wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ::SetEnvironmentVariableW(L"NETEDIT_TEST_HOLD_NEW", fs::path(path).c_str());
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &child));
    ::SetEnvironmentVariableW(L"NETEDIT_TEST_HOLD_NEW", nullptr);
    EXPECT_EQ(::WaitForSingleObject(held, 30000), WAIT_OBJECT_0);
    EXPECT_EQ(FilesIn(dir.path()), 1) << "the child holds it";
    ::TerminateProcess(child.hProcess, 1);
    EXPECT_EQ(::WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    EXPECT_EQ(FilesIn(dir.path()), 0);
    for (const HANDLE handle : {held, child.hProcess, child.hThread}) {
        ::CloseHandle(handle);
    }
}

// Writing over a file makes room for the new text first, without changing a byte or shortening
// it; SetLength then cuts it to the new text. Never a read-only file.
TEST(Win32Platform, OverwritingMakesRoomFirstAndCutsAfter) {
    const struct {
        std::string old, text;
    } rows[] = {{"0123456789", "abc"}, {"abc", "0123456789"}, {"abc", "xyz"}, {"", "x"}};
    for (const auto& row : rows) {
        TempDir dir;
        WriteFileBytes(dir.path() / "T.NET", row.old);
        Handle handle = -1;
        ASSERT_EQ(OpenToOverwrite(dir.file("T.NET"), row.text.size(), true, handle), IoResult::Ok);
        EXPECT_EQ(CloseHandle(handle), IoResult::Ok);
        std::string room = row.old;
        room.resize(std::max(row.old.size(), row.text.size()), '\0');
        EXPECT_EQ(ReadFileBytes(dir.path() / "T.NET"), room) << row.old;
        ASSERT_EQ(OpenToOverwrite(dir.file("T.NET"), row.text.size(), false, handle), IoResult::Ok);
        EXPECT_EQ(WriteAll(handle, row.text.data(), row.text.size()), IoResult::Ok);
        EXPECT_EQ(SetLength(handle, row.text.size()), IoResult::Ok);
        EXPECT_EQ(CloseHandle(handle), IoResult::Ok);
        EXPECT_EQ(ReadFileBytes(dir.path() / "T.NET"), row.text) << row.old;
        ::SetFileAttributesW((dir.path() / "T.NET").c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(OpenToOverwrite(dir.file("T.NET"), 20, true, handle), IoResult::Denied);
        ::SetFileAttributesW((dir.path() / "T.NET").c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(dir.path() / "T.NET"), row.text) << row.old;
    }
}

// The saved file takes the rights of the file it replaces, or of the model for a new one, also
// where it is moved into place plainly.
TEST(Win32Platform, TheSavedFileTakesTheRights) {
    for (const bool replacing : {true, false}) {
        TempDir dir;
        WriteFileBytes(dir.path() / "M.NET", "model");
        WriteFileBytes(dir.path() / "FRESH.NET", "");
        PSECURITY_DESCRIPTOR open = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)",
                                                                           SDDL_REVISION_1, &open, nullptr));
        ::SetFileSecurityW((dir.path() / "M.NET").c_str(), DACL_SECURITY_INFORMATION, open);
        ::LocalFree(open);
        const std::wstring rights = RightsOf(dir.path() / "M.NET");
        ASSERT_NE(rights, RightsOf(dir.path() / "FRESH.NET")) << "a fresh file has other rights";
        const std::string target = dir.file(replacing ? "M.NET" : "T.NET");
        EXPECT_EQ(Replace(target, "new", dir.file("M.NET")), "<no failure>");
        EXPECT_EQ(RightsOf(target), rights) << replacing;
    }
}

// A link at the name is a name: told apart, judged itself, refused where links are not followed
// and replaced without touching the file it leads to.
TEST(Win32Platform, ALinkIsANameOfItsOwn) {
    TempDir dir;
    WriteFileBytes(dir.path() / "T.NET", "old");
    ::SetFileAttributesW((dir.path() / "T.NET").c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateSymbolicLinkW((dir.path() / "L.NET").c_str(), L"T.NET",
                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD link = ::GetFileAttributesW((dir.path() / "L.NET").c_str());
    if (link == INVALID_FILE_ATTRIBUTES || (link & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        GTEST_SKIP() << "no symbolic link could be made here (Wine 8 answers success and makes none)";
    }
    EXPECT_EQ(KindOfName(dir.file("L.NET")), PathKind::Link);
    EXPECT_EQ(KindOfPath(dir.file("L.NET")), PathKind::File);
    EXPECT_EQ(MayErase(dir.file("L.NET")), IoResult::Ok) << "the link, not the read-only file";
    Handle handle = -1;
    EXPECT_EQ(OpenToOverwrite(dir.file("L.NET"), 3, false, handle), IoResult::Denied);
    WriteFileBytes(dir.path() / "N.NET", "new");
    EXPECT_EQ(PutInPlace(dir.file("N.NET"), dir.file("L.NET")), IoResult::Ok);
    EXPECT_EQ(KindOfName(dir.file("L.NET")), PathKind::File);
    EXPECT_EQ(ReadFileBytes(dir.path() / "L.NET"), "new");
    EXPECT_EQ(ReadFileBytes(dir.path() / "T.NET"), "old");
    ::SetFileAttributesW((dir.path() / "T.NET").c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace netedit::testing
