// The Windows message boxes, answered with the keys and the close command a user gives them.

#include "runtime/failure.h"
#include "runtime/paths.h"
#include "win32/message_box.h"
#include "win32/wide_text.h"
#include "win32/win32_user_dialogs.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace netedit::testing {
namespace {

using win32::Win32UserDialogs;

// What the box showed, and the messages it is then sent, as a user's keys and clicks would be.
struct Seen {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons; // left to right
    bool centred = false;
};

// Keys by their virtual codes: VK_RETURN is '\r', VK_ESCAPE '\x1b', VK_TAB '\t', letters themselves.
struct Answer {
    const char* keys;
    bool closeBox = false;
};

Answer* pending = nullptr;
Seen* seen = nullptr;

std::string TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return win32::Utf8OfWide(text);
}

void Look(HWND box) {
    seen->caption = TextOf(box);
    std::vector<std::pair<LONG, std::string>> buttons;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16]{};
        ::GetClassNameW(child, kind, 16);
        RECT place{};
        ::GetWindowRect(child, &place);
        if (std::wstring_view(kind) == L"Button") {
            buttons.emplace_back(place.left, TextOf(child));
        } else {
            seen->text = TextOf(child);
        }
    }
    std::sort(buttons.begin(), buttons.end());
    for (const auto& [left, caption] : buttons) {
        seen->buttons.push_back(caption);
    }
    RECT outer{};
    ::GetWindowRect(box, &outer);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    seen->centred =
        std::abs(outer.left + outer.right - screenWidth) <= 1 && outer.right - outer.left < screenWidth;
}

// Looks at the box and answers it from the box's own loop, once it is up; a watchdog closes a
// box that never answers.
LRESULT CALLBACK Drive(int code, WPARAM wParam, LPARAM lParam) {
    const HWND box = ::FindWindowW(win32::MessageBoxClass, nullptr);
    if (pending != nullptr && box != nullptr && ::IsWindowVisible(box)) {
        Look(box);
        for (const char* key = pending->keys; *key != '\0'; ++key) {
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(*key), 0);
        }
        if (pending->closeBox) {
            ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        pending = nullptr;
        ::SetTimer(box, 1, 5000,
                   [](HWND box, UINT, UINT_PTR, DWORD) { ::PostMessageW(box, WM_CLOSE, 0, 0); });
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Shows a box by `show`, answering it with `answer`, and gives what it showed.
template <typename Show> Seen Answered(Answer answer, Show show) {
    Seen look;
    pending = &answer;
    seen = &look;
    const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, Drive, nullptr, ::GetCurrentThreadId());
    show();
    ::UnhookWindowsHookEx(hook);
    pending = nullptr;
    return look;
}

TEST(Win32MessageBox, CaptionsButtonsAndTheKeysThatAnswer) {
    const std::string title = ProgramTitle();
    const std::vector<std::string> yesNo{"はい(&Y)", "いいえ(&N)"};
    std::string wrapped; // much wider than half the screen, in words
    for (int i = 0; i < 200; ++i) {
        wrapped += "wrap ";
    }
    const struct {
        const char* what;
        std::function<int(Win32UserDialogs&)> show;
        Answer answer;
        int result;
        std::string caption;
        std::vector<std::string> buttons;
    } rows[] = {
        {"Enter presses Yes",
         [](auto& d) {
             return d.askUser("新データを保存します。", MsgKind::Information, buttons::Yes | buttons::No);
         },
         {"\r"},
         results::Yes,
         "情報",
         yesNo},
        {"Escape presses No",
         [](auto& d) { return d.askUser("q", MsgKind::Warning, buttons::Yes | buttons::No); },
         {"\x1b"},
         results::No,
         "警告",
         yesNo},
        {"the close box",
         [](auto& d) { return d.askUser("q", MsgKind::Confirmation, buttons::Yes | buttons::No); },
         {"", true},
         results::Cancel,
         "確認",
         yesNo},
        {"N without Alt",
         [](auto& d) { return d.askUser("q", MsgKind::Error, buttons::Yes | buttons::No); },
         {"N"},
         results::No,
         "ｴﾗｰ",
         yesNo},
        {"Tab then Enter presses the focused button",
         [](auto& d) { return d.askUser("q", MsgKind::Warning, buttons::Yes | buttons::No); },
         {"\t\r"},
         results::No,
         "警告",
         yesNo},
        {"no cancel button: Escape does nothing",
         [&](auto& d) {
             return d.askUser(wrapped, MsgKind::Custom, buttons::Abort | buttons::Retry | buttons::Ignore);
         },
         {"\x1b"
          "I"},
         results::Ignore,
         title,
         {"中止(&A)", "再試行(&R)", "無視(&I)"}},
        {"a notice: OK answers Escape too",
         [](auto& d) { return d.showNotice("新しいOBN.NETを作成しました。"), 0; },
         {"\x1b"},
         0,
         title,
         {"OK"}},
    };
    for (const auto& row : rows) {
        Win32UserDialogs dialogs;
        int result = -1;
        const Seen look = Answered(row.answer, [&] { result = row.show(dialogs); });
        EXPECT_EQ(result, row.result) << row.what;
        EXPECT_EQ(look.caption, row.caption) << row.what;
        EXPECT_EQ(look.buttons, row.buttons) << row.what;
        EXPECT_TRUE(look.centred) << row.what;
        EXPECT_EQ(::FindWindowW(win32::MessageBoxClass, nullptr), nullptr) << row.what << ": the box is gone";
    }
}

// The error box: the failure's message and a full stop, even after "。".
TEST(Win32MessageBox, TheErrorBoxAddsTheFullStop) {
    const Seen look = Answered({"\r"}, [] {
        Win32UserDialogs().reportFailure(Failure("\x83\x74\x83\x40\x83\x43\x83\x8b\x81\x42")); // ファイル。
    });
    EXPECT_EQ(look.text, "ファイル。.");
    EXPECT_EQ(look.caption, ProgramTitle());
    EXPECT_EQ(look.buttons, std::vector<std::string>{"OK"});
}

} // namespace
} // namespace netedit::testing
