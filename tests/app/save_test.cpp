#include "app/window_fixture.h"
#include "runtime/messages.h"

#include <QTest>
#include <QToolButton>
#include <filesystem>

namespace netedit::testing {
namespace {

class SaveAction : public WindowTest {
protected:
    // Loads the sample "A, B, C" file and moves B to the right list.
    void loadAndChooseB() {
        open();
        load(writeNetData("OBN.NET", {"; pre", "[0]", "Name=A", "[1]", "Name=B", "Tel=2", "[2]", "Name=C"}));
        window->SrcList->selectPositions({1});
        QTest::mouseClick(window->IncludeBtn, Qt::LeftButton);
    }
    std::string settings() { return ReadFileBytes(settingsPath); }
};

TEST_F(SaveAction, TheWholeRoadFromOpenToClose) {
    loadAndChooseB();
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(dir.file("OBN.NET"));
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);

    ASSERT_TRUE(dialogs.failures.empty()) << dialogs.failures.front();
    ASSERT_EQ(dialogs.questions.size(), 1U);
    EXPECT_EQ(dialogs.questions[0].text, "新データを保存します。");
    EXPECT_EQ(dialogs.questions[0].kind, MsgKind::Information);
    EXPECT_EQ(dialogs.questions[0].buttonSet, buttons::Yes | buttons::No);
    EXPECT_EQ(ReadFileBytes(dir.path() / "OBN.NET"), "[0]\r\nName=B\r\nTel=2\r\n");
    EXPECT_EQ(ReadFileBytes(dir.path() / "OBNNET.TMP"), "[0]\r\nName=A\r\n[1]\r\nName=C\r\n");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "OBNNET.ORG"));
    EXPECT_EQ(dialogs.notices,
              (std::vector<std::string>{"新しいOBN.NETを作成し、以前のものをOBNNET.ORGに保存しました。"}));
    EXPECT_EQ(settings(), "SrcFile=\r\nDstFile=" + dir.file("OBN.NET") + "\r\n");
    EXPECT_FALSE(window->OKBtn->isEnabled());
    EXPECT_TRUE(window->savedFlag());
    // The lists are as they were, and the next refresh offers saving again.
    EXPECT_EQ(window->DstList->count(), 1U);
    window->SetButtons();
    EXPECT_TRUE(window->OKBtn->isEnabled());

    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.questions.size(), 1U); // no close question after a save
}

TEST_F(SaveAction, ElsewhereTheOtherNoticeIsShownAndTheDialogStartsAtTheRememberedTarget) {
    loadAndChooseB();
    TempDir elsewhere;
    dialogs.askAnswers = {results::Yes, results::Yes};
    dialogs.saveAnswers = {elsewhere.file("NEW.NET"), elsewhere.file("NEW.NET")};
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dialogs.notices.back(), "新しいOBN.NETを作成しました。");
    window->SetButtons();
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    ASSERT_EQ(dialogs.saveRequests.size(), 2U);
    EXPECT_EQ(dialogs.saveRequests[1], std::make_pair(elsewhere.file(""), std::string("NEW.NET")));
}

TEST_F(SaveAction, DecliningOrCancellingChangesNothing) {
    loadAndChooseB();
    const std::string before = settings();
    dialogs.askAnswers = {results::No, results::Cancel, results::Yes};
    dialogs.saveAnswers = {std::nullopt};
    for (int attempt = 0; attempt < 3; ++attempt) {
        QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    }
    EXPECT_EQ(dialogs.saveRequests.size(), 1U);
    EXPECT_EQ(settings(), before);
    EXPECT_TRUE(window->OKBtn->isEnabled());
    EXPECT_FALSE(window->savedFlag());
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(SaveAction, AFailedSaveKeepsTheNewTargetShownButSavesNoSettings) {
    loadAndChooseB();
    const std::string before = settings();
    const std::string target = dir.file("missing/OBN.NET");
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(target);
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);

    EXPECT_EQ(dialogs.failures, (std::vector<std::string>{Message(msg::CannotCreate, target)}));
    EXPECT_EQ(window->rememberedPaths().destination, target);
    EXPECT_FALSE(window->Label2->text().isEmpty());
    EXPECT_TRUE(window->OKBtn->isEnabled());
    EXPECT_FALSE(window->savedFlag());
    EXPECT_EQ(settings(), before);
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(SaveAction, AnUnexpectedExceptionIsReportedAndTheChoiceStays) {
    loadAndChooseB();
    dialogs.whileAsking = [] { throw std::out_of_range("vector::at"); };
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    EXPECT_EQ(dialogs.failures, (std::vector<std::string>{"vector::at"}));
    EXPECT_EQ(window->DstList->count(), 1U);
}

} // namespace
} // namespace netedit::testing
