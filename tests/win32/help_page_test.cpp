// The help page the program carries, and its copy written out for the browser.

#include "support/temp_dir.h"
#include "win32/help_page.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace netedit::testing {
namespace {

namespace fs = std::filesystem;

TEST(Win32HelpPage, TheProgramCarriesThePageThePackageInstalls) {
    EXPECT_EQ(win32::HelpPageBytes(), ReadFileBytes(NETEDIT_PACKAGED_HELP_PAGE));
}

// In a folder whose name code page 932 cannot hold ("ö"), as a user's profile may be named; the
// page's own folder is made when missing.
TEST(Win32HelpPage, WrittenWhenMissingOrDifferentAndLeftAloneWhenEqual) {
    const std::string page = "<p>保存</p>\r\n";
    const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    const struct {
        const char* what;
        bool folderStands;
        const char* before; // nullptr: no file
        bool untouched;     // the file was not written again
    } rows[] = {
        {"missing, its folder too", false, nullptr, false},
        {"missing in its folder", true, nullptr, false},
        {"differing in one byte", true, "<p>保存</p>\r\r", false},
        {"empty", true, "", false},
        {"longer, starting as the page does", true, "<p>保存</p>\r\n<p>", false},
        {"equal", true, "<p>保存</p>\r\n", true},
    };
    for (const auto& row : rows) {
        TempDir dir;
        const fs::path folder = dir.path() / L"Bj\u00f6rk" / L"netedit";
        const fs::path file = folder / L"help.html";
        fs::create_directories(row.folderStands ? folder : folder.parent_path());
        fs::file_time_type stamped{};
        if (row.before != nullptr) {
            WriteFileBytes(file, row.before);
            fs::last_write_time(file, old);
            stamped = fs::last_write_time(file); // as the file system keeps it, in its own ticks
        }
        EXPECT_TRUE(win32::WritePageIfChanged(file.wstring(), page)) << row.what;
        EXPECT_EQ(ReadFileBytes(file), page) << row.what;
        if (row.before != nullptr) {
            EXPECT_EQ(fs::last_write_time(file) == stamped, row.untouched) << row.what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << row.what << ": nothing else left";
    }
}

TEST(Win32HelpPage, ThePageGoesToTheUsersFolderForLocalData) {
    const struct {
        const wchar_t* localData; // nullptr: not set
        std::wstring file;
    } rows[] = {
        {L"C:\\Users\\Bj\u00f6rk\\AppData\\Local",
         L"C:\\Users\\Bj\u00f6rk\\AppData\\Local\\netedit\\help.html"},
        {nullptr, L"%LOCALAPPDATA%\\netedit\\help.html"}, // says what is missing, and is never written
    };
    wchar_t kept[32768]{};
    const bool wasSet = ::GetEnvironmentVariableW(L"LOCALAPPDATA", kept, 32768) > 0;
    for (const auto& row : rows) {
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", row.localData);
        EXPECT_EQ(win32::HelpPageFile(), row.file);
    }
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", wasSet ? kept : nullptr);
}

// Where the page cannot go, nothing is written and nothing is left behind.
TEST(Win32HelpPage, WhereThePageCannotGoItFailsAndLeavesNothing) {
    TempDir dir;
    WriteFileBytes(dir.path() / L"file", "x");
    fs::create_directories(dir.path() / L"netedit" / L"help.html");
    const struct {
        const char* what;
        std::wstring file;
    } rows[] = {
        {"a file where its folder goes", (dir.path() / L"file" / L"help.html").wstring()},
        {"a folder where it goes", (dir.path() / L"netedit" / L"help.html").wstring()},
        {"a name of no folder", L"%LOCALAPPDATA%\\netedit\\help.html"},
        {"a relative name", L"nt\\help.html"},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(win32::WritePageIfChanged(row.file, "<p></p>")) << row.what;
    }
    EXPECT_EQ(ReadFileBytes(dir.path() / L"file"), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / L"netedit"), {}), 1);
    EXPECT_FALSE(fs::exists(L"%LOCALAPPDATA%") || fs::exists(L"nt"));
}

} // namespace
} // namespace netedit::testing
