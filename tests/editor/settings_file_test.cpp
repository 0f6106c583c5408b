#include "editor/settings_file.h"
#include "runtime/child_process.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "support/directory_state.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace netedit {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
namespace fs = std::filesystem;

using testing::FailureOf;

const std::string AccessDenied = EncodeCp932("ﾌｧｲﾙへのｱｸｾｽが拒否されました");
const std::string BadFileName = EncodeCp932("不正なﾌｧｲﾙ名です");

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { path = dir.file("netedit.INI"); }

    TempDir dir;
    std::string path;
};

TEST_F(SettingsFileTest, ReadingTakesOnlyTheExactKeysUpToTheFirstCtrlZ) {
    const std::string insideAFile = dir.file("plain") + "/netedit.INI";
    WriteFileBytes(dir.file("plain"), "SrcFile=A\r\n");
    fs::create_directory(dir.path() / "folder.INI");
    const struct {
        const char* name;
        std::optional<std::string> bytes; // nullopt: no settings file
        std::string source, destination;
    } rows[] = {
        // clang-format off
        {"no settings file", std::nullopt, "", ""},
        {"both keys", "SrcFile=C:\\NET\\OBN.NET\r\nDstFile=D:\\NEW.NET\r\n", "C:\\NET\\OBN.NET", "D:\\NEW.NET"},
        {"any order, no final line end", "DstFile=B\r\nSrcFile=A", "A", "B"},
        {"other letter case and blanks around keys", "srcfile=a\r\nSRCFILE=b\r\nSrcFile =c\r\n SrcFile=d\r\nDstfile=e\r\n\tDstFile=f\r\n", "", ""},
        {"a line without '=' keeps an earlier value", "SrcFile=A\r\nSrcFile\r\n", "A", ""},
        {"the later SrcFile wins, even empty", "SrcFile=A\r\nDstFile=B\r\nSrcFile=\r\n", "", "B"},
        {"a value holding '='", "SrcFile=C:\\A=B\\X=.NET\r\n", "C:\\A=B\\X=.NET", ""},
        {"values are not trimmed", "SrcFile= A \r\n", " A ", ""},
        {"a 300-byte value", "SrcFile=" + std::string(300, 'v') + "\r\n", std::string(255, 'v'), ""},
        {"LF-only line ends read as one line", "SrcFile=X\nDstFile=Y\n", "X\nDstFile=Y\n", ""},
        {"one LF-only line cut to 255", "SrcFile=" + std::string(250, 'v') + "\nDstFile=Y\n", std::string(250, 'v') + "\nDstF", ""},
        {"lone CR ends a line", "SrcFile=A\rDstFile=B\r", "A", "B"},
        {"Ctrl-Z inside a value", "SrcFile=A\x1A" "B\r\nDstFile=C\r\n", "A", ""},
        {"double-byte paths stay bytes", EncodeCp932("SrcFile=C:\\データ\\表\\OBN.NET\r\n"), EncodeCp932("C:\\データ\\表\\OBN.NET"), ""},
        // "DstFile=B" ends at the 65,536th byte: the "C" after it and the SrcFile line are beyond.
        {"only the first 64 KiB are read", std::string(65526, 'x') + "\rDstFile=BC\rSrcFile=A\r\n", "", "B"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(path);
        if (row.bytes) {
            WriteFileBytes(path, *row.bytes);
        }
        RememberedPaths paths;
        ReadSettings(path, paths);
        EXPECT_EQ(paths.source, row.source);
        EXPECT_EQ(paths.destination, row.destination);
    }
    for (const std::string& nowhere : {dir.file("folder.INI"), insideAFile}) { // no file can stand there
        RememberedPaths paths;
        ReadSettings(nowhere, paths);
        EXPECT_EQ(paths.source + paths.destination, "") << nowhere;
    }
}

TEST_F(SettingsFileTest, WritingFailsWhereNoFileCanStandAndReplacesAFileWhole) {
    WriteFileBytes(dir.file("plain"), "");
    fs::create_directory(path);
    const struct {
        std::string where, message;
    } rows[] = {
        {path, AccessDenied}, // a directory in the file's place
        {dir.file("plain") + "/netedit.INI", BadFileName},
        {dir.file("missing") + "/netedit.INI", BadFileName},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        EXPECT_EQ(FailureOf([&] { WriteSettings(row.where, {"A", "B"}); }), row.message);
    }
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadFileBytes(dir.file("plain")), "");

    // A file standing in the place is replaced whole, an older and longer one too.
    fs::remove(path);
    WriteFileBytes(path, "SrcFile=an older and longer settings file\r\nOther=1\r\n");
    WriteSettings(path, {EncodeCp932("C:\\表\\新.NET"), ""});
    EXPECT_EQ(ReadFileBytes(path), EncodeCp932("SrcFile=C:\\表\\新.NET\r\nDstFile=\r\n"));
}

