#include "app/window_fixture.h"

#include <QTest>
#include <QToolButton>

namespace netedit::testing {
namespace {

using Lines = std::vector<std::string>;

// The window's state that a refused close must leave alone.
struct ListState {
    Lines source;
    Lines destination;
    std::vector<std::size_t> sourceSelection;
    std::vector<std::size_t> destinationSelection;
    bool operator==(const ListState&) const = default;
};

ListState StateOf(const TDualListDlg& w) {
    return {w.SrcList->entries(), w.DstList->entries(), w.SrcList->selectedPositions(),
            w.DstList->selectedPositions()};
}

class CloseQuestion : public WindowTest {
protected:
    // A, B and C loaded; A and C on the right, B on the left, with a selection in each list.
    void chooseAAndC() {
        open();
        load(writeNetData("OBN.NET", {"[0]", "Name=A", "[1]", "Name=B", "[2]", "Name=C"}));
        QTest::mouseClick(window->IncAllBtn, Qt::LeftButton);
        window->DstList->selectPositions({1});
        QTest::mouseClick(window->ExcludeBtn, Qt::LeftButton);
        window->SrcList->selectPositions({0});
        window->DstList->selectPositions({1});
        ASSERT_EQ(window->DstList->entries(), Cp932({"[  0] A", "[  2] C"}));
    }
};

TEST_F(CloseQuestion, WithTheRightListEmptyTheWindowClosesWithoutAQuestion) {
    enum class Before { NothingLoaded, LoadedNoneChosen, ChosenAndSentBack };
    for (Before before : {Before::NothingLoaded, Before::LoadedNoneChosen, Before::ChosenAndSentBack}) {
        SCOPED_TRACE(static_cast<int>(before));
        dialogs.questions.clear();
        open();
        if (before != Before::NothingLoaded) {
            load(writeNetData("OBN.NET", {"[0]", "Name=A"}));
        }
        if (before == Before::ChosenAndSentBack) {
            QTest::mouseClick(window->IncAllBtn, Qt::LeftButton);
            QTest::mouseClick(window->ExAllBtn, Qt::LeftButton);
        }
        ASSERT_EQ(window->DstList->count(), 0U);
        dialogs.askAnswers = {results::No};
        QTest::mouseClick(window->CloseBtn, Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(dialogs.questions.empty());
    }
}

TEST_F(CloseQuestion, OnlyNoKeepsTheWindowOpenWithItsListsAsTheyWere) {
    enum class Via { CloseButton, CloseBox };
    struct Row {
        const char* name;
        int answer;
        Via via;
        bool staysOpen;
    };
    const Row rows[] = {
        {"No on the close button", results::No, Via::CloseButton, true},
        {"No on the close box", results::No, Via::CloseBox, true},
        {"Yes on the close button", results::Yes, Via::CloseButton, false},
        {"Yes on the close box", results::Yes, Via::CloseBox, false},
        {"the question's own close box", results::Cancel, Via::CloseBox, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        chooseAAndC();
        const ListState before = StateOf(*window);
        dialogs.questions.clear();
        dialogs.askAnswers = {row.answer};
        if (row.via == Via::CloseButton) {
            QTest::mouseClick(window->CloseBtn, Qt::LeftButton);
        } else {
            window->close();
        }
        ASSERT_EQ(dialogs.questions.size(), 1U);
        EXPECT_EQ(dialogs.questions[0].text, "データを保存せずに終了しますか？");
        EXPECT_EQ(dialogs.questions[0].kind, MsgKind::Warning);
        EXPECT_EQ(dialogs.questions[0].buttonSet, buttons::Yes | buttons::No);
        EXPECT_EQ(window->isVisible(), row.staysOpen);
        if (row.staysOpen) {
            EXPECT_EQ(StateOf(*window), before);
            EXPECT_FALSE(window->savedFlag());
        }
    }
}

} // namespace
} // namespace netedit::testing
