#include "editor/editor_fixture.h"
#include "editor/message_box.h"
#include "editor/ui_texts.h"
#include "runtime/messages.h"
#include "support/directory_state.h"

#include <filesystem>
#include <optional>
#include <stdexcept>

namespace netedit::testing {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;
using enum Control;

const std::set<Control> FiveOff{OKBtn, IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn};
const std::set<Control> LeftOnly{BitBtn1, OKBtn, ExcludeBtn, ExAllBtn};
const std::set<Control> AllOff{BitBtn1, OKBtn, IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn};
const std::string AccessDenied = Message("ﾌｧｲﾙへのｱｸｾｽが拒否されました");

class Dialog : public EditorTest {};

TEST_F(Dialog, StartsWithTheRememberedPathsShortenedAndTheSaveAndMovesDisabled) {
    const struct {
        std::optional<std::string> settings; // nullopt: no settings file
        std::string label1, label2;          // "-": never set
    } rows[] = {
        // clang-format off
        {std::nullopt, "-", "-"},
        {"SrcFile=/data/netdata/source/OBN.NET\r\nDstFile=/d/NEW.NET\r\n", "/data/netdata/s...OBN.NET", "/d/NEW.NET"},
        {"DstFile=/data/netdata/target/NEW.NET\r\n", "-", "/data/netdata/t...NEW.NET"},
        {"SrcFile=/R&D/OBN.NET\r\n", "/R&D/OBN.NET", "-"},
        // clang-format on
    };
    for (const auto& row : rows) {
        fs::remove(settingsPath);
        if (row.settings) {
            WriteFileBytes(settingsPath, *row.settings);
        }
        controls = FakeControls();
        start();
        EXPECT_EQ(controls.disabled, FiveOff);
        EXPECT_EQ(controls.focused, None);
        const auto shown = [this](Control label) {
            return controls.labels.contains(label) ? controls.labels[label] : "-";
        };
        EXPECT_EQ(shown(Label1), row.label1);
        EXPECT_EQ(shown(Label2), row.label2);
    }
}

TEST_F(Dialog, TheOpenActionLoadsOnceAndWritesTheSettings) {
    const std::string sample =
        writeNetData("OBN.NET", {"; saved list", "[0]", "Name=Alpha", "Tel=0123", "[5]", "Tel=0456", "[x]",
                                 "Name=ベータ表", "name=Gamma", "Name=Delta"});
    const std::string missing = dir.file("MISSING.NET");
    const Entries loaded{EncodeCp932("[  0] Alpha"), EncodeCp932("[  2] ベータ表"),
                         EncodeCp932("[  2] Delta")};
    const std::string written = "SrcFile=/data/OLD.NET\r\nDstFile=\r\n";
    const struct {
        const char* what;
        std::optional<std::string> chosen;
        Entries entries;
        std::set<Control> disabled;
        std::string failure, settings; // "" for none; settings "-": not written
    } rows[] = {
        // clang-format off
        {"cancelled", std::nullopt, {}, FiveOff, "", written},
        {"loaded", sample, loaded, LeftOnly, "", written},
        {"a missing file", missing, {}, AllOff, Message(msg::CannotOpen, missing), "-"},
        // clang-format on
    };
    for (const auto& row : rows) {
        WriteFileBytes(settingsPath, "SrcFile=/data/OLD.NET\r\nOther=1\r\n");
        left = VectorEntryList();
        controls = FakeControls();
        dialogs = ScriptedDialogs();
        start();
        dialogs.openAnswers.push_back(row.chosen);
        dlg->Press(BitBtn1);
        EXPECT_EQ(dialogs.openRequests,
                  (std::vector<std::pair<std::string, std::string>>{{"/data/", "OLD.NET"}}));
        EXPECT_EQ(left.entries(), row.entries) << row.what;
        EXPECT_EQ(dlg->snapList(), row.entries) << row.what;
        EXPECT_EQ(controls.disabled, row.disabled) << row.what;
        EXPECT_EQ(dialogs.failures, row.failure.empty() ? Entries{} : Entries{row.failure}) << row.what;
        EXPECT_EQ(settings(), row.settings == "-" ? "SrcFile=/data/OLD.NET\r\nOther=1\r\n" : row.settings)
            << row.what;
        EXPECT_EQ(dlg->sourceDirectory(), row.chosen ? dir.file("") : "") << row.what;
    }
    EXPECT_EQ(dlg->sectionTable().count(), 0);
}

TEST_F(Dialog, ASettingsFileThatCannotBeWrittenEndsTheOpenActionUntilItsPlaceIsFree) {
    WriteFileBytes(settingsPath, "SrcFile=/s/OLD.NET\r\nDstFile=/d/NEW.NET\r\n");
    start();
    fs::remove(settingsPath);
    fs::create_directory(settingsPath); // refuses the write even to root
    controls.labels.clear();
    dialogs.openAnswers.push_back(std::nullopt);
    dlg->Press(BitBtn1);
    EXPECT_EQ(dialogs.failures, Entries{AccessDenied});
    EXPECT_TRUE(controls.labels.empty()) << "no caption refreshed after the failed write";
    fs::remove(settingsPath);
    load(writeNetData("OBN.NET", {"[0]", "Name=A"}));
    EXPECT_EQ(settings(), "SrcFile=/s/OLD.NET\r\nDstFile=/d/NEW.NET\r\n");
    EXPECT_EQ(controls.labels[Label2], "/d/NEW.NET");
}

TEST_F(Dialog, TheWholeRoadFromSaveToClose) {
    loadAndChoose({1});
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(dir.file("OBN.NET"));
    controls.focused = OKBtn; // Enter on the focused save button
    EXPECT_TRUE(dlg->KeyDown(Key::Enter, {}));

    ASSERT_TRUE(dialogs.failures.empty()) << dialogs.failures.front();
    ASSERT_EQ(dialogs.questions.size(), 1U);
    EXPECT_EQ(dialogs.questions[0].text, "新データを保存します。");
    EXPECT_TRUE(dialogs.questions[0].kind == MsgKind::Information && dialogs.questions[0].buttonSet == 3U);
    EXPECT_EQ(ReadFileBytes(dir.path() / "OBNNET.TMP"), "[0]\r\nName=A\r\n[1]\r\nName=C\r\n");
    EXPECT_EQ(dialogs.notices, Entries{"新しいOBN.NETを作成し、以前のものをOBNNET.ORGに保存しました。"});
    EXPECT_EQ(settings(), "SrcFile=\r\nDstFile=" + dir.file("OBN.NET") + "\r\n");
    EXPECT_EQ(controls.labels[Label2], PathCaption(dir.file("OBN.NET")));
    EXPECT_TRUE(controls.disabled.contains(OKBtn));
    EXPECT_EQ(controls.focused, None) << "the disabled save button gave up the focus to nobody";
    EXPECT_FALSE(dlg->KeyDown(Key::Down, {})) << "a key the dialog leaves to the focused control";
    EXPECT_TRUE(dlg->KeyDown(Key::Enter, {.shift = true})) << "a key swallowed is taken all the same";
    EXPECT_TRUE(dlg->savedFlag());
    EXPECT_EQ(right.entries(), Entries{"[  1] B"});
    dlg->Paint(); // the next refresh offers saving again
    EXPECT_FALSE(controls.disabled.contains(OKBtn));
    dlg->Press(CloseBtn);
    EXPECT_TRUE(controls.closed);
    EXPECT_EQ(dialogs.questions.size(), 1U) << "no close question after a save";
}

TEST_F(Dialog, ASaveElsewhereShowsTheOtherNoticeAndTheNextStartsAtTheRememberedTarget) {
    loadAndChoose({1});
    TempDir elsewhere;
    dialogs.askAnswers = {results::Yes, results::Yes};
    dialogs.saveAnswers = {elsewhere.file("NEW.NET"), elsewhere.file("NEW.NET")};
    dlg->Press(OKBtn);
    EXPECT_EQ(dialogs.notices, Entries{"新しいOBN.NETを作成しました。"});
    dlg->Paint();
    dlg->Press(OKBtn);
    ASSERT_EQ(dialogs.saveRequests.size(), 2U);
    EXPECT_EQ(dialogs.saveRequests[1], std::make_pair(elsewhere.file(""), std::string("NEW.NET")));
}

TEST_F(Dialog, ASaveDeclinedCancelledOrFailedLeavesTheSaveToDo) {
    loadAndChoose({1});
    const std::string before = settings();
    const std::string target = dir.file("missing/OBN.NET");
    dialogs.askAnswers = {results::No, results::Cancel, results::Yes, results::Yes};
    dialogs.saveAnswers = {std::nullopt, target};
    for (int attempt = 0; attempt < 4; ++attempt) {
        dlg->Press(OKBtn);
    }
    EXPECT_EQ(dialogs.saveRequests.size(), 2U);
    EXPECT_EQ(dialogs.failures, Entries{Message(msg::CannotCreate, target)});
    EXPECT_EQ(dlg->rememberedPaths().destination, target) << "the chosen target is remembered at once";
    EXPECT_EQ(controls.labels[Label2], PathCaption(target));
    EXPECT_FALSE(controls.disabled.contains(OKBtn));
    EXPECT_FALSE(dlg->savedFlag());
    EXPECT_EQ(settings(), before);
    EXPECT_TRUE(dialogs.notices.empty());
}

// A loaded file that another program replaced (true), or wrote (false), since it was loaded is
// replaced only when the user says so: No (the default) changes nothing; after Yes the file
// saved is the program's own, and the next save asks nothing more.
class ChangedSinceLoad : public EditorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ChangedSinceLoad, IsReplacedOnlyWhenTheUserSaysSo) {
    loadAndChoose({1});
    const std::string loaded = dir.file("OBN.NET");
    if (GetParam()) {
        WriteFileBytes(dir.path() / "NEWER", "newer\r\n");
        fs::rename(dir.path() / "NEWER", loaded);
    } else {
        WriteFileBytes(loaded, "newer\r\n");
    }
    const DirectoryState before = ReadDirectoryState(dir.path());
    TempDir elsewhere;
    dialogs.askAnswers = {results::Yes, results::No, results::Yes, results::Yes, results::Yes, results::Yes};
    dialogs.saveAnswers = {loaded, elsewhere.file("X.NET"), loaded, loaded};
    dlg->Press(OKBtn);
    ASSERT_EQ(dialogs.questions.size(), 2U);
    EXPECT_EQ(dialogs.questions[1].text,
              "ﾌｧｲﾙ " + DecodeCp932(loaded) + " は読み込んだ後に変更されています。上書きしますか？");
    EXPECT_EQ(dialogs.questions[1].kind, MsgKind::Warning);
    EXPECT_EQ(DefaultButtonOf(dialogs.questions[1].buttonSet), buttons::No);
    EXPECT_EQ(ReadDirectoryState(dir.path()), before);
    EXPECT_EQ(dlg->rememberedPaths().destination, "") << "nothing changed, not even the remembered target";
    dlg->Press(OKBtn); // another file: not asked
    dlg->Paint();
    dlg->Press(OKBtn);
    EXPECT_EQ(ReadFileBytes(dir.path() / "OBNNET.ORG"), "newer\r\n");
    dlg->Paint();
    dlg->Press(OKBtn);
    EXPECT_EQ(dialogs.questions.size(), 6U);
    EXPECT_EQ(dialogs.notices.size(), 3U);
    EXPECT_TRUE(dialogs.failures.empty());
}

