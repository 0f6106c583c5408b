#include "runtime/child_process.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/line_list.h"
#include "runtime/messages.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace netedit {
namespace {

using testing::FailureOf;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

Strings ToStrings(const LineList& lines) {
    return Strings(lines.begin(), lines.end());
}

LineList ToLines(const Strings& strings) {
    LineList lines;
    for (const auto& s : strings) {
        lines.push_back(s);
    }
    return lines;
}

std::string CannotOpen(const std::string& path) {
    return Message(msg::CannotOpen, path);
}

std::string CannotCreate(const std::string& path) {
    return Message(msg::CannotCreate, path);
}

// Names in the directory other than `keep`: what a save may have left behind.
Strings Leftovers(const TempDir& dir, const std::string& keep) {
    Strings names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path().filename() != keep) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

TEST(SplitLines, GivesTheLinesBetweenTheirEnds) {
    const struct {
        std::string bytes;
        Strings lines;
    } rows[] = {
        // clang-format off
        {"", {}}, {"A\r\nB", {"A", "B"}}, {"A\r\n", {"A"}}, {"A\rB\r", {"A", "B"}}, {"A\nB\n", {"A", "B"}},
        {"A\n\nB", {"A", "", "B"}}, {"A\n\rB", {"A", "", "B"}}, {"A\r\r\nB", {"A", "", "B"}}, {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}}, {"\tA \r\n", {"\tA "}}, {"\x95\x5C\r\n", {"\x95\x5C"}},
        // A NUL must never cut the rest of the file away; NUL and Ctrl-Z are bytes of their line.
        {std::string("A\r\nB\0C\r\nD", 9), {"A", std::string("B\0C", 3), "D"}},
        {std::string("\0\r\nX", 4), {std::string("\0", 1), "X"}},
        {"A\x1A" "B\r\n\x1A", {"A\x1A" "B", "\x1A"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ToStrings(SplitLines(row.bytes)), row.lines) << ::testing::PrintToString(row.bytes);
    }
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"A", ""}), "A\r\n\r\n");
    EXPECT_EQ(JoinLines({"A\r", "B\n"}), "A\r\r\nB\n\r\n"); // a line's own CR or LF stays
    EXPECT_EQ(JoinLines(ToLines({"[0]", std::string("N\0ame", 5)})), std::string("[0]\r\nN\0ame\r\n", 12));
}

TEST(LoadLines, ReadsTheFileAndReplacesTheList) {
    TempDir dir;
    WriteFileBytes(dir.file("OBN.NET"), std::string("[0]\r\nName=A\0B\nx", 15));
    LineList lines{"old"};
    LoadLines(dir.file("OBN.NET"), lines);
    EXPECT_EQ(ToStrings(lines), (Strings{"[0]", std::string("Name=A\0B", 8), "x"}));

    WriteFileBytes(dir.file("empty"), "");
    LoadLines(dir.file("empty"), lines);
    EXPECT_TRUE(lines.empty());
}

TEST(LoadLines, FailsWithTheFullPathAndLeavesTheList) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0666), 0); // nobody writes: opening it must not wait
    const std::string paths[] = {dir.file("missing.NET"), dir.file("no-dir/OBN.NET"), dir.file("folder"),
                                 dir.file("") + "\x95\x5C.NET", dir.file("pipe")};
    for (const auto& path : paths) {
        LineList lines{"kept"};
        EXPECT_EQ(FailureOf([&] { LoadLines(path, lines); }), CannotOpen(path));
        EXPECT_EQ(ToStrings(lines), Strings{"kept"});
    }
}

TEST(LoadLines, TakesCodePage932Paths) {
    TempDir dir;
    WriteFileBytes(dir.path() / "\xE8\xA1\xA8.NET", "A\r\n"); // 表.NET in UTF-8 on disk
    LineList lines;
    LoadLines(dir.file("") + "\x95\x5C.NET", lines);
    EXPECT_EQ(ToStrings(lines), Strings{"A"});
}

