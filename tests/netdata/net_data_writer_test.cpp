#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/child_process.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace netedit {
namespace {

namespace fs = std::filesystem;
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

TEST(BuildNetDataText, RenumbersByPositionAndCopiesBodiesByteForByte) {
    const std::string odd = std::string("T=\0\x1A\x95\x5C", 6);
    const NetData data = SplitNetData(
        {"pre", "[9]", "Name=" + std::string(300, 'n'), "", odd, "[3]", "Name=B", "[4]", "Tel=only"}, "f");
    const std::string longName = "[  0] " + std::string(255, 'n');
    const struct {
        const char* what;
        Entries entries;
        std::string text;
    } rows[] = {
        {"nothing", {}, ""},
        {"first entry is [0] whatever its section", {"[  1] B"}, "[0]\r\nName=B\r\n"},
        {"a cut name still writes its whole line",
         {longName},
         "[0]\r\nName=" + std::string(300, 'n') + "\r\n\r\n" + odd + "\r\n"},
        {"one section twice", {"[  1] B", "[  1] B"}, "[0]\r\nName=B\r\n[1]\r\nName=B\r\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(BuildNetDataText(row.entries, data.sections), row.text) << row.what;
    }
    // Eleven entries: headers count on past one digit.
    const std::string text = BuildNetDataText(Entries(11, "[  1] B"), data.sections);
    EXPECT_NE(text.find("[10]\r\nName=B\r\n"), std::string::npos);
}

TEST(BuildNetDataText, AnEntryWithoutASectionNumberFailsBeforeAnythingIsWritten) {
    const NetData data = SplitNetData({"[0]", "Name=A"}, "f");
    EXPECT_EQ(FailureOf([&] { BuildNetDataText({"[ab ] x"}, data.sections); }),
              Message(msg::NotAnInteger, "ab "));
    EXPECT_EQ(FailureOf([&] { BuildNetDataText({"[  7] x"}, data.sections); }),
              Message(msg::IndexOutOfRange));
}

class SaveNetDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(source.path() / "OBN.NET", Loaded);
        data = LoadNetData(source.file("OBN.NET"));
    }
    bool save(const std::string& target, const Entries& chosen, const Entries& remaining) {
        return SaveNetData(target, source.file(""), chosen, remaining, data.sections);
    }
    std::string read(const TempDir& dir, const char* name) { return ReadFileBytes(dir.path() / name); }
    bool exists(const TempDir& dir, const char* name) { return fs::exists(dir.path() / name); }

    TempDir source;
    TempDir other;
    NetData data;
};

TEST_F(SaveNetDataTest, OverTheLoadedFileKeepsItAsTheBackupAndWritesTheRemainder) {
    EXPECT_TRUE(save(source.file("OBN.NET"), {Beta, Alpha}, {Delta}));
    EXPECT_EQ(read(source, "OBN.NET"),
              "[0]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n[1]\r\nName=Alpha\r\nTel=0123\r\n");
    EXPECT_EQ(read(source, "OBNNET.ORG"), Loaded);
    EXPECT_EQ(read(source, "OBNNET.TMP"), "[0]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n");
}

TEST_F(SaveNetDataTest, ANewNameInTheSourceDirectoryMakesNoBackup) {
    EXPECT_TRUE(save(source.file("OBN2.NET"), {Alpha}, {Beta, Delta}));
    EXPECT_EQ(read(source, "OBN2.NET"), "[0]\r\nName=Alpha\r\nTel=0123\r\n");
    EXPECT_FALSE(exists(source, "OBNNET.ORG"));
    EXPECT_EQ(read(source, "OBN.NET"), Loaded);
}

TEST_F(SaveNetDataTest, AnotherDirectoryReplacesWithoutBackupAndTheRemainderStaysAtTheSource) {
    WriteFileBytes(other.path() / "OBN.NET", "old\r\n");
    EXPECT_FALSE(save(other.file("OBN.NET"), {Alpha}, {Beta}));
    EXPECT_EQ(read(other, "OBN.NET"), "[0]\r\nName=Alpha\r\nTel=0123\r\n");
    EXPECT_FALSE(exists(other, "OBNNET.ORG"));
    EXPECT_FALSE(exists(other, "OBNNET.TMP"));
    EXPECT_EQ(read(source, "OBNNET.TMP"), "[0]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n");
}

TEST_F(SaveNetDataTest, TheSameDirectorySpelledAnotherWayCountsAsAnother) {
    const std::string spelled = source.path().string() + "/./OBN.NET";
    EXPECT_FALSE(save(spelled, {Alpha}, {}));
    EXPECT_FALSE(exists(source, "OBNNET.ORG"));
    EXPECT_EQ(read(source, "OBN.NET"), "[0]\r\nName=Alpha\r\nTel=0123\r\n");
}

TEST_F(SaveNetDataTest, ASecondSaveReplacesTheFirstBackup) {
    save(source.file("OBN.NET"), {Alpha}, {});
    save(source.file("OBN.NET"), {Beta}, {});
    EXPECT_EQ(read(source, "OBNNET.ORG"), "[0]\r\nName=Alpha\r\nTel=0123\r\n");
    EXPECT_EQ(read(source, "OBN.NET"), "[0]\r\nName=Beta\r\nname=Gamma\r\nName=Delta\r\n");
}

TEST_F(SaveNetDataTest, WithNothingLeftOverAnOlderRemainderStaysUntouched) {
    WriteFileBytes(source.path() / "OBNNET.TMP", "older\r\n");
    save(source.file("OBN.NET"), {Alpha, Beta, Delta}, {});
    EXPECT_EQ(read(source, "OBNNET.TMP"), "older\r\n");
}