INSTANTIATE_TEST_SUITE_P(ReplacedOrWritten, ChangedSinceLoad, ::testing::Bool());

// The user agreed to replace the file as it stood when asked; a change after that (here, while
// the question is up) is asked about again just before anything changes, and No then leaves
// every file as it was.
TEST_F(Dialog, AChangeAfterTheAnswerIsAskedAboutAgainBeforeAnythingChanges) {
    loadAndChoose({1});
    const std::string loaded = dir.file("OBN.NET");
    WriteFileBytes(loaded, "newer\r\n");
    dialogs.whileAsking = [&] {
        if (dialogs.questions.size() == 2) {
            WriteFileBytes(loaded, "newest\r\n");
        }
    };
    dialogs.askAnswers = {results::Yes, results::Yes, results::No};
    dialogs.saveAnswers = {loaded};
    dlg->Press(OKBtn);
    ASSERT_EQ(dialogs.questions.size(), 3U);
    EXPECT_EQ(dialogs.questions[2].text, dialogs.questions[1].text);
    EXPECT_EQ(ReadFileBytes(dir.path() / "OBN.NET"), "newest\r\n");
    EXPECT_FALSE(fs::exists(dir.path() / "OBNNET.ORG"));
    EXPECT_FALSE(dlg->savedFlag());
    EXPECT_TRUE(dialogs.notices.empty());
}

