#include "editor/settings_file.h"
#include "runtime/child_process.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/messages.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace netedit {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
namespace fs = std::filesystem;

// "0123456789" repeated: a cut shows where it fell.
std::string Digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += static_cast<char>('0' + i % 10);
    }
    return text;
}

using testing::FailureOf;

const std::string AccessDenied = EncodeCp932("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
const std::string BadFileName = EncodeCp932("不正なﾌｧｲﾙ名です");

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        TakeIOCode();
        path = dir.file("netedit.INI");
    }

    TempDir dir;
    std::string path;
};

TEST_F(SettingsFileTest, ReadingTakesOnlyTheExactKeysUpToTheFirstCtrlZ) {
    struct Row {
        const char* name;
        std::optional<std::string> bytes; // nullopt: no settings file
        std::string source;
        std::string destination;
    };
    const Row rows[] = {
        {"no settings file", std::nullopt, "", ""},
        {"empty file", "", "", ""},
        {"both keys", "SrcFile=C:\\NET\\OBN.NET\r\nDstFile=D:\\NEW.NET\r\n", "C:\\NET\\OBN.NET",
         "D:\\NEW.NET"},
        {"only DstFile", "DstFile=D:\\NEW.NET\r\n", "", "D:\\NEW.NET"},
        {"any order, no final line end", "DstFile=B\r\nSrcFile=A", "A", "B"},
        {"other letter case and blanks around keys",
         "srcfile=a\r\nSRCFILE=b\r\nSrcFile =c\r\n SrcFile=d\r\nDstfile=e\r\n\tDstFile=f\r\n", "", ""},
        {"lines without '='", "SrcFile\r\nDstFile\r\n=C:\\X\r\n", "", ""},
        {"a line without '=' keeps an earlier value", "SrcFile=A\r\nSrcFile\r\n", "A", ""},
        {"the later SrcFile wins, even empty", "SrcFile=A\r\nDstFile=B\r\nSrcFile=\r\n", "", "B"},
        {"a value holding '='", "SrcFile=C:\\A=B\\X=.NET\r\n", "C:\\A=B\\X=.NET", ""},
        {"values are not trimmed", "SrcFile= A \r\n", " A ", ""},
        {"a 300-byte value", "SrcFile=" + Digits(300) + "\r\n", Digits(255), ""},
        {"a 255-byte value", "DstFile=" + Digits(255) + "\r\n", "", Digits(255)},
        {"LF-only line ends read as one line", "SrcFile=X\nDstFile=Y\n", "X\nDstFile=Y\n", ""},
        {"one LF-only line cut to 255", "SrcFile=" + Digits(250) + "\nDstFile=Y\n", Digits(250) + "\nDstF",
         ""},
        {"lone CR ends a line", "SrcFile=A\rDstFile=B\r", "A", "B"},
        {"Ctrl-Z before DstFile",
         "SrcFile=A\r\n\x1A"
         "DstFile=B\r\n",
         "A", ""},
        {"Ctrl-Z inside a value",
         "SrcFile=A\x1A"
         "B\r\nDstFile=C\r\n",
         "A", ""},
        {"double-byte paths stay bytes", EncodeCp932("SrcFile=C:\\データ\\表\\OBN.NET\r\n"),
         EncodeCp932("C:\\データ\\表\\OBN.NET"), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(path);
        if (row.bytes) {
            WriteFileBytes(path, *row.bytes);
        }
        RememberedPaths paths;
        ReadSettings(path, paths);
        EXPECT_EQ(paths.source, row.source);
        EXPECT_EQ(paths.destination, row.destination);
        EXPECT_EQ(TakeIOCode(), 0); // a quiet reading leaves nothing for a later CheckIO
    }
}

TEST_F(SettingsFileTest, ReadingSomethingThatIsNoFileLeavesThePathsEmpty) {
    const std::string insideAFile = dir.file("plain") + "/netedit.INI";
    WriteFileBytes(dir.file("plain"), "SrcFile=A\r\n");
    fs::create_directory(path);
    for (const std::string& where : {path, insideAFile}) {
        SCOPED_TRACE(where);
        RememberedPaths paths;
        ReadSettings(where, paths);
        EXPECT_EQ(paths.source, "");
        EXPECT_EQ(paths.destination, "");
        EXPECT_EQ(TakeIOCode(), 0);
    }
}

TEST_F(SettingsFileTest, WritingGivesExactlyTheTwoLines) {
    struct Row {
        const char* name;
        RememberedPaths paths;
        std::string bytes;
    };
    const std::string longSource = "C:\\" + Digits(252);
    const std::string longDestination = "D:\\" + Digits(200);
    const Row rows[] = {
        {"empty paths", {"", ""}, "SrcFile=\r\nDstFile=\r\n"},
        {"both paths",
         {"C:\\NET\\OBN.NET", "D:\\NEW.NET"},
         "SrcFile=C:\\NET\\OBN.NET\r\nDstFile=D:\\NEW.NET\r\n"},
        {"only a destination", {"", "D:\\NEW.NET"}, "SrcFile=\r\nDstFile=D:\\NEW.NET\r\n"},
        {"longer than the write buffer",
         {longSource, longDestination},
         "SrcFile=" + longSource + "\r\nDstFile=" + longDestination + "\r\n"},
        {"double-byte path",
         {EncodeCp932("C:\\表\\新.NET"), ""},
         EncodeCp932("SrcFile=C:\\表\\新.NET\r\nDstFile=\r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFileBytes(path, "SrcFile=an older and longer settings file\r\nOther=1\r\n");
        WriteSettings(path, row.paths);
        EXPECT_EQ(ReadFileBytes(path), row.bytes);
        RememberedPaths readBack;
        ReadSettings(path, readBack);
        EXPECT_EQ(readBack.source, row.paths.source);
        EXPECT_EQ(readBack.destination, row.paths.destination);
    }
}

TEST_F(SettingsFileTest, WritingWhereNoFileCanStandFailsWithTheIOMessage) {
    WriteFileBytes(dir.file("plain"), "");
    fs::create_directory(path);
    struct Row {
        std::string where;
        std::string message;
    };
    const Row rows[] = {
        {path, AccessDenied}, // a directory in the file's place
        {dir.file("plain") + "/netedit.INI", BadFileName},
        {dir.file("missing") + "/netedit.INI", BadFileName},
        {dir.file("Z\xFFrich") + "/netedit.INI",
         Message(msg::CannotCreate, dir.file("Z\xFFrich") + "/netedit.INI")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.where);
        EXPECT_EQ(FailureOf([&] { WriteSettings(row.where, {"A", "B"}); }), row.message);
        EXPECT_EQ(TakeIOCode(), 0);
    }
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadFileBytes(dir.file("plain")), "");

    // Once the place is free again, the next write creates the file.
    fs::remove(path);
    WriteSettings(path, {"A", "B"});
    EXPECT_EQ(ReadFileBytes(path), "SrcFile=A\r\nDstFile=B\r\n");
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// The kernel takes 20 bytes and refuses the rest: the write fails after the file was opened.
TEST_F(SettingsFileTest, AWriteThatFailsPartWayLetsTheNextWriteCreateTheFile) {
    const std::string answer = testing::RunInChild({.maxFileBytes = 20}, [&] {
        const int before = OpenDescriptors();
        std::string result = FailureOf([&] { WriteSettings(path, {"C:\\A.NET", ""}); }) + "|";
        result += ReadFileBytes(path) + "|";
        result += OpenDescriptors() == before ? "closed|" : "left open|";
        result += FailureOf([&] { WriteSettings(path, {"", ""}); });
        return result;
    });
    EXPECT_EQ(answer, EncodeCp932("I/O ｴﾗｰ (112)") + "|SrcFile=C:\\A.NET\r\nDs|closed|<no failure>");
    EXPECT_EQ(ReadFileBytes(path), "SrcFile=\r\nDstFile=\r\n");
}

// Permission bits bind root only through a child that has given up its privileges.
TEST(SettingsFileUnprivileged, AReadOnlySettingsFileIsReadButRefusesTheWrite) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged user";
    }
    TempDir open;
    TempDir closed;
    fs::permissions(open.path(), fs::perms::all); // anyone may create files here
    const std::string readOnly = open.file("netedit.INI");
    const std::string notCreatable = closed.file("netedit.INI");
    const std::string old = "SrcFile=C:\\OLD.NET\r\nDstFile=D:\\OLD.NET\r\n";
    WriteFileBytes(readOnly, old);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);

    const std::string answer = testing::RunInChild({.dropPrivileges = true}, [&] {
        RememberedPaths paths;
        ReadSettings(readOnly, paths);
        return paths.source + "|" + FailureOf([&] { WriteSettings(readOnly, paths); }) + "|" +
               FailureOf([&] { WriteSettings(notCreatable, paths); });
    });
    EXPECT_EQ(answer, "C:\\OLD.NET|" + AccessDenied + "|" + AccessDenied);
    EXPECT_EQ(ReadFileBytes(readOnly), old); // a refused open does not empty the file
    EXPECT_FALSE(fs::exists(notCreatable));
}