TEST_F(SaveNetDataTest, CrOnlyInputIsWrittenBackWithCrLf) {
    WriteFileBytes(source.path() / "CR.NET", "[0]\rName=A\rx=\x1A\r");
    data = LoadNetData(source.file("CR.NET"));
    save(other.file("OUT.NET"), {"[  0] A"}, {});
    EXPECT_EQ(read(other, "OUT.NET"), "[0]\r\nName=A\r\nx=\x1A\r\n");
}

// Faults that hold even for root: the user's file is byte-identical afterwards.
TEST_F(SaveNetDataTest, FaultsLeaveTheOldFileAsItWas) {
    const std::string missingFolder = source.file("none/OBN.NET");
    EXPECT_EQ(FailureOf([&] { save(missingFolder, {Alpha}, {}); }),
              Message(msg::CannotCreate, missingFolder));

    fs::create_directory(other.path() / "FOLDER.NET");
    EXPECT_EQ(FailureOf([&] { save(other.file("FOLDER.NET"), {Alpha}, {}); }),
              Message(msg::CannotCreate, other.file("FOLDER.NET")));
    fs::create_directory(source.path() / "FOLDER.NET");
    EXPECT_EQ(FailureOf([&] { save(source.file("FOLDER.NET"), {Alpha}, {}); }),
              Message(msg::CannotCreate, source.file("FOLDER.NET")));
    EXPECT_TRUE(fs::is_directory(source.path() / "FOLDER.NET"));
    EXPECT_FALSE(exists(source, "OBNNET.ORG"));

    // The kernel refuses bytes past the limit: the new text cannot be written in full.
    const std::string answer = testing::RunInChild({.maxFileBytes = 20}, [&] {
        return FailureOf([&] { save(other.file("BIG.NET"), {Beta, Alpha}, {}); });
    });
    EXPECT_EQ(answer, Message(msg::WriteError));
}

TEST_F(SaveNetDataTest, ALargeFileGoesOutInPiecesAndAShortWriteMidwayKeepsTheOldFile) {
    LineList lines{"[0]", "Name=Big"};
    for (int i = 0; i < 100'000; ++i) {
        lines.push_back("Tel=0123456789012345678901234567890123456789"); // 46 bytes a line written
    }
    data = SplitNetData(lines, "big");
    const std::string target = other.file("BIG.NET");
    EXPECT_FALSE(save(target, {"[  0] Big"}, {}));
    EXPECT_EQ(ReadFileBytes(target), BuildNetDataText({"[  0] Big"}, data.sections));
    EXPECT_GT(ReadFileBytes(target).size(), 4U << 20); // several pieces of a megabyte

    // The kernel takes the first pieces and refuses the rest.
    WriteFileBytes(target, "old\r\n");
    const std::string answer = testing::RunInChild({.maxFileBytes = 3 << 20}, [&] {
        return FailureOf([&] { save(target, {"[  0] Big"}, {}); });
    });
    EXPECT_EQ(answer, Message(msg::WriteError));
    EXPECT_EQ(ReadFileBytes(target), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(other.path()), fs::directory_iterator()), 1);
}

TEST_F(SaveNetDataTest, AFileThatCannotBeMovedAsideIsNeverOverwritten) {
    // A folder named like the backup can be neither opened as a file nor replaced by the rename.
    fs::create_directory(source.path() / "OBNNET.ORG");
    const std::string target = source.file("OBN.NET");
    EXPECT_EQ(FailureOf([&] { save(target, {Alpha}, {Beta}); }), Message(msg::CannotBackUp, target));
    EXPECT_EQ(read(source, "OBN.NET"), Loaded);
    EXPECT_FALSE(exists(source, "OBNNET.TMP"));
    // With no file at the target there is nothing to keep, and the save goes on.
    EXPECT_TRUE(save(source.file("NEW.NET"), {Alpha}, {}));
}

TEST_F(SaveNetDataTest, PermissionFaultsAsAnUnprivilegedUser) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged user";
    }
    fs::permissions(source.path(), fs::perms::all);
    fs::permissions(other.path(), fs::perms::all);
    // An old backup that can be read but not erased (its folder is closed to the user).
    TempDir closed;
    WriteFileBytes(closed.path() / "OBN.NET", Loaded);
    WriteFileBytes(closed.path() / "OBNNET.ORG", "older backup\r\n");
    fs::permissions(closed.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(closed.path() / "OBNNET.ORG", fs::perms::all);
    // A read-only target in another folder.
    WriteFileBytes(other.path() / "RO.NET", "read only\r\n");
    ASSERT_EQ(::chmod(other.file("RO.NET").c_str(), 0444), 0);

    const std::string answer = testing::RunInChild({.dropPrivileges = true}, [&] {
        return FailureOf([&] {
                   SaveNetData(closed.file("OBN.NET"), closed.file(""), {Alpha}, {}, data.sections);
               }) +
               "|" + FailureOf([&] { save(other.file("RO.NET"), {Alpha}, {}); });
    });
    EXPECT_EQ(answer, Message("ﾌｧｲﾙへのｱｸｾｽが拒否されました") + "|" +
                          Message(msg::CannotCreate, other.file("RO.NET")));
    EXPECT_EQ(read(closed, "OBN.NET"), Loaded);
    EXPECT_EQ(read(closed, "OBNNET.ORG"), "older backup\r\n");
    EXPECT_EQ(read(other, "RO.NET"), "read only\r\n");
}

} // namespace
} // namespace netedit