TEST_F(Dialog, AnUnexpectedExceptionIsReportedAndTheChoiceStays) {
    loadAndChoose({1});
    dialogs.whileAsking = [] { throw std::out_of_range("vector::at"); };
    dlg->Press(OKBtn);
    dialogs.whileAsking = [] { throw std::bad_alloc(); };
    dlg->Press(OKBtn);
    EXPECT_EQ(dialogs.failures, (Entries{"vector::at", Message(msg::OutOfMemory)}));
    EXPECT_EQ(right.entries(), Entries{"[  1] B"});
}

TEST_F(Dialog, TheCloseQuestionAsksOnlyForUnsavedEntriesAndOnlyNoKeepsTheWindow) {
    const struct {
        const char* what;
        std::vector<std::size_t> chosen; // moved to the right after the load
        bool sentBack;                   // and all moved back again
        int answer;
        bool asked, closes;
    } rows[] = {
        {"nothing chosen", {}, false, results::No, false, true},
        {"chosen and sent back", {0, 2}, true, results::No, false, true},
        {"unsaved entries, Yes", {0, 2}, false, results::Yes, true, true},
        {"unsaved entries, No", {0, 2}, false, results::No, true, false},
        {"unsaved entries, the box closed", {0, 2}, false, results::Cancel, true, true},
    };
    for (const auto& row : rows) {
        left = VectorEntryList();
        right = VectorEntryList();
        dialogs = ScriptedDialogs();
        controls = FakeControls();
        loadAndChoose(row.chosen);
        if (row.sentBack) {
            dlg->Press(ExAllBtn);
        }
        const Entries leftBefore = left.entries();
        dialogs.askAnswers = {row.answer};
        EXPECT_EQ(dlg->CloseQuery(), row.closes) << row.what;
        EXPECT_EQ(dialogs.questions.size(), row.asked ? 1U : 0U) << row.what;
        if (row.asked) {
            EXPECT_EQ(dialogs.questions[0].text, "データを保存せずに終了しますか？");
            EXPECT_EQ(dialogs.questions[0].kind, MsgKind::Warning);
        }
        EXPECT_EQ(left.entries(), leftBefore) << row.what;
    }
}

