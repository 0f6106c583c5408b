#include "app/modal_driver.h"
#include "app/qt_user_dialogs.h"
#include "app/text_edge.h"
#include "app/window_fixture.h"
#include "runtime/paths.h"

#include <QLabel>
#include <QPushButton>
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

TEST_F(CloseQuestion, AfterACompletedSaveTheWindowClosesWithoutAQuestion) {
    chooseAAndC();
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(dir.file("NEW.NET"));
    QTest::mouseClick(window->OKBtn, Qt::LeftButton);
    ASSERT_TRUE(dialogs.failures.empty());
    ASSERT_TRUE(window->savedFlag());
    QTest::mouseClick(window->IncAllBtn, Qt::LeftButton); // more entries after the save ask nothing either
    dialogs.questions.clear();
    dialogs.askAnswers = {results::No};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.questions.empty());
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

// Scripted file dialogs, but the real message boxes.
class RealBoxes : public ScriptedDialogs {
public:
    int askUser(QWidget* owner, const std::string& text, MsgKind kind, unsigned buttonSet) override {
        return real.askUser(owner, text, kind, buttonSet);
    }
    void reportFailure(QWidget* owner, const Failure& failure) override {
        real.reportFailure(owner, failure);
    }

    QtUserDialogs real;
};

class RealBoxTest : public ::testing::Test {
protected:
    TDualListDlg& open() {
        window = std::make_unique<TDualListDlg>(boxes, dir.file("netedit.INI"));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QApplication::processEvents();
        window->repaint();
        return *window;
    }

    // Tab through the window system, where a modal box holds input off.
    void pressTab() { QTest::keyClick(window->windowHandle(), Qt::Key_Tab); }

    TempDir dir;
    RealBoxes boxes;
    std::unique_ptr<TDualListDlg> window;
};

TEST_F(RealBoxTest, TheCloseQuestionAnswersEscapeWithNoAndItsCloseBoxLetsTheWindowClose) {
    TDualListDlg& w = open();
    const std::string path = dir.file("OBN.NET");
    WriteFileBytes(dir.path() / "OBN.NET", "[0]\r\nName=A\r\n");
    boxes.openAnswers.push_back(path);
    w.BitBtn1->click();
    QTest::mouseClick(w.IncAllBtn, Qt::LeftButton);

    const bool closedOnEscape =
        WithModalBox<bool>([&] { return w.close(); },
                           [](QDialog& box) {
                               EXPECT_EQ(box.windowTitle(), QStringLiteral("警告"));
                               EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Message"))->text(),
                                         QStringLiteral("データを保存せずに終了しますか？"));
                               EXPECT_NE(box.findChild<QPushButton*>(QStringLiteral("Yes")), nullptr);
                               EXPECT_NE(box.findChild<QPushButton*>(QStringLiteral("No")), nullptr);
                               QTest::keyClick(box.focusWidget(), Qt::Key_Escape);
                           });
    EXPECT_FALSE(closedOnEscape);
    EXPECT_TRUE(w.isVisible());

    const bool closedByCloseBox =
        WithModalBox<bool>([&] { return w.close(); }, [](QDialog& box) { box.close(); });
    EXPECT_TRUE(closedByCloseBox);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(RealBoxTest, AMissingFileIsReportedInTheErrorBoxAndTheWindowTakesInputAgain) {
    TDualListDlg& w = open();
    const std::string missing = dir.file("MISSING.NET");
    boxes.openAnswers.push_back(missing);
    WithModalBox<int>(
        [&] {
            w.BitBtn1->click();
            return 0;
        },
        [&](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), ToQString(ProgramTitle()));
            EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Message"))->text(),
                      QStringLiteral("ﾌｧｲﾙ ") + ToQString(missing) + QStringLiteral(" は開けません."));
            EXPECT_NE(box.findChild<QLabel*>(QStringLiteral("Image")), nullptr);
            EXPECT_EQ(box.parentWidget(), &w);
            QWidget* focusBefore = w.focusWidget();
            pressTab(); // the box holds the window's input off
            EXPECT_EQ(w.focusWidget(), focusBefore);
            QTest::keyClick(box.focusWidget(), Qt::Key_Return);
        });
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // As the failed open left it: nothing loaded, opening used up for this run.
    EXPECT_EQ(w.SrcList->count(), 0U);
    EXPECT_FALSE(w.BitBtn1->isEnabled());
    EXPECT_FALSE(w.OKBtn->isEnabled());
    pressTab();
    EXPECT_EQ(w.focusWidget(), w.CancelBtn); // the first enabled control of the tab order
}

} // namespace
} // namespace netedit::testing