TEST(SaveLines, WritesTheBytesAndLeavesNothingElse) {
    struct Row {
        Strings lines;
        std::string bytes;
    };
    const Row rows[] = {
        {{}, ""},
        {{"A", ""}, "A\r\n\r\n"},
        {{"[0]", "Name=X"}, "[0]\r\nName=X\r\n"},
        {{std::string("A\0B", 3)}, std::string("A\0B\r\n", 5)},
    };
    for (const auto& row : rows) {
        TempDir dir;
        SaveLines(ToLines(row.lines), dir.file("new.NET")); // created
        EXPECT_EQ(ReadFileBytes(dir.file("new.NET")), row.bytes);
        WriteFileBytes(dir.file("old.NET"), "a much longer old text that must go entirely\r\n");
        SaveLines(ToLines(row.lines), dir.file("old.NET")); // replaced
        EXPECT_EQ(ReadFileBytes(dir.file("old.NET")), row.bytes);
        EXPECT_EQ(Leftovers(dir, "old.NET"), Strings{"new.NET"});
    }
}

TEST(SaveLines, KeepsThePermissionBitsOfTheReplacedFileAndGivesANewOneTheUsualOnes) {
    TempDir dir;
    const mode_t mask = ::umask(022);
    for (auto mode : {0600, 0604, 0755, -1}) {
        if (mode >= 0) {
            WriteFileBytes(dir.file("OBN.NET"), "old\r\n");
            ASSERT_EQ(::chmod(dir.file("OBN.NET").c_str(), static_cast<mode_t>(mode)), 0);
        }
        const std::string path = dir.file(mode >= 0 ? "OBN.NET" : "NEW.NET");
        SaveLines({"new"}, path);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, static_cast<mode_t>(mode >= 0 ? mode : 0644));
        EXPECT_EQ(ReadFileBytes(path), "new\r\n");
    }
    ::umask(mask);
}

TEST(SaveLines, WritesThroughASymbolicLink) {
    TempDir dir;
    WriteFileBytes(dir.file("real.NET"), "old\r\n");
    fs::create_symlink("real.NET", dir.path() / "link.NET");
    SaveLines({"new"}, dir.file("link.NET"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.NET"));
    EXPECT_EQ(ReadFileBytes(dir.file("real.NET")), "new\r\n");
}

TEST(SaveLines, RefusesTargetsItCannotCreate) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder");
    const std::string paths[] = {dir.file("folder"), dir.file("no-dir/OBN.NET")};
    for (const auto& path : paths) {
        EXPECT_EQ(FailureOf([&] { SaveLines({"x"}, path); }), CannotCreate(path));
    }
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
    EXPECT_EQ(Leftovers(dir, "folder"), Strings{});
}

// Permission bits bind root only through a child that has given up its privileges.
TEST(LinesUnprivileged, RefuseWhatTheUserMayNotTouch) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged user";
    }
    TempDir dir;
    TempDir open;
    fs::permissions(open.path(), fs::perms::all); // a folder in which anyone may create files
    const std::string readOnly = open.file("OBN.NET");
    const std::string secret = dir.file("secret.NET");
    const std::string inClosedFolder = dir.file("new.NET");
    WriteFileBytes(readOnly, "old\r\n");
    WriteFileBytes(secret, "old\r\n");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);

    std::string answer = testing::RunInChild({.dropPrivileges = true}, [&] {
        LineList lines;
        return FailureOf([&] { SaveLines({"new"}, readOnly); }) + "|" +
               FailureOf([&] { SaveLines({"new"}, inClosedFolder); }) + "|" +
               FailureOf([&] { LoadLines(secret, lines); });
    });
    EXPECT_EQ(answer, CannotCreate(readOnly) + "|" + CannotCreate(inClosedFolder) + "|" + CannotOpen(secret));
    EXPECT_EQ(ReadFileBytes(readOnly), "old\r\n");
    EXPECT_EQ(Leftovers(open, "OBN.NET"), Strings{});
    EXPECT_FALSE(fs::exists(inClosedFolder));
}

} // namespace
} // namespace netedit