TEST_F(Dialog, MovesAndTheRestoreReapplyTheEnablingRule) {
    loadAndChoose({0, 2});
    EXPECT_EQ(controls.disabled, std::set<Control>{BitBtn1});
    dlg->KeyDown(Key::Right, {.shift = true, .alt = true}); // as a click on ">>"
    EXPECT_EQ(controls.disabled, (std::set<Control>{BitBtn1, IncludeBtn, IncAllBtn}));
    EXPECT_EQ(left.focusCount, 1) << "the emptied list takes the focus";
    dlg->KeyDown(Key::Escape, {});
    EXPECT_EQ(left.entries(), dlg->snapList());
    EXPECT_EQ(controls.disabled, LeftOnly);
    controls.disabled.insert(OKBtn);
    dlg->Press(IncAllBtn);
    for (const Control list : {SrcList, DstList}) {
        controls.disabled.insert(OKBtn); // as a completed save leaves it
        dlg->ListClicked(list);
        EXPECT_FALSE(controls.disabled.contains(OKBtn));
    }
    right.select({0});
    dlg->Press(ExcludeBtn);
    EXPECT_FALSE(controls.disabled.contains(IncludeBtn)) << "\"<\" refills the left list";
}

// Gestures: a double click moves one entry to the other list's end, a drag puts the chosen
// entries at the row under the pointer, Alt+Up and Alt+Down step them; each refreshes the buttons.
TEST_F(Dialog, GesturesPutEntriesWhereTheUserPointsAndRefreshTheButtons) {
    constexpr int RowHeight = 10;
    const auto over = [](Control list, int y) { return ListPointer{list, y, 0, RowHeight, 100}; };
    const struct {
        const char* what;
        std::function<void(TDualListDlg&)> gesture;
        Entries left, right;
    } rows[] = {
        // Starting from left A, C, right B; B chosen on the right, A on the left.
        // clang-format off
        {"double click left", [](TDualListDlg& d) { d.DoubleClicked(SrcList, 1); }, {"A"}, {"B", "C"}},
        {"double click right", [](TDualListDlg& d) { d.DoubleClicked(DstList, 0); }, {"A", "C", "B"}, {}},
        {"double click below the rows", [](TDualListDlg& d) { d.DoubleClicked(SrcList, 2); }, {"A", "C"}, {"B"}},
        {"drop on an upper half", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.Drop(over(DstList, 4)); }, {"C"}, {"A", "B"}},
        {"drop on a lower half", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.Drop(over(DstList, 5)); }, {"C"}, {"B", "A"}},
        {"drop within, below the last", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.Drop(over(SrcList, 90)); }, {"C", "A"}, {"B"}},
        {"drop on the dragged row", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.Drop(over(SrcList, 9)); }, {"A", "C"}, {"B"}},
        {"drop outside the lists", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.Drop(over(None, 5)); }, {"A", "C"}, {"B"}},
        {"drop after a cancel", [&](TDualListDlg& d) { d.BeginDrag(SrcList), d.CancelDrag(), d.Drop(over(DstList, 0)); }, {"A", "C"}, {"B"}},
        {"Alt+Down", [](TDualListDlg& d) { EXPECT_TRUE(d.KeyDown(Key::Down, {.alt = true})); }, {"C", "A"}, {"B"}},
        {"Alt+Up at the top", [](TDualListDlg& d) { EXPECT_TRUE(d.KeyDown(Key::Up, {.alt = true})); }, {"A", "C"}, {"B"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        left = VectorEntryList();
        right = VectorEntryList();
        controls = FakeControls();
        loadAndChoose({1});
        left.select({0});
        controls.focused = SrcList;
        controls.disabled.insert(OKBtn); // as a save leaves it: the gesture refreshes the buttons
        row.gesture(*dlg);
        const auto texts = [](const VectorEntryList& list) {
            Entries names;
            for (const std::string& entry : list.entries()) {
                names.push_back(entry.substr(6));
            }
            return names;
        };
        EXPECT_EQ(texts(left), row.left) << row.what;
        EXPECT_EQ(texts(right), row.right) << row.what;
        if (row.left != Entries{"A", "C"}) {
            EXPECT_EQ(controls.disabled.contains(OKBtn), row.right.empty()) << row.what;
        }
        EXPECT_EQ(controls.focused, SrcList) << row.what << ": the focus stays";
    }
}

