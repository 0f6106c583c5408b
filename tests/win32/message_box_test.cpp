// The Windows message boxes, answered with the keys and the close command a user gives them.

#include "editor/window_description.h"
#include "runtime/failure.h"
#include "runtime/paths.h"
#include "support/temp_dir.h"
#include "win32/dpi.h"
#include "win32/fonts.h"
#include "win32/message_box.h"
#include "win32/screen_reader.h"
#include "win32/wide_text.h"
#include "win32/win32_user_dialogs.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace netedit::testing {
namespace {

// What the box showed, its buttons left to right, and what a screen reader read of it.
struct Seen {
    std::string caption, text;
    std::vector<std::string> buttons;
    bool centred = false;
    long role = 0, state = 0;
    std::string readName;
    std::vector<std::string> readChildren;
};

// Keys by their virtual codes: VK_RETURN is '\r', VK_ESCAPE '\x1b', VK_TAB '\t'; "" closes the box.
// Each box that comes up takes the next keys in turn, and is seen.
std::vector<std::string> pendingKeys;
std::vector<Seen> seen;
HWND answered = nullptr;

std::string TextOf(HWND hwnd) {
    return win32::Utf8OfWide(win32::TextOfWindow(hwnd));
}

// The user switches to another window and back: posted among the keys as '\x01'.
constexpr UINT SwitchAway = WM_APP + 1;

void SwitchAwayAndBack(HWND box) {
    const HWND other = ::CreateWindowW(L"STATIC", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                       nullptr, nullptr, nullptr);
    ::SetActiveWindow(other);
    ::SetActiveWindow(box);
    ::DestroyWindow(other);
}

// Looks at the box and answers it from the box's own loop, once it is up.
LRESULT CALLBACK Answer(int code, WPARAM wParam, LPARAM lParam) {
    const auto* taken = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && wParam == PM_REMOVE && taken->message == SwitchAway) {
        SwitchAwayAndBack(taken->hwnd);
    }
    const HWND box = ::FindWindowW(win32::MessageBoxClass, nullptr); // the topmost
    if (!pendingKeys.empty() && box != nullptr && box != answered && ::IsWindowVisible(box)) {
        answered = box;
        Seen& now = seen.emplace_back();
        std::vector<std::pair<LONG, std::string>> buttons;
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT place{};
            ::GetWindowRect(child, &place);
            wchar_t kind[16]{};
            ::GetClassNameW(child, kind, 16);
            if (std::wstring_view(kind) == L"Button") {
                buttons.emplace_back(place.left, TextOf(child));
            } else {
                now.text = TextOf(child);
            }
        }
        std::sort(buttons.begin(), buttons.end());
        for (const auto& button : buttons) {
            now.buttons.push_back(button.second);
        }
        now.caption = TextOf(box);
        RECT outer{};
        ::GetWindowRect(box, &outer);
        const int screen = ::GetSystemMetrics(SM_CXSCREEN);
        now.centred = std::abs(outer.left + outer.right - screen) <= 1 && outer.right - outer.left < screen;
        if (const Readable read = ReadableOf(box)) {
            now.role = RoleOf(*read);
            now.state = StateOf(*read);
            now.readName = NameOf(*read);
            now.readChildren = ChildNamesOf(*read);
        }
        for (const char key : pendingKeys.front()) {
            if (key == '\x02') { // a click on いいえ
                ::PostMessageW(::FindWindowExW(box, nullptr, L"Button", L"いいえ(&N)"), BM_CLICK, 0, 0);
                continue;
            }
            ::PostMessageW(key == '\x01' ? box : ::GetFocus(), key == '\x01' ? SwitchAway : WM_KEYDOWN,
                           static_cast<WPARAM>(key), 0);
        }
        ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); // for a box the keys left open
        pendingKeys.erase(pendingKeys.begin());
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

template <typename Show> int Answered(std::vector<std::string> keys, Show show) {
    seen.clear();
    answered = nullptr;
    pendingKeys = std::move(keys);
    const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, Answer, nullptr, ::GetCurrentThreadId());
    const int result = show();
    ::UnhookWindowsHookEx(hook);
    pendingKeys.clear();
    return result;
}

