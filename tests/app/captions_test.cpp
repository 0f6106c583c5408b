#include "app/text_edge.h"
#include "app/window_fixture.h"

#include <filesystem>
#include <optional>

namespace netedit::testing {
namespace {

namespace fs = std::filesystem;

const std::string AccessDenied = EncodeCp932("ﾌｧｲﾙへのｱｸｾｽが拒否されました");

class Captions : public WindowTest {
protected:
    void writeSettings(std::string_view bytes) { WriteFileBytes(settingsPath, bytes); }
    std::string settingsBytes() const { return ReadFileBytes(settingsPath); }
};

TEST_F(Captions, AtStartShowTheRememberedPathsShortened) {
    struct Row {
        const char* name;
        std::optional<std::string> settings; // UTF-8; nullopt: no settings file
        QString label1;
        QString label2;
    };
    const Row rows[] = {
        {"no settings file", std::nullopt, "", ""},
        {"both paths, the source shortened", "SrcFile=/data/netdata/source/OBN.NET\r\nDstFile=/d/NEW.NET\r\n",
         "/data/netdata/s...OBN.NET", "/d/NEW.NET"},
        {"only DstFile", "DstFile=/data/netdata/target/NEW.NET\r\n", "", "/data/netdata/t...NEW.NET"},
        {"'&' stays in the text as the mnemonic marker", "SrcFile=/R&D/OBN.NET\r\nDstFile=/a&&b/N.NET\r\n",
         "/R&D/OBN.NET", "/a&&b/N.NET"},
        {"double-byte characters count two bytes", "SrcFile=/ネットデータ/表/OBN.NET\r\n",
         "/ネットデータ/表/OBN.NET", ""},
        {"a cut inside a double-byte character draws a replacement mark",
         "SrcFile=/Aネットデータ表XY/OBN.NET\r\n", QStringLiteral("/Aネットデータ\uFFFD...OBN.NET"), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(settingsPath);
        if (row.settings) {
            writeSettings(EncodeCp932(*row.settings));
        }
        TDualListDlg& w = open();
        EXPECT_EQ(w.Label1->text(), row.label1);
        EXPECT_EQ(w.Label2->text(), row.label2);
    }
}

TEST_F(Captions, AnOpenActionWritesTheTwoLinesEvenWhenCancelled) {
    struct Row {
        const char* name;
        std::optional<std::string> settings;
        std::string written;
    };
    const Row rows[] = {
        {"no settings file", std::nullopt, "SrcFile=\r\nDstFile=\r\n"},
        {"foreign lines dropped", "srcfile=x\r\nOther=1\r\nDstFile=/d/NEW.NET\r\n[Section]\r\n",
         "SrcFile=\r\nDstFile=/d/NEW.NET\r\n"},
        {"LF-only lines come back as one value", "SrcFile=/a\nDstFile=/b\n",
         "SrcFile=/a\nDstFile=/b\n\r\nDstFile=\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(settingsPath);
        if (row.settings) {
            writeSettings(*row.settings);
        }
        dialogs.failures.clear();
        dialogs.openRequests.clear();
        TDualListDlg& w = open();
        dialogs.openAnswers.push_back(std::nullopt);
        w.BitBtn1->click();
        EXPECT_EQ(settingsBytes(), row.written);
        EXPECT_TRUE(dialogs.failures.empty());
        if (!row.settings) { // without a remembered source the open dialog starts with no folder or name
            EXPECT_EQ(dialogs.openRequests.front(), std::make_pair(std::string(), std::string()));
        }
    }
}

TEST_F(Captions, OpeningAFileElsewhereLeavesTheRememberedSourceAlone) {
    const std::string remembered = "/data/netdata/source/OLD.NET";
    writeSettings("SrcFile=" + remembered + "\r\nDstFile=\r\n");
    TDualListDlg& w = open();
    load(writeNetData("OBN.NET", {"[0]", "Name=A"}));

    ASSERT_EQ(dialogs.openRequests.size(), 1U);
    EXPECT_EQ(dialogs.openRequests[0],
              std::make_pair(std::string("/data/netdata/source/"), std::string("OLD.NET")));
    EXPECT_EQ(w.SrcList->count(), 1U);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("/data/netdata/s...OLD.NET"));
    EXPECT_TRUE(w.Label2->text().isEmpty());
    EXPECT_EQ(settingsBytes(), "SrcFile=" + remembered + "\r\nDstFile=\r\n");
}

TEST_F(Captions, AnUnwritableSettingsFileEndsTheOpenActionWithTheErrorBox) {
    writeSettings("SrcFile=/data/netdata/source/OLD.NET\r\nDstFile=/d/NEW.NET\r\n");
    TDualListDlg& w = open();
    // A directory in the settings file's place refuses the write even to root.
    fs::remove(settingsPath);
    fs::create_directory(settingsPath);
    // Marks that tell whether the captions were set again after the failed write.
    w.Label1->setText(QStringLiteral("before"));
    w.Label2->setText(QStringLiteral("before"));

    dialogs.openAnswers.push_back(std::nullopt);
    w.BitBtn1->click();
    ASSERT_EQ(dialogs.failures.size(), 1U);
    EXPECT_EQ(dialogs.failures[0], AccessDenied);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("before"));
    EXPECT_EQ(w.Label2->text(), QStringLiteral("before"));

    // Once the place is free, the next open action creates the file and sets the captions.
    fs::remove(settingsPath);
    load(writeNetData("OBN.NET", {"[0]", "Name=A"}));
    EXPECT_EQ(dialogs.failures.size(), 1U);
    EXPECT_EQ(settingsBytes(), "SrcFile=/data/netdata/source/OLD.NET\r\nDstFile=/d/NEW.NET\r\n");
    EXPECT_EQ(w.Label1->text(), QStringLiteral("/data/netdata/s...OLD.NET"));
    EXPECT_EQ(w.Label2->text(), QStringLiteral("/d/NEW.NET"));
}

} // namespace
} // namespace netedit::testing