// While dragging, the pointer shows "no drop" outside the lists and the line where the entries
// would land, except over the dragged entries themselves; near an edge the list scrolls.
TEST_F(Dialog, DragFeedbackFollowsThePointer) {
    loadAndChoose({1});
    left.select({0});
    EXPECT_FALSE(dlg->DragOver({SrcList, 15, 0, 10, 100}).canDrop) << "no drag yet";
    dlg->BeginDrag(SrcList);
    const struct {
        ListPointer pointer;
        bool canDrop;
        Control lineList;
        int lineTop, scroll;
    } rows[] = {
        {{None, 15, 0, 10, 100}, false, None, 0, 0},
        {{SrcList, 15, 0, 10, 100}, true, SrcList, 19, 0},  // lower half of C: after it
        {{SrcList, 5, 0, 10, 100}, true, None, 0, -1},      // A itself
        {{DstList, 14, 0, 10, 100}, true, DstList, 9, 0},   // upper half below the last: the end
        {{DstList, 95, -20, 10, 100}, true, DstList, 0, 1}, // scrolled: below the last row
        {{SrcList, 93, 0, 50, 100}, true, SrcList, 98, 1},  // line kept inside the list
    };
    for (const auto& row : rows) {
        const DragFeedback feedback = dlg->DragOver(row.pointer);
        EXPECT_EQ(feedback.canDrop, row.canDrop) << row.pointer.y;
        EXPECT_EQ(feedback.lineList, row.lineList) << row.pointer.y;
        EXPECT_EQ(feedback.lineTop, row.lineTop) << row.pointer.y;
        EXPECT_EQ(feedback.scroll, row.scroll) << row.pointer.y;
    }
}

