// The Windows window read as a screen reader reads it, through oleacc.

#include "editor/ui_texts.h"
#include "win32/screen_reader.h"
#include "win32/window_fixture.h"

#include <gtest/gtest.h>
#include <set>

namespace netedit::testing {
namespace {

using Strings = std::vector<std::string>;
constexpr long ListState = STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE | STATE_SYSTEM_FOCUSABLE;

std::set<HWND> reordered; // the windows whose children were announced as changed
void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG, DWORD, DWORD) {
    if (event == EVENT_OBJECT_REORDER && object == OBJID_CLIENT) {
        reordered.insert(hwnd);
    }
}

TEST_F(Win32Window, EveryControlReadsWithItsRoleNameAndState) {
    using enum Control;
    start({"東京"});
    window->setLabelText(Label1, "a&&b&c"); // "&&" is drawn as "&", a single "&" not at all
    window->focusControl(CancelBtn);
    const struct {
        Control control;
        long role;
        const char* name;
        const char* description;
        long state;
    } rows[] = {
        // clang-format off
        {SrcLabel, ROLE_SYSTEM_STATICTEXT, ui::SourceCaption, "", STATE_SYSTEM_READONLY},
        {Label1, ROLE_SYSTEM_STATICTEXT, "a&bc", "", STATE_SYSTEM_READONLY},
        {SrcList, ROLE_SYSTEM_LIST, ui::SourceCaption, ui::ListDescription, ListState},
        {DstList, ROLE_SYSTEM_LIST, ui::DestinationCaption, ui::ListDescription, ListState},
        {IncludeBtn, ROLE_SYSTEM_PUSHBUTTON, ">", ui::IncludeDescription, 0},
        {ExAllBtn, ROLE_SYSTEM_PUSHBUTTON, "<<", ui::ExcludeAllDescription, STATE_SYSTEM_UNAVAILABLE},
        {BitBtn1, ROLE_SYSTEM_PUSHBUTTON, ui::OpenCaption, ui::OpenHint, STATE_SYSTEM_UNAVAILABLE}, // spent
        {CancelBtn, ROLE_SYSTEM_PUSHBUTTON, ui::RevertCaption, ui::RevertHint, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED},
        {BitBtn2, ROLE_SYSTEM_PUSHBUTTON, ui::HelpCaption, "", STATE_SYSTEM_FOCUSABLE},
        // clang-format on
    };
    for (const auto& row : rows) {
        const Readable read = ReadableOf(at(row.control));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(RoleOf(*read), row.role) << row.name;
        EXPECT_EQ(NameOf(*read), row.name);
        EXPECT_EQ(TextOf([&](BSTR* text) { return read->get_accDescription(Child(CHILDID_SELF), text); }),
                  row.description)
            << row.name;
        EXPECT_EQ(StateOf(*read), row.state) << row.name;
        const bool button = row.role == ROLE_SYSTEM_PUSHBUTTON;
        EXPECT_EQ(TextOf([&](BSTR* text) { return read->get_accDefaultAction(Child(CHILDID_SELF), text); }),
                  button ? ui::PressAction : "")
            << row.name;
    }
}

// The moves' buttons name the keys that press them.
TEST_F(Win32Window, TheMovesButtonsNameTheirKeys) {
    start({"A"});
    window->setLabelText(Control::Label1, "ab&c"); // a label's own letter, as the system reads it
    for (const auto& [control, key] : {std::pair{Control::IncAllBtn, "Alt+Shift+Right"},
                                       {Control::ExcludeBtn, "Alt+Left"},
                                       {Control::Label1, "Alt+c"}}) {
        const Readable read = ReadableOf(at(control));
        EXPECT_EQ(
            TextOf([&](BSTR* text) { return read->get_accKeyboardShortcut(Child(CHILDID_SELF), text); }),
            key);
    }
}

TEST_F(Win32Window, ListsReadTheirEntriesAndSelectionAsTheyMove) {
    using enum Control;
    start({"東京", "大阪", "名古屋"});
    const Readable left = ReadableOf(at(SrcList));
    const Readable right = ReadableOf(at(DstList));
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    reordered.clear();
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, Heard,
                                                 0, ::GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    const auto press = [&](Control flat) {
        EXPECT_EQ(ReadableOf(at(flat))->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
        pump();
    };
    const struct {
        const char* what;
        std::function<void()> act;
        Strings left, right;
        std::vector<long> leftSelection;
    } steps[] = {
        // clang-format off
        {"loaded", [] {}, {"[  0] 東京", "[  0] 大阪", "[  0] 名古屋"}, {}, {}},
        {"two rows picked", [&] { clickRow(SrcList, 0), clickRow(SrcList, 2, MK_CONTROL); }, {"[  0] 東京", "[  0] 大阪", "[  0] 名古屋"}, {}, {1, 3}},
        {"moved right", [&] { click(IncludeBtn); }, {"[  0] 大阪"}, {"[  0] 東京", "[  0] 名古屋"}, {}},
        {"one moved back", [&] { clickRow(DstList, 1), click(ExcludeBtn); }, {"[  0] 大阪", "[  0] 名古屋"}, {"[  0] 東京"}, {}},
        {"picked", [&] { clickRow(SrcList, 1); }, {"[  0] 大阪", "[  0] 名古屋"}, {"[  0] 東京"}, {2}},
        {"all by the reader", [&] { press(IncAllBtn); }, {}, {"[  0] 東京", "[  0] 大阪", "[  0] 名古屋"}, {}},
        // clang-format on
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(ItemsOf(*left), step.left) << step.what;
        EXPECT_EQ(ItemsOf(*right), step.right) << step.what;
        EXPECT_EQ(SelectionOf(*left), step.leftSelection) << step.what;
        for (const long id : step.leftSelection) {
            EXPECT_EQ(StateOf(*left, id) & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED) << step.what;
        }
    }
    ::UnhookWinEvent(hook);
    EXPECT_EQ(reordered, (std::set<HWND>{at(SrcList), at(DstList)})) << "the moves were announced";
    // Nothing is pressed that a click could not press: a disabled button, or any while a box
    // has the window disabled.
    for (const bool boxUp : {false, true}) {
        ::EnableWindow(window->hwnd(), boxUp ? FALSE : TRUE);
        EXPECT_TRUE(
            FAILED(ReadableOf(at(boxUp ? ExAllBtn : IncAllBtn))->accDoDefaultAction(Child(CHILDID_SELF))));
        pump();
        EXPECT_EQ(ItemsOf(*right).size(), 3U) << boxUp;
    }
}

TEST_F(Win32Window, AnEntryIsFoundWhereItStandsAndHasTheFocus) {
    start({"A", "B", "C"});
    clickRow(Control::SrcList, 1);
    const Readable list = ReadableOf(at(Control::SrcList));
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(list->accLocation(&left, &top, &width, &height, Child(2)), S_OK);
    EXPECT_GT(height, 0);
    EXPECT_EQ(NumberOf([&](VARIANT* hit) { return list->accHitTest(left + 1, top + height - 1, hit); }), 2);
    EXPECT_EQ(NumberOf([&](VARIANT* focus) { return list->get_accFocus(focus); }), 2);
    VARIANT elsewhere{};
    elsewhere.vt = VT_I4; // what the reader's variable held: no answer of the list's
    ReadableOf(at(Control::DstList))->get_accFocus(&elsewhere);
    EXPECT_EQ(elsewhere.vt, VT_EMPTY) << "the focus is in the other list";
    EXPECT_EQ(StateOf(*list, 2) & STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(StateOf(*list, 1) & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED), 0);
    EXPECT_EQ(NumberOf([&](VARIANT* next) { return list->accNavigate(NAVDIR_NEXT, Child(1), next); }), 2);
    EXPECT_EQ(NumberOf([&](VARIANT* next) { return list->accNavigate(NAVDIR_NEXT, Child(2), next); }), 3);
    EXPECT_EQ(NumberOf([&](VARIANT* next) { return list->accNavigate(NAVDIR_NEXT, Child(3), next); }), -1);
    BSTR none = nullptr;
    EXPECT_TRUE(FAILED(list->get_accName(Child(4), &none))) << "no fourth entry";
    // An entry is no object of its own, and the list offers no type information: the reader's
    // variables are set to say so, whatever they held.
    UINT typeInfos = 7;
    EXPECT_EQ(list->GetTypeInfoCount(&typeInfos), S_OK);
    EXPECT_EQ(typeInfos, 0U);
    auto* entry = reinterpret_cast<IDispatch*>(&typeInfos);
    list->get_accChild(Child(1), &entry);
    EXPECT_EQ(entry, nullptr);
    // Below the rows is the list itself, whose window a reader learns from the object.
    EXPECT_EQ(NumberOf([&](VARIANT* hit) { return list->accHitTest(left + 1, top + 4 * height, hit); }),
              CHILDID_SELF);
    HWND found = nullptr;
    EXPECT_EQ(::WindowFromAccessibleObject(list.get(), &found), S_OK);
    EXPECT_EQ(found, at(Control::SrcList));
    // A reader that holds on after the window has gone learns so, and nothing breaks.
    window.reset();
    BSTR name = nullptr;
    EXPECT_EQ(list->get_accName(Child(1), &name), CO_E_OBJNOTCONNECTED);
    VARIANT role;
    role.vt = VT_I4;
    EXPECT_EQ(list->get_accRole(Child(1), &role), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(role.vt, VT_EMPTY) << "nothing left for the reader to free";
}

} // namespace
} // namespace netedit::testing