TEST(Win32MessageBox, CaptionsButtonsAndTheKeysThatAnswer) {
    using enum MsgKind;
    const std::vector<std::string> yesNo{"はい(&Y)", "いいえ(&N)"};
    const std::vector<std::string> abortRetryIgnore{"中止(&A)", "再試行(&R)", "無視(&I)"};
    std::string wide = "C:"; // much wider than half the screen, in a path and in words
    for (int i = 0; i < 50; ++i) {
        wide += "\\data";
    }
    for (int i = 0; i < 200; ++i) {
        wide += " wrap";
    }
    const struct {
        MsgKind kind;
        unsigned buttonSet;
        const char* keys;
        int result;
        std::string caption;
        std::vector<std::string> buttons;
    } rows[] = {
        // clang-format off
        {Information, buttons::Yes | buttons::No, "\r", results::Yes, "情報", yesNo},
        {Warning, buttons::Yes | buttons::No, "\x1b", results::No, "警告", yesNo},
        {Confirmation, buttons::Yes | buttons::No, "", results::Cancel, "確認", yesNo}, // the close box
        {Error, buttons::Yes | buttons::No, "N", results::No, "ｴﾗｰ", yesNo},
        {Warning, buttons::Yes | buttons::No, "\t\x01\r", results::No, "警告", yesNo}, // Tab, away and back: the focus stays
        {Warning, buttons::Yes | buttons::No, "\x02", results::No, "警告", yesNo}, // a click
        {Warning, buttons::Yes | buttons::No, "\x28\x28\x26\r", results::No, "警告", yesNo}, // Down, Down, Up: round
        {Warning, buttons::Yes | buttons::No | buttons::NoByDefault, "\r", results::No, "警告", yesNo},
        // No cancel button: Escape does nothing.
        {Custom, buttons::Abort | buttons::Retry | buttons::Ignore, "\x1bI", results::Ignore, ProgramTitle(), abortRetryIgnore},
        // clang-format on
    };
    for (const auto& row : rows) {
        win32::Win32UserDialogs dialogs;
        const int result =
            Answered({row.keys}, [&] { return dialogs.askUser(wide, row.kind, row.buttonSet); });
        EXPECT_EQ(result, row.result) << row.keys;
        ASSERT_EQ(seen.size(), 1U);
        EXPECT_EQ(seen[0].caption, row.caption);
        EXPECT_EQ(seen[0].buttons, row.buttons);
        EXPECT_TRUE(seen[0].centred) << "centred, and as wide as the wrapped text";
        EXPECT_EQ(seen[0].role, ROLE_SYSTEM_DIALOG);
        EXPECT_EQ(seen[0].state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0)
            << "readers skip neither";
        EXPECT_EQ(seen[0].readName, row.caption);
        // The text (Wine's reader cuts a long one), then the buttons as shown.
        std::vector<std::string> children{seen[0].readChildren.empty() ? "" : seen[0].readChildren[0]};
        EXPECT_TRUE(!children[0].empty() && seen[0].text.starts_with(children[0]));
        for (const std::string& button : row.buttons) {
            children.push_back(ShownText(button));
        }
        EXPECT_EQ(seen[0].readChildren, children);
        EXPECT_EQ(::FindWindowW(win32::MessageBoxClass, nullptr), nullptr) << "the box is gone";
    }
}

// A font role takes the first of its families that is installed.
TEST(Win32Fonts, TheFirstInstalledFamilyIsTaken) {
    static constexpr std::array<const char*, 2> Families{"No Such Family", "DejaVu Sans"};
    const HFONT font = win32::MakeFont({Families, 13, false, false}, 13);
    LOGFONTW made{};
    ::GetObjectW(font, sizeof made, &made);
    EXPECT_STREQ(made.lfFaceName, L"DejaVu Sans");
    ::DeleteObject(font);
}

// A box's icon comes at the monitor's size, not scaled up from the system's.
TEST(Win32MessageBox, IconsComeAtTheSizeAskedFor) {
    for (const int size : {32, 48, 64}) {
        const HICON icon = win32::SystemIconAt(IDI_WARNING, size);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

// The error box: the failure's message and a full stop, even after "。".
TEST(Win32MessageBox, TheErrorBoxAddsTheFullStop) {
    Answered({"\r"}, [] {
        win32::Win32UserDialogs().reportFailure(
            Failure("\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x42")); // ファイル。
        return 0;
    });
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].text, "ファイル。.");
    EXPECT_EQ(seen[0].caption, ProgramTitle());
    EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
}

// A box's help button shows what the window's help button shows: with no help file beside the
// program, its own page. Where the page cannot be written, the box that says so names it; the
// question stays open meanwhile.
TEST(Win32MessageBox, TheHelpButtonShowsTheProgramsOwnPage) {
    TempDir dir;
    WriteFileBytes(dir.path() / "netedit", ""); // a file where the page's folder goes
    wchar_t kept[32768]{};
    ::GetEnvironmentVariableW(L"LOCALAPPDATA", kept, 32768);
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", dir.path().wstring().c_str());
    const int result = Answered({"H", "\r", ""}, [] {
        return win32::Win32UserDialogs().askUser("?", MsgKind::Warning, buttons::Ok | buttons::Help);
    });
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", kept);
    EXPECT_EQ(result, results::Cancel);
    ASSERT_GE(seen.size(), 2U);
    const std::string page = win32::Utf8OfWide((dir.path() / "netedit" / "help.html").wstring());
    EXPECT_EQ(seen[1].text, "ヘルプファイル " + page + " を開けません。");
}

// A help file beside the program that is missing, or that the shell has no viewer for.
TEST(Win32MessageBox, HelpThatCannotBeShownIsReported) {
    TempDir dir;
    WriteFileBytes(dir.path() / "netedit.zzqx", "");
    std::filesystem::create_directory(dir.path() / "folder.HLP");
    const struct {
        std::string file, text;
    } rows[] = {
        {dir.file("netedit.HLP"), "ヘルプファイル " + dir.file("netedit.HLP") + " が見つかりません。"},
        {dir.file("folder.HLP"), "ヘルプファイル " + dir.file("folder.HLP") + " が見つかりません。"},
        {dir.file("netedit.zzqx"), "ヘルプファイル " + dir.file("netedit.zzqx") + " を開けません。"},
    };
    for (const auto& row : rows) {
        Answered({"\r"}, [&] {
            win32::Win32UserDialogs().showHelp(row.file);
            return 0;
        });
        ASSERT_EQ(seen.size(), 1U) << row.file;
        EXPECT_EQ(seen[0].text, row.text);
    }
}

} // namespace
} // namespace netedit::testing