// A file dragged onto the window opens as the open dialog's choice would, only before a load.
TEST_F(Dialog, ADroppedFileOpensOnlyWhileTheOpenButtonIsEnabled) {
    start();
    EXPECT_FALSE(dlg->AcceptsFileDrop(2));
    ASSERT_TRUE(dlg->AcceptsFileDrop(1));
    dlg->FileDropped(writeNetData("OBN.NET", {"[0]", "Name=A"}));
    EXPECT_EQ(left.entries(), Entries{"[  0] A"});
    EXPECT_FALSE(dlg->AcceptsFileDrop(1));
    dlg->FileDropped(writeNetData("TWO.NET", {"[0]", "Name=B"}));
    EXPECT_EQ(left.entries(), Entries{"[  0] A"});
}

TEST_F(Dialog, HelpShowsTheHelpFileBesideTheProgramElseTheInstalledPage) {
    start();
    dlg->Press(BitBtn2);
    WriteFileBytes(files.helpFile, "");
    dlg->Press(BitBtn2);
    EXPECT_EQ(dialogs.helpRequests, (Entries{files.helpPage, files.helpFile}));
}

// Settings kept apart from the program get their folder on the first write, on POSIX under a
// home whose name code page 932 cannot hold.
TEST_F(Dialog, AFileNamedAtTheStartOpensAsIfChosenAndWritesTheSettingsInTheirOwnFolder) {
    const std::string sample = writeNetData("OBN.NET", {"[0]", "Name=A"});
    const fs::path cwd = fs::current_path();
    fs::current_path(dir.path());
    const std::string home = NativePathStyle == PathStyle::Posix ? "José/" : "";
    settingsPath = dir.file(home + "config/netedit/netedit.INI");
    files.settingsFolder = dir.file(home + "config/netedit/");
    start();
    dlg->OpenFromCommandLine({"./sub/../OBN.NET", "ignored"});
    fs::current_path(cwd);
    EXPECT_EQ(left.entries(), Entries{"[  0] A"});
    EXPECT_EQ(dlg->sourceDirectory(), dir.file(""));
    EXPECT_TRUE(controls.disabled.contains(BitBtn1));
    EXPECT_TRUE(dialogs.openRequests.empty());
    EXPECT_EQ(settings(), "SrcFile=\r\nDstFile=\r\n");
    dlg->OpenFromCommandLine({});
    EXPECT_EQ(left.count(), 1U) << "no argument, nothing opened";
}