// The kernel takes 20 bytes and refuses the rest: the write fails after the file was opened.
TEST_F(SettingsFileTest, AWriteThatFailsPartWayLetsTheNextWriteCreateTheFile) {
    if (!testing::CanRunChildren()) {
        GTEST_SKIP() << "needs a child process with a file size limit";
    }
    const std::string answer = testing::RunInChild({.maxFileBytes = 20}, [&] {
        const int before = testing::OpenHandles();
        std::string result = FailureOf([&] { WriteSettings(path, {"C:\\A.NET", ""}); }) + "|";
        result += ReadFileBytes(path) + "|";
        result += testing::OpenHandles() == before ? "closed|" : "left open|";
        result += FailureOf([&] { WriteSettings(path, {"", ""}); });
        return result;
    });
    EXPECT_EQ(answer, EncodeCp932("I/O ｴﾗｰ (112)") + "|SrcFile=C:\\A.NET\r\nDs|closed|<no failure>");
    EXPECT_EQ(ReadFileBytes(path), "SrcFile=\r\nDstFile=\r\n");
}

TEST(PathCaption, ShortensLongPathsToTheirHeadAndFileName) {
    const std::string cutKana = EncodeCp932("タ").substr(0, 1);
    const auto W = PathStyle::Windows;
    const struct {
        std::string path;
        PathStyle style;
        std::string caption;
    } rows[] = {
        // clang-format off
        {"C:\\TERMINAL\\DATA\\OBN1.NET", W, "C:\\TERMINAL\\DATA\\OBN1.NET"},       // 25
        {"C:\\TERMINAL\\DATA\\OBN12.NET", W, "C:\\TERMINAL\\D...OBN12.NET"},       // 26
        {"C:\\NET\\ABCDEFGHIJKLMNOPQ.NET", W, "C...ABCDEFGHIJKLMNOPQ.NET"},  // a 21-byte name
        {"C:\\NET\\ABCDEFGHIJKLMNOPQR.NET", W, "...ABCDEFGHIJKLMNOPQR.NET"}, // 22
        {"C:\\ABCDEFGHIJKLMNOPQRSTUV.NET", W, "...ABCDEFGHIJKLMNOPQRSTUV.NET"}, // 26
        {"C:\\NETDATA\\BACKUP\\OLD:OBN.NET", W, "C:\\NETDATA\\BACK...OBN.NET"},
        {"/usr/local/share/netdata/OBN.NET", PathStyle::Posix, "/usr/local/shar...OBN.NET"},
        {"/data/netdata/back\\OBN.NET", PathStyle::Posix, "/data/netd...back\\OBN.NET"},
        {"/data/netdata/back\\OBN.NET", W, "/data/netdata/b...OBN.NET"},
        {"", W, ""},
        // Double-byte characters count two bytes; the 0x5C inside 表 is no separator.
        {EncodeCp932("C:\\ネットデータ\\表OBN.NET"), W, EncodeCp932("C:\\ネットデータ\\表OBN.NET")}, // 25 bytes
        {EncodeCp932("C:\\ネットデータ\\表OBNXY.NET"), W, EncodeCp932("C:\\ネットデ...表OBNXY.NET")},
        // The 15-byte head ends on the lead byte of タ: the cut splits the character.
        {EncodeCp932("C:\\Aネットデータ\\X\\OBN.NET"), W, EncodeCp932("C:\\Aネットデー") + cutKana + "...OBN.NET"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PathCaption(row.path, row.style), row.caption) << row.path;
    }
}

} // namespace
} // namespace netedit
