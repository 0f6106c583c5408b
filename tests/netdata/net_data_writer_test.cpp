#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/platform.h"
#include "support/directory_state.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <tuple>
#ifndef _WIN32
#include "runtime/child_process.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#endif

namespace netedit {
namespace {

namespace fs = std::filesystem;
using testing::DirectoryState;
using testing::LayDirectoryState;
using testing::ReadDirectoryState;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using Entries = std::vector<std::string>;

// The worked example: a preamble, three sections (one without an entry), three entries.
const std::string Loaded = "; saved list\r\n[0]\r\nName=Alpha\r\nTel=0123\r\n[5]\r\nTel=0456\r\n"
                           "[x]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n";
const std::string Alpha = "[  0] Alpha";
const std::string Beta = "[  2] Beta";
const std::string Delta = "[  2] Delta";

using testing::FailureOf;

// What the save would write, gathered in memory.
std::string TextOf(const Entries& entries, const SectionTable& sections) {
    std::string text;
    NetDataText(entries, sections)([&text](std::string_view piece) { text.append(piece); });
    return text;
}

TEST(NetDataText, RenumbersByPositionAndCopiesBodiesByteForByte) {
    const std::string odd = std::string("T=\0\x1A\x95\x5C", 6);
    const NetData data = SplitNetData("pre\r\n[9]\r\nName=" + std::string(300, 'n') + "\r\n\r\n" + odd +
                                          "\r\n[3]\nName=B\n[4]\rTel=only\rx\n\nLast",
                                      "f");
    const std::string longName = "[  0] " + std::string(255, 'n');
    const struct {
        const char* what;
        Entries entries;
        std::string text;
    } rows[] = {
        // clang-format off
        {"nothing", {}, ""},
        {"first entry is [0] whatever its section", {"[  1] B"}, "[0]\r\nName=B\r\n"},
        {"a cut name still writes its whole line", {longName}, "[0]\r\nName=" + std::string(300, 'n') + "\r\n\r\n" + odd + "\r\n"},
        {"one section twice", {"[  1] B", "[  1] B"}, "[0]\r\nName=B\r\n[1]\r\nName=B\r\n"},
        {"every line ends in CR LF", {"[  2] C"}, "[0]\r\nTel=only\r\nx\r\n\r\nLast\r\n"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextOf(row.entries, data.sections), row.text) << row.what;
    }
    // Eleven entries: headers count on past one digit.
    const std::string text = TextOf(Entries(11, "[  1] B"), data.sections);
    EXPECT_NE(text.find("[10]\r\nName=B\r\n"), std::string::npos);
}

class SaveNetDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(source.path() / "OBN.NET", Loaded);
        data = LoadNetData(source.file("OBN.NET"));
    }
    bool save(const std::string& target, const Entries& chosen, const Entries& remaining) {
        return SaveNetData(target, source.file("OBN.NET"), chosen, remaining, data.sections);
    }
    std::string read(const TempDir& dir, const char* name) { return ReadFileBytes(dir.path() / name); }

    testing::UsualNewFileBits usualBits;
    TempDir source;
    TempDir other;
    NetData data;
};