TEST(Keyboard, DecidesWhatEachKeyDoes) {
    const KeyModifiers none;
    const KeyModifiers shift{.shift = true};
    const KeyModifiers ctrl{.control = true};
    const KeyModifiers alt{.alt = true};
    const KeyModifiers altShift{.shift = true, .alt = true};
    const struct {
        Key key;
        KeyModifiers modifiers;
        Control focused;
        std::set<Control> disabled;
        KeyAction::Kind kind;
        Control control;
    } rows[] = {
        // clang-format off
        {Key::Escape, none, SrcList, {}, KeyAction::Press, CancelBtn},
        {Key::Escape, shift, None, {}, KeyAction::Swallow, None}, // never closes the window
        {Key::Enter, none, BitBtn2, {}, KeyAction::Press, BitBtn2},
        {Key::Enter, none, DstList, {}, KeyAction::Press, OKBtn},
        {Key::Enter, none, None, {OKBtn}, KeyAction::Press, BitBtn1},
        {Key::Enter, none, SrcList, {OKBtn, BitBtn1}, KeyAction::Swallow, None},
        {Key::Tab, none, None, {}, KeyAction::Focus, BitBtn1},
        {Key::Tab, none, BitBtn2, {BitBtn1, OKBtn}, KeyAction::Focus, CancelBtn},
        {Key::Tab, shift, None, {}, KeyAction::Focus, BitBtn2},
        {Key::BackTab, none, CancelBtn, {OKBtn}, KeyAction::Focus, BitBtn1},
        {Key::BackTab, none, CancelBtn, {}, KeyAction::Focus, OKBtn},
        {Key::Tab, ctrl, SrcList, {}, KeyAction::PassOn, None},
        {Key::Right, none, CancelBtn, {}, KeyAction::Focus, CloseBtn},
        {Key::Down, none, CloseBtn, {}, KeyAction::Focus, SrcList},
        {Key::Left, none, CancelBtn, {OKBtn}, KeyAction::Focus, BitBtn1},
        {Key::Up, none, CancelBtn, {}, KeyAction::Focus, OKBtn},
        {Key::Down, none, SrcList, {}, KeyAction::PassOn, None}, // a list moves its own cursor
        {Key::Right, alt, SrcList, {}, KeyAction::Press, IncludeBtn},
        {Key::Right, altShift, None, {}, KeyAction::Press, IncAllBtn},
        {Key::Left, alt, DstList, {}, KeyAction::Press, ExcludeBtn},
        {Key::Left, altShift, CancelBtn, {}, KeyAction::Press, ExAllBtn}, // a push button does not walk
        {Key::Left, alt, SrcList, {ExcludeBtn}, KeyAction::Swallow, None},
        {Key::Right, {.control = true, .alt = true}, SrcList, {}, KeyAction::PassOn, None},
        {Key::Up, alt, SrcList, {}, KeyAction::RaiseChosen, SrcList},
        {Key::Down, alt, DstList, {ExcludeBtn, OKBtn}, KeyAction::LowerChosen, DstList},
        {Key::Up, altShift, DstList, {}, KeyAction::PassOn, None},
        {Key::Down, alt, CloseBtn, {}, KeyAction::Focus, SrcList}, // a push button walks
        // clang-format on
    };
    for (const auto& row : rows) {
        const KeyAction action = DecideKey(row.key, row.modifiers, row.focused,
                                           [&row](Control c) { return !row.disabled.contains(c); });
        EXPECT_EQ(action.kind, row.kind)
            << static_cast<int>(row.key) << " on " << static_cast<int>(row.focused);
        if (row.kind != KeyAction::Swallow && row.kind != KeyAction::PassOn) {
            EXPECT_EQ(action.control, row.control) << static_cast<int>(row.key);
        }
    }
}

} // namespace
} // namespace netedit::testing