TEST(PathCaption, ShortensLongPathsToTheirHeadAndFileName) {
    struct Row {
        std::string path;
        PathStyle style;
        std::string caption;
    };
    const Row rows[] = {
        {"C:\\TERMINAL\\DATA\\OBN.NET", PathStyle::Windows, "C:\\TERMINAL\\DATA\\OBN.NET"},         // 24
        {"C:\\TERMINAL\\DATA\\OBN1.NET", PathStyle::Windows, "C:\\TERMINAL\\DATA\\OBN1.NET"},       // 25
        {"C:\\TERMINAL\\DATA\\OBN12.NET", PathStyle::Windows, "C:\\TERMINAL\\D...OBN12.NET"},       // 26
        {"C:\\Program Files\\Terminal\\OBN.NET", PathStyle::Windows, "C:\\Program File...OBN.NET"}, // 33
        {"D:\\DATA\\NETDATA\\OBNBACKUP.NET", PathStyle::Windows, "D:\\DATA\\N...OBNBACKUP.NET"},
        {"C:\\NET\\ABCDEFGHIJKLMNOPQ.NET", PathStyle::Windows, "C...ABCDEFGHIJKLMNOPQ.NET"},  // 21-byte name
        {"C:\\NET\\ABCDEFGHIJKLMNOPQR.NET", PathStyle::Windows, "...ABCDEFGHIJKLMNOPQR.NET"}, // 22-byte name
        {"C:\\ABCDEFGHIJKLMNOPQRSTUV.NET", PathStyle::Windows,
         "...ABCDEFGHIJKLMNOPQRSTUV.NET"}, // 26-byte name
        {"C:\\NETDATA\\BACKUP\\OLD:OBN.NET", PathStyle::Windows, "C:\\NETDATA\\BACK...OBN.NET"},
        {"/home/user/data/OBN.NET", PathStyle::Posix, "/home/user/data/OBN.NET"},
        {"/usr/local/share/netdata/OBN.NET", PathStyle::Posix, "/usr/local/shar...OBN.NET"},
        {"/data/netdata/back\\OBN.NET", PathStyle::Posix, "/data/netd...back\\OBN.NET"},
        {"/data/netdata/back\\OBN.NET", PathStyle::Windows, "/data/netdata/b...OBN.NET"},
        {"", PathStyle::Windows, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PathCaption(row.path, row.style), row.caption) << row.path;
    }
}

TEST(PathCaption, CountsDoubleByteCharactersAsTwoBytes) {
    struct Row {
        const char* utf8Path;
        std::string caption; // code page 932
    };
    const std::string cutKana = EncodeCp932("タ").substr(0, 1);
    const Row rows[] = {
        // 13 characters but 25 bytes: shown whole.
        {"C:\\ネットデータ\\表OBN.NET", EncodeCp932("C:\\ネットデータ\\表OBN.NET")},
        // 27 bytes; the 0x5C inside 表 is no separator, so the name is the 11 bytes 表OBNXY.NET.
        {"C:\\ネットデータ\\表OBNXY.NET", EncodeCp932("C:\\ネットデ...表OBNXY.NET")},
        // The 15-byte head ends on the lead byte of タ: the cut splits the character.
        {"C:\\Aネットデータ\\X\\OBN.NET", EncodeCp932("C:\\Aネットデー") + cutKana + "...OBN.NET"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PathCaption(EncodeCp932(row.utf8Path), PathStyle::Windows), row.caption) << row.utf8Path;
    }
}

} // namespace
} // namespace netedit