// What the save of [  0] Alpha (and [  2] Beta left over, where a row says so) writes.
const std::string NewText = "[0]\r\nName=Alpha\r\nTel=0123\r\n";
const std::string LeftOver = "[0]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n";
const std::string Older = "older\r\n";
const std::string AccessDenied = Message("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
enum class Fails { No, Create, BackUp, Access };

// What stands in the source directory -> the save -> what stands there afterwards. Every row
// starts with the loaded file "OBN.NET" laid out as the row gives it.
TEST_F(SaveNetDataTest, WhatStandsBeforeAndAfter) {
    using enum Fails;
    const std::string Org = "OBNNET.ORG";
    const std::string Tmp = "OBNNET.TMP";
    const std::string Obn = "OBN.NET";
    struct Row {
        const char* what;
        DirectoryState before;
        std::string target;
        bool leftOver;
        DirectoryState after; // empty: as before
        Fails fails;
    };
    // clang-format off
    const Row rows[] = {
        {"over the loaded file", {{Obn, Loaded}}, Obn, true, {{Obn, NewText}, {Org, Loaded}, {Tmp, LeftOver}}, No},
        {"a second save replaces the first backup", {{Obn, Older}, {Org, Loaded}}, Obn, false, {{Obn, NewText}, {Org, Older}}, No},
        {"a new name leaves an older backup alone", {{Obn, Loaded}, {Org, Older}}, "NEW.NET", false, {{Obn, Loaded}, {Org, Older}, {"NEW.NET", NewText}}, No},
        {"nothing left over keeps an older remainder", {{Obn, Loaded}, {Tmp, Older}}, Obn, false, {{Obn, NewText}, {Org, Loaded}, {Tmp, Older}}, No},
#ifndef _WIN32 // Windows' attributes have a table of their own; links need rights there
        {"both new files keep the loaded file's bits, not an older remainder's", {{Obn, "(0600)" + Loaded}, {Tmp, Older}}, Obn, true, {{Obn, "(0600)" + NewText}, {Org, "(0600)" + Loaded}, {Tmp, "(0600)" + LeftOver}}, No},
        {"a link at the remainder is a name, not a way", {{Obn, Loaded}, {"mine", Older}, {Tmp, "->mine"}}, Obn, true, {{Obn, NewText}, {Org, Loaded}, {"mine", Older}, {Tmp, LeftOver}}, No},
        {"so is a link at the backup", {{Obn, Loaded}, {"mine", Older}, {Org, "->mine"}}, Obn, false, {{Obn, NewText}, {Org, Loaded}, {"mine", Older}}, No},
        {"the same folder through a link", {{Obn, Loaded}, {"via", "->."}}, "via/OBN.NET", false, {{Obn, NewText}, {Org, Loaded}, {"via", "->."}}, No},
        {"a link is saved through and stays", {{Obn, Loaded}, {"L.NET", "->OBN.NET"}}, "L.NET", false, {{Obn, NewText}, {Org, Loaded}, {"L.NET", "->OBN.NET"}}, No},
        {"a link that leads nowhere is replaced like a file", {{Obn, Loaded}, {"L.NET", "->nowhere"}}, "L.NET", false, {{Obn, Loaded}, {"L.NET", NewText}}, No},
        {"nor is the backup through a link", {{Obn, Loaded}, {Org, Older}, {"L.NET", "->OBNNET.ORG"}}, "L.NET", false, {}, Create},
#else
        {"the same folder in other letter case", {{Obn, Loaded}}, "^OBN.NET", false, {{Obn, NewText}, {Org, Loaded}}, No},
#endif
        {"nor is the backup in other letter case", {{Obn, Loaded}, {Org, Older}}, "obnnet.org", false, {}, Create},
        {"nor the remainder, even where nothing stands", {{Obn, Loaded}}, "obnnet.tmp", true, {}, Create},
        {"the backup is no target", {{Obn, Loaded}, {Org, Older}}, Org, false, {}, Create},
        {"nor the remainder while one is written", {{Obn, Loaded}, {Tmp, Older}}, Tmp, true, {}, Create},
        {"without one it is a target like any", {{Obn, Loaded}, {Tmp, Older}}, Tmp, false, {{Obn, Loaded}, {Org, Older}, {Tmp, NewText}}, No},
        {"a read-only backup is not erased", {{Obn, Loaded}, {Org, "(0444)" + Older}}, Obn, true, {}, Access},
        {"a read-only loaded file is not replaced", {{Obn, "(0444)" + Loaded}}, Obn, true, {}, Access},
        {"a backup that is a folder", {{Obn, Loaded}, {Org, "/"}}, Obn, true, {}, BackUp},
        {"a folder is never replaced", {{Obn, Loaded}, {"F.NET", "/"}}, "F.NET", true, {}, Create},
        {"a read-only file elsewhere", {{Obn, Loaded}, {"sub", "/"}, {"sub/RO.NET", "(0444)" + Older}}, "sub/RO.NET", false, {}, Access},
        {"a missing folder", {{Obn, Loaded}}, "none/OBN.NET", true, {}, Create},
        {"a name the code page cannot hold", {{Obn, Loaded}}, "Z\xFFrich.NET", true, {}, Create},
        {"another folder: no backup", {{Obn, Loaded}, {"sub", "/"}, {"sub/OBN.NET", Older}}, "sub/OBN.NET", true, {{Obn, Loaded}, {"sub", "/"}, {"sub/OBN.NET", NewText}, {Tmp, LeftOver}}, No},
        {"the same folder spelled another way", {{Obn, Loaded}}, "./OBN.NET", false, {{Obn, NewText}, {Org, Loaded}}, No},
    };
    // clang-format on
    const int descriptors = testing::OpenHandles();
    for (const auto& row : rows) {
        TempDir dir;
        LayDirectoryState(dir.path(), row.before);
        // "^": the folder's name in capitals, another spelling of it where letter case means nothing.
        std::string target = dir.file(row.target);
        if (row.target.starts_with('^')) {
            target = dir.file(row.target.substr(1));
            std::transform(target.begin(), target.end() - static_cast<std::ptrdiff_t>(row.target.size() - 1),
                           target.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
        }
        const std::string message = FailureOf([&] {
            SaveNetData(target, dir.file("OBN.NET"), {Alpha}, row.leftOver ? Entries{Beta} : Entries{},
                        data.sections);
        });
        const std::string expected[] = {"<no failure>", Message(msg::CannotCreate, dir.file(row.target)),
                                        Message(msg::CannotBackUp, target), AccessDenied};
        EXPECT_EQ(message, expected[static_cast<int>(row.fails)]) << row.what;
        EXPECT_EQ(ReadDirectoryState(dir.path()), row.after.empty() ? row.before : row.after) << row.what;
        EXPECT_EQ(testing::OpenHandles(), descriptors) << row.what << ": a file left open";
    }
}

// A fault at any call to the system: the save either completes as it would have without one,
// or fails. Before the first call that renames or erases a file, a failure leaves the directory
// exactly as it was; after it, the previous target's bytes stand under its name or as the
// backup, every file as it was or as the save leaves it, and nothing else (no temporary file).
TEST_F(SaveNetDataTest, AFaultAtAnyCallLosesNoFile) {
    const char* const targets[] = {"file", "/", nullptr};
    const char* const backups[] = {"backup", "(0444)backup", "/", nullptr};
    std::mt19937 random(11);
    int failedRuns = 0;
    int untouchedRuns = 0;
    for (int run = 0; run < 400; ++run) {
        DirectoryState before{{"OBN.NET", Loaded}};
        const auto pick = [&random](auto& options) { return options[random() % std::size(options)]; };
        if (const char* target = pick(targets)) {
            before["T.NET"] = target;
        }
        if (const char* backup = pick(backups)) {
            before["OBNNET.ORG"] = backup;
        }
        if (random() % 2 == 0) {
            before["OBNNET.TMP"] = Older;
        }
        const Entries remaining = random() % 2 == 0 ? Entries{Beta} : Entries{};
        int firstChange = 0; // of the run without a fault
        const auto runSave = [&](const TempDir& dir, int fault) {
            LayDirectoryState(dir.path(), before);
            platform::FailNthCall(fault);
            const std::string message = FailureOf([&] {
                SaveNetData(dir.file("T.NET"), dir.file("OBN.NET"), {Alpha}, remaining, data.sections);
            });
            firstChange = fault == 0 ? platform::FirstChangingCall() : firstChange;
            platform::FailNthCall(0);
            return std::make_pair(message, ReadDirectoryState(dir.path()));
        };
        TempDir twin;
        TempDir dir;
        const auto [cleanMessage, clean] = runSave(twin, 0);
        // As often before the first change as from it on.
        const auto draw = [&random](int span) {
            return static_cast<int>(random() % static_cast<unsigned>(span));
        };
        const int failAt = firstChange <= 1    ? 1 + draw(16)
                           : random() % 2 == 0 ? 1 + draw(firstChange - 1)
                                               : firstChange + draw(6);
        const auto [message, after] = runSave(dir, failAt);
        const std::string where = "run " + std::to_string(run) + " fault at call " + std::to_string(failAt);
        if (message == "<no failure>") {
            EXPECT_EQ(after, clean) << where;
            continue;
        }
        failedRuns += cleanMessage == "<no failure>" ? 1 : 0;
        if (firstChange == 0 || failAt < firstChange) {
            untouchedRuns += cleanMessage == "<no failure>" ? 1 : 0;
            EXPECT_EQ(after, before) << where;
            continue;
        }
        const auto at = [](const DirectoryState& state, const std::string& name) {
            const auto found = state.find(name);
            return found == state.end() ? std::string("<none>") : found->second;
        };
        for (const auto& [name, content] : after) {
            EXPECT_TRUE(at(before, name) == content || at(clean, name) == content) << where << " " << name;
        }
        if (at(before, "T.NET") == "file") {
            EXPECT_TRUE(at(after, "T.NET") == "file" || at(after, "OBNNET.ORG") == "file") << where;
        }
    }
    // Both kinds of fault must really happen.
    EXPECT_GT(untouchedRuns, 40) << untouchedRuns;
    EXPECT_GT(failedRuns - untouchedRuns, 20) << untouchedRuns << " " << failedRuns;
}

// The new files are written; just before the first change the save may still be called off, and
// what may have changed meanwhile is looked at again: either way every file stands as it was.
TEST_F(SaveNetDataTest, TheLastWordBeforeTheFirstChange) {
    WriteFileBytes(source.path() / "OBNNET.ORG", Older);
    const std::string loaded = source.file("OBN.NET");
    const DirectoryState before = ReadDirectoryState(source.path());
    EXPECT_EQ(SaveNetData(loaded, loaded, {Alpha}, {Beta}, data.sections, [] { return false; }),
              SaveResult::Abandoned);
    EXPECT_EQ(ReadDirectoryState(source.path()), before);
    const auto protectBackup = [&] {
        fs::permissions(source.path() / "OBNNET.ORG", fs::perms(0444));
        return true;
    };
    EXPECT_EQ(FailureOf([&] { SaveNetData(loaded, loaded, {Alpha}, {Beta}, data.sections, protectBackup); }),
              AccessDenied);
    DirectoryState protectedBackup = before;
    protectedBackup["OBNNET.ORG"] = "(0444)" + Older;
    EXPECT_EQ(ReadDirectoryState(source.path()), protectedBackup);
}

#ifndef _WIN32 // the kernel's limits and another user: POSIX only
TEST_F(SaveNetDataTest, ALargeFileGoesOutInPiecesAndAShortWriteMidwayKeepsTheOldFile) {
    std::string bytes = "[0]\r\nName=Big\r\n";
    for (int i = 0; i < 100'000; ++i) {
        bytes += i < 60'000 ? "Tel=0123456789012345678901234567890123456789\r\n" // 46 bytes a line written
                            : "Tel=0123456789012345678901234567890123456789\n";
    }
    data = SplitNetData(bytes, "big");
    const std::string target = other.file("BIG.NET");
    EXPECT_FALSE(save(target, {"[  0] Big"}, {}));
    EXPECT_EQ(ReadFileBytes(target), TextOf({"[  0] Big"}, data.sections));
    EXPECT_GT(ReadFileBytes(target).size(), 4U << 20); // several pieces of a megabyte

    // The kernel takes the first pieces and refuses the rest.
    WriteFileBytes(target, "old\r\n");
    const std::string answer = testing::RunInChild(
        {.maxFileBytes = 3 << 20}, [&] { return FailureOf([&] { save(target, {"[  0] Big"}, {}); }); });
    EXPECT_EQ(answer, Message(msg::WriteError));
    EXPECT_EQ(ReadFileBytes(target), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(other.path()), fs::directory_iterator()), 1);
    // A full disk in the loaded file's own folder: nothing has been moved aside yet.
    const DirectoryState before = ReadDirectoryState(source.path());
    EXPECT_EQ(testing::RunInChild(
                  {.maxFileBytes = 3 << 20},
                  [&] { return FailureOf([&] { save(source.file("OBN.NET"), {"[  0] Big"}, {}); }); }),
              Message(msg::WriteError));
    EXPECT_EQ(ReadDirectoryState(source.path()), before);
}

TEST_F(SaveNetDataTest, PermissionFaultsAsAnUnprivilegedUser) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged user";
    }
    fs::permissions(source.path(), fs::perms::all);
    // A folder closed to the user: its old backup can be read but not erased, and a file in it
    // that the user may write takes no temporary file beside it, so it is written in place.
    TempDir closed;
    WriteFileBytes(closed.path() / "OBN.NET", Loaded);
    WriteFileBytes(closed.path() / "OBNNET.ORG", "older backup\r\n");
    WriteFileBytes(closed.path() / "OPEN.NET", "open\r\n");
    fs::permissions(closed.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    ASSERT_EQ(::chmod(closed.file("OBNNET.ORG").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(closed.file("OPEN.NET").c_str(), 0666), 0);
    // A sticky folder open to all: the user's file there, somebody else's backup beside it, and
    // somebody else's files: one the user may write but not replace, one the user may not write.
    TempDir sticky;
    const DirectoryState stickyFiles{{"OBN.NET", Loaded},
                                     {"OBNNET.ORG", "(0666)older\r\n"},
                                     {"OBNNET.TMP", "(0666)older\r\n"},
                                     {"ROOTS.NET", "(0666)open\r\n"},
                                     {"ROOT.NET", "closed\r\n"}};
    LayDirectoryState(sticky.path(), stickyFiles);
    ASSERT_EQ(::chmod(sticky.file("").c_str(), 01777), 0);
    ASSERT_EQ(::chown(sticky.file("OBN.NET").c_str(), 65534, 65534), 0);

    const std::string answer = testing::RunInChild({.dropPrivileges = true}, [&] {
        std::string answers;
        // Each target, saved from the file loaded beside it or from another folder, with entries
        // left over for the remainder or none.
        const struct {
            std::string target, loaded;
            Entries remaining;
        } saves[] = {{closed.file("OBN.NET"), closed.file("OBN.NET"), {}},
                     {closed.file("OPEN.NET"), source.file("OBN.NET"), {}},
                     {sticky.file("OBN.NET"), sticky.file("OBN.NET"), {}},
                     {sticky.file("ROOTS.NET"), source.file("OBN.NET"), {}},
                     {sticky.file("ROOT.NET"), source.file("OBN.NET"), {}},
                     {sticky.file("NEW.NET"), sticky.file("OBN.NET"), {Beta}}};
        for (const auto& save : saves) {
            answers += FailureOf([&] {
                           SaveNetData(save.target, save.loaded, {Alpha}, save.remaining, data.sections);
                       }) +
                       "|";
        }
        return answers;
    });
    EXPECT_EQ(answer, AccessDenied + "|<no failure>|" + AccessDenied + "|" + AccessDenied + "|" +
                          AccessDenied + "|" + AccessDenied + "|");
    EXPECT_EQ(ReadDirectoryState(sticky.path()), stickyFiles);
    EXPECT_EQ(read(closed, "OBN.NET"), Loaded);
    EXPECT_EQ(read(closed, "OBNNET.ORG"), "older backup\r\n");
    EXPECT_EQ(read(closed, "OPEN.NET"), NewText);
    // Written in place, no room for the whole text is a write error before a byte changes.
    WriteFileBytes(closed.path() / "OPEN.NET", "open\r\n");
    const std::string shortWrite = testing::RunInChild({.maxFileBytes = 5, .dropPrivileges = true}, [&] {
        return FailureOf([&] { save(closed.file("OPEN.NET"), {Alpha}, {}); });
    });
    EXPECT_EQ(shortWrite, Message(msg::WriteError));
    EXPECT_EQ(read(closed, "OPEN.NET"), "open\r\n");
}
// An attribute of the file at `path`, "<none>" when it has none.
std::string AttributeOf(const std::string& path, const char* name) {
    std::string value(256, '\0');
    const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
    return size < 0 ? "<none>" : value.substr(0, static_cast<std::size_t>(size));
}

// A member of the team saves a teammate's file in the team's folder: the saved file and the
// remainder keep the team's group, the bits, the ACL (which lets one more user read) and the
// user's own attributes.
TEST_F(SaveNetDataTest, AMembersSaveKeepsTheGroupTheAclAndTheAttributes) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged member of a group";
    }
    constexpr gid_t Team = 4242;
    TempDir team;
    WriteFileBytes(team.path() / "OBN.NET", Loaded);
    ASSERT_EQ(::chown(team.file("").c_str(), 0, Team) | ::chmod(team.file("").c_str(), 0770), 0);
    ASSERT_EQ(::chown(team.file("OBN.NET").c_str(), 0, Team), 0);
    // The kernel's form: a version, then tag, permissions and id; owner rw, user 1234 r, the
    // owning group rw, the mask rw, others nothing.
    std::string acl("\x02\0\0\0", 4);
    for (const auto& [tag, bits, id] :
         {std::tuple{1, 6, ~0U}, {2, 4, 1234U}, {4, 6, ~0U}, {16, 6, ~0U}, {32, 0, ~0U}}) {
        const std::array<unsigned char, 8> entry{
            static_cast<unsigned char>(tag),      0,
            static_cast<unsigned char>(bits),     0,
            static_cast<unsigned char>(id),       static_cast<unsigned char>(id >> 8),
            static_cast<unsigned char>(id >> 16), static_cast<unsigned char>(id >> 24)};
        acl.append(entry.begin(), entry.end());
    }
    const std::string loaded = team.file("OBN.NET");
    if (::setxattr(loaded.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0 ||
        ::setxattr(loaded.c_str(), "user.note", "kept", 4, 0) != 0) {
        GTEST_SKIP() << "the file system keeps no ACL or user attribute";
    }
    const std::string answer = testing::RunInChild({.dropPrivileges = true, .memberOf = Team}, [&] {
        return FailureOf([&] { SaveNetData(loaded, loaded, {Alpha}, {Beta}, data.sections); });
    });
    ASSERT_EQ(answer, "<no failure>");
    for (const char* name : {"OBN.NET", "OBNNET.TMP"}) {
        struct stat st {};
        ASSERT_EQ(::stat(team.file(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534U) << name; // only root could give it back to its owner
        EXPECT_EQ(st.st_gid, Team) << name;
        EXPECT_EQ(st.st_mode & 07777, 0660U) << name;
        EXPECT_EQ(AttributeOf(team.file(name), "system.posix_acl_access"), acl) << name;
        EXPECT_EQ(AttributeOf(team.file(name), "user.note"), "kept") << name;
    }
}
#endif

} // namespace
} // namespace netedit
